#pragma once
// Every global of the application frame back to its start-up state (tests):
// the threads ended, the window gone, then ResetPlayState: the play layer and
// every layer below it; last the standard scenes installed as the program's
// start installs them.
void ResetAppState();
