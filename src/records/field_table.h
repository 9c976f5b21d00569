#pragma once
// Stored fields of a record written as a table: one row per field in stored
// order (member, width in bytes, first version that stores it, first version
// that no longer does), so that a row can be checked against the file format
// without reading serialisation code. Layout registers from the table; load,
// save and clear work straight from it through a plan made once per version,
// with no registry (records that come by the ten thousand in a stage).
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "records/record.h"
#include "records/text.h"
#include "records/version.h"

// Whether P points to a text member of C: a string, or a compact text.
template <class C, class P>
constexpr bool IS_TEXT_MEMBER = std::is_same_v<P, std::string C::*> || std::is_same_v<P, cText C::*>;

template <class C>
struct FIELDROW {
    using CLASS = C;
    using MEMBER = std::variant<std::monostate,  // a dropped value: read into scratch, written as zeros
                                uint8_t C::*, int8_t C::*, uint16_t C::*, int16_t C::*, int32_t C::*,
                                uint32_t C::*, double C::*, int16_t (C::*)[3], uint8_t (C::*)[3],
                                int32_t (C::*)[2], int32_t (C::*)[3], int32_t (C::*)[5], int32_t (C::*)[10],
                                std::string C::*, cText C::*>;
    MEMBER lpMember;
    int nWidth = 0;        // bytes of one element; 0 for texts
    uint32_t nFrom = 0;    // first data version that stores the field
    uint32_t nUntil = 0;   // first data version that no longer stores it; 0: still stored
    double dDefault = 0;   // the member's default value (numeric members)
    const char* lpszDefault = "";  // the member's default text (string members)
    int nElement = -1;     // array members: the one element the row stores; -1: the whole array, one field
    // What a file that does not store the field reads as, where that is not
    // dDefault (an older project keeps its older behaviour); empty: dDefault.
    std::optional<double> dOlder = std::nullopt;

    // Whether a file of version v stores this field.
    constexpr bool StoredIn(uint32_t v) const { return v >= nFrom && (nUntil == 0 || v < nUntil); }
    // Whether the width column agrees with the member's type (scratch rows:
    // any width above 0; array members: the element's, and an element inside the array).
    constexpr bool WidthMatches() const {
        return std::visit(
            [this](auto pm) -> bool {
                using P = decltype(pm);
                if constexpr (std::is_same_v<P, std::monostate>) {
                    return nWidth > 0 && nElement < 0;
                } else if constexpr (IS_TEXT_MEMBER<C, P>) {
                    return nWidth == 0 && nElement < 0;
                } else {
                    using M = std::remove_reference_t<decltype(std::declval<C&>().*pm)>;
                    if constexpr (std::is_array_v<M>)
                        return nWidth == static_cast<int>(sizeof(std::remove_extent_t<M>)) &&
                               nElement < static_cast<int>(std::extent_v<M>);
                    else
                        return nWidth == static_cast<int>(sizeof(M)) && nElement < 0;
                }
            },
            lpMember);
    }
    // Elements the row registers (a whole array counts as one field of all its elements).
    constexpr int Count() const {
        return std::visit(
            [this](auto pm) -> int {
                using P = decltype(pm);
                if constexpr (std::is_same_v<P, std::monostate> || IS_TEXT_MEMBER<C, P>) {
                    return 1;
                } else {
                    using M = std::remove_reference_t<decltype(std::declval<C&>().*pm)>;
                    if constexpr (std::is_array_v<M>) return nElement < 0 ? static_cast<int>(std::extent_v<M>) : 1;
                    else return 1;
                }
            },
            lpMember);
    }
    constexpr bool IsString() const {
        return std::holds_alternative<std::string C::*>(lpMember) || std::holds_alternative<cText C::*>(lpMember);
    }
    // Bytes of the row in the stream (0 for strings).
    constexpr int Bytes() const { return nWidth * Count(); }
};

// Whether every row's width agrees with its member; checked beside each table
// by static_assert.
template <class C, size_t N>
constexpr bool WidthsMatch(const FIELDROW<C> (&rows)[N]) {
    for (const FIELDROW<C>& row : rows)
        if (!row.WidthMatches()) return false;
    return true;
}

// Whether a and b hold the same value in every member the rows name (every
// stored field, of whatever version).
template <class C>
bool RowsEqual(std::span<const FIELDROW<C>> rows, const C& a, const C& b) {
    constexpr bool bPacked = requires { C::PACKED_IMAGE; };
    for (const FIELDROW<C>& row : rows) {
        const bool bSame = std::visit(
            [&a, &b](auto pm) -> bool {
                using P = decltype(pm);
                if constexpr (std::is_same_v<P, std::monostate>) {
                    return true;
                } else {
                    using M = std::remove_cvref_t<decltype(a.*pm)>;
                    if constexpr (!bPacked || !std::is_trivially_copyable_v<M>) {
                        if constexpr (std::is_array_v<M>)
                            return std::equal(std::begin(a.*pm), std::end(a.*pm), std::begin(b.*pm));
                        else
                            return a.*pm == b.*pm;
                    } else {
                        // Compared as copies: numbers lie unaligned in a packed record.
                        M x, y;
                        std::memcpy(&x, &(a.*pm), sizeof x);
                        std::memcpy(&y, &(b.*pm), sizeof y);
                        if constexpr (std::is_array_v<M>)
                            return std::equal(std::begin(x), std::end(x), std::begin(y));
                        else
                            return x == y;
                    }
                }
            },
            row.lpMember);
        if (!bSame) return false;
    }
    return true;
}

