#pragma once
// What the harnesses share: quiet services, a scratch folder of the process
// for readers that take a path, and the round-trip check of the records.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "records/data_stream.h"
#include "records/version.h"

namespace fuzz {

// Record services that write nothing, message boxes that take their default
// answers at once, no window; called once by every harness.
void Quiet();
// A folder of this process for the inputs of readers that take a path.
const std::string& ScratchDir();
// Writes the input to ScratchDir()/name and returns that path.
std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size);
// The bytes of a file (empty when it cannot be read).
std::vector<uint8_t> ReadAll(const std::string& path);
// Aborts with what went wrong and where two byte strings part.
[[noreturn]] void Fail(const char* what, const std::vector<uint8_t>& first, const std::vector<uint8_t>& second);
[[noreturn]] void Fail(const char* what);

// A data file of rec at the current version: the version word, then its stream.
template <class T>
std::vector<uint8_t> SaveRecordBytes(T& rec) {
    cDataWriter w;
    w.WriteU32(nDataVersion);
    rec.Save(w);
    return w.TakeBytes();
}

// Loads bytes as a data file into rec the way the file loaders do: false
// when the version word is missing or newer, or the stream is refused.
template <class T>
bool LoadRecordBytes(T& rec, const uint8_t* data, size_t size) {
    ResetVersionState();
    cDataReader r(data, size);
    nReadVersion = r.ReadU32();
    if (r.Failed() || nReadVersion > nDataVersion) return false;
    rec.Load(r);
    return !r.Failed();
}

// The round trip every record harness requires: a record that loaded saves,
// what it saves loads again, and saves to the same bytes.
template <class T>
void RequireRoundTrip(T& loaded, const char* what) {
    std::vector<uint8_t> first = SaveRecordBytes(loaded);
    T back;
    if (!LoadRecordBytes(back, first.data(), first.size())) Fail(what, first, {});
    const std::vector<uint8_t> second = SaveRecordBytes(back);
    if (second != first) Fail(what, first, second);
}

// The whole harness of a record file: load, and when it loaded, the round trip.
template <class T>
int FuzzRecord(const uint8_t* data, size_t size, const char* what) {
    T rec;
    if (LoadRecordBytes(rec, data, size)) RequireRoundTrip(rec, what);
    ResetVersionState();
    return 0;
}

}  // namespace fuzz
