#include "stage/chara_data.h"

#include <algorithm>

#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/stage_clamp.h"

namespace {

using C = cCharaData;
constexpr FIELDROW<C> g_CharaRows[] = {
    {&C::byTemplateKind, 1},
    {&C::wTemplateIndex, 2},
    {&C::byCondMode, 1},
    {&C::byCondLatch, 1},
    {&C::byFacing, 1},
    {&C::byRepeat, 1},
    {&C::nOffsetXBase, 2},
    {&C::nOffsetXStep, 2},
    {&C::nOffsetYBase, 2},
    {&C::nOffsetYStep, 2},
    {&C::bOffsetXMirror, 1},
    {&C::bOffsetYMirror, 1},
    {&C::wGraphic, 2},
    {&C::byGraphicKind, 1},
    {&C::wGraphicSub, 2},
    {&C::wAnimeSet, 2},
    {&C::byZ, 1},
    {&C::bTransparent, 1},
    {&C::wAppearEffect, 2},
    {&C::byAppearEffectMode, 1, 196},
    {&C::bAppearEffectRepeat, 1},
    {&C::wDeathEffect, 2},
    {&C::byDeathEffectMode, 1, 196},
    {&C::bMark, 1},
    {&C::wMark, 2},
    {&C::byController, 1},
    {&C::byKeyInput, 1},
    {&C::byForce, 1},
    {&C::byCharaId, 1},
    {&C::byFlying, 1},
    {&C::bFixedFacing, 1},
    {&C::byInvincible, 1},
    {&C::bySetting33, 1, 285},
    {&C::bWholeCell, 1},
    {&C::chSize, 1},
    {&C::bAutoScrollSync, 1, 210},
    {&C::bySightShape, 1},
    {&C::bySightRange, 1},
    {&C::nMaxHP, 4},
    {&C::nMaxSP, 4},
    {&C::wStopEase, 2},
    {&C::byHitRangeKind, 1, 201},
    {&C::nBodyPower, 4},
    {&C::byBodyImpact, 1},
    {&C::wBodyEffect, 2},
    {&C::nDefence, 4, 168},
    {&C::byImpactResist, 1},
    {&C::nScore, 4},
    {&C::bySetting49, 1},
    {&C::bySetting50, 1},
    {&C::wSetting51, 2},
    {&C::bySetting52, 1},
    {&C::bySetting53, 1},
    {&C::strName, 0},
};
static_assert(WidthsMatch(g_CharaRows), "a width column disagrees with its member");

// A flow that can never do anything: no trigger, identity, group, condition,
// key step or command.
bool IsIdleFlow(const cFlow& f) {
    return f.nTrigger == 0 && f.nFlowID == 0 && f.nGroup == 0 && f.vCond.empty() && f.vKeyCond.empty() &&
           f.vCmd.empty();
}

}  // namespace

std::span<const FIELDROW<cCharaData>> cCharaData::Rows() { return g_CharaRows; }

cCharaData::cCharaData() { Clear(); }

void cCharaData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cCharaData::Clear() {
    nItem = 0;
    ClearRows<g_CharaRows>(this);
    vInherit.assign(CHARA_GROUP_NUM, 0);
    byGraphicKind = GRAPHIC_CHARA;
    byZ = 3;
    bAppearEffectRepeat = 1;
    byController = CONTROLLER_COMPUTER;
    byForce = 1;
    bFixedFacing = 1;
    chSize = 1;
    nMaxHP = 10;
    wStopEase = 10;
    bySetting49 = 1;
    wCellX = wCellY = 0;
    vCond.clear();
    vFlow.clear();
}

