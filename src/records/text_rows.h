#pragma once
// Lists of table records that store texts, loaded and saved a run of
// elements at a time. A record of the current version is its fixed image
// (count word, numbers, string count) followed by its texts: an element whose
// stream is that image with every text whole in the stream is taken with one
// copy of its numbers and one assignment per text; any other element (a
// stream of another version, fewer fields or texts, a short stream) is left
// to the element's own load, which fails or reads it as it always has.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "records/field_table.h"
#include "records/text.h"
#include "records/version.h"

// Whether the avail bytes at p begin with the head of the current fixed
// image of IMAGE: its number count, numbers and string count.
template <class IMAGE>
bool HasCurrentRowHead(const uint8_t* p, size_t avail) {
    if (avail < 8 + IMAGE::BYTES) return false;
    uint32_t words[2];
    std::memcpy(&words[0], p, 4);
    std::memcpy(&words[1], p + 4 + IMAGE::BYTES, 4);
    return words[0] == IMAGE::NUMBERS && words[1] == IMAGE::STRINGS;
}

// Bytes of the record stream at p (avail bytes in hand) when it is the
// current fixed image of IMAGE with every text whole; 0 otherwise.
template <class IMAGE>
size_t TextRowStreamBytes(const uint8_t* p, size_t avail) {
    if (!HasCurrentRowHead<IMAGE>(p, avail)) return 0;
    size_t q = 8 + IMAGE::BYTES;
    for (uint32_t k = 0; k < IMAGE::STRINGS; ++k) {
        if (avail - q < 4) return 0;
        uint32_t len;
        std::memcpy(&len, p + q, 4);
        q += 4;
        // An empty text is its length word alone.
        if (len > 1) {
            if (len > avail - q) return 0;
            q += len;
        }
    }
    return q;
}

// Offset of the first NUL among the n bytes at p (n when there is none), and
// in bCR whether a carriage return comes before it: the two searches of a
// loaded text in one pass, word by word as FindByte does.
inline size_t FindTextEnd(const char* p, size_t n, bool& bCR) {
    constexpr uint64_t ONES = 0x0101010101010101u, HIGHS = 0x8080808080808080u, CRS = ONES * '\r';
    if (n < 8) {
        bCR = false;
        for (size_t i = 0; i < n; ++i) {
            if (p[i] == '\0') return i;
            bCR |= p[i] == '\r';
        }
        return n;
    }
    // Word by word; the last word overlaps bytes already searched, which hold
    // no NUL. The lowest flagged byte of each mask is always a true match.
    bool bAnyCR = false;
    for (size_t at = 0;;) {
        uint64_t v;
        std::memcpy(&v, p + at, 8);
        const uint64_t c = v ^ CRS;
        const uint64_t nul = (v - ONES) & ~v & HIGHS;
        const uint64_t cr = (c - ONES) & ~c & HIGHS;
        if (nul) {
            bCR = bAnyCR || (cr != 0 && std::countr_zero(cr) < std::countr_zero(nul));
            return at + static_cast<size_t>(std::countr_zero(nul) >> 3);
        }
        bAnyCR |= cr != 0;
        if (at == n - 8) break;
        at = std::min(at + 8, n - 8);
    }
    bCR = bAnyCR;
    return n;
}

