#pragma once
// Byte images of the player's files as older data versions wrote them.
#include <string>
#include <vector>

#include "records/version.h"
#include "stage/chara_data.h"
#include "stage/stage_bytes.h"

// A string of a record stream: u32 length + 1, the text and its NUL.
inline void Str(cBytes& b, const std::string& s) {
    b.U32(static_cast<uint32_t>(s.size() + 1));
    if (!s.empty()) b.Raw(s.c_str(), s.size() + 1);
}

// A save file as data version v wrote it: field k of the record holds 100 + k.
inline std::vector<uint8_t> OldSaveFile(uint32_t v) {
    std::vector<int> fields = {1, 2, 3, 4, 5};
    if (v >= 758) fields.insert(fields.end(), {8, 9, 10});
    fields.insert(fields.end(), {11, 12, 13, 14, 15, 16, 17, 18, 19});
    if (v >= 182) fields.insert(fields.end(), {20, 21});
    fields.insert(fields.end(), {22, 23});
    if (v >= 166) fields.push_back(24);
    if (v >= 194) fields.push_back(25);
    if (v >= 190) fields.push_back(26);
    int count = static_cast<int>(fields.size());
    if (v >= 191) fields.insert(fields.end(), {27, 28}), ++count;  // one field of two
    fields.insert(fields.end(), {29, 30});
    count += 2;
    if (v >= 169) fields.push_back(31), ++count;
    fields.insert(fields.end(), {33, 34});
    count += 2;
    if (v >= 678) fields.insert(fields.end(), {35, 36, 37}), ++count;
    if (v >= 679) fields.push_back(38), ++count;
    cBytes b;
    b.U32(v).U32(static_cast<uint32_t>(count));
    for (int k : fields) b.I32(100 + k);
    b.U32(v >= 724 ? 3 : 2);
    Str(b, "s.");
    if (v >= 724) Str(b, "r.");
    Str(b, "nm");
    b.Fill(16, 0);
    if (v >= 501) b.U32(3).I32(1).I32(0).I32(1);
    b.U32(1).U32(5).I32(1).I32(2).I32(3).I32(4).I32(5).U32(0);
    {
        cCharaData c;
        c.nMaxHP = 77;
        cDataWriter w;
        const uint32_t keep = nDataVersion;
        nDataVersion = v;
        c.Save(w);
        nDataVersion = keep;
        b.Raw(w.Bytes().data(), w.Size());
    }
    b.U32(1);
    if (v >= 759) b.U32(4).I32(1).I32(2).I32(3).I32(77).U32(2);
    else b.U32(1).I32(77).U32(1);
    Str(b, "st.");
    if (v >= 759) Str(b, "rk.");
    b.U32(2).U32(2).I32(1).I32(2).U32(0).U32(2).I32(3).I32(4).U32(0);
    b.U32(3).I32(0).I32(5).I32(6);
    const int vars = v < 754 ? 1000 : 1001;
    b.U32(static_cast<uint32_t>(vars));
    for (int i = 0; i < vars; ++i) b.I32(i % 7);
    return b.Bytes();
}

