#pragma once
// A message box drawn in the program's window as a dialog: the text, the
// buttons of its style, Enter for the default button, Escape for Cancel (or
// No when there is no Cancel). Install it with
// SetMesBoxPresenter(&DialogMesBox) once the dialog host is set.
#include <string>

// Shows the box (texts CP932) and returns the answer (IDOK, IDCANCEL, IDYES, IDNO).
int DialogMesBox(const std::string& text, const std::string& caption, unsigned style);
