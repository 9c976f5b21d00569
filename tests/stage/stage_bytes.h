#pragma once
// Helpers of the stage tests: little-endian byte images written value by
// value, stage streams written at an older data version, and loads from bytes.
#include <cstdint>
#include <cstring>
#include <vector>

#include "records/data_stream.h"
#include "records/version.h"
#include "stage/stage_data.h"

// A byte image built value by value (the expected side of golden tests).
class cBytes {
public:
    cBytes& U8(uint8_t v) { m_v.push_back(v); return *this; }
    cBytes& U16(uint16_t v) { return Raw(&v, 2); }
    cBytes& I16(int16_t v) { return Raw(&v, 2); }
    cBytes& U32(uint32_t v) { return Raw(&v, 4); }
    cBytes& I32(int32_t v) { return Raw(&v, 4); }
    cBytes& F64(double v) { return Raw(&v, 8); }
    // n bytes of value v.
    cBytes& Fill(size_t n, uint8_t v) { m_v.insert(m_v.end(), n, v); return *this; }
    // An empty string list entry: u32 length 1, no bytes.
    cBytes& EmptyStr() { return U32(1); }
    cBytes& Raw(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        m_v.insert(m_v.end(), b, b + n);
        return *this;
    }
    size_t Size() const { return m_v.size(); }
    const std::vector<uint8_t>& Bytes() const { return m_v; }

private:
    std::vector<uint8_t> m_v;
};

// Writes `stage` as a stage file of data version v with the program's own
// record writers laid out for v (lists without commands: the command stream
// of older versions differs beyond the layouts).
inline std::vector<uint8_t> StageFileAtVersion(cStageData& s, uint32_t v) {
    nDataVersion = v;
    cDataWriter w;
    w.WriteU32(v);
    s.cRecord::Save(w);
    w.WriteU32(static_cast<uint32_t>(s.vRankSwitch.size()));
    for (uint32_t x : s.vRankSwitch) w.WriteU32(x);
    for (auto& r : s.StageIntRec) r.Save(w);
    SaveRecordVector(w, s.vBlock);
    SaveRecordVector(w, s.vChara);
    SaveRecordVector(w, s.vItem);
    auto placed = [&](auto& list) {
        w.WriteU32(static_cast<uint32_t>(list.size()));
        for (auto& e : list) {
            w.WriteU32(0);
            e.Save(w);
        }
    };
    placed(s.vPlacedBlock);
    placed(s.vPlacedChara);
    placed(s.vPlacedItem);
    SaveRecordVector(w, s.vBg);
    SaveRecordVector(w, s.vText);
    if (v >= 173) w.WriteU32(STAGE_TRAILER);
    nDataVersion = DATA_VERSION;
    return w.TakeBytes();
}

// A stage file of the current version.
inline std::vector<uint8_t> StageFile(cStageData& s) {
    cDataWriter w;
    w.WriteU32(nDataVersion);
    s.Save(w);
    return w.TakeBytes();
}

// Loads a stage file image into `s`; true when the load succeeded.
inline bool LoadStageBytes(cStageData& s, const std::vector<uint8_t>& bytes) {
    cDataReader r(bytes.data(), bytes.size());
    nReadVersion = r.ReadU32();
    s.Load(r);
    return !r.Failed();
}
