#pragma once
// The per-step movements of flying shots, by movement kind.
class cShot;

// Runs the movement handler of the shot's movement kind (straight flight
// and unknown kinds do nothing).
void RunShotMovement(cShot& shot);