// The same for a text after which the bytes up to pEnd may be read too: when
// 15 bytes past the text can be, 16 bytes at a time, both searches one
// compare each (the texts of records are mostly shorter than 16 bytes).
[[gnu::always_inline]] inline size_t FindTextEndIn(const char* p, size_t n, const uint8_t* pEnd, bool& bCR) {
#if defined(__SSE2__)
    const auto room = static_cast<size_t>(reinterpret_cast<const char*>(pEnd) - p);
    if (room >= 15 && n <= room - 15) {
        const __m128i zeros = _mm_setzero_si128(), crs = _mm_set1_epi8('\r');
        if (n <= 16) {
            // One compare each, the bytes past the text masked off.
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const unsigned keep = 0xFFFFu >> (16 - n);
            const unsigned nul = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zeros))) & keep;
            const unsigned cr = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, crs))) & keep;
            if (nul) {
                bCR = (cr & ((nul & (0u - nul)) - 1)) != 0;
                return static_cast<size_t>(std::countr_zero(nul));
            }
            bCR = cr != 0;
            return n;
        }
        bool bAnyCR = false;
        for (size_t at = 0; at < n; at += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
            // Bytes past the text are masked off.
            const unsigned keep = n - at >= 16 ? 0xFFFFu : (1u << (n - at)) - 1;
            const unsigned nul = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zeros))) & keep;
            const unsigned cr = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, crs))) & keep;
            if (nul) {
                bCR = bAnyCR || (cr & ((nul & (0u - nul)) - 1)) != 0;
                return at + static_cast<size_t>(std::countr_zero(nul));
            }
            bAnyCR |= cr != 0;
        }
        bCR = bAnyCR;
        return n;
    }
#else
    (void)pEnd;
#endif
    return FindTextEnd(p, n, bCR);
}

// Takes the text whose length word is at p + q into s, as the table load
// does (up to its first NUL); moves q past it and notes a carriage return
// before that NUL in bAnyCR. With bRemake, a short text makes s anew rather
// than being appended to it (see below): for a string just made, which has
// nothing to keep.
template <bool bRemake = false>
[[gnu::always_inline]] inline void TakeText(const uint8_t* p, size_t& q, std::string& s, const uint8_t* pEnd,
                                            bool& bAnyCR) {
    uint32_t len;
    std::memcpy(&len, p + q, 4);
    q += 4;
    // A string made anew is emptied only when it is not.
    if (!bRemake || len <= 1) s.clear();
    if (len <= 1) return;
    const char* text = reinterpret_cast<const char*>(p + q);
    q += len;
    bool bCR;
    const size_t n = pEnd ? FindTextEndIn(text, len, pEnd, bCR) : FindTextEnd(text, len, bCR);
    bAnyCR |= bCR;
    // An append to the emptied string does less checking than an assignment.
    // A short text, with 15 bytes in hand from its start, is appended as
    // those 15 bytes and cut back: a copy of a known size is a few moves, not
    // a library call, and the emptied string holds 15 characters without
    // allocating.
    if (n <= 15 && pEnd && pEnd - reinterpret_cast<const uint8_t*>(text) >= 15) {
        if constexpr (bRemake) {
            // Made from the 15 bytes, which a string holds in its own room:
            // its constructor of a known size checks nothing and cannot fail.
            std::destroy_at(&s);
            std::construct_at(&s, text, size_t{15});
        } else {
            s.append(text, 15);
        }
        s.resize(n);
    } else {
        if constexpr (bRemake) s.clear();
        s.append(text, n);
    }
}
// The same into a compact text: an empty one (the most) makes no string.
template <bool bRemake = false>
[[gnu::always_inline]] inline void TakeText(const uint8_t* p, size_t& q, cText& s, const uint8_t* pEnd,
                                            bool& bAnyCR) {
    uint32_t len;
    std::memcpy(&len, p + q, 4);
    if (len <= 1) {
        q += 4;
        s.clear();
        return;
    }
    TakeText(p, q, s.Edit(), pEnd, bAnyCR);
    s.ReleaseIfEmpty();
}

// Takes a stream that TextRowStreamBytes accepted into `self`, as the
// element's table load does: the numbers, every text up to its first NUL,
// then the texts' carriage returns removed when bRemoveCR. The bytes from p
// up to pEnd, when given, may all be read (see FindTextEndIn). The texts are
// taken one after the other with their members known at compile time.
// Always inline: its callers take a record a stream, by the hundred
// thousand, and the call would cost about what the copies do.
template <class IMAGE, class C>
[[gnu::always_inline]] inline void TakeTextRow(const uint8_t* p, C& self, const uint8_t* pEnd = nullptr) {
    IMAGE::Spread(p + 4, self);
    size_t q = 8 + IMAGE::BYTES;
    bool bAnyCR = false;
    [&]<size_t... K>(std::index_sequence<K...>) __attribute__((always_inline)) {
        (TakeText(p, q, self.*IMAGE::STRING_MEMBERS[K], pEnd, bAnyCR), ...);
    }(std::make_index_sequence<IMAGE::STRINGS>{});
    // Texts without carriage returns lose none.
    if (bAnyCR && bRemoveCR)
        for (auto pm : IMAGE::STRING_MEMBERS) RemoveCarriageReturns(self.*pm);
}