// Numeric rows [nFirst, nLast] of a plan, which lie back to back both in the
// stream and in the object, so that one copy moves them all.
struct COPYRUN {
    uint32_t nFirst;
    uint32_t nLast;
};

// Where the fields that one version stores live inside an object: numeric
// rows as offsets, sizes and stream end positions, gathered into runs;
// texts as offsets. Made once per (table, version, left-out member).
struct TABLEPLAN {
    struct NUM {
        uint32_t nOffset;  // offset in the object; unused for scratch rows
        uint32_t nSize;    // bytes in the stream and in the object
        uint32_t nEnd;     // stream bytes of the numeric rows up to and including this one
        bool bScratch;     // a dropped value: read past, written as zeros
    };
    const void* lpRows = nullptr;  // the table the plan was made from
    uint32_t nVersion = 0;
    const void* lpSkip = nullptr;  // the member left out, or null
    std::vector<NUM> vNumeric;     // every numeric row, in stored order
    std::vector<COPYRUN> vRun;     // every numeric row but the scratch ones, in stored order
    struct TEXT {
        uint32_t nOffset;  // offset in the object
        bool bCompact;     // a cText, else a std::string
    };
    std::vector<TEXT> vString;     // the text members, in stored order

    // Stream bytes of the first n numeric rows.
    size_t BytesOf(uint32_t n) const { return n ? vNumeric[n - 1].nEnd : 0; }
    // Whether this plan is the one asked for.
    bool Is(const void* rows, uint32_t v, const void* skip) const {
        return lpRows == rows && nVersion == v && lpSkip == skip;
    }
    // Appends a numeric row (offset ignored for scratch rows), joining it to
    // the last run when it follows that run's last row in the object too.
    void AddNumeric(uint32_t nOffset, uint32_t nSize, bool bScratch);
    void AddString(uint32_t nOffset, bool bCompact) { vString.push_back(TEXT{nOffset, bCompact}); }

    // The record stream after its field-count word n, read into the object at
    // `base` with the rules of the generic load: n above the plan or a string
    // count above it is a failed load; the numeric fields are taken in one
    // read (a short stream writes no member); after a load that did not fail
    // every string of the plan has lost its carriage returns when bRemoveCR.
    void Load(cDataReader& file, uint32_t n, char* base) const;
    // Writes the record stream of the object at `base`: count, numbers, count, strings.
    void Save(cDataWriter& file, char* base) const;
    // Zeroes every numeric member of the plan and empties every string.
    void Clear(char* base) const;
    // The numeric rows alone, with no count words (a file that is one fixed
    // image): read in one piece (a short stream writes no member), or written
    // with zeros for the dropped rows.
    void ReadNumbers(cDataReader& file, char* base) const;
    void WriteNumbers(cDataWriter& file, const char* base) const;

private:
    // Spreads the stream bytes of the first n numeric rows at p over the members.
    void SpreadNumbers(const uint8_t* p, uint32_t n, char* base) const;
};

// The elements of a numeric member that a row stores: the member itself, a
// whole array, or one element of it.
template <class T>
struct ROWPART {
    T* lpFirst;
    int nCount;
};
// Addresses only: the member may lie unaligned in a packed record, where it
// is only ever copied as bytes.
template <class C, class P>
auto StoredPart(const FIELDROW<C>& row, C& self, P pm) {
    auto* m = &(self.*pm);
    using M = std::remove_pointer_t<decltype(m)>;
    if constexpr (std::is_array_v<M>) {
        using E = std::remove_extent_t<M>;
        auto* first = reinterpret_cast<E*>(m);
        if (row.nElement >= 0) return ROWPART<E>{first + row.nElement, 1};
        return ROWPART<E>{first, static_cast<int>(std::extent_v<M>)};
    } else {
        return ROWPART<M>{m, 1};
    }
}

