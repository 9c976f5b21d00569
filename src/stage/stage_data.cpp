#include "stage/stage_data.h"

#include <algorithm>
#include <vector>

#include "records/services.h"
#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/stage_clamp.h"
#include "stage/stage_validate.h"

namespace {

using S = cStageData;
// The settings in stored order: member, width, first version that stores it.
constexpr FIELDROW<S> g_StageRows[] = {
    {&S::nWidth, 4},
    {&S::nReserved2, 4},
    {&S::nReserved3, 4},
    {&S::nHeight, 4},
    {&S::bScrollLeft, 4},
    {&S::bScrollRight, 4},
    {&S::bScrollTop, 4},
    {&S::bScrollBottom, 4},
    {&S::nScrollLeft, 4},
    {&S::nScrollRight, 4},
    {&S::nScrollTop, 4},
    {&S::nScrollBottom, 4},
    {&S::nFps, 4},
    {&S::bTimeLimit, 4},
    {&S::nTimeLimit, 4},
    {&S::nStatusDisplay, 4},
    {&S::nScrollKindX, 4},
    {&S::nScrollKindY, 4},
    {&S::nAutoScrollX, 4},
    {&S::nAutoScrollY, 4},
    {&S::dGravity, 8},
    {&S::nHitLevel, 4},
    {&S::nStepLevel, 4},
    {&S::nBgm, 4},
    {&S::nBgmValue2, 4, 166},
    {&S::bBgmContinue, 4, 199},
    {&S::nDrawSwitch, 4},
    {&S::bCarryHeroStatus, 4},
    {&S::nEndSetting, 4},
    {&S::nHitOption, 4, 183},
    {&S::bSkipResults, 4, 184},
    {&S::bStageBanner, 4},
    {&S::bStartBanner, 4, 225},
    {&S::bClearBanner, 4},
    {&S::bGameOverBanner, 4},
    {&S::nHeroBodyAW, 4, 200},
    {&S::nHeroBodyAH, 4, 200},
    {&S::nHeroBodyBW, 4, 200},
    {&S::nHeroBodyBH, 4, 200},
    {&S::nHeroRange0W, 4},
    {&S::nHeroRange0H, 4},
    {&S::nHeroRange0FlyW, 4, 155},
    {&S::nHeroRange0FlyH, 4, 155},
    {&S::nHeroRange1W, 4},
    {&S::nHeroRange1H, 4},
    {&S::nHeroBox3W, 4},
    {&S::nHeroBox3H, 4},
    {&S::bHeroBodyAAlign, 4, 200},
    {&S::bHeroBodyBAlign, 4, 200},
    {&S::bHeroRange0Align, 4, 155},
    {&S::bHeroRange0FlyAlign, 4, 155},
    {&S::nHeroBoxShow1, 4, 200},
    {&S::nHeroBoxShow2, 4},
    {&S::nHeroBoxShow3, 4},
    {&S::nHeroBoxShow4, 4},
    {&S::nHeroBoxColour1, 4, 200},
    {&S::nHeroBoxColour2, 4},
    {&S::nHeroBoxColour3, 4},
    {&S::nHeroBoxColour4, 4},
    {&S::nCharaBodyAW, 4, 200},
    {&S::nCharaBodyAH, 4, 200},
    {&S::nCharaBodyBW, 4, 200},
    {&S::nCharaBodyBH, 4, 200},
    {&S::nCharaRange0W, 4},
    {&S::nCharaRange0H, 4},
    {&S::nCharaRange0FlyW, 4, 155},
    {&S::nCharaRange0FlyH, 4, 155},
    {&S::nCharaRange1W, 4},
    {&S::nCharaRange1H, 4},
    {&S::bCharaBodyAAlign, 4, 200},
    {&S::bCharaBodyBAlign, 4, 200},
    {&S::bCharaRange0Align, 4, 155},
    {&S::bCharaRange0FlyAlign, 4, 155},
    {&S::nItemSet1, 4},
    {&S::nItemSet2, 4},
    {&S::nHeroRange2W, 4},
    {&S::nHeroRange2H, 4},
    {&S::nReserved78, 4},
    {&S::nReserved79, 4},
    {&S::nShotRangeW, 4},
    {&S::nShotRangeH, 4},
    {&S::nReserved82, 4},
    {&S::nReserved83, 4},
    {&S::nReserved84, 4},
    {&S::nOuterX, 4},
    {&S::nOuterY, 4},
    {&S::nSteps, 4},
    {&S::dSteps, 8},
    {&S::dSteps2, 8},
    {&S::dSpeedLimit, 8},
    {&S::dGravityStep, 8},
    {&S::dSpeedLimitStep, 8},
    {&S::nSteps8, 4},
    {&S::bSearchSwitch, 4},
    {&S::nHeroHitWait, 4},
    {&S::nHeroInvincible, 4},
    {&S::nCharaHitWait, 4},
    {&S::nCharaInvincible, 4},
    {&S::strText, 0},
};
static_assert(WidthsMatch(g_StageRows), "a width column disagrees with its member");

// The short layout leaves out the five derived doubles #88..#92.
std::vector<FIELDROW<S>> BuildShortRows() {
    std::vector<FIELDROW<S>> rows;
    for (const auto& r : g_StageRows) {
        const auto* pd = std::get_if<double S::*>(&r.lpMember);
        if (pd && *pd != &S::dGravity) continue;
        rows.push_back(r);
    }
    return rows;
}

const std::vector<FIELDROW<S>>& ShortRowsVector() {
    static const std::vector<FIELDROW<S>> rows = BuildShortRows();
    return rows;
}

// Smallest streams: a record (two counts), a placed entry (its zero word and a
// record), a background layer and a text (a record with one string).
constexpr size_t MIN_RECORD_BYTES = 8;
constexpr size_t MIN_PLACED_BYTES = 12;

template <class V>
void LoadPalette(cDataReader& file, V& list) {
    uint32_t n = file.ReadCount(MIN_RECORD_BYTES);
    if (file.Failed()) return;
    list.clear();
    list.resize(n);
    for (auto& e : list) {
        e.Load(file);
        if (file.Failed()) return;
    }
}

// Reads the placed objects, each made in its place and loaded at once (no
// default list made first and then loaded over), then handed to
// loaded(element) while it is still in the cache. A failure ends the list
// with new elements after it, as a list made n long first would have.
template <class V, class LOADED>
void LoadPlaced(cDataReader& file, V& list, LOADED loaded) {
    uint32_t n = file.ReadCount(MIN_PLACED_BYTES);
    if (file.Failed()) return;
    list.clear();
    list.reserve(n);
    while (list.size() < n) {
        file.ReadU32();
        auto& e = list.emplace_back();
        e.Load(file);
        if (file.Failed()) {
            list.resize(n);
            return;
        }
        loaded(e);
    }
}
template <class V>
void LoadPlaced(cDataReader& file, V& list) {
    LoadPlaced(file, list, [](auto&) {});
}

// Each placed object gets its index checks just before it is written, while
// it is still in the cache from the checks.
template <class V, class CHECK>
void SavePlaced(cDataWriter& file, V& list, CHECK check) {
    file.WriteU32(static_cast<uint32_t>(list.size()));
    for (auto& e : list) {
        check(e);
        file.WriteU32(0);
        e.Save(file);
    }
}

}  // namespace

