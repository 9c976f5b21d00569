// The settings and texts of a new project.
#include "database/system_data.h"
#include "database/system_sounds.h"

namespace {

cSafeVector<cCmd> EnabledMenu(std::initializer_list<const char*> texts) {
    cSafeVector<cCmd> menu;
    for (const char* t : texts) menu.emplace_back(1, t);
    return menu;
}

}  // namespace

void cSystemData::BuildDefault() {
    // The title and every number: the defaults of the table's rows.
    DefaultRows(Rows(), this);

    vCarryFlag.assign(25, 0);
    for (int i : {0, 1, 13, 14, 16, 17, 19, 20, 21}) vCarryFlag[i] = 1;
    vClearFlag.assign(25, 0);
    vClearFlag[11] = 1;
    vClearFlag[12] = 1;

    struct ITEM {
        const char* label;
        int digit;
    };
    static const ITEM items[5] = {{"スコア", 4}, {"スコア", 3}, {"HP", 0}, {"SP", 0}, {"人", 2}};
    vStatusItem.assign(5, cStatusItem());
    for (int i = 0; i < 5; ++i) {
        vStatusItem[i].bShow = 1;
        vStatusItem[i].bIcon = 1;
        vStatusItem[i].strLabel = items[i].label;
        vStatusItem[i].nDigit = items[i].digit;
    }

    vGameTypeFlags.assign(4, cGameTypeFlags());
    for (int i = 0; i < 4; ++i) {
        const uint8_t on = i < 3 ? 1 : 0;
        vGameTypeFlags[i].bOn = on;
        vGameTypeFlags[i].vFlag.assign(5, on);
    }

    vTitleMenu = EnabledMenu({"はじめから", "つづきから", "チャレンジ", "フリー", "リプレイ", "オプション", "しゅうりょう"});
    vMapMenu = EnabledMenu({"セーブ", "オートセーブ", "もどる", "タイトルへ"});
    vOptionMenu = EnabledMenu({"BGM", "SE", "ランキング登録", "ランキング登録名", "もどる", ""});
    vRankModeName = {"手動登録（登録名入力）", "手動登録（登録名固定）", "自動登録（登録名入力）", "自動登録（登録名固定）"};

    vStartValue = {5, 5, 5, 99};
    vStartFlag = {1, 1, 1, 1};

    vText = {
        "ワールド", "ステージ", "スコア", "ハイスコア", "トータルスコア",
        "スコア", "残り時間", "クリア時間", "残りHP", "残りSP",
        "ステージに挑む", "やっぱりやめる",
        "セーブする", "やっぱりやめる",
        "オートセーブＯＮ", "オートセーブＯＦＦ",
        "保存先が不明です！一度は「セーブ」して下さい！",
        "タイトルへ戻る", "やっぱりやめる",
        "しゅうりょう", "つづける", "リトライ", "",
        "リトライ", "マップへ戻る",
        "Vキーでジャンルの切り替え", "スペースキーでタイトルへ戻る", "スペースキーで終了", "F3キーでランキングへ登録",
    };

    vSeName.assign(SE_SYSTEM_NUM, std::string());
    vPlaceBgm = {0, 0, 0, 0};
    vPlaceFlag = {1, 1, 1, 1};

    vOption.assign(10, cSysOption());
    vOption[0].SetNumber("Direct3D", 2);
    vOption[1].SetNumber("WindowMode", 0);
    vOption[2].SetNumber("Bpp", 0);
    vOption[3].SetNumber("VSync", 2);
    vOption[4].SetNumber("D3D_FontCache", 0);
    vOption[5].SetNumber("DD_FontCache", 1);
    vOption[6].SetNumber("DD_VideoStretch", 0);
    vOption[7].SetNumber("ShowFps", 1);
    vOption[8].SetText("FreeStage", "");
    vOption[9].SetNumber("English", 0);
}

void AlignGeneratedProjectTexts(cSystemData& s) {
    s.vOptionMenu = EnabledMenu({"パレット", "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる"});
    if (s.vText.size() > 22) s.vText[22] = "マップへ戻る";
}
