#pragma once
// Status operations: the operators applied in a field's width, the status
// rows of characters and of the system, and the operand that the status
// commands and the operand condition evaluate.
#include <cstdint>
#include <optional>

class cChara;
class cWorldState;
class cSceneServices;

// Operators 0..6: set, add, subtract, multiply, divide, remainder, percent.
// The arithmetic wraps in the field's width; a product that wraps to the
// wrong sign becomes the maximum (same signs) or minimum (different signs);
// division and remainder by 0 leave the field; then the clamp.
int32_t ApplyStatusOp32(int32_t field, int32_t op, int32_t operand, int32_t min, int32_t max);
int16_t ApplyStatusOp16(int16_t field, int32_t op, int32_t operand, int32_t min, int32_t max);
int8_t ApplyStatusOp8(int8_t field, int32_t op, int32_t operand, int32_t min, int32_t max);

// Status rows of a character (0..14) and of the system (0..4).
enum { STROW_VAR, STROW_HP, STROW_SP, STROW_MAXHP, STROW_MAXSP, STROW_CID, STROW_Z, STROW_MARK, STROW_SIGHT,
       STROW_POWER, STROW_IMPACT, STROW_DEFENCE, STROW_IMPACTRES, STROW_STOP, STROW_SCORE, STROW_NUM };
enum { SYSROW_TIME, SYSROW_SCROLLX, SYSROW_SCROLLY, SYSROW_SCORE, SYSROW_LIFE, SYSROW_NUM };
// Lives count that means lives are not in use.
constexpr int32_t LIVES_UNLIMITED = 999999;

struct STATUSFIELD {
    int32_t nBits;  // width of the stored field
    int32_t nMin;
    int32_t nMax;
};
extern const STATUSFIELD CharaStatusRows[STROW_NUM];
extern const STATUSFIELD SysStatusRows[SYSROW_NUM];

// The value of a character row (row 0: character variable n) into value;
// false, value untouched, for a bad row or variable number (the latter logged).
bool ReadCharaStatus(const cChara& c, int32_t row, int32_t n, int32_t& value);
// The same as an optional: none for a bad row or variable number. Inline, so
// that the optional is made in the caller's registers rather than through
// memory.
inline std::optional<int32_t> GetCharaStatus(const cChara& c, int32_t row, int32_t n) {
    int32_t value = 0;
    if (!ReadCharaStatus(c, row, n, value)) return std::nullopt;
    return value;
}
// Stores a character row's value as it is (the caller has clamped it).
void SetCharaStatus(cChara& c, int32_t row, int32_t n, int32_t value);
// The value of a system row as flows read it in `world` (null: none) with
// the run's record of `services` (unlimited lives: 100, or 0 while the lives
// switch is set).
int32_t GetSysStatus(int32_t row, const cWorldState* world, cSceneServices& services);
// A common (kind 0, of `services`) or stage (other kinds, of `world`)
// variable; null for a bad number or no world (logged).
int32_t* FindVariable(int32_t kind, int32_t n, cWorldState* world, cSceneServices& services);
// Re-applies the stage's automatic scroll speed of X (row 1) or Y (row 2) to
// `world` (none: nothing) at the frame rate of `services`.
void ApplySysScroll(int32_t row, cWorldState* world, cSceneServices& services);

// An operand of the status commands and conditions.
struct OPERAND {
    int32_t nKind = 0;      // 0 constant, 1 random, 2 status, 3 variable
    int32_t nConst = 0;
    int32_t nLow = 0, nHigh = 0;  // random bounds, either order
    int32_t nVarKind = 0;   // 0 common, 1 stage
    int32_t nVarNo = 0;     // also the character-variable number of row 0
    int32_t nObject = 0;    // 0 the character, 1..4 target slot, 5 the system
    int32_t nRow = 0;
};
// The operand's value for `chara` in `world`; none when its object is an
// empty target slot, a stage character's sight is read or a variable number
// is bad.
std::optional<int32_t> EvaluateOperand(cChara& chara, const OPERAND& op, cWorldState* world, cSceneServices& services);
// The object 0..5 of a status command: the character, a target (null when
// the slot is empty); 5 (the system) gives null too.
cChara* StatusObject(cChara& chara, int32_t object);
