#pragma once
// A stand-in for the play scene's services: every request the characters make
// of the scene is written to a log as one line ("effect 3 at 100,60 40x20
// wait 1"); the run's record is the fake's own; waits and the closing flag
// are counted and set by the test. Trigger starts still start the
// character's flows (the characters' own rule), and are logged. Installed
// for its lifetime.
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "actors/chara.h"
#include "stage/flow_cmd.h"
#include "world/scene_services.h"

class cFakeSceneServices : public cSceneServices {
public:
    cFakeSceneServices() : m_lpPrev(SetSceneServices(this)) {}
    ~cFakeSceneServices() override { SetSceneServices(m_lpPrev); }
    cFakeSceneServices(const cFakeSceneServices&) = delete;
    cFakeSceneServices& operator=(const cFakeSceneServices&) = delete;

    void StartTrigger(cChara& chara, int32_t trigger, cChara* lpPartner, int32_t filter) override {
        Add("trigger %d on %d by %d filter %d", trigger, chara.nId, lpPartner ? lpPartner->nId : 0, filter);
        chara.StartTriggeredFlowsBy(trigger, lpPartner, filter, lpWorld);
    }
    int32_t TakeItem(cItem& /*item*/) override {
        Add("take item");
        return nTakeResult;
    }
    int32_t& RunScore() override { return nScore; }
    int32_t& RunLives() override { return nLives; }
    cSafeVector<int32_t>& CommonVars() override { return vCommonVars; }
    void SetWait(int32_t sound, int32_t delay, int32_t button, int32_t frames) override {
        Add("wait sound %d delay %d button %d frames %d", sound, delay, button, frames);
    }
    void PauseWait() override { Add("pause wait"); }
    bool Quitting() override { return bQuitting; }
    void SummonBlock(double x, double y, const cBlockData& /*record*/, const SUMMONSETTINGS& s) override {
        Add("summon block at %g,%g mode %d", x, y, s.nBlockMode);
    }
    void SummonChara(double x, double y, const SUMMONSETTINGS& /*settings*/, const cCharaData& /*record*/,
                     uint8_t facing, uint8_t side, cChara* /*lpSummoner*/) override {
        Add("summon chara at %g,%g facing %d side %d", x, y, facing, side);
    }
    void SummonItem(double x, double y, const SUMMONSETTINGS& /*settings*/, const cItemData& /*record*/) override {
        Add("summon item at %g,%g", x, y);
    }
    void ShowMessage(cChara& chara, const cFlowCmd& cmd, int32_t flowFlag) override {
        Add("message \"%s\" by %d flag %d", cmd.strText.c_str(), chara.nId, flowFlag);
    }
    void GameWait(int32_t frames) override { Add("game wait %d", frames); }
    void ShowItemIcon(int32_t iconKind, int32_t iconFrame, int32_t iconExtra, int32_t charaId) override {
        Add("item icon %d %d %d over %d", iconKind, iconFrame, iconExtra, charaId);
    }
    void AddEffect(int16_t id, double x, double y, int32_t w, int32_t h, bool bWait) override {
        Add("effect %d at %g,%g %dx%d wait %d", id, x, y, w, h, bWait ? 1 : 0);
    }
    void AddHitEffect(int16_t kind, const EFFECTRECT& v, const EFFECTRECT& /*attacker*/, int8_t scale) override {
        Add("hit effect %d on %g,%g scale %d", kind, v.dLeft, v.dTop, scale);
    }
    void StartScreenEffect(uint16_t id, int32_t param1, int32_t param2) override {
        Add("screen effect %d %d %d", id, param1, param2);
    }
    void ShowPicture(const cFlowCmd& cmd, int32_t anchorId) override {
        Add("picture %d base %d anchor %d", cmd.vParam.empty() ? -1 : cmd.vParam.data()[0],
            cmd.vParam.size() > 1 ? cmd.vParam.data()[1] : -1, anchorId);
    }
    void StartColorChange(const int32_t* p) override {
        Add("colour change %d %d %d %d %d %d %d %d", p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
    }
    void RequestStageBgm(int32_t n, int32_t option) override { Add("music %d option %d", n, option); }
    int32_t FrameRate() override { return nFrameRate; }

    std::vector<std::string> vLog;
    int32_t nScore = 0;
    int32_t nLives = 3;
    cSafeVector<int32_t> vCommonVars = cSafeVector<int32_t>(1001, 0);
    int32_t nTakeResult = 0;
    int32_t nFrameRate = 60;
    bool bQuitting = false;

private:
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        char text[160];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        vLog.emplace_back(text);
    }
    cSceneServices* m_lpPrev = nullptr;
};
