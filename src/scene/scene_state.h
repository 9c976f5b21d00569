#pragma once
// The scene layer's globals as at start-up (tests): the scene manager empty
// (its scenes deleted, no factory), no stage-loading set-up, no System.ini
// read, no editor, no window request pending. Only this layer: ResetPlayState
// runs it first and goes on to the layers below.
void ResetSceneLayer();
