// Checks of flow commands: structural checks that refuse what the runtime
// cannot run, and the validations that bring database and palette
// references back into range.
#include <algorithm>
#include <string>

#include "stage/code_table.h"
#include "stage/definition_context.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"

namespace {

// Entry k of the parameters, 0 when the list is shorter.
int32_t Param(const cParamList& p, size_t k) { return k < p.size() ? p.data()[k] : 0; }

// The replacement for an index beyond a list that is repaired to 1: 1, or 0
// when the list is too short for 1 to be in it.
int32_t OneOrZero(int size) { return size >= 2 ? 1 : 0; }

// The refusals of the structural check: `why` set, false returned.
[[gnu::cold, gnu::noinline]] bool Refuse(std::string& why, const char* text) {
    why = text;
    return false;
}
[[gnu::cold, gnu::noinline]] bool RefuseInCmd(std::string& why, const char* text, int code) {
    why = text + std::to_string(code);
    return false;
}
[[gnu::cold, gnu::noinline]] bool RefuseCode(std::string& why, int numbering, int code) {
    why = "command code " + std::to_string(code) + " outside the table of numbering " + std::to_string(numbering);
    return false;
}

}  // namespace

bool cFlowCmd::CheckOwnStructure(std::string& why) const {
    // The reasons are written apart from the checks, which every loaded
    // command runs and which thus need no room for building texts.
    if (!GetCmdTableRow(nNumbering, nCode)) return RefuseCode(why, nNumbering, nCode);
    if (nSE < 0 || nAnime < 0) return Refuse(why, "negative sound or animation index");
    const int code = GetCharaCode();
    bool bNegative = false;
    switch (code) {
    case CMD_GET_ITEM:
        bNegative = Param(vParam, 1) < 0;
        break;
    case CMD_CHANGE_GRAPHIC:
        bNegative = Param(vParam, 0) == 4 && Param(vParam, 1) < 0;
        break;
    case CMD_CHANGE_ANIMESET:
    case CMD_RUN_ANIME:
    case CMD_RUN_EFFECT:
    case CMD_CHARA_EFFECT:
    case CMD_SCR_EFFECT:
    case CMD_PICTURE:
    case CMD_PLAY_SE:
    case CMD_PLAY_BGM:
        bNegative = Param(vParam, 0) < 0;
        break;
    default:
        break;
    }
    if (spShot && (spShot->nEffect < 0 || spShot->nItemIndex < 0 || spShot->nSummonIndex < 0))
        bNegative = true;
    if (bNegative) return RefuseInCmd(why, "negative list index in command ", code);
    // The arrangement of shots and summons reads the formation and movement
    // tables by these codes.
    if (spShot && !IsItemCmd()) {
        const bool bFormation = code == CMD_SHOT || (code >= CMD_SUMMON_BLOCK && code <= CMD_SUMMON_ITEM);
        if ((bFormation && spShot->nFormation >= FORMATION_NUM) ||
            (code == CMD_SHOT && spShot->nMoveType >= SHOT_MOVE_NUM))
            return RefuseInCmd(why, "shot formation or movement outside its table in command ", code);
    }
    return true;
}

bool cFlowCmd::CheckStructure(std::string& why, int depth) const {
    if (!CheckOwnStructure(why)) return false;
    for (const cFlow& f : SubFlows())
        if (!f.CheckStructure(why, depth + 1)) return false;
    return true;
}

void cFlowCmd::CheckDbIndex() {
    CheckOwnDbIndex();
    for (cFlow& f : SubFlowSpan()) f.CheckDbIndex();
}

