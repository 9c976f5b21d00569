#pragma once
// The base of every stored record. A record describes its stored members at
// run time: Layout(version) registers them, in stored order, for the version
// given. Load, Save, Clear and CopyValues then work on any record through that
// registry.
//
// The registry is rebuilt against `this` by every operation that uses it, and
// a copy never takes its source's registry, so a descriptor can never point
// into another record's memory. It is kept by the thread that laid the
// record out, beside the registries of the few records laid out last there
// (an operation uses one, a copy two), not in the record: a record that
// loads and saves through a field table (most of them, by the hundred
// thousand in a stage) carries nothing for it.
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "records/data_stream.h"
#include "records/safe_container.h"
#include "records/text.h"

class cRecord;

struct FIELDDATA {
    cRecord* lpOwner = nullptr;  // the record the field belongs to
    void* lpField = nullptr;     // the member
    uint32_t nCount = 0;         // elements (an array is one descriptor)
    int8_t nSize = 0;            // element size: 1, 2, 4 or 8
};

// A string member, or a compact text member (lpText set, lpString null).
struct STRFIELDDATA {
    cRecord* lpOwner = nullptr;
    std::string* lpString = nullptr;
    cText* lpText = nullptr;

    // Calls f with the member, as the string or the text it is.
    template <class F>
    decltype(auto) Visit(F&& f) const {
        return lpText ? f(*lpText) : f(*lpString);
    }
};

class cRecord {
public:
    cRecord() = default;
    // Copies take no descriptors: the copy registers its own members.
    cRecord(const cRecord&) {}
    cRecord(cRecord&&) noexcept {}
    cRecord& operator=(const cRecord&) { return *this; }
    cRecord& operator=(cRecord&&) noexcept { return *this; }
    virtual ~cRecord() = default;

    // Registers the stored members for data version `version`.
    virtual void Layout(uint32_t version);
    // Reads the record's stream: laid out for nReadVersion, no clear first
    // (members the file lacks keep their values), laid out again for the
    // current version at the end. Failures are left in the reader.
    virtual void Load(cDataReader& file);
    // Writes the record's stream at the current version.
    virtual void Save(cDataWriter& file);

    // Zeroes every registered field and empties every registered string.
    void Clear();
    // Copies every registered field and string from src (a record of the same class).
    void CopyValues(cRecord& src);
    // Loads a data file; 1 when it was read whole, 0 when it could not be
    // opened, was newer than the program or was damaged.
    int LoadFromFile(const std::string& name);
    // Saves a data file through a temporary file; 1 on success.
    int SaveToFile(const std::string& name);
    // Removes every carriage return from every registered string.
    void RemoveCR();

    // The members as this thread's last Layout of the record registered them
    // (none when it was not laid out lately).
    const std::vector<FIELDDATA>& Fields() const;
    const std::vector<STRFIELDDATA>& StrFields() const;

protected:
    void AddIntField(int32_t* p, int count = 1) { AddField(p, count, 4); }
    void AddIntField(uint32_t* p, int count = 1) { AddField(p, count, 4); }
    void AddShortField(int16_t* p, int count = 1) { AddField(p, count, 2); }
    void AddShortField(uint16_t* p, int count = 1) { AddField(p, count, 2); }
    void AddByteField(uint8_t* p, int count = 1) { AddField(p, count, 1); }
    void AddByteField(int8_t* p, int count = 1) { AddField(p, count, 1); }
    void AddByteField(char* p, int count = 1) { AddField(p, count, 1); }
    void AddDoubleField(double* p, int count = 1) { AddField(p, count, 8); }
    void AddStringField(std::string* p, int count = 1);
    void AddStringField(cText* p);
    // Registers a value that a later version dropped: `count` elements of
    // `size` bytes read into a scratch area that nothing reads.
    void AddScratchField(int size, int count = 1);

    // The generic load after the field-count word n has been read: n fields
    // of the registry in hand, then the strings, carriage returns removed.
    void LoadAfterCount(cDataReader& file, uint32_t n);

    void ClearFields();
    void ClearStrFields();
    void ClearAllFields() {
        ClearFields();
        ClearStrFields();
    }

private:
    struct REGISTRY {
        const cRecord* lpOwner = nullptr;
        std::vector<FIELDDATA> vField;
        std::vector<STRFIELDDATA> vStr;
    };
    struct KEPT;
    // The registries the calling thread keeps.
    static KEPT& ThreadRegistries();
    void AddField(void* p, int count, int size);
    // This record's registry on this thread: null when none is kept.
    REGISTRY* FindRegistry() const;
    // The same, made when none is kept (in place of the oldest kept).
    REGISTRY& Registry();
};

