// libFuzzer harness over Standard MIDI Files: the loader refuses the bytes or
// makes a format-0 image; the stream player's buffers are then filled from the
// image until its end, and every event written must be one the MIDI stream
// can play: a channel message with 7-bit data, a tempo, a system-exclusive
// message inside its buffer, or the end of the track.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/sound/midi_player.h"
#include "platform/sound/midi_stream.h"
#include "platform/sound/smf.h"

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

void CheckBuffer(const MIDIHDR& hdr) {
    uint32_t at = 0;
    while (at < hdr.dwBytesRecorded) {
        if (at + MIDIEVENT_HEADER > hdr.dwBytesRecorded) fuzz::Fail("midi: an event cut by the buffer's end");
        const uint32_t word = Le32(hdr.lpData + at + 8);
        uint32_t size = MIDIEVENT_HEADER;
        if (word & MEVT_F_LONG) {
            const uint32_t len = word & 0xFFFFFF;
            size += (len + 3) & ~3u;
            if (at + size > hdr.dwBytesRecorded) fuzz::Fail("midi: a long message past the buffer's end");
            const uint8_t status = hdr.lpData[at + MIDIEVENT_HEADER];
            if (status != 0xF0 && status != 0xF7) fuzz::Fail("midi: a long message that is not system-exclusive");
        } else if (((word >> 24) & 0x3F) == MEVT_SHORTMSG) {
            const uint8_t status = word & 0xFF;
            if ((word & 0xFFFFFF) != 0x2FFF) {
                if (!(status & 0x80)) fuzz::Fail("midi: a short message without a status byte");
                if ((word & 0x8000) || (word & 0x800000)) fuzz::Fail("midi: a data byte above 127");
            }
        } else if (((word >> 24) & 0x3F) != MEVT_TEMPO) {
            fuzz::Fail("midi: an event of an unknown kind");
        }
        at += size;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    const std::vector<uint8_t> bytes(data, data + size);
    const std::vector<uint8_t> image = cSmf::Init(bytes, "fuzz.mid");
    if (image.empty()) return 0;
    if (image.size() < SMF_FIRST_EVENT) fuzz::Fail("midi: an image shorter than its header");
    // The image holds its own events only, and loads again to itself.
    if (cSmf::Init(image, "image.mid") != image) fuzz::Fail("midi: the image does not load to itself", image, {});
    std::vector<uint8_t> buffer(cMidi::BUFFER_SIZE);
    MIDIHDR hdr;
    hdr.lpData = buffer.data();
    hdr.dwBufferLength = cMidi::BUFFER_SIZE;
    const uint32_t end = static_cast<uint32_t>(image.size());
    uint32_t from = SMF_FIRST_EVENT;
    // The image's end-of-track event ends it; a buffer that takes nothing would stall the player.
    for (int n = 0; from < end; ++n) {
        const uint32_t next = FillMidiBuffer(image, hdr, from);
        if (next <= from) fuzz::Fail("midi: a buffer that takes no event");
        if (next > end) fuzz::Fail("midi: a buffer read past the image");
        CheckBuffer(hdr);
        from = next;
        if (n > 1000000) fuzz::Fail("midi: no end to the buffers");
    }
    return 0;
}
