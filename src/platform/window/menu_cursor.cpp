#include "platform/window/menu_cursor.h"

#include <algorithm>

#include "records/utility.h"

namespace {

constexpr int kLeft = 1, kRight = 2, kUp = 4, kDown = 8;

}  // namespace

cMenuCursor g_MenuCursor;

cMenuCursor::cMenuCursor() { Reset(); }

void cMenuCursor::Reset() {
    m_States.assign(1, MENUCURSORSTATE{});
    m_nCurrent = 0;
}

void cMenuCursor::PushLevel(int bCopy) {
    MENUCURSORSTATE s = bCopy ? Current() : MENUCURSORSTATE{};
    m_States.push_back(s);
    m_nCurrent = static_cast<int>(m_States.size()) - 1;
}

void cMenuCursor::PopLevel(int mode) {
    if (m_States.size() < 2) return;
    MENUCURSORSTATE popped = m_States.back();
    m_States.pop_back();
    m_nCurrent = static_cast<int>(m_States.size()) - 1;
    if (mode == 0)
        Current() = MENUCURSORSTATE{};
    else if (mode == 2)
        Current() = popped;
}

void cMenuCursor::MoveGrid(int bits, int x0, int y0, int dx, int dy, int columns, int rows) {
    if (columns <= 0 || rows <= 0) return;
    MENUCURSORSTATE& s = Current();
    if (bits & kLeft)
        --s.index;
    else if (bits & kRight)
        ++s.index;
    if (bits & kUp)
        --s.row;
    else if (bits & kDown)
        ++s.row;
    if (s.row < 0) s.row = rows - 1;
    if (s.row >= rows) s.row = 0;
    if (s.index < 0) s.index = columns - 1;
    if (s.index >= columns) s.index = 0;
    s.x = s.index * dx + x0;
    s.y = s.row * dy + y0;
}

void cMenuCursor::MoveList(int bits, int bUseRow, int& top, int base, int step, int other, int visible, int count,
                           int bPaging) {
    MENUCURSORSTATE& s = Current();
    int& item = bUseRow ? s.row : s.index;
    if (bits & kUp) {
        if (item - top < 1) --top;
        --item;
    } else if (bits & kDown) {
        if (item - top >= visible - 1) ++top;
        ++item;
    }
    if (bPaging) {
        if (bits & kRight) {
            if (top != count - visible) {
                top += visible - 1;
                item += visible - 1;
            } else {
                item = count - 1;
            }
        } else if (bits & kLeft) {
            if (top != 0) {
                top -= visible - 1;
                item -= visible - 1;
            } else {
                item = top;
            }
        }
    }
    item = std::max(0, std::min(item, count - 1));
    top = std::max(0, std::min(top, std::max(count - visible, 0)));
    if (bUseRow) {
        s.y = (item - top) * step + base;
        s.x = other;
    } else {
        s.x = (item - top) * step + base;
        s.y = other;
    }
}

void PlayCursorSound(int bits, int mask, int number) {
    if ((mask & 1) && (bits & (kLeft | kRight))) PlaySE(number);
    if ((mask & 2) && (bits & (kUp | kDown))) PlaySE(number);
}