// The plan of table `rows` for version v with member `skip` left out (null:
// none); `self` is any object of class C. Made once and kept per thread: the
// last few plans of each class are kept, so tables and versions that
// alternate record by record do not rebuild them.
template <class C>
const TABLEPLAN& GetTablePlan(std::span<const FIELDROW<C>> rows, C* self, uint32_t v,
                              const typename FIELDROW<C>::MEMBER* skip = nullptr) {
    constexpr unsigned KEPT = 4;
    thread_local TABLEPLAN plans[KEPT];
    thread_local unsigned last = 0, next = 0;
    if (plans[last].Is(rows.data(), v, skip)) return plans[last];
    for (unsigned i = 0; i < KEPT; ++i) {
        if (plans[i].Is(rows.data(), v, skip)) {
            last = i;
            return plans[i];
        }
    }
    last = next;
    next = (next + 1) % KEPT;
    TABLEPLAN& plan = plans[last];
    plan = TABLEPLAN();
    plan.lpRows = rows.data();
    plan.nVersion = v;
    plan.lpSkip = skip;
    const char* base = reinterpret_cast<const char*>(self);
    for (const FIELDROW<C>& row : rows) {
        if (!row.StoredIn(v) || (skip && *skip == row.lpMember)) continue;
        std::visit(
            [&](auto pm) {
                using P = decltype(pm);
                if constexpr (std::is_same_v<P, std::monostate>) {
                    plan.AddNumeric(0, static_cast<uint32_t>(row.nWidth), true);
                } else if constexpr (IS_TEXT_MEMBER<C, P>) {
                    plan.AddString(static_cast<uint32_t>(reinterpret_cast<const char*>(&(self->*pm)) - base),
                                   std::is_same_v<P, cText C::*>);
                } else {
                    const auto part = StoredPart(row, *self, pm);
                    plan.AddNumeric(static_cast<uint32_t>(reinterpret_cast<const char*>(part.lpFirst) - base),
                                    static_cast<uint32_t>(part.nCount * sizeof(*part.lpFirst)), false);
                }
            },
            row.lpMember);
    }
    return plan;
}

// The numeric rows of a table as a fixed image, without the count words of a
// record stream and without strings: for files that are one structure. The
// rows of every version are read and written (an image has no version).
template <class C>
void ReadRowImage(cDataReader& file, std::span<const FIELDROW<C>> rows, C* self) {
    GetTablePlan(rows, self, DATA_VERSION).ReadNumbers(file, reinterpret_cast<char*>(self));
}
template <class C>
void WriteRowImage(cDataWriter& file, std::span<const FIELDROW<C>> rows, C* self) {
    GetTablePlan(rows, self, DATA_VERSION).WriteNumbers(file, reinterpret_cast<const char*>(self));
}

// The rows of a table known at compile time, as a file of the current
// version stores them: every numeric row at a fixed stream offset, so that
// load and save copy member by member with constant offsets and sizes (the
// compiler joins neighbouring copies) and look up no plan. Files of other
// versions, and streams that store fewer fields, go through the plan.
template <const auto& ROWS>
class cCurrentRows {
public:
    using C = typename std::remove_cvref_t<decltype(ROWS[0])>::CLASS;

    // Whether row i is a numeric row (or a dropped value) of the current version.
    static constexpr bool IsNumber(size_t i) { return ROWS[i].StoredIn(DATA_VERSION) && !ROWS[i].IsString(); }
    // Stream offset of row i among the numeric rows.
    static constexpr uint32_t OffsetOf(size_t i) {
        uint32_t off = 0;
        for (size_t k = 0; k < i; ++k)
            if (IsNumber(k)) off += static_cast<uint32_t>(ROWS[k].Bytes());
        return off;
    }
    static constexpr size_t ROWNUM = std::size(ROWS);
    static constexpr uint32_t NUMBERS = [] {
        uint32_t n = 0;
        for (size_t i = 0; i < ROWNUM; ++i) n += IsNumber(i) ? 1 : 0;
        return n;
    }();
    static constexpr uint32_t BYTES = OffsetOf(ROWNUM);
    static constexpr uint32_t STRINGS = [] {
        uint32_t n = 0;
        for (size_t i = 0; i < ROWNUM; ++i) n += ROWS[i].StoredIn(DATA_VERSION) && ROWS[i].IsString() ? 1 : 0;
        return n;
    }();
    // The kind of the text members (a table's texts are all strings or all
    // compact texts): the alternative of the first, strings when there is none.
    static constexpr size_t STRING_KIND = [] {
        for (size_t i = 0; i < ROWNUM; ++i)
            if (ROWS[i].StoredIn(DATA_VERSION) && ROWS[i].IsString()) return ROWS[i].lpMember.index();
        return typename FIELDROW<C>::MEMBER(std::in_place_type<std::string C::*>, nullptr).index();
    }();
    using STRING_MEMBER = std::variant_alternative_t<STRING_KIND, typename FIELDROW<C>::MEMBER>;
    static_assert([] {
        for (size_t i = 0; i < ROWNUM; ++i)
            if (ROWS[i].StoredIn(DATA_VERSION) && ROWS[i].IsString() && ROWS[i].lpMember.index() != STRING_KIND)
                return false;
        return true;
    }(), "the texts of a table are all of one kind");
    // The text members in stored order.
    static constexpr std::array<STRING_MEMBER, STRINGS> STRING_MEMBERS = [] {
        std::array<STRING_MEMBER, STRINGS> a{};
        size_t k = 0;
        for (size_t i = 0; i < ROWNUM; ++i)
            if (ROWS[i].StoredIn(DATA_VERSION) && ROWS[i].IsString())
                a[k++] = std::get<STRING_MEMBER>(ROWS[i].lpMember);
        return a;
    }();

