#include "play/shots_draw.h"

void DrawShots(cPlayScene&, DDSURFACEDATA*, int32_t, int32_t) {}
