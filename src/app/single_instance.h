#pragma once
// One running game per game folder: a lock on "Game.lock" in the program
// folder, which also holds the running instance's process id. A second start
// asks whether to end the running one; on Yes that one is sent SIGTERM (its
// orderly close, saving what it saves) and the start goes on once it has
// gone; on No the second start ends.

// Takes the lock, asking the player when another instance holds it. true:
// start-up goes on (the lock is held, or the running instance did not end in
// time and the start goes on beside it); false: end at once (the player
// answered No, or the running instance could not be ended, which is shown).
bool AcquireSingleInstance();
// Gives the lock back.
void ReleaseSingleInstance();