std::span<const FIELDROW<cStageData>> cStageData::Rows() { return g_StageRows; }
std::span<const FIELDROW<cStageData>> cStageData::ShortRows() { return ShortRowsVector(); }

cStageData::cStageData() { Clear(); }

void cStageData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cStageData::Clear() {
    ClearRows(Rows(), this);
    vPlacedBlock.clear();
    vPlacedChara.clear();
    vPlacedItem.clear();
    // Each palette list keeps exactly one entry (a new one gets its class clear).
    vBlock.resize(1);
    vChara.resize(1);
    vItem.resize(1);

    nFps = 60;
    nTimeLimit = 200;
    nStatusDisplay = 20;
    dGravity = 0.4;
    nHitLevel = 10;
    nDrawSwitch = 1;
    nHitOption = 1;
    bStartBanner = 1;
    bClearBanner = 1;
    bGameOverBanner = 1;
    nHeroBodyAW = 16, nHeroBodyAH = 24, nHeroBodyBW = 16, nHeroBodyBH = 16;
    nHeroRange0W = 16, nHeroRange0H = 24, nHeroRange0FlyW = 16, nHeroRange0FlyH = 16;
    nHeroRange1W = 12, nHeroRange1H = 8, nHeroBox3W = 16, nHeroBox3H = 16;
    bHeroBodyAAlign = 1, bHeroBodyBAlign = 0, bHeroRange0Align = 1, bHeroRange0FlyAlign = 0;
    nCharaBodyAW = 16, nCharaBodyAH = 24, nCharaBodyBW = 16, nCharaBodyBH = 16;
    nCharaRange0W = 12, nCharaRange0H = 24, nCharaRange0FlyW = 12, nCharaRange0FlyH = 16;
    nCharaRange1W = 30, nCharaRange1H = 30;
    bCharaBodyAAlign = 1, bCharaBodyBAlign = 0, bCharaRange0Align = 1, bCharaRange0FlyAlign = 0;
    nItemSet1 = 28, nItemSet2 = 28;
    nHeroRange2W = 16, nHeroRange2H = 16, nReserved78 = 16, nReserved79 = 16;
    nShotRangeW = 16, nShotRangeH = 16, nReserved82 = 16, nReserved83 = 16;
    nReserved84 = 1;
    bSearchSwitch = 1;
    nHeroHitWait = 30;
    nCharaHitWait = 30;

    // One background layer (a new one generic-cleared), its b = 1.
    vBg.resize(1);
    vBg[0].b = 1;
    vRankSwitch.assign(STAGE_RANK_SWITCH_NUM, 1);
    for (auto& r : StageIntRec) r.Set(0, 0, 0, 0, 0, 0, 0, 0);
    StageIntRec[3].Set(1, 1, 1, 1, 0, 0, 0, 0);
    StageIntRec[4].Set(1, 1, 1, 1, 10, 10, 10, 10);
    // A cleared stage carries consistent derived values.
    SetHitLevel(nHitLevel);
}

