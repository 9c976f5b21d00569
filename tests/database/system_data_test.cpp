// System.dat at the current version: the defaults of a new project, round
// trips, the music-index check and refused files.
#include <gtest/gtest.h>

#include "database/system_data.h"
#include "database/system_old_stream.h"
#include "db_test_support.h"
#include "records/data_file.h"
#include "records/version.h"
#include "support/record_services_spy.h"
#include "support/temp_dir.h"
#include "support/written_bytes.h"

namespace {

class SystemDataTest : public dbtest::cDbTest {
protected:
    cTempDir tmp;
    cRecordServicesSpy spy;
};

std::vector<std::string> Texts(const cSafeVector<cCmd>& menu) {
    std::vector<std::string> v;
    for (const cCmd& c : menu) v.push_back(c.nEnable ? c.strText : "(off)" + c.strText);
    return v;
}

TEST_F(SystemDataTest, NewProjectHoldsTheDefaultSettings) {
    cSystemData s;
    EXPECT_EQ(s.nTallyDivisor, 100);
    EXPECT_EQ(s.bPauseEffect, 1);
    EXPECT_EQ(s.nFontNo, 60);
    EXPECT_EQ(s.bReplayRecord, 1);
    EXPECT_EQ(s.bPictureTitleMenu, 1);
    EXPECT_EQ(s.bChooseStorySlot, 1);
    EXPECT_EQ(s.nBlinkStep, 16);
    EXPECT_EQ(s.nCompat188a + s.nCompat188b + s.nCompat188c, 3);
    EXPECT_EQ(s.bPauseRetryStory + s.bPauseRetryChallenge + s.bPauseBackToMap, 3);
    EXPECT_EQ(s.bShowStageValue + s.bShowMenuTotal + s.bShowChallengeValues + s.bShowChallengeTotal, 4);
    EXPECT_EQ(s.bCarryStock + s.bStageSwitch + s.bShowStock + s.bUseMaxStage, 4);
    EXPECT_EQ(s.nMaxStage, 40);
    EXPECT_EQ(s.nDDBpp, 2);
    EXPECT_EQ(s.nD3DBpp, 0);
    EXPECT_EQ(s.bTallyDivide, 0);
    EXPECT_EQ(s.nCompat113, 0);
    EXPECT_EQ(s.nCompat822, 0);
    EXPECT_EQ(s.nColorMode, 0);
    EXPECT_TRUE(s.strTitle.empty());

    std::vector<uint8_t> carry(25, 0);
    for (int i : {0, 1, 13, 14, 16, 17, 19, 20, 21}) carry[i] = 1;
    EXPECT_EQ(std::vector<uint8_t>(s.vCarryFlag), carry);
    std::vector<uint8_t> clear(25, 0);
    clear[11] = clear[12] = 1;
    EXPECT_EQ(std::vector<uint8_t>(s.vClearFlag), clear);
    EXPECT_EQ(std::vector<int32_t>(s.vStartValue), (std::vector<int32_t>{5, 5, 5, 99}));
    EXPECT_EQ(std::vector<int32_t>(s.vStartFlag), (std::vector<int32_t>{1, 1, 1, 1}));
    EXPECT_EQ(std::vector<int32_t>(s.vPlaceBgm), (std::vector<int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(s.vPlaceFlag), (std::vector<uint8_t>{1, 1, 1, 1}));
    ASSERT_EQ(s.vSeName.size(), 17u);
    for (const auto& n : s.vSeName) EXPECT_TRUE(n.empty());
}

TEST_F(SystemDataTest, NewProjectHoldsTheDefaultMenusTextsAndOptions) {
    cSystemData s;
    EXPECT_EQ(Texts(s.vTitleMenu), (std::vector<std::string>{"はじめから", "つづきから", "チャレンジ", "フリー",
                                                             "リプレイ", "オプション", "しゅうりょう"}));
    EXPECT_EQ(Texts(s.vMapMenu), (std::vector<std::string>{"セーブ", "オートセーブ", "もどる", "タイトルへ"}));
    EXPECT_EQ(Texts(s.vOptionMenu),
              (std::vector<std::string>{"BGM", "SE", "ランキング登録", "ランキング登録名", "もどる", ""}));
    ASSERT_EQ(s.vRankModeName.size(), 4u);
    EXPECT_EQ(s.vRankModeName[3], "自動登録（登録名固定）");

    ASSERT_EQ(s.vText.size(), 29u);
    EXPECT_EQ(s.vText[0], "ワールド");
    EXPECT_EQ(s.vText[9], "残りSP");
    EXPECT_EQ(s.vText[14], "オートセーブＯＮ");
    EXPECT_EQ(s.vText[16], "保存先が不明です！一度は「セーブ」して下さい！");
    EXPECT_EQ(s.vText[22], "");
    EXPECT_EQ(s.vText[24], "マップへ戻る");
    EXPECT_EQ(s.vText[28], "F3キーでランキングへ登録");

    ASSERT_EQ(s.vStatusItem.size(), 5u);
    const char* labels[5] = {"スコア", "スコア", "HP", "SP", "人"};
    const int digits[5] = {4, 3, 0, 0, 2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.vStatusItem[i].bShow, 1);
        EXPECT_EQ(s.vStatusItem[i].bIcon, 1);
        EXPECT_EQ(s.vStatusItem[i].strLabel, labels[i]);
        EXPECT_EQ(s.vStatusItem[i].nDigit, digits[i]);
        EXPECT_EQ(s.vStatusItem[i].nLimit + s.vStatusItem[i].bLimitPercent + s.vStatusItem[i].nCompat204, 0);
    }

    const char* names[10] = {"Direct3D",      "WindowMode",      "Bpp",     "VSync",     "D3D_FontCache",
                             "DD_FontCache",  "DD_VideoStretch", "ShowFps", "FreeStage", "English"};
    const int values[10] = {2, 0, 0, 2, 0, 1, 0, 1, 0, 0};
    ASSERT_EQ(s.vOption.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(s.vOption[i].strName, names[i]);
        EXPECT_EQ(s.vOption[i].nValue, values[i]);
        EXPECT_EQ(s.vOption[i].nKind, i == 8 ? 1 : 0);
        EXPECT_TRUE(s.vOption[i].strValue.empty());
    }
}

TEST_F(SystemDataTest, GeneratedProjectsAlignTheOptionRowsAndFillThePauseItem) {
    cSystemData s;
    AlignGeneratedProjectTexts(s);
    EXPECT_EQ(Texts(s.vOptionMenu),
              (std::vector<std::string>{"パレット", "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる"}));
    EXPECT_EQ(s.vText[22], "マップへ戻る");
    EXPECT_EQ(s.vText.size(), 29u);
}

TEST_F(SystemDataTest, NewElementRecordsHoldZeros) {
    cStatusItem item;
    cSysOption opt;
    cGameTypeFlags g;
    EXPECT_EQ(item.bShow + item.bIcon + item.nDigit + item.nLimit + item.bLimitPercent + item.nCompat204, 0);
    EXPECT_EQ(opt.nKind + opt.nValue, 0);
    EXPECT_EQ(g.bOn, 0);
    EXPECT_TRUE(g.vFlag.empty());
}

TEST_F(SystemDataTest, StoredLayoutHas66NumbersAtTheCurrentVersionAndTheDroppedWordOnlyFrom221To259) {
    cSystemData s;
    s.Layout(825);
    EXPECT_EQ(s.Fields().size(), 66u);
    EXPECT_EQ(s.StrFields().size(), 1u);
    s.Layout(230);
    EXPECT_EQ(s.Fields().size(), 30u);  // rows 1-30 but bChooseStorySlot, and the dropped word
    s.Layout(260);
    EXPECT_EQ(s.Fields().size(), 29u);
    s.Layout(100);  // nTallyDivisor, bPauseEffect, bFontSymbols, bCarryStock, nMaxStage, bUseMaxStage
    EXPECT_EQ(s.Fields().size(), 6u);
}

cSystemData Sample() {
    cSystemData s;
    s.strTitle = "テストゲーム";
    int k = 1000;
    for (const auto& row : cSystemData::Rows())
        if (const auto* pm = std::get_if<int32_t cSystemData::*>(&row.lpMember)) s.**pm = ++k;
    s.byColorKey[0] = 1;
    s.byColorKey[1] = 2;
    s.byColorKey[2] = 3;
    s.vCarryFlag[3] = 7;
    s.vClearFlag.push_back(9);
    s.vStatusItem[1].strLabel = "残機";
    s.vStatusItem[4].nLimit = 12;
    s.vStatusItem[4].bLimitPercent = 1;
    s.vStatusItem[4].nCompat204 = 3;
    s.vStartValue[3] = 42;
    s.vStartFlag[0] = 0;
    s.vGameTypeFlags[1].vFlag = {0, 1, 0};
    s.vGameTypeFlags[2].bOn = 0;
    s.vText.push_back("30番目");
    s.vSeName[16] = "se\\last.wav";
    s.vPlaceBgm = {1, 2, 3, 4};
    s.vPlaceFlag[2] = 0;
    s.vTitleMenu[3].nEnable = 0;
    s.vMapMenu.pop_back();
    s.vOptionMenu[5].strText = "パレット";
    s.vRankModeName[0] = "manual";
    s.vOption[8].strValue = "stage\\first.stg";
    s.vOption.emplace_back();
    s.vOption.back().SetText("Extra", "x");
    return s;
}

void ExpectSameSettings(const cSystemData& a, const cSystemData& b) {
    EXPECT_EQ(a.strTitle, b.strTitle);
    for (const auto& row : cSystemData::Rows()) {
        if (const auto* pm = std::get_if<int32_t cSystemData::*>(&row.lpMember)) {
            EXPECT_EQ(a.**pm, b.**pm);
        }
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(a.byColorKey[i], b.byColorKey[i]);
    EXPECT_EQ(a.vCarryFlag, b.vCarryFlag);
    EXPECT_EQ(a.vClearFlag, b.vClearFlag);
    ASSERT_EQ(a.vStatusItem.size(), b.vStatusItem.size());
    for (size_t i = 0; i < a.vStatusItem.size(); ++i) {
        const cStatusItem &x = a.vStatusItem[i], &y = b.vStatusItem[i];
        EXPECT_EQ(std::tie(x.bShow, x.bIcon, x.strLabel, x.nCompat204, x.nDigit, x.nLimit, x.bLimitPercent),
                  std::tie(y.bShow, y.bIcon, y.strLabel, y.nCompat204, y.nDigit, y.nLimit, y.bLimitPercent));
    }
    EXPECT_EQ(a.vStartValue, b.vStartValue);
    EXPECT_EQ(a.vStartFlag, b.vStartFlag);
    ASSERT_EQ(a.vGameTypeFlags.size(), b.vGameTypeFlags.size());
    for (size_t i = 0; i < a.vGameTypeFlags.size(); ++i) {
        EXPECT_EQ(a.vGameTypeFlags[i].bOn, b.vGameTypeFlags[i].bOn);
        EXPECT_EQ(a.vGameTypeFlags[i].vFlag, b.vGameTypeFlags[i].vFlag);
    }
    EXPECT_EQ(a.vText, b.vText);
    EXPECT_EQ(a.vSeName, b.vSeName);
    EXPECT_EQ(a.vPlaceBgm, b.vPlaceBgm);
    EXPECT_EQ(a.vPlaceFlag, b.vPlaceFlag);
    EXPECT_EQ(Texts(a.vTitleMenu), Texts(b.vTitleMenu));
    EXPECT_EQ(Texts(a.vMapMenu), Texts(b.vMapMenu));
    EXPECT_EQ(Texts(a.vOptionMenu), Texts(b.vOptionMenu));
    EXPECT_EQ(a.vRankModeName, b.vRankModeName);
    ASSERT_EQ(a.vOption.size(), b.vOption.size());
    for (size_t i = 0; i < a.vOption.size(); ++i) {
        const cSysOption &x = a.vOption[i], &y = b.vOption[i];
        EXPECT_EQ(std::tie(x.nKind, x.strName, x.nValue, x.strValue), std::tie(y.nKind, y.strName, y.nValue, y.strValue));
    }
}

TEST_F(SystemDataTest, SavedFileLoadsBackFieldByFieldWithTheListLengthsAsStored) {
    cSystemData s = Sample();
    const std::string path = tmp.File("System.dat");
    ASSERT_EQ(s.SaveFile(path), 1);
    cSystemData back;
    ASSERT_EQ(back.LoadFile(path), 1);
    ExpectSameSettings(s, back);
    EXPECT_EQ(back.vText.size(), 30u);  // a current file is not padded or cut
    EXPECT_EQ(back.vMapMenu.size(), 3u);
}

TEST_F(SystemDataTest, CurrentFileWithShortListsIsTakenAsStored) {
    cSystemData s;
    s.vText.resize(3);
    s.vOption.resize(2);
    s.vStatusItem.clear();
    s.vGameTypeFlags.resize(1);
    const std::string path = tmp.File("System.dat");
    ASSERT_TRUE(oldsys::WriteBytes(path, oldsys::SystemDat(s, 825)));
    cSystemData back;
    ASSERT_EQ(back.LoadFile(path), 1);
    EXPECT_EQ(back.vText.size(), 3u);
    EXPECT_EQ(back.vOption.size(), 2u);
    EXPECT_TRUE(back.vStatusItem.empty());
    EXPECT_EQ(back.vGameTypeFlags.size(), 1u);
}

TEST_F(SystemDataTest, SaveWritesTheFieldsAndAllFifteenLists) {
    cSystemData s;
    cDataWriter w;
    s.Save(w);
    cDataReader r(w.Bytes().data(), w.Size());
    EXPECT_EQ(r.ReadU32(), 66u);  // numeric field count
    r.Skip(63 * 4 + 3);
    EXPECT_EQ(r.ReadU32(), 1u);  // one string: the title, empty
    EXPECT_EQ(r.ReadU32(), 1u);
    EXPECT_EQ(r.ReadU32(), 25u);  // vCarryFlag
    r.Skip(25);
    EXPECT_EQ(r.ReadU32(), 25u);  // vClearFlag
    // The whole stream loads back at the current version and is consumed exactly.
    cSystemData back;
    cDataReader all(w.Bytes().data(), w.Size());
    back.Load(all);
    EXPECT_FALSE(all.Failed());
    EXPECT_EQ(all.Remaining(), 0u);
}

TEST_F(SystemDataTest, ElementRecordStreamsAtTheCurrentVersion) {
    cGameTypeFlags g;
    g.bOn = 1;
    g.vFlag = {1, 0};
    cDataWriter w;
    g.Save(w);
    EXPECT_EQ(WrittenBytes(w), (std::vector<uint8_t>{1, 0, 0, 0, 1, 0, 0, 0,  // one number: bOn
                                               0, 0, 0, 0,              // no strings
                                               2, 0, 0, 0, 1, 0}));     // two flag bytes

    cStatusItem item;
    item.bShow = 1;
    item.bIcon = 2;
    item.nDigit = 3;
    item.nCompat204 = 4;
    item.nLimit = 5;
    item.bLimitPercent = 6;
    item.strLabel = "A";
    cDataWriter wi;
    item.Save(wi);
    EXPECT_EQ(WrittenBytes(wi), (std::vector<uint8_t>{6, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0,  // show, icon, digits
                                                4, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0,              // 204, limit, percent
                                                1, 0, 0, 0, 2, 0, 0, 0, 'A', 0}));               // the label

    cSysOption o;
    o.SetText("K", "v");
    o.nValue = 9;
    cDataWriter wo;
    o.Save(wo);
    EXPECT_EQ(WrittenBytes(wo), (std::vector<uint8_t>{2, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0,  // kind, value
                                                2, 0, 0, 0, 2, 0, 0, 0, 'K', 0, 2, 0, 0, 0, 'v', 0}));
}

int FiveMusic() { return 5; }
int NoMusic() { return 0; }

TEST_F(SystemDataTest, MusicIndicesOutsideTheMusicListBecomeZeroAfterLoadAndBeforeSave) {
    SetMusicCountSource(FiveMusic);
    cSystemData s;
    s.vPlaceBgm = {7, -1, 4, 5};
    const std::string path = tmp.File("System.dat");
    ASSERT_TRUE(oldsys::WriteBytes(path, oldsys::SystemDat(s, 825)));
    cSystemData back;
    ASSERT_EQ(back.LoadFile(path), 1);
    EXPECT_EQ(std::vector<int32_t>(back.vPlaceBgm), (std::vector<int32_t>{0, 0, 4, 0}));

    SetMusicCountSource(NoMusic);
    cDataWriter w;
    back.Save(w);
    EXPECT_EQ(std::vector<int32_t>(back.vPlaceBgm), (std::vector<int32_t>{0, 0, 0, 0}));
}

TEST_F(SystemDataTest, EveryTruncationOfAFileIsRefusedAndLeavesTheSettingsAsTheyWere) {
    cSystemData s = Sample();
    const std::vector<uint8_t> bytes = oldsys::SystemDat(s, 825);
    // Every cut of the stream after the version word fails to load.
    for (size_t len = 4; len < bytes.size(); ++len) {
        cSystemData d;
        nReadVersion = 825;
        cDataReader r(bytes.data() + 4, len - 4);
        d.Load(r);
        EXPECT_TRUE(r.Failed()) << len;
    }
    // A failed file load keeps what was there.
    const std::string path = tmp.File("System.dat");
    SystemData.strTitle = "before";
    for (size_t len : {size_t(2), size_t(40), bytes.size() / 2, bytes.size() - 1}) {
        ASSERT_TRUE(oldsys::WriteBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + len)));
        EXPECT_EQ(SystemData.LoadFile(path), 0) << len;
    }
    EXPECT_EQ(SystemData.strTitle, "before");
    EXPECT_EQ(SystemData.vText.size(), 29u);
}