    // Whether the class holds its current image as it stands: its members
    // packed in stored order, each stored at the current version, nothing
    // else but the record's table pointer. It says so with PACKED_IMAGE;
    // its image is then copied in and out in one piece.
    static constexpr bool WHOLE = [] {
        if constexpr (requires { C::PACKED_IMAGE; }) return C::PACKED_IMAGE;
        return false;
    }();
    static_assert(!WHOLE || sizeof(C) == (sizeof(cRecord) + BYTES + alignof(C) - 1) / alignof(C) * alignof(C),
                  "a packed image has no other member");

    // The BYTES stream bytes at p spread over the members, and gathered back:
    // always inline, so that every copy has its constant offsets and sizes
    // in the caller (an outlined copy of a long table costs several times more).
    // The stream bytes are spread from a local copy, which no store to the
    // members can change: the compiler then joins the copies of neighbouring
    // members into a few wide moves (from the stream itself it must keep
    // every load after the store before it).
    [[gnu::always_inline]] static void Spread(const uint8_t* p, C& self) {
        if constexpr (WHOLE) {
            std::memcpy(First(self), p, BYTES);
            return;
        }
        uint8_t image[BYTES ? BYTES : 1];
        std::memcpy(image, p, BYTES);
        SpreadCopied(image, self);
    }
    // The same from a local copy the caller made already.
    [[gnu::always_inline]] static void SpreadCopied(const uint8_t* image, C& self) {
        if constexpr (WHOLE) {
            std::memcpy(First(self), image, BYTES);
            return;
        }
        [&]<size_t... I>(std::index_sequence<I...>) __attribute__((always_inline)) {
            (CopyRow<I, true>(image, self), ...);
        }(std::make_index_sequence<ROWNUM>{});
    }
    [[gnu::always_inline]] static void Gather(uint8_t* __restrict p, C& self) {
        if constexpr (WHOLE) {
            std::memcpy(p, First(self), BYTES);
            return;
        }
        [&]<size_t... I>(std::index_sequence<I...>) __attribute__((always_inline)) {
            (CopyRow<I, false>(p, self), ...);
        }(std::make_index_sequence<ROWNUM>{});
    }
    // Zeroes every numeric member and empties every string.
    static void Clear(C& self) {
        [&]<size_t... I>(std::index_sequence<I...>) { (ClearRow<I>(self), ...); }
        (std::make_index_sequence<ROWNUM>{});
        for (auto pm : STRING_MEMBERS) (self.*pm).clear();
    }

private:
    // The first byte of the first member: where a packed image starts.
    [[gnu::always_inline]] static uint8_t* First(C& self) {
        const auto part = StoredPart(ROWS[0], self, std::get<ROWS[0].lpMember.index()>(ROWS[0].lpMember));
        return reinterpret_cast<uint8_t*>(part.lpFirst);
    }
    // Copies row I between the stream at p and its member (dropped values
    // are read past, and written as zeros).
    template <size_t I, bool bLoad, class BYTE>
    [[gnu::always_inline]] static void CopyRow(BYTE* p, C& self) {
        constexpr const auto& row = ROWS[I];
        if constexpr (IsNumber(I) && row.lpMember.index() == 0 && !bLoad) {
            std::memset(p + OffsetOf(I), 0, static_cast<size_t>(row.Bytes()));
        } else if constexpr (IsNumber(I) && row.lpMember.index() != 0) {
            const auto part = StoredPart(row, self, std::get<row.lpMember.index()>(row.lpMember));
            constexpr size_t n = static_cast<size_t>(row.Bytes());
            if constexpr (bLoad) std::memcpy(part.lpFirst, p + OffsetOf(I), n);
            else std::memcpy(p + OffsetOf(I), part.lpFirst, n);
        }
    }
    template <size_t I>
    static void ClearRow(C& self) {
        constexpr const auto& row = ROWS[I];
        if constexpr (IsNumber(I) && row.lpMember.index() != 0) {
            const auto part = StoredPart(row, self, std::get<row.lpMember.index()>(row.lpMember));
            std::memset(part.lpFirst, 0, static_cast<size_t>(row.Bytes()));
        }
    }
};

