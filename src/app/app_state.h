#pragma once
// Every global of the application frame back to its start-up state (tests),
// with the standard scenes installed as the program's start installs them:
// the stage-loading set-up, then ResetPlayState: the play layer and every
// layer below it.
void ResetAppState();
