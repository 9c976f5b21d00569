// The game program: runs the game in the current folder; the first argument,
// when given, is a stage or replay file to play at once.
#include <string>

#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "platform/system/path.h"
#include "platform/system/session_bus.h"
#include "scene/scene_manager.h"

int main(int argc, char** argv) {
    // Before any thread starts: the environment is changed.
    SkipFailingSessionBusLaunch();
    // Program form: CP932 with backslashes.
    const std::string file = argc > 1 ? ToProgramPath(argv[1]) : "";
    SetSceneFactory(CreateStandardScene);
    return WinMain(file, 1);
}