namespace {

// Character codes whose parameters or shot setting index database lists
// beyond the sound and animation of every command.
constexpr uint64_t DB_INDEX_CODES = (uint64_t{1} << CMD_SWORD) | (uint64_t{1} << CMD_CHANGE_GRAPHIC) |
                                    (uint64_t{1} << CMD_CHANGE_ANIMESET) | (uint64_t{1} << CMD_RUN_ANIME) |
                                    (uint64_t{1} << CMD_RUN_EFFECT) | (uint64_t{1} << CMD_CHARA_EFFECT) |
                                    (uint64_t{1} << CMD_SCR_EFFECT) | (uint64_t{1} << CMD_PICTURE) |
                                    (uint64_t{1} << CMD_PLAY_SE) | (uint64_t{1} << CMD_PLAY_BGM);

// The parameters brought to n (new ones 0): apart, as few commands need it.
[[gnu::noinline]] void ResizeParams(cParamList& v, size_t n) { v.resize(n, 0); }

bool IndexesDbByCode(int code) { return code >= 0 && code < 64 && ((DB_INDEX_CODES >> code) & 1) != 0; }

// The database validation of the codes of DB_INDEX_CODES (character code
// `code`), apart from the checks of every command.
[[gnu::noinline]] void CheckCodeDbIndex(cFlowCmd& c, const FLOWDBCOUNTS& db, int code) {
    cParamList& vParam = c.vParam;
    auto fixFirst = [&](int size) {
        if (!vParam.empty() && vParam.data()[0] >= size) vParam.data()[0] = OneOrZero(size);
    };
    switch (code) {
    case CMD_SWORD:
        if (c.spShot && !c.IsItemCmd()) {
            cEdShot& s = *c.spShot;
            const int nTypes = static_cast<int>(db.vSwordTime.size());
            if (s.nMoveType >= nTypes) s.nMoveType = 0;
            if (s.nMoveType < nTypes) c.nTime = static_cast<int16_t>(std::clamp(db.vSwordTime[s.nMoveType], 0, 9999));
        }
        break;
    case CMD_CHANGE_GRAPHIC:
        if (vParam.size() >= 2 && vParam.data()[0] == 4 && vParam.data()[1] >= db.nCharaBmp)
            vParam.data()[1] = OneOrZero(db.nCharaBmp);
        break;
    case CMD_CHANGE_ANIMESET:
        if (!vParam.empty() && vParam.data()[0] >= db.nAnimeSet) vParam.data()[0] = 0;
        break;
    case CMD_RUN_ANIME: fixFirst(db.nAnime); break;
    case CMD_RUN_EFFECT: fixFirst(db.nEffect); break;
    case CMD_CHARA_EFFECT: fixFirst(db.nCharaEffect); break;
    case CMD_SCR_EFFECT: fixFirst(db.nScrEffect); break;
    case CMD_PICTURE: fixFirst(db.nPicture); break;
    case CMD_PLAY_SE: fixFirst(db.nSE); break;
    case CMD_PLAY_BGM: fixFirst(db.nBgm); break;
    default: break;
    }
}

}  // namespace

void cFlowCmd::CheckOwnDbIndex() {
    const FLOWDBCOUNTS* db = GetFlowDbCounts();
    if (db) {
        if (nAnime >= db->nAnime) nAnime = 0;
        if (nSE >= db->nSE) nSE = 0;
    }
    if (const CMDTABLEROW* row = GetCmdTableRow(nNumbering, nCode)) {
        const auto n = static_cast<size_t>(row->nParamNum);
        if (vParam.size() != n) ResizeParams(vParam, n);
    }
    if (db) {
        if (const int code = GetCharaCode(); IndexesDbByCode(code)) CheckCodeDbIndex(*this, *db, code);
        if (spShot) spShot->Normalize(db);
    }
}

namespace {

// The palette validation of one command alone; both the walk with the
// sub-flows and a command's save run it, each without a call.
inline void CheckCmdPalette(cFlowCmd& c, const FLOWPALETTESIZES& sizes) {
    const int code = c.GetCharaCode();
    if (!c.IsItemCmd() && c.spShot) {
        cEdShot& s = *c.spShot;
        if (code == CMD_SHOT || code == CMD_SWORD) {
            // Carried item: kind 1 common, 2 stage palette.
            if ((s.nItemKind == 1 || s.nItemKind == 2) && s.nItemIndex >= sizes.nItem[s.nItemKind - 1]) {
                s.nItemKind = 0;
                s.nItemIndex = 0;
            }
        } else if (code == CMD_SUMMON_BLOCK || code == CMD_SUMMON_CHARA || code == CMD_SUMMON_ITEM) {
            const int* list = code == CMD_SUMMON_BLOCK ? sizes.nBlock
                              : code == CMD_SUMMON_CHARA ? sizes.nChara
                                                         : sizes.nItem;
            // Summon kind 0 common, 1 stage palette; anything else reads as the common one.
            if (s.nSummonKind > 1) s.nSummonKind = 0;
            const int size = list[s.nSummonKind];
            if (s.nSummonIndex >= size) s.nSummonIndex = static_cast<int16_t>(OneOrZero(size));
        }
    }
    if (code == CMD_GET_ITEM) {
        // p[0] palette (0 common, 1 stage; anything else reads as common), p[1] item index.
        if (c.vParam.size() < 2) c.vParam.resize(2, 0);
        int32_t* p = c.vParam.data();
        if (p[0] != 0 && p[0] != 1) p[0] = 0;
        const int size = sizes.nItem[p[0]];
        if (p[1] >= size) p[1] = OneOrZero(size);
    }
}

}  // namespace

void cFlowCmd::CheckPaletteIndex(const FLOWPALETTESIZES& sizes) {
    if (HasPaletteRefs()) CheckCmdPalette(*this, sizes);
    // Most commands carry no flow: one inline test, no call.
    if (HasSubFlows())
        for (cFlow& f : m_pExtra->vSubFlow) f.CheckPaletteIndex(sizes);
}

void cFlowCmd::CheckOwnPaletteIndex(const FLOWPALETTESIZES& sizes) { CheckCmdPalette(*this, sizes); }

void cFlowCmd::CheckLoadedPaletteIndex() {
    if (const FLOWPALETTESIZES* sizes = CmdPaletteChecksOnLoad()) CheckCmdPalette(*this, *sizes);
}
