#include "platform/sound/ogg.h"

#include <algorithm>
#include <string>

#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "records/services.h"

int cOgg::Init() {
    m_bLoaded = true;
    return 1;
}

int cOgg::Create(int n) {
    m_Players.clear();
    m_nPlaying = -1;
    m_nChannels = std::max(n, 0);
    for (int i = 0; i < m_nChannels; ++i) m_Players.push_back(std::make_unique<cOggStream>(SoundMixer()));
    return 1;
}

int cOgg::Play(int channel, const char* path, int loop, int volume) {
    if (!path || !*path) return 0;
    if (channel < 0 || channel >= static_cast<int>(m_Players.size())) return 0;
    Stop();
    cOggStream& p = *m_Players[static_cast<size_t>(channel)];
    p.Unload();
    if (std::string why; !p.Load(RecNativePath(path, false), &why)) {
        WriteReport("%s を再生できません：%s", path, why.c_str());
        m_nPlaying = -1;
        return 0;
    }
    // Every play sets its volume, full volume too: the player keeps the last one otherwise.
    p.SetVolume(static_cast<float>(std::clamp(volume, 0, 100) * 0.01));
    p.SetLoop(loop ? cOggStream::LOOP_FOREVER : 0);
    p.Play();
    m_nPlaying = channel;
    return 1;
}

void cOgg::Stop() {
    if (m_nPlaying >= 0 && m_nPlaying < static_cast<int>(m_Players.size())) m_Players[static_cast<size_t>(m_nPlaying)]->Stop();
    m_nPlaying = -1;
}

int cOgg::SetVolume(int channel, float volume) {
    if (channel < 0 || channel >= static_cast<int>(m_Players.size())) return 0;
    m_Players[static_cast<size_t>(channel)]->SetVolume(volume);
    return 1;
}

void cOgg::Release() {
    m_Players.clear();
    m_nPlaying = -1;
    m_nChannels = 0;
    m_bLoaded = false;
}
