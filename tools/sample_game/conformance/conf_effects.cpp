// Cases of the screen-effect and character-effect kinds: the conformance
// game's database holds one effect of every kind with its default values;
// each case runs one and keeps a frame halfway through as its golden frame.
#include "database/database.h"
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kScreen = "screen effects (golden frames)";
constexpr const char* kChara = "character effects (golden frames)";

struct KIND {
    const char* name;
    int p[4];  // parameters 2 to 5
};

// Every kind with the defaults of its parameters; a run of one second.
const KIND kScreenKinds[13] = {
    {"移動", {0, 0, 640, 0}},    {"振動（横）", {4, 4, 0, 0}},   {"振動（縦）", {4, 4, 0, 0}},
    {"分割（横）", {0, 640, 15, 0}}, {"分割（縦）", {0, 480, 20, 0}}, {"波（横）", {0, 640, 4, 8}},
    {"波（縦）", {0, 480, 4, 10}}, {"点滅", {10, 0, 0, 0}},       {"回転", {0, 1440, 0, 0}},
    {"円", {640, 0, 8, 0}},      {"拡大", {640, 1280, 0, 0}},    {"レンズ", {1500, 5, 0, 0}},
    {"モザイク", {1, 60, 0, 0}},
};
const KIND kCharaKinds[16] = {
    {"破裂", {0, 32, 0, 0}},   {"分割（横）", {0, 32, 4, 0}}, {"分割（縦）", {0, 32, 4, 0}},
    {"波（横）", {0, 32, 2, 2}}, {"波（縦）", {0, 32, 2, 2}}, {"点滅", {2, 0, 0, 0}},
    {"回転A", {0, 1440, 0, 0}}, {"回転B", {0, 1440, 0, 0}}, {"回転（奥）", {0, 256, 0, 0}},
    {"円", {32, 0, 2, 0}},     {"拡大", {32, 64, 0, 0}},     {"レンズ", {100, 5, 0, 0}},
    {"色変化", {1, 4, 16, 0}},  {"半透明", {9999, 0, 0, 0}},  {"モザイク", {1, 8, 0, 0}},
    {"ぼかし", {1, 4, 0, 0}},
};

// Index of the first added entry: after the sample game's own.
int ScreenBase() {
    static const int base = [] {
        cDatabase db;
        BuildDatabase(db);
        return static_cast<int>(db.vScrEffect.size());
    }();
    return base;
}
int CharaBase() {
    static const int base = [] {
        cDatabase db;
        BuildDatabase(db);
        return static_cast<int>(db.vCharaEffect.size());
    }();
    return base;
}

// A villager in the middle runs `cmd` in its second frame of play.
std::function<void(cStageData&)> Runs(cFlowCmd cmd) {
    return [cmd](cStageData& s) {
        cStageKit& k = Arena(s, "エフェクト");
        cCharaData c = Dummy("エフェクト", CG_VILLAGER);
        c.byInvincible = 1;
        c.vFlow.push_back(Flow(TRG_ALWAYS, {cmd, Cmd(CMD_WAIT, 9999)}));
        Put(k, c, 10, 12);
    };
}

}  // namespace

void AddEffectKinds(cDatabase& db) {
    for (const KIND& k : kScreenKinds) {
        cScrEffect e;
        e.strName = k.name;
        e.nKind = static_cast<int32_t>(&k - kScreenKinds) + 1;
        e.nParam[0] = 10;
        for (int i = 0; i < 4; ++i) e.nParam[i + 1] = k.p[i];
        db.vScrEffect.push_back(e);
    }
    for (const KIND& k : kCharaKinds) {
        cCharaEffect e;
        e.strName = k.name;
        e.nKind = static_cast<int32_t>(&k - kCharaKinds) + 1;
        e.nParam[0] = 10;
        for (int i = 0; i < 4; ++i) e.nParam[i + 1] = k.p[i];
        db.vCharaEffect.push_back(e);
    }
}

void AddEffectCases(std::vector<CONFCASE>& v) {
    for (int i = 0; i < 13; ++i) {
        const std::string name = "screen-effect-" + std::to_string(i + 1);
        const std::string rule = std::to_string(i + 1) + " " + kScreenKinds[i].name;
        CONFCASE c = Case(name.c_str(), kScreen, rule.c_str(),
                          "The play screen halfway through a one-second screen effect of this kind with its default "
                          "values.",
                          Runs(Cmd(CMD_SCR_EFFECT, 0, {ScreenBase() + i, 0, 0})), {}, 31);
        c.bGolden = true;
        v.push_back(c);
    }
    for (int i = 0; i < 16; ++i) {
        const std::string name = "chara-effect-" + std::to_string(i + 1);
        const std::string rule = std::to_string(i + 1) + " " + kCharaKinds[i].name;
        CONFCASE c = Case(name.c_str(), kChara, rule.c_str(),
                          "The villager in the middle halfway through a one-second character effect of this kind with "
                          "its default values.",
                          Runs(Cmd(CMD_CHARA_EFFECT, 0, {CharaBase() + i, 0, 0})), {}, 31);
        c.bGolden = true;
        v.push_back(c);
    }
}

}  // namespace sample
