#include <alsa/asoundlib.h>

#include <mutex>

#include "platform/seam/owners.h"
#include "platform/sound/midi_out.h"

namespace {

// ALSA's own error lines would go to stderr; the caller reports instead.
void QuietAlsaError(const char*, int, const char*, int, const char*, ...) {}

// A sequencer client with one output port connected to the system's MIDI port.
class cAlsaMidiOut : public iMidiOut {
public:
    bool Open(std::string& error) override {
        snd_lib_error_set_handler(&QuietAlsaError);
        snd_seq_t* seq = nullptr;
        const int err = snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0);
        if (err < 0) {
            error = snd_strerror(err);
            return false;
        }
        m_pSeq.reset(seq);
        snd_seq_set_client_name(m_pSeq.get(), "qvgame");
        m_nPort = snd_seq_create_simple_port(m_pSeq.get(), "music", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                             SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
        snd_midi_event_t* coder = nullptr;
        if (m_nPort < 0 || snd_midi_event_new(256, &coder) < 0) {
            error = "port";
            return false;
        }
        m_pCoder.reset(coder);
        if (!ConnectFirstPort()) {
            error = "no MIDI port";
            return false;
        }
        return true;
    }

    void ShortMsg(uint32_t msg, int64_t) override {
        const uint8_t bytes[3] = {static_cast<uint8_t>(msg), static_cast<uint8_t>(msg >> 8),
                                  static_cast<uint8_t>(msg >> 16)};
        const size_t n = (bytes[0] >= 0xC0 && bytes[0] <= 0xDF) ? 2 : 3;
        Send(bytes, n);
    }

    void LongMsg(const uint8_t* bytes, size_t n, int64_t) override { Send(bytes, n); }

    void Reset(int64_t) override {
        for (uint8_t ch = 0; ch < 16; ++ch) {
            const uint8_t allOff[3] = {static_cast<uint8_t>(0xB0 | ch), 123, 0};
            Send(allOff, 3);
        }
    }

private:
    // Subscribes to the first writable MIDI port of another client.
    bool ConnectFirstPort() {
        snd_seq_client_info_t* client;
        snd_seq_port_info_t* port;
        snd_seq_client_info_alloca(&client);
        snd_seq_port_info_alloca(&port);
        snd_seq_client_info_set_client(client, -1);
        const int self = snd_seq_client_id(m_pSeq.get());
        while (snd_seq_query_next_client(m_pSeq.get(), client) >= 0) {
            const int id = snd_seq_client_info_get_client(client);
            if (id == self || id == SND_SEQ_CLIENT_SYSTEM) continue;
            snd_seq_port_info_set_client(port, id);
            snd_seq_port_info_set_port(port, -1);
            while (snd_seq_query_next_port(m_pSeq.get(), port) >= 0) {
                const unsigned caps = snd_seq_port_info_get_capability(port);
                const unsigned type = snd_seq_port_info_get_type(port);
                const unsigned need = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
                if ((caps & need) != need || !(type & SND_SEQ_PORT_TYPE_MIDI_GENERIC)) continue;
                if (snd_seq_connect_to(m_pSeq.get(), m_nPort, id, snd_seq_port_info_get_port(port)) >= 0) return true;
            }
        }
        return false;
    }

    void Send(const uint8_t* bytes, size_t n) {
        if (!m_pSeq || !m_pCoder) return;
        std::lock_guard<std::mutex> lock(m_Lock);
        snd_midi_event_reset_encode(m_pCoder.get());
        size_t pos = 0;
        while (pos < n) {
            snd_seq_event_t ev;
            snd_seq_ev_clear(&ev);
            const long used = snd_midi_event_encode(m_pCoder.get(), bytes + pos, static_cast<long>(n - pos), &ev);
            if (used <= 0) break;
            pos += static_cast<size_t>(used);
            if (ev.type == SND_SEQ_EVENT_NONE) continue;
            snd_seq_ev_set_source(&ev, m_nPort);
            snd_seq_ev_set_subs(&ev);
            snd_seq_ev_set_direct(&ev);
            snd_seq_event_output_direct(m_pSeq.get(), &ev);
        }
    }

    AlsaSeqPtr m_pSeq;
    AlsaMidiCoderPtr m_pCoder;  // released before the client
    int m_nPort = -1;
    std::mutex m_Lock;
};

std::mutex g_FactoryLock;
MidiOutFactory g_Factory;

}  // namespace

std::unique_ptr<iMidiOut> CreateAlsaMidiOut() { return std::make_unique<cAlsaMidiOut>(); }

void SetMidiOutFactory(MidiOutFactory factory) {
    std::lock_guard<std::mutex> lock(g_FactoryLock);
    g_Factory = std::move(factory);
}

std::unique_ptr<iMidiOut> CreateMidiOut() {
    std::lock_guard<std::mutex> lock(g_FactoryLock);
    return g_Factory ? g_Factory() : CreateAlsaMidiOut();
}
