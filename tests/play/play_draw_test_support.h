#pragma once
// Set-up of the play drawing tests: the play screen's fresh state per test
// (the random generator seeded 1), the effect list holding only the "none"
// entry, and small effect and picture files made by the tests.
#include <string>

#include "database/database.h"
#include "database/database_work.h"
#include "support/play_screen_test.h"

namespace playtest {

constexpr uint32_t KEY = 0xFF00FF;  // the transparent colour of the test pictures

// A strip of `cells` cells of w x h: cell k is a square of colour k on a transparent frame of 2 dots.
inline void WriteStrip(const std::string& path, int cells, int w, int h) {
    static const uint32_t colour[] = {0xE02020, 0x20C020, 0x2040E0, 0xF0D020, 0x20D0D0, 0xC040C0};
    ddtest::WriteBmp(path, ddtest::MakeRgb(cells * w, h, [&](int x, int y) {
        const int cx = x % w;
        return cx < 2 || y < 2 || cx >= w - 2 || y >= h - 2 ? KEY : colour[(x / w) % 6];
    }), 24);
}

class cPlayDrawTest : public cPlayScreenTest {
protected:
    cPlayDrawTest() {
        Database.vEffect.resize(1);  // only the entry that stands for no effect
    }
    // Effect graphics 1.. appended to the database (entry 0 stays the "none" entry),
    // each frame lasting `tenths`; then the work tables.
    int AddEffect(const std::string& file, int cells, int w, int h, int tenths, int scalable = 0) {
        cEffectBmpData e;
        e.strName = "fx" + std::to_string(Database.vEffect.size());
        e.strFile = file;
        e.nCellWidth = w;
        e.nCellHeight = h;
        e.bScalable = scalable;
        e.vFrame.clear();
        for (int k = 0; k < cells; ++k) e.vFrame.emplace_back(k, tenths);
        Database.vEffect.push_back(e);
        PrepareDatabaseWork(Database);
        return static_cast<int>(Database.vEffect.size()) - 1;
    }
};

}  // namespace playtest
