#include "records/data_stream.h"

#include <algorithm>

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

bool cDataReader::CountFailed(uint64_t count) {
    if (!m_bFailed) SetFailed("count " + std::to_string(count) + " exceeds the bytes that remain");
    return false;
}

void cDataReader::SetFailed(const std::string& why) {
    if (!m_bFailed) m_strFail = why;
    m_bFailed = true;
}

void cDataWriter::Grow(size_t len) {
    m_Buf.resize(std::max({m_Buf.size() * 2, m_nUsed + len, size_t{256}}));
}
