#include "play_mutate.h"

#include <climits>
#include <random>
#include <string>

#include "fuzz_support.h"
#include "stage/code_table.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"
#include "stage/shot.h"
#include "stage/stage_data.h"

namespace fuzz {

namespace {

constexpr int32_t EXTREMES[] = {INT_MIN, INT_MIN + 1, -65536, -1, 0, 1, 255, 65535, 1 << 27, 715827883, INT_MAX};

class cMutator {
public:
    cMutator(cStageData& s, uint32_t seed) : m_Stage(s), m_Rand(seed) {}

    void Run() {
        switch (Pick(9)) {
        case 0: ExtremeParam(); break;
        case 1: HugeCounts(); break;
        case 2: SelfStarting(); break;
        case 3: AddFlow(SummonSelf()); break;
        case 4: AddFlow(EndlessShots()); break;
        case 5: OutsideTheStage(); break;
        case 6: StageSize(); break;
        case 7: AddFlow(DeepCode()); break;
        default: ExtremeStageValue(); break;
        }
    }

private:
    uint32_t Pick(uint32_t n) { return n ? static_cast<uint32_t>(m_Rand() % n) : 0; }
    int32_t Extreme() { return EXTREMES[Pick(std::size(EXTREMES))]; }

    // A character of the stage (placed or of the palette), or null.
    cCharaData* AnyChara() {
        const size_t placed = m_Stage.vPlacedChara.size(), palette = m_Stage.vChara.size();
        if (placed + palette == 0) return nullptr;
        const size_t k = Pick(static_cast<uint32_t>(placed + palette));
        return k < placed ? &m_Stage.vPlacedChara[k] : &m_Stage.vChara[k - placed];
    }
    cFlowCmd* AnyCmd() {
        cCharaData* c = AnyChara();
        if (!c || c->vFlow.empty()) return nullptr;
        cFlow& f = c->vFlow[Pick(static_cast<uint32_t>(c->vFlow.size()))];
        if (f.vCmd.empty()) return nullptr;
        return &f.vCmd[Pick(static_cast<uint32_t>(f.vCmd.size()))];
    }
    static cFlowCmd NewCmd(int code) {
        cFlowCmd c;
        c.nCode = static_cast<uint8_t>(code);
        if (const CMDTABLEROW* row = GetCmdTableRow(CMDNUMBERING_CHARA, code))
            c.vParam.assign(static_cast<size_t>(row->nParamNum), 0);
        return c;
    }
    // A flow that starts by itself every frame, without waiting between commands.
    static cFlow NewFlow(std::initializer_list<cFlowCmd> cmds) {
        cFlow f;
        f.nTrigger = 0;
        for (const cFlowCmd& c : cmds) f.vCmd.push_back(c);
        for (cFlowCmd& c : f.vCmd) c.bNoWait = 1;
        return f;
    }
    void AddFlow(const cFlow& f) {
        if (cCharaData* c = AnyChara()) c->vFlow.push_back(f);
    }

