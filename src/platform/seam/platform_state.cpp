#include "platform/window/platform_state.h"

#include "platform/seam/dialog_host.h"

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/fx_fade.h"
#include "platform/input/input_keys.h"
#include "platform/input/input_mouse.h"
#include "platform/input/input_script.h"
#include "platform/input/joystick.h"
#include "platform/input/keyconfig.h"
#include "platform/sound/midi_out.h"
#include "platform/sound/midi_synth.h"
#include "platform/sound/music_manager.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/sound_effects.h"
#include "platform/system/clock.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/sysreport.h"
#include "platform/system/timer.h"
#include "platform/window/dialog.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "records/records_state.h"

void ResetPlatformState() {
    // What holds a device or a window goes first, the plain values after.
    Bgm.Release();
    DS_End();
    SetSoundOutputOffline(false);
    SetMidiOutFactory(nullptr);
    SetMidiSoundFontCandidates(nullptr);
    SetDialogFrameHook(nullptr);
    SetDialogFrameService(nullptr);
    ResetDialogHost();
    ResetMainThreadMessages();
    DDResetForTest();
    DDResetBatches();
    DDResetFades();
    DDResetDiffuseColor();
    DDResetColorOp();
    DDResetAlphaOp();
    ResetKeySnapshot();
    ResetMouseLatches();
    ResetInputScript();
    ResetJoystickStates();
    SetDefaultKeyConfig(KeyConfig);
    g_MenuCursor.Reset();
    SetMesBoxPresenter(nullptr);
    RereadAutoAnswer();
    RereadFastMode();
    SetTimerClock(nullptr);
    ResetTimers();
    ResetLogs();
    ResetRecordsState();
}
