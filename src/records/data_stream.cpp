#include "records/data_stream.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

cDataReader::cDataReader(std::vector<uint8_t> owned)
    : m_Owned(std::move(owned)), m_pData(m_Owned.data()), m_nSize(m_Owned.size()) {}

bool cDataReader::ReadFailed(void* dst, size_t len) {
    if (len) std::memset(dst, 0, len);
    SetFailed("short read");
    return false;
}

bool cDataReader::CountFailed(uint64_t count) {
    if (!m_bFailed) SetFailed("count " + std::to_string(count) + " exceeds the bytes that remain");
    return false;
}

void cDataReader::SetFailed(const std::string& why) {
    if (!m_bFailed) m_strFail = why;
    m_bFailed = true;
}

namespace {

// The large buffer of the last writer that ended on this thread, kept for
// the next one: a large file saved again (a stage, a replay with its stage)
// then writes into memory that is already mapped, instead of faulting in
// some thousands of fresh pages and copying its bytes as it grows. Smaller
// buffers go back to malloc, which hands them out again itself.
struct SPAREBUFFER {
    uint8_t* lpBuf = nullptr;
    size_t nCapacity = 0;
    bool bEnded = false;  // the thread is ending: writers ended later keep nothing
    ~SPAREBUFFER() {
        std::free(lpBuf);
        lpBuf = nullptr;
        nCapacity = 0;
        bEnded = true;
    }
};
thread_local SPAREBUFFER t_Spare;
constexpr size_t KEEP_MIN = size_t{4} << 20;
constexpr size_t KEEP_MAX = size_t{64} << 20;
// Capacities in [QUADRUPLE_MIN, OCTUPLE_MIN) grow fourfold, those in
// [OCTUPLE_MIN, OCTUPLE_MAX) eightfold, others double.
constexpr size_t QUADRUPLE_MIN = size_t{64} << 10;
constexpr size_t OCTUPLE_MIN = size_t{256} << 10;
constexpr size_t OCTUPLE_MAX = size_t{1} << 20;
// A writer takes the spare buffer once it needs this much room.
constexpr size_t TAKE_MIN = size_t{1} << 20;

}  // namespace

cDataWriter::~cDataWriter() {
    if (!t_Spare.bEnded && m_nCapacity >= KEEP_MIN && m_nCapacity <= KEEP_MAX && m_nCapacity > t_Spare.nCapacity) {
        std::swap(m_pBuf, t_Spare.lpBuf);
        t_Spare.nCapacity = m_nCapacity;
    }
    std::free(m_pBuf);
}

void cDataWriter::Grow(size_t len) {
    if (len > SIZE_MAX - m_nUsed) throw std::bad_alloc();
    // From 64 KB the buffer grows fourfold, from 256 KB up to 1 MB eightfold
    // (to 2 MB): a file of a megabyte or two is copied once, at 256 KB, not
    // again at 1 MB; below and above, it doubles.
    const size_t factor = m_nCapacity < QUADRUPLE_MIN || m_nCapacity >= OCTUPLE_MAX ? 2
                          : m_nCapacity < OCTUPLE_MIN                             ? 4
                                                                                  : 8;
    const size_t grown = m_nCapacity * factor;
    Resize(std::max({grown, m_nUsed + len, size_t{256}}));
}

void cDataWriter::Resize(size_t n) {
    if (n >= TAKE_MIN && t_Spare.nCapacity >= n) {
        uint8_t* spare = std::exchange(t_Spare.lpBuf, nullptr);
        const size_t capacity = std::exchange(t_Spare.nCapacity, 0);
        if (m_nUsed) std::memcpy(spare, m_pBuf, m_nUsed);
        std::free(m_pBuf);
        m_pBuf = spare;
        m_nCapacity = capacity;
        return;
    }
    auto* p = static_cast<uint8_t*>(std::realloc(m_pBuf, n));
    if (!p) throw std::bad_alloc();
    m_pBuf = p;
    m_nCapacity = n;
}

std::vector<uint8_t> cDataWriter::TakeBytes() {
    std::vector<uint8_t> out(m_pBuf, m_pBuf + m_nUsed);
    m_nUsed = 0;
    return out;
}
