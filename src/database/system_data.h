#pragma once
// The project-wide settings and texts of a game (System.dat): title, front-end
// menus, status-bar items, per-game-type settings, the text table, the system
// sound names, the music of the front-end places, the colour key, the option
// list that System.ini is checked against, and the behaviour switches that
// keep older projects playing as they did.
#include <cstdint>
#include <string>
#include <vector>

#include "records/cmd.h"
#include "records/record.h"
#include "records/safe_container.h"

struct DDSURFACEDATA;
class Font;

// One item of the play screen's status bar.
class cStatusItem : public cRecord {
public:
    void Layout(uint32_t version) override;
    // The base load; an item from a file older than 204 gets nCompat204 = 1.
    void Load(cDataReader& file) override;

    int32_t bShow = 0;          // the item is drawn
    int32_t bIcon = 0;          // begins with a 16 x 16 icon instead of strLabel
    std::string strLabel;
    int32_t nCompat204 = 0;
    int32_t nDigit = 0;         // 16-pixel digit places after the label
    int32_t nLimit = 0;         // threshold of IsWithinLimit
    int32_t bLimitPercent = 0;  // nLimit is a percentage of a maximum
};

// The ranking settings of one game type.
class cGameTypeFlags : public cRecord {
public:
    void Layout(uint32_t version) override;
    // The base stream, then vFlag as u32 n and n bytes.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    int32_t bOn = 0;                // rankings are kept for this game type
    cSafeVector<uint8_t> vFlag;     // per ranking table: 1 when enabled
};

// One named option (a key of System.ini and its default).
class cSysOption : public cRecord {
public:
    void Layout(uint32_t version) override;
    // Number option: kind 0, the name and the value (the text value stays).
    void SetNumber(const std::string& name, int value);
    // Text option: kind 1, the name and the text (the number value stays).
    void SetText(const std::string& name, const std::string& text);

    int32_t nKind = 0;  // 0 number, 1 text
    std::string strName;
    int32_t nValue = 0;
    std::string strValue;
};

class cSystemData : public cRecord {
public:
    // The defaults of a new project, laid out for the current version.
    cSystemData();

    void Layout(uint32_t version) override;
    // The base stream, the fifteen lists the file's version stores, the
    // adjustments of older files, then the music-index check. Failures are
    // left in the reader.
    void Load(cDataReader& file) override;
    // The music-index check, the base stream and all fifteen lists.
    void Save(cDataWriter& file) override;

    // The content of a new project.
    void BuildDefault();
    // Loads a System.dat into fresh defaults and keeps the result only when the
    // whole file was read: 1, or 0 with this object unchanged.
    int LoadFile(const std::string& name);
    // Saves through a temporary file; 1 on success.
    int SaveFile(const std::string& name);

    // Sets every vPlaceBgm entry that is no index of the music list to 0.
    void CheckPlaceBgm();

    // Menu helpers (menu_text.cpp).
    // Enabled ranking tables of game type `type`; 0 when its rankings are off.
    int CountEnabledItems(int type) const;
    // 1 when value is within the threshold of status item `item`, else 0.
    int IsWithinLimit(int item, int value, int max) const;
    // Left edge of text entries first .. first + n - 1 centred on x.
    int GetCenteredTextLeft(int x, int first, int n, int indent) const;
    // Left edge of the enabled entries of a menu centred on x.
    static int GetCmdMenuLeft(int x, const std::vector<cCmd>& menu);
    // Draws text entries first .. first + n - 1 as one framed box at (x, y)
    // with `font` (the system font) on surface (menu_text_draw.cpp).
    void MakeMenuText(DDSURFACEDATA* surface, Font& font, int x, int y, int first, int n, int indent) const;

