#include "play/play_services.h"

#include <algorithm>
#include <memory>

#include "actors/chara.h"
#include "actors/cmd/cmd_bodies.h"
#include "actors/damage.h"
#include "actors/item_run.h"
#include "actors/player.h"
#include "database/system_sounds.h"
#include "scene/window_requests.h"
#include "scene/scene_manager.h"
#include "platform/window/main_thread_messages.h"
#include "play/draw/color_change.h"
#include "play/effect_instance.h"
#include "play/message/message.h"
#include "play/play_scene.h"
#include "play/stage_objects.h"
#include "player/player_records.h"
#include "records/utility.h"
#include "stage/flow_cmd.h"

namespace {

// Frames the icon of a picked-up item stays above the character.
constexpr int32_t ITEM_ICON_FRAMES = 30;

}  // namespace

void cPlayServices::StartTrigger(cChara& chara, int32_t trigger, cChara* lpPartner, int32_t filter) {
    chara.StartTriggeredFlowsBy(trigger, lpPartner, filter, &m_Scene.World);
}

int32_t cPlayServices::TakeItem(cItem& item) {
    cPlayer* lpHero = m_Scene.World.Hero();
    return lpHero ? ::TakeItem(*lpHero, item, &m_Scene.World) : 0;
}

int32_t& cPlayServices::RunScore() { return SaveData.nScore; }
int32_t& cPlayServices::RunLives() { return SaveData.nLives; }
cSafeVector<int32_t>& cPlayServices::CommonVars() { return SaveData.vVar; }

void cPlayServices::SetWait(int32_t sound, int32_t delay, int32_t button, int32_t frames) {
    cPlayScene& s = m_Scene;
    s.nWaitSound = sound;
    s.nWaitDelay = delay;
    s.bWaitButton = button;
    s.nWaitFrames = frames;
}

void cPlayServices::PauseWait() {
    m_Scene.RunPauseWait();
}

bool cPlayServices::Quitting() { return m_Scene.bQuit; }

void cPlayServices::SummonBlock(double x, double y, const cBlockData& record, const SUMMONSETTINGS& settings) {
    ::SummonBlock(x, y, record, settings);
}

void cPlayServices::SummonChara(double x, double y, const SUMMONSETTINGS& settings, const cCharaData& record,
                                uint8_t facing, uint8_t side, cChara* lpSummoner) {
    ::SummonChara(m_Scene.World.lstStageChara, x, y, settings, record, facing, side, lpSummoner,
                  m_Scene.World.nNextObjectId);
}

void cPlayServices::SummonItem(double x, double y, const SUMMONSETTINGS& settings, const cItemData& record) {
    ::SummonItem(m_Scene.World.lstItem, x, y, settings, record, m_Scene.World.nNextItemId);
}

void cPlayServices::ShowMessage(cChara& chara, const cFlowCmd& cmd, int32_t flowFlag) {
    cPlayScene& s = m_Scene;
    auto P = [&cmd](int i) { return CmdParam(cmd, i); };
    const int32_t mode = P(0), end = P(6), useId = P(12), msgId = P(13), erase = P(15);
    const int32_t frames = P(17) ? 1 : P(7) * 6;
    int32_t charaId = 0;
    if (mode >= MESPOS_SELF_ABOVE && mode <= MESPOS_SELF_CENTRE) {
        charaId = chara.nId;
    } else if (mode >= MESPOS_HERO_ABOVE && mode <= MESPOS_HERO_CENTRE) {
        const cPlayer* hero = s.World.Hero();
        charaId = hero ? hero->nId : 0;
    }
    auto found = s.lstStageWork.end();
    if (useId) {
        found = std::find_if(s.lstStageWork.begin(), s.lstStageWork.end(), [msgId](const auto& m) {
            return m && m->nKind == MESSAGE_TEXT && m->bUseID && m->nMessageID == msgId;
        });
    }
    if (erase) {
        if (found != s.lstStageWork.end()) {
            (*found)->ReleaseSurface();
            s.lstStageWork.erase(found);
        }
        return;
    }
    const std::string* text = &cmd.strText.Str();
    std::shared_ptr<cMessage> entry;
    if (found != s.lstStageWork.end()) {
        // The window of this ID takes the new text and settings in its place.
        entry = *found;
        entry->ReleaseSurface();
        entry->OpenMessage(MESSAGE_TEXT, text, 0, 0, 0, mode, P(1), P(2), P(3), P(4), P(5), P(10), end, frames,
                           P(8), charaId, flowFlag, P(9), P(11), P(16), P(14), useId, msgId, 0);
    } else {
        entry = std::make_shared<cMessage>(MESSAGE_TEXT, text, 0, 0, 0, mode, P(1), P(2), P(3), P(4), P(5),
                                           P(10), end, frames, P(8), charaId, flowFlag, P(9), P(11), P(16), P(14),
                                           useId, msgId);
        s.lstStageWork.push_back(entry);
    }
    // A window shown until the stage ends cannot be waited for: the flow goes on.
    if (P(8) == 0 || end == MESEND_STAGE) return;
    s.nWaitSound = 1;
    if (end == MESEND_KEY) {
        s.bWaitButton = 1;
        s.nWaitDelay = flowFlag ? 0 : 10;
        s.nWaitFrames = 0;
        if (!flowFlag) PlaySE(SE_MESSAGE);
    } else {
        s.bWaitButton = 0;
        s.nWaitDelay = 0;
        s.nWaitFrames = frames;
    }
    RunCharaPauseWait();
    entry->ReleaseSurface();
    s.lstStageWork.remove(entry);
}

