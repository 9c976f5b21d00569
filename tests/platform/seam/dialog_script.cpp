#include "platform/seam/dialog_script.h"

#include <cstdlib>
#include <cstring>

cDialogScript::cDialogScript() {
    SetDialogFrameHook([this](cDialog& dlg, int frame) { Step(dlg, frame); });
}

cDialogScript::~cDialogScript() { SetDialogFrameHook(nullptr); }

cDialogScript& cDialogScript::Key(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    m_Steps.push_back(e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    m_Steps.push_back(e);
    return *this;
}

cDialogScript& cDialogScript::Text(const std::string& utf8) {
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        size_t len = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::memcpy(e.text.text, utf8.data() + i, len);
        m_Steps.push_back(e);
        i += len;
    }
    return *this;
}

cDialogScript& cDialogScript::Compose(const std::string& utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTEDITING;
    std::strncpy(e.edit.text, utf8.c_str(), sizeof e.edit.text - 1);
    e.edit.length = static_cast<Sint32>(utf8.size());
    m_Steps.push_back(e);
    return *this;
}

cDialogScript& cDialogScript::Wait(int frames) {
    for (int i = 0; i < frames; ++i) m_Steps.push_back(SDL_Event{});
    return *this;
}

void cDialogScript::Step(cDialog& dlg, int frame) {
    (void)dlg;
    if (frame < 2) return;  // the dialog's first frames lay it out and set the focus
    if (m_nNext >= m_Steps.size()) {
        if (frame > 2000) dlg.Close(-1);  // a script that does not end the dialog
        return;
    }
    SDL_Event e = m_Steps[m_nNext++];
    if (e.type != 0) SDL_PushEvent(&e);
}

cVideoForTest::cVideoForTest() {
    // The dialogs are driven on the dummy driver: under an X server without a
    // window manager, focus events arrive whenever the server gets to them,
    // and a late focus-out drops the scripted keys held at that moment. The
    // real window has tests of its own.
    m_Env.Set("SDL_VIDEODRIVER", "dummy", false);
    ok = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

cVideoForTest::~cVideoForTest() {
    if (ok) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();  // everything SDL keeps, as the program's end does
}