// One string of a record stream: u32 length + 1, then the text and its NUL
// (nothing after an empty string's length word 1). The loaded text ends at its
// first NUL; a length beyond the stream is a failed load.
void LoadStreamString(cDataReader& file, std::string& s);
// Cuts s at its first NUL and writes it as above.
void SaveStreamString(cDataWriter& file, std::string& s);
// The same for a text: an empty one keeps no string.
void LoadStreamString(cDataReader& file, cText& s);
void SaveStreamString(cDataWriter& file, cText& s);
// Offset of the first byte c among the n bytes at p, or n when there is none.
// Word by word: the texts of records are mostly a few bytes long, where a
// library search costs more in starting up than in searching.
inline size_t FindByte(const char* p, size_t n, char c) {
    constexpr uint64_t ONES = 0x0101010101010101u, HIGHS = 0x8080808080808080u;
    const uint64_t pattern = ONES * static_cast<uint8_t>(c);
    // The lowest flagged byte of a word is always a true match (a false flag
    // needs a borrow from a match below it).
    const auto first = [&](size_t at) -> size_t {
        uint64_t v;
        std::memcpy(&v, p + at, 8);
        v ^= pattern;
        const uint64_t hit = (v - ONES) & ~v & HIGHS;
        return hit ? at + static_cast<size_t>(std::countr_zero(hit) >> 3) : n;
    };
    if (n < 8) {
        for (size_t i = 0; i < n; ++i)
            if (p[i] == c) return i;
        return n;
    }
    size_t i = 0;
    for (; i + 8 <= n; i += 8)
        if (const size_t at = first(i); at != n) return at;
    // The last word overlaps bytes already searched, which hold no match.
    return i < n ? first(n - 8) : n;
}
// Removes every carriage return from s (most texts hold none: they are only looked for).
inline void RemoveCarriageReturns(std::string& s) {
    if (FindByte(s.data(), s.size(), '\r') != s.size()) std::erase(s, '\r');
}
inline void RemoveCarriageReturns(cText& s) {
    if (s.empty()) return;
    RemoveCarriageReturns(s.Edit());
    s.ReleaseIfEmpty();
}

// Elements [0, n) loaded in order as their own Load does, the first failure
// ending the list; saved in order as their own Save does. A record class that
// takes runs of itself in one pass declares static LoadRun and SaveRun of
// these signatures, for itself exactly (not inherited).
template <class T>
void LoadRecords(cDataReader& file, T* elems, size_t n) {
    if constexpr (requires { requires std::is_same_v<decltype(&T::LoadRun), void (*)(cDataReader&, T*, size_t)>; }) {
        T::LoadRun(file, elems, n);
    } else {
        for (size_t i = 0; i < n; ++i) {
            elems[i].Load(file);
            if (file.Failed()) return;
        }
    }
}
template <class T>
void SaveRecords(cDataWriter& file, T* elems, size_t n) {
    if constexpr (requires { requires std::is_same_v<decltype(&T::SaveRun), void (*)(cDataWriter&, T*, size_t)>; }) {
        T::SaveRun(file, elems, n);
    } else {
        for (size_t i = 0; i < n; ++i) elems[i].Save(file);
    }
}

// Whether T makes its new elements for a list load itself: a record class
// whose new element holds what every load remakes (a default frame list)
// declares static AppendLoaded(file, v, n), for itself exactly, which appends
// to v until it holds n elements, each as a new element (T()) loaded by its
// own Load would be, the first failure ending the list with T() after it.
template <class T>
concept AppendsLoaded =
    requires { requires std::is_same_v<decltype(&T::AppendLoaded), void (*)(cDataReader&, std::vector<T>&, size_t)>; };

// For AppendLoaded: appends to v until it holds n elements, each made by
// T(bare) and then loaded by load(file, element), which must leave it as T()
// loaded by its Load would be; the first failure ends the list with T()
// after it.
template <class T, class BARE, class LOAD>
void AppendBareRecords(cDataReader& file, std::vector<T>& v, size_t n, BARE bare, LOAD load) {
    v.reserve(n);
    while (v.size() < n) {
        load(file, v.emplace_back(bare));
        if (file.Failed()) {
            v.resize(n);
            return;
        }
    }
}

// Makes v n elements long and loads them as resizing it and loading every
// element in order does (elements that existed are loaded in place, not
// reset; the first failure ends the list); the new elements of a class that
// AppendsLoaded are made by it.
template <class T, class A>
void LoadRecordsResized(cDataReader& file, std::vector<T, A>& v, size_t n) {
    if constexpr (AppendsLoaded<T> && std::is_same_v<A, std::allocator<T>>) {
        if (v.size() < n) {
            LoadRecords(file, v.data(), v.size());
            if (file.Failed()) v.resize(n);
            else T::AppendLoaded(file, v, n);
            return;
        }
    }
    v.resize(n);
    LoadRecords(file, v.data(), n);
}

// Reads u32 count and then that many record streams into v, resized to fit
// (elements that existed are loaded in place, not reset). Each element's
// stream is at least nMinBytes, which bounds the count by the bytes left.
template <class V>
void LoadRecordList(cDataReader& file, V& v, size_t nMinBytes) {
    uint32_t n = file.ReadCount(nMinBytes);
    if (file.Failed()) return;
    LoadRecordsResized(file, v, n);
}

// The same for elements of any record: every record stream is at least 8 bytes.
template <class V>
void LoadRecordVector(cDataReader& file, V& v) {
    LoadRecordList(file, v, 8);
}

// Writes u32 count and every element's record stream.
template <class V>
void SaveRecordVector(cDataWriter& file, V& v) {
    file.WriteU32(static_cast<uint32_t>(v.size()));
    SaveRecords(file, v.data(), v.size());
}

// Loads a data file into a copy of rec and keeps it only when the whole file
// was read: a failed load leaves rec as it was.
template <class T>
int LoadRecordFileWhole(T& rec, const std::string& name) {
    T tmp(rec);
    if (!tmp.LoadFromFile(name)) return 0;
    rec = std::move(tmp);
    return 1;
}