// Bytes of the stream at p (avail bytes in hand) when it is the current
// stream of a record of NUMBERS numbers in BYTES bytes and no string: a
// count, the numbers and a string count of 0; 0 when it is not one.
template <uint32_t NUMBERS, size_t BYTES>
inline size_t FixedStreamBytes(const uint8_t* p, size_t avail) {
    constexpr size_t SIZE = 8 + BYTES;
    if (avail < SIZE) return 0;
    uint32_t words[2];
    std::memcpy(&words[0], p, 4);
    std::memcpy(&words[1], p + 4 + BYTES, 4);
    return words[0] == NUMBERS && words[1] == 0 ? SIZE : 0;
}

// Elements [0, n) of a list of records whose table ROWS stores no string,
// loaded as their own Load does one by one (which must be the table load):
// elements whose stream is the current fixed image (every field, no string)
// are taken in one pass over the stream; from the first one that is not, or
// when the stream is not current or too short for them all, element by element.
template <const auto& ROWS, class T>
void LoadRowRecords(cDataReader& file, T* elems, size_t n) {
    using IMAGE = cCurrentRows<ROWS>;
    static_assert(IMAGE::STRINGS == 0, "a record with strings has no fixed stream size");
    constexpr size_t SIZE = 8 + IMAGE::BYTES;  // count, numbers, string count
    size_t i = 0;
    const uint8_t* p = (nReadVersion == DATA_VERSION && n <= SIZE_MAX / SIZE) ? file.Peek(n * SIZE) : nullptr;
    if (p) {
        for (; i < n; ++i, p += SIZE) {
            uint32_t words[2];
            std::memcpy(&words[0], p, 4);
            std::memcpy(&words[1], p + 4 + IMAGE::BYTES, 4);
            if (words[0] != IMAGE::NUMBERS || words[1] != 0) break;
            IMAGE::Spread(p + 4, elems[i]);
        }
        file.Skip(i * SIZE);
    }
    for (; i < n; ++i) {
        elems[i].Load(file);
        if (file.Failed()) return;
    }
}

// Whether the current fixed image of ROWS fills a plain value whole: such
// values are written straight into a list's room, with no default value first.
template <const auto& ROWS>
constexpr bool FILLS_WHOLE = std::is_trivially_copyable_v<typename cCurrentRows<ROWS>::C> &&
                             sizeof(typename cCurrentRows<ROWS>::C) == cCurrentRows<ROWS>::BYTES &&
                             cCurrentRows<ROWS>::STRINGS == 0;

// Whether the current fixed image of ROWS is the very bytes of a value that
// it fills whole (every row at its own offset, none dropped): found by
// gathering a value whose bytes all differ. Such images are copied whole.
template <const auto& ROWS>
bool ImageIsValue() {
    using IMAGE = cCurrentRows<ROWS>;
    using C = typename IMAGE::C;
    if constexpr (!FILLS_WHOLE<ROWS> || sizeof(C) > 255) {
        return false;
    } else {
        uint8_t bytes[sizeof(C)], image[sizeof(C)];
        for (size_t i = 0; i < sizeof(C); ++i) bytes[i] = static_cast<uint8_t>(i + 1);
        C probe;
        std::memcpy(static_cast<void*>(&probe), bytes, sizeof(C));
        IMAGE::Gather(image, probe);
        return std::memcmp(image, bytes, sizeof(C)) == 0;
    }
}
// The same, found once when the program starts: a plain load, with no guard
// to test. Read before that (by another start-up initialiser) it is false,
// which only takes the member by member copy.
template <const auto& ROWS>
inline const bool IMAGE_IS_VALUE = ImageIsValue<ROWS>();

// The n element streams next in the file when they are all in hand and the
// version is current, else null (whether each is a current image is for
// TakeRowImages to find).
template <const auto& ROWS>
const uint8_t* PeekRowImages(const cDataReader& file, size_t n) {
    constexpr size_t SIZE = 8 + cCurrentRows<ROWS>::BYTES;
    if (nReadVersion != DATA_VERSION || n > SIZE_MAX / SIZE) return nullptr;
    return file.Peek(n * SIZE);
}

// Takes the n streams at p (in hand) into dst[0, n) when every one is the
// current fixed image, and gives whether they all were; from the first one
// that is not, nothing more is written. dst may be room not yet initialised.
template <const auto& ROWS>
bool TakeRowImages(const uint8_t* p, size_t n, typename cCurrentRows<ROWS>::C* dst) {
    using IMAGE = cCurrentRows<ROWS>;
    constexpr size_t SIZE = 8 + IMAGE::BYTES;
    // Unrolled: the images are a few words each, and the loop's own
    // counting would cost nearly as much as the copy.
#pragma GCC unroll 4
    for (size_t i = 0; i < n; ++i, p += SIZE) {
        uint32_t words[2];
        std::memcpy(&words[0], p, 4);
        std::memcpy(&words[1], p + 4 + IMAGE::BYTES, 4);
        if (words[0] != IMAGE::NUMBERS || words[1] != 0) return false;
        IMAGE::Spread(p + 4, dst[i]);
    }
    return true;
}

