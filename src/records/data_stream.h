#pragma once
// Byte streams of the data files. Every read is checked against what remains:
// a short read puts the reader into a failed state that sticks, later reads
// give zeros, and the load that started it is reported as failed.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "member images are read and written as little-endian");

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
    bool Skip(size_t len);
    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    double ReadF64();
    // Reads a u32 element count and checks that count elements of at least
    // nMinBytes each can still be in the stream; a count that cannot be is a
    // failed read and gives 0, so no caller allocates for it.
    uint32_t ReadCount(size_t nMinBytes);
    // The same check for a count read by other means.
    bool CheckCount(uint64_t count, size_t nMinBytes);

    size_t Remaining() const { return m_nSize - m_nPos; }
    size_t Position() const { return m_nPos; }
    bool Failed() const { return m_bFailed; }
    // Marks the stream failed with a reason for the log (the first reason stays).
    void SetFailed(const std::string& why);
    const std::string& FailReason() const { return m_strFail; }

private:
    bool ReadFailed(void* dst, size_t len);

    std::vector<uint8_t> m_Owned;
    const uint8_t* m_pData = nullptr;
    size_t m_nSize = 0;
    size_t m_nPos = 0;
    bool m_bFailed = false;
    std::string m_strFail;
};

class cDataWriter {
public:
    void Write(const void* src, size_t len) {
        if (!len) return;
        const size_t at = m_Buf.size();
        m_Buf.resize(at + len);
        std::memcpy(m_Buf.data() + at, src, len);
    }
    void WriteU8(uint8_t v) { Write(&v, 1); }
    void WriteU16(uint16_t v) { Write(&v, 2); }
    void WriteU32(uint32_t v) { Write(&v, 4); }
    void WriteI32(int32_t v) { Write(&v, 4); }
    void WriteF64(double v) { Write(&v, 8); }

    const std::vector<uint8_t>& Bytes() const { return m_Buf; }
    std::vector<uint8_t> TakeBytes() { return std::move(m_Buf); }
    size_t Size() const { return m_Buf.size(); }

private:
    std::vector<uint8_t> m_Buf;
};