void cCharaData::Load(cDataReader& file) {
    LoadRows<g_CharaRows>(file, this);
    wCellX = file.ReadU16();
    wCellY = file.ReadU16();
    nItem = file.ReadI32();
    LoadFlagsAndConds(file);
    if (file.Failed()) return;
    LoadFlowList(file, vFlow);
    if (file.Failed()) return;
    if (nReadVersion < nDataVersion) Convert(nReadVersion);
    SizeFlags(CHARA_GROUP_NUM);
    const bool bFlowsCopied = ApplyTemplate();
    // The flows checked their database references as they loaded, and their
    // palette references too inside a cCmdPaletteChecksOnLoadScope (flows
    // copied from the template did not).
    CheckOwnIndex();
    if (!FlowChecksOnLoad()) return;
    // A lambda rather than the function's address: the test inline in the loop.
    const auto idle = [](const cFlow& f) { return IsIdleFlow(f); };
    if (CmdPaletteChecksOnLoad() && !bFlowsCopied) std::erase_if(vFlow, idle);
    else CheckFlows(false);
}

void cCharaData::InsertFlag(size_t k) {
    SizeFlags(CHARA_GROUP_NUM);
    vInherit.insert(vInherit.begin() + static_cast<std::ptrdiff_t>(k), 1);
    vInherit.pop_back();
}

void cCharaData::Convert(uint32_t v) {
    if (v < 168) {
        nDefence = 0;
        InsertFlag(27);
    }
    if (v < 196) {
        byAppearEffectMode = 0;
        byDeathEffectMode = 0;
    }
    if (v < 201) {
        byHitRangeKind = 0;
        InsertFlag(24);
    }
    if (v < 206 && static_cast<int8_t>(byHitRangeKind) >= 2) ++byHitRangeKind;
    if (v < 210) {
        bAutoScrollSync = 0;
        InsertFlag(21);
    }
    if (v < 219) wGraphic = RepairShotGraphic(byGraphicKind, wGraphic);
    if (v < 285) bySetting33 = 1;
}

void cCharaData::Save(cDataWriter& file) {
    if (IndexChecksOnSave()) CheckIndex();
    SaveRows<g_CharaRows>(file, this);
    file.WriteU16(wCellX);
    file.WriteU16(wCellY);
    file.WriteI32(nItem);
    SaveFlagsAndConds(file);
    SaveFlowList(file, vFlow);
}

bool cCharaData::ApplyTemplate() {
    if (!TemplatesEnabled()) return false;
    const cCharaData* t =
        FindTemplate(byTemplateKind, wTemplateIndex, GetCommonPalette().lpChara, GetStagePalette().lpChara);
    if (!t || t == this) return false;
    bool bFlowsCopied = false;
    for (size_t g = 0; g < CHARA_GROUP_NUM; ++g) {
        if (!Inherits(g)) continue;
        switch (g) {
        case 0: CopyNameFrom(*t); break;
        case 1: byController = t->byController, byKeyInput = t->byKeyInput; break;
        case 2: byForce = t->byForce; break;
        case 3: byCharaId = t->byCharaId; break;
        case 4: CopyCondsFrom(*t); break;
        case 5: byFacing = t->byFacing; break;
        case 6: byRepeat = t->byRepeat; break;
        case 7: nOffsetXBase = t->nOffsetXBase, nOffsetXStep = t->nOffsetXStep, bOffsetXMirror = t->bOffsetXMirror; break;
        case 8: nOffsetYBase = t->nOffsetYBase, nOffsetYStep = t->nOffsetYStep, bOffsetYMirror = t->bOffsetYMirror; break;
        case 9: byGraphicKind = t->byGraphicKind, wGraphic = t->wGraphic, wGraphicSub = t->wGraphicSub; break;
        case 10: wAnimeSet = t->wAnimeSet; break;
        case 11: byZ = t->byZ; break;
        case 12: bTransparent = t->bTransparent; break;
        case 13:
            wAppearEffect = t->wAppearEffect, byAppearEffectMode = t->byAppearEffectMode;
            bAppearEffectRepeat = t->bAppearEffectRepeat;
            break;
        case 14: wDeathEffect = t->wDeathEffect, byDeathEffectMode = t->byDeathEffectMode; break;
        case 15: bMark = t->bMark, wMark = t->wMark; break;
        case 16: bFixedFacing = t->bFixedFacing; break;
        case 17: byFlying = t->byFlying; break;
        case 18: byInvincible = t->byInvincible, bySetting33 = t->bySetting33; break;
        case 19: bWholeCell = t->bWholeCell; break;
        case 20: chSize = t->chSize; break;
        case 21: bAutoScrollSync = t->bAutoScrollSync; break;
        case 22: bySightShape = t->bySightShape, bySightRange = t->bySightRange; break;
        case 23: nMaxHP = t->nMaxHP; break;
        case 24: nMaxSP = t->nMaxSP; break;
        case 25: byHitRangeKind = t->byHitRangeKind; break;
        case 26: nBodyPower = t->nBodyPower; break;
        case 27: byBodyImpact = t->byBodyImpact; break;
        case 28: wBodyEffect = t->wBodyEffect; break;
        case 29: nDefence = t->nDefence; break;
        case 30: byImpactResist = t->byImpactResist; break;
        case 31: wStopEase = t->wStopEase; break;
        case 32: bySetting52 = t->bySetting52, bySetting53 = t->bySetting53; break;
        case 33: wSetting51 = t->wSetting51, bySetting50 = t->bySetting50; break;
        case 34: nScore = t->nScore; break;
        case 35: bySetting49 = t->bySetting49; break;
        case 36:
            vFlow = t->vFlow;
            NoteCopiedCmds();
            bFlowsCopied = true;
            break;
        }
    }
    return bFlowsCopied;
}

