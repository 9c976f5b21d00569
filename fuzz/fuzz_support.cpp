#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "records/data_file.h"
#include "records/services.h"

namespace fuzz {

void Quiet() {
    setenv("QV_AUTO_ANSWER", "1", 1);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    RECORDSERVICES s;
    s.WriteEC = [](const char*) {};
    s.WriteReport = [](const char*) {};
    s.PostClose = [] {};
    s.DebugMesBox = [](const char*) {};
    SetRecordServices(s);
}

const std::string& ScratchDir() {
    static const std::string dir = [] {
        // tmpfs where there is one: the readers open and write files at every input.
        std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string templ = base + "/qv_fuzz_XXXXXX";
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::string made(buf.data());
        // Removed at exit with what the harness left in it.
        static std::string removeAtExit = made;
        std::atexit([] {
            const std::string cmd = "rm -rf '" + removeAtExit + "'";
            if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", removeAtExit.c_str());
        });
        return made;
    }();
    return dir;
}

std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = ScratchDir() + "/" + name;
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
    return path;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) bytes.clear();
    return bytes;
}

void Fail(const char* what, const std::vector<uint8_t>& first, const std::vector<uint8_t>& second) {
    size_t i = 0;
    while (i < first.size() && i < second.size() && first[i] == second[i]) ++i;
    std::fprintf(stderr, "%s: the saved bytes changed on reload at byte %zu (%zu, %zu bytes)\n", what, i,
                 first.size(), second.size());
    std::abort();
}

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace fuzz
