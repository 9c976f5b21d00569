#include "platform/sound/midi_synth.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/seam/fluid_library.h"
#include "platform/system/mesbox.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/sound_mixer.h"
#include "platform/system/file_name.h"
#include "records/services.h"

namespace {

const std::vector<std::string> DEFAULT_SOUNDFONTS = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

// The synthesiser as a music source of the mixer. Its player and synth are
// changed only under the mixer's lock, so rendering never meets a change.
class cFluidSource : public iMixerSource {
public:
    // The library is loaded (FluidLibrary() is not null) before a source is made.
    // The synth, and whether one of soundfonts looks like a sound bank (its
    // header only): when not, Open fails too.
    bool Prepare(const std::vector<std::string>& soundfonts) {
        m_pSettings.reset(m_Fl.NewSettings());
        if (!m_pSettings) return false;
        m_Fl.SettingsSetNum(m_pSettings.get(), "synth.sample-rate", MIXER_RATE);
        m_Fl.SettingsSetStr(m_pSettings.get(), "player.timing-source", "sample");
        m_pSynth.reset(m_Fl.NewSynth(m_pSettings.get()));
        if (!m_pSynth) return false;
        return std::any_of(soundfonts.begin(), soundfonts.end(),
                           [this](const std::string& sf) { return m_Fl.IsSoundFont(sf.c_str()) != 0; });
    }
    // After Prepare: loads the first of soundfonts that loads.
    bool LoadBank(const std::vector<std::string>& soundfonts) {
        // With OpenMP the library loads a sound bank's samples with a team of
        // worker threads, which on a busy machine wait for each other and take
        // several times as long as one thread: the bank loads on this thread alone.
        if (m_Fl.OmpSetNumThreads) m_Fl.OmpSetNumThreads(1);
        for (const std::string& sf : soundfonts)
            if (m_Fl.IsSoundFont(sf.c_str()) && m_Fl.SynthSfLoad(m_pSynth.get(), sf.c_str(), 1) != FLUID_FAILED)
                return true;
        return false;
    }

    void Mix(float* out, int frames, bool) override {
        if (!m_pSynth) return;
        float left[512], right[512];
        for (int done = 0; done < frames;) {
            const int n = std::min(frames - done, 512);
            m_Fl.SynthWriteFloat(m_pSynth.get(), n, left, 0, 1, right, 0, 1);
            for (int i = 0; i < n; ++i) {
                out[2 * (done + i)] += left[i] * m_fGain;
                out[2 * (done + i) + 1] += right[i] * m_fGain;
            }
            done += n;
        }
    }

    // Each of these runs under the mixer's lock (the caller takes it).
    void PlayLocked(const std::string& nativePath, bool bLoop) {
        StopLocked();
        m_pPlayer.reset(m_Fl.NewPlayer(m_pSynth.get()));
        if (!m_pPlayer) return;
        if (m_Fl.PlayerAdd(m_pPlayer.get(), nativePath.c_str()) != FLUID_OK) {
            m_pPlayer.reset();
            return;
        }
        m_Fl.PlayerSetLoop(m_pPlayer.get(), bLoop ? -1 : 1);
        m_Fl.PlayerPlay(m_pPlayer.get());
    }
    void StopLocked() {
        m_pPlayer.reset();
        m_Fl.SynthAllSoundsOff(m_pSynth.get(), -1);
        m_Fl.SynthSystemReset(m_pSynth.get());
    }
    void PauseLocked() {
        if (m_pPlayer) m_Fl.PlayerStop(m_pPlayer.get());
        m_Fl.SynthAllSoundsOff(m_pSynth.get(), -1);
    }
    void SetGainLocked(float gain) { m_fGain = gain; }

private:
    const cFluidLibrary& m_Fl = *FluidLibrary();
    FluidSettingsPtr m_pSettings;
    FluidSynthPtr m_pSynth;  // destroyed before the settings
    FluidPlayerPtr m_pPlayer;  // destroyed before the synth
    float m_fGain = 1.0f;
};

// A request to the player made while the synthesiser's sound bank loads.
struct HELDREQUEST {
    enum eKind { PLAY, STOP, PAUSE, GAIN } kind;
    std::string path;  // PLAY
    bool bLoop = false;  // PLAY
    float gain = 1.0f;   // GAIN
};

// Never destroyed: the music manager may close the device during static destruction.
struct cSynthState {
    std::mutex lock;
    std::unique_ptr<cFluidSource> pSource;  // in the mixer
    bool bOutput = false;           // the audio device is held for the synthesiser
    std::map<int, std::string> list;  // music id -> native path
    std::vector<std::string> soundFonts = DEFAULT_SOUNDFONTS;
    // A synthesiser opening on its own thread (PreloadMidiSynth).
    std::thread loader;
    std::future<bool> bankFound;  // set by the loader before its sound bank loads: whether one can
    bool bLoaded = false;         // the loader has ended; what it opened (null: nothing) is in pLoaded
    std::unique_ptr<cFluidSource> pLoaded;
    // The device is open and its synthesiser goes into the mixer once the
    // loader ends; the requests made meanwhile wait in order.
    bool bWaiting = false;
    std::vector<HELDREQUEST> held;
};
cSynthState& State() {
    static cSynthState* state = new cSynthState;
    return *state;
}

// Loads the library (once) with its log silenced; null when it cannot be loaded.
const cFluidLibrary* QuietFluidLibrary() {
    static const cFluidLibrary* lib = [] {
        const cFluidLibrary* f = FluidLibrary();
        if (f)
            for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) f->SetLogFunction(level, nullptr, nullptr);
        return f;
    }();
    return lib;
}

