// Ten seconds of mixed audio rendered offline: 32 sound effects playing at
// once (looping, resampled from 22.05 kHz) and MIDI music on the
// synthesiser. Reports the render time as a fraction of real time.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sound/midi_synth.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/sound_effects.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Le(Bytes& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Be(Bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put(Bytes& b, const char* s) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(s[i]));
}
void Write(const std::string& path, const Bytes& b) {
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
}

// One second of a decaying tone at 22.05 kHz, 16-bit mono.
Bytes Tone(double freq) {
    Bytes pcm;
    for (int i = 0; i < 22050; ++i)
        Le(pcm, static_cast<uint16_t>(static_cast<int16_t>(8000 * std::exp(-i / 8000.0) * std::sin(2 * M_PI * freq * i / 22050))), 2);
    Bytes b;
    Put(b, "RIFF");
    Le(b, static_cast<uint32_t>(36 + pcm.size()), 4);
    Put(b, "WAVE");
    Put(b, "fmt ");
    Le(b, 16, 4);
    Le(b, 1, 2);
    Le(b, 1, 2);
    Le(b, 22050, 4);
    Le(b, 44100, 4);
    Le(b, 2, 2);
    Le(b, 16, 2);
    Put(b, "data");
    Le(b, static_cast<uint32_t>(pcm.size()), 4);
    b.insert(b.end(), pcm.begin(), pcm.end());
    return b;
}

// Eight bars on six channels: a chord every quarter note and running eighths.
Bytes Music() {
    Bytes t;
    auto ev = [&](uint32_t delta, std::initializer_list<uint8_t> e) {
        uint8_t groups[5];
        int n = 0;
        groups[n++] = delta & 0x7F;
        while (delta >>= 7) groups[n++] = static_cast<uint8_t>((delta & 0x7F) | 0x80);
        while (n > 0) t.push_back(groups[--n]);
        t.insert(t.end(), e.begin(), e.end());
    };
    const uint8_t programs[6] = {0, 48, 33, 24, 73, 40};
    for (uint8_t c = 0; c < 6; ++c) ev(0, {static_cast<uint8_t>(0xC0 | c), programs[c]});
    for (int beat = 0; beat < 32; ++beat) {
        const uint8_t root = static_cast<uint8_t>(48 + (beat / 4 % 4) * 2);
        for (uint8_t c = 0; c < 4; ++c) ev(0, {static_cast<uint8_t>(0x90 | c), static_cast<uint8_t>(root + c * 4), 90});
        ev(0, {0x94, static_cast<uint8_t>(root + 24), 100});
        ev(0, {0x95, static_cast<uint8_t>(root + 19), 80});
        ev(48, {0x84, static_cast<uint8_t>(root + 24), 0});
        ev(0, {0x94, static_cast<uint8_t>(root + 26), 100});
        ev(48, {0x84, static_cast<uint8_t>(root + 26), 0});
        ev(0, {0x85, static_cast<uint8_t>(root + 19), 0});
        for (uint8_t c = 0; c < 4; ++c) ev(0, {static_cast<uint8_t>(0x80 | c), static_cast<uint8_t>(root + c * 4), 0});
    }
    ev(0, {0xFF, 0x2F, 0x00});
    Bytes b;
    Put(b, "MThd");
    Be(b, 6, 4);
    Be(b, 0, 2);
    Be(b, 1, 2);
    Be(b, 96, 2);
    Put(b, "MTrk");
    Be(b, static_cast<uint32_t>(t.size()), 4);
    b.insert(b.end(), t.begin(), t.end());
    return b;
}

double CpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

void BM_MixTenSeconds(benchmark::State& state) {
    char tmpl[] = "/tmp/qvbench-XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    SetSoundOutputOffline(true);
    DS_Init(nullptr, 22050, 8, 1);
    std::vector<DSSOUNDDATA> sounds(32);
    for (int i = 0; i < 32; ++i) {
        const std::string path = dir + "/se" + std::to_string(i) + ".wav";
        Write(path, Tone(220.0 * std::pow(2.0, i / 12.0)));
        DS_CreateSound(sounds[static_cast<size_t>(i)], path.c_str(), 2, -600);
    }
    const std::string mid = dir + "/music.mid";
    Write(mid, Music());
    cGgs4Player music;
    const bool bMusic = music.Init() == 1 && music.Play(0, mid.c_str(), 1, 100) == 1;
    if (!bMusic) state.SkipWithError("no General MIDI soundfont");

    constexpr int BLOCK = 1024;
    constexpr int TOTAL = 10 * MIXER_RATE;
    std::vector<float> buf(BLOCK * 2);
    double cpu = 0;
    for (auto _ : state) {
        for (auto& s : sounds) DS_PlaySound(s, 1);  // 32 looping voices
        const double start = CpuSeconds();
        for (int done = 0; done < TOTAL; done += BLOCK) {
            SoundMixer().Render(buf.data(), std::min(BLOCK, TOTAL - done));
            benchmark::DoNotOptimize(buf.data());
        }
        cpu += CpuSeconds() - start;
    }
    state.counters["cpu_per_audio_second"] = cpu / (10.0 * static_cast<double>(state.iterations()));

    music.Stop(0);
    ReleaseGgs4();
    for (auto& s : sounds) DS_ReleaseSound(s);
    DS_End();
    SetSoundOutputOffline(false);
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_MixTenSeconds)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
