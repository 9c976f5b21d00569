// Writes the sample game (or the conformance game) into the folder given on
// the command line and, on request, a contact sheet of its pictures, or
// prints the table of conformance cases.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/system/cp932.h"
#include "sample_game/conformance/conformance.h"
#include "sample_game/sample_game.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--conformance-table") == 0) {
        std::fputs(Cp932ToUtf8(sample::ConformanceTableText()).c_str(), stdout);
        return 0;
    }
    const bool conformance = argc == 3 && std::strcmp(argv[1], "--conformance") == 0;
    const bool sheet = argc == 4 && std::strcmp(argv[2], "--contact-sheet") == 0;
    const bool small = argc == 4 && std::strcmp(argv[2], "--small-contact-sheet") == 0;
    if (argc != 2 && !sheet && !small && !conformance) {
        std::fprintf(stderr,
                     "usage: %s GAME_FOLDER [--contact-sheet FILE.bmp | --small-contact-sheet FILE.bmp]\n"
                     "       %s --conformance GAME_FOLDER\n"
                     "       %s --conformance-table\n",
                     argv[0], argv[0], argv[0]);
        return 2;
    }
    const char* folder = conformance ? argv[2] : argv[1];
    sample::SAMPLERESULT r;
    if (conformance)
        sample::WriteConformanceGame(folder, &r);
    else
        sample::WriteSampleGame(folder, &r);
    for (const std::string& f : r.vFailed) std::fprintf(stderr, "could not write %s\n", f.c_str());
    // Without the sound writers the game still plays, silently.
    for (const std::string& f : r.vSoundFailed) std::fprintf(stderr, "warning: no sound written for %s\n", f.c_str());
    if (argc == 4 && !sample::WriteContactSheet(argv[3], small)) {
        std::fprintf(stderr, "could not write %s\n", argv[3]);
        return 1;
    }
    std::printf("%d files written to %s\n", r.nFiles, folder);
    return r.vFailed.empty() ? 0 : 1;
}
