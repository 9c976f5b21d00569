#include "database/global_objects.h"

#include "database/blink_colors.h"

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/common_palette.h"
#include "database/database.h"
#include "database/database_work.h"
#include "database/option_data.h"
#include "database/system_data.h"
#include "database/world_map.h"
#include "platform/window/menu_cursor.h"
#include "platform/sound/music_manager.h"
#include "platform/window/platform_state.h"
#include "stage/stage_state.h"

// Defined in the order they are made (see the header).
cDialogGroup DialogGroup;

cThread thGame;
cThread thPause;
cThread thRankEntry;
cThread thLoadStage;

cSafeVector<cInput> InputList(1);

cSafeVector<DDSURFACEDATA> CharaSurface;
cSafeVector<DDSURFACEINFO> CharaSurfaceInfo;
cSafeVector<DDSURFACEDATA> ShotSurface;
cSafeVector<DDSURFACEINFO> ShotSurfaceInfo;
cSafeVector<DDSURFACEDATA> StageSurface3;
cSafeVector<DDSURFACEINFO> StageSurface3Info;
cSafeVector<DDSURFACEDATA> SceneSurface;
cSafeVector<DDSURFACEINFO> SceneSurfaceInfo;
cSafeList<DDSURFACEDATA> PictureSurface;
cSafeList<DDSURFACEINFO> PictureSurfaceInfo;
cSafeList<DDSURFACEDATA> Off_Msg;
cSafeList<DDSURFACEINFO> Off_MsgInfo;

cSafeVector<DSSOUNDDATA> SoundList;
cSafeVector<DSSOUNDINFO> SoundInfoList;

cStageData PlayStage;
cStageData ReplayStage;

namespace {

template <class RECORDS, class INFOS>
void Empty(RECORDS& records, INFOS& infos) {
    for (DDSURFACEDATA& sd : records) DDReleaseSurface(&sd);
    records.clear();
    infos.clear();
}

}  // namespace

void ResetGlobalObjects() {
    DialogGroup = cDialogGroup();
    // Reverse order of making: the stages first, the threads last.
    PlayStage.Clear();
    ReplayStage.Clear();
    for (DSSOUNDDATA& s : SoundList) DS_ReleaseSound(s);
    SoundList.clear();
    SoundInfoList.clear();
    Empty(Off_Msg, Off_MsgInfo);
    Empty(PictureSurface, PictureSurfaceInfo);
    Empty(SceneSurface, SceneSurfaceInfo);
    Empty(StageSurface3, StageSurface3Info);
    Empty(ShotSurface, ShotSurfaceInfo);
    Empty(CharaSurface, CharaSurfaceInfo);
    InputList.clear();
    InputList.emplace_back();
    thLoadStage.Exit();
    thRankEntry.Exit();
    thPause.Exit();
    thGame.Exit();
}

void ResetAllGlobalObjects() {
    OptionData.Reset();
    ResetWorldMap();
    ResetGlobalObjects();
    ResetDatabaseWork();
    Database.Reset();
    ResetSystemData();
    CommonPalette.Reset();
    Bgm.Release();
    ResetCommonFonts();
    ResetCommonBitmaps();
    g_MenuCursor.Reset();
}

void ResetDatabaseState() {
    ResetAllGlobalObjects();
    ResetBlinkColors();
    SetMusicCountSource(nullptr);
    ResetStageState();
    ResetPlatformState();
}