// A synthesiser with the first of soundfonts that loads; null without one (or without the library).
std::unique_ptr<cFluidSource> OpenSource(const std::vector<std::string>& soundfonts) {
    if (!QuietFluidLibrary()) return nullptr;
    auto source = std::make_unique<cFluidSource>();
    if (!source->Prepare(soundfonts) || !source->LoadBank(soundfonts)) source.reset();
    return source;
}

bool IsOpenLocked(const cSynthState& st) { return st.pSource || st.bWaiting; }

void ApplyLocked(cFluidSource& source, const HELDREQUEST& r) {
    switch (r.kind) {
        case HELDREQUEST::PLAY: source.PlayLocked(r.path, r.bLoop); break;
        case HELDREQUEST::STOP: source.StopLocked(); break;
        case HELDREQUEST::PAUSE: source.PauseLocked(); break;
        case HELDREQUEST::GAIN: source.SetGainLocked(r.gain); break;
    }
}

// The open device's synthesiser has loaded (null: it could not): it goes into
// the mixer with the requests held for it played in their order; without one
// the device closes and the requests go.
void AttachLocked(cSynthState& st, std::unique_ptr<cFluidSource> source) {
    st.bWaiting = false;
    const std::vector<HELDREQUEST> held = std::move(st.held);
    st.held.clear();
    if (!source) {
        st.list.clear();
        if (st.bOutput) ReleaseSoundOutput();
        st.bOutput = false;
        return;
    }
    {
        auto mix = SoundMixer().Lock();
        for (const HELDREQUEST& r : held) ApplyLocked(*source, r);
    }
    st.pSource = std::move(source);
    SoundMixer().AddSource(st.pSource.get());
}

// The loader's thread: tells first whether a sound bank can be loaded, then loads it.
void LoadSynth(std::vector<std::string> fonts, std::promise<bool> bankFound) {
    std::unique_ptr<cFluidSource> source;
    if (QuietFluidLibrary()) source = std::make_unique<cFluidSource>();
    const bool bFound = source && source->Prepare(fonts);
    bankFound.set_value(bFound);
    if (!bFound || !source->LoadBank(fonts)) source.reset();
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    st.bLoaded = true;
    if (st.bWaiting)
        AttachLocked(st, std::move(source));
    else
        st.pLoaded = std::move(source);
}

// Holds r while the bank loads, else plays it at once; false when the device is not open.
bool RequestLocked(cSynthState& st, HELDREQUEST r) {
    if (st.bWaiting) {
        st.held.push_back(std::move(r));
        return true;
    }
    if (!st.pSource) return false;
    auto mix = SoundMixer().Lock();
    ApplyLocked(*st.pSource, r);
    return true;
}

}  // namespace

void SetMidiSoundFontCandidates(const std::vector<std::string>* candidates) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    st.soundFonts = candidates ? *candidates : DEFAULT_SOUNDFONTS;
}

