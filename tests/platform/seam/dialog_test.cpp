#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "platform/seam/dialog_host.h"
#include "platform/seam/dialog_script.h"
#include "platform/seam/owners.h"
#include "platform/system/cp932.h"
#include "platform/window/dialog.h"
#include "platform/window/dialog_mesbox.h"
#include "platform/system/mesbox.h"
#include "platform/window/platform_state.h"
#include "support/env_guard.h"

namespace {

// A dialog with one control of each kind, as the system's dialogs use them.
class cTestDlg : public cDialog {
public:
    std::string name = "ABC";
    int mode = 1, dontAsk = 0, sel = 0;
    std::vector<int> keys;
    bool handleArrows = false;
    cEditCtrl edit;
    cRadioCtrl radioA{&mode, 1}, radioB{&mode, 0};
    cCheckCtrl check{&dontAsk};
    cListCtrl list{&sel};
    cButtonCtrl ok{true}, cancel{false};
    int focus = 0;  // control id to focus at start

    cTestDlg() : cDialog(103, 320, 300, "テスト") {}

    void OnInitDialog() override {
        cDialog::OnInitDialog();
        EDITCTRLDESC d;
        d.id = 1003;
        d.pStr = &name;
        d.nByteLimit = 4;
        d.nCharLimit = 3;
        d.bDbcs = 1;
        edit.Setup(this, d);
        radioA.Attach(this, 1002);
        radioA.SetText("Direct3D");
        radioB.Attach(this, 1004);
        radioB.SetText("DirectDraw");
        check.Attach(this, 1005);
        check.SetText("次回からこのダイアログを表示しない");
        check.SetTooltip("ヒント");
        list.Attach(this, 1010);
        list.SetItems({"一", "二", "三", "四"});
        list.SetRows(4);
        ok.Attach(this, 1000);
        ok.SetText("ゲーム開始");
        cancel.Attach(this, 1001);
        cancel.SetText("ゲーム中止");
        UpdateControls();
        if (cCtrl* c = FindCtrl(focus)) c->Focus();
        if (focus == 1003) edit.SelectAll();
    }
    void OnCommand(int id, int n) override {
        cDialog::OnCommand(id, n);
        if (id == 1000) {
            ApplyControls();
            Close(1);
        } else if (id == 1001) {
            Close(0);
        } else if (id == 1010 && n == LBN_DBLCLK) {
            ApplyControls();
            Close(10 + sel);
        }
    }
    bool OnKeyDown(int vk) override {
        keys.push_back(vk);
        return handleArrows && vk >= 37 && vk <= 40;
    }
};

class DialogTest : public ::testing::Test {
protected:
    cVideoForTest video;
    void SetUp() override {
        ResetPlatformState();
        if (IsAutoAnswer()) GTEST_SKIP() << "runs without QV_AUTO_ANSWER";
        ASSERT_TRUE(video.ok) << SDL_GetError();
    }
    void TearDown() override { ResetPlatformState(); }
};

TEST_F(DialogTest, EditBoxTakesJapaneseTextCutAtWholeCharacters) {
    cTestDlg dlg;
    dlg.focus = 1003;
    cDialogScript script;
    script.Text(U8(u8"あいうえ")).Key(SDLK_RETURN);
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(dlg.name, "あいう");  // three characters; the typed text replaced the selection
    EXPECT_EQ(dlg.IsOpen(), false);
    EXPECT_EQ(dlg.Ctrls().size(), 0u);
}

TEST_F(DialogTest, ReadBackKeepsWholeDoubleByteCharacters) {
    cTestDlg dlg;
    dlg.focus = 1003;
    cDialogScript script;
    script.Text(U8(u8"aあいう")).Key(SDLK_RETURN);
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(dlg.name, "aあい");  // 7 bytes would split う: cut before it, at 5
}

TEST_F(DialogTest, EscapeCancelsAndKeepsTheName) {
    cTestDlg dlg;
    dlg.focus = 1003;
    cDialogScript script;
    script.Text("xyz").Key(SDLK_ESCAPE);
    EXPECT_EQ(dlg.DoModal(), 0);
    EXPECT_EQ(dlg.name, "ABC");
}

TEST_F(DialogTest, KeysReachTheDialogWhileTheEditBoxHasTheFocus) {
    cTestDlg dlg;
    dlg.focus = 1003;
    dlg.handleArrows = true;
    dlg.name = "";
    cDialogScript script;
    script.Text("ab").Key(SDLK_LEFT).Text("c").Key(SDLK_RETURN);
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(dlg.name, "abc");  // the dialog took Left: the caret did not move
    EXPECT_NE(std::find(dlg.keys.begin(), dlg.keys.end(), 37), dlg.keys.end());
}

TEST_F(DialogTest, EnterDuringCompositionStaysWithTheIme) {
    cTestDlg dlg;
    dlg.focus = 1003;
    dlg.name = "";
    cDialogScript script;
    script.Compose(U8(u8"か")).Key(SDLK_RETURN).Compose("").Text(U8(u8"火")).Key(SDLK_RETURN);
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(dlg.name, "火");
    EXPECT_EQ(std::count(dlg.keys.begin(), dlg.keys.end(), 13), 1);  // only the second Enter
}

TEST_F(DialogTest, CheckBoxAndRadioButtonsBySpace) {
    cTestDlg dlg;
    dlg.focus = 1005;
    cDialogScript script;
    script.Key(SDLK_SPACE).Key(SDLK_RETURN);
    ASSERT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(dlg.dontAsk, 1);
    EXPECT_EQ(dlg.mode, 1);

    cTestDlg dlg2;
    dlg2.focus = 1004;
    cDialogScript script2;
    script2.Key(SDLK_SPACE).Key(SDLK_RETURN);
    ASSERT_EQ(dlg2.DoModal(), 1);
    EXPECT_EQ(dlg2.mode, 0);
    EXPECT_EQ(dlg2.dontAsk, 0);
}

TEST_F(DialogTest, ListMovesWithArrowsAndEnterChooses) {
    cTestDlg dlg;
    dlg.focus = 1010;
    cDialogScript script;
    script.Key(SDLK_DOWN).Key(SDLK_DOWN).Key(SDLK_RETURN);
    EXPECT_EQ(dlg.DoModal(), 12);
    EXPECT_EQ(dlg.sel, 2);
}

TEST_F(DialogTest, FocusedButtonAnswersEnterAndOpenDialogsRefuseToRunAgain) {
    cTestDlg dlg;
    dlg.focus = 1001;
    cDialogScript script;
    script.Key(SDLK_RETURN);
    EXPECT_EQ(dlg.DoModal(), 0);
    EXPECT_LE(script.Left(), 1);  // at most the key-up after the closing press

    cTestDlg outer;
    int inner = -1;
    cDialogScript script2;
    script2.Wait(1);
    SetDialogFrameHook([&](cDialog& d, int frame) {
        if (&d == &outer && frame == 3) {
            inner = outer.DoModal();  // already open
            outer.Close(7);
        }
    });
    EXPECT_EQ(outer.DoModal(), 7);
    EXPECT_EQ(inner, 0);
}

TEST_F(DialogTest, MessageBoxesInTheWindow) {
    {
        cDialogScript script;
        script.Key(SDLK_RETURN);
        EXPECT_EQ(DialogMesBox("上書きしますか?", "確認", MB_YESNO | MB_DEFBUTTON2), IDNO);
    }
    {
        cDialogScript script;
        script.Key(SDLK_LEFT).Key(SDLK_SPACE);  // to the Yes button, then press it
        EXPECT_EQ(DialogMesBox("上書きしますか?", "確認", MB_YESNO | MB_DEFBUTTON2), IDYES);
    }
    {
        cDialogScript script;
        script.Key(SDLK_ESCAPE);
        EXPECT_EQ(DialogMesBox("a\nb\nc", "c", MB_YESNOCANCEL), IDCANCEL);
    }
    {
        cDialogScript script;
        script.Key(SDLK_ESCAPE);
        EXPECT_EQ(DialogMesBox("x", "c", MB_OK), IDOK);
    }
    // The buttons read as a person reads them, and their keys answer: Y over
    // a default No, N over a default Yes.
    for (const auto& [style, key, answer] : {std::tuple{MB_YESNO | MB_DEFBUTTON2, 'Y', IDYES},
                                             std::tuple{MB_YESNOCANCEL + 0u, 'N', IDNO}}) {
        std::string labels;
        SetDialogFrameHook([&, key = key](cDialog& dlg, int frame) {
            if (frame == 0)
                for (int id : {IDYES, IDNO, IDCANCEL})
                    if (cCtrl* c = dlg.FindCtrl(id)) labels += c->GetText() + "|";
            dlg.TypeKey(frame == 0 ? key : 27, true);  // Escape ends a box that ignored the key
        });
        EXPECT_EQ(DialogMesBox("上書きしますか?", "確認", style), answer);
        SetDialogFrameHook(nullptr);
        EXPECT_EQ(labels, style == MB_YESNOCANCEL ? "はい(Y)|いいえ(N)|キャンセル|" : "はい(Y)|いいえ(N)|");
    }
}

TEST_F(DialogTest, ModalDialogsHideOrDisableTheirGroup) {
    const SdlWindowPtr w(SDL_CreateWindow("host", 0, 0, 640, 480, 0));
    ASSERT_NE(w, nullptr);
    const SdlRendererPtr r(SDL_CreateRenderer(w.get(), -1, SDL_RENDERER_SOFTWARE));
    ASSERT_NE(r, nullptr);
    SDL_RenderSetLogicalSize(r.get(), 640, 480);
    int backdrops = 0;
    DIALOGHOST host;
    host.window = w.get();
    host.renderer = r.get();
    host.drawBackdrop = [&](SDL_Renderer*) { ++backdrops; };
    SetDialogHost(host);

    cDialogGroup group;
    cTestDlg tool;
    ASSERT_TRUE(tool.CreateModeless(&group));
    EXPECT_FALSE(tool.CreateModeless(&group));
    DialogHostDrawModeless();
    EXPECT_TRUE(tool.IsOpen());

    for (int flags : {DLG_HIDE_GROUP, DLG_DISABLE_GROUP}) {
        cTestDlg modal;
        modal.SetupChild(102, nullptr, &group);
        bool hidden = false;
        SetDialogFrameHook([&](cDialog& d, int frame) {
            hidden = tool.IsHidden();
            if (frame == 2) d.Close(5);
        });
        EXPECT_EQ(modal.DoModal(flags), 5);
        EXPECT_EQ(hidden, flags == DLG_HIDE_GROUP);
        EXPECT_FALSE(tool.IsHidden());
    }
    SetDialogFrameHook(nullptr);
    EXPECT_GT(backdrops, 0);
    tool.Close(0);
    ResetDialogHost();
}

TEST(DialogControls, ScrollBarCodesAndItemTexts) {
    cScrollBar bar;
    bar.SetScrollInfo(0, 99, 10, 0);
    EXPECT_FALSE(bar.Scroll(0));  // already at the top
    EXPECT_TRUE(bar.Scroll(3));
    EXPECT_EQ(bar.GetPos(), 10);
    EXPECT_TRUE(bar.Scroll(7));
    EXPECT_EQ(bar.GetPos(), 90);  // the last page
    EXPECT_TRUE(bar.Scroll(5, 42));
    EXPECT_EQ(bar.GetPos(), 42);
    EXPECT_TRUE(bar.Scroll(6));
    EXPECT_EQ(bar.GetPos(), 0);

    cTestDlg dlg;
    dlg.OnInitDialog();
    std::string s;
    SetDlgItemTextStr(&dlg, 1003, "名前");
    GetDlgItemTextStr(&dlg, 1003, s);
    EXPECT_EQ(s, "名前");
    GetDlgItemTextStr(&dlg, 4242, s);  // no such item: unchanged
    EXPECT_EQ(s, "名前");
    dlg.ApplyControls();
    EXPECT_EQ(dlg.name, "名前");
    EnableChildWindows(&dlg, false);
    EXPECT_FALSE(dlg.FindCtrl(1000)->IsEnabled());
    ShowChildWindows(&dlg, false);
    EXPECT_FALSE(dlg.FindCtrl(1000)->IsVisible());
}

TEST(DialogPlacement, KeptInsideTheArea) {
    int x = -50, y = 10;
    PlaceDialog(x, y, 200, 100, false, 640, 480);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 10);
    x = 600, y = 420;
    PlaceDialog(x, y, 200, 100, false, 640, 480);
    EXPECT_EQ(x, 440);
    EXPECT_EQ(y, 380);
    x = -1000, y = -1000;
    PlaceDialog(x, y, 200, 100, false, 640, 480);
    EXPECT_EQ(x, 220);
    EXPECT_EQ(y, 190);
}

// With QV_AUTO_ANSWER=1 a dialog takes its default answer at once.
using DialogAuto = cAutoAnswerTest;

TEST_F(DialogAuto, EveryDialogTakesItsDefaultAnswer) {
    ASSERT_TRUE(IsAutoAnswer());
    cTestDlg dlg;
    dlg.name = "QV";
    EXPECT_EQ(dlg.DoModal(), 1);  // the default button
    EXPECT_EQ(dlg.name, "QV");
    EXPECT_EQ(dlg.mode, 1);
}

}  // namespace