// Takes the text whose length word is at p + q into s, as TakeText does,
// when the word and the text are both within the avail bytes at p; else
// false with s untouched.
template <bool bRemake = false, class S>
[[gnu::always_inline]] inline bool TakeWholeText(const uint8_t* p, size_t& q, size_t avail, S& s, bool& bAnyCR) {
    if (avail - q < 4) return false;
    uint32_t len;
    std::memcpy(&len, p + q, 4);
    if (len > 1 && len > avail - q - 4) return false;
    TakeText<bRemake>(p, q, s, p + avail, bAnyCR);
    return true;
}

// TextRowStreamBytes and TakeTextRow in one pass: when the avail bytes at p
// begin with the current fixed image of IMAGE with every text whole, takes
// it into `self` and gives its bytes; else 0, with `self` partly taken (its
// numbers and the texts before the first that is not whole). A table load of
// the same bytes overwrites that part with the same values, so a caller that
// falls back to one, or drops the element, ends as the two passes would.
// With bRemake, short texts make their strings anew (see TakeText): for an
// element just made.
template <class IMAGE, bool bRemake = false, class C>
size_t TakeWholeTextRow(const uint8_t* p, size_t avail, C& self) {
    if (!HasCurrentRowHead<IMAGE>(p, avail)) return 0;
    IMAGE::Spread(p + 4, self);
    size_t q = 8 + IMAGE::BYTES;
    bool bAnyCR = false;
    const bool bWhole = [&]<size_t... K>(std::index_sequence<K...>) __attribute__((always_inline)) {
        return (TakeWholeText<bRemake>(p, q, avail, self.*IMAGE::STRING_MEMBERS[K], bAnyCR) && ...);
    }(std::make_index_sequence<IMAGE::STRINGS>{});
    if (!bWhole) return 0;
    // Texts without carriage returns lose none.
    if (bAnyCR && bRemoveCR)
        for (auto pm : IMAGE::STRING_MEMBERS) RemoveCarriageReturns(self.*pm);
    return q;
}

// Offset of the first NUL of s (its size when there is none). A text of up
// to 16 bytes is one compare of the 16 bytes at its start, which are all its
// own: a string's room is at least 15 characters and its terminating NUL.
inline size_t FindStringNul(const std::string& s) {
#if defined(__SSE2__)
    if (s.size() <= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data()));
        const unsigned nul = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128()))) &
                             ((1u << s.size()) - 1);
        return nul ? static_cast<size_t>(std::countr_zero(nul)) : s.size();
    }
#endif
    return FindByte(s.data(), s.size(), '\0');
}

// Stream bytes of the text s, cut at its first NUL first.
[[gnu::always_inline]] inline size_t CutTextBytes(std::string& s) {
    const size_t nul = FindStringNul(s);
    if (nul != s.size()) s.resize(nul);
    return 4 + (s.empty() ? 0 : s.size() + 1);
}
[[gnu::always_inline]] inline size_t CutTextBytes(cText& s) {
    if (s.empty()) return 4;
    const size_t bytes = CutTextBytes(s.Edit());
    s.ReleaseIfEmpty();
    return bytes;
}

// Stream bytes of the record stream of `self` at the current version, its
// texts cut at their first NUL first, as the table save cuts them.
template <class IMAGE, class C>
size_t CutTextRowBytes(C& self) {
    size_t bytes = 8 + IMAGE::BYTES;
    [&]<size_t... K>(std::index_sequence<K...>) __attribute__((always_inline)) {
        ((bytes += CutTextBytes(self.*IMAGE::STRING_MEMBERS[K])), ...);
    }(std::make_index_sequence<IMAGE::STRINGS>{});
    return bytes;
}

