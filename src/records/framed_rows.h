#pragma once
// Lists of records whose stream is a text row (see text_rows.h) followed by
// u32 count and that many fixed images of plain values, the record's frame
// list (a cInlineList): animation entries, effect pictures, sword types. A
// run of such records of the current version is taken or written in one pass
// over the bytes, with no reader or writer call per record.
#include <cstdint>
#include <cstring>
#include <vector>

#include "records/field_table.h"
#include "records/text_rows.h"
#include "records/version.h"

// For a record's AppendLoaded: appends to v, up to n elements, while the
// next stream is a current text row of ROWS followed by a count whose frames
// are all in hand and all current images of FRAMES. Each element is made by
// T(bare), which must be T() but for its frame list LIST (left empty), then
// given its text row and frames straight from the bytes: as T() loaded by
// its own Load would be (the table load, then the count, then a frame list of
// those images alone). The elements from the first other stream on are left
// to the caller, the reader at that stream.
template <const auto& ROWS, const auto& FRAMES, auto LIST, class T, class BARE>
[[gnu::flatten]] void AppendFramedRows(cDataReader& file, std::vector<T>& v, size_t n, BARE bare) {
    using IMAGE = cCurrentRows<ROWS>;
    static_assert(FILLS_WHOLE<FRAMES>, "frames are taken as plain values");
    constexpr size_t FRAME = 8 + cCurrentRows<FRAMES>::BYTES;
    if (nReadVersion != DATA_VERSION || v.size() >= n) return;
    const size_t avail = file.Remaining();
    const uint8_t* p = file.Peek(avail);
    if (!p) return;
    v.reserve(n);
    size_t q = 0;
    for (size_t i = v.size(); i < n; ++i) {
        const uint8_t* s = p + q;
        const size_t rest = avail - q;
        T& e = v.emplace_back(bare);
        // An element whose stream is not whole is dropped again, taken or not.
        const size_t row = TakeWholeTextRow<IMAGE, true>(s, rest, e);
        uint32_t k = 0;
        if (row && rest - row >= 4) std::memcpy(&k, s + row, 4);
        if (!row || rest - row < 4 || k > (rest - row - 4) / FRAME ||
            !(e.*LIST).FillTo(k, [&](auto* d) { return TakeRowImages<FRAMES>(s + row + 4, k, d); })) {
            v.pop_back();
            break;
        }
        q += row + 4 + k * FRAME;
    }
    file.Skip(q);
}

// Elements [0, n) saved as their own Save does one by one (the table save,
// then u32 frame count and the frames' table saves), in one write when the
// version is current.
template <const auto& ROWS, const auto& FRAMES, auto LIST, class T>
void SaveFramedRows(cDataWriter& file, T* elems, size_t n) {
    using IMAGE = cCurrentRows<ROWS>;
    constexpr size_t FRAME = 8 + cCurrentRows<FRAMES>::BYTES;
    if (nDataVersion != DATA_VERSION) {
        for (size_t i = 0; i < n; ++i) elems[i].Save(file);
        return;
    }
    size_t total = 0;
    for (size_t i = 0; i < n; ++i) total += CutTextRowBytes<IMAGE>(elems[i]) + 4 + (elems[i].*LIST).size() * FRAME;
    uint8_t* p = file.Extend(total + TEXT_SLACK);
    for (size_t i = 0; i < n; ++i) {
        p = PutTextRow<IMAGE, true>(p, elems[i]);
        auto& list = elems[i].*LIST;
        const auto k = static_cast<uint32_t>(list.size());
        std::memcpy(p, &k, 4);
        p = PutRowImages<FRAMES>(p + 4, list.data(), k);
    }
    file.Unextend(TEXT_SLACK);
}
