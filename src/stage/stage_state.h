#pragma once
// Every global of the stage layer back to its start-up state (tests): the
// database sizes, the editor flag, the palettes that references index, the
// replay reading of input directions, the flow parameter labels, the block
// condition test and the stage loading set-up. The record layer is reset too.
void ResetStageState();
