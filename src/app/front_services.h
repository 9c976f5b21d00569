#pragma once
// The starts of play the title scene and the main window share, and the
// main window's dialog requests that the front end answers: a new story, a
// stage or replay file chosen for free play, the replay chooser, the replay
// save and the ranking-name dialog.
#include <string>

// The play-progress record cleared for a new story: the world map's start
// cell and the story's start stock.
void ResetForNewStory();
// Starts play from a stage file (free play): the record cleared, the stage
// loaded (flag: its newest numbered variant), the record's stage, clear
// index, in-stage switch and stock set. 1 on success; 0 when the load
// failed (the loader has told the player).
int StartPlayFromFile(const std::string& path, int flag);
// A replay file read into the play stage, its copy, the key log and the
// record, for playback (title choice 4, game type 3). 1 when read.
int StartReplayFromFile(const std::string& path);
// Installs StartPlayFromFile behind PlayStageFile and the handlers of
// WM_NAME_DIALOG..WM_SAVE_REPLAY (done once by the start-up).
void InstallFrontServices();
