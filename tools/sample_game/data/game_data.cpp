#include "sample_game/data/game_data.h"

#include "sample_game/art/sheets.h"
#include "database/common_palette.h"
#include "database/database.h"
#include "database/system_data.h"
#include "database/world_map.h"

namespace sample {

namespace {

// The seventeen system sounds, by their slot: menu cursor, choice, cancel,
// refusal, pause, save, ranking page, a hit that leaves HP, the hero's death,
// an enemy's death, a stage's start, a message, a waiting command, the
// timer's tick, a stage clear, an extra life, the game over.
constexpr eSound kSystemSounds[17] = {
    eSound::Cursor, eSound::Decide,    eSound::Cancel, eSound::Buzzer, eSound::Pause, eSound::Door,
    eSound::Step,   eSound::Hit,       eSound::Damage, eSound::Explosion, eSound::Warp, eSound::Key,
    eSound::Land,   eSound::Cursor,    eSound::Clear,  eSound::OneUp, eSound::GameOver,
};

const char* SoundName(eSound s) {
    switch (s) {
        case eSound::Cursor: return "cursor";
        case eSound::Decide: return "decide";
        case eSound::Cancel: return "cancel";
        case eSound::Buzzer: return "buzzer";
        case eSound::Pause: return "pause";
        case eSound::Jump: return "jump";
        case eSound::Land: return "land";
        case eSound::Step: return "step";
        case eSound::Shot: return "shot";
        case eSound::Sword: return "sword";
        case eSound::Hit: return "hit";
        case eSound::Damage: return "damage";
        case eSound::Explosion: return "explosion";
        case eSound::Coin: return "coin";
        case eSound::PowerUp: return "powerup";
        case eSound::Key: return "key";
        case eSound::OneUp: return "oneup";
        case eSound::Door: return "door";
        case eSound::Warp: return "warp";
        case eSound::Clear: return "clear";
        case eSound::GameOver: return "gameover";
        case eSound::BossRoar: return "roar";
        case eSound::Count: break;
    }
    return "none";
}

std::string WaveFile(eSound s) { return std::string("wave/") + SoundName(s) + ".wav"; }

// Sound.dat after its none entry: name and sound.
struct DBSOUND {
    const char* szName;
    eSound nSound;
};
constexpr DBSOUND kDbSounds[] = {
    {"ジャンプ", eSound::Jump},     {"ショット", eSound::Shot}, {"ソード", eSound::Sword},   {"ヒット", eSound::Hit},
    {"コイン", eSound::Coin},       {"回復", eSound::PowerUp},  {"カギ", eSound::Key},       {"爆発", eSound::Explosion},
    {"扉", eSound::Door},           {"ワープ", eSound::Warp},   {"ボスの咆哮", eSound::BossRoar}, {"着地", eSound::Land},
    {"足音", eSound::Step},
};

// Bgm.dat after its none entry.
struct DBTUNE {
    const char* szName;
    const char* szFile;
    eTune nTune;
    bool bOgg;
};
constexpr DBTUNE kDbTunes[] = {
    {"タイトル", "bgm/title.mid", eTune::Title, false},
    {"ワールドマップ", "bgm/worldmap.mid", eTune::WorldMap, false},
    {"草原", "bgm/field.ogg", eTune::Field, true},
    {"洞窟", "bgm/cave.mid", eTune::Cave, false},
    {"城", "bgm/castle.mid", eTune::Castle, false},
    {"ボス", "bgm/boss.mid", eTune::Boss, false},
    {"クリア", "bgm/clear.mid", eTune::Clear, false},
    {"ゲームオーバー", "bgm/gameover.mid", eTune::GameOver, false},
    {"草原（MIDI）", "bgm/field.mid", eTune::Field, false},
};

cAnimeSetMove Anime(const char* name, std::initializer_list<std::pair<int, int>> frames, bool loop = true) {
    cAnimeSetMove m;
    m.strName = name;
    m.vFrame.clear();
    for (const auto& [cell, time] : frames) {
        cAnimeSetFrame f;
        f.nValue1 = cell;
        f.nValue2 = time;
        m.vFrame.push_back(f);
    }
    m.byFlag = loop ? 1 : 0;
    return m;
}

cAnimeSetData AnimeSet(const char* name, cAnimeSetMove stand, cAnimeSetMove walk, cAnimeSetMove fly,
                       cAnimeSetMove flyMove) {
    cAnimeSetData s;
    InitAnimeSetEntry(s);
    s.strName = name;
    // The sample's sheets hold no rows for the flying and 無敵 states.
    s.nOffsetA = s.nOffsetB = s.nOffsetC = 0;
    const char* names[4] = {"立ち", "立ち移動", "飛行", "飛行移動"};
    cAnimeSetMove moves[4] = {stand, walk, fly, flyMove};
    for (int i = 0; i < 4; ++i) {
        moves[i].strName = names[i];
        s.vMove[i] = moves[i];
    }
    return s;
}

}  // namespace

std::string ProgramPath(const std::string& relative) {
    std::string s = relative;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

std::vector<SOUNDFILE> SoundFiles() {
    std::vector<SOUNDFILE> out;
    auto addWave = [&](eSound s) {
        const std::string path = WaveFile(s);
        for (const SOUNDFILE& f : out)
            if (f.strPath == path) return;
        out.push_back({path, SOUNDFILE::WAVE, static_cast<int>(s)});
    };
    for (eSound s : kSystemSounds) addWave(s);
    for (const DBSOUND& d : kDbSounds) addWave(d.nSound);
    for (const DBTUNE& t : kDbTunes)
        out.push_back({t.szFile, t.bOgg ? SOUNDFILE::OGG : SOUNDFILE::MIDI, static_cast<int>(t.nTune)});
    return out;
}

void BuildDatabase(cDatabase& db) {
    db.BuildDefault();
    db.vAnimeSet[0].nOffsetA = db.vAnimeSet[0].nOffsetB = db.vAnimeSet[0].nOffsetC = 0;

    // Animation sets: rows of the character columns.
    db.vAnimeSet.push_back(AnimeSet("主人公", Anime("", {{0, 6}, {1, 4}}), Anime("", {{2, 1}, {3, 1}, {4, 1}, {5, 1}}),
                                    Anime("", {{6, 2}, {7, 2}}), Anime("", {{6, 1}, {7, 1}})));
    db.vAnimeSet.push_back(AnimeSet("歩く敵", Anime("", {{0, 5}, {1, 5}}), Anime("", {{2, 2}, {3, 2}, {4, 2}, {5, 2}}),
                                    Anime("", {{6, 3}}), Anime("", {{6, 2}, {7, 2}})));
    db.vAnimeSet.push_back(AnimeSet("飛ぶ敵", Anime("", {{2, 1}, {3, 1}, {4, 1}, {5, 1}}),
                                    Anime("", {{2, 1}, {3, 1}, {4, 1}, {5, 1}}), Anime("", {{2, 1}, {3, 1}, {4, 1}, {5, 1}}),
                                    Anime("", {{2, 1}, {3, 1}, {4, 1}, {5, 1}})));

    // Animations the flows run.
    db.vAnime.push_back(Anime("攻撃", {{8, 1}, {9, 2}}, false));
    db.vAnime.push_back(Anime("ジャンプ", {{6, 3}}, false));
    db.vAnime.push_back(Anime("落下", {{7, 3}}, false));
    db.vAnime.push_back(Anime("ダメージ", {{10, 3}}, false));
    db.vAnime.push_back(Anime("ダウン", {{11, 10}}, false));
    db.vAnime.push_back(Anime("しゃがみ", {{12, 3}}, false));
    db.vAnime.push_back(Anime("勝利", {{13, 5}, {0, 2}, {13, 5}}, false));
    db.vAnime.push_back(Anime("ショット", {{14, 2}}, false));

    // The boss' own bitmap: 64-dot cells.
    cCharaBmpData boss;
    boss.InitFresh();
    boss.strName = "ゴーレムキング";
    boss.strFile = ProgramPath(kBossFile);
    boss.bCustomCellSize = 1;
    boss.nCellBlocks = 2;
    db.vCharaBmp.push_back(boss);

    // Swords: four frames each, 32 x 32, in front of the character.
    for (int k = 0; k < 2; ++k) {
        cSwordTypeData sw;
        sw.InitFresh();
        sw.strName = k == 0 ? "ソード" : "スピア";
        sw.strFile = ProgramPath(kSwordFiles[k]);
        sw.vFrame.clear();
        for (int f = 0; f < 4; ++f) {
            cSwordFrameData fr;
            fr.nValue[SWORDFRAME_X] = 24;
            fr.nValue[SWORDFRAME_Y] = 0;
            fr.nValue[SWORDFRAME_MIRROR_X] = 1;
            fr.nValue[SWORDFRAME_PLACE] = 0;
            fr.nValue[SWORDFRAME_WIDTH] = 32;
            fr.nValue[SWORDFRAME_HEIGHT] = 32;
            fr.nValue[SWORDFRAME_TIME] = 1;
            fr.nValue[SWORDFRAME_SHEET_X] = f * 32;
            fr.nValue[SWORDFRAME_SHEET_Y] = 0;
            sw.vFrame.push_back(fr);
        }
        db.vSwordType.push_back(sw);
    }

    // Effect graphics.
    const char* effectNames[4] = {"爆発", "ヒット", "煙", "きらめき"};
    const int effectCells[4] = {8, 4, 6, 6};
    for (int k = 0; k < 4; ++k) {
        cEffectBmpData e;
        e.InitFresh();
        e.strName = effectNames[k];
        e.strFile = ProgramPath(kEffectFiles[k]);
        e.bScalable = k == 0 ? 1 : 0;
        e.vFrame.clear();
        for (int f = 0; f < effectCells[k]; ++f) e.vFrame.emplace_back(f, 1);
        db.vEffect.push_back(e);
    }

    // Character effects: blink, burst, spin, fade (kind, run time in tenths, parameters).
    struct CEFF {
        const char* name;
        int kind;
        int p[5];
    };
    const CEFF ceffs[4] = {{"点滅", 6, {10, 0, 2, 0, 0}},
                           {"破裂", 1, {8, 0, 24, 0, 0}},
                           {"回転", 8, {10, 0, 720, 0, 0}},
                           {"半透明", 14, {10, 0, 3, 0, 0}}};
    db.vCharaEffect.resize(1);
    for (const CEFF& c : ceffs) {
        cCharaEffect e;
        e.strName = c.name;
        e.nKind = c.kind;
        for (int i = 0; i < EFFECT_PARAM_NUM; ++i) e.nParam[i] = c.p[i];
        db.vCharaEffect.push_back(e);
    }
    db.vScrEffect.resize(1);
    cScrEffect flash;
    flash.strName = "画面の揺れ";
    flash.nKind = 1;
    flash.nParam[0] = 5;
    db.vScrEffect.push_back(flash);

    // Pictures.
    db.vPicture.resize(1);
    const char* pictureNames[2] = {"ステージ開始", "長老"};
    for (int k = 0; k < 2; ++k) {
        cPictureData p;
        p.InitFresh();
        p.strName = pictureNames[k];
        p.strFile = ProgramPath(kPictureFiles[k]);
        db.vPicture.push_back(p);
    }

    // Sounds and music.
    db.vSound.resize(1);
    for (const DBSOUND& d : kDbSounds) {
        cSoundData s;
        s.InitFresh();
        s.strName = d.szName;
        s.strFile = ProgramPath(WaveFile(d.nSound));
        db.vSound.push_back(s);
    }
    db.vBgm.resize(1);
    for (const DBTUNE& t : kDbTunes) {
        cBgmData b;
        b.InitFresh();
        b.strName = t.szName;
        b.strFile = ProgramPath(t.szFile);
        b.nVolume = 90;
        db.vBgm.push_back(b);
    }
}

void BuildSystemData(cSystemData& s) {
    s.BuildDefault();
    AlignGeneratedProjectTexts(s);
    s.strTitle = "ほしのかけら クエスト";
    for (int i = 0; i < 17; ++i) s.vSeName[i] = ProgramPath(WaveFile(kSystemSounds[i]));
    // Title, world map, challenge list, options.
    s.vPlaceBgm = {BGM_TITLE, BGM_WORLD_MAP, BGM_FIELD_MIDI, BGM_TITLE};
    s.nMaxStage = 2;
    s.bUseMaxStage = 1;
    s.bShowStock = 1;
    s.bShowStageValue = 1;
    s.bShowChallengeValues = 1;
    s.bPauseRetryStory = 1;
    s.bPauseBackToMap = 1;
    s.bPauseRetryChallenge = 1;
    s.vStartValue = {3, 3, 3, 99};
    s.vStartFlag = {0, 0, 0, 1};
    s.vStatusItem[1].bShow = 0;  // the stage score is shown in the results only
    s.vStatusItem[2].nLimit = 25;
    s.vStatusItem[2].bLimitPercent = 1;
    s.vOption[1].SetNumber("WindowMode", 1);
    // On 8-bit screens the blinking colours (entries 208..239) turn.
    s.bCyclePalette = 1;
}

void BuildWorldMap(cWorldMap& map) {
    map.BuildDefault();
    map.strName = "ほしのしま";
    map.SetSize(20, 15);
    SetStandardChips(map.vChip);
    const char* chipNames[10] = {"海", "山", "森", "岩", "溶岩", "草原", "砂浜", "道", "橋", "雪"};
    for (int i = 0; i < 10; ++i) map.vChip[i].strName = chipNames[i];
    // An island: sea around, sand at the shore, grass inside, mountains in the north,
    // a lava field at the castle, and a road joining the stages.
    const char* rows[15] = {
        "00000000000000000000",
        "00066666666666660000",
        "00651111122222256000",
        "06555551112222556600",
        "06557777777777755600",
        "06557555552555755600",
        "06557552225555755600",
        "06557555555533755600",
        "06587777755553755600",
        "00655555755544787600",
        "00655999755544457600",
        "00065999777777777600",
        "00006555555555566000",
        "00000666666666600000",
        "00000000000000000000",
    };
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) map.vCell[map.GetCellIndex(x, y)] = rows[y][x] - '0';
    map.nStartX = 4;
    map.nStartY = 8;
    map.nBackColor = PAL_BACK;
    map.bBackPicture = 1;
    map.strBackPicture = ProgramPath("bmp/WorldBack.bmp");

    // Four stages along the road; each opens when the one before is cleared.
    struct EVENT {
        int x, y;
        const char* name;
        int graphicRow;
        const char* title;
        const char* file;
        int required;
    };
    const EVENT events[4] = {
        {5, 8, "はじまりの草原", 0, "1-1 はじまりの草原", "data\\stg4\\stage1-1.stg4", 0},
        {8, 11, "ひかりの洞窟", 1, "1-2 ひかりの洞窟", "data\\stg4\\stage2-1.stg4", 1},
        {16, 4, "そらの塔", 2, "1-3 そらの塔", "data\\stg4\\stage3-1.stg4", 2},
        {17, 9, "ゴーレム城", 3, "1-4 ゴーレム城", "data\\stg4\\stage4-1.stg4", 3},
    };
    map.vEvent.clear();
    for (int k = 0; k < 4; ++k) {
        cWorldEvent e;
        e.nX = events[k].x;
        e.nY = events[k].y;
        e.strName = events[k].name;
        cWorldPage& p = e.vPage[0];
        p.nKind = 0;
        p.nGraphicRow = events[k].graphicRow;
        p.nClearFlag = k + 1;
        p.nRequiredFlag = events[k].required;
        p.bRepeat = 1;
        p.nAfterClear = k == 3 ? 2 : 0;
        p.strTitle = events[k].title;
        p.strStageFile = events[k].file;
        map.vEvent.push_back(e);
    }
}

void BuildCommonPalette(cCommonPalette& palette) {
    palette.Reset();
    // Common blocks: ground, bricks, a one-way plank and spikes for every stage.
    auto block = [&](const char* name, int graphic, int hit, int pass) {
        cBlockData b;
        b.strName = name;
        b.wGraphic = static_cast<uint16_t>(graphic);
        b.byHitKind = static_cast<uint8_t>(hit);
        b.byPassGroup = static_cast<uint8_t>(pass);
        palette.vBlock.push_back(b);
    };
    block("草地", BG_GRASS, 1, 255);
    block("土", BG_DIRT, 1, 255);
    block("石", BG_STONE, 1, 255);
    block("レンガ", BG_BRICK, 1, 255);
    block("足場", BG_PLANK, 1, 255);
    block("トゲ", BG_SPIKES, 2, 255);
    // Common items: the coin and the heart.
    cItemData coin;
    coin.strName = "コイン";
    coin.wGraphic = IG_COIN;
    coin.wSound = SND_COIN;
    palette.vItem.push_back(coin);
    cItemData heart;
    heart.strName = "ハート";
    heart.wGraphic = IG_HEART;
    heart.wSound = SND_POWER_UP;
    palette.vItem.push_back(heart);
    // A common enemy: the slime that walks and turns at walls.
    cCharaData slime;
    slime.strName = "スライム";
    slime.wGraphic = CG_SLIME;
    slime.wAnimeSet = ASET_WALKER;
    slime.nMaxHP = 10;
    slime.nBodyPower = 10;
    slime.nScore = 100;
    palette.vChara.push_back(slime);
    palette.CheckAndPad();
}

std::string SystemIniText() {
    return "Direct3D=1\r\nWindowMode=1\r\nBpp=32\r\nVSync=2\r\nD3D_FontCache=1\r\nDD_FontCache=1\r\n"
           "DD_VideoStretch=0\r\nShowFps=0\r\nFreeStage=\r\nEnglish=0\r\nExit\r\n";
}

}  // namespace sample
