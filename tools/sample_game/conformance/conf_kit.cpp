#include "sample_game/conformance/conf_kit.h"

#include <memory>

#include "sample_game/art/sheets.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {
std::unique_ptr<cStageKit> g_Kit;
}  // namespace

cStageKit& Arena(cStageData& s, const char* title, const std::vector<std::pair<int, std::string>>& rows,
                 bool hero, int width, int height) {
    g_Kit = std::make_unique<cStageKit>(s, width, height, title);
    cStageKit& k = *g_Kit;
    k.AddBlock('G', "草地", BG_GRASS);
    k.AddBlock('S', "石", BG_STONE);
    k.AddBlock('B', "レンガ", BG_BRICK);
    k.AddBlock('P', "足場", BG_PLANK, 1, 0);
    k.AddBlock('X', "トゲ", BG_SPIKES, 2);
    k.AddBlock('Q', "ハテナブロック", BG_PRIZE);
    k.AddBlock('W', "水", BG_WATER, 0);
    k.AddBlock('L', "溶岩", BG_LAVA, 2);
    k.AddBlock('J', "バネ", BG_SPRING, 1, 255, BLOCKEFFECT_JUMP);
    k.LastBlock().nEffectX = 10;
    k.AddBlock('I', "氷", BG_ICE, 1, 255, BLOCKEFFECT_SPEED);
    k.LastBlock().nEffectX = 150;
    k.AddBlock('<', "ベルト左", BG_BELT_L, 1, 255, BLOCKEFFECT_LEFT);
    k.LastBlock().nEffectX = 60;
    k.AddBlock('>', "ベルト右", BG_BELT_R, 1, 255, BLOCKEFFECT_RIGHT);
    k.LastBlock().nEffectX = 60;
    k.AddBlock('O', "雲", BG_CLOUD, 1, 0);
    k.AddBlock('H', "はしご", BG_LADDER, 0);
    k.AddBlock('N', "ジャンプ禁止床", BG_METAL, 1, 255, BLOCKEFFECT_NOJUMP);
    k.Layer(kBackSky, 0.0, 0.0);
    k.Fill(0, height - 2, width, 2, 'G');
    k.Fill(0, 0, 1, height - 2, 'S');
    k.Fill(width - 1, 0, 1, height - 2, 'S');
    for (const auto& [y, row] : rows) k.Paint(0, y, row);
    k.PlaceBlocks();
    if (hero) {
        k.PlaceHero(2, height - 3);
        // The cases were made with a hero of the record's defaults: facing
        // left, and keeping that facing as it walks.
        HeroOf(s).byFacing = 0;
        HeroOf(s).bFixedFacing = 1;
    }
    return k;
}

cStageKit& ArenaKit() { return *g_Kit; }

cCharaData& HeroOf(cStageData& s) {
    for (cCharaData& c : s.vPlacedChara)
        if (c.byController == CONTROLLER_PLAYER) return c;
    return s.vPlacedChara.front();
}

cFlowCmd Code(const std::string& text) {
    cFlowCmd c = Cmd(CMD_CODE, 0);
    c.strText = text;
    return c;
}

cFlowCmd SetVar(int var, int value) {
    return Code("S" + std::to_string(var) + " = " + std::to_string(value));
}

cFlowCmd CountVar(int var) {
    const std::string v = "S" + std::to_string(var);
    return Code(v + " = " + v + " + 1");
}

cFlow MarkFlow(int trigger, int var, int id) { return Flow(trigger, {SetVar(var)}, id); }

cCharaData Dummy(const char* name, int graphic) {
    cCharaData c;
    c.strName = name;
    c.wGraphic = static_cast<uint16_t>(graphic);
    c.wAnimeSet = ASET_WALKER;
    c.byForce = 1;
    c.nMaxHP = 10;
    return c;
}

cCharaData Sensor(int var, int trigger) {
    cCharaData c = Dummy("感知");
    c.byForce = 2;
    c.byFlying = 1;
    c.bySetting52 = 3;
    c.vFlow.push_back(MarkFlow(trigger, var));
    return c;
}

void Put(cStageKit& k, const cCharaData& c, int x, int y, int facing) { k.PlaceChara(k.AddChara(c), x, y, facing); }

cFlowCmd Summon(int code, int index, int count) {
    cFlowCmd c = Cmd(code, 0);
    cEdShot::Create(c.spShot);
    c.spShot->nShotNum = static_cast<uint8_t>(count);
    c.spShot->nFormation = 4;
    c.spShot->nSummonKind = 1;
    c.spShot->nSummonIndex = static_cast<int16_t>(index);
    c.spShot->nRange = 100;
    return c;
}

cItemData CodeItem(const std::string& text) {
    cItemData item = Coin();
    item.vCmd.clear();
    cFlowCmd code = ItemCmd(CMD_CODE);
    code.strText = text;
    item.vCmd.push_back(code);
    return item;
}

CONFCASE Case(const char* name, const char* table, const char* rule, const char* shows,
              std::function<void(cStageData&)> build, std::vector<CONFCHECK> checks, int frames, int end,
              const char* input) {
    CONFCASE c;
    c.strName = name;
    c.strTable = table;
    c.strRule = rule;
    c.strShows = shows;
    c.Build = std::move(build);
    c.vCheck = std::move(checks);
    c.nFrames = frames;
    c.nEnd = end;
    c.strInput = input;
    return c;
}

}  // namespace sample
