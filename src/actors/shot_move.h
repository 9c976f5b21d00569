#pragma once
// The per-step movements of flying shots, by movement kind.
class cShot;
class cWorldState;

// Runs the movement handler of the shot's movement kind (straight flight
// and unknown kinds do nothing); the subjects are looked for in `world`
// (none when it is null).
void RunShotMovement(cShot& shot, cWorldState* world);
