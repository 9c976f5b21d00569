// Cases of the presentation commands, shown by their last frame against a
// golden frame: message windows, pictures, background
// layers, effects and character effects.
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "presentation (golden frames)";

// A character in the middle of the arena runs `cmd` once, then waits.
std::function<void(cStageData&)> Presents(cFlowCmd cmd) {
    return [cmd](cStageData& s) {
        cStageKit& k = Arena(s, "演出");
        cCharaData c = Dummy("演出する", CG_VILLAGER);
        c.byInvincible = 1;
        c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 1), cmd, Cmd(CMD_WAIT, 9999)}));
        Put(k, c, 10, 12);
    };
}

CONFCASE Golden(const char* name, const char* rule, const char* shows, cFlowCmd cmd, int frames = 40) {
    CONFCASE c = Case(name, kTable, rule, shows, Presents(std::move(cmd)), {}, frames);
    c.bGolden = true;
    return c;
}

}  // namespace

void AddPresentCases(std::vector<CONFCASE>& v) {
    {
        cFlowCmd m = Cmd(CMD_MESSAGE, 0);
        m.strText = "メッセージの　ウインドウ\n２行目";
        m.vParam[6] = 1;   // shown until the stage ends
        m.vParam[14] = 1;  // in a window
        v.push_back(Golden("present-message", "19 メッセージ (画面中央、ウインドウ)",
                           "A two-line message in its window, in the middle of the screen, stays shown while play goes on.",
                           m));
    }
    {
        // Variable codes replaced, the window refreshed every frame: it shows the values as they are now.
        cFlowCmd m = Cmd(CMD_MESSAGE, 0);
        m.strText = "ステージ変数 #S1 / 共通変数 #C7_Z4.";
        m.vParam[6] = 1;   // shown until the stage ends
        m.vParam[9] = 1;   // variable codes replaced
        m.vParam[11] = 1;  // refreshed
        m.vParam[16] = 1;  // every frame
        m.vParam[14] = 1;  // in a window
        CONFCASE c = Case("present-message-variables", kTable, "19 メッセージ (変数コードの置き換え、更新)",
                          "A window showing \"#S1\" and \"#C7_Z4.\", refreshed every frame, shows the stage "
                          "variable's value of now, 5678 (set after it opened with 1234), and the common variable "
                          "zero-filled to four digits, 0056.",
                          [m](cStageData& s) {
                              cStageKit& k = Arena(s, "変数の表示");
                              cCharaData c = Dummy("演出する", CG_VILLAGER);
                              c.byInvincible = 1;
                              c.vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = 1234"), Code("C7 = 56"), Cmd(CMD_WAIT, 1),
                                                                  m, Cmd(CMD_WAIT, 5), Code("S1 = 5678"),
                                                                  Cmd(CMD_WAIT, 9999)}));
                              Put(k, c, 10, 12);
                          },
                          {{1, 5678}}, 40);
        c.bGolden = true;
        v.push_back(c);
    }
    {
        cFlowCmd p = Cmd(CMD_PICTURE, 0);
        p.vParam[0] = PIC_BANNER;
        p.vParam[7] = 100;
        p.vParam[8] = 1;  // shown until the stage ends
        v.push_back(Golden("present-picture", "32 ピクチャーの表示 (画面中央、100%)",
                           "The banner picture at its own size in the middle of the screen.", p));
        p.vParam[7] = 50;
        v.push_back(Golden("present-picture-half", "32 ピクチャーの表示 (画面中央、50%)",
                           "The banner picture at half its size in the middle of the screen.", p));
    }
    v.push_back(Golden("present-background-hide", "34 背景の変更 (非表示)",
                       "Background layer 1, the sky, is hidden: the screen behind the blocks is empty.",
                       Cmd(CMD_CHANGE_BG, 0, {1, 1})));
    v.push_back(Golden("present-effect", "29 エフェクトの実行",
                       "The sparkle effect runs at twice its size over the character.",
                       Cmd(CMD_RUN_EFFECT, 0, {EFF_SPARKLE, 1, 0, 0, 0, 0, 200, 0}), 12));
    v.push_back(Golden("present-chara-effect", "30 キャラエフェクトの実行",
                       "The spin character effect turns the character partway round.",
                       Cmd(CMD_CHARA_EFFECT, 0, {CEFF_SPIN, 0, 1}), 20));
}

}  // namespace sample
