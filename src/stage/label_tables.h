#pragma once
// The names under which the kit shows the codes stored in stages and object
// records. Each table is indexed by the stored code and ends with one empty
// string. The tables are built on first use and live until exit.
#include <cstdint>
#include <string>
#include <vector>

using LABELTABLE = std::vector<std::string>;

// Tables of the object records (blocks, characters, items).
struct OBJECTLABELS {
    LABELTABLE vSwitch;              // "OFF", "ON"
    LABELTABLE vTemplateSource;      // stage palette first
    LABELTABLE vTemplateKind;        // template kind 0, 1, 2
    LABELTABLE vTemplateKindCommon;  // template kind 0, 1 (common-palette records)
    LABELTABLE vTemplateKindStage;   // template kind 0, 2 (row 1 is kind 2)
    LABELTABLE vTemplateKindNone;    // template kind 0
    LABELTABLE vGraphicSource;       // graphic source kind 0 to 4
    LABELTABLE vGraphicSource2;      // the same five rows
    LABELTABLE vSwitch2;
    LABELTABLE vDisplay;             // display setting 0 to 2
    LABELTABLE vBlockHitKind;        // block hit kind 0 to 2
    LABELTABLE vPassGroup;           // row 0 = group 255, rows 1..8 = groups 0..7
    LABELTABLE vBlockEffect;         // block effect 0 to 5
    LABELTABLE vHeldItemSource;      // held item kind 0 to 2
    LABELTABLE vHeldItemSourceCommon;
    LABELTABLE vController;          // 0 player, 1 computer
    LABELTABLE vPlayerNumber;
    LABELTABLE vBlockHit;            // block-hit setting 0 to 3
    LABELTABLE vShotHit;             // shot-hit setting 0 to 2
    LABELTABLE vSwitch3;
    LABELTABLE vEnlarge;             // row k = area factor (k + 1)^2, row 0 none
    LABELTABLE vEnlargeNoNone;
    LABELTABLE vSightShape;          // sight kind 0 to 4
    LABELTABLE vHitRangeKind;        // hit-range kind 0 to 3
    LABELTABLE vActivityArea;        // activity area 0 to 3
    LABELTABLE vConditionMode;       // condition mode 0 to 2
    LABELTABLE vItemTakeMode;        // take mode 0 to 2
    LABELTABLE vEditOperation;
    LABELTABLE vLetter;              // "全て削除", "A" .. "Z"
};

// Tables of the stage settings.
struct STAGELABELS {
    LABELTABLE vScrollKind;     // settings #17, #18
    LABELTABLE vResizeX;
    LABELTABLE vResizeY;
    LABELTABLE vHitLevel;       // row = hit level - 1 (19 levels)
    LABELTABLE vStepLevel;      // 0 to 5
    LABELTABLE vBoxAlign;       // 0 centre, 1 bottom
    LABELTABLE vBoxAlignShort;
    LABELTABLE vDisplayFrame;   // 0 to 2
    LABELTABLE vColour;         // 0 to 7
    LABELTABLE vDirection;      // 0, 1
};

// The object tables, built on the first call.
const OBJECTLABELS& ObjectLabels();
// The stage tables, built on the first call.
const STAGELABELS& StageLabels();

// Row of the pass-through table that shows a stored pass-through group
// (255 -> 0, 0..7 -> 1..8), -1 for a group that has no row.
int PassGroupLabelRow(uint8_t group);
// The label of a stored code, or the empty string when the code has no row.
const std::string& LabelOf(const LABELTABLE& table, int code);