void cStageData::SetHitLevel(int32_t level) {
    nHitLevel = level;
    const bool bFast = level >= 11 && level <= 19;
    const int32_t v = bFast ? level - 10 : level;
    nSteps = v;
    dSteps = v;
    // Out-of-range levels (refused after loading) must not overflow here.
    nSteps6 = static_cast<int32_t>(6LL * v);
    dSteps2 = static_cast<double>(v) * v;
    dSpeedLimit = bFast ? 60.0 : 6.0 * v;
    // A level without steps has no per-step values (the load refuses such a stage).
    dSpeedLimitStep = v != 0 ? dSpeedLimit / v : 0.0;
    nSteps8 = static_cast<int32_t>(8LL * v);
    dGravityStep = v != 0 ? dGravity / (static_cast<double>(v) * v) : 0.0;
}

int cStageData::FindHero() const {
    for (size_t i = 0; i < vPlacedChara.size(); ++i) {
        const cCharaData& c = vPlacedChara.data()[i];
        if (c.wGraphic != 0 && c.byController == CONTROLLER_PLAYER) return static_cast<int>(i);
    }
    return -1;
}

void cStageData::Load(cDataReader& file) {
    // The stage is read into a working copy that keeps this record's settings
    // (values a version does not store stay as they were) and replaces it only
    // when the whole stream was read and checked.
    cStageData work;
    work.CopyValues(*this);
    work.vRankSwitch = vRankSwitch;
    std::copy_n(StageIntRec, INTREC_NUM, work.StageIntRec);
    work.vBg = vBg;
    work.vText = vText;
    work.vBlock.clear();
    work.vChara.clear();
    work.vItem.clear();
    work.strFileName = strFileName;
    work.bNumbered = bNumbered;
    work.bLoaded = bLoaded;
    work.nOldWord = nOldWord;

    const PALETTELISTS own{&work.vBlock, &work.vChara, &work.vItem};
    cStagePaletteScope scope(own);
    const bool bBlocksInside = work.LoadStream(file);
    std::string why;
    if (!file.Failed() && !CheckStageStructure(work, why, bBlocksInside)) file.SetFailed(why);
    if (file.Failed()) {
        RecWriteReport("stage stream refused: " + file.FailReason());
        return;
    }
    *this = std::move(work);
}

bool cStageData::LoadStream(cDataReader& file) {
    const uint32_t v = nReadVersion;
    // Notes whether a command read (or copied from a template) needs the clamp.
    const cCmdClampWatch watch;
    // The count word chooses the layout: the short one has five fields fewer.
    uint32_t nCount = file.ReadU32();
    if (file.Failed()) return false;
    const bool bShort = static_cast<int>(nCount) == CountNumericRows(ShortRows(), v) &&
                        static_cast<int>(nCount) != CountNumericRows(Rows(), v);
    LoadRowsAfterCount(file, nCount, bShort ? ShortRows() : Rows(), this);
    if (file.Failed()) return false;

    uint32_t n = file.ReadCount(4);
    if (file.Failed()) return false;
    vRankSwitch.resize(n, 0);
    for (auto& s : vRankSwitch) s = file.ReadU32();
    for (auto& rec : StageIntRec) {
        rec.Load(file);
        if (file.Failed()) return false;
    }

    {
        // The palettes' flows are checked by Validate, once all three lists are in.
        cDeferFlowChecksScope defer;
        LoadPalette(file, vBlock);
        if (!vBlock.empty()) vBlock[0].Clear();
        LoadPalette(file, vChara);
        if (!vChara.empty()) vChara[0].Clear();
        LoadPalette(file, vItem);
        if (!vItem.empty()) vItem[0].Clear();
        if (file.Failed()) return false;
    }

    // The palettes are in: when none is short of the two entries that the
    // validation pads it to, their sizes are those that the validation
    // checks the placed blocks' items against, and the blocks' only check
    // left after their loads, that of their item, is run as each is read.
    // Their cells are looked at then too, for the structure check.
    const bool bItemsFinal = vBlock.size() >= 2 && vChara.size() >= 2 && vItem.size() >= 2;
    bool bBlocksInside = true;
    LoadPlaced(file, vPlacedBlock, [&](cBlockData& b) {
        if (bItemsFinal) b.CheckItemIndex();
        if (b.wCellX >= nWidth || b.wCellY >= nHeight) bBlocksInside = false;
    });
    {
        // The placed characters' commands run their palette checks as they
        // load (the palette sizes do not change while the characters are
        // read), rather than in a walk over each character's flows after it.
        // A failure drops this working copy.
        const cCmdPaletteChecksOnLoadScope paletteChecks(GetPaletteSizes());
        LoadPlaced(file, vPlacedChara);
    }
    LoadPlaced(file, vPlacedItem);
    if (file.Failed()) return false;

    LoadRecordVector(file, vBg);
    LoadRecordVector(file, vText);
    if (v >= 173) file.ReadU32();
    if (file.Failed()) return false;

    if (v < nDataVersion) Convert(v);
    Validate(true, bItemsFinal);
    ClampStageValues(*this, watch.Noted());
    return bBlocksInside;
}