// Bytes past the end of a run of texts that PutText<true> may write.
constexpr size_t TEXT_SLACK = 15;

// Writes the text s (already cut) at p: length word, then the characters and
// a NUL unless it is empty; gives its end. With bSlack, TEXT_SLACK bytes past
// that end may be written too: a text of up to 16 bytes with its NUL is then
// one copy of the 16 bytes at its start, which are all its own (see
// FindStringNul).
template <bool bSlack = false>
[[gnu::always_inline]] inline uint8_t* PutText(uint8_t* p, const std::string& s) {
    const auto len = static_cast<uint32_t>(s.size() + 1);
    std::memcpy(p, &len, 4);
    p += 4;
    if (s.empty()) return p;
    if constexpr (bSlack) {
        if (len <= 16) {
            std::memcpy(p, s.c_str(), 16);
            return p + len;
        }
    }
    CopyRunBytes(p, s.c_str(), len);
    return p + len;
}
template <bool bSlack = false>
[[gnu::always_inline]] inline uint8_t* PutText(uint8_t* p, const cText& s) {
    return PutText<bSlack>(p, s.Str());
}

// Writes the record stream of `self` (texts already cut) at p; gives its end
// (with bSlack, TEXT_SLACK bytes past it may be written too).
template <class IMAGE, bool bSlack = false, class C>
uint8_t* PutTextRow(uint8_t* p, C& self) {
    constexpr uint32_t words[2] = {IMAGE::NUMBERS, IMAGE::STRINGS};
    std::memcpy(p, &words[0], 4);
    IMAGE::Gather(p + 4, self);
    std::memcpy(p + 4 + IMAGE::BYTES, &words[1], 4);
    p += 8 + IMAGE::BYTES;
    [&]<size_t... K>(std::index_sequence<K...>) __attribute__((always_inline)) {
        ((p = PutText<bSlack>(p, self.*IMAGE::STRING_MEMBERS[K])), ...);
    }(std::make_index_sequence<IMAGE::STRINGS>{});
    return p;
}

// The table stream of `self` read as its table load `load(file)` reads it:
// taken in place when it is the current fixed image with every text whole.
template <const auto& ROWS, class C, class LOAD>
void LoadTextRow(cDataReader& file, C& self, LOAD load) {
    if (nReadVersion == DATA_VERSION) {
        const size_t avail = file.Remaining();
        const uint8_t* p = file.Peek(avail);
        if (const size_t bytes = p ? TakeWholeTextRow<cCurrentRows<ROWS>>(p, avail, self) : 0) {
            file.Skip(bytes);
            return;
        }
    }
    load(file);
}

// Elements [0, n) of a list of records whose table ROWS stores texts, loaded
// as their own Load does one by one. That Load must be the table load, then
// what `tail(file, element)` reads (the rest of the element's stream, if any),
// then only fix-ups of files older than the current version (which a current
// stream leaves alone). Elements whose table stream is the current fixed image
// are taken in place; each other one by its own Load, the first failure
// ending the list.
template <const auto& ROWS, class T, class TAIL>
void LoadTextRowRecords(cDataReader& file, T* elems, size_t n, TAIL tail) {
    using IMAGE = cCurrentRows<ROWS>;
    const bool bCurrent = nReadVersion == DATA_VERSION;
    for (size_t i = 0; i < n; ++i) {
        if (bCurrent) {
            const size_t avail = file.Remaining();
            const uint8_t* p = file.Peek(avail);
            if (const size_t bytes = p ? TakeWholeTextRow<IMAGE>(p, avail, elems[i]) : 0) {
                file.Skip(bytes);
                tail(file, elems[i]);
                if (file.Failed()) return;
                continue;
            }
        }
        elems[i].Load(file);
        if (file.Failed()) return;
    }
}
// Without a tail: runs of current elements are taken straight from the bytes
// in hand, the reader moved once a run.
template <const auto& ROWS, class T>
void LoadTextRowRecords(cDataReader& file, T* elems, size_t n) {
    using IMAGE = cCurrentRows<ROWS>;
    const bool bCurrent = nReadVersion == DATA_VERSION;
    size_t i = 0;
    while (i < n) {
        if (bCurrent) {
            const size_t avail = file.Remaining();
            if (const uint8_t* p = file.Peek(avail)) {
                size_t q = 0;
                for (; i < n; ++i) {
                    const size_t bytes = TakeWholeTextRow<IMAGE>(p + q, avail - q, elems[i]);
                    if (!bytes) break;
                    q += bytes;
                }
                file.Skip(q);
                if (i == n) return;
            }
        }
        elems[i].Load(file);
        if (file.Failed()) return;
        ++i;
    }
}

