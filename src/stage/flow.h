#pragma once
// A flow: a stored script of a character or of a flow command. A trigger,
// conditions, a key sequence and an ordered list of commands.
#include <cstdint>
#include <string>

#include "records/field_table.h"
#include "records/safe_container.h"
#include "stage/cmd_list.h"
#include "stage/cond.h"
#include "stage/flow_cmd.h"
#include "stage/flow_refs.h"

class cFlow final : public cTableRecord {
public:
    cFlow() = default;
    cFlow(const cFlow&) = default;
    cFlow(cFlow&&) noexcept = default;
    cFlow& operator=(const cFlow&) = default;
    cFlow& operator=(cFlow&&) noexcept = default;
    // Frees the commands in one loop (see cFlowCmd::FreeList).
    ~cFlow() override;

    // Registers the stored fields of data version `version`.
    void Layout(uint32_t version) override;
    // Record stream, then the conditions, the key sequence and the commands;
    // then the trigger and group repairs of older files and the name emptied
    // (every command has run its database validation in its own load).
    // Nesting deeper than MAX_FLOW_NESTING fails.
    void Load(cDataReader& file) override;
    // Database validation of every command, then the record stream and the
    // three lists.
    void Save(cDataWriter& file) override;
    // Zeroes the stored members and empties the three lists.
    void Clear();

    // Database validation of every command.
    void CheckDbIndex();
    // Palette validation of every command.
    void CheckPaletteIndex(const FLOWPALETTESIZES& sizes);
    // False, with the reason, when the flow (trigger, group, partner slot,
    // nesting) or one of its commands holds what the runtime cannot run.
    bool CheckStructure(std::string& why, int depth = 0) const;
    // The trigger and group repairs for a file of version `version`.
    void Repair(uint32_t version);

    // The stored fields in stored order: member, width, first and last version.
    static std::span<const FIELDROW<cFlow>> Rows();

    cText strName;                // editor's name (from 676); emptied after every load
    uint8_t nFlowID = 0;          // 0 none
    uint8_t nGroup = 0;           // 0 none, 1..26 = A..Z
    uint8_t bEditorOnly = 0;      // removed after loading unless started by the editor
    cCondVector vCond;            // conditions
    uint8_t nCondMode = 0;        // 0 all hold, 1 at least one; other values never hold
    uint8_t bLatch = 0;           // once held, the conditions count as held
    uint8_t nTrigger = 0;         // trigger code 0..22
    uint8_t bTargetPartner = 0;   // make the partner a target (from 762)
    uint8_t nPartnerSlot = 0;     // target slot of the partner, 0..3 (from 767)
    uint8_t nKeyInterval = 0;     // frames allowed between two key steps
    uint8_t bKeyHold = 0;         // the key sequence holds while its last step holds
    cSafeVector<cEdCmdList> vKeyCond;  // key sequence, one step per element
    cSafeVector<cFlowCmd> vCmd;   // commands in order

private:
    // Trigger, group and partner slot within their tables.
    bool CheckOwnStructure(std::string& why) const;
};

// Erases every flow whose editor-only byte is set (order kept), unless the
// editor flag is set.
void RemoveEditorOnlyFlows(cSafeVector<cFlow>& flows);
// Reads u32 count and that many flows into `flows` (the editor-only ones then
// removed), failing the file when the count cannot be in it.
void LoadFlowList(cDataReader& file, cSafeVector<cFlow>& flows);
// Writes u32 count and every flow.
void SaveFlowList(cDataWriter& file, cSafeVector<cFlow>& flows);
// Reads u32 count and that many commands into `cmds` (item definitions
// store their commands so), failing the file when the count cannot be in it.
void LoadCmdList(cDataReader& file, cSafeVector<cFlowCmd>& cmds);
// Writes u32 count and every command.
void SaveCmdList(cDataWriter& file, cSafeVector<cFlowCmd>& cmds);