void cStageData::Convert(uint32_t v) {
    if (v < 155) {
        nHeroRange0FlyW = nHeroRange0W;
        nHeroRange0FlyH = nHeroRange0H;
        nCharaRange0FlyW = nCharaRange0W;
        nCharaRange0FlyH = nCharaRange0H;
        bHeroRange0Align = bHeroRange0FlyAlign = 0;
        bCharaRange0Align = bCharaRange0FlyAlign = 0;
    }
    if (v < 166) nBgmValue2 = 1;
    if (v < 181) {
        vRankSwitch.resize(STAGE_RANK_SWITCH_NUM, 0);
        vRankSwitch[3] = 0;
        vRankSwitch[4] = 0;
    }
    if (v < 183) nHitOption = 1;
    if (v < 184) bSkipResults = 0;
    if (v < 199) bBgmContinue = 0;
    if (v < 200) {
        nHeroBodyAW = 16, nHeroBodyAH = 24, nHeroBodyBW = 16, nHeroBodyBH = 16;
        bHeroBodyAAlign = 1, bHeroBodyBAlign = 0;
        nHeroBoxShow1 = 0;
        nHeroBoxColour1 = 5;
        nCharaBodyAW = 16, nCharaBodyAH = 30, nCharaBodyBW = 16, nCharaBodyBH = 30;
        bCharaBodyAAlign = 1, bCharaBodyBAlign = 1;
    }
    if (v < 208) nOldWord = 0;
    if (v < 225) bStartBanner = 0;
    if (v < 754) vText.resize(STAGE_TEXT_NUM);
}

void cStageData::SaveSettings(cDataWriter& file) {
    SaveRows(file, Rows(), this);
    file.WriteU32(static_cast<uint32_t>(vRankSwitch.size()));
    for (uint32_t s : vRankSwitch) file.WriteU32(s);
    for (auto& rec : StageIntRec) rec.Save(file);
}

void cStageData::SaveObjects(cDataWriter& file) {
    const PALETTELISTS own{&vBlock, &vChara, &vItem};
    cStagePaletteScope scope(own);
    SaveRecordVector(file, vBlock);
    SaveRecordVector(file, vChara);
    SaveRecordVector(file, vItem);
    file.WriteU32(static_cast<uint32_t>(vPlacedBlock.size()));
    cBlockData::SavePlacedRun(file, vPlacedBlock.data(), vPlacedBlock.size());
    {
        // Each command of a placed character is checked in its own save, so
        // that it is read once for both.
        const cCmdChecksOnSaveScope cmdChecks(GetPaletteSizes());
        SavePlaced(file, vPlacedChara, [](cCharaData& c) { c.CheckIndexButCmds(); });
    }
    SavePlaced(file, vPlacedItem, [](cItemData& it) { CheckPlacedItem(it, false); });
}

void cStageData::Save(cDataWriter& file) {
    // The placed objects are checked as they are written.
    ValidateAllButPlaced();
    const cCheckedSaveScope checked;
    SaveSettings(file);
    SaveObjects(file);
    SaveRecordVector(file, vBg);
    SaveRecordVector(file, vText);
    file.WriteU32(STAGE_TRAILER);
}

void cStageData::SaveForReplay(cDataWriter& file, cStageData& settings) {
    // The placed objects are checked as they are written.
    ValidateAllButPlaced();
    const cCheckedSaveScope checked;
    settings.SaveSettings(file);
    SaveObjects(file);
    SaveRecordVector(file, settings.vBg);
    SaveRecordVector(file, settings.vText);
    file.WriteU32(STAGE_TRAILER);
}