// Appends n elements to v (a cInlineList), each as a new element (T())
// loaded by its own Load would be: as growing v by n and loading the new
// elements with LoadRowRecords does. Current images are written straight
// into v's room.
template <const auto& ROWS, class V>
void AppendRowRecords(cDataReader& file, V& v, size_t n) {
    const size_t first = v.size();
    if constexpr (FILLS_WHOLE<ROWS>) {
        if (const uint8_t* p = PeekRowImages<ROWS>(file, n)) {
            if (v.FillTo(first + n, [&](auto* d) { return TakeRowImages<ROWS>(p, n, d + first); })) {
                file.Skip(n * (8 + cCurrentRows<ROWS>::BYTES));
                return;
            }
        }
    }
    v.resize(first + n);
    LoadRowRecords<ROWS>(file, v.data() + first, n);
}

// Makes v (a cInlineList) n elements long and loads them as v.resize(n) and
// LoadRowRecords over all n do. When every stream is a current image that
// fills its element whole, what v held is overwritten anyway: the images are
// written straight into v's room. (Elements written before a stream that is
// not such an image are loaded again from the same bytes, to the same values.)
template <const auto& ROWS, class V>
void LoadRowList(cDataReader& file, V& v, size_t n) {
    if constexpr (FILLS_WHOLE<ROWS>) {
        if (const uint8_t* p = PeekRowImages<ROWS>(file, n)) {
            if (v.FillTo(n, [&](auto* d) { return TakeRowImages<ROWS>(p, n, d); })) {
                file.Skip(n * (8 + cCurrentRows<ROWS>::BYTES));
                return;
            }
        }
    }
    v.resize(n);
    LoadRowRecords<ROWS>(file, v.data(), n);
}

// Writes the current images of elements [0, n) at p (a record stream each:
// count, numbers, string count 0); gives their end. Always inline: runs of
// records call it once a record, for a few images each.
template <const auto& ROWS, class T>
[[gnu::always_inline]] inline uint8_t* PutRowImages(uint8_t* p, T* elems, size_t n) {
    using IMAGE = cCurrentRows<ROWS>;
    static_assert(IMAGE::STRINGS == 0, "a record with strings has no fixed stream size");
    constexpr uint32_t words[2] = {IMAGE::NUMBERS, 0};
    if constexpr (std::is_same_v<T, typename IMAGE::C>) {
        if (IMAGE_IS_VALUE<ROWS>) {
#pragma GCC unroll 4
            for (size_t i = 0; i < n; ++i, p += 8 + IMAGE::BYTES) {
                std::memcpy(p, &words[0], 4);
                std::memcpy(p + 4, static_cast<const void*>(&elems[i]), IMAGE::BYTES);
                std::memcpy(p + 4 + IMAGE::BYTES, &words[1], 4);
            }
            return p;
        }
    }
    // Unrolled as TakeRowImages is.
#pragma GCC unroll 4
    for (size_t i = 0; i < n; ++i, p += 8 + IMAGE::BYTES) {
        std::memcpy(p, &words[0], 4);
        IMAGE::Gather(p + 4, elems[i]);
        std::memcpy(p + 4 + IMAGE::BYTES, &words[1], 4);
    }
    return p;
}

// Elements [0, n) of such a list saved as their own Save does one by one
// (which must be the table save), in one write when the version is current.
template <const auto& ROWS, class T>
void SaveRowRecords(cDataWriter& file, T* elems, size_t n) {
    using IMAGE = cCurrentRows<ROWS>;
    static_assert(IMAGE::STRINGS == 0, "a record with strings has no fixed stream size");
    constexpr size_t SIZE = 8 + IMAGE::BYTES;
    if (nDataVersion != DATA_VERSION) {
        for (size_t i = 0; i < n; ++i) elems[i].Save(file);
        return;
    }
    PutRowImages<ROWS>(file.Extend(n * SIZE), elems, n);
}

// The failed state for a string count above the `registered` strings of a table.
void FailStringCount(cDataReader& file, uint32_t m, uint32_t registered);

// The string count and strings after a fixed image, with the rules of the plan's load.
template <class IMAGE, class C>
void LoadRowStrings(cDataReader& file, C& self) {
    const uint32_t m = file.ReadU32();
    if (file.Failed()) return;
    if (m > IMAGE::STRINGS) {
        FailStringCount(file, m, IMAGE::STRINGS);
        return;
    }
    for (uint32_t k = 0; k < m; ++k) {
        LoadStreamString(file, self.*IMAGE::STRING_MEMBERS[k]);
        if (file.Failed()) return;
    }
    if (bRemoveCR)
        for (auto pm : IMAGE::STRING_MEMBERS) RemoveCarriageReturns(self.*pm);
}

