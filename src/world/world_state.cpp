#include "world/world_state.h"

#include "database/global_objects.h"
#include "world/block_grid.h"
#include "world/scene_services.h"

cWorldState* lpWorld = nullptr;

namespace {

// The services of no scene: nothing is started, shown or summoned, and the
// run's record is a blank one of their own.
class cNoSceneServices final : public cSceneServices {
public:
    void StartTrigger(cChara&, int32_t, cChara*, int32_t) override {}
    int32_t TakeItem(cItem&) override { return 0; }
    int32_t& RunScore() override { return m_nScore; }
    int32_t& RunLives() override { return m_nLives; }
    cSafeVector<int32_t>& CommonVars() override { return m_vVars; }
    void SetWait(int32_t, int32_t, int32_t, int32_t) override {}
    void PauseWait() override {}
    bool Quitting() override { return false; }
    void SummonBlock(double, double, const cBlockData&, const SUMMONSETTINGS&) override {}
    void SummonChara(double, double, const SUMMONSETTINGS&, const cCharaData&, uint8_t, uint8_t, cChara*) override {}
    void SummonItem(double, double, const SUMMONSETTINGS&, const cItemData&) override {}
    void ShowMessage(cChara&, const cFlowCmd&, int32_t) override {}
    void GameWait(int32_t) override {}
    void ShowItemIcon(int32_t, int32_t, int32_t, int32_t) override {}
    void AddEffect(int16_t, double, double, int32_t, int32_t, bool) override {}
    void AddHitEffect(int16_t, const EFFECTRECT&, const EFFECTRECT&, int8_t) override {}
    void StartScreenEffect(uint16_t, int32_t, int32_t) override {}
    void ShowPicture(const cFlowCmd&, int32_t) override {}
    void StartColorChange(const int32_t*) override {}
    void RequestStageBgm(int32_t, int32_t) override {}
    int32_t FrameRate() override { return 0; }

private:
    int32_t m_nScore = 0;
    int32_t m_nLives = 0;
    cSafeVector<int32_t> m_vVars;
};

cNoSceneServices NoSceneServices;
cSceneServices* g_lpServices = &NoSceneServices;

}  // namespace

cSceneServices& SceneServices() { return *g_lpServices; }

cSceneServices* SetSceneServices(cSceneServices* lpServices) {
    cSceneServices* lpPrev = g_lpServices;
    g_lpServices = lpServices ? lpServices : &NoSceneServices;
    return lpPrev;
}

void ResetWorldState() {
    lpWorld = nullptr;
    ResetBlockGrid();
    ResetDatabaseState();
}
