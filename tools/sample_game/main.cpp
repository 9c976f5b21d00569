// Writes the sample game into the folder given on the command line and, on
// request, a contact sheet of its pictures.
#include <cstdio>
#include <cstring>
#include <string>

#include "sample_game/sample_game.h"

int main(int argc, char** argv) {
    const bool sheet = argc == 4 && std::strcmp(argv[2], "--contact-sheet") == 0;
    const bool small = argc == 4 && std::strcmp(argv[2], "--small-contact-sheet") == 0;
    if (argc != 2 && !sheet && !small) {
        std::fprintf(stderr, "usage: %s GAME_FOLDER [--contact-sheet FILE.bmp | --small-contact-sheet FILE.bmp]\n",
                     argv[0]);
        return 2;
    }
    sample::SAMPLERESULT r;
    sample::WriteSampleGame(argv[1], &r);
    for (const std::string& f : r.vFailed) std::fprintf(stderr, "could not write %s\n", f.c_str());
    // Without the sound writers the game still plays, silently.
    for (const std::string& f : r.vSoundFailed) std::fprintf(stderr, "warning: no sound written for %s\n", f.c_str());
    if (argc == 4 && !sample::WriteContactSheet(argv[3], small)) {
        std::fprintf(stderr, "could not write %s\n", argv[3]);
        return 1;
    }
    std::printf("%d files written to %s\n", r.nFiles, argv[1]);
    return r.vFailed.empty() ? 0 : 1;
}
