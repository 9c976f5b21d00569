#pragma once
// The most live objects of each kind play keeps: a stage that fires or
// summons without end is refused more once a list is full, so memory and the
// frame's work stay bounded (a summoned character that summons again in its
// first frame ends that frame when the list is full).
#include <cstddef>

constexpr size_t LIVE_SHOT_MAX = 20000;   // shots and swords
constexpr size_t LIVE_CHARA_MAX = 2048;   // stage characters
constexpr size_t LIVE_ITEM_MAX = 4096;    // items

enum eLiveKind { LIVE_SHOT = 0, LIVE_CHARA = 1, LIVE_ITEM = 2, LIVE_KIND_NUM = 3 };

// True while a list of `count` objects of `kind` has room for one more. The
// first refusal after the list had room leaves a line in the error log.
bool LiveRoomFor(eLiveKind kind, size_t count);
