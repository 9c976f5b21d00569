#pragma once
// Standard MIDI File loader: a format 0 or 1 file becomes one format-0 image
// in memory, a header chunk and a single track whose events are in time
// order, each with its own delta time and its own status byte.
//
// Image layout (big-endian numbers): 0 "MThd", 4 length 6, 8 format 0,
// 10 one track, 12 the file's time division, 14 "MTrk", 18 track length
// (image size - 22), 22 the events. It ends with one end-of-track 0xFF 0x2F 0x00.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Offset of the first event in an image.
constexpr uint32_t SMF_FIRST_EVENT = 22;
// Largest file the loader reads: the image's events are counted in 32 bits.
constexpr size_t SMF_MAX_FILE_SIZE = 16u << 20;

class cSmf {
public:
    // Loads the file at path (a program path) through Create.
    explicit cSmf(const char* path);
    virtual ~cSmf() = default;
    cSmf(const cSmf&) = delete;
    cSmf& operator=(const cSmf&) = delete;

    // Reads the file and makes the image (none on failure, the reason logged).
    void Create(const char* path);
    // The format-0 image; empty when loading failed.
    const std::vector<uint8_t>& Image() const { return m_Image; }
    // Whether the file loaded.
    bool HasImage() const { return !m_Image.empty(); }
    // The file name as given.
    const std::string& FileName() const { return m_Name; }

    // Checks the file bytes and converts them; an empty result after logging
    // the reason (name in the message).
    static std::vector<uint8_t> Init(const std::vector<uint8_t>& bytes, const std::string& name);

protected:
    std::vector<uint8_t> m_Image;
    std::string m_Name;
};

// Reads a variable-length number from at most avail bytes: bytes used (1 to 4),
// or 0 when it goes on past 4 bytes or past the data.
int ReadVarLen(const uint8_t* bytes, size_t avail, uint32_t& value);
// Writes value as a variable-length number: bytes written (1 to 4), or 0 for
// values of 0x10000000 and above.
int WriteVarLen(uint8_t* out, uint32_t value);
// Converts checked file bytes (format 0 or 1) into an image; empty when the
// tracks are damaged (truncated, no end of track, bad running status).
std::vector<uint8_t> ConvertToFormat0(const std::vector<uint8_t>& bytes);
