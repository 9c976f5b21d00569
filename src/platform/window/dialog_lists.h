#pragma once
// The open dialogs, shared by the dialogs' own logic and the host that runs
// and draws them. Main thread only.
#include <vector>

class cDialog;

// Open modeless dialogs, in the order they were opened.
std::vector<cDialog*>& ModelessDialogs();
// Running modal dialogs, the innermost last.
std::vector<cDialog*>& ModalDialogStack();