void PreloadMidiSynth() {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (IsOpenLocked(st) || st.loader.joinable()) return;
    // The library itself loads on this thread too.
    std::promise<bool> bankFound;
    st.bankFound = bankFound.get_future();
    st.bLoaded = false;
    st.loader = std::thread(LoadSynth, st.soundFonts, std::move(bankFound));
}

int LoadGgs4() { return 0; }

void ReleaseGgs4() { GGS4CloseDevice(); }

int GGS4OpenDevice(int, int) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (IsOpenLocked(st)) return 0;
    std::unique_ptr<cFluidSource> source;
    if (st.loader.joinable() && !st.bLoaded) {
        // The loader tells whether it found a sound bank before it loads it
        // (it does not need the lock for that): the device opens at once and
        // its synthesiser joins the mixer when the bank has loaded.
        const bool bFound = st.bankFound.valid() && st.bankFound.get();
        if (!bFound) return 1;
        st.bWaiting = true;
        st.bOutput = true;
        AcquireSoundOutput();
        return 0;
    }
    if (st.loader.joinable()) {
        st.loader.join();  // it has ended: bLoaded was set as its last step
        source = std::move(st.pLoaded);
    }
    if (!source) source = OpenSource(st.soundFonts);
    if (!source) return 1;
    st.pSource = std::move(source);
    st.bOutput = true;
    AcquireSoundOutput();
    SoundMixer().AddSource(st.pSource.get());
    return 0;
}

void GGS4CloseDevice() {
    cSynthState& st = State();
    std::unique_lock<std::mutex> lock(st.lock);
    // A loader still at work is waited for (its end takes the lock), and what it opened goes.
    st.bWaiting = false;
    st.held.clear();
    if (st.loader.joinable()) {
        std::thread loader = std::move(st.loader);
        lock.unlock();
        loader.join();
        lock.lock();
        st.pLoaded.reset();
        st.bLoaded = false;
        st.bankFound = {};
    }
    if (st.pSource) {
        SoundMixer().RemoveSource(st.pSource.get());
        st.pSource.reset();
    }
    st.list.clear();
    if (st.bOutput) ReleaseSoundOutput();
    st.bOutput = false;
}

bool IsGgs4DeviceOpen() {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    return IsOpenLocked(st);
}

int GGS4AddListFromFileA(const char* path, int, int id) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (!IsOpenLocked(st) || !path) return 15;
    const std::string native = RecNativePath(path, false);
    if (!FluidLibrary()->IsMidiFile(native.c_str())) return 1;
    st.list[id] = native;
    return 0;
}

void GGS4SetMasterVolume(int volume) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    const float gain = static_cast<float>(std::clamp(volume, -127, 0) + 127) / 127.0f;
    RequestLocked(st, {HELDREQUEST::GAIN, {}, false, gain});
}

void GGS4Play(int loop, int id, int, int, int) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    auto it = st.list.find(id);
    if (it == st.list.end()) return;
    RequestLocked(st, {HELDREQUEST::PLAY, it->second, loop != 0, 1.0f});
}

void GGS4Stop(int) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    RequestLocked(st, {HELDREQUEST::STOP, {}, false, 1.0f});
}

void GGS4Pause() {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    RequestLocked(st, {HELDREQUEST::PAUSE, {}, false, 1.0f});
}

int cGgs4Player::Init() {
    if (LoadGgs4() != 0) {
        DebugMesBoxF("dllがないテスト");
        return 0;
    }
    if (GGS4OpenDevice(-1, 0) != 0) return 0;
    m_nId = 0;
    m_nMasterVolume = 0;
    return 1;
}

int cGgs4Player::Play(int id, const char* path, int loop, int volume) {
    Stop(0);
    if (std::string ext; !GetExtensionStr(ext, path ? path : "") || ext != "mid") return 0;
    if (GGS4AddListFromFileA(path, 0, id) != 0) return 0;
    volume = std::clamp(volume, 0, 100);
    m_nMasterVolume = -127 - static_cast<int>(std::trunc(volume * -1.27));
    GGS4SetMasterVolume(m_nMasterVolume);
    GGS4Play(loop ? 1 : 0, id, 0, 0, 0);
    m_nId = id;
    return 1;
}

void cGgs4Player::Stop(int pause) {
    if (pause == 0)
        GGS4Stop(0);
    else
        GGS4Pause();
}