    std::string strTitle;
    cSafeVector<uint8_t> vCarryFlag;
    cSafeVector<uint8_t> vClearFlag;
    int32_t bTallyDivide = 0;
    int32_t nTallyDivisor = 0;
    int32_t bPauseEffect = 0;
    int32_t nDigitParamA = 0;
    int32_t nFontNo = 0;
    int32_t nDigitParamB = 0;
    int32_t bReplayRecord = 0;
    int32_t nCompat113 = 0;
    cSafeVector<cStatusItem> vStatusItem;
    int32_t nCompat157 = 0;
    cSafeVector<cCmd> vTitleMenu;
    cSafeVector<cCmd> vMapMenu;
    cSafeVector<cCmd> vOptionMenu;
    cSafeVector<std::string> vRankModeName;
    int32_t bTitleSwitch = 0;
    int32_t bMapSwitchA = 0;
    int32_t bStageSwitch = 0;
    int32_t bMapSwitchB = 0;
    int32_t nMaxStage = 0;
    int32_t bUseMaxStage = 0;
    cSafeVector<int32_t> vStartValue;
    cSafeVector<int32_t> vStartFlag;
    cSafeVector<cGameTypeFlags> vGameTypeFlags;
    int32_t nCompat167a = 0, nCompat167b = 0, nCompat188a = 0, nPauseSwitch224a = 0, nPauseSwitch757 = 0,
            nCompat167c = 0, nCompat167d = 0, nCompat188b = 0, nPauseSwitch224b = 0, nCompat188c = 0,
            nCompat192 = 0;
    int32_t nColorMode = 0;
    uint8_t byColorKey[3] = {0, 0, 0};
    cSafeVector<std::string> vSeName;
    cSafeVector<int32_t> vPlaceBgm;
    cSafeVector<uint8_t> vPlaceFlag;
    cSafeVector<std::string> vText;
    cSafeVector<cSysOption> vOption;
    int32_t nCompat214 = 0, nCompat261 = 0, nCompat272 = 0, nCompat287 = 0, nBlinkStep = 0, nCompat289 = 0,
            nCompat525 = 0, nCompat555 = 0, nCompat637 = 0, nCompat669 = 0, nCompat677 = 0, nCompat695 = 0,
            nCompat697 = 0, nCompat721 = 0, nCompat728 = 0, nCompat733 = 0, nCompat744 = 0, nCompat749 = 0,
            nCompat752 = 0, nCompat763a = 0, nCompat763b = 0, nCompat768 = 0, nCompat773 = 0, nCompat781 = 0,
            nCompat782 = 0, nCompat783 = 0, nCompat793 = 0, nCompat805 = 0, nCompat808 = 0, nCompat818a = 0,
            nCompat818b = 0, nCompat819 = 0, nCompat822 = 0, nCompat696 = 0, nD3DBpp = 0, nDDBpp = 0;

private:
    // Brings a file older than the current version up to date (system_data_upgrade.cpp).
    void UpgradeFromOlder(uint32_t version);
};

// One stored integer setting: its member and the versions that store it.
struct SYSFIELDROW {
    int32_t cSystemData::*lpInt = nullptr;  // null: a byte of byColorKey or a dropped word
    int nColorKeyByte = -1;                 // 0..2: that byte of byColorKey
    uint32_t nFrom = 0;                     // first version that stores the field
    uint32_t nUntil = 0;                    // first version that no longer does; 0: still stored
};

// The numeric fields of the base stream, in stored order.
extern const SYSFIELDROW SystemFieldRows[67];

// Where the number of music records comes from (the database's music list);
// without a source the music-index check leaves vPlaceBgm as it is.
void SetMusicCountSource(int (*source)());

// The texts a generated default project stores instead of the built-in
// defaults: option rows that match the option scene's rows (palette first)
// and "マップへ戻る" as the pause menu's fourth item.
void AlignGeneratedProjectTexts(cSystemData& s);

// The settings of the running game.
extern cSystemData SystemData;
// SystemData back to the defaults of a new project (tests).
void ResetSystemData();
