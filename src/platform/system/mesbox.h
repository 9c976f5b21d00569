#pragma once
// The program's message boxes. Texts and captions are Shift-JIS. How a box
// is shown is up to a presenter: before the window framework installs its
// own (drawn in the game window), boxes go to SDL's system message box.
// With QV_AUTO_ANSWER=1 every box takes its default answer at once and its
// text goes to the report log.
#include <string>

// Styles and answers, with the values the Windows API gives them.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};
enum { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Shows text under caption with the buttons of style; returns the answer.
int MesBox(const char* text, const char* caption, unsigned style);
// MesBox(text, "エラー", MB_OK).
int ErrMesBox(const char* text);
int ErrMesBoxF(const char* format, ...) __attribute__((format(printf, 1, 2)));
// As ErrMesBoxF, only while the error log is on; 0 otherwise.
int DebugMesBoxF(const char* format, ...) __attribute__((format(printf, 1, 2)));
// "メモリが不足しています！" and the close request.
void OutOfMemory();

// The answer a box gives when nobody is asked (the default button).
int DefaultMesBoxAnswer(unsigned style);
// The answer of a box closed without a choice (Escape): Cancel, else No, else OK.
int EscapeMesBoxAnswer(unsigned style);

// Shows one box and returns the answer; texts are Shift-JIS.
using MesBoxPresenter = int (*)(const std::string& text, const std::string& caption, unsigned style);
// Installs a presenter (null: back to SDL's system message box).
void SetMesBoxPresenter(MesBoxPresenter presenter);
// Whether QV_AUTO_ANSWER=1 is in force (read at the first call).
bool IsAutoAnswer();
// Makes the next IsAutoAnswer read the variable again (tests).
void RereadAutoAnswer();
