#include "actors/actors_state.h"

#include "actors/chara_draw.h"
#include "actors/chara_effect_run.h"
#include "actors/cmd/next_stage.h"
#include "world/world_state.h"

void ResetActorsState() {
    ResetCharaDrawWork();
    ResetCharaEffectWork();
    ResetNextStageStart();
    ResetWorldState();
}
