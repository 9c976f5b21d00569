#pragma once
// What block, character and item definitions share: a template (kind 1 common
// palette, 2 stage palette, by 16-bit index; 0 = none), the conditions with
// their combine and latch bytes, a name, the cell of a placed object, and the
// flag vector that says which property groups come from the template.
//
// Stream of a definition: the record stream, u16 column, u16 row, (characters:
// i32 carried item), u32 n and n flag bytes, u32 n and n conditions, then the
// class's own list (character flows, item commands).
#include <cstdint>
#include <span>
#include <string>

#include "records/field_table.h"
#include "records/inline_list.h"
#include "records/safe_container.h"
#include "stage/cond.h"

// Inheritance flags of a definition, one per property group: kept inside the
// definition up to the largest group count (characters' 37).
using cInheritFlags = cInlineList<uint8_t, 40>;

enum eTemplateKind : uint8_t { TEMPLATE_NONE = 0, TEMPLATE_COMMON = 1, TEMPLATE_STAGE = 2 };

// Graphic source kinds.
enum eGraphicKind : uint8_t { GRAPHIC_BLOCK = 0, GRAPHIC_CHARA = 1, GRAPHIC_ITEM = 2, GRAPHIC_SHOT = 3, GRAPHIC_BMP = 4 };

class cDefinition : public cTableRecord {
public:
    uint8_t byTemplateKind = 0;   // template kind
    uint16_t wTemplateIndex = 0;  // template index in the list the kind names
    uint8_t byCondMode = 0;       // conditions: 0 all hold, 1 one holds, other never
    uint8_t byCondLatch = 0;      // conditions: once held, held from then on
    cText strName;                // the entry's name (most placed objects hold none)
    uint16_t wCellX = 0;          // cell of a placed object (0 in palette entries)
    uint16_t wCellY = 0;
    cInheritFlags vInherit;         // per property group: nonzero = taken from the template
    cCondVector vCond;              // conditions

protected:
    // Reads the flag vector and the conditions (after the cell and any
    // class word); failures stay in the reader.
    void LoadFlagsAndConds(cDataReader& file);
    void SaveFlagsAndConds(cDataWriter& file);
    // Template kind 1 or 2 whose index is not below that list's size: kind and index 0.
    void CheckTemplateIndex(int nCommonSize, int nStageSize);
    // Whether group i is inherited.
    bool Inherits(size_t i) const { return i < vInherit.size() && vInherit.data()[i] != 0; }
    // Makes the flag vector exactly n long (new flags 0).
    void SizeFlags(size_t n) { vInherit.resize(n, 0); }
    // Copies the name (group 0) or the conditions with their two bytes (group 1 of blocks and items).
    void CopyNameFrom(const cDefinition& t) { strName = t.strName; }
    void CopyCondsFrom(const cDefinition& t);
};

// Old files number the shot graphics from 0: a shot graphic moves up by one, at most 119.
uint16_t RepairShotGraphic(uint8_t kind, uint16_t index);

// Finds the template of a definition in the list its kind names: the entry,
// or null when the kind is neither 1 nor 2, the index is 0 or it lies beyond
// that list (then the kind becomes 0).
template <class T>
const T* FindTemplate(uint8_t& kind, uint16_t index, const cSafeVector<T>* lpCommon, const cSafeVector<T>* lpStage) {
    if (index == 0 || (kind != TEMPLATE_COMMON && kind != TEMPLATE_STAGE)) return nullptr;
    const cSafeVector<T>* lpList = kind == TEMPLATE_COMMON ? lpCommon : lpStage;
    if (!lpList || index >= lpList->size()) {
        kind = TEMPLATE_NONE;
        return nullptr;
    }
    return &lpList->data()[index];
}
