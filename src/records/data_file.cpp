#include "records/data_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "records/services.h"
#include "records/utility.h"
#include "records/version.h"

bool ReadFileBytes(const std::string& nativePath, std::vector<uint8_t>& out, size_t maxSize) {
    out.clear();
    int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    uint8_t buf[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        if (out.size() + static_cast<size_t>(n) > maxSize) {
            ok = false;
            break;
        }
        out.insert(out.end(), buf, buf + n);
    }
    ::close(fd);
    if (!ok) out.clear();
    return ok;
}

namespace {

FILESTEPHOOK g_FileStepHook = nullptr;
size_t g_nFileStepChunk = 0;

// Whether the test hook lets step nStep go ahead (always without a hook).
bool StepAllowed(int nStep, size_t nDone) {
    if (g_FileStepHook && !g_FileStepHook(nStep, nDone)) {
        errno = EIO;
        return false;
    }
    return true;
}

}  // namespace

void SetFileStepHook(FILESTEPHOOK hook, size_t nChunk) {
    g_FileStepHook = hook;
    g_nFileStepChunk = nChunk;
}

std::vector<std::string> RemoveTemporaryLeftovers(const std::string& nativeFolder) {
    namespace fs = std::filesystem;
    constexpr std::string_view suffix = ".tmp~";
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(nativeFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code kind;
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
            it->is_regular_file(kind))
            found.push_back(it->path());
    }
    std::vector<std::string> removed;
    for (const fs::path& p : found) {
        std::error_code gone;
        if (fs::remove(p, gone)) removed.push_back(p.string());
    }
    return removed;
}

bool WriteFileAtomic(const std::string& nativePath, std::span<const uint8_t> bytes) {
    const std::string tmp = nativePath + ".tmp~";
    if (!StepAllowed(FILESTEP_OPEN, 0)) return false;
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        size_t len = bytes.size() - done;
        if (g_FileStepHook && g_nFileStepChunk) len = std::min(len, g_nFileStepChunk);
        if (!StepAllowed(FILESTEP_WRITE, done)) {
            ok = false;
            break;
        }
        ssize_t n = ::write(fd, bytes.data() + done, len);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (ok && (!StepAllowed(FILESTEP_SYNC, done) || ::fsync(fd) != 0)) ok = false;
    if (ok && !StepAllowed(FILESTEP_CLOSE, done)) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && (!StepAllowed(FILESTEP_RENAME, done) || std::rename(tmp.c_str(), nativePath.c_str()) != 0)) ok = false;
    if (!ok) {
        const int err = errno;  // the report names the step's error, not the removal's
        std::remove(tmp.c_str());
        errno = err;
    }
    return ok;
}

std::unique_ptr<cDataReader> OpenDataFileRead(const char* name) {
    std::string path = (name && *name) ? name : "err";
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(RecNativePath(path, false), bytes)) return nullptr;
    if (bytes.size() < 4) return nullptr;
    auto file = std::make_unique<cDataReader>(std::move(bytes));
    nReadVersion = file->ReadU32();
    if (nReadVersion > nDataVersion) {
        bVersionTooNew = 1;
        return nullptr;
    }
    bVersionTooNew = 0;
    return file;
}

std::unique_ptr<cDataFileWriter> OpenDataFileWrite(const char* name) {
    std::string path = name ? name : "";
    if (path.empty()) return nullptr;
    auto file = std::make_unique<cDataFileWriter>(RecNativePath(path, true));
    file->WriteU32(nDataVersion);
    return file;
}

void CloseDataFile(std::unique_ptr<cDataReader>& file) { file.reset(); }

int CloseDataFile(std::unique_ptr<cDataFileWriter>& file) {
    if (!file) return 0;
    bool ok = WriteFileAtomic(file->Path(), file->Bytes());
    if (!ok) {
        std::string line;
        FormatString(line, "%s could not be written (%s)", file->Path().c_str(), std::strerror(errno));
        RecWriteReport(line);
    }
    file.reset();
    return ok ? 1 : 0;
}

std::string GetLoadErrorMes(const std::string& name) {
    std::string text;
    if (bVersionTooNew)
        FormatString(text, "%s の読み込みに失敗しました！\nソフトより上位のバージョンのファイルは使用できません。",
                     name.c_str());
    else
        FormatString(text, "%s の読み込みに失敗しました！", name.c_str());
    return text;
}
