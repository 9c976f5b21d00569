#pragma once
// The long-lived objects of the program, made before main in one fixed order
// and destroyed in the reverse order at exit:
//   1. DialogGroup                      (here)
//   2. the main window object           (application frame)
//   3. thGame, thPause, thRankEntry, thLoadStage (here)
//   4. g_MenuCursor                     (platform/menu_cursor.h)
//   5. InputList, one input record      (here)
//   6. the surface collections, each with its description list (here), in
//      order: character pictures, shot pictures, third stage pictures, scene
//      surfaces, picture-command list, Off_Msg; the play engine's companion
//      collections follow each (play engine)
//   7. CommonSurfaces                   (database/common_bitmaps.h)
//   8. Fonts, DigitSurfaces             (database/common_fonts.h)
//   9. CommonBitmapInfo                 (database/common_bitmaps.h)
//  10. FontInfo                         (database/common_fonts.h)
//  11. DigitStripInfo                   (database/common_fonts.h)
//  12. SoundList, SoundInfoList         (here)
//  13. Bgm                              (platform/music_manager.h)
//  14. CommonPalette, SystemData, Database (database/)
//  15. AnimeWorkTable, EffectWorkTable  (database/database_work.h); the effect
//      run lists and their companions (play engine)
//  16. the current and previous key log and the play engine's further
//      vectors and lists               (player records, play engine)
//  17. PlayStage, ReplayStage           (here)
//  18. WorldMap                         (database/world_map.h)
//  19. the three save records           (player records)
//  20. OptionData                       (database/option_data.h)
//  21. the story save-slot list, 99 entries (player records)
//  22. the ranking list                 (player records)
// Objects of other files are made in their own files; the order above holds
// within this file, and nothing here reads another file's object while it is made.
#include "platform/graphics/dd_surface.h"
#include "platform/window/dialog.h"
#include "platform/input/input.h"
#include "platform/sound/sound_effects.h"
#include "platform/system/thread.h"
#include "records/safe_container.h"
#include "stage/stage_data.h"

// The group of windows the name dialog, the file chooser and the start-up
// settings dialog hide or disable while they run (stays empty).
extern cDialogGroup DialogGroup;

// The worker threads: the game, the pause drawing loop, the ranking entry and stage loading.
extern cThread thGame;
extern cThread thPause;
extern cThread thRankEntry;
extern cThread thLoadStage;

// One input record per player; made with one.
extern cSafeVector<cInput> InputList;

// Surface collections, each with the descriptions kept in step by the DD list functions.
extern cSafeVector<DDSURFACEDATA> CharaSurface;     // character sheets of the stage
extern cSafeVector<DDSURFACEINFO> CharaSurfaceInfo;
extern cSafeVector<DDSURFACEDATA> ShotSurface;      // shot sheets
extern cSafeVector<DDSURFACEINFO> ShotSurfaceInfo;
extern cSafeVector<DDSURFACEDATA> StageSurface3;    // the third stage picture vector
extern cSafeVector<DDSURFACEINFO> StageSurface3Info;
extern cSafeVector<DDSURFACEDATA> SceneSurface;     // surfaces of the front-end scenes
extern cSafeVector<DDSURFACEINFO> SceneSurfaceInfo;
extern cSafeList<DDSURFACEDATA> PictureSurface;     // pictures shown by the flow command
extern cSafeList<DDSURFACEINFO> PictureSurfaceInfo;
extern cSafeList<DDSURFACEDATA> Off_Msg;            // message windows
extern cSafeList<DDSURFACEINFO> Off_MsgInfo;

// The sound effects (17 system sounds, then the database's) and their descriptors.
extern cSafeVector<DSSOUNDDATA> SoundList;
extern cSafeVector<DSSOUNDINFO> SoundInfoList;

// The stage being played, and the copy of its settings a replay is saved with.
extern cStageData PlayStage;
extern cStageData ReplayStage;

// Puts the objects of this file back as they are made: threads ended, one
// fresh input record, surfaces and sounds released, empty collections, clear stages.
void ResetGlobalObjects();
// ResetGlobalObjects and every other object of the list that this subsystem
// and the platform keep (common bitmaps, fonts, menu cursor, music, palette,
// settings, database, work tables, world map, options) (tests).
void ResetAllGlobalObjects();
// ResetAllGlobalObjects and the blink colours, then every global of the stage, platform and record
// layers below (ResetStageState, ResetPlatformState): the whole program's
// state as at start-up (tests).
void ResetDatabaseState();