// Elements [0, n) of such a list saved as their own Save does one by one:
// the table save, then what `tail(file, element)` writes.
template <const auto& ROWS, class T, class TAIL>
void SaveTextRowRecords(cDataWriter& file, T* elems, size_t n, TAIL tail) {
    using IMAGE = cCurrentRows<ROWS>;
    if (nDataVersion != DATA_VERSION) {
        for (size_t i = 0; i < n; ++i) elems[i].Save(file);
        return;
    }
    for (size_t i = 0; i < n; ++i) {
        PutTextRow<IMAGE>(file.Extend(CutTextRowBytes<IMAGE>(elems[i])), elems[i]);
        tail(file, elems[i]);
    }
}
// Without a tail, in one write.
template <const auto& ROWS, class T>
void SaveTextRowRecords(cDataWriter& file, T* elems, size_t n) {
    using IMAGE = cCurrentRows<ROWS>;
    if (nDataVersion != DATA_VERSION) {
        for (size_t i = 0; i < n; ++i) elems[i].Save(file);
        return;
    }
    size_t total = 0;
    for (size_t i = 0; i < n; ++i) total += CutTextRowBytes<IMAGE>(elems[i]);
    uint8_t* p = file.Extend(total + TEXT_SLACK);
    for (size_t i = 0; i < n; ++i) p = PutTextRow<IMAGE, true>(p, elems[i]);
    file.Unextend(TEXT_SLACK);
}

// Appends to v, up to n elements, while the next stream is a current text
// row with every text whole: each element made by T(bare) and taken straight
// from the bytes; gives the bytes taken (the reader is not moved). Flattened:
// the texts of an element made just before are known to be empty, in their
// room inside the string, which leaves little of their assignment to do.
template <class IMAGE, class T, class BARE>
[[gnu::flatten]] size_t AppendTakenTextRows(const uint8_t* p, size_t avail, std::vector<T>& v, size_t n, BARE bare) {
    size_t q = 0;
    for (size_t i = v.size(); i < n; ++i) {
        const size_t bytes = TakeWholeTextRow<IMAGE, true>(p + q, avail - q, v.emplace_back(bare));
        if (!bytes) {
            // Taken in part, or not at all: dropped again.
            v.pop_back();
            break;
        }
        q += bytes;
    }
    return q;
}

// For the AppendLoaded of a record whose Load is the table load of ROWS
// alone (then only fix-ups of files older than the current version): appends
// to v until it holds n elements, each as T() loaded by its own Load would be,
// the first failure ending the list with T() after it. While the next stream
// is a current text row with every text whole, the element is made by
// T(bare), which must be T() but for the members that row sets, and taken
// straight from the bytes (AppendTakenTextRows); from the first other stream
// on, T() and its own Load.
template <const auto& ROWS, class T, class BARE>
void AppendTextRows(cDataReader& file, std::vector<T>& v, size_t n, BARE bare) {
    if (v.size() >= n) return;
    v.reserve(n);
    if (nReadVersion == DATA_VERSION) {
        const size_t avail = file.Remaining();
        if (const uint8_t* p = file.Peek(avail))
            file.Skip(AppendTakenTextRows<cCurrentRows<ROWS>>(p, avail, v, n, bare));
    }
    while (v.size() < n) {
        v.emplace_back().Load(file);
        if (file.Failed()) {
            v.resize(n);
            return;
        }
    }
}
