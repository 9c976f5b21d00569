#pragma once
// The key snapshot: which virtual keys are held, shared between the main
// thread (which feeds it from SDL's keyboard and mouse events) and the game
// thread (which reads it every frame). Scripted input feeds a second layer of
// the same snapshot; a key is held when either layer holds it. Locked.

// Whether vk is held (keyboard, mouse button or script). Generic Shift,
// Ctrl and Alt are held when either side is.
bool IsKeyHeld(int vk);
// The held test in the Windows form: the top bit (a negative value) when held.
short GetAsyncKeyState(int vk);

// Main thread: a key or mouse button of the device went down or up.
void SetDeviceKey(int vk, bool bDown);
// Main thread: every device key up (focus lost, window closed).
void ReleaseDeviceKeys();
// Scripted input: a key of the script layer went down or up.
void SetScriptKey(int vk, bool bDown);
// Both layers empty (start of a test).
void ResetKeySnapshot();
