#pragma once
// A temporary folder for one test, removed with everything in it afterwards.
#include <filesystem>
#include <string>

class cTempDir {
public:
    cTempDir() {
        char tmpl[] = "/tmp/qvtest-XXXXXX";
        m_Path = ::mkdtemp(tmpl);
    }
    ~cTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_Path, ec);
    }
    cTempDir(const cTempDir&) = delete;
    cTempDir& operator=(const cTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    std::string File(const std::string& name) const { return (m_Path / name).string(); }

private:
    std::filesystem::path m_Path;
};
