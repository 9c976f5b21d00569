#pragma once
// One command of a flow: a command code, timing, an optional sound and
// animation, integer parameters, optional move, shot and condition settings
// (each owned alone, cloned on copy) and the flows it carries.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "records/field_table.h"
#include "records/safe_container.h"
#include "records/text.h"
#include "stage/code_table.h"
#include "stage/cond_list.h"
#include "stage/flow_refs.h"
#include "stage/move.h"
#include "stage/param_list.h"
#include "stage/shot.h"

class cFlow;
struct CODEPROGRAM;

// What few commands hold: a condition list, carried flows, a compiled
// program. Kept apart so that a plain command (the hundred thousands of a
// stage) stays small and is made, copied and destroyed cheaply.
struct cFlowCmdExtra {
    boost::shared_ptr<cCondList> spCondList;  // condition list (empty: none)
    cSafeVector<cFlow> vSubFlow;              // flows the command carries
    // The code command's text as the expression evaluator compiled it: made
    // on the first run (by the game thread, which alone runs flows), shared
    // by copies. It keeps the text it was made from, so a changed text is
    // compiled again.
    std::shared_ptr<const CODEPROGRAM> spCodeProgram;
};

class cFlowCmd final : public cTableRecord {
public:
    // A cleared command: every stored member 0 but byte 11 = 1, no settings,
    // no parameters, no sub-flows.
    cFlowCmd();
    // Copies every member; the three settings are cloned, never shared; the
    // compiled program is shared.
    cFlowCmd(const cFlowCmd& src);
    cFlowCmd& operator=(const cFlowCmd& src);
    cFlowCmd(cFlowCmd&&) noexcept;
    cFlowCmd& operator=(cFlowCmd&&) noexcept;
    ~cFlowCmd() override;

    // Registers the stored fields of data version `version`.
    void Layout(uint32_t version) override;
    // Reads the record stream, the three settings (the condition list only
    // from version 764), the sub-flows and the parameters; then the repairs of
    // older files, the structural checks (a failure fails the load), the
    // removal of editor-only sub-flows and the database validation.
    void Load(cDataReader& file) override;
    // Database validation, then the record stream, the three settings with
    // their flags, the sub-flows and the parameters.
    void Save(cDataWriter& file) override;
    // A list's commands saved as Save saves each in turn, the save context
    // looked up once for the run and plain commands written inline.
    static void SaveRun(cDataWriter& file, cFlowCmd* cmds, size_t n);
    // A list's new commands: appends to v until it holds n, each a new
    // command loaded by Load, in room asked for once; the first failure ends
    // the list with new commands after it.
    static void AppendLoaded(cDataReader& file, std::vector<cFlowCmd>& v, size_t n);
    // Destroys the commands of v (its room is kept), each destructor inline
    // in one loop: a flow's list when the flow is freed.
    static void FreeList(std::vector<cFlowCmd>& v);
    // Generic clear, the three settings released, byte 11 = 1, parameters and
    // sub-flows emptied.
    void Clear();

    // Brings database references into range (sound, animation, parameter
    // count, per-code indices) here and in every sub-flow. Uses the sizes of
    // GetFlowDbCounts(); without them only the parameter count is imposed.
    void CheckDbIndex();
    // Brings palette references (carried items, summoned definitions, the
    // item taken) into range here and in every sub-flow.
    void CheckPaletteIndex(const FLOWPALETTESIZES& sizes);
    // False, with the reason, when the command holds what the runtime cannot
    // run: a code outside its executor table, a negative list index, a shot
    // formation or movement outside its parameter table, nesting
    // of sub-flows deeper than MAX_FLOW_NESTING (`depth`: flows around it).
    bool CheckStructure(std::string& why, int depth = 0) const;
    // Applies the repairs of files older than the current version, in
    // ascending version order, for a file of version `version`.
    void Repair(uint32_t version);

    // Whether the command uses item numbering.
    bool IsItemCmd() const { return nNumbering != 0; }
    // The code in character numbering (item code + 15).
    int GetCharaCode() const { return IsItemCmd() ? nCode + ITEM_CMD_OFFSET : nCode; }
    // Whether the command itself holds palette references (the item taken,
    // or the item carried or the definition summoned by its shot setting):
    // the palette validation changes nothing in any other command.
    bool HasPaletteRefs() const {
        const int code = GetCharaCode();
        if (code == CMD_GET_ITEM) return true;
        return spShot && !IsItemCmd() &&
               (code == CMD_SHOT || code == CMD_SWORD || (code >= CMD_SUMMON_BLOCK && code <= CMD_SUMMON_ITEM));
    }

