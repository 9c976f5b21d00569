#include "stage/flow_cmd.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "records/free_ahead.h"
#include "records/text_rows.h"
#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/flow.h"
#include "stage/shared_records.h"
#include "stage/stage_clamp.h"

namespace {

using C = cFlowCmd;
constexpr FIELDROW<cFlowCmd> g_Rows[] = {
    {&C::nNumbering, 1}, {&C::nCode, 1},  {&C::nTime, 2},        {&C::nTimeInc, 2},
    {&C::bNoWait, 1},    {&C::nSE, 2},    {&C::bSEOnScreen, 1},  {&C::nAnime, 2},
    {&C::strText, 0},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

// The smallest flow stream: two count words of the record and three list counts.
constexpr size_t MIN_FLOW_BYTES = 20;

// A setting stored as an i32 flag and, when the flag is not 0, its stream.
template <class HOLDER>
void LoadShared(cDataReader& file, HOLDER& holder) {
    const int32_t flag = file.ReadI32();
    if (file.Failed()) return;
    if (flag == 0) {
        ReleaseShared(holder);
        return;
    }
    if (!holder) std::remove_cvref_t<decltype(*holder)>::Create(holder);
    holder->Load(file);
}

// Character codes whose commands CheckOwnStructure or CheckOwnDbIndex look
// at beyond the table row, the sound and the animation: their parameters
// or shot setting index lists.
constexpr uint64_t CHECKED_CODES =
    (uint64_t{1} << CMD_SWORD) | (uint64_t{1} << CMD_GET_ITEM) | (uint64_t{1} << CMD_CHANGE_GRAPHIC) |
    (uint64_t{1} << CMD_CHANGE_ANIMESET) | (uint64_t{1} << CMD_RUN_ANIME) | (uint64_t{1} << CMD_RUN_EFFECT) |
    (uint64_t{1} << CMD_CHARA_EFFECT) | (uint64_t{1} << CMD_SCR_EFFECT) | (uint64_t{1} << CMD_PICTURE) |
    (uint64_t{1} << CMD_PLAY_SE) | (uint64_t{1} << CMD_PLAY_BGM);

// Whether CheckOwnStructure passes the shot setting of a command of
// character code `code` (its list indices not negative; its formation and
// movement in their tables where the code reads them).
[[gnu::always_inline]] inline bool ShotPasses(const cFlowCmd& c, const cEdShot& s, int code) {
    if (s.nEffect < 0 || s.nItemIndex < 0 || s.nSummonIndex < 0) return false;
    if (c.IsItemCmd()) return true;
    const bool bFormation = code == CMD_SHOT || (code >= CMD_SUMMON_BLOCK && code <= CMD_SUMMON_ITEM);
    return !(bFormation && s.nFormation >= FORMATION_NUM) && !(code == CMD_SHOT && s.nMoveType >= SHOT_MOVE_NUM);
}

// The parameters brought to n (new ones 0): apart, as few commands need it.
[[gnu::noinline, gnu::cold]] void ResizeParams(cParamList& v, size_t n) { v.resize(n, 0); }

// CheckOwnDbIndex for a code in its table (`row`) and outside CHECKED_CODES,
// but for the shot setting's normalisation: the sound and the animation
// against the database sizes `db` (null: none known), the parameter count.
[[gnu::always_inline]] inline void CheckPlainDbIndex(cFlowCmd& c, const CMDTABLEROW& row, const FLOWDBCOUNTS* db) {
    if (db) {
        if (c.nAnime >= db->nAnime) c.nAnime = 0;
        if (c.nSE >= db->nSE) c.nSE = 0;
    }
    const auto n = static_cast<size_t>(row.nParamNum);
    if (c.vParam.size() != n) [[unlikely]]
        ResizeParams(c.vParam, n);
}

// The checks at the end of Load for a plain command (a code in its table
// and outside CHECKED_CODES, no negative sound or animation, a shot setting
// that passes, no sub-flow), in one pass: CheckOwnStructure passes, and
// CheckOwnDbIndex comes down to the sound, the animation, the parameter
// count and the normalisation of the shot setting. False, with nothing
// changed, for any other command.
[[gnu::always_inline]] inline bool CheckPlainLoaded(cFlowCmd& c) {
    const CMDTABLEROW* row = GetCmdTableRow(c.nNumbering, c.nCode);
    const int code = c.GetCharaCode();
    if (!row || c.nSE < 0 || c.nAnime < 0 || c.HasSubFlows() || ((CHECKED_CODES >> code) & 1) != 0 ||
        (c.spShot && !ShotPasses(c, *c.spShot, code)))
        return false;
    const FLOWDBCOUNTS* db = GetFlowDbCounts();
    CheckPlainDbIndex(c, *row, db);
    if (db && c.spShot) c.spShot->Normalize(db);
    return true;
}

template <class HOLDER>
void SaveShared(cDataWriter& file, const HOLDER& holder) {
    file.WriteI32(holder ? 1 : 0);
    if (holder) holder->Save(file);
}

// Bytes of the current streams of the move and shot settings.
struct SETTINGBYTES {
    size_t nMove;
    size_t nShot;
};

// Copies the n bytes of a parameter list (a few words mostly) without a
// library call up to 32 bytes.
[[gnu::always_inline]] inline void CopyParamBytes(uint8_t* dst, const int32_t* src, size_t n) {
    if (n <= 16) {
        CopyRunBytes(dst, src, n);
    } else if (n <= 32) {
        const auto* s = reinterpret_cast<const uint8_t*>(src);
        std::memcpy(dst, s, 16);
        std::memcpy(dst + n - 16, s + n - 16, 16);
    } else {
        std::memcpy(dst, src, n);
    }
}

// The current stream of a command that holds no condition list and no
// sub-flow, in one piece, as Save writes it after its checks: the record
// stream, the move and shot flags with their settings, the condition flag,
// the sub-flow count, the parameter count and the parameters.
[[gnu::always_inline]] inline void PutPlainCmd(cDataWriter& file, cFlowCmd& c, SETTINGBYTES settings) {
    using IMAGE = cCurrentRows<g_Rows>;
    static_assert(IMAGE::STRINGS == 1, "the text is the only string");
    const auto n = static_cast<uint32_t>(c.vParam.size());
    // Most commands hold no text: its length word alone.
    const bool bText = !c.strText.empty();
    const size_t text = bText ? CutTextBytes(c.strText) : 4;
    const size_t bytes = 8 + IMAGE::BYTES + text + 20 + size_t{n} * 4 + (c.spMove ? settings.nMove : 0) +
                         (c.spShot ? settings.nShot : 0);
    // TEXT_SLACK bytes asked for beyond the stream, given back at the end.
    // The record stream as PutTextRow writes it.
    uint8_t* p = file.Extend(bytes + TEXT_SLACK);
    constexpr uint32_t words[2] = {IMAGE::NUMBERS, IMAGE::STRINGS};
    std::memcpy(p, &words[0], 4);
    IMAGE::Gather(p + 4, c);
    std::memcpy(p + 4 + IMAGE::BYTES, &words[1], 4);
    p += 8 + IMAGE::BYTES;
    const auto put = [&p](uint32_t w) {
        std::memcpy(p, &w, 4);
        p += 4;
    };
    if (bText) p = PutText<true>(p, c.strText.Str());
    else put(1);
    put(c.spMove ? 1 : 0);
    if (c.spMove) p = c.spMove->PutCurrentStream(p);
    put(c.spShot ? 1 : 0);
    if (c.spShot) p = c.spShot->PutCurrentStream(p);
    put(0);
    put(0);
    put(n);
    if (n) CopyParamBytes(p, c.vParam.data(), size_t{n} * 4);
    file.Unextend(TEXT_SLACK);
}

}  // namespace

std::span<const FIELDROW<cFlowCmd>> cFlowCmd::Rows() { return g_Rows; }

cFlowCmd::cFlowCmd() = default;
cFlowCmd::cFlowCmd(cFlowCmd&&) noexcept = default;
cFlowCmd& cFlowCmd::operator=(cFlowCmd&&) noexcept = default;
namespace {

// Frees the rare members, apart from the destructor of every command.
[[gnu::noinline, gnu::cold]] void FreeExtra(std::unique_ptr<cFlowCmdExtra>& extra) { extra.reset(); }

}  // namespace

cFlowCmd::~cFlowCmd() {
    if (m_pExtra) [[unlikely]]
        FreeExtra(m_pExtra);
}

// Flattened: the destructor of each command inline in the loop.
[[gnu::flatten]] void cFlowCmd::FreeList(std::vector<cFlowCmd>& v) {
    // An empty list has no room at all.
    if (v.empty()) return;
    AskAheadOfFree(v.data(), v.size() * sizeof(cFlowCmd));
    v.clear();
}

cFlowCmd::cFlowCmd(const cFlowCmd& src) : cTableRecord(src) { *this = src; }

cFlowCmdExtra& cFlowCmd::Extra() const {
    if (!m_pExtra) m_pExtra = std::make_unique<cFlowCmdExtra>();
    return *m_pExtra;
}

// Constant-initialised: ready before any other static object can read them.
constinit const boost::shared_ptr<cCondList> cFlowCmd::s_NoCondList;
constinit const cSafeVector<cFlow> cFlowCmd::s_NoSubFlows;
constinit const std::shared_ptr<const CODEPROGRAM> cFlowCmd::s_NoCodeProgram;

std::span<cFlow> cFlowCmd::SubFlowSpan() {
    return m_pExtra ? std::span<cFlow>(m_pExtra->vSubFlow) : std::span<cFlow>();
}

cFlowCmd& cFlowCmd::operator=(const cFlowCmd& src) {
    if (this == &src) return *this;
    cTableRecord::operator=(src);
    nNumbering = src.nNumbering;
    nCode = src.nCode;
    vParam = src.vParam;
    strText = src.strText;
    nTime = src.nTime;
    nTimeInc = src.nTimeInc;
    bNoWait = src.bNoWait;
    nSE = src.nSE;
    bSEOnScreen = src.bSEOnScreen;
    nAnime = src.nAnime;
    CloneEdMove(spMove, src.spMove);
    CloneEdShot(spShot, src.spShot);
    if (src.m_pExtra) {
        cFlowCmdExtra& extra = Extra();
        extra.vSubFlow = src.m_pExtra->vSubFlow;
        extra.spCodeProgram = src.m_pExtra->spCodeProgram;
        CloneCondList(extra.spCondList, src.m_pExtra->spCondList);
    } else {
        m_pExtra.reset();
    }
    return *this;
}

void cFlowCmd::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

// Inline in its two callers, which run it for every command.
[[gnu::always_inline]] inline size_t cFlowCmd::TakeCurrentBytes(const uint8_t* p, size_t avail) {
    // The whole stream is looked over before anything is taken, so that a
    // stream of any other shape is left to LoadStream from its start.
    if (HasSubFlows()) return 0;
    using IMAGE = cCurrentRows<g_Rows>;
    static_assert(IMAGE::STRINGS == 1, "the text is the only string");
    const auto word = [p](size_t at) {
        uint32_t w;
        std::memcpy(&w, p + at, 4);
        return w;
    };
    // The record stream (count, numbers, string count, the text's length
    // word and its bytes), the move and shot flags, the condition flag, the
    // sub-flow count and the parameter count: every stream holds at least
    // their 20 bytes after the text, so the room for them is asked for once.
    // The text's bytes follow its length word unless it is empty.
    constexpr size_t HEAD = 12 + IMAGE::BYTES, TAIL = 20;
    if (avail < HEAD + TAIL || word(0) != IMAGE::NUMBERS || word(4 + IMAGE::BYTES) != IMAGE::STRINGS) return 0;
    size_t q = HEAD;
    if (const uint32_t len = word(8 + IMAGE::BYTES); len > 1) {
        if (len > avail - HEAD - TAIL) return 0;
        q += len;
    }
    // From here avail - q holds the words still to come: each setting's
    // stream is asked to leave room for them too.
    const uint8_t* pSetting[2] = {nullptr, nullptr};
    if (word(q)) {
        const size_t bytes = cEdMove::CurrentStreamBytes(p + q + 4, avail - q - 4);
        if (!bytes || avail - q - 4 - bytes < TAIL - 4) return 0;
        pSetting[0] = p + q + 4;
        q += bytes;
    }
    q += 4;
    if (word(q)) {
        const size_t bytes = cEdShot::CurrentStreamBytes(p + q + 4, avail - q - 4);
        if (!bytes || avail - q - 4 - bytes < TAIL - 8) return 0;
        pSetting[1] = p + q + 4;
        q += bytes;
    }
    q += 4;
    // An unset condition flag and a sub-flow count of 0, then the parameters.
    if ((word(q) | word(q + 4)) != 0) return 0;
    const uint32_t n = word(q + 8);
    q += 12;
    if (n > (avail - q) / 4) return 0;
    // The whole stream is in hand: the texts may be searched and copied in
    // wide steps up to its end.
    TakeTextRow<IMAGE>(p, *this, p + avail);
    if (pSetting[0]) cEdMove::TakeCurrentStream(spMove, pSetting[0]);
    else ReleaseShared(spMove);
    if (pSetting[1]) cEdShot::TakeCurrentStream(spShot, pSetting[1], GetFlowDbCounts());
    else ReleaseShared(spShot);
    if (m_pExtra) ReleaseShared(m_pExtra->spCondList);
    // Most commands hold no parameter: an empty list stays as it is.
    if (n != 0 || !vParam.empty()) vParam.AssignBytes(p + q, n);
    return q + size_t{n} * 4;
}

// Inline in Load, its only caller.
[[gnu::always_inline]] inline bool cFlowCmd::TakeCurrentStream(cDataReader& file) {
    const size_t avail = file.Remaining();
    const uint8_t* p = file.Peek(avail);
    const size_t bytes = p ? TakeCurrentBytes(p, avail) : 0;
    if (bytes) file.Skip(bytes);
    return bytes != 0;
}

[[gnu::always_inline]] inline void cFlowCmd::LoadInline(cDataReader& file) {
    if (nReadVersion != DATA_VERSION || !TakeCurrentStream(file)) {
        LoadStream(file);
        if (file.Failed()) return;
        if (nReadVersion < DATA_VERSION) Repair(nReadVersion);
    }
    if (!CheckLoaded()) FailStructure(file);
}

[[gnu::always_inline]] inline bool cFlowCmd::CheckLoaded() {
    // A plain command is checked in one pass; any other as below.
    if (!CheckPlainLoaded(*this)) {
        std::string why;
        if (!CheckOwnStructure(why)) return false;
        if (HasSubFlows()) RemoveEditorOnlyFlows(m_pExtra->vSubFlow);
        // The commands of the sub-flows checked themselves at the end of their loads.
        CheckOwnDbIndex();
    }
    // Few commands hold palette references: one inline test for the others.
    if (HasPaletteRefs()) [[unlikely]]
        CheckLoadedPaletteIndex();
    if (CmdCodeHasLimits(GetCharaCode())) NoteLoadedCmd(*this);
    return true;
}

void cFlowCmd::FailStructure(cDataReader& file) const {
    std::string why;
    CheckOwnStructure(why);
    file.SetFailed(why);
}

void cFlowCmd::Load(cDataReader& file) { LoadInline(file); }

void cFlowCmd::AppendLoaded(cDataReader& file, std::vector<cFlowCmd>& v, size_t n) {
    if (v.size() >= n) return;
    v.reserve(n);
    // Current streams
    // are taken straight from the bytes in hand, the reader moved past a run
    // of them at its end (or before a failure, or any other stream).
    const bool bCurrent = nReadVersion == DATA_VERSION;
    size_t avail = 0, q = 0;
    const uint8_t* p = nullptr;
    if (bCurrent) p = file.Peek(avail = file.Remaining());
    for (size_t i = v.size(); i < n; ++i) {
        cFlowCmd& c = v.emplace_back();
        if (p) {
            if (const size_t taken = c.TakeCurrentBytes(p + q, avail - q)) {
                q += taken;
                if (c.CheckLoaded()) continue;
                file.Skip(q);
                c.FailStructure(file);
                v.resize(n);
                return;
            }
        }
        // Any other stream: Load, out of line (the loop is for the run).
        file.Skip(q);
        q = 0;
        [&file, &c]() __attribute__((noinline)) { c.LoadInline(file); }();
        if (file.Failed()) {
            v.resize(n);
            return;
        }
        if (bCurrent) p = file.Peek(avail = file.Remaining());
    }
    file.Skip(q);
}

void cFlowCmd::LoadStream(cDataReader& file) {
    // A current record stream with its text whole is taken in place.
    LoadTextRow<g_Rows>(file, *this, [this](cDataReader& f) { LoadRows<g_Rows>(f, this); });
    LoadShared(file, spMove);
    LoadShared(file, spShot);
    // Condition lists exist from version 764 on; older streams carry no flag.
    // Most commands hold no list and carry no flow: a flag or count of 0
    // over nothing held is read past.
    const auto zero = [&file] {
        const uint8_t* p = file.Peek(4);
        return p && std::memcmp(p, "\0\0\0\0", 4) == 0;
    };
    if (nReadVersion >= 764) {
        if (!HasCondList() && zero()) file.ReadI32();
        else LoadShared(file, EditCondList());
    }
    if (file.Failed()) return;
    if (!HasSubFlows() && zero()) file.ReadU32();
    else LoadRecordList(file, EditSubFlows(), MIN_FLOW_BYTES);
    const uint32_t n = file.ReadCount(4);
    if (file.Failed()) return;
    vParam.resize(n);
    if (n) file.Read(vParam.data(), static_cast<size_t>(n) * 4);
}

void cFlowCmd::Save(cDataWriter& file) {
    // Every command, those of the sub-flows included, is checked by its own
    // save just before it is written (unless its stage checked them all).
    if (const FLOWPALETTESIZES* sizes = CmdChecksOnSave()) {
        CheckOwnDbIndex();
        if (HasPaletteRefs()) CheckOwnPaletteIndex(*sizes);
    } else if (IndexChecksOnSave()) {
        CheckOwnDbIndex();
    }
    if (nDataVersion == DATA_VERSION && !HasCondList() && !HasSubFlows()) {
        PutCurrentStream(file);
        return;
    }
    SaveStream(file);
}

void cFlowCmd::SaveRun(cDataWriter& file, cFlowCmd* cmds, size_t n) {
    if (nDataVersion != DATA_VERSION) {
        for (size_t i = 0; i < n; ++i) cmds[i].Save(file);
        return;
    }
    // The checks of Save, their context the same for the whole run (only a
    // stage's save changes it, around its lists).
    const FLOWPALETTESIZES* sizes = CmdChecksOnSave();
    const bool bCheck = sizes || IndexChecksOnSave();
    const FLOWDBCOUNTS* db = GetFlowDbCounts();
    const SETTINGBYTES settings{cEdMove::CurrentStreamSize(), cEdShot::CurrentStreamSize()};
    for (size_t i = 0; i < n; ++i) {
        cFlowCmd& c = cmds[i];
        if (bCheck) {
            // The database validation of CheckOwnDbIndex, inline for a code
            // in its table and outside CHECKED_CODES (most): the sound, the
            // animation and the parameter count. The shot setting's
            // normalisation is left to its write below, which runs it.
            const CMDTABLEROW* row = GetCmdTableRow(c.nNumbering, c.nCode);
            const int code = c.GetCharaCode();
            if (row && ((CHECKED_CODES >> code) & 1) == 0) [[likely]] {
                CheckPlainDbIndex(c, *row, db);
            } else {
                c.CheckOwnDbIndex();
            }
            if (sizes && c.HasPaletteRefs()) c.CheckOwnPaletteIndex(*sizes);
        }
        if (c.m_pExtra && (c.m_pExtra->spCondList || !c.m_pExtra->vSubFlow.empty())) c.SaveStream(file);
        else PutPlainCmd(file, c, settings);
    }
}

void cFlowCmd::SaveStream(cDataWriter& file) {
    SaveRows<g_Rows>(file, this);
    SaveShared(file, spMove);
    SaveShared(file, spShot);
    SaveShared(file, CondList());
    if (m_pExtra) SaveRecordVector(file, m_pExtra->vSubFlow);
    else file.WriteU32(0);
    const auto n = static_cast<uint32_t>(vParam.size());
    file.WriteU32(n);
    if (n) file.Write(vParam.data(), size_t{n} * 4);
}

void cFlowCmd::PutCurrentStream(cDataWriter& file) {
    PutPlainCmd(file, *this, {cEdMove::CurrentStreamSize(), cEdShot::CurrentStreamSize()});
}

void cFlowCmd::Clear() {
    // A new command: stored members 0 but byte 11 = 1, settings released,
    // no parameters, no sub-flows.
    *this = cFlowCmd();
}
