#pragma once
// A stored text that most records of a kind leave empty: one pointer, null
// while the text is empty, the characters in a string of their own otherwise.
// It offers the few string operations its users take; Str() reads it as a
// string and Edit() gives the string to change.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class cText {
public:
    cText() = default;
    cText(const cText& src) : m_p(src.empty() ? nullptr : std::make_unique<std::string>(*src.m_p)) {}
    cText(cText&&) noexcept = default;
    cText(std::string s) { *this = std::move(s); }
    cText(const char* s) { *this = std::string_view(s); }
    cText& operator=(const cText& src) {
        if (this != &src) *this = std::string_view(src.Str());
        return *this;
    }
    cText& operator=(cText&&) noexcept = default;
    cText& operator=(std::string s) {
        if (s.empty()) m_p.reset();
        else if (m_p) *m_p = std::move(s);
        else m_p = std::make_unique<std::string>(std::move(s));
        return *this;
    }
    cText& operator=(std::string_view s) {
        if (s.empty()) m_p.reset();
        else if (m_p) m_p->assign(s);
        else m_p = std::make_unique<std::string>(s);
        return *this;
    }
    cText& operator=(const char* s) { return *this = std::string_view(s); }

    bool empty() const { return !m_p || m_p->empty(); }
    size_t size() const { return m_p ? m_p->size() : 0; }
    const char* c_str() const { return Str().c_str(); }
    // Empties the text, its string released.
    void clear() { m_p.reset(); }
    cText& operator+=(std::string_view s) {
        if (!s.empty()) Edit().append(s);
        return *this;
    }

    // The text as a string (a shared empty one while there is none).
    const std::string& Str() const { return m_p ? *m_p : s_None; }
    operator const std::string&() const { return Str(); }
    // The string to change, made empty when there is none.
    std::string& Edit() {
        if (!m_p) m_p = std::make_unique<std::string>();
        return *m_p;
    }
    // Releases the string when a change left it empty.
    void ReleaseIfEmpty() {
        if (m_p && m_p->empty()) m_p.reset();
    }

    friend bool operator==(const cText& a, const cText& b) { return a.Str() == b.Str(); }
    friend bool operator==(const cText& a, const std::string& b) { return a.Str() == b; }
    friend bool operator==(const cText& a, const char* b) { return a.Str() == b; }

private:
    static inline const std::string s_None;  // what an empty text reads as

    std::unique_ptr<std::string> m_p;  // null while the text is empty
};

static_assert(sizeof(cText) == sizeof(void*), "a text is one pointer");
