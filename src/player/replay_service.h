#pragma once
// The replay requests between the game thread and the main thread: the F1/F2
// hotkeys during play (WM_SAVE_REPLAY) and the title's replay item
// (WM_LOAD_REPLAY), and the main-thread services that answer them with the file chooser.
#include <string>

// The replay file chosen for playback, read again at every stage set-up.
extern std::string strReplayFile;
// Frames before an empty log may sound its refusal again.
extern int nReplayKeyCooldown;

// Game thread, once per play frame (and in the pause and after-play loops):
// F1 saves the current run, F2 the previous one (F1 wins). 1 when a replay
// was saved this frame; 0 otherwise, and always while a replay plays or
// recording is off. An empty log sounds effect 3 (at most every 60 frames).
int CheckReplayKeys(int bReplayPlaying);
// Game thread: asks the main thread for the load-replay chooser and waits;
// 1 when a replay was chosen and read.
int RequestReplayLoad();

// Main thread, WM_SAVE_REPLAY: proposes a name, runs the save chooser and writes
// the chosen log (wParam 0 the current run with its snapshot, 1 the previous
// one). 1 after OK (a failed write asks the program to close), 0 after Cancel.
int ServeSaveReplay(int wParam, int bEnglish = 0);
// Main thread, WM_LOAD_REPLAY: the load-replay chooser; the chosen file is read
// into the play stage, its play copy, the current log and the live save
// record, and remembered. 1 after OK (a failed read asks the program to
// close), 0 after Cancel.
int ServeLoadReplay(int bEnglish = 0);
