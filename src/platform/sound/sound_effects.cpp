#include "platform/sound/sound_effects.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <mutex>

#include "platform/system/log.h"
#include "platform/system/prepared_files.h"
#include "records/data_file.h"
#include "records/services.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/wave_file.h"

namespace {

// Guards the layer's state and every sound record handed to it.
std::recursive_mutex g_Lock;
bool g_bOpen = false;  // the layer is open (with or without a device)
void* g_hWnd = nullptr;
std::vector<DSSOUNDDATA>* g_pSounds = nullptr;
const std::vector<DSSOUNDINFO>* g_pInfos = nullptr;

void CopyName(char (&dst)[260], const char* src) {
    std::strncpy(dst, src ? src : "", sizeof dst - 1);
    dst[sizeof dst - 1] = '\0';
}

// The samples of a PCM wave as float frames; null for formats the mixer cannot take.
std::shared_ptr<cPcm> ToPcm(const WAVEDATA& wave, std::string& why) {
    const WAVEFORMATEX& f = wave.format;
    if (!CheckWavePlayable(wave, why)) return nullptr;
    const size_t block = static_cast<size_t>(f.nChannels) * f.wBitsPerSample / 8;
    const size_t frames = wave.samples.size() / block;
    auto pcm = std::make_shared<cPcm>();
    pcm->channels = f.nChannels;
    pcm->rate = static_cast<int>(f.nSamplesPerSec);
    pcm->samples.resize(frames * f.nChannels);
    const uint8_t* s = wave.samples.data();
    for (size_t i = 0; i < pcm->samples.size(); ++i) {
        if (f.wBitsPerSample == 8) {
            pcm->samples[i] = (static_cast<int>(s[i]) - 128) / 128.0f;
        } else {
            const int16_t v = static_cast<int16_t>(s[2 * i] | (s[2 * i + 1] << 8));
            pcm->samples[i] = v / 32768.0f;
        }
    }
    return pcm;
}

// The wave files read ahead (never destroyed: a worker may still add one at exit).
cPreparedFiles<std::vector<uint8_t>>& Prepared() {
    static auto* prepared = new cPreparedFiles<std::vector<uint8_t>>;
    return *prepared;
}

// The wave at path, from the bytes read ahead when its file is still the same.
bool ReadWave(const char* path, WAVEDATA& wave) {
    const std::string native = RecNativePath(path, false);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(native, ec);
    std::vector<uint8_t> bytes;
    if (!ec && Prepared().Take(native, size, &bytes)) return ParseWaveBytes(bytes, path, wave);
    return ReadWaveFile(path, wave);
}

void ReleaseSoundLocked(DSSOUNDDATA& sound) {
    if (sound.copies.empty()) return;
    for (size_t i = sound.copies.size(); i-- > 1;) sound.copies[i].reset();
    sound.copies[0].reset();
    sound.copies.clear();
}

}  // namespace

bool DS_Init(void* hWnd, int /*rate*/, int /*bits*/, int /*channels*/) {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    if (!g_bOpen) AcquireSoundOutput();  // without a device the layer stays open and silent
    g_bOpen = true;
    g_hWnd = hWnd;
    g_pSounds = nullptr;
    g_pInfos = nullptr;
    return true;
}

void DS_End() {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    if (!g_bOpen) return;
    if (g_pSounds)
        for (DSSOUNDDATA& s : *g_pSounds) ReleaseSoundLocked(s);
    g_pSounds = nullptr;
    g_pInfos = nullptr;
    g_hWnd = nullptr;
    g_bOpen = false;
    ReleaseSoundOutput();
}

bool DS_IsOpen() {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    return g_bOpen;
}

int DS_LoadSoundList(std::vector<DSSOUNDDATA>& sounds, const std::vector<DSSOUNDINFO>& infos, int volume) {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    g_pSounds = &sounds;
    g_pInfos = &infos;
    // A sound without a descriptor is left alone.
    const size_t n = std::min(sounds.size(), infos.size());
    for (size_t i = 0; i < n; ++i) {
        if (!sounds[i].copies.empty()) continue;
        const DSSOUNDINFO& info = infos[i];
        // A descriptor without a file name (an unused system sound) stays silent.
        if (!info.name[0]) continue;
        DS_CreateSound(sounds[i], info.name, info.copies, volume != 0 ? volume : info.volume);
    }
    return 1;
}

void PrepareWaveFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        const std::string native = RecNativePath(path, false);
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        if (!StampPreparedFile(native, MAX_DATA_FILE_SIZE, &size, &time)) continue;
        std::vector<uint8_t> bytes;
        if (!ReadFileBytes(native, bytes, MAX_DATA_FILE_SIZE) || bytes.size() != size) continue;
        Prepared().Put(native, size, time, std::move(bytes));
    }
}

void DiscardPreparedWaveFiles() { Prepared().Clear(); }

bool DS_CreateSound(DSSOUNDDATA& sound, const char* path, int copies, int volume) {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    if (!g_bOpen) return true;
    ReleaseSoundLocked(sound);
    sound = DSSOUNDDATA{};
    // At least copy 0 is made: a sound asked for with no copies still has its buffer.
    copies = std::max(copies, 1);
    sound.copies.resize(static_cast<size_t>(copies));
    if (!DS_LoadWave(sound.copies[0], path)) return false;
    for (int i = 1; i < copies; ++i) {
        if (!DS_DuplicateBuffer(sound.copies[static_cast<size_t>(i)], *sound.copies[0])) {
            WriteECf("%sのメモリ共用バッファの生成失敗！", path);
            return false;
        }
    }
    sound.nCopies = copies;
    CopyName(sound.name, path);
    if (volume != 0)
        for (int i = 0; i < copies; ++i) DS_SetVolume(sound, i, volume, 0);
    return true;
}

void DS_ReleaseSound(DSSOUNDDATA& sound) {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    ReleaseSoundLocked(sound);
}

bool DS_LoadWave(std::unique_ptr<cSoundBuffer>& slot, const char* path) {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    if (!g_bOpen) return true;
    WAVEDATA wave;
    if (!ReadWave(path, wave)) {
        WriteReportEC("%s の読み込みに失敗しました！", path);
        return false;
    }
    std::string why;
    std::shared_ptr<cPcm> pcm = ToPcm(wave, why);
    FreeWaveData(wave);
    if (!pcm) {
        WriteECf("%s生成失敗！", path);
        WriteReport("%s を再生できません：%s", path, why.c_str());
        return false;
    }
    slot = std::make_unique<cSoundBuffer>(SoundMixer(), std::move(pcm));
    return true;
}

bool DS_DuplicateBuffer(std::unique_ptr<cSoundBuffer>& slot, const cSoundBuffer& source) {
    slot = source.Duplicate();
    return slot != nullptr;
}

void DS_PlaySound(DSSOUNDDATA& sound, uint32_t flags) {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    if (!g_bOpen || sound.nCopies <= 0) return;
    if (sound.nNext < 0 || sound.nNext >= sound.nCopies) sound.nNext = 0;
    cSoundBuffer* b = sound.copies[static_cast<size_t>(sound.nNext)].get();
    if (!b) return;
    b->Stop();
    b->SetCurrentPosition(0);
    b->Play((flags & 1) != 0);
    if (++sound.nNext >= sound.nCopies) sound.nNext = 0;
}

int DS_SetVolume(DSSOUNDDATA& sound, int copy, int volume, int relative) {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    if (!g_bOpen || copy < 0 || static_cast<size_t>(copy) >= sound.copies.size()) return 0;
    cSoundBuffer* b = sound.copies[static_cast<size_t>(copy)].get();
    if (!b) return 0;
    if (relative == 1) volume += b->GetVolume();
    volume = std::clamp(volume, -10000, 0);
    b->SetVolume(volume);
    return volume;
}

int DS_GetVolume(DSSOUNDDATA& sound, int copy) {
    std::lock_guard<std::recursive_mutex> lock(g_Lock);
    if (!g_bOpen || copy < 0 || static_cast<size_t>(copy) >= sound.copies.size()) return 0;
    cSoundBuffer* b = sound.copies[static_cast<size_t>(copy)].get();
    return b ? b->GetVolume() : 0;
}
