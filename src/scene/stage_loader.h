#pragma once
// Loading a stage file for play. The file is read into the play stage on the
// stage-loading thread while the calling thread keeps pumping its messages;
// the file's trailer and the hero are checked, failures are shown in message
// boxes, and a copy of the stage's settings without objects can be handed back.
// Also the loader the play scene calls for a chosen stage file (the front
// end's free play replaces it) and the flag of a test play.
#include <string>

class cStageData;
class cThread;

// The extension that numbered stage files are searched under ("stg4").
extern std::string strStageSearchExt;

// The stage the loads fill and the thread they run on (the play stage and
// thLoadStage); set once at start-up. Null: loads fail with a report line.
void SetStageLoadTarget(cStageData* stage, cThread* thread);
// The stage the loads fill; null before SetStageLoadTarget.
cStageData* GetStageLoadTarget();

// One pass of the caller's message pump while a load runs: 0 when the caller
// has taken WM_QUIT (or its quit was posted), else 1.
using STAGELOADPUMP = int (*)();
// Replaces the pump (null: back to PumpStageLoadCaller).
void SetStageLoadPump(STAGELOADPUMP pump);
// The usual pump: the main thread serves its window events and requests;
// another thread takes the messages of its own queue.
int PumpStageLoadCaller();

// Loads `name` into the target stage: with `numbered` nonzero the newest of
// name.stg4_000 .. name.stg4_999 instead (none: 0 and no message). 1 when the
// stage loaded and has a hero; then `out` (may be null) receives its header
// copy. 0 on failure, reported in a message box (a damaged file and a stage
// without hero also ask the main window to close). The load reads with the
// caller's data version; afterwards the caller's nReadVersion and
// bVersionTooNew are those of the file, as if it had read it itself.
int LoadStageFile(const char* name, int numbered, cStageData* out);
// The same with the stage and thread given.
int LoadStageFileInto(cStageData& stage, cThread& thread, const char* name, int numbered, cStageData* out);

// Pumps the caller's messages until `thread` has ended (or was let go by an
// Exit elsewhere); 1 then. 0 when the caller took WM_QUIT meanwhile (logged;
// the thread is still waited for).
int PumpUntilThreadEnds(cThread& thread);

// 1 when the stage file is whole or cannot be opened (the load reports that);
// 0 when a file of version 174 or later lacks its trailer: reported, and the
// main window is asked to close.
int CheckStageTrailer(const std::string& path);

// The message box of a failed data-file load (the newer-version text when
// the calling thread's last opened file was newer than the program); also
// written to the logs.
void ShowLoadErrorMes(const std::string& name);

// The name of the stage file of the current play (the target's file name).
const std::string& GetCurrentStageFileName();
// Sets it (a replay chosen for playback names itself).
void SetCurrentStageFileName(const std::string& name);

// Set when play starts from a file given at start (the test play).
extern int bStageTest;

// Loads a stage file for play; 0 on failure (the player has been told).
// The title scene's free play replaces it (SetPlayStageFile).
int PlayStageFile(const std::string& path, int flag);
using PLAYSTAGEFILE = int (*)(const std::string& path, int flag);
// Replaces the loader behind PlayStageFile (null: loading into the play stage).
void SetPlayStageFile(PLAYSTAGEFILE fn);
