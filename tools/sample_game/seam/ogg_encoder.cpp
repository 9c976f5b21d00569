#include "sample_game/audio/ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace sample {

namespace {

constexpr int BLOCK_FRAMES = 1024;  // frames handed to the encoder at once

// The encoder's state, cleared in reverse order of setting up.
struct cEncoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool bInfo = false, bDsp = false, bBlock = false, bStream = false;

    cEncoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
        bInfo = true;
    }
    ~cEncoder() {
        if (bStream) ogg_stream_clear(&stream);
        if (bBlock) vorbis_block_clear(&block);
        if (bDsp) vorbis_dsp_clear(&dsp);
        if (bInfo) {
            vorbis_comment_clear(&comment);
            vorbis_info_clear(&info);
        }
    }
    cEncoder(const cEncoder&) = delete;
    cEncoder& operator=(const cEncoder&) = delete;
};

void AppendPage(const ogg_page& page, std::vector<uint8_t>& out) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

bool EncodeOggVorbis(const std::vector<float>& frames, int nChannels, int nRate, float fQuality, int nSerial,
                     const std::string& strTitle, std::vector<uint8_t>& out) {
    out.clear();
    if (nChannels < 1 || nRate <= 0) return false;
    cEncoder e;
    if (vorbis_encode_init_vbr(&e.info, nChannels, nRate, fQuality) != 0) return false;
    if (!strTitle.empty()) vorbis_comment_add_tag(&e.comment, "TITLE", strTitle.c_str());
    if (vorbis_analysis_init(&e.dsp, &e.info) != 0) return false;
    e.bDsp = true;
    if (vorbis_block_init(&e.dsp, &e.block) != 0) return false;
    e.bBlock = true;
    if (ogg_stream_init(&e.stream, nSerial) != 0) return false;
    e.bStream = true;

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&e.dsp, &e.comment, &header, &comments, &codebooks);
    ogg_stream_packetin(&e.stream, &header);
    ogg_stream_packetin(&e.stream, &comments);
    ogg_stream_packetin(&e.stream, &codebooks);
    ogg_page page;
    // The audio starts on a page of its own, as decoders expect.
    while (ogg_stream_flush(&e.stream, &page)) AppendPage(page, out);

    const size_t total = frames.size() / static_cast<size_t>(nChannels);
    size_t done = 0;
    bool bEnd = false;
    while (!bEnd) {
        const size_t n = std::min<size_t>(BLOCK_FRAMES, total - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < nChannels; ++c)
                    buffer[c][i] = frames[(done + i) * static_cast<size_t>(nChannels) + static_cast<size_t>(c)];
            vorbis_analysis_wrote(&e.dsp, static_cast<int>(n));
            done += n;
        } else {
            vorbis_analysis_wrote(&e.dsp, 0);  // the end of the stream
        }
        while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
            vorbis_analysis(&e.block, nullptr);
            vorbis_bitrate_addblock(&e.block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&e.dsp, &packet)) {
                ogg_stream_packetin(&e.stream, &packet);
                while (!bEnd && ogg_stream_pageout(&e.stream, &page)) {
                    AppendPage(page, out);
                    if (ogg_page_eos(&page)) bEnd = true;
                }
            }
        }
        if (n == 0 && !bEnd) {
            // Whatever the encoder still holds goes out on a last page.
            while (ogg_stream_flush(&e.stream, &page)) {
                AppendPage(page, out);
                if (ogg_page_eos(&page)) bEnd = true;
            }
            if (!bEnd) return false;
        }
    }
    return true;
}

}  // namespace sample
