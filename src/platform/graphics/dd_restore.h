#pragma once
// Device loss and restore. Surfaces live in memory and are never lost, so
// both operations do what they do when nothing was lost; they keep their
// callers' contracts (results, log lines, the fonts' restore calls).

// DirectDraw: restores lost surfaces; nothing is lost, so true at once (under Direct3D: a log line, true).
bool DDRestore();
// Direct3D: rebuilds the device's surfaces; nothing is lost, so only the fonts restore; 1.
int DDRestoreDevice();
// Installs the function that lets every font restore itself (null: none).
void DDSetFontRestore(void (*restore)());
// True when the primary surface reports itself lost (never).
bool DDIsPrimaryLost();
