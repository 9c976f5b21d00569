#pragma once
// A list of records loaded from a stream either by a list loader or element
// by element, with how the stream ended: for tests that hold the two to the
// same outcome.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
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