void cPlayServices::GameWait(int32_t frames) {
    cPlayScene& s = m_Scene;
    auto entry = std::make_shared<cMessage>(MESSAGE_WAIT, nullptr, 0, 0, 0, MESPOS_SCREEN_CENTRE, 0, 0, 0, 0, 0, 1,
                                            MESEND_TIME, frames, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    s.lstStageWork.push_back(entry);
    s.nWaitSound = 0;
    s.nWaitDelay = 0;
    s.bWaitButton = 0;
    s.nWaitFrames = frames;
    RunCharaPauseWait();
    s.lstStageWork.remove(entry);
}

void cPlayServices::ShowItemIcon(int32_t iconKind, int32_t iconFrame, int32_t iconExtra, int32_t charaId) {
    m_Scene.lstStageWork.push_back(std::make_shared<cMessage>(
        MESSAGE_ITEM_ICON, nullptr, iconKind, iconFrame, iconExtra, MESPOS_SELF_ABOVE, 0, 0, 0, 0, 0, 0, MESEND_TIME,
        ITEM_ICON_FRAMES, 0, charaId, 0, 0, 0, 0, 0, 0, 0));
}

void cPlayServices::AddEffect(int16_t id, double x, double y, int32_t w, int32_t h, bool bWait) {
    m_Scene.lstEffect.push_back(std::make_shared<cEffectInstance>(id, x, y, w, h, bWait));
}

void cPlayServices::AddHitEffect(int16_t kind, const EFFECTRECT& victim, const EFFECTRECT& attacker, int8_t scale) {
    m_Scene.lstEffect.push_back(std::make_shared<cEffectInstance>(kind, victim, attacker, scale));
}

void cPlayServices::StartScreenEffect(uint16_t id, int32_t param1, int32_t param2) {
    cScrEffectRun& run = m_Scene.ScrEffect;
    run.Start(id, param1, param2);
    if (run.m_nId == 0) run.Reset();
}

void cPlayServices::ShowPicture(const cFlowCmd& cmd, int32_t anchorId) {
    cPlayScene& s = m_Scene;
    auto P = [&cmd](int i) { return CmdParam(cmd, i); };
    cPictureList::ITEM* item = s.Pictures.Load(static_cast<uint16_t>(P(0)));
    if (!item) return;
    const int32_t frames = P(14) ? 1 : P(9) * 6;
    SetPicture(item->Entry, static_cast<uint16_t>(P(0)), P(1), P(2), P(3), P(4), P(5), item->Surface.nWidth,
               item->Surface.nHeight, P(11), P(6), P(7), P(8), frames, P(10), anchorId, P(12), P(13));
    if (!P(10) || !SetDisplayEndWait(P(8), frames)) return;
    RunCharaPauseWait();
    if (P(11)) return;
    auto& items = s.Pictures.Items();
    for (auto it = items.begin(); it != items.end(); ++it)
        if (&*it == item) {
            DDReleaseSurface(&it->Surface);
            items.erase(it);
            break;
        }
}

void cPlayServices::StartColorChange(const int32_t* params) {
    ::StartColorChange(m_Scene.ColorChange, params);
}

void cPlayServices::RequestStageBgm(int32_t n, int32_t option) {
    nStageBgmLoop = option;
    SendMessageMain(WM_PLAY_BGM, 4, n);
}

int32_t cPlayServices::FrameRate() { return SceneManager.nFrameRate; }
