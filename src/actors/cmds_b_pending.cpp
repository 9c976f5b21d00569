#include "actors/operand_cond.h"

bool JudgeOperandCond(const cEdCond&, cChara*) {
    return false;
}
