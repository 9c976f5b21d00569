// Cases of the presentation, code and loop commands (26 to 39) at 0 and at
// the largest values a stage file can hold: each command runs and its flow
// goes on, every character marking its own stage variable after it.
#include <climits>

#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "character commands";
constexpr int kMaxI32 = INT_MAX;

// Character i runs cmds[i] and then sets S<i + 1>.
void EachThenMark(cStageData& s, const char* title, const std::vector<cFlowCmd>& cmds) {
    cStageKit& k = Arena(s, title, {}, true, 40);
    for (size_t i = 0; i < cmds.size(); ++i) {
        cCharaData c = Dummy();
        c.bySetting52 = 3;
        c.vFlow.push_back(Flow(TRG_ALWAYS, {cmds[i], SetVar(static_cast<int>(i) + 1), Cmd(CMD_WAIT, 9999)}));
        Put(k, c, 4 + 3 * static_cast<int>(i), 12);
    }
}

std::vector<CONFCHECK> Marks(int n) {
    std::vector<CONFCHECK> v;
    for (int i = 1; i <= n; ++i) v.push_back({i, 1});
    return v;
}

// A flow of trigger 21 (before the stage starts) that counts S<var> after `loop`.
cFlow CountingLoop(const cFlowCmd& loop, int var, int counts) {
    cFlowCmd count = CountVar(var);
    count.bNoWait = 1;
    cFlow f = Flow(21, {loop});
    for (int i = 0; i < counts; ++i) f.vCmd.push_back(count);
    return f;
}

}  // namespace