void cCharaData::CheckIndex() {
    CheckOwnIndex();
    CheckFlows(true);
}

void cCharaData::CheckOwnIndex() {
    CheckTemplateIndex(PaletteListSize(GetCommonPalette().lpChara), PaletteListSize(GetStagePalette().lpChara));
    if (const FLOWDBCOUNTS* db = GetFlowDbCounts()) {
        if (byGraphicKind == GRAPHIC_BMP && wGraphic >= db->nCharaBmp) wGraphic = db->nCharaBmp >= 2 ? 1 : 0;
        if (wAnimeSet >= db->nAnimeSet) wAnimeSet = 0;
        if (wAppearEffect >= db->nCharaEffect) wAppearEffect = 0;
        if (wDeathEffect >= db->nCharaEffect) wDeathEffect = 0;
        if (wBodyEffect >= db->nEffect) wBodyEffect = 0;
    }
    if (chSize < 1) chSize = 1;
    if (IsPlayer()) {
        bWholeCell = 0;
        byRepeat = 0;
    }
}

void cCharaData::CheckIndexButCmds() {
    CheckOwnIndex();
    std::erase_if(vFlow, IsIdleFlow);
}

void cCharaData::CheckFlows(bool bDb) {
    const FLOWPALETTESIZES sizes = GetPaletteSizes();
    for (size_t i = 0; i < vFlow.size();) {
        cFlow& f = vFlow[static_cast<int>(i)];
        if (bDb) f.CheckDbIndex();
        f.CheckPaletteIndex(sizes);
        if (IsIdleFlow(f))
            vFlow.erase(vFlow.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

void cCharaData::CheckFlowIndex() {
    const FLOWPALETTESIZES sizes = GetPaletteSizes();
    for (auto& f : vFlow) {
        f.CheckDbIndex();
        f.CheckPaletteIndex(sizes);
    }
}

double cCharaData::GetOffsetX(int n, int facing) const {
    double d = static_cast<double>(static_cast<int32_t>(nOffsetXBase) + static_cast<int32_t>(nOffsetXStep) * n);
    return (facing == 1 && bOffsetXMirror) ? -d : d;
}

double cCharaData::GetOffsetY(int n, int facing) const {
    double d = static_cast<double>(static_cast<int32_t>(nOffsetYBase) + static_cast<int32_t>(nOffsetYStep) * n);
    return (facing == 1 && bOffsetYMirror) ? -d : d;
}
