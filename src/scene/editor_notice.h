#pragma once
// The kit's editor starts the program for a test play and wants to know when
// the play starts and ends. The editor flag is set when QV_EDITOR names a
// file or a Unix socket; each notice is one line written to it:
// "started 1", then "ended 1" at a normal end or "ended 0" when the start failed.
#include <cstdint>
#include <string>

enum : uint32_t { EDITOR_ENDED = 0, EDITOR_STARTED = 1 };

// The editor flag: 1 when the program was started by the editor.
extern uint32_t bEditorStart;

// Reads QV_EDITOR: sets the editor flag and remembers where notices go.
void ReadEditorSetting();
// Writes notice kind (EDITOR_STARTED or EDITOR_ENDED) with value; nothing
// without the editor flag or when the target cannot be written.
void SendEditorNotice(uint32_t kind, uint32_t value);
// Back to no editor (tests).
void ResetEditorSetting();
