#pragma once
// The player layer's globals as at start-up: the records as the program makes
// them (ResetPlayerRecords) and the local time read from the system clock.
// Only this layer: ResetPlayState runs it and goes on to the layers below.
void ResetPlayerLayer();
// ResetPlayerLayer, then ResetDatabaseState: the player layer and every layer
// below as at start-up (tests).
void ResetPlayerState();
