#include "platform/sound/ogg_stream.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>

#include "platform/seam/owners.h"

namespace {

constexpr size_t RING_FRAMES = MIXER_RATE;  // one second decoded ahead
constexpr int DECODE_FRAMES = 2048;         // frames asked of the decoder at once

}  // namespace

// The open file, closed with the object.
struct cOggStream::cDecoder {
    OggFilePtr vf;
    int channels = 0;
    long rate = 0;
};

cOggStream::cOggStream(cMixer& mixer) : m_Mixer(mixer) { m_Ring.resize(RING_FRAMES * 2); }

cOggStream::~cOggStream() { Unload(); }

bool cOggStream::Load(const std::string& nativePath, std::string* why) {
    Unload();
    auto refuse = [&](const std::string& text) {
        if (why) *why = text;
        return false;
    };
    auto d = std::make_unique<cDecoder>();
    d->vf = OpenOggFile(nativePath.c_str());
    if (!d->vf) return refuse("開けないか、Ogg Vorbis のファイルではありません");
    const vorbis_info* info = ov_info(d->vf.get(), -1);
    if (!info) return refuse("Ogg Vorbis の情報がありません");
    if (info->channels < 1) return refuse("チャンネル数 " + std::to_string(info->channels));
    // Lower rates would make every decoded block hundreds of times larger at the mixer's rate.
    if (info->rate < OGG_MIN_RATE || info->rate > OGG_MAX_RATE)
        return refuse("サンプリング周波数 " + std::to_string(info->rate) + " Hz（" + std::to_string(OGG_MIN_RATE) +
                      " Hz から " + std::to_string(OGG_MAX_RATE) + " Hz まで）");
    d->channels = info->channels;
    d->rate = info->rate;
    m_pDecoder = std::move(d);
    return true;
}

void cOggStream::Play() {
    Stop();
    if (!m_pDecoder) return;
    ov_pcm_seek(m_pDecoder->vf.get(), 0);
    {
        std::lock_guard<std::mutex> lock(m_RingLock);
        m_nRead = m_nWrite = m_nFill = 0;
        m_bEnd = m_bQuit = false;
    }
    m_Thread = std::thread(&cOggStream::DecodeThread, this);
    m_Mixer.AddSource(this);
    m_bInMix = true;
}

void cOggStream::Stop() {
    if (m_bInMix) m_Mixer.RemoveSource(this);
    m_bInMix = false;
    StopThread();
}

void cOggStream::Unload() {
    Stop();
    m_pDecoder.reset();
}

void cOggStream::SetLoop(int count) { m_nLoop = std::max(count, 0); }

void cOggStream::SetVolume(float volume) { m_fGain = std::clamp(volume, 0.0f, 1.0f); }

void cOggStream::StopThread() {
    if (!m_Thread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(m_RingLock);
        m_bQuit = true;
    }
    m_RingCv.notify_all();
    m_Thread.join();
}

void cOggStream::Mix(float* out, int frames, bool bMayWait) {
    const float gain = m_fGain;
    size_t done = 0;
    const size_t want = static_cast<size_t>(frames);
    std::unique_lock<std::mutex> lock(m_RingLock);
    while (done < want) {
        // Offline, wait until the decoder has the rest, a full ring, or its end.
        if (bMayWait)
            m_RingCv.wait(lock, [&] { return m_nFill >= std::min(want - done, RING_FRAMES) || m_bEnd || m_bQuit; });
        const size_t n = std::min(m_nFill, want - done);
        for (size_t i = done; i < done + n; ++i) {
            out[2 * i] += m_Ring[2 * m_nRead] * gain;
            out[2 * i + 1] += m_Ring[2 * m_nRead + 1] * gain;
            if (++m_nRead == RING_FRAMES) m_nRead = 0;
        }
        m_nFill -= n;
        done += n;
        m_RingCv.notify_all();
        if (!bMayWait || n == 0) break;
    }
}

void cOggStream::DecodeThread() {
    cDecoder& d = *m_pDecoder;
    int loopsLeft = m_nLoop;
    const double step = static_cast<double>(d.rate) / MIXER_RATE;
    // Resampling state: the last source frame and the position after it.
    bool bHavePrev = false;
    float prev[2] = {0, 0};
    double pos = 0;
    std::vector<float> src, dst;
    bool bFramesSinceSeek = false;  // a file with no frames must not loop on the spot
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long got = ov_read_float(d.vf.get(), &pcm, DECODE_FRAMES, &section);
        if (got == OV_HOLE) continue;  // a gap in the data: go on with what follows
        if (got < 0) break;  // a damaged stream ends the music
        if (got == 0) {
            if (loopsLeft > 0 && bFramesSinceSeek && ov_pcm_seek(d.vf.get(), 0) == 0) {
                bFramesSinceSeek = false;
                if (loopsLeft != LOOP_FOREVER) --loopsLeft;
                continue;
            }
            break;
        }
        bFramesSinceSeek = true;
        // Source frames as stereo, the previous block's last frame first.
        src.clear();
        if (bHavePrev) src.insert(src.end(), prev, prev + 2);
        for (long i = 0; i < got; ++i) {
            src.push_back(pcm[0][i]);
            src.push_back(d.channels > 1 ? pcm[1][i] : pcm[0][i]);
        }
        const size_t nSrc = src.size() / 2;
        dst.clear();
        if (d.rate == MIXER_RATE) {
            dst.assign(src.begin() + (bHavePrev ? 2 : 0), src.end());
        } else {
            while (pos + 1 < static_cast<double>(nSrc)) {
                const size_t a = static_cast<size_t>(pos);
                const float t = static_cast<float>(pos - static_cast<double>(a));
                dst.push_back(src[2 * a] + (src[2 * a + 2] - src[2 * a]) * t);
                dst.push_back(src[2 * a + 1] + (src[2 * a + 3] - src[2 * a + 1]) * t);
                pos += step;
            }
            pos -= static_cast<double>(nSrc - 1);
        }
        prev[0] = src[2 * (nSrc - 1)];
        prev[1] = src[2 * (nSrc - 1) + 1];
        bHavePrev = d.rate != MIXER_RATE;
        // Into the ring, waiting for room.
        size_t done = 0;
        const size_t total = dst.size() / 2;
        while (done < total) {
            std::unique_lock<std::mutex> lock(m_RingLock);
            m_RingCv.wait(lock, [&] { return m_nFill < RING_FRAMES || m_bQuit; });
            if (m_bQuit) return;
            const size_t n = std::min(total - done, RING_FRAMES - m_nFill);
            for (size_t i = 0; i < n; ++i) {
                m_Ring[2 * m_nWrite] = dst[2 * (done + i)];
                m_Ring[2 * m_nWrite + 1] = dst[2 * (done + i) + 1];
                if (++m_nWrite == RING_FRAMES) m_nWrite = 0;
            }
            m_nFill += n;
            done += n;
            lock.unlock();
            m_RingCv.notify_all();
        }
        std::lock_guard<std::mutex> lock(m_RingLock);
        if (m_bQuit) return;
    }
    {
        std::lock_guard<std::mutex> lock(m_RingLock);
        m_bEnd = true;
    }
    m_RingCv.notify_all();
}
