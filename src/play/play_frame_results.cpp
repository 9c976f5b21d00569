// The results at the end of play: run totals, extra lives and the file of
// the next stage of a series.

#include <filesystem>

#include "database/data_paths.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/system_switches.h"
#include "platform/system/file_name.h"
#include "platform/system/path.h"
#include "platform/system/thread_messages.h"
#include "play/message/message.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/save_data.h"
#include "records/utility.h"
#include "scene/window_requests.h"

namespace {

constexpr int32_t LIVES_UNLIMITED = 999999;
constexpr int32_t LIVES_MAX = 99;
constexpr int32_t EXTRA_LIFE_FRAMES = 30;

int32_t AddClamped(int32_t a, int64_t b) {
    const int64_t v = a + b;
    return static_cast<int32_t>(v > 999999 ? 999999 : v < -999999 ? -999999 : v);
}

// Game paths use backslashes; the file system is asked through the native form.
bool ExistsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ToNativePath(path, false), ec);
}

}  // namespace

void cPlayScene::TallyResults() {
    cSaveData& sd = SaveData;
    // Scores earned in play go straight to the running score, so it already
    // holds this stage's score; extra lives count from the score the stage
    // started with.
    const int32_t oldScore = sd.nScoreBackup;
    if (!World.bTimeStop) sd.nTimeLeft = AddClamped(sd.nTimeLeft, World.nStageTime);
    sd.nClearTime = AddClamped(sd.nClearTime, nElapsedTime);
    if (cPlayer* lpHero = World.Hero()) {
        sd.nHpLeft = AddClamped(sd.nHpLeft, lpHero->hp);
        sd.nSpLeft = AddClamped(sd.nSpLeft, lpHero->sp);
    }
    const int32_t step = GetSysSwitch(SystemData, eSysSwitch::ExtraLifeScoreStep);
    if (sd.nLives == LIVES_UNLIMITED || !GetSysSwitch(SystemData, eSysSwitch::ExtraLifeByScore) || step == 0) return;
    const int32_t k = sd.nScore / step - oldScore / step;
    for (int32_t i = 0; i < k; ++i) {
        if (sd.nLives < LIVES_MAX) ++sd.nLives;
        PlaySE(SE_EXTRA_LIFE);
        if (!ShowExtraLife()) break;
        while (!bAppActive.load() && !bQuit) Sleep(1);
    }
}

int32_t cPlayScene::ShowExtraLife() {
    const cPlayer* lpHero = World.Hero();
    auto entry = std::make_shared<cMessage>(MESSAGE_EXTRA_LIFE, nullptr, 0, 0, 0, MESPOS_SELF_ABOVE, 0, 0, 0, 0, 0,
                                            0, MESEND_TIME, EXTRA_LIFE_FRAMES, 1, lpHero ? lpHero->nId : 0, 0, 0, 0,
                                            0, 0, 0, 0);
    lstStageWork.push_back(entry);
    nWaitDelay = 0;
    bWaitButton = 0;
    nWaitFrames = EXTRA_LIFE_FRAMES;
    const int32_t r = RunPauseWait();
    lstStageWork.remove(entry);
    return r;
}

int32_t cPlayScene::MakeNextStageFileName(std::string& out, int32_t n) const {
    out.clear();
    if (!SaveData.bMultiPart || World.nNextStage == 0) return 0;
    const std::string ext = ExtTable[EXT_STG4];
    if (!World.strNextStageFile.empty()) {
        // The command keeps the name up to and with its dot.
        out = World.strNextStageFile;
        if (out.back() == '.') out.pop_back();
        out += "." + ext;
    } else {
        std::string base = SaveData.strStage;
        if (!base.empty()) base.pop_back();
        out = base + "-" + std::to_string(n) + "." + ext;
    }
    if (ExistsFile(out)) return 1;
    // A stage saved under numbered names counts by its newest one.
    std::string numbered;
    if (FindLastNumberedFileStr(numbered, out.c_str(), ext.c_str()) && ExistsFile(numbered)) {
        out = numbered;
        return 1;
    }
    out.clear();
    return 0;
}

int32_t cPlayScene::IsLastStage(int32_t n) const {
    std::string name;
    return MakeNextStageFileName(name, n) ? 0 : 1;
}
