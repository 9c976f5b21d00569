#include "records/data_stream.h"

cDataReader::cDataReader(std::vector<uint8_t> owned)
    : m_Owned(std::move(owned)), m_pData(m_Owned.data()), m_nSize(m_Owned.size()) {}

bool cDataReader::ReadFailed(void* dst, size_t len) {
    if (len) std::memset(dst, 0, len);
    SetFailed("short read");
    return false;
}

bool cDataReader::Skip(size_t len) {
    if (m_bFailed || len > Remaining()) {
        SetFailed("short read");
        return false;
    }
    m_nPos += len;
    return true;
}

uint8_t cDataReader::ReadU8() {
    uint8_t v = 0;
    Read(&v, 1);
    return v;
}

uint16_t cDataReader::ReadU16() {
    uint8_t b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t cDataReader::ReadU32() {
    uint8_t b[4];
    Read(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

double cDataReader::ReadF64() {
    double d = 0;
    Read(&d, 8);
    return d;
}

bool cDataReader::CheckCount(uint64_t count, size_t nMinBytes) {
    if (m_bFailed) return false;
    if (nMinBytes == 0) nMinBytes = 1;
    if (count > Remaining() / nMinBytes) {
        SetFailed("count " + std::to_string(count) + " exceeds the bytes that remain");
        return false;
    }
    return true;
}

uint32_t cDataReader::ReadCount(size_t nMinBytes) {
    uint32_t n = ReadU32();
    return CheckCount(n, nMinBytes) ? n : 0;
}

void cDataReader::SetFailed(const std::string& why) {
    if (!m_bFailed) m_strFail = why;
    m_bFailed = true;
}
