#include "app/built_stage.h"

#include <string>

#include "app/app_state.h"
#include "database/common_palette.h"
#include "database/database.h"
#include "database/database_work.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "platform/input/input.h"
#include "sample_game/data/game_data.h"
#include "stage/stage_data.h"

cBuiltStageTest::cBuiltStageTest() {
    ResetAppState();
    sample::BuildDatabase(Database);
    PrepareDatabaseWork(Database);
    sample::BuildSystemData(SystemData);
    sample::BuildCommonPalette(CommonPalette);
}

cBuiltStageTest::~cBuiltStageTest() {
    m_lpScene.reset();
    ResetAppState();
}

void cBuiltStageTest::Start(int w, int h, const std::function<void(sample::cStageKit&, cStageData&)>& build) {
    cStageData stage;
    sample::cStageKit kit(stage, w, h, "test");
    stage.SetHitLevel(1);
    build(kit, stage);
    kit.PlaceBlocks();
    Start(stage);
}

void cBuiltStageTest::Start(const cStageData& stage) {
    PlayStage = stage;
    m_lpScene = std::make_unique<cPlayScene>();
    SetCurrentPlayScene(m_lpScene.get());
    m_lpScene->SetStage(0, 1);
    m_lpScene->nState = PLAYSTATE_PLAY;
}

void cBuiltStageTest::Frames(int n, uint16_t dir, uint16_t buttons) {
    for (int i = 0; i < n; ++i) {
        cInput& in = InputList[0];
        in.m_nDir = dir;
        in.m_nButton = buttons;
        m_lpScene->Play();
    }
}

void cBuiltStageTest::Press(uint16_t buttons, int n) {
    Frames(2, 0, buttons);
    Frames(n);
}

cFlow cBuiltStageTest::Counter(int trigger, int var, int id) {
    cFlowCmd code = sample::Cmd(CMD_CODE, 0);
    code.strText = "S" + std::to_string(var) + " = S" + std::to_string(var) + " + 1";
    return sample::Flow(trigger, {code}, id);
}

int32_t cBuiltStageTest::Var(int var) const { return m_lpScene->World.vStageVars[var]; }

cStageChara* cBuiltStageTest::Placed(int col, int row) {
    for (cStageChara& c : m_lpScene->World.lstStageChara)
        if (c.data.wCellX == col && c.data.wCellY == row) return &c;
    return nullptr;
}
