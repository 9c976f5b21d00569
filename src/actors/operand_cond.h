#pragma once
// Status conditions that compare two operands (a status, a variable, a
// constant or a random value) of characters or the system.
class cChara;
class cEdCond;
class cWorldState;

// The condition holds for `chara` (null: no character) in `world` (null: none).
bool JudgeOperandCond(const cEdCond& cond, cChara* chara, cWorldState* world);
