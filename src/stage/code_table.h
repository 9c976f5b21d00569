#pragma once
// The code tables: every small code stored in a flow, a command, a condition
// or a settings record names a row of one of these lists (row index = stored
// code). They are constant data, read from any thread.
//
// A plain list is a span over its codes; the array behind it is closed by one
// extra empty string, which is not a code.
#include <cstdint>
#include <span>

using CODELIST = std::span<const char* const>;

// A row of a command table.
struct CMDTABLEROW {
    const char* lpName;  // empty for code 0 (no command)
    int32_t nParamNum;   // parameter count imposed on commands of this code
};

// A row of a status table.
struct STATUSROW {
    const char* lpName;
    int32_t nMin, nMax;         // value range
    int32_t nOpMin, nOpMax;     // operand range
    int32_t nFlagA, nFlagB, nFlagC;
};

// A row of the state-flag table.
struct STATEFLAGROW {
    const char* lpName;
    int32_t nMin, nMax, nThird;
    const char* lpSecond;  // empty in every row
};

// A row of the formation and movement parameter tables of shots.
struct SHOTPARAMROW {
    const char* lpLabel;  // empty: the formation or movement has no such value
    int16_t nMin, nMax, nThird;
};

// Command numberings (the numbering byte of a command).
constexpr int CMDNUMBERING_CHARA = 0;
constexpr int CMDNUMBERING_ITEM = 1;

constexpr int CHARA_CMD_NUM = 40;  // character-flow command codes 0..39
constexpr int ITEM_CMD_NUM = 25;   // item-flow command codes 0..24
constexpr int ITEM_CMD_OFFSET = 15;  // item code i (1..24) runs character command i + 15

extern const CMDTABLEROW CharaCmdTable[CHARA_CMD_NUM];
extern const CMDTABLEROW ItemCmdTable[ITEM_CMD_NUM];

// Number of codes of a numbering's table (40 or 25).
inline int GetCmdTableSize(int numbering) { return numbering == CMDNUMBERING_CHARA ? CHARA_CMD_NUM : ITEM_CMD_NUM; }
// The table row of a command code in a numbering (0 = character, any other
// value = item), or null when the code lies outside that table. Inline: every
// command of a stage asks for it when loaded and when saved.
inline const CMDTABLEROW* GetCmdTableRow(int numbering, int code) {
    if (code < 0 || code >= GetCmdTableSize(numbering)) return nullptr;
    return numbering == CMDNUMBERING_CHARA ? &CharaCmdTable[code] : &ItemCmdTable[code];
}

// Character-command codes that the stored data and its repairs name.
enum : int {
    CMD_NONE = 0, CMD_WAIT = 1, CMD_STRAIGHT_MOVE = 2, CMD_GROUND_TURN_MOVE = 3, CMD_CIRCLE_MOVE = 4,
    CMD_CHARGE_MOVE = 5, CMD_HOMING_MOVE = 6, CMD_AVOID_MOVE = 7, CMD_STOP_MOVE = 8, CMD_FACING = 9,
    CMD_JUMP = 10, CMD_SHOT = 11, CMD_SWORD = 12, CMD_SUMMON_BLOCK = 13, CMD_SUMMON_CHARA = 14,
    CMD_SUMMON_ITEM = 15, CMD_FLOW_OP = 16, CMD_STAGE_CLEAR = 17, CMD_GAME_WAIT = 18, CMD_MESSAGE = 19,
    CMD_WARP = 20, CMD_SET_TARGET = 21, CMD_STATUS_OP = 22, CMD_STATUS_OP2 = 23, CMD_VANISH = 24,
    CMD_GET_ITEM = 25, CMD_CHANGE_GRAPHIC = 26, CMD_CHANGE_ANIMESET = 27, CMD_RUN_ANIME = 28,
    CMD_RUN_EFFECT = 29, CMD_CHARA_EFFECT = 30, CMD_SCR_EFFECT = 31, CMD_PICTURE = 32,
    CMD_SCREEN_COLOR = 33, CMD_CHANGE_BG = 34, CMD_PLAY_SE = 35, CMD_PLAY_BGM = 36, CMD_CODE = 37,
    CMD_ARRANGE = 38, CMD_LOOP = 39,
};