void AddPresentCmdValueCases(std::vector<CONFCASE>& v) {
    const int M = kMaxI32;
    v.push_back(Case("cmdv-26-36-present-zero", kTable, "26-36 グラフィック, アニメ, エフェクト, 画面, 背景, 音 (0)",
                     "Each presentation command with its numbers at 0 runs and its flow goes on: graphic 0 of "
                     "kind 0, animation set 0, animation 0, effect 0 (none), character effect 0, screen effect 0 "
                     "(the normal screen), picture 0 shown for 0 tenths, screen colour at 0 % for 0 tenths, "
                     "background 0 (none), sound 0 (none) and music 0 each mark their variable (S1 to S11).",
                     [](cStageData& s) {
                         EachThenMark(s, "演出の値 0",
                                      {Cmd(CMD_CHANGE_GRAPHIC, 0, {0, 0, 0}), Cmd(CMD_CHANGE_ANIMESET, 0, {0}),
                                       Cmd(CMD_RUN_ANIME, 0, {0}), Cmd(CMD_RUN_EFFECT, 0, {0, 0, 0, 0, 0, 0, 0, 0}),
                                       Cmd(CMD_CHARA_EFFECT, 0, {0, 0, 0}), Cmd(CMD_SCR_EFFECT, 0, {0, 0, 0}),
                                       Cmd(CMD_PICTURE, 0, {0}), Cmd(CMD_SCREEN_COLOR, 0, {0, 0, 0, 0, 0, 0, 0, 0}),
                                       Cmd(CMD_CHANGE_BG, 0, {0, 0}), Cmd(CMD_PLAY_SE, 0, {0}),
                                       Cmd(CMD_PLAY_BGM, 0, {0, 0})});
                     },
                     Marks(11), 20));
    v.push_back(Case("cmdv-26-36-present-largest", kTable,
                     "26-36 グラフィック, アニメ, エフェクト, 画面, 背景, 音 (最大の値)",
                     "Each presentation command with every number at 2147483647 runs and its flow goes on: list "
                     "numbers beyond their lists are brought back at load, positions and times beyond what play "
                     "can hold are clamped at load, and the scale and modes are taken as they are: graphic, "
                     "animation set, animation, effect (largest position, offset and scale), character effect, "
                     "screen effect, picture (largest position, scale and time, no wait), screen colour (largest "
                     "time), background (largest number and switch), sound, and music each mark their variable "
                     "(S1 to S11).",
                     [](cStageData& s) {
                         EachThenMark(s, "演出の最大値",
                                      {Cmd(CMD_CHANGE_GRAPHIC, 0, {M, M, M}), Cmd(CMD_CHANGE_ANIMESET, 0, {M}),
                                       Cmd(CMD_RUN_ANIME, 0, {M}), Cmd(CMD_RUN_EFFECT, 0, {M, M, M, M, M, M, M, 0}),
                                       Cmd(CMD_CHARA_EFFECT, 0, {M, M, M}), Cmd(CMD_SCR_EFFECT, 0, {M, M, M}),
                                       Cmd(CMD_PICTURE, 0, {M, M, M, M, M, M, M, M, M, M, 0, M, M, M, 0}),
                                       Cmd(CMD_SCREEN_COLOR, 0, {M, M, M, M, M, M, M, M}),
                                       Cmd(CMD_CHANGE_BG, 0, {M, M}), Cmd(CMD_PLAY_SE, 0, {M}),
                                       Cmd(CMD_PLAY_BGM, 0, {M, M})});
                     },
                     Marks(11), 20));
    {
        // A message of the 18 parameters: p[0] position, 1-4 place, 6 display end, 7 time, 8 wait, 11
        // refresh, 12 by ID, 13 the ID, 15 erase by ID, 16 refresh interval, 17 one frame.
        auto message = [](std::vector<int> params) {
            cFlowCmd c = Cmd(CMD_MESSAGE, 0);
            c.vParam.assign(params.begin(), params.end());
            c.vParam.resize(18, 0);
            c.strText = "値";
            return c;
        };
        v.push_back(Case("cmdv-19-message-values", kTable, "19 メッセージ (時間 0, 最大の時間と位置, 範囲外の位置モード, 最大のID, 1フレーム)",
                         "Messages run and their flows go on: one waited for with a time of 0 (S1); one at stage "
                         "coordinates of the largest cells and offsets, shown for the largest time without a wait "
                         "(both clamped at load, S2); position mode 2147483647, which is no mode (S3); message ID "
                         "2147483647 shown and erased by its ID (S4); a refresh every 2147483647 frames (S5); one "
                         "frame, waited for (S6); every parameter at 2147483647 but the wait (S7).",
                         [message](cStageData& s) {
                             EachThenMark(s, "メッセージの値",
                                          {message({0, 0, 0, 0, 0, 0, 2, 0, 1}),
                                           message({8, M, M, M, M, 0, 2, M, 0}),
                                           message({M, 0, 0, 0, 0, 0, 2, 10, 0}),
                                           message({0, 0, 0, 0, 0, 0, 2, 10, 0, 0, 0, 0, 1, M, 0, 1}),
                                           message({0, 0, 0, 0, 0, 0, 2, 10, 0, 0, 0, 1, 0, 0, 0, 0, M}),
                                           message({0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1}),
                                           message({M, M, M, M, M, M, M, M, 0, M, M, M, M, M, M, M, M, M})});
                         },
                         Marks(7), 30));
    }
    {
        // Two messages that wait for the confirm key (Z); the hero's own Z flow counts the presses that
        // reach play.
        auto confirm = [](const char* text) {
            cFlowCmd c = Cmd(CMD_MESSAGE, 0);
            c.vParam.assign(18, 0);
            c.vParam[8] = 1;  // the flow waits; display end 0: until the confirm key
            c.strText = text;
            return c;
        };
        v.push_back(Case("cmdv-19-message-confirm", kTable, "19 メッセージ (進行キーが押されるまで表示)",
                         "A message that waits for the confirm key holds play and its flow: X pressed while it "
                         "waits neither closes it nor reaches play (S4 = 0); the first Z closes it (S1) and the "
                         "next message opens and waits again until the second Z (S2). Neither Z reaches play; the "
                         "third Z, with no message open, is the hero's only counted press (S3 = 1).",
                         [confirm](cStageData& s) {
                             cStageKit& k = Arena(s, "進行キー");
                             cCharaData& hero = HeroOf(s);
                             hero.vFlow.clear();
                             hero.vFlow.push_back(KeyFlow(CountVar(3), KEYSLOT_BUTTON1, false, 1));
                             hero.vFlow.push_back(KeyFlow(CountVar(4), KEYSLOT_BUTTON2, false, 2));
                             cCharaData c = Dummy();
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 1), confirm("ひとつめ"), SetVar(1),
                                                                 Cmd(CMD_WAIT, 1), confirm("ふたつめ"), SetVar(2),
                                                                 Cmd(CMD_WAIT, 9999)}));
                             Put(k, c, 10, 12);
                         },
                         {{1, 1}, {2, 1}, {3, 1}, {4, 0}}, 80, CONFEND_PLAYING,
                         "20 X down\n22 X up\n30 Z down\n32 Z up\n60 Z down\n62 Z up\n100 Z down\n102 Z up\n"));
    }
    v.push_back(Case("cmdv-37-code-largest", kTable, "37 コードの実行 (最大の値, 桁あふれ)",
                     "Code at the edges of its numbers: 2147483647 assigned stores 999999 (S11); 999999 * 999999 "
                     "wraps in 32 bits to a negative number and stores -999999 (S12); 2147483647 + 1 wraps to the "
                     "smallest number and stores -999999 (S13); the character ID assigned 2147483647 stores 99 "
                     "(S14); each flow goes on (S1 to S4).",
                     [](cStageData& s) {
                         EachThenMark(s, "コードの最大値",
                                      {Code("S11 = 2147483647"), Code("S12 = 999999 * 999999"), Code("S13 = 2147483647 + 1"),
                                       Code("my.cid = 2147483647")});
                         // The value of an item is read when the text is taken apart: a second text reads the ID.
                         cSafeVector<cFlowCmd>& cmds = s.vPlacedChara.back().vFlow.front().vCmd;
                         cmds.insert(cmds.begin() + 1, Code("S14 = my.cid"));
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {11, 999999}, {12, -999999}, {13, -999999}, {14, 99}}, 20));
    v.push_back(Case("cmdv-39-loop-values", kTable, "39 ループ (回数 0, 最大の回数, コマンド数 0, 最大のコマンド数)",
                     "Loops of flows before the start: a count of 0 runs its command once (S1 = 1); the largest "
                     "count, 2147483647, is cut to the longest list a flow may hold: 65535 counts (S2); a loop over "
                     "0 commands repeats nothing (S3 = 1); a loop of 2 over 2147483647 commands covers the two "
                     "commands that follow it, twice (S4 = 4).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ループの値");
                         cCharaData c = Dummy();
                         c.vFlow.push_back(CountingLoop(Cmd(CMD_LOOP, 0, {0, 1}), 1, 1));
                         c.vFlow.push_back(CountingLoop(Cmd(CMD_LOOP, 0, {kMaxI32, 1}), 2, 1));
                         c.vFlow.push_back(CountingLoop(Cmd(CMD_LOOP, 0, {3, 0}), 3, 1));
                         c.vFlow.push_back(CountingLoop(Cmd(CMD_LOOP, 0, {2, kMaxI32}), 4, 2));
                         Put(k, c, 10, 12);
                     },
                     {{1, 1}, {2, 65535}, {3, 1}, {4, 4}}, 10));
}

}  // namespace sample
