#include "platform/system/mesbox.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/system/cp932.h"
#include "platform/system/log.h"
#include "platform/system/path.h"
#include "platform/window/dialog_mesbox.h"
#include "records/services.h"

namespace {

std::atomic<MesBoxPresenter> g_Presenter{nullptr};

// True when a window could be seen: a display is named and SDL's video
// driver is not one that draws nowhere.
bool HasDisplay() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

const char* AnswerName(int answer) {
    switch (answer) {
        case IDYES: return "Yes";
        case IDNO: return "No";
        case IDCANCEL: return "Cancel";
        default: return "OK";
    }
}

int SystemMesBox(const std::string& text, const std::string& caption, unsigned style) {
    const std::string t = Cp932ToUtf8(text), c = Cp932ToUtf8(caption);
    SDL_MessageBoxButtonData buttons[3];
    int n = 0;
    auto add = [&](int id, const char* label) { buttons[n++] = SDL_MessageBoxButtonData{0, id, label}; };
    switch (style & 0xF) {
        case MB_OKCANCEL: add(IDOK, "OK"); add(IDCANCEL, "Cancel"); break;
        case MB_YESNOCANCEL: add(IDYES, "Yes"); add(IDNO, "No"); add(IDCANCEL, "Cancel"); break;
        case MB_YESNO: add(IDYES, "Yes"); add(IDNO, "No"); break;
        default: add(IDOK, "OK"); break;
    }
    const int def = DefaultMesBoxAnswer(style);
    for (int i = 0; i < n; ++i) {
        if (buttons[i].buttonid == def) buttons[i].flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (buttons[i].buttonid == IDCANCEL || buttons[i].buttonid == IDNO)
            buttons[i].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    }
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if ((style & 0xF0) == MB_ICONERROR) flags = SDL_MESSAGEBOX_ERROR;
    if ((style & 0xF0) == MB_ICONWARNING) flags = SDL_MESSAGEBOX_WARNING;
    SDL_MessageBoxData data{flags, nullptr, c.c_str(), t.c_str(), n, buttons, nullptr};
    int answer = def;
    // With no display SDL would still start the desktop's dialog program,
    // which has nowhere to show: nothing is started then.
    const bool display = HasDisplay();
    if (display && SDL_ShowMessageBox(&data, &answer) == 0) return answer < 0 ? def : answer;
    const std::string why = display ? SDL_GetError() : "no display";
    // SDL's box did not open. Under X11 it asks the X server for a font set
    // that a bare server (Xvfb, whose only font is its built-in "fixed") does
    // not have, and the desktop's dialog program may be missing: the box is
    // drawn in a window of the program's own, with its own fonts.
    // Windows belong to the process's first thread (Linux gives it the process id).
    if (display && ::gettid() == ::getpid()) {
        if (const int shown = DialogMesBox(text, caption, style)) return shown;
    }
    // No box at all: the text goes to the terminal and to the report log,
    // and a question takes the answer that changes nothing.
    const int safe = EscapeMesBoxAnswer(style);
    WriteReport("MesBox [%s] %s -> %d (no box could be shown: %s)", caption.c_str(), text.c_str(), safe, why.c_str());
    std::error_code error;
    const std::string report = ReportPath();
    const std::string log =
        report.empty() ? std::string() : std::filesystem::absolute(ToNativePath(report, false), error).string();
    std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
    if ((style & 0xF) != MB_OK)
        std::fprintf(stderr, "(no message box could be shown, so the answer is \"%s\")\n", AnswerName(safe));
    if (!log.empty()) std::fprintf(stderr, "(this message is also in the log %s)\n", log.c_str());
    return safe;
}

std::string VFormat1024(const char* format, va_list args) {
    char buf[1024];
    int n = std::vsnprintf(buf, sizeof buf, format, args);
    if (n < 0) return std::string();
    return std::string(buf, std::min<size_t>(static_cast<size_t>(n), sizeof buf - 1));
}

}  // namespace

namespace {
std::atomic<int> g_nAutoAnswer{-1};  // -1: not read yet
}  // namespace

bool IsAutoAnswer() {
    int n = g_nAutoAnswer.load();
    if (n < 0) {
        const char* v = std::getenv("QV_AUTO_ANSWER");
        n = v && std::strcmp(v, "1") == 0;
        g_nAutoAnswer = n;
    }
    return n != 0;
}

void RereadAutoAnswer() { g_nAutoAnswer = -1; }

int EscapeMesBoxAnswer(unsigned style) {
    switch (style & 0xF) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL: return IDCANCEL;
        case MB_YESNO: return IDNO;
        default: return IDOK;
    }
}

int DefaultMesBoxAnswer(unsigned style) {
    const unsigned buttons = style & 0xF;
    const int second = (style & MB_DEFBUTTON2) ? 1 : (style & MB_DEFBUTTON3) ? 2 : 0;
    switch (buttons) {
        case MB_OKCANCEL: return second ? IDCANCEL : IDOK;
        case MB_YESNOCANCEL: return second == 2 ? IDCANCEL : second ? IDNO : IDYES;
        case MB_YESNO: return second ? IDNO : IDYES;
        default: return IDOK;
    }
}

void SetMesBoxPresenter(MesBoxPresenter presenter) { g_Presenter = presenter; }

int MesBox(const char* text, const char* caption, unsigned style) {
    const std::string t = text ? text : "", c = caption ? caption : "";
    if (IsAutoAnswer()) {
        const int answer = DefaultMesBoxAnswer(style);
        WriteReport("MesBox [%s] %s -> %d", c.c_str(), t.c_str(), answer);
        return answer;
    }
    MesBoxPresenter p = g_Presenter.load();
    return p ? p(t, c, style) : SystemMesBox(t, c, style);
}

int ErrMesBox(const char* text) { return MesBox(text, "エラー", MB_OK); }

int ErrMesBoxF(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat1024(format, args);
    va_end(args);
    return ErrMesBox(text.c_str());
}

int DebugMesBoxF(const char* format, ...) {
    if (!IsECEnabled()) return 0;
    va_list args;
    va_start(args, format);
    std::string text = VFormat1024(format, args);
    va_end(args);
    return ErrMesBox(text.c_str());
}

void OutOfMemory() {
    ErrMesBox("メモリが不足しています！");
    RecFaultClose("メモリが不足しています！");
}
