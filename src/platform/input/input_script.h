#pragma once
// Scripted input for automated runs (QV_INPUT=FILE): one event a line,
// "frame key down|up", the key a virtual-key code or name. Events feed the
// script layer of the key snapshot when their frame comes (frames counted by
// the program, also while a dialog waits: the dialog then takes the keys as
// typed). Blank lines and
// lines starting with '#' are skipped; a bad line is reported and skipped.
#include <cstdint>
#include <string>
#include <vector>

// Loads the script named by QV_INPUT, if set; false when set but unreadable.
bool LoadInputScriptFromEnv();
// Loads a script from a native path, replacing any other; false when the
// file cannot be read. Bad lines are reported in the report log.
bool LoadInputScript(const std::string& nativePath);
// Loads a script from text (tests); returns the number of events taken.
int ParseInputScript(const std::string& text);
// One scripted key going down or up (virtual-key code).
struct SCRIPTKEY {
    int vk = 0;
    bool bDown = false;
};
// Once per frame before the input is read: applies every event of frames up
// to and including frame that has not been applied yet; applied, when given,
// receives them in order (a modal dialog types them).
void ApplyInputScript(uint32_t frame, std::vector<SCRIPTKEY>* applied = nullptr);
// Whether a script is loaded.
bool HasInputScript();
// No script; the script layer of the key snapshot is left as it is.
void ResetInputScript();