    void ExtremeParam() {
        cFlowCmd* cmd = AnyCmd();
        if (!cmd) return;
        if (!cmd->vParam.empty()) cmd->vParam[Pick(static_cast<uint32_t>(cmd->vParam.size()))] = Extreme();
        cmd->nTime = static_cast<int16_t>(Pick(2) ? INT16_MAX : INT16_MIN);
        if (cmd->spShot) {
            cmd->spShot->nPower = Extreme();
            cmd->spShot->nRange = Extreme();
            cmd->spShot->nLife = static_cast<int16_t>(Pick(2) ? INT16_MAX : INT16_MIN);
            cmd->spShot->nFormParam[Pick(3)] = static_cast<int16_t>(Pick(2) ? INT16_MAX : INT16_MIN);
        }
    }
    void HugeCounts() {
        if (cFlowCmd* cmd = AnyCmd(); cmd && cmd->spShot) {
            cmd->spShot->nShotNum = 255;
            cmd->spShot->nCloneNum = 255;
        }
        if (cCharaData* c = AnyChara()) c->byRepeat = 255;
    }
    void SelfStarting() {
        cCharaData* c = AnyChara();
        if (!c) return;
        for (cFlow& f : c->vFlow) {
            f.nTrigger = 0;
            for (cFlowCmd& cmd : f.vCmd) cmd.bNoWait = 1;
        }
    }
    cFlow SummonSelf() {
        cFlowCmd c = NewCmd(CMD_SUMMON_CHARA);
        cEdShot::Create(c.spShot);
        c.spShot->nShotNum = static_cast<uint8_t>(1 + Pick(8));
        c.spShot->nSummonKind = 1;
        c.spShot->nSummonIndex = static_cast<int16_t>(Pick(static_cast<uint32_t>(m_Stage.vChara.size())));
        c.spShot->nFormation = static_cast<uint8_t>(Pick(FORMATION_NUM));
        return NewFlow({c});
    }
    cFlow EndlessShots() {
        cFlowCmd c = NewCmd(CMD_SHOT);
        cEdShot::Create(c.spShot);
        c.spShot->nShotNum = 255;
        c.spShot->nCloneNum = static_cast<uint8_t>(Pick(256));
        c.spShot->nFormation = static_cast<uint8_t>(Pick(FORMATION_NUM));
        c.spShot->nMoveType = static_cast<uint8_t>(Pick(SHOT_MOVE_NUM));
        return NewFlow({c});
    }
    void OutsideTheStage() {
        if (m_Stage.vPlacedChara.empty()) return;
        cCharaData& c = m_Stage.vPlacedChara[Pick(static_cast<uint32_t>(m_Stage.vPlacedChara.size()))];
        c.wCellX = static_cast<uint16_t>(Pick(2) ? 65535 : m_Stage.nWidth);
        c.wCellY = static_cast<uint16_t>(Pick(2) ? 65535 : m_Stage.nHeight - 1);
        c.nOffsetXBase = static_cast<int16_t>(Pick(2) ? INT16_MAX : INT16_MIN);
        c.nOffsetYBase = static_cast<int16_t>(Pick(2) ? INT16_MAX : INT16_MIN);
    }
    void StageSize() {
        const int32_t sizes[] = {0, 1, 2, 20, 10000};
        m_Stage.nWidth = sizes[Pick(5)];
        m_Stage.nHeight = sizes[Pick(5)];
    }
    cFlow DeepCode() {
        cFlowCmd c = NewCmd(CMD_CODE);
        const size_t depth = 1 + Pick(20000);
        switch (Pick(3)) {
        case 0: c.strText = "S1 = " + std::string(depth, '(') + "1" + std::string(depth, ')'); break;
        case 1: {
            c.strText = "S1 = 1";
            for (size_t i = 0; i < depth; ++i) c.strText += " + 1";
            break;
        }
        default: c.strText = "S1 = " + std::string(depth, '-') + "1"; break;
        }
        return NewFlow({c});
    }
    void ExtremeStageValue() {
        int32_t* fields[] = {&m_Stage.nOuterX,     &m_Stage.nOuterY,      &m_Stage.nHeroBodyAW, &m_Stage.nHeroBodyAH,
                             &m_Stage.nHeroRange0W, &m_Stage.nShotRangeW, &m_Stage.nTimeLimit, &m_Stage.nScrollLeft,
                             &m_Stage.nAutoScrollX, &m_Stage.nHeroInvincible};
        *fields[Pick(std::size(fields))] = Extreme();
        if (cCharaData* c = AnyChara()) {
            c->nBodyPower = Extreme();
            c->nMaxHP = Extreme();
            c->byForce = static_cast<uint8_t>(Pick(256));
        }
    }

    cStageData& m_Stage;
    std::mt19937 m_Rand;
};

}  // namespace

bool MutateStage(std::vector<uint8_t>& bytes, uint32_t seed) {
    const std::string path = WriteScratch("mutate.stg4", bytes.data(), bytes.size());
    cStageData stage;
    if (stage.LoadFromFile(path) != 1) return false;
    cMutator(stage, seed).Run();
    if (stage.SaveToFile(path) != 1) return false;
    bytes = ReadAll(path);
    return !bytes.empty();
}

}  // namespace fuzz
