// The game program: runs the game in the current folder; the first argument,
// when given, is a stage or replay file to play at once.
#include <string>

#include "app/win_main.h"
#include "platform/system/path.h"

int main(int argc, char** argv) {
    // Program form: CP932 with backslashes.
    const std::string file = argc > 1 ? ToProgramPath(argv[1]) : "";
    return WinMain(file, 1);
}
