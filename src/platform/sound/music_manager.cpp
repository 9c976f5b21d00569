#include "platform/sound/music_manager.h"

#include <algorithm>
#include <cstring>

#include "platform/sound/sound_device.h"
#include "platform/system/file_name.h"

cBgm Bgm;

namespace {

void CopyName(char (&dst)[260], const std::string& src) {
    std::strncpy(dst, src.c_str(), sizeof dst - 1);
    dst[sizeof dst - 1] = '\0';
}

const char* const BGM_NAMES[] = {"bgm\\Title", "bgm\\WorldMap", "bgm\\Challenge", "bgm\\Option", "bgm\\Stage"};

}  // namespace

void InitBgmNameTables(std::vector<OGGNAME>& ogg, std::vector<MIDINAME>& midi) {
    ogg.assign(5, OGGNAME{});
    midi.assign(5, MIDINAME{});
    for (int i = 0; i < 5; ++i) {
        CopyName(ogg[static_cast<size_t>(i)].name, std::string(BGM_NAMES[i]) + ".ogg");
        CopyName(midi[static_cast<size_t>(i)].name, std::string(BGM_NAMES[i]) + ".mid");
    }
}

int cBgm::Init(int channels, std::vector<OGGNAME>* ogg, std::vector<MIDINAME>* midi, int slots) {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    if (m_bEnabled) Release();
    m_bEnabled = 1;
    AcquireSoundOutput();
    if (m_Ggs4.Init()) {
        m_bMidiLibrary = 1;
    } else {
        m_bMidiLibrary = 0;
        m_vMidi.clear();
        m_vMidiLoop.clear();
    }
    if (!m_Ogg.Init()) return 0;
    SetChannels(channels);
    m_pOggNames = ogg;
    m_pMidiNames = midi;
    m_vKinds.assign(static_cast<size_t>(std::max(slots, 0)), KIND_UNDECIDED);
    m_bPlayersMade = true;
    return 1;
}

int cBgm::SetChannels(int n) {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    n = std::max(n, 0);
    if (!m_bMidiLibrary) {
        m_vMidi.resize(static_cast<size_t>(n));
        m_vMidiLoop.resize(static_cast<size_t>(n), 0);
    }
    m_Ogg.Create(n);
    m_vChannelState.assign(static_cast<size_t>(n), CHANNEL_SILENT);
    return 1;
}

int cBgm::SetTrack(int slot, const char* path, int volume) {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    if (!m_bEnabled || !m_bPlayersMade) return 1;
    if (slot < 0 || slot >= static_cast<int>(m_vKinds.size()) || !m_pOggNames || !m_pMidiNames ||
        slot >= static_cast<int>(m_pOggNames->size()) || slot >= static_cast<int>(m_pMidiNames->size()))
        return 0;
    OGGNAME& o = (*m_pOggNames)[static_cast<size_t>(slot)];
    MIDINAME& m = (*m_pMidiNames)[static_cast<size_t>(slot)];
    int& kind = m_vKinds[static_cast<size_t>(slot)];
    const std::string name = path ? path : "";
    std::string ext;
    if (!GetExtensionStr(ext, name)) {
        CopyName(o.name, "");
        CopyName(m.name, "");
        o.volume = m.volume = 0;
        kind = KIND_UNDECIDED;
        return 0;
    }
    if (ext == "mid" || ext == "MID") {
        std::string midi;
        ChangeExtensionStr(midi, name, "mid");
        CopyName(m.name, midi);
        m.volume = volume;
        kind = KIND_MIDI;
        return 1;
    }
    if (ext == "ogg" || ext == "OGG") {
        CopyName(o.name, path);
        o.volume = volume;
        kind = KIND_OGG;
        return 1;
    }
    CopyName(o.name, path);
    CopyName(m.name, path);
    o.volume = m.volume = volume;
    kind = KIND_UNDECIDED;
    return 0;
}

bool cBgm::ValidChannel(int channel) const {
    return channel >= 0 && channel < static_cast<int>(m_vChannelState.size());
}

bool cBgm::PlayOggLocked(int channel, int slot, int loop) {
    if (!m_pOggNames || slot >= static_cast<int>(m_pOggNames->size())) return false;
    const OGGNAME& o = (*m_pOggNames)[static_cast<size_t>(slot)];
    return m_Ogg.Play(channel, o.name, loop, o.volume) != 0;
}

