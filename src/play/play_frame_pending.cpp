// Stand-ins until their own code is in: the end of a stage goes to the
// title; the picture is the background, the blocks and the status strip.
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
