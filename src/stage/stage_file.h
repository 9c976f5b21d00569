#pragma once
// The checks and copies of a stage file that need nothing beyond the records:
// the trailer of a whole file and the header copy of a loaded stage. Loading
// a stage for play on its own thread is the application frame's.
#include <cstdint>
#include <string>

class cStageData;

// Versions from which a stage file is checked for its trailer.
constexpr uint32_t STAGE_TRAILER_CHECK_VERSION = 174;

// False when a file of version 174 or later lacks its trailer (damaged);
// true when it is whole, older, or cannot be opened (the load itself fails
// then). Opening the file sets the calling thread's version state.
bool IsStageTrailerWhole(const std::string& path);

// The header copy: settings, text, ranking switches, removal rules,
// background layers and texts of `src`; the six object lists of `out` empty.
void CopyStageHeader(cStageData& out, cStageData& src);
