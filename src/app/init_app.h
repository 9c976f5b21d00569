#pragma once
// Application initialisation between the creation of the main window and the
// start of the game thread, and its release at exit: settings, data, the
// graphics, fonts, input, music and sound, and the file to play at start.
#include <string>

// Starts preparing on a thread of its own, while the program starts, what
// the start then takes from memory: the glyphs of the fonts' caches in the
// face System.dat chooses (read on that thread; the fonts take what is
// ready and rasterise the rest themselves), then the title's pictures
// decoded. ExitApp waits for the thread and drops what was not taken.
void PrepareStartData();
// Waits for PrepareStartData's thread to end and drops what nothing took (ExitApp does this).
void EndStartData();
// Builds everything in its fixed order; false when the start must stop (the
// player has been told why, except when the start-up dialog was cancelled).
// commandLine: a stage or replay file to play at once (may be empty).
bool InitApp(const std::string& commandLine, int showCommand);
// Releases what InitApp built (also after a failed InitApp): the glyph
// counts to the report log, sound, music, scenes, fonts, graphics.
void ExitApp();

// The windowed flag and colour depth InitApp decided.
extern int bWindowed;
extern int nScreenBpp;
// DirectDraw full screen presents by copying instead of flipping.
extern int bNoFlip;
