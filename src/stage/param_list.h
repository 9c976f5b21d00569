#pragma once
// The parameters of a flow command: int32 values that the list keeps inside
// itself up to INLINE_NUM of them, so that most commands of a stage (by the
// hundred thousand) take no allocation of their own. Access by index is
// checked as cSafeVector's is.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <type_traits>

#include "records/safe_container.h"

class cParamList {
public:
    static constexpr uint32_t INLINE_NUM = 6;
    using value_type = int32_t;
    using iterator = int32_t*;
    using const_iterator = const int32_t*;
    using size_type = size_t;

    cParamList() = default;
    cParamList(std::initializer_list<int32_t> v) { assign(v.begin(), v.end()); }
    cParamList(const cParamList& src) { assign(src.begin(), src.end()); }
    cParamList(cParamList&& src) noexcept { TakeFrom(src); }
    cParamList& operator=(const cParamList& src) {
        if (this != &src) assign(src.begin(), src.end());
        return *this;
    }
    cParamList& operator=(cParamList&& src) noexcept {
        if (this != &src) {
            Release();
            TakeFrom(src);
        }
        return *this;
    }
    ~cParamList() { Release(); }

    size_t size() const { return m_nSize; }
    bool empty() const { return m_nSize == 0; }
    int32_t* data() { return IsInline() ? m_aInline : m_pHeap; }
    const int32_t* data() const { return IsInline() ? m_aInline : m_pHeap; }
    int32_t* begin() { return data(); }
    int32_t* end() { return data() + m_nSize; }
    const int32_t* begin() const { return data(); }
    const int32_t* end() const { return data() + m_nSize; }

    // Element i; a bad index is reported as cSafeVector reports it and gives
    // element 0, or the shared fallback element when the list is empty.
    int32_t& operator[](int i) {
        if (i >= 0 && static_cast<size_t>(i) < m_nSize) return data()[i];
        ReportBadIndex('V', i, static_cast<int>(m_nSize), static_cast<int>(sizeof(int32_t)));
        if (m_nSize == 0) return SafeFallbackElement<int32_t>();
        return data()[0];
    }
    const int32_t& operator[](int i) const { return const_cast<cParamList*>(this)->operator[](i); }

    void clear() { m_nSize = 0; }
    // n values: those kept, then copies of v.
    void resize(size_t n, int32_t v = 0) {
        Reserve(n);
        if (n > m_nSize) std::fill(data() + m_nSize, data() + n, v);
        m_nSize = static_cast<uint32_t>(n);
    }
    void assign(size_t n, int32_t v) {
        m_nSize = 0;
        resize(n, v);
    }
    template <class IT>
        requires(!std::is_integral_v<IT>)
    void assign(IT first, IT last) {
        const auto n = static_cast<size_t>(std::distance(first, last));
        m_nSize = 0;
        Reserve(n);
        std::copy(first, last, data());
        m_nSize = static_cast<uint32_t>(n);
    }
    void push_back(int32_t v) { resize(size_t{m_nSize} + 1, v); }

    bool operator==(const cParamList& other) const { return std::equal(begin(), end(), other.begin(), other.end()); }

private:
    bool IsInline() const { return m_nCapacity <= INLINE_NUM; }
    // Room for n values; the values kept move along.
    void Reserve(size_t n) {
        if (n <= m_nCapacity) return;
        const size_t capacity = std::max<size_t>(n, size_t{m_nCapacity} * 2);
        auto* p = new int32_t[capacity];
        if (m_nSize) std::memcpy(p, data(), size_t{m_nSize} * sizeof(int32_t));
        Release();
        m_pHeap = p;
        m_nCapacity = static_cast<uint32_t>(capacity);
    }
    void Release() {
        if (!IsInline()) delete[] m_pHeap;
        m_nCapacity = INLINE_NUM;
    }
    // Takes src's values; src is left empty (with its own room).
    void TakeFrom(cParamList& src) {
        m_nSize = src.m_nSize;
        m_nCapacity = src.m_nCapacity;
        if (src.IsInline()) std::memcpy(m_aInline, src.m_aInline, sizeof m_aInline);
        else m_pHeap = src.m_pHeap;
        src.m_nSize = 0;
        src.m_nCapacity = INLINE_NUM;
    }

    uint32_t m_nSize = 0;
    uint32_t m_nCapacity = INLINE_NUM;  // INLINE_NUM: the values lie in m_aInline
    union {
        int32_t* m_pHeap;
        int32_t m_aInline[INLINE_NUM] = {};
    };
};
