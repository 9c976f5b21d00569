#pragma once
// Guards of the process environment: the variables a test sets or unsets and
// the working folder it moves to are put back when the guard goes (or at
// Restore), so that the tests of one process leave each other nothing.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class cEnvGuard {
public:
    cEnvGuard() = default;
    // Sets name to value at once (null value: unsets it).
    cEnvGuard(const char* name, const char* value) { Set(name, value); }
    ~cEnvGuard() { Restore(); }
    cEnvGuard(const cEnvGuard&) = delete;
    cEnvGuard& operator=(const cEnvGuard&) = delete;

    // Sets name to value (null: unsets it); bOverwrite false leaves a set
    // variable as it is. The value before the guard's first change is kept.
    void Set(const char* name, const char* value, bool bOverwrite = true) {
        Remember(name);
        if (!value) {
            ::unsetenv(name);
        } else {
            ::setenv(name, value, bOverwrite ? 1 : 0);
        }
    }
    void Unset(const char* name) { Set(name, nullptr); }

    // Puts every variable back as it was before the guard changed it.
    void Restore() {
        for (auto it = m_Saved.rbegin(); it != m_Saved.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
        m_Saved.clear();
    }

private:
    void Remember(const char* name) {
        for (const auto& saved : m_Saved)
            if (saved.first == name) return;
        const char* old = std::getenv(name);
        m_Saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_Saved;
};

// Moves to a folder and back: the working folder of before is restored when
// the guard goes (or at Restore).
class cWorkDirGuard {
public:
    cWorkDirGuard() = default;
    explicit cWorkDirGuard(const std::filesystem::path& dir) { Enter(dir); }
    ~cWorkDirGuard() { Restore(); }
    cWorkDirGuard(const cWorkDirGuard&) = delete;
    cWorkDirGuard& operator=(const cWorkDirGuard&) = delete;

    // Moves to dir; the folder before the guard's first move is kept.
    void Enter(const std::filesystem::path& dir) {
        if (m_Old.empty()) m_Old = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    void Restore() {
        if (m_Old.empty()) return;
        std::error_code ec;
        std::filesystem::current_path(m_Old, ec);
        m_Old.clear();
    }

private:
    std::filesystem::path m_Old;
};
