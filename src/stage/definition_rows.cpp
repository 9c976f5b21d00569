#include "stage/definition_rows.h"

#include <algorithm>

#include "records/version.h"

namespace {

// Largest numeric image of the records that use plans (the stage record: 416 bytes).
constexpr size_t MAX_NUM_BYTES = 1024;

// Copies one field of 1, 2, 4 or 8 bytes (fixed sizes, so the copies are inlined).
inline void CopyField(uint8_t* dst, const uint8_t* src, uint32_t n) {
    switch (n) {
    case 1: *dst = *src; break;
    case 2: std::memcpy(dst, src, 2); break;
    case 4: std::memcpy(dst, src, 4); break;
    case 8: std::memcpy(dst, src, 8); break;
    default: std::memcpy(dst, src, n); break;
    }
}

inline void ZeroField(uint8_t* dst, uint32_t n) {
    static constexpr uint8_t zero[8] = {};
    if (n <= 8) CopyField(dst, zero, n);
    else std::memset(dst, 0, n);
}

}  // namespace

uint32_t cDefRecord::CurrentVersion() { return nDataVersion; }

void cDefRecord::LoadPlanned(cDataReader& file, uint32_t n, const DEFPLAN& plan, uint8_t* self) {
    if (n > plan.vNum.size()) {
        file.SetFailed("field count " + std::to_string(n) + " above the " + std::to_string(plan.vNum.size()) +
                       " registered");
        return;
    }
    size_t bytes = 0;
    for (uint32_t i = 0; i < n; ++i) bytes += plan.vNum[i].nSize;
    uint8_t buf[MAX_NUM_BYTES];
    if (bytes > sizeof buf || !file.Read(buf, bytes)) {
        if (!file.Failed()) file.SetFailed("record too large");
        return;
    }
    const uint8_t* p = buf;
    for (uint32_t i = 0; i < n; ++i) {
        CopyField(self + plan.vNum[i].nOffset, p, plan.vNum[i].nSize);
        p += plan.vNum[i].nSize;
    }
    const uint32_t m = file.ReadU32();
    if (file.Failed()) return;
    if (m > plan.vStr.size()) {
        file.SetFailed("string count " + std::to_string(m) + " above the " + std::to_string(plan.vStr.size()) +
                       " registered");
        return;
    }
    for (size_t k = 0; k < plan.vStr.size(); ++k) {
        auto& str = *reinterpret_cast<std::string*>(self + plan.vStr[k]);
        if (k < m) {
            LoadStreamString(file, str);
            if (file.Failed()) return;
        }
        if (bRemoveCR) std::erase(str, '\r');
    }
}

void cDefRecord::SavePlanned(cDataWriter& file, const DEFPLAN& plan, uint8_t* self) {
    uint8_t buf[4 + MAX_NUM_BYTES];
    const uint32_t n = static_cast<uint32_t>(plan.vNum.size());
    std::memcpy(buf, &n, 4);
    uint8_t* p = buf + 4;
    for (const DEFPLAN::NUM& f : plan.vNum) {
        CopyField(p, self + f.nOffset, f.nSize);
        p += f.nSize;
    }
    file.Write(buf, static_cast<size_t>(p - buf));
    file.WriteU32(static_cast<uint32_t>(plan.vStr.size()));
    for (uint32_t off : plan.vStr) SaveStreamString(file, *reinterpret_cast<std::string*>(self + off));
}

void cDefRecord::ClearPlanned(const DEFPLAN& plan, uint8_t* self) {
    for (const DEFPLAN::NUM& f : plan.vNum) ZeroField(self + f.nOffset, f.nSize);
    for (uint32_t off : plan.vStr) reinterpret_cast<std::string*>(self + off)->clear();
}
