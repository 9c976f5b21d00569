#pragma once
// Damage, death and invincibility of characters: what happens to a character
// that an attack or another character hits. The trigger starts and the
// hand-over of a dead character's item go through the scene's services
// (cSceneServices).
#include <cstdint>

class cChara;
class cItem;

// Trigger codes started by damage, death, contact and landing.
enum eHitTrigger : int32_t {
    TRIGGER_DAMAGED = 1,        // ダメージを受けた時
    TRIGGER_IMPACTED = 2,       // 衝撃を受けた時
    TRIGGER_DIED = 3,           // 死亡した時
    TRIGGER_TOUCHED = 4,        // キャラに当たった時
    TRIGGER_BLOCK_CHARA = 5,    // ブロックキャラに当たった時
    TRIGGER_ON_BLOCK_CHARA = 6, // ブロックキャラに乗っている時
    TRIGGER_SHOT = 7,           // ショットに当たった時
    TRIGGER_BLOCK = 9,          // block contact
    TRIGGER_BLOCK_SIDE = 10,    // 自分の左右にブロックが当たった時
    TRIGGER_BLOCK_LEFT = 11,
    TRIGGER_BLOCK_RIGHT = 12,
    TRIGGER_BLOCK_ANY = 13,
    TRIGGER_CEILING = 14,
    TRIGGER_LANDED = 15,
    TRIGGER_RIDDEN_BY_HERO = 16,  // 主人公に乗られている時
    TRIGGER_RIDDEN = 17,        // キャラに乗られている時
    TRIGGER_GAVE_DAMAGE = 18,   // アタックでダメージを与えた時
    TRIGGER_GAVE_IMPACT = 19,
    TRIGGER_ATTACK_LANDED = 20, // アタックを当てた時
};

// The largest running score.
constexpr int32_t SCORE_MAX = 999999;
// Largest knock-back strength.
constexpr int32_t KNOCKBACK_MAX = 20;

// Starts the trigger through the services in use.
void StartCharaTrigger(cChara& chara, int32_t trigger, cChara* lpPartner = nullptr, int32_t filter = 0);
// Player 0 takes `item` through the services in use: 0, 1 (the stage ends)
// or 2 (the hero dies).
int32_t GiveItemToHero(cItem& item);
// Runs a pause wait through the services in use.
void RunCharaPauseWait();
// The running score after adding `add`, within 0..SCORE_MAX.
int32_t AddScore(int32_t score, int32_t add);
