#pragma once
// The bytes a writer holds, as a vector that a test can compare and print.
#include <cstdint>
#include <vector>

#include "records/data_stream.h"

inline std::vector<uint8_t> WrittenBytes(const cDataWriter& w) {
    const auto bytes = w.Bytes();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}
