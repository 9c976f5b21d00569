#include "platform/sound/sound_test_media.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

namespace {

void Le(Bytes& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Be(Bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Tag(Bytes& b, const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(t[i]));
}

}  // namespace

Bytes MakeWave(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples, uint32_t fmtSize) {
    Bytes fmt;
    const uint16_t block = static_cast<uint16_t>(channels * bits / 8);
    Le(fmt, tag, 2);
    Le(fmt, channels, 2);
    Le(fmt, rate, 4);
    Le(fmt, rate * block, 4);
    Le(fmt, block, 2);
    Le(fmt, bits, 2);
    fmt.resize(fmtSize, 0);
    Bytes b;
    Tag(b, "RIFF");
    Le(b, static_cast<uint32_t>(4 + 8 + fmt.size() + (fmt.size() & 1) + 8 + samples.size()), 4);
    Tag(b, "WAVE");
    Tag(b, "fmt ");
    Le(b, fmtSize, 4);
    b.insert(b.end(), fmt.begin(), fmt.end());
    if (fmt.size() & 1) b.push_back(0);
    Tag(b, "data");
    Le(b, static_cast<uint32_t>(samples.size()), 4);
    b.insert(b.end(), samples.begin(), samples.end());
    return b;
}

Bytes Sine16(int frames, int rate, double freq, double amplitude) {
    Bytes b;
    for (int i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * freq * i / rate);
        Le(b, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))), 2);
    }
    return b;
}

Bytes VarLen(uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    groups[n++] = v & 0x7F;
    while (v >>= 7) groups[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    Bytes out;
    while (n > 0) out.push_back(groups[--n]);
    return out;
}

cTrack& cTrack::Ev(uint32_t delta, std::initializer_list<uint8_t> b) {
    Bytes d = VarLen(delta);
    bytes.insert(bytes.end(), d.begin(), d.end());
    bytes.insert(bytes.end(), b.begin(), b.end());
    return *this;
}

Bytes MakeSmf(uint16_t format, uint16_t division, const std::vector<cTrack>& tracks) {
    Bytes b;
    Tag(b, "MThd");
    Be(b, 6, 4);
    Be(b, format, 2);
    Be(b, static_cast<uint32_t>(tracks.size()), 2);
    Be(b, division, 2);
    for (const cTrack& t : tracks) {
        Tag(b, "MTrk");
        Be(b, static_cast<uint32_t>(t.bytes.size()), 4);
        b.insert(b.end(), t.bytes.begin(), t.bytes.end());
    }
    return b;
}

void WriteOggSine(const std::string& path, int rate, int channels, double seconds, double freq) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    vorbis_encode_init_vbr(&vi, channels, rate, 0.4f);
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 1);
    FILE* f = std::fopen(path.c_str(), "wb");
    auto writePage = [&](const ogg_page& og) {
        std::fwrite(og.header, 1, static_cast<size_t>(og.header_len), f);
        std::fwrite(og.body, 1, static_cast<size_t>(og.body_len), f);
    };
    ogg_packet h, hc, hcode;
    vorbis_analysis_headerout(&vd, &vc, &h, &hc, &hcode);
    ogg_stream_packetin(&os, &h);
    ogg_stream_packetin(&os, &hc);
    ogg_stream_packetin(&os, &hcode);
    ogg_page og;
    while (ogg_stream_flush(&os, &og)) writePage(og);
    const long total = std::lround(seconds * rate);
    long done = 0;
    bool eos = false;
    while (!eos) {
        const long n = std::min<long>(1024, total - done);
        if (n > 0) {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (long i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c)
                    buf[c][i] = static_cast<float>(0.5 * std::sin(2 * M_PI * freq * (done + i) / rate));
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            done += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og)) {
                    writePage(og);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
    }
    std::fclose(f);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
}

double Rms(const float* samples, size_t frames) {
    if (frames == 0) return 0;
    double sum = 0;
    for (size_t i = 0; i < frames * 2; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(frames * 2));
}

bool cMidiRecorder::cLog::WaitFor(size_t n) {
    std::unique_lock<std::mutex> l(lock);
    return cv.wait_for(l, std::chrono::seconds(5), [&] { return events.size() >= n; });
}

std::vector<cMidiRecorder::cEvent> cMidiRecorder::cLog::Snapshot() {
    std::lock_guard<std::mutex> l(lock);
    return events;
}

void cMidiRecorder::Add(int64_t micros, Bytes bytes) {
    {
        std::lock_guard<std::mutex> l(m_Log.lock);
        m_Log.events.push_back({micros, std::move(bytes)});
    }
    m_Log.cv.notify_all();
}

void cMidiRecorder::ShortMsg(uint32_t msg, int64_t nMicros) {
    const uint8_t status = msg & 0xFF;
    Bytes b = {status, static_cast<uint8_t>(msg >> 8)};
    if (!(status >= 0xC0 && status <= 0xDF)) b.push_back(static_cast<uint8_t>(msg >> 16));
    Add(nMicros, std::move(b));
}

void cMidiRecorder::LongMsg(const uint8_t* bytes, size_t n, int64_t nMicros) { Add(nMicros, Bytes(bytes, bytes + n)); }

void cMidiRecorder::Reset(int64_t) {
    std::lock_guard<std::mutex> l(m_Log.lock);
    ++m_Log.resets;
}
