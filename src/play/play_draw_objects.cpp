// The objects of the play screen: the hero, the items, the stage characters
// and the shots, in the stage's depth passes.
#include "actors/chara_draw.h"
#include "database/global_objects.h"
#include "platform/graphics/dd_blit.h"
#include "play/play_scene.h"
#include "play/shots_draw.h"
#include "player/player_records.h"
#include "stage/stage_data.h"

namespace {

constexpr int32_t DEPTH_PASSES = 8;

}  // namespace

void cPlayScene::GetRunTotals(int32_t& score, int32_t& stageScore, int32_t& lives) const {
    score = SaveData.nScore;
    stageScore = SaveData.nScore - SaveData.nScoreBackup;
    lives = SaveData.nLives;
}

int32_t cPlayScene::DrawHero(DDSURFACEDATA* dst, int32_t frozen) {
    cPlayer* lpHero = Hero();
    if (!lpHero) return 0;
    if (lpHero->dying) {
        if (lpHero->DrawDeath(dst, frozen) != 1) return 0;
        bHeroDeathDone = 1;
        return 1;
    }
    lpHero->Draw(dst, frozen);
    lpHero->DrawHpGauge(dst, frozen);
    lpHero->DrawSpGauge(dst, frozen);
    return 0;
}

int32_t cPlayScene::DrawStageChara(cStageChara& chara, DDSURFACEDATA* dst, int32_t frozen) {
    if (chara.dying) return chara.DrawDeath(dst, frozen);
    chara.Draw(dst, frozen);
    chara.DrawHpGauge(dst, frozen);
    chara.DrawSpGauge(dst, frozen);
    chara.DrawCarriedItemIcon(dst, frozen);
    return 0;
}

void cPlayScene::DrawObjects(DDSURFACEDATA* dst, int32_t frozen) {
    // With depth layers each object is drawn in the pass of its depth byte (8 and more: never).
    const bool layered = PlayStage.nDrawSwitch != 0;
    for (int32_t d = 0; d < (layered ? DEPTH_PASSES : 1); ++d) {
        const auto inPass = [&](int32_t depth) { return !layered || depth == d; };
        if (cPlayer* lpHero = Hero(); lpHero && inPass(lpHero->data.byZ)) DrawHero(dst, frozen);

        DDBeginBatch(0);
        for (cItem& item : lstItem) {
            if (!inPass(item.nLayer) || !item.bActive || item.bUsed) continue;
            item.UpdateScreenRect();
            item.Draw(dst, frozen);
        }
        DDEndBatch();

        for (auto it = lstStageChara.begin(); it != lstStageChara.end();) {
            if (inPass(it->data.byZ) && DrawStageChara(*it, dst, frozen) == 1) it = RemoveStageChara(it);
            else ++it;
        }
        DrawShots(*this, dst, layered ? d : -1, frozen);
    }
}
