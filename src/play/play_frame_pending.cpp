// Stand-ins until their own code is in: the end of a stage goes to the
// title; the picture is the background, the blocks and the status strip.
#include "app/editor_notice.h"
#include "app/start_file.h"
#include "database/global_objects.h"
#include "play/block_grid.h"
#include "play/draw/background_draw.h"
#include "play/draw/block_draw.h"
#include "play/draw/status_draw.h"
#include "play/play_scene.h"
#include "platform/graphics/dd_init.h"
#include "platform/window/main_thread_messages.h"

int32_t cPlayScene::EndStage() { return 0; }
