#include "platform/sound/sound_mixer.h"

#include <algorithm>
#include <cmath>

float VolumeToGain(int volume) {
    if (volume <= -10000) return 0.0f;
    if (volume >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

cSoundBuffer::cSoundBuffer(cMixer& mixer, std::shared_ptr<const cPcm> pcm) : m_Mixer(mixer), m_pPcm(std::move(pcm)) {
    if (m_pPcm && m_pPcm->rate > 0) m_dStep = static_cast<double>(m_pPcm->rate) / MIXER_RATE;
}

cSoundBuffer::~cSoundBuffer() {
    auto lock = m_Mixer.Lock();
    m_Mixer.StopLocked(this);
}

std::unique_ptr<cSoundBuffer> cSoundBuffer::Duplicate() const {
    auto copy = std::make_unique<cSoundBuffer>(m_Mixer, m_pPcm);
    auto lock = m_Mixer.Lock();
    copy->m_nVolume = m_nVolume;
    copy->m_fGain = m_fGain;
    return copy;
}

void cSoundBuffer::Play(bool bLoop) {
    auto lock = m_Mixer.Lock();
    m_bLoop = bLoop;
    if (!m_pPcm || m_pPcm->Frames() == 0) return;
    if (m_dPos >= static_cast<double>(m_pPcm->Frames())) m_dPos = 0;
    m_bPlaying = true;
    m_Mixer.StartLocked(this);
}

void cSoundBuffer::Stop() {
    auto lock = m_Mixer.Lock();
    m_Mixer.StopLocked(this);
}

void cSoundBuffer::SetCurrentPosition(size_t frame) {
    auto lock = m_Mixer.Lock();
    m_dPos = static_cast<double>(frame);
}

void cSoundBuffer::SetVolume(int volume) {
    volume = std::clamp(volume, -10000, 0);
    auto lock = m_Mixer.Lock();
    m_nVolume = volume;
    m_fGain = VolumeToGain(volume);
}

int cSoundBuffer::GetVolume() const {
    auto lock = m_Mixer.Lock();
    return m_nVolume;
}

bool cSoundBuffer::IsPlaying() const {
    auto lock = m_Mixer.Lock();
    return m_bPlaying;
}

size_t cSoundBuffer::GetCurrentPosition() const {
    auto lock = m_Mixer.Lock();
    return static_cast<size_t>(m_dPos);
}

bool cSoundBuffer::MixLocked(float* out, int frames) {
    const cPcm& pcm = *m_pPcm;
    const size_t total = pcm.Frames();
    const float* s = pcm.samples.data();
    const int ch = pcm.channels;
    const float gain = m_fGain;
    for (int i = 0; i < frames; ++i) {
        if (m_dPos >= static_cast<double>(total)) {
            if (!m_bLoop) return false;
            m_dPos -= static_cast<double>(total);
        }
        const size_t a = static_cast<size_t>(m_dPos);
        const float t = static_cast<float>(m_dPos - static_cast<double>(a));
        size_t b = a + 1;
        if (b >= total) b = m_bLoop ? 0 : a;
        float l, r;
        if (ch == 1) {
            l = r = s[a] + (s[b] - s[a]) * t;
        } else {
            l = s[a * ch] + (s[b * ch] - s[a * ch]) * t;
            r = s[a * ch + 1] + (s[b * ch + 1] - s[a * ch + 1]) * t;
        }
        out[2 * i] += l * gain;
        out[2 * i + 1] += r * gain;
        m_dPos += m_dStep;
    }
    return true;
}

void cMixer::Render(float* out, int frames) {
    std::fill(out, out + static_cast<size_t>(frames) * MIXER_CHANNELS, 0.0f);
    std::lock_guard<std::mutex> lock(m_Lock);
    for (size_t i = 0; i < m_Playing.size();) {
        cSoundBuffer* b = m_Playing[i];
        if (b->MixLocked(out, frames)) {
            ++i;
        } else {
            b->m_bPlaying = false;
            m_Playing.erase(m_Playing.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (iMixerSource* s : m_Sources) s->Mix(out, frames, m_bOffline);
    for (size_t i = 0; i < static_cast<size_t>(frames) * MIXER_CHANNELS; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void cMixer::AddSource(iMixerSource* source) {
    std::lock_guard<std::mutex> lock(m_Lock);
    if (std::find(m_Sources.begin(), m_Sources.end(), source) == m_Sources.end()) m_Sources.push_back(source);
}

void cMixer::RemoveSource(iMixerSource* source) {
    std::lock_guard<std::mutex> lock(m_Lock);
    std::erase(m_Sources, source);
}

void cMixer::SetOffline(bool bOffline) {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_bOffline = bOffline;
}

int cMixer::PlayingCount() {
    std::lock_guard<std::mutex> lock(m_Lock);
    return static_cast<int>(m_Playing.size());
}

void cMixer::StartLocked(cSoundBuffer* buffer) {
    if (std::find(m_Playing.begin(), m_Playing.end(), buffer) == m_Playing.end()) m_Playing.push_back(buffer);
}

void cMixer::StopLocked(cSoundBuffer* buffer) {
    buffer->m_bPlaying = false;
    std::erase(m_Playing, buffer);
}

cMixer& SoundMixer() {
    static cMixer* mixer = new cMixer;  // never destroyed: buffers may outlive static destruction
    return *mixer;
}
