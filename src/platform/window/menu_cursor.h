#pragma once
// The cursor of every menu: a stack of cursor states, one per open menu
// level, so that a sub-menu can open and close with its parent's cursor kept.
// Moves read direction bits (1 left, 2 right, 4 up, 8 down) and compute the
// cursor's pixel position.
#include <cstdint>

#include "records/safe_container.h"

struct MENUCURSORSTATE {
    int32_t index = 0;  // column, or item index of a list
    int32_t row = 0;
    int32_t x = 0, y = 0;  // pixels
};

class cMenuCursor {
public:
    cMenuCursor();

    // Exactly one zero state; it is the current one and there is no parent.
    void Reset();
    // Opens a level: a zero state, or (bCopy) a copy of the current one.
    void PushLevel(int bCopy = 0);
    // Closes the top level when there are at least two. mode 0 zeroes the
    // revealed state, 1 keeps it, 2 gives it the closed state's values.
    void PopLevel(int mode = 1);
    // Grid move with wrap-around; nothing when columns or rows is not positive.
    void MoveGrid(int bits, int x0, int y0, int dx, int dy, int columns, int rows);
    // Scrolling list move on the row (bUseRow) or index field; top is the
    // first shown item, visible the shown rows, count the items; bPaging:
    // left and right turn pages. No wrap-around.
    void MoveList(int bits, int bUseRow, int& top, int base, int step, int other, int visible, int count, int bPaging);

    // The state of the open level.
    MENUCURSORSTATE& Current() { return m_States[m_nCurrent]; }
    // The state below it; null at the top level.
    MENUCURSORSTATE* Parent() { return m_nCurrent > 0 ? &m_States[m_nCurrent - 1] : nullptr; }
    int Levels() const { return static_cast<int>(m_States.size()); }

private:
    // Indices rather than pointers: a pointer into the vector would dangle
    // once a push grows it.
    int m_nCurrent = 0;
    cSafeVector<MENUCURSORSTATE> m_States;
};

// The one cursor of all menus.
extern cMenuCursor g_MenuCursor;

// Plays sound effect `number` once if mask bit 1 is set and left or right is
// down, and once more if mask bit 2 is set and up or down is down.
void PlayCursorSound(int bits, int mask, int number);
