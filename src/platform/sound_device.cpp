#include "platform/sound_device.h"

#include <SDL.h>

#include <mutex>

#include "platform/log.h"
#include "platform/sound_mixer.h"

namespace {

// The SDL audio subsystem and one open device, released together.
class cSdlAudioDevice {
public:
    cSdlAudioDevice() {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            m_Error = SDL_GetError();
            return;
        }
        m_bSubsystem = true;
        SDL_AudioSpec want{};
        want.freq = MIXER_RATE;
        want.format = AUDIO_F32SYS;
        want.channels = MIXER_CHANNELS;
        want.samples = 1024;
        want.callback = &Callback;
        SDL_AudioSpec have{};
        m_Id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (m_Id == 0) {
            m_Error = SDL_GetError();
            return;
        }
        SDL_PauseAudioDevice(m_Id, 0);
    }
    ~cSdlAudioDevice() {
        if (m_Id) SDL_CloseAudioDevice(m_Id);
        if (m_bSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    cSdlAudioDevice(const cSdlAudioDevice&) = delete;
    cSdlAudioDevice& operator=(const cSdlAudioDevice&) = delete;

    bool IsOpen() const { return m_Id != 0; }
    const std::string& Error() const { return m_Error; }

private:
    static void Callback(void*, Uint8* stream, int len) {
        SoundMixer().Render(reinterpret_cast<float*>(stream),
                            len / static_cast<int>(sizeof(float) * MIXER_CHANNELS));
    }

    bool m_bSubsystem = false;
    SDL_AudioDeviceID m_Id = 0;
    std::string m_Error;
};

std::mutex g_Lock;
std::unique_ptr<cSdlAudioDevice> g_pDevice;
int g_nUsers = 0;
bool g_bOffline = false;
bool g_bSilenceReported = false;

}  // namespace

bool AcquireSoundOutput() {
    std::lock_guard<std::mutex> lock(g_Lock);
    ++g_nUsers;
    if (g_bOffline) return true;
    if (!g_pDevice) {
        g_pDevice = std::make_unique<cSdlAudioDevice>();
        if (!g_pDevice->IsOpen()) {
            if (!g_bSilenceReported)
                WriteReport("サウンドデバイスが使えません。音は鳴りません。(%s)", g_pDevice->Error().c_str());
            g_bSilenceReported = true;
            g_pDevice.reset();
            return false;
        }
    }
    return true;
}

void ReleaseSoundOutput() {
    std::lock_guard<std::mutex> lock(g_Lock);
    if (g_nUsers > 0) --g_nUsers;
    if (g_nUsers == 0) g_pDevice.reset();
}

bool IsSoundOutputOpen() {
    std::lock_guard<std::mutex> lock(g_Lock);
    return g_pDevice != nullptr;
}

void SetSoundOutputOffline(bool bOffline) {
    {
        std::lock_guard<std::mutex> lock(g_Lock);
        g_bOffline = bOffline;
        if (bOffline) g_pDevice.reset();
    }
    SoundMixer().SetOffline(bOffline);
}
