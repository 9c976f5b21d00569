// Stand-ins for one frame of play and the play screen's drawing until their
// own code is in: the frame only counts and draws, the picture is the
// background, the blocks and the status strip.
#include "app/editor_notice.h"
#include "app/start_file.h"
#include "database/global_objects.h"
#include "play/block_grid.h"
#include "play/draw/background_draw.h"
#include "play/draw/block_draw.h"
#include "play/draw/status_draw.h"
#include "play/play_scene.h"
#include "platform/graphics/dd_init.h"
#include "platform/window/main_thread_messages.h"

void cPlayScene::Play() {
    if (bQuit) {
        PostCloseMain();
        return;
    }
    if (MenuKeyPressed()) {
        nPhase = 0;
        nState = PLAYSTATE_PAUSE;
        return;
    }
    if (bMenuLatch && InputList[0].m_nButton == 0) bMenuLatch = 0;
    ++nFrameCount;
    ++nElapsedFrames;
    Draw(1, 0, 1, 1);
}

void cPlayScene::TallyResults() {}

int32_t cPlayScene::EndStage() { return 0; }

void cPlayScene::Draw(int32_t /*inPlay*/, int32_t frozen, int32_t timerSound, int32_t showHint) {
    PLAYSCROLLVIEW scroll;
    scroll.dPosX = ScrollX.dPos;
    scroll.dPosY = ScrollY.dPos;
    scroll.nMarginX = ScrollX.nMargin;
    scroll.nMarginY = ScrollY.nMargin;
    BLOCKGRIDVIEW grid;
    grid.nCols = ScrollX.nCells;
    grid.nRows = ScrollY.nCells;
    grid.nPitchShift = ScrollX.nPitchShift;
    grid.fnCell = [](int cell) -> const cBlockData* { return &BlockGrid[static_cast<size_t>(cell)]; };
    StepLayerScroll(PlayStage.vBg, frozen);
    DrawBackgroundLayers(&BackBuffer, PlayStage.vBg, scroll, 0);
    DrawBlocks(&BackBuffer, grid, scroll, 0);
    DrawBlocks(&BackBuffer, grid, scroll, 1);
    DrawBackgroundLayers(&BackBuffer, PlayStage.vBg, scroll, 1);
    PLAYSTATUS status;
    if (cPlayer* h = Hero()) {
        status.nHp = h->data.nMaxHP;
        status.nHpMax = h->data.nMaxHP;
    }
    status.nStageTime = nStageTime;
    DrawStatusBar(&BackBuffer, status);
    DrawStageTimer(&BackBuffer, status, timerSound);
    if (showHint) DrawHintLine(&BackBuffer, bStageTest, static_cast<int>(bEditorStart));
}
