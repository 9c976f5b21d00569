// The libraries the dynamic loader maps before the game program's main: the
// music synthesiser's library (and the libraries it brings) is not among
// them; it is loaded when the synthesiser is opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// What the dynamic loader would map for the program, one library a line.
std::string LoadedBeforeMain(const char* program) {
    const std::string command = std::string("LD_TRACE_LOADED_OBJECTS=1 '") + program + "' 2>&1";
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

}  // namespace

TEST(GameLibraries, TheSynthesiserLibraryIsNotLoadedBeforeMain) {
    const std::string loaded = LoadedBeforeMain(QV_GAME_PROGRAM);
    ASSERT_NE(loaded.find("libSDL2-2.0.so"), std::string::npos) << loaded;  // the list is the program's
    EXPECT_EQ(loaded.find("libfluidsynth"), std::string::npos) << loaded;
    EXPECT_EQ(loaded.find("libinstpatch"), std::string::npos) << loaded;
    EXPECT_EQ(loaded.find("libgomp"), std::string::npos) << loaded;
}