// Flow triggers: codes 0..22.
extern const CODELIST TriggerList;
constexpr int TRIGGER_NUM = 23;

// Letters: flow group ("-", A..Z), group choice of the flow operation
// ("全て", A..Z), lower-case letters ("-", a..z).
extern const CODELIST FlowGroupList;
extern const CODELIST FlowOpGroupList;
extern const CODELIST LowerLetterList;

// Flow operation: operations and which flows.
extern const CODELIST FlowOpList;
extern const CODELIST FlowOpTargetList;

// Subjects of commands and conditions.
extern const CODELIST SubjectList;         // 自分, ターゲット1..4
extern const CODELIST SubjectList2;        // the same rows, a second list
extern const CODELIST SubjectSysList;      // 自分, ターゲット1..4, システム
extern const CODELIST HeroSubjectList;     // 主人公, ターゲット1..4
extern const CODELIST HeroSubjectSysList;  // 主人公, ターゲット1..4, システム
extern const CODELIST TargetList;          // ターゲット1..4

// Operands and calculations.
extern const CODELIST OperandKindList;
extern const CODELIST OperandShortList;
extern const CODELIST VarKindList;
extern const CODELIST CalcModeList;
extern const CODELIST OnList;
extern const CODELIST ArrangeSourceList;
extern const CODELIST CharaVarList;
extern const CODELIST ArrangeOpList;
extern const CODELIST CompareList;
extern const CODELIST IfList;

// Status tables.
constexpr int CHARA_STATUS_NUM = 15;
constexpr int SYSTEM_STATUS_NUM = 5;
constexpr int STATE_FLAG_NUM = 7;
extern const STATUSROW CharaStatusTable[CHARA_STATUS_NUM];
extern const STATUSROW SystemStatusTable[SYSTEM_STATUS_NUM];
extern const STATEFLAGROW StateFlagTable[STATE_FLAG_NUM];

// Conditions.
extern const CODELIST CondKindList;  // 0 empty, 1..7
constexpr int COND_KIND_NUM = 8;
extern const CODELIST CondModeList;
extern const CODELIST DistSubjectList;
extern const CODELIST DistAxisList;
extern const CODELIST DistSenseList;
extern const CODELIST RangeShowList;
extern const CODELIST StateCondList;
extern const CODELIST KeyModeList;
extern const CODELIST KeyStateList;

// Command choices.
extern const CODELIST StageClearList;
extern const CODELIST ClearFacingList;
extern const CODELIST MesPosList;
extern const CODELIST MesTimeList;
extern const CODELIST PictureTimeList;
extern const CODELIST TargetWhomList;
extern const CODELIST TargetRangeList;
extern const CODELIST TargetNoneList;
extern const CODELIST VanishWhatList;
extern const CODELIST VanishRangeList;
extern const CODELIST PaletteList;
extern const CODELIST CommonPaletteList;
extern const CODELIST PicturePosList;
extern const CODELIST AnimeRunList;
extern const CODELIST ShowSwitchList;

// Directions of moves and shots: codes 0..12.
extern const CODELIST DirectionList;
constexpr int DIRECTION_NUM = 13;

// Move settings.
extern const CODELIST MoveModeList;
extern const CODELIST WarpModeList;
extern const CODELIST CoordKindList;
extern const CODELIST CoordKindShortList;
extern const CODELIST MoveTargetList;
extern const CODELIST TurnList;
extern const CODELIST FacingList;
extern const CODELIST TimeSpeedList;
extern const CODELIST TimeSpeedShortList;
extern const CODELIST JumpHeightList;
extern const CODELIST UnitList;

// Shot settings.
extern const CODELIST FormationList;  // 6 formations
extern const CODELIST ShotMoveList;   // 10 movements
constexpr int FORMATION_NUM = 6;
constexpr int SHOT_MOVE_NUM = 10;
// Row = 3 × formation (or movement) + slot.
extern const SHOTPARAMROW FormationParamTable[3 * FORMATION_NUM];
extern const SHOTPARAMROW ShotMoveParamTable[3 * SHOT_MOVE_NUM];
extern const CODELIST AimList;
extern const CODELIST BlockSummonList;
extern const CODELIST ShotPaletteList;
extern const CODELIST ShotCommonPaletteList;
extern const CODELIST ShotForceSourceList;
