#pragma once
// Byte streams of the data files. Every read is checked against what remains:
// a short read puts the reader into a failed state that sticks, later reads
// give zeros, and the load that started it is reported as failed.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "member images are read and written as little-endian");

// Copies n bytes that do not overlap. Counts of up to 32 bytes (the members,
// texts and parameter lists of records) are copied inline as two fixed-size
// copies that overlap in the middle (both copy the same bytes there), longer
// ones through memcpy.
inline void CopyRunBytes(void* dst, const void* src, size_t n) {
    auto* d = static_cast<uint8_t*>(dst);
    const auto* s = static_cast<const uint8_t*>(src);
    if (n == 1) {
        *d = *s;
    } else if (n >= 2 && n <= 3) {
        std::memcpy(d, s, 2);
        std::memcpy(d + n - 2, s + n - 2, 2);
    } else if (n >= 4 && n <= 8) {
        std::memcpy(d, s, 4);
        std::memcpy(d + n - 4, s + n - 4, 4);
    } else if (n >= 9 && n <= 16) {
        std::memcpy(d, s, 8);
        std::memcpy(d + n - 8, s + n - 8, 8);
    } else if (n >= 17 && n <= 32) {
        std::memcpy(d, s, 16);
        std::memcpy(d + n - 16, s + n - 16, 16);
    } else if (n > 32) {
        std::memcpy(d, s, n);
    }
}

class cDataReader {
public:
    cDataReader() = default;
    // Reads from bytes that the caller keeps alive.
    cDataReader(const uint8_t* data, size_t size) : m_pData(data), m_nSize(size) {}
    // Reads from bytes the reader owns.
    explicit cDataReader(std::vector<uint8_t> owned);
    cDataReader(const cDataReader&) = delete;
    cDataReader& operator=(const cDataReader&) = delete;

    // Copies len bytes into dst; false (and the failed state) when fewer remain.
    bool Read(void* dst, size_t len) {
        if (!m_bFailed && len <= m_nSize - m_nPos) {
            if (len) std::memcpy(dst, m_pData + m_nPos, len);
            m_nPos += len;
            return true;
        }
        return ReadFailed(dst, len);
    }
    // Takes the next len bytes in place: a pointer to them (valid as long as
    // the bytes read from), or null (and the failed state) when fewer remain.
    const uint8_t* ReadSpan(size_t len) {
        if (!m_bFailed && len <= m_nSize - m_nPos) {
            const uint8_t* p = m_pData + m_nPos;
            m_nPos += len;
            return p;
        }
        SetFailed("short read");
        return nullptr;
    }
    // The next len bytes in place without taking them, or null when fewer
    // remain or the stream has failed (peeking never fails the stream).
    const uint8_t* Peek(size_t len) const {
        return !m_bFailed && len <= m_nSize - m_nPos ? m_pData + m_nPos : nullptr;
    }
    bool Skip(size_t len) {
        if (!m_bFailed && len <= m_nSize - m_nPos) {
            m_nPos += len;
            return true;
        }
        SetFailed("short read");
        return false;
    }
    // Little-endian values; 0 after a short read.
    uint8_t ReadU8() { return ReadValue<uint8_t>(); }
    uint16_t ReadU16() { return ReadValue<uint16_t>(); }
    uint32_t ReadU32() { return ReadValue<uint32_t>(); }
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    double ReadF64() { return ReadValue<double>(); }
    // Reads a u32 element count and checks that count elements of at least
    // nMinBytes each can still be in the stream; a count that cannot be is a
    // failed read and gives 0, so no caller allocates for it.
    uint32_t ReadCount(size_t nMinBytes) {
        const uint32_t n = ReadU32();
        return CheckCount(n, nMinBytes) ? n : 0;
    }
    // The u32 count next in the stream when ReadCount(nMinBytes) would take
    // it, else 0; takes nothing (for sizing a list before its load reads it).
    uint32_t PeekCount(size_t nMinBytes) const {
        const uint8_t* p = Peek(4);
        if (!p) return 0;
        uint32_t n;
        std::memcpy(&n, p, 4);
        return n <= (Remaining() - 4) / (nMinBytes ? nMinBytes : 1) ? n : 0;
    }
    // The same check for a count read by other means.
    bool CheckCount(uint64_t count, size_t nMinBytes) {
        // An empty list always fits, and needs no division to say so.
        if (!m_bFailed && (count == 0 || count <= Remaining() / (nMinBytes ? nMinBytes : 1))) return true;
        return CountFailed(count);
    }

    size_t Remaining() const { return m_nSize - m_nPos; }
    size_t Position() const { return m_nPos; }
    bool Failed() const { return m_bFailed; }
    // Marks the stream failed with a reason for the log (the first reason stays).
    void SetFailed(const std::string& why);
    const std::string& FailReason() const { return m_strFail; }

private:
    template <class T>
    T ReadValue() {
        T v;
        Read(&v, sizeof v);  // zeros v when it fails
        return v;
    }
    bool ReadFailed(void* dst, size_t len);
    // The failed state for a count the stream cannot hold; false.
    bool CountFailed(uint64_t count);

    std::vector<uint8_t> m_Owned;
    const uint8_t* m_pData = nullptr;
    size_t m_nSize = 0;
    size_t m_nPos = 0;
    bool m_bFailed = false;
    std::string m_strFail;
};

class cDataWriter {
public:
    cDataWriter() = default;
    cDataWriter(const cDataWriter&) = delete;
    cDataWriter& operator=(const cDataWriter&) = delete;
    ~cDataWriter();

    void Write(const void* src, size_t len) {
        if (len) std::memcpy(Extend(len), src, len);
    }
    // Appends len bytes and gives where they start; the caller fills all of
    // them before the next write (they hold whatever the buffer held).
    uint8_t* Extend(size_t len) {
        if (len > m_nCapacity - m_nUsed) Grow(len);
        uint8_t* p = m_pBuf + m_nUsed;
        m_nUsed += len;
        return p;
    }
    // Gives back the last len bytes appended (at most those of the last
    // Extend): room asked for beyond what was written.
    void Unextend(size_t len) { m_nUsed -= len; }
    void WriteU8(uint8_t v) { Write(&v, 1); }
    void WriteU16(uint16_t v) { Write(&v, 2); }
    void WriteU32(uint32_t v) { Write(&v, 4); }
    void WriteI32(int32_t v) { Write(&v, 4); }
    void WriteF64(double v) { Write(&v, 8); }

    // The bytes written so far (valid until the next write).
    std::span<const uint8_t> Bytes() const { return {m_pBuf, m_nUsed}; }
    // A copy of the bytes written; the writer starts again empty.
    std::vector<uint8_t> TakeBytes();
    size_t Size() const { return m_nUsed; }

private:
    // Grows the buffer geometrically to hold len more bytes.
    void Grow(size_t len);
    // Moves the bytes into a buffer of at least n bytes: the spare buffer of
    // the thread when it is large enough, else the buffer itself reallocated
    // (a large one moves its pages, not its bytes). Nothing past the bytes
    // in use is written.
    void Resize(size_t n);

    uint8_t* m_pBuf = nullptr;
    size_t m_nCapacity = 0;
    size_t m_nUsed = 0;
};
