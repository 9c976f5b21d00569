#pragma once
// The common palette: the project-wide block, character and item definitions
// that stage records use as templates (template kind 1). Entry 0 of each list
// is the none definition; common definitions never inherit from a template.
#include "records/record.h"
#include "records/safe_container.h"
#include "stage/block_data.h"
#include "stage/chara_data.h"
#include "stage/definition_context.h"
#include "stage/item_data.h"

class cCommonPalette : public cRecord {
public:
    // One default definition in each list.
    cCommonPalette();
    // The empty record stream (no stored fields: the base layout registers
    // nothing), then the three counted lists (no templates applied); entry 0
    // of each list reset, every inherit flag 0, then CheckAndPad.
    void Load(cDataReader& file) override;
    // CheckAndPad, the empty record stream, then the three counted lists.
    void Save(cDataWriter& file) override;
    // Pads each list to at least two entries and runs every definition's
    // index checks against this palette's own lists.
    void CheckAndPad();
    // Back to one default definition in each list (tests).
    void Reset();
    // This palette's lists, for the definitions' template and index checks.
    PALETTELISTS Lists() const { return PALETTELISTS{&vBlock, &vChara, &vItem}; }

    cSafeVector<cBlockData> vBlock;
    cSafeVector<cCharaData> vChara;
    cSafeVector<cItemData> vItem;
};

extern cCommonPalette CommonPalette;

// Loads data\CommonPalette.cplt4 into CommonPalette, whole or not at all, and
// makes it the common palette of the definitions. 0 (after "%s のロードに失敗！"
// through the report log, the error log and a message box) when the file is
// missing, newer than the program or damaged.
int LoadCommonPalette();
