#pragma once
// The message surface list: one surface per text window, with the parallel
// list of descriptions, global to the play engine. Stage set-up empties it.
#include <list>

#include "platform/graphics/dd_surface.h"

extern std::list<DDSURFACEDATA> lstMessageSurface;
extern std::list<DDSURFACEINFO> lstMessageSurfaceInfo;

// Releases the message surfaces and empties both lists.
void ClearMessageData();
// Index of surface in the list; the list's length when it is not there.
int MessageSurfaceIndex(const DDSURFACEDATA* surface);
