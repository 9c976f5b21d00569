#include "scene/editor_notice.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "stage/flow_refs.h"

uint32_t bEditorStart = 0;

namespace {

std::string g_strTarget;

bool SendToSocket(const std::string& path, const std::string& line) {
    sockaddr_un addr{};
    if (path.size() >= sizeof addr.sun_path) return false;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return false;
    bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 &&
              ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    ::close(fd);
    return ok;
}

}  // namespace

void ReadEditorSetting() {
    const char* target = std::getenv("QV_EDITOR");
    g_strTarget = target ? target : "";
    bEditorStart = g_strTarget.empty() ? 0 : 1;
    // Stage loading keeps the editor-only flows of a test play.
    SetFlowEditorFlag(bEditorStart != 0);
}

void SendEditorNotice(uint32_t kind, uint32_t value) {
    if (!bEditorStart) return;
    char line[32];
    std::snprintf(line, sizeof line, "%s %u\n", kind == EDITOR_STARTED ? "started" : "ended", value);
    struct stat st{};
    if (::stat(g_strTarget.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) {
        SendToSocket(g_strTarget, line);
        return;
    }
    if (std::FILE* f = std::fopen(g_strTarget.c_str(), "ab")) {
        std::fputs(line, f);
        std::fclose(f);
    }
}

void ResetEditorSetting() {
    g_strTarget.clear();
    bEditorStart = 0;
    SetFlowEditorFlag(false);
}
