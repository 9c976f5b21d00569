#include "database/system_old_stream.h"

#include <initializer_list>

#include "records/data_file.h"
#include "records/version.h"

namespace oldsys {

void Record(cDataWriter& w, cRecord& rec, uint32_t v) {
    const uint32_t keep = nDataVersion;
    nDataVersion = v;
    rec.cRecord::Save(w);
    nDataVersion = keep;
}

namespace {

void Bytes(cDataWriter& w, const std::vector<uint8_t>& v) {
    w.WriteU32(static_cast<uint32_t>(v.size()));
    w.Write(v.data(), v.size());
}

void Ints(cDataWriter& w, const std::vector<int32_t>& v) {
    w.WriteU32(static_cast<uint32_t>(v.size()));
    for (int32_t x : v) w.WriteI32(x);
}

void Strings(cDataWriter& w, std::vector<std::string>& v) {
    w.WriteU32(static_cast<uint32_t>(v.size()));
    for (auto& s : v) SaveStreamString(w, s);
}

template <class V>
void Records(cDataWriter& w, V& v, uint32_t ver) {
    w.WriteU32(static_cast<uint32_t>(v.size()));
    for (auto& e : v) Record(w, e, ver);
}

}  // namespace

std::vector<uint8_t> SystemDat(cSystemData& s, uint32_t v) {
    cDataWriter w;
    w.WriteU32(v);
    Record(w, s, v);
    Bytes(w, s.vCarryFlag);
    if (v >= 501) Bytes(w, s.vClearFlag);
    Records(w, s.vStatusItem, v);
    Ints(w, s.vStartValue);
    if (v >= 191) Ints(w, s.vStartFlag);
    if (v >= 186) {
        w.WriteU32(static_cast<uint32_t>(s.vGameTypeFlags.size()));
        for (auto& g : s.vGameTypeFlags) {
            Record(w, g, v);
            Bytes(w, g.vFlag);
        }
    }
    Strings(w, s.vText);
    Strings(w, s.vSeName);
    Ints(w, s.vPlaceBgm);
    if (v >= 202) Bytes(w, s.vPlaceFlag);
    Records(w, s.vTitleMenu, v);
    Records(w, s.vMapMenu, v);
    Records(w, s.vOptionMenu, v);
    if (v >= 674) Strings(w, s.vRankModeName);
    Records(w, s.vOption, v);
    return w.TakeBytes();
}

namespace {

template <class V>
void EraseAt(V& v, std::initializer_list<int> at) {
    for (int k : at)
        if (k >= 0 && static_cast<size_t>(k) < v.size()) v.erase(v.begin() + k);
}

}  // namespace

cSystemData AsStoredAt(const cSystemData& s, uint32_t v) {
    cSystemData o = s;
    // Newest first, each undoing the insertions a load of an older file makes.
    if (v < 756) EraseAt(o.vText, {22});
    if (v < 672) EraseAt(o.vOption, {9});
    if (v < 568) EraseAt(o.vOption, {5, 4});
    if (v < 567) EraseAt(o.vOption, {4});
    if (v < 286) EraseAt(o.vOption, {0});
    if (v < 210) EraseAt(o.vCarryFlag, {9});
    if (v < 201) EraseAt(o.vCarryFlag, {14});
    if (v < 193) EraseAt(o.vText, {23, 22});
    if (v < 181) EraseAt(o.vText, {9, 8});
    if (v < 169) {
        EraseAt(o.vText, {12, 12, 12});
        EraseAt(o.vMapMenu, {1});
    }
    if (v < 168) EraseAt(o.vCarryFlag, {16});
    return o;
}

namespace {

void Events(cDataWriter& w, std::vector<cWorldEvent>& v, uint32_t ver) {
    w.WriteU32(static_cast<uint32_t>(v.size()));
    for (auto& e : v) {
        Record(w, e, ver);
        Records(w, e.vPage, ver);
    }
}

}  // namespace

std::vector<uint8_t> WorldMapDat(cWorldMap& m, uint32_t v) {
    cDataWriter w;
    w.WriteU32(v);
    Record(w, m, v);
    Records(w, m.vChip, v);
    Ints(w, m.vCell);
    Events(w, m.vEvent, v);
    Events(w, m.vNamedEvent, v);
    return w.TakeBytes();
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) { return WriteFileAtomic(path, bytes); }

}  // namespace oldsys