TEST_F(SystemDataTest, CountsBeyondTheFileAndNewerFilesAreRefused) {
    cSystemData s;
    std::vector<uint8_t> bytes = oldsys::SystemDat(s, 825);
    // The carry-flag count follows the version word, the base stream (4 + 66 fields + 4 + 4 bytes).
    const size_t at = 4 + 4 + 63 * 4 + 3 + 4 + 4;
    ASSERT_EQ(bytes[at], 25);
    bytes[at + 3] = 0x7F;
    const std::string path = tmp.File("System.dat");
    ASSERT_TRUE(oldsys::WriteBytes(path, bytes));
    cSystemData back;
    EXPECT_EQ(back.LoadFile(path), 0);
    EXPECT_EQ(bVersionTooNew, 0);

    ASSERT_TRUE(oldsys::WriteBytes(path, oldsys::SystemDat(s, 826)));
    EXPECT_EQ(back.LoadFile(path), 0);
    EXPECT_EQ(bVersionTooNew, 1);
    EXPECT_NE(GetLoadErrorMes("System.dat").find("上位のバージョン"), std::string::npos);
    EXPECT_EQ(back.LoadFile(tmp.File("missing.dat")), 0);
}

TEST_F(SystemDataTest, ResetRestoresTheGlobalDefaults) {
    SystemData.nMaxStage = 3;
    SystemData.vText.clear();
    ResetSystemData();
    EXPECT_EQ(SystemData.nMaxStage, 40);
    EXPECT_EQ(SystemData.vText.size(), 29u);
}

}  // namespace