    // Whether the command carries a flow / holds a condition list: one test
    // for a plain command.
    bool HasSubFlows() const { return m_pExtra && !m_pExtra->vSubFlow.empty(); }
    bool HasCondList() const { return m_pExtra && m_pExtra->spCondList; }
    // The condition list (empty: none).
    const boost::shared_ptr<cCondList>& CondList() const { return m_pExtra ? m_pExtra->spCondList : s_NoCondList; }
    // The condition list to set or change.
    boost::shared_ptr<cCondList>& EditCondList() { return Extra().spCondList; }
    // The flows the command carries.
    const cSafeVector<cFlow>& SubFlows() const { return m_pExtra ? m_pExtra->vSubFlow : s_NoSubFlows; }
    // The list of carried flows to change.
    cSafeVector<cFlow>& EditSubFlows() { return Extra().vSubFlow; }
    // The carried flows, each to change in place (the list itself unchanged).
    std::span<cFlow> SubFlowSpan();
    // The compiled program of the text (empty until the first run).
    const std::shared_ptr<const CODEPROGRAM>& CodeProgram() const {
        return m_pExtra ? m_pExtra->spCodeProgram : s_NoCodeProgram;
    }
    // Keeps `program` as the compiled program of the text.
    void SetCodeProgram(std::shared_ptr<const CODEPROGRAM> program) const {
        Extra().spCodeProgram = std::move(program);
    }

    // The stored fields in stored order: member, width, first and last version.
    static std::span<const FIELDROW<cFlowCmd>> Rows();

    // The small values side by side, so that no padding falls between them.
    cParamList vParam;               // parameters: as many as the code table says
    uint8_t nNumbering = 0;          // 0 character-flow command, otherwise item-flow command
    uint8_t nCode = 0;               // command code in that numbering
    int16_t nTime = 0;               // duration, tenths of a second
    int16_t nTimeInc = 0;            // duration added per 分身値
    int16_t nSE = 0;                 // sound effect (0 none)
    int16_t nAnime = 0;              // animation (0 none)
    uint8_t bNoWait = 0;             // the next command starts in the same frame
    uint8_t bSEOnScreen = 1;         // byte 11: the sound plays only while the character is on screen
    cText strText;                   // message text, the code command's program (most hold none)
    cSlotPtr<cEdMove> spMove;               // move settings (empty: none)
    cSlotPtr<cEdShot> spShot;               // shot settings (empty: none)

private:
    // The rarely used members, made the first time one is asked for to
    // change (the compiled program is set on a command the game only reads).
    cFlowCmdExtra& Extra() const;
    // What the readers above give for a command without the block.
    static const boost::shared_ptr<cCondList> s_NoCondList;
    static const cSafeVector<cFlow> s_NoSubFlows;
    static const std::shared_ptr<const CODEPROGRAM> s_NoCodeProgram;

    // What Load does: inline in Load and in AppendLoaded, which runs it for
    // every new command of a list.
    void LoadInline(cDataReader& file);
    // TakeCurrentStream on the avail bytes at p: the bytes taken, or 0 with
    // nothing taken.
    size_t TakeCurrentBytes(const uint8_t* p, size_t avail);
    // The checks at the end of Load, after the stream is read (and repaired),
    // the palette check too inside a cCmdPaletteChecksOnLoadScope: false,
    // with nothing changed, when the structural check fails.
    bool CheckLoaded();
    // Fails the load with the reason the structural check gives.
    void FailStructure(cDataReader& file) const;
    // The stream as Load reads it, before its repairs and checks.
    void LoadStream(cDataReader& file);
    // Takes a current stream that holds no condition list and no sub-flow
    // (over an empty list) in one pass, as LoadStream reads it; false, with
    // nothing read, for any other stream.
    bool TakeCurrentStream(cDataReader& file);
    // Writes the current stream of a command that holds no condition list
    // and no sub-flow in one piece, as Save writes it after its checks.
    void PutCurrentStream(cDataWriter& file);
    // The stream as Save writes it after its checks, at any version.
    void SaveStream(cDataWriter& file);
    // The structural check of this command alone (its sub-flows were
    // checked when they were loaded).
    bool CheckOwnStructure(std::string& why) const;
    // The database validation of this command alone. It gives the same
    // command when run again, so a command checked once needs no second run.
    void CheckOwnDbIndex();
    // The palette validation of this command alone.
    void CheckOwnPaletteIndex(const FLOWPALETTESIZES& sizes);
    // CheckOwnPaletteIndex against the sizes of CmdPaletteChecksOnLoad(),
    // if any: the palette check at the end of a load.
    void CheckLoadedPaletteIndex();

    mutable std::unique_ptr<cFlowCmdExtra> m_pExtra;  // null while none of them is held
};