// The record stream of the object `self` after its field-count word n, read
// at nReadVersion: a current stream of every field takes the fixed image
// (cCurrentRows), any other the plan (see TABLEPLAN::Load). For records and
// for plain values stored as records (frames, which come by the ten thousand).
template <const auto& ROWS>
void LoadTableAfterCount(cDataReader& file, uint32_t n, typename cCurrentRows<ROWS>::C* self) {
    using IMAGE = cCurrentRows<ROWS>;
    using C = typename IMAGE::C;
    if (n != IMAGE::NUMBERS || nReadVersion != DATA_VERSION) {
        GetTablePlan(std::span<const FIELDROW<C>>(ROWS), self, nReadVersion)
            .Load(file, n, reinterpret_cast<char*>(self));
        return;
    }
    const uint8_t* p = file.ReadSpan(IMAGE::BYTES);
    if (file.Failed()) return;
    IMAGE::Spread(p, *self);
    LoadRowStrings<IMAGE>(file, *self);
}
// The field-count word, then the same.
template <const auto& ROWS>
void LoadTable(cDataReader& file, typename cCurrentRows<ROWS>::C* self) {
    const uint32_t n = file.ReadU32();
    if (!file.Failed()) LoadTableAfterCount<ROWS>(file, n, self);
}
// Writes the record stream of `self` at nDataVersion, the fixed image when that is current.
template <const auto& ROWS>
void SaveTable(cDataWriter& file, typename cCurrentRows<ROWS>::C* self) {
    using IMAGE = cCurrentRows<ROWS>;
    using C = typename IMAGE::C;
    if (nDataVersion != DATA_VERSION) {
        GetTablePlan(std::span<const FIELDROW<C>>(ROWS), self, nDataVersion).Save(file, reinterpret_cast<char*>(self));
        return;
    }
    uint8_t* p = file.Extend(4 + IMAGE::BYTES);
    const uint32_t n = IMAGE::NUMBERS;
    std::memcpy(p, &n, 4);
    IMAGE::Gather(p + 4, *self);
    file.WriteU32(IMAGE::STRINGS);
    for (auto pm : IMAGE::STRING_MEMBERS) SaveStreamString(file, self->*pm);
}

// A record whose stored fields are a FIELDROW table. The class C is the
// record's own class and `self` the record itself.
class cTableRecord : public cRecord {
protected:
    // Registers every row stored in `version`, in table order; `skip`, when
    // not null, names one member that is left out (a layout variant).
    template <class C>
    void LayoutRows(std::span<const FIELDROW<C>> rows, uint32_t version, C* self,
                    const typename FIELDROW<C>::MEMBER* skip = nullptr);
    // Reads the field-count word and the record stream of version nReadVersion (see TABLEPLAN::Load).
    template <class C>
    void LoadRows(cDataReader& file, std::span<const FIELDROW<C>> rows, C* self,
                  const typename FIELDROW<C>::MEMBER* skip = nullptr) {
        const uint32_t n = file.ReadU32();
        if (!file.Failed()) LoadRowsAfterCount(file, n, rows, self, skip);
    }
    // The same for a table known at compile time: a current stream of every
    // field takes the fixed image (cCurrentRows), any other the plan.
    template <const auto& ROWS>
    void LoadRows(cDataReader& file, typename cCurrentRows<ROWS>::C* self) {
        LoadTable<ROWS>(file, self);
    }
    template <const auto& ROWS>
    void LoadRowsAfterCount(cDataReader& file, uint32_t n, typename cCurrentRows<ROWS>::C* self) {
        LoadTableAfterCount<ROWS>(file, n, self);
    }
    // Writes the record stream at nDataVersion, the fixed image when that is current.
    template <const auto& ROWS>
    void SaveRows(cDataWriter& file, typename cCurrentRows<ROWS>::C* self) {
        SaveTable<ROWS>(file, self);
    }
    // The generic clear at nDataVersion.
    template <const auto& ROWS>
    void ClearRows(typename cCurrentRows<ROWS>::C* self) {
        using C = typename cCurrentRows<ROWS>::C;
        if (nDataVersion == DATA_VERSION) cCurrentRows<ROWS>::Clear(*self);
        else ClearRows(std::span<const FIELDROW<C>>(ROWS), self);
    }
    // The same after the field-count word n, read by the caller.
    template <class C>
    void LoadRowsAfterCount(cDataReader& file, uint32_t n, std::span<const FIELDROW<C>> rows, C* self,
                            const typename FIELDROW<C>::MEMBER* skip = nullptr) {
        GetTablePlan(rows, self, nReadVersion, skip).Load(file, n, reinterpret_cast<char*>(self));
    }
    // Writes the record stream at nDataVersion, as the generic save does.
    template <class C>
    void SaveRows(cDataWriter& file, std::span<const FIELDROW<C>> rows, C* self) {
        GetTablePlan(rows, self, nDataVersion).Save(file, reinterpret_cast<char*>(self));
    }
    // The generic clear at nDataVersion: every stored number 0, every string empty.
    template <class C>
    void ClearRows(std::span<const FIELDROW<C>> rows, C* self) {
        GetTablePlan(rows, self, nDataVersion).Clear(reinterpret_cast<char*>(self));
    }
    // Number of numeric fields the table stores at nReadVersion, from the loading plan.
    template <class C>
    static size_t StoredNumericRows(std::span<const FIELDROW<C>> rows, C* self) {
        return GetTablePlan(rows, self, nReadVersion).vNumeric.size();
    }

private:
    // Registers one numeric member by its type.
    void AddValueField(uint8_t* p, int count) { AddByteField(p, count); }
    void AddValueField(int8_t* p, int count) { AddByteField(p, count); }
    void AddValueField(uint16_t* p, int count) { AddShortField(p, count); }
    void AddValueField(int16_t* p, int count) { AddShortField(p, count); }
    void AddValueField(int32_t* p, int count) { AddIntField(p, count); }
    void AddValueField(uint32_t* p, int count) { AddIntField(p, count); }
    void AddValueField(double* p, int count) { AddDoubleField(p, count); }
};

