#pragma once
// A list of records loaded from a stream either by a list loader or element
// by element, with how the stream ended: for tests that hold the two to the
// same outcome.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "records/data_stream.h"

template <class T>
struct LISTLOAD {
    std::vector<T> v;
    bool bFailed;
    std::string strWhy;
    size_t nPosition;
};

// Loads `bytes` into the elements of v: by `run(reader, elements, count)`
// when bRun, else by each element's own Load up to the first failure.
template <class T, class RUN>
LISTLOAD<T> LoadListEitherWay(const std::vector<uint8_t>& bytes, std::vector<T> v, RUN run, bool bRun) {
    cDataReader r(bytes.data(), bytes.size());
    if (bRun) {
        run(r, v.data(), v.size());
    } else {
        for (auto& e : v) {
            e.Load(r);
            if (r.Failed()) break;
        }
    }
    return LISTLOAD<T>{std::move(v), r.Failed(), r.FailReason(), r.Position()};
}

// Whether two loads ended alike: failed or not, why, and where.
template <class T>
void ExpectSameEnd(const LISTLOAD<T>& run, const LISTLOAD<T>& one, const std::string& what) {
    EXPECT_EQ(run.bFailed, one.bFailed) << what;
    EXPECT_EQ(run.strWhy, one.strWhy) << what;
    EXPECT_EQ(run.nPosition, one.nPosition) << what;
}

// The streams of elements 0 to n - 1, one after another: element i's are
// bytes(i, fields, strings), where 3 fields and no string are a whole element.
template <class BYTES>
std::vector<uint8_t> JoinedStreams(size_t n, BYTES bytes, size_t odd = SIZE_MAX, uint32_t fields = 3,
                                   uint32_t strings = 0) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < n; ++i) {
        const std::vector<uint8_t> e =
            i == odd ? bytes(static_cast<int>(i), fields, strings) : bytes(static_cast<int>(i), 3, 0);
        out.insert(out.end(), e.begin(), e.end());
    }
    return out;
}

// Lists of n elements of three fields with element 2 odd: fewer fields,
// none, too many, or a string; each passed to check(bytes, what).
template <class BYTES, class CHECK>
void ForEachOddList(size_t n, BYTES bytes, CHECK check) {
    const std::pair<uint32_t, uint32_t> odd[] = {{2, 0}, {0, 0}, {4, 0}, {3, 1}};
    for (const auto& [fields, strings] : odd)
        check(JoinedStreams(n, bytes, 2, fields, strings),
              std::to_string(fields) + " fields, " + std::to_string(strings) + " strings");
}