bool cBgm::PlayMidiLocked(int channel, int slot, int loop) {
    if (!m_pMidiNames || slot >= static_cast<int>(m_pMidiNames->size())) return false;
    const MIDINAME& m = (*m_pMidiNames)[static_cast<size_t>(slot)];
    if (m_bMidiLibrary && !IsGgs4DeviceOpen()) {
        // The synthesiser's soundfont failed to load after it opened: the stream players take over.
        m_bMidiLibrary = 0;
        m_vMidi.resize(m_vChannelState.size());
        m_vMidiLoop.resize(m_vChannelState.size(), 0);
    }
    if (m_bMidiLibrary) return m_Ggs4.Play(channel, m.name, loop, m.volume) != 0;
    return PlayMidiFile(m_vMidi, m_vMidiLoop, channel, m.name, loop) != 0;
}

void cBgm::StopMidiLocked(int pause) {
    if (m_bMidiLibrary)
        m_Ggs4.Stop(pause);
    else
        StopMidiPlayers(m_vMidi, pause);
}

int cBgm::Play(int channel, int slot, int loop, int pause, int force) {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    // Without players (Init did not get that far) the manager does nothing.
    if (!m_bEnabled || !m_bPlayersMade) return 1;
    if (slot == m_nCurrent && !force) return 1;
    m_nCurrent = slot;
    const bool bValid = ValidChannel(channel) && slot >= 0 && slot < static_cast<int>(m_vKinds.size());
    if (bValid) {
        int& state = m_vChannelState[static_cast<size_t>(channel)];
        switch (m_vKinds[static_cast<size_t>(slot)]) {
            case KIND_UNDECIDED:
                if (PlayOggLocked(channel, slot, loop)) {
                    state = CHANNEL_OGG;
                    StopMidiLocked(pause);
                    return 1;
                }
                if (PlayMidiLocked(channel, slot, loop)) {
                    state = CHANNEL_MIDI;
                    m_Ogg.Stop();
                    return 1;
                }
                break;
            case KIND_OGG:
                if (PlayOggLocked(channel, slot, loop)) {
                    state = CHANNEL_OGG;
                    StopMidiLocked(0);
                    return 1;
                }
                break;
            case KIND_MIDI:
                if (PlayMidiLocked(channel, slot, loop)) {
                    state = CHANNEL_MIDI;
                    m_Ogg.Stop();
                    return 1;
                }
                break;
        }
        state = CHANNEL_SILENT;
    }
    m_nCurrent = -1;
    m_Ogg.Stop();
    StopMidiLocked(0);
    return 0;
}

void cBgm::Stop() {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    if (!m_bEnabled || !m_bPlayersMade) return;
    StopMidiLocked(0);
    m_Ogg.Stop();
}

void cBgm::Release() {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    if (!m_bEnabled) return;
    m_Ogg.Release();
    if (m_bMidiLibrary) {
        ReleaseGgs4();
    } else {
        m_vMidi.clear();
        m_vMidiLoop.clear();
    }
    m_bMidiLibrary = 0;
    m_vChannelState.clear();
    m_nCurrent = -1;  // nothing plays any more: the next request must play
    m_bPlayersMade = false;
    m_bEnabled = 0;
    ReleaseSoundOutput();
}

int cBgm::CurrentSlot() {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    return m_nCurrent;
}

int cBgm::ChannelState(int channel) {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    return ValidChannel(channel) ? m_vChannelState[static_cast<size_t>(channel)] : CHANNEL_SILENT;
}

int cBgm::SlotKind(int slot) {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    return slot >= 0 && slot < static_cast<int>(m_vKinds.size()) ? m_vKinds[static_cast<size_t>(slot)] : KIND_UNDECIDED;
}

bool cBgm::UsesMidiLibrary() {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    return m_bMidiLibrary != 0;
}

cMidi* cBgm::StreamPlayer(int channel) {
    std::lock_guard<std::recursive_mutex> lock(m_Lock);
    return channel >= 0 && channel < static_cast<int>(m_vMidi.size()) ? m_vMidi[static_cast<size_t>(channel)].get()
                                                                       : nullptr;
}
