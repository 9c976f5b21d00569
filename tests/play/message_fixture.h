#pragma once
// A graphics layer, the second font with a box picture, the message lists
// and the variables, fresh for each message test.
#include <optional>
#include <string>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "play/message/message.h"
#include "play/message/message_surface.h"
#include "play/message/message_text.h"
#include "player/player_records.h"
#include "support/play_screen_test.h"
#include "support/record_services_spy.h"
#include "world/world_state.h"

class cMessageTest : public cPlayScreenTest {
protected:
    void SetUp() override {
        cPlayScreenTest::SetUp();
        spy.emplace();
        // Variable codes read the run's common variables and the stage's.
        m_SavedCommon = SaveData.vVar;
        common.assign(1001, 0);
        stage.assign(1000, 0);
        m_lpPrevWorld = lpWorld;
        lpWorld = &world;
    }
    void TearDown() override {
        // The fonts drawn over the box go with the reset, the box after them.
        cPlayScreenTest::TearDown();
        DDReleaseSurface(&box);
        spy.reset();
        lpWorld = m_lpPrevWorld;
        SaveData.vVar = m_SavedCommon;
    }
    // The second font (16-dot pitch, white ink) over a banded box picture.
    void MakeFont() {
        ddtest::SetBasePalette(ddtest::TestPalette());
        DDSetTransmit(0xFF, 0x00, 0xFF);  // palette entry 0
        ASSERT_TRUE(DDCreateSurface(&box, 128, 64, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
        for (int y = 0; y < 64; y += 4) DDFillRect(&box, 0, y, 128, 4, 60 + y);
        ASSERT_TRUE(Fonts[FONT_MEDIUM].Create("ＭＳ ゴシック", 0, 16, 16, 16, 2, &box, 1, 5, nullptr, 1, 640, 480,
                                              DDIsD3D()));
    }
    // A text window in screen cells with the given flags; no opening unless asked.
    static cMessage Window(const std::string& text, int cx, int cy, int window, int displayEnd = MESEND_STAGE,
                           int expand = 0, int refresh = 0, int interval = 0, int chained = 1) {
        return cMessage(MESSAGE_TEXT, &text, 0, 0, 0, MESPOS_SCREEN, cx, cy, 0, 0, 0, 1, displayEnd, 0, 0, 0,
                        chained, expand, refresh, interval, window, 0, 0);
    }

    DDSURFACEDATA box;
    cWorldState world;
    cSafeVector<int32_t>& common = SaveData.vVar;
    cSafeVector<int32_t>& stage = world.vStageVars;
    std::optional<cRecordServicesSpy> spy;

private:
    cSafeVector<int32_t> m_SavedCommon;
    cWorldState* m_lpPrevWorld = nullptr;
};
