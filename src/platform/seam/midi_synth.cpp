#include "platform/sound/midi_synth.h"

#include <algorithm>
#include <future>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

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
    bool Open(const std::vector<std::string>& soundfonts) {
        m_pSettings.reset(m_Fl.NewSettings());
        if (!m_pSettings) return false;
        m_Fl.SettingsSetNum(m_pSettings.get(), "synth.sample-rate", MIXER_RATE);
        m_Fl.SettingsSetStr(m_pSettings.get(), "player.timing-source", "sample");
        m_pSynth.reset(m_Fl.NewSynth(m_pSettings.get()));
        if (!m_pSynth) return false;
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

// Never destroyed: the music manager may close the device during static destruction.
struct cSynthState {
    std::mutex lock;
    std::unique_ptr<cFluidSource> pSource;
    bool bOutput = false;           // the audio device is held for the synthesiser
    std::map<int, std::string> list;  // music id -> native path
    std::vector<std::string> soundFonts = DEFAULT_SOUNDFONTS;
    std::future<std::unique_ptr<cFluidSource>> preload;  // a synthesiser opening on its own thread
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
    if (!source->Open(soundfonts)) source.reset();
    return source;
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
    if (st.pSource || st.preload.valid()) return;
    // The library itself loads on this thread too.
    st.preload = std::async(std::launch::async, [fonts = st.soundFonts] { return OpenSource(fonts); });
}

int LoadGgs4() { return 0; }

void ReleaseGgs4() { GGS4CloseDevice(); }

int GGS4OpenDevice(int, int) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (st.pSource) return 0;
    std::unique_ptr<cFluidSource> source;
    if (st.preload.valid()) source = st.preload.get();
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
    std::lock_guard<std::mutex> lock(st.lock);
    if (st.preload.valid()) st.preload.get();
    if (!st.pSource) return;
    SoundMixer().RemoveSource(st.pSource.get());
    st.pSource.reset();
    st.list.clear();
    if (st.bOutput) ReleaseSoundOutput();
    st.bOutput = false;
}

bool IsGgs4DeviceOpen() {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    return st.pSource != nullptr;
}

int GGS4AddListFromFileA(const char* path, int, int id) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (!st.pSource || !path) return 15;
    const std::string native = RecNativePath(path, false);
    if (!FluidLibrary()->IsMidiFile(native.c_str())) return 1;
    st.list[id] = native;
    return 0;
}

void GGS4SetMasterVolume(int volume) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (!st.pSource) return;
    const float gain = static_cast<float>(std::clamp(volume, -127, 0) + 127) / 127.0f;
    auto mix = SoundMixer().Lock();
    st.pSource->SetGainLocked(gain);
}

void GGS4Play(int loop, int id, int, int, int) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    auto it = st.list.find(id);
    if (!st.pSource || it == st.list.end()) return;
    auto mix = SoundMixer().Lock();
    st.pSource->PlayLocked(it->second, loop != 0);
}

void GGS4Stop(int) {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (!st.pSource) return;
    auto mix = SoundMixer().Lock();
    st.pSource->StopLocked();
}

void GGS4Pause() {
    cSynthState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (!st.pSource) return;
    auto mix = SoundMixer().Lock();
    st.pSource->PauseLocked();
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
