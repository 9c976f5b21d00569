#pragma once
// The sample game: a complete game folder made by code, the same bytes on every run.
//
// FOLDER/System.ini, FOLDER/bmp/... (with the blend tables of 8-bit screens,
// bmp/hbt/hbtNN.dat), FOLDER/wave/..., FOLDER/bgm/... and the
// project data twice: FOLDER/default/ (the pristine copy) and FOLDER/data/
// (what the game reads), each with database/*.dat, System.dat, WorldMap.dat,
// CommonPalette.cplt4 and stg4/*.stg4.
#include <filesystem>
#include <string>
#include <vector>

namespace sample {

struct SAMPLERESULT {
    int nFiles = 0;                       // files written
    std::vector<std::string> vFailed;     // relative paths that could not be written
    std::vector<std::string> vSoundFailed;  // sound and music files the audio writers refused
};

// Writes the whole game into `folder` (made when missing). True when every file was written.
bool WriteSampleGame(const std::filesystem::path& folder, SAMPLERESULT* result = nullptr);

// Writes the conformance game into `folder`: the sample game with one
// challenge stage per conformance case (sample/conformance/conformance.h).
bool WriteConformanceGame(const std::filesystem::path& folder, SAMPLERESULT* result = nullptr);

// Writes one BMP that shows every picture of the game side by side, with a
// frame around each; true when written. `bReduced`: half the size, RLE8-packed
// (the copy kept under docs/).
bool WriteContactSheet(const std::filesystem::path& file, bool bReduced = false);

}  // namespace sample
