// The name dialog and the file chooser, driven through the dialog
// framework's frame hook on SDL's dummy video driver.
#include "platform/input/input.h"
#include "platform/system/file_name.h"
#include "platform/system/mesbox.h"
#include "platform/window/platform_state.h"
#include "player/file_sel_dlg.h"
#include "player/name_dlg.h"
#include "player/replay_service.h"
#include "platform/graphics/dd_present.h"
#include "player_fixture.h"
#include "support/golden_bmp.h"
#include "stage/sample_stage.h"
#include "stage/stage_file.h"

namespace {

std::vector<std::string> g_Boxes;  // texts of the message boxes shown

int RecordBox(const std::string& text, const std::string&, unsigned style) {
    g_Boxes.push_back(text);
    return DefaultMesBoxAnswer(style);
}

class PlayerDialogTest : public cPlayerTest {
protected:
    void SetUp() override {
        cPlayerTest::SetUp();
        env.Unset("QV_AUTO_ANSWER");
        env.Set("SDL_VIDEODRIVER", "dummy");
        ResetPlatformState();
        spy = std::make_unique<cRecordServicesSpy>();  // again: the reset put the platform's back
        g_Boxes.clear();
        SetMesBoxPresenter(RecordBox);
    }
    void TearDown() override {
        env.Restore();
        cPlayerTest::TearDown();
    }
    // On the third frame of each dialog with resource id `id`, runs the next step.
    void Script(int id, std::vector<std::function<void(cDialog&)>> steps) {
        m_Steps = std::move(steps);
        SetDialogFrameHook([this, id](cDialog& dlg, int frame) {
            if (dlg.ResourceId() == id && frame == 2 && m_nNext < m_Steps.size()) m_Steps[m_nNext++](dlg);
            if (frame > 500) dlg.Close(-1);  // a script that does not end the dialog
        });
    }
    static void TypeName(cDialog& dlg, int id, const std::string& text) {
        cCtrl* c = dlg.FindCtrl(id);
        ASSERT_NE(c, nullptr);
        c->SetText(text);
    }
    cEnvGuard env;
    std::vector<std::function<void(cDialog&)>> m_Steps;
    size_t m_nNext = 0;
};

TEST_F(PlayerDialogTest, TheNameDialogKeepsSixBytesOnOKAndTheOldNameOnEscape) {
    std::string name = "abc";
    std::string shown, label;
    Script(102, {[&](cDialog& dlg) {
        shown = dlg.FindCtrl(cNameDlg::IDC_NAME)->GetText();
        label = dlg.FindCtrl(cNameDlg::IDC_LABEL)->GetText();
        TypeName(dlg, cNameDlg::IDC_NAME, "あいうえ");
        dlg.OnCommand(cNameDlg::IDC_OK, BN_CLICKED);
    }});
    EXPECT_EQ(RunNameDialog(&name, 1), 1);
    EXPECT_EQ(shown, "abc");
    EXPECT_EQ(label, "     Name");
    EXPECT_EQ(name, "あいう");  // read back through 7 bytes with the NUL

    m_nNext = 0;
    Script(102, {[&](cDialog& dlg) {
        label = dlg.FindCtrl(cNameDlg::IDC_LABEL)->GetText();
        TypeName(dlg, cNameDlg::IDC_NAME, "xyz");
        dlg.HookKey(27, true);  // Escape
    }});
    EXPECT_EQ(RunNameDialog(&name), 0);
    EXPECT_EQ(name, "あいう");
    EXPECT_EQ(label, "登録名(3文字まで)");
}

TEST_F(PlayerDialogTest, ADamagedReplayIsListedButRefusedWhenChosen) {
    cStageData stage, copy;
    BuildSampleStage(stage);
    CopyStageHeader(copy, stage);
    cKeyLog log;
    cInput in;
    log.RecordFrame(in);
    ASSERT_EQ(log.SaveReplay("user_data\\rpl4\\good.rpl4_825", stage, copy, SaveData), 1);
    std::vector<uint8_t> bad = FileBytes("user_data\\rpl4\\good.rpl4_825");
    bad.resize(bad.size() / 2);
    ASSERT_TRUE(PutFileBytes("user_data\\rpl4\\bad.rpl4_825", bad));

    std::string title;
    Script(1, {
                  [&](cDialog& dlg) {
                      title = dlg.Title();
                      TypeName(dlg, 1152, "bad.rpl4_825");
                      dlg.OnCommand(1, BN_CLICKED);
                  },
                  [&](cDialog& dlg) {
                      TypeName(dlg, 1152, "good.rpl4_825");
                      dlg.OnCommand(1, BN_CLICKED);
                  },
              });
    std::string path;
    EXPECT_EQ(RunFileSelDialog(path, FILESEL_LOAD_REPLAY), 1);
    EXPECT_EQ(title, "リプレイファイルの読み込み");
    std::string good = "user_data\\rpl4\\good.rpl4_825";
    MakeFullPathStr(good);
    EXPECT_EQ(path, good);
    ASSERT_EQ(g_Boxes.size(), 1u);
    EXPECT_NE(g_Boxes[0].find("bad.rpl4_825 の読み込みに失敗しました！"), std::string::npos) << g_Boxes[0];

    // A damaged stage in free play, then Cancel: 0.
    ASSERT_TRUE(PutFileBytes("data\\stg4\\x.stg4_825", {0x39, 0x03, 0, 0, 7}));
    m_nNext = 0;
    Script(1, {
                  [&](cDialog& dlg) {
                      TypeName(dlg, 1152, "x.stg4_825");
                      dlg.OnCommand(1, BN_CLICKED);
                  },
                  [&](cDialog& dlg) { dlg.OnCancel(); },
              });
    EXPECT_EQ(RunFileSelDialog(path, FILESEL_LOAD_STAGE, 1), 0);
    EXPECT_EQ(g_Boxes.size(), 2u);
}

TEST_F(PlayerDialogTest, TheSaveChooserProposesTheDatedName) {
    SetLocalTimeSource(FixedLocalTime);
    std::string proposed;
    MakeReplayFileName(proposed, "data\\stg4\\stage01.");
    std::string shown, title;
    Script(2, {[&](cDialog& dlg) {
        shown = dlg.FindCtrl(1152)->GetText();
        title = dlg.Title();
        dlg.OnCancel();
    }});
    std::string path = proposed;
    EXPECT_EQ(RunFileSelDialog(path, FILESEL_SAVE_REPLAY, 1), 0);
    std::string name = proposed;
    GetFileNameFromPathStr(name);
    EXPECT_EQ(shown, name);  // the file name only: the chooser stands in its folder
    EXPECT_EQ(title, "save replay file");
    EXPECT_EQ(path, proposed);  // a cancelled save keeps the proposal

    // The hotkey's service writes the chosen log with its snapshot.
    BuildSampleStage(PlayStage);
    CopyStageHeader(ReplayStage, PlayStage);
    KeyLog.dwRandSeed = 42;
    cInput in;
    KeyLog.RecordFrame(in);
    SaveData.strStage = "data\\stg4\\stage01.";
    SnapSaveData.nScore = 31;
    m_nNext = 0;
    Script(2, {[&](cDialog& dlg) { dlg.OnCommand(1, BN_CLICKED); }});
    EXPECT_EQ(ServeSaveReplay(0), 1);
    cStageData stage, copy;
    cKeyLog back;
    cSaveData save;
    ASSERT_EQ(back.LoadReplay(proposed, stage, copy, save), 1);
    EXPECT_EQ(back.dwRandSeed, 42u);
    EXPECT_EQ(save.nScore, 31);
}

}  // namespace