template <class C>
void cTableRecord::LayoutRows(std::span<const FIELDROW<C>> rows, uint32_t version, C* self,
                              const typename FIELDROW<C>::MEMBER* skip) {
    ClearAllFields();
    for (const FIELDROW<C>& row : rows) {
        if (!row.StoredIn(version) || (skip && *skip == row.lpMember)) continue;
        std::visit(
            [&](auto pm) {
                using P = decltype(pm);
                if constexpr (std::is_same_v<P, std::monostate>) AddScratchField(row.nWidth);
                else if constexpr (IS_TEXT_MEMBER<C, P>) AddStringField(&(self->*pm));
                else {
                    const auto part = StoredPart(row, *self, pm);
                    AddValueField(part.lpFirst, part.nCount);
                }
            },
            row.lpMember);
    }
}

// Number of numeric fields (descriptors) that `rows` registers for version v.
template <class C>
int CountNumericRows(std::span<const FIELDROW<C>> rows, uint32_t v) {
    int n = 0;
    for (const auto& r : rows)
        if (r.StoredIn(v) && !r.IsString()) ++n;
    return n;
}

// Stream bytes of the numeric fields that `rows` registers for version v.
template <class C>
int NumericRowBytes(std::span<const FIELDROW<C>> rows, uint32_t v) {
    int n = 0;
    for (const auto& r : rows)
        if (r.StoredIn(v)) n += r.Bytes();
    return n;
}

// Sets the member pm of one row to `value` (numbers) or to the default text (strings).
template <class C, class P>
void SetMemberValue(const FIELDROW<C>& row, C* self, P pm, double value) {
    if constexpr (std::is_same_v<P, std::monostate>) {
    } else if constexpr (IS_TEXT_MEMBER<C, P>) {
        // Most default texts are empty: emptying the text is all they take.
        if (row.lpszDefault && *row.lpszDefault) self->*pm = row.lpszDefault;
        else (self->*pm).clear();
    } else {
        const auto part = StoredPart(row, *self, pm);
        using T = std::remove_pointer_t<decltype(part.lpFirst)>;
        for (int i = 0; i < part.nCount; ++i) part.lpFirst[i] = static_cast<T>(value);
    }
}

// Sets the member of one row to `value` (numbers) or to the default text (strings).
template <class C>
void SetRowValue(const FIELDROW<C>& row, C* self, double value) {
    std::visit([&](auto pm) { SetMemberValue(row, self, pm, value); }, row.lpMember);
}

// Sets the member of one row to its default value.
template <class C>
void SetRowDefault(const FIELDROW<C>& row, C* self) {
    SetRowValue(row, self, row.dDefault);
}

// Sets every member of the table to its default value (dropped rows have none).
template <class C>
void DefaultRows(std::span<const FIELDROW<C>> rows, C* self) {
    for (const FIELDROW<C>& row : rows) SetRowDefault(row, self);
}
// The same for a table known at compile time, member by member.
template <const auto& ROWS>
void DefaultRows(typename cCurrentRows<ROWS>::C* self) {
    [&]<size_t... I>(std::index_sequence<I...>) {
        (SetMemberValue(ROWS[I], self, std::get<ROWS[I].lpMember.index()>(ROWS[I].lpMember), ROWS[I].dDefault), ...);
    }(std::make_index_sequence<std::size(ROWS)>{});
}

// Sets the members that a file of version v does not store to what such a
// file reads as: dOlder where the row gives it, else the default.
template <class C>
void DefaultRowsMissingFrom(std::span<const FIELDROW<C>> rows, C* self, uint32_t v) {
    for (const FIELDROW<C>& row : rows)
        if (!row.StoredIn(v)) SetRowValue(row, self, row.dOlder.value_or(row.dDefault));
}
