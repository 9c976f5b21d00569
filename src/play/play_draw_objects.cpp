// The objects of the play screen: the hero, the items, the stage characters
// and the shots, in the stage's depth passes.
#include <cstddef>

#include "actors/chara_draw.h"
#include "actors/shot.h"
#include "database/global_objects.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_sprite_list.h"
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

int32_t cPlayScene::DrawHero(const CHARADRAW& draw) {
    cPlayer* lpHero = World.Hero();
    if (!lpHero) return 0;
    if (lpHero->dying) {
        if (lpHero->DrawDeath(draw) != 1) return 0;
        bHeroDeathDone = 1;
        return 1;
    }
    lpHero->Draw(draw);
    lpHero->DrawHpGauge(draw);
    lpHero->DrawSpGauge(draw);
    return 0;
}

int32_t cPlayScene::DrawStageChara(cStageChara& chara, const CHARADRAW& draw) {
    if (chara.dying) return chara.DrawDeath(draw);
    chara.Draw(draw);
    chara.DrawHpGauge(draw);
    chara.DrawSpGauge(draw);
    chara.DrawCarriedItemIcon(draw);
    return 0;
}

void cPlayScene::DrawObjects(const CHARADRAW& draw) {
    // With depth layers each object is drawn in the pass of its depth byte (8 and more: never);
    // without, everything in one pass. The lists are walked once into the passes.
    const bool layered = PlayStage.nDrawSwitch != 0;
    const int32_t passes = layered ? DEPTH_PASSES : 1;
    const auto passOf = [&](int32_t depth) { return layered ? depth : 0; };
    for (DEPTHPASS& p : depthPasses) {
        p.items.clear();
        p.charas.clear();
        p.shots.clear();
    }
    for (cItem& item : World.lstItem)
        if (const int32_t d = passOf(item.nLayer); d >= 0 && d < passes) depthPasses[d].items.push_back(&item);
    for (auto it = World.lstStageChara.begin(); it != World.lstStageChara.end(); ++it)
        if (const int32_t d = passOf(it->data.byZ); d < passes) depthPasses[d].charas.push_back(it);
    // The shots by place.
    for (std::size_t i = 0; i < World.lstShots.Places(); ++i) {
        cShot* s = World.lstShots.At(i);
        if (!s) continue;
        if (const int32_t d = passOf(s->settings.nZ); d < passes && s->IsOnScreen()) depthPasses[d].shots.push_back(s);
    }

    for (int32_t d = 0; d < passes; ++d) {
        DEPTHPASS& pass = depthPasses[d];
        if (cPlayer* lpHero = World.Hero(); lpHero && (!layered || lpHero->data.byZ == d)) DrawHero(draw);

        // The pass's items, characters and shots are held back and drawn together.
        DDBeginSpriteList(draw.lpDst);
        DDBeginBatch(0);
        for (cItem* item : pass.items) {
            if (!item->bActive || item->bUsed) continue;
            item->UpdateScreenRect();
            item->Draw(draw);
        }
        DDEndBatch();

        // A character whose death presentation ended leaves the list; it is in no later pass.
        for (const auto it : pass.charas)
            if (DrawStageChara(*it, draw) == 1) RemoveStageChara(it);
        DrawShots(draw, pass.shots);
        DDEndSpriteList();
    }
}
