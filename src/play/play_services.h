#pragma once
// The play scene's services to its characters (cSceneServices): the flow
// runner's trigger starts, items for the hero, the save record's run values,
// the pause thread's waits, the scene's object lists, messages, effects,
// pictures, colour change, music, frame rate and drawing resources. Each
// play scene owns a set and installs it while it exists; a test may install
// a class derived from cPlayServices that replaces some of them.
#include <cstdint>

#include "world/scene_services.h"

class cPlayScene;

class cPlayServices : public cSceneServices {
public:
    explicit cPlayServices(cPlayScene& scene) : m_Scene(scene) {}
    void StartTrigger(cChara& chara, int32_t trigger, cChara* lpPartner, int32_t filter) override;
    int32_t TakeItem(cItem& item) override;
    int32_t& RunScore() override;
    int32_t& RunLives() override;
    cSafeVector<int32_t>& CommonVars() override;
    void SetWait(int32_t sound, int32_t delay, int32_t button, int32_t frames) override;
    void PauseWait() override;
    bool Quitting() override;
    void SummonBlock(double x, double y, const cBlockData& record, const SUMMONSETTINGS& settings) override;
    void SummonChara(double x, double y, const SUMMONSETTINGS& settings, const cCharaData& record, uint8_t facing,
                     uint8_t side, cChara* lpSummoner) override;
    void SummonItem(double x, double y, const SUMMONSETTINGS& settings, const cItemData& record) override;
    void ShowMessage(cChara& chara, const cFlowCmd& cmd, int32_t flowFlag) override;
    void GameWait(int32_t frames) override;
    void ShowItemIcon(int32_t iconKind, int32_t iconFrame, int32_t iconExtra, int32_t charaId) override;
    void AddEffect(int16_t id, double x, double y, int32_t w, int32_t h, bool bWait) override;
    void AddHitEffect(int16_t kind, const EFFECTRECT& victim, const EFFECTRECT& attacker, int8_t scale) override;
    void StartScreenEffect(uint16_t id, int32_t param1, int32_t param2) override;
    void ShowPicture(const cFlowCmd& cmd, int32_t anchorId) override;
    void StartColorChange(const int32_t* params) override;
    void RequestStageBgm(int32_t n, int32_t option) override;
    int32_t FrameRate() override;

private:
    cPlayScene& m_Scene;
};
