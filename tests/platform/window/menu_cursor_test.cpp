#include <gtest/gtest.h>

#include "platform/window/menu_cursor.h"
#include "support/record_services_spy.h"

namespace {

constexpr int L = 1, R = 2, U = 4, D = 8;

TEST(MenuCursor, GridWrapsBothWays) {
    cMenuCursor c;
    c.MoveGrid(L, 100, 50, 20, 16, 3, 2);  // left from column 0
    EXPECT_EQ(c.Current().index, 2);
    EXPECT_EQ(c.Current().x, 140);
    c.MoveGrid(D, 100, 50, 20, 16, 3, 2);
    EXPECT_EQ(c.Current().row, 1);
    EXPECT_EQ(c.Current().y, 66);
    c.MoveGrid(D, 100, 50, 20, 16, 3, 2);  // down from row 1
    EXPECT_EQ(c.Current().row, 0);
    c.MoveGrid(R | U, 100, 50, 20, 16, 3, 2);  // diagonal: both axes move
    EXPECT_EQ(c.Current().index, 0);
    EXPECT_EQ(c.Current().row, 1);
    c.MoveGrid(R, 0, 0, 1, 1, 0, 2);  // an empty grid leaves the cursor alone
    c.MoveGrid(R, 0, 0, 1, 1, -1, 2);
    EXPECT_EQ(c.Current().index, 0);
}

TEST(MenuCursor, ListScrollsAndPages) {
    cMenuCursor c;
    int top = 0;
    c.Current().row = 3;
    c.MoveList(D, 1, top, 40, 16, 8, 4, 10, 1);
    EXPECT_EQ(c.Current().row, 4);
    EXPECT_EQ(top, 1);
    EXPECT_EQ(c.Current().y, 40 + 3 * 16);
    EXPECT_EQ(c.Current().x, 8);

    top = 6;  // the last page
    c.Current().row = 7;
    c.MoveList(R, 1, top, 40, 16, 8, 4, 10, 1);
    EXPECT_EQ(c.Current().row, 9);
    EXPECT_EQ(top, 6);
    c.MoveList(L, 1, top, 40, 16, 8, 4, 10, 1);
    EXPECT_EQ(top, 3);
    EXPECT_EQ(c.Current().row, 6);
    c.MoveList(L, 1, top, 40, 16, 8, 4, 10, 1);
    EXPECT_EQ(top, 0);
    c.MoveList(L, 1, top, 40, 16, 8, 4, 10, 1);  // first page: to the top item
    EXPECT_EQ(c.Current().row, 0);
    c.MoveList(U, 1, top, 40, 16, 8, 4, 10, 1);  // no wrap-around
    EXPECT_EQ(c.Current().row, 0);
    EXPECT_EQ(top, 0);

    // The index field, laid out horizontally; fewer items than rows.
    top = 0;
    c.MoveList(D, 0, top, 10, 32, 200, 4, 2, 0);
    c.MoveList(D, 0, top, 10, 32, 200, 4, 2, 0);
    EXPECT_EQ(c.Current().index, 1);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(c.Current().x, 42);
    EXPECT_EQ(c.Current().y, 200);
    c.MoveList(D, 0, top, 10, 32, 200, 4, 0, 0);  // an empty list
    EXPECT_EQ(c.Current().index, 0);
}

TEST(MenuCursor, LevelsKeepTheParentsCursor) {
    cMenuCursor c;
    EXPECT_EQ(c.Parent(), nullptr);
    c.PopLevel();  // one state: nothing
    EXPECT_EQ(c.Levels(), 1);
    c.Current().row = 2;
    c.PushLevel();
    EXPECT_EQ(c.Current().row, 0);
    ASSERT_NE(c.Parent(), nullptr);
    EXPECT_EQ(c.Parent()->row, 2);
    for (int i = 0; i < 20; ++i) c.PushLevel(1);  // growing the stack keeps the links right
    EXPECT_EQ(c.Parent()->row, 0);
    c.Current().row = 5;
    c.PopLevel(2);
    EXPECT_EQ(c.Current().row, 5);
    c.PopLevel(0);
    EXPECT_EQ(c.Current().row, 0);
    while (c.Levels() > 2) c.PopLevel();
    c.PopLevel();
    EXPECT_EQ(c.Current().row, 2);
    EXPECT_EQ(c.Parent(), nullptr);
    c.Reset();
    EXPECT_EQ(c.Levels(), 1);
    EXPECT_EQ(c.Current().row, 0);
}

TEST(MenuCursor, SoundOncePerEnabledAxis) {
    cRecordServicesSpy spy;
    PlayCursorSound(L | U, 3, 0);
    EXPECT_EQ(spy.sounds, (std::vector<int>{0, 0}));
    PlayCursorSound(L | U, 2, 4);
    PlayCursorSound(R, 2, 5);
    PlayCursorSound(0, 3, 6);
    EXPECT_EQ(spy.sounds, (std::vector<int>{0, 0, 4}));
}

}  // namespace
