#include "platform/sound/sound_device.h"

#include <SDL.h>

#include <mutex>

#include "platform/system/log.h"
#include "platform/sound/sound_mixer.h"

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

// Never destroyed: users may let go of the device during static destruction.
struct cOutputState {
    std::mutex lock;
    std::unique_ptr<cSdlAudioDevice> pDevice;
    int nUsers = 0;
    bool bOffline = false;
    bool bSilenceReported = false;
};
cOutputState& State() {
    static cOutputState* state = new cOutputState;
    return *state;
}

}  // namespace

bool AcquireSoundOutput() {
    cOutputState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    ++st.nUsers;
    if (st.bOffline) return true;
    if (!st.pDevice) {
        st.pDevice = std::make_unique<cSdlAudioDevice>();
        if (!st.pDevice->IsOpen()) {
            if (!st.bSilenceReported)
                WriteReport("サウンドデバイスが使えません。音は鳴りません。(%s)", st.pDevice->Error().c_str());
            st.bSilenceReported = true;
            st.pDevice.reset();
            return false;
        }
    }
    return true;
}

void ReleaseSoundOutput() {
    cOutputState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    if (st.nUsers > 0) --st.nUsers;
    if (st.nUsers == 0) st.pDevice.reset();
}

bool IsSoundOutputOpen() {
    cOutputState& st = State();
    std::lock_guard<std::mutex> lock(st.lock);
    return st.pDevice != nullptr;
}

void SetSoundOutputOffline(bool bOffline) {
    {
        cOutputState& st = State();
        std::lock_guard<std::mutex> lock(st.lock);
        st.bOffline = bOffline;
        if (bOffline) st.pDevice.reset();
    }
    SoundMixer().SetOffline(bOffline);
}
