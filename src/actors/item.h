#pragma once
// An item of a stage: placed, summoned or carried by a stage character. It
// holds its own copy of its definition record (take mode, icon switch,
// graphics, scale, the item's commands).
#include <cstdint>

#include "stage/item_data.h"
#include "world/game_object.h"

struct CHARADRAW;

// Object kind of items.
constexpr int32_t OBJKIND_ITEM = 2;
// Take modes.
enum eItemTakeMode : uint8_t { ITEMTAKE_ONCE = 0, ITEMTAKE_AGAIN = 1, ITEMTAKE_NEVER = 2 };

class cItem : public cGameObject {
public:
    // Kind 2, both display flags 1, draw layer 6, an empty record (index 0).
    cItem();
    cItem(const cItem& src) : cGameObject(src) { CopyItemMembers(src); }
    cItem& operator=(const cItem& src);
    ~cItem() override = default;

    // Y moves up by (height + offset) × the change of scale, then the
    // position is brought back into the grid.
    void AdjustYOnScale(int32_t newScale, int32_t oldScale, cWorldState* world) override;

    // Copies the (template-resolved) record and sets up the object: the
    // item's id, 32 × 32 cell and hit box, scale from the record.
    void Setup(int32_t id, const cItemData& record);
    // X = (margin + cellX) × 32 + cell offset X + 0.5, Y likewise without
    // the half dot; then the scale and the grid bounds.
    void SetCellPos(int32_t cellX, int32_t cellY);
    // The item holds a record (its index word is not 0).
    bool IsSet() const { return nIndex != 0; }

    cItemData data;              // own copy of the definition
    int32_t nIndex = 0;          // 0: no item (an empty carried item)
    int32_t bShow1 = 1;          // display flags
    int32_t bShow2 = 1;
    int32_t nLayer = 6;          // draw layer
    int32_t bActive = 0;         // appearance conditions hold (play frame)
    int32_t bUsed = 0;           // used up
    int32_t bHighlight = 0;      // the highlight frame is drawn over it
    int32_t nHighlightCount = 0;

    // One frame of play
    int32_t bCondHeld = 0;     // the appearance conditions held once (latch)

private:
    void CopyItemMembers(const cItem& src);

    // Drawing
public:
    // The current frame of the item's graphic (stepped unless frozen), plain
    // or scaled, with the highlight frame over it.
    void Draw(const CHARADRAW& draw);
};
