#pragma once
// Where the stream player's MIDI messages go: the system's MIDI port through
// the ALSA sequencer in the program, a recorder in tests.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class iMidiOut {
public:
    virtual ~iMidiOut() = default;
    // Opens the port; false with a reason when there is none (messages are then dropped).
    virtual bool Open(std::string& error) = 0;
    // One short message: status in the low byte, then the data bytes. nMicros
    // is the stream's clock when it is sent.
    virtual void ShortMsg(uint32_t msg, int64_t nMicros) = 0;
    // One system-exclusive message, status byte included.
    virtual void LongMsg(const uint8_t* bytes, size_t n, int64_t nMicros) = 0;
    // Silences every note (on stop, pause and close).
    virtual void Reset(int64_t nMicros) = 0;
};

using MidiOutFactory = std::function<std::unique_ptr<iMidiOut>()>;

// The port the stream players use by default: the ALSA sequencer's first
// MIDI output port of another client.
std::unique_ptr<iMidiOut> CreateAlsaMidiOut();
// Replaces the default factory (null: back to the ALSA sequencer).
void SetMidiOutFactory(MidiOutFactory factory);
// A new port from the present factory.
std::unique_ptr<iMidiOut> CreateMidiOut();