namespace {

// Region (x, y, w, h) of the dialogs' window as the frame hook sees it.
GOLDENFRAME DialogPicture(int x, int y, int w, int h) {
    DDFRAME f;
    GOLDENFRAME out;
    if (!ReadDialogWindow(&f) || f.width < x + w || f.height < y + h) return out;
    out.width = w;
    out.height = h;
    for (int r = y; r < y + h; ++r)
        for (int c = x; c < x + w; ++c) out.pixels.push_back(f.pixels[static_cast<size_t>(r * f.width + c)]);
    return out;
}

}  // namespace

TEST_F(PlayerDialogTest, TheNameDialogAndTheFileListsShowTheirTextsWhole) {
    // The name dialog in both languages with a name of three full-width
    // characters: the label on one line, the whole name, the OK button whole.
    for (const int english : {0, 1}) {
        std::string name = "あいう";
        GOLDENFRAME shot;
        m_nNext = 0;
        Script(102, {[&](cDialog& dlg) {
            shot = DialogPicture(236, 216, 240, 100);
            dlg.OnCancel();
        }});
        EXPECT_EQ(RunNameDialog(&name, english), 0);
        EXPECT_EQ(CompareGolden(english ? "name_dialog_en" : "name_dialog", shot), "");
    }
    // The stage chooser: the folder's entries from the first, "[..]", whole
    // below the folder line (the folder itself, a temporary one, left out).
    ASSERT_TRUE(PutFileBytes("data\\stg4\\a.stg4_825", {0x39, 0x03, 0, 0}));
    GOLDENFRAME list;
    m_nNext = 0;
    Script(1, {[&](cDialog& dlg) {
        list = DialogPicture(88, 112, 464, 72);
        dlg.OnCancel();
    }});
    std::string path;
    EXPECT_EQ(RunFileSelDialog(path, FILESEL_LOAD_STAGE), 0);
    EXPECT_EQ(CompareGolden("file_chooser_list", list), "");
}
