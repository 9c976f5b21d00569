#pragma once
// The project-wide settings and texts of a game (System.dat): title, front-end
// menus, status-bar items, per-game-type settings, the text table, the system
// sound names, the music of the front-end places, the colour key, the option
// list that System.ini is checked against, and the behaviour switches that
// keep older projects playing as they did.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "records/cmd.h"
#include "records/field_table.h"
#include "records/safe_container.h"

struct DDSURFACEDATA;
class Font;

// One item of the play screen's status bar.
class cStatusItem : public cTableRecord {
public:
    static std::span<const FIELDROW<cStatusItem>> Rows();
    void Layout(uint32_t version) override;
    // The table stream; what an older file lacks gets the value of its row.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    int32_t bShow = 0;          // the item is drawn
    int32_t bIcon = 0;          // begins with a 16 x 16 icon instead of strLabel
    std::string strLabel;
    int32_t nCompat204 = 0;
    int32_t nDigit = 0;         // 16-pixel digit places after the label
    int32_t nLimit = 0;         // threshold of IsWithinLimit
    int32_t bLimitPercent = 0;  // nLimit is a percentage of a maximum
};

// The ranking settings of one game type.
class cGameTypeFlags : public cTableRecord {
public:
    static std::span<const FIELDROW<cGameTypeFlags>> Rows();
    void Layout(uint32_t version) override;
    // The table stream, then vFlag as u32 n and n bytes.
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    int32_t bOn = 0;                // rankings are kept for this game type
    cSafeVector<uint8_t> vFlag;     // per ranking table: 1 when enabled
};

// One named option (a key of System.ini and its default).
class cSysOption : public cTableRecord {
public:
    static std::span<const FIELDROW<cSysOption>> Rows();
    void Layout(uint32_t version) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    // Number option: kind 0, the name and the value (the text value stays).
    void SetNumber(const std::string& name, int value);
    // Text option: kind 1, the name and the text (the number value stays).
    void SetText(const std::string& name, const std::string& text);

    int32_t nKind = 0;  // 0 number, 1 text
    std::string strName;
    int32_t nValue = 0;
    std::string strValue;
};

// The base stream's fields, their versions, the defaults of a new project and
// the values of older files are the rows of Rows() (system_data.cpp). Members
// named nCompatNNN are behaviour switches of the play engine added at data
// version NNN, whose roles lie with their readers.
class cSystemData : public cTableRecord {
public:
    // The defaults of a new project, laid out for the current version.
    cSystemData();

    static std::span<const FIELDROW<cSystemData>> Rows();
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
    // The same, leaving vPlaceBgm unchecked against the music list: for a
    // reader on another thread while the database is still being loaded.
    int LoadFileUnchecked(const std::string& name);
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
    cSafeVector<uint8_t> vCarryFlag;  // per hero property: carried from the save record to the hero
    cSafeVector<uint8_t> vClearFlag;  // per hero property: cleared by the save data's clearing step
    int32_t bTallyDivide = 0;         // with nTallyDivisor: tallied amounts are divided (extra life by score)
    int32_t nTallyDivisor = 0;        // the divisor (score per extra life)
    int32_t bPauseEffect = 0;         // the play screen draws an effect while the pause menu is open
    int32_t bFontSymbols = 0;         // the second font draws a-z as symbols; the English ranking title
    int32_t nFontNo = 0;              // index into the font-name list of the system fonts
    int32_t bFontCentring = 0;        // the second font centres its glyphs
    int32_t bReplayRecord = 0;        // play input is recorded
    int32_t nCompat113 = 0;
    cSafeVector<cStatusItem> vStatusItem;
    int32_t bPictureTitleMenu = 0;    // the title menu is pictures from the GameMode bitmap, not texts
    cSafeVector<cCmd> vTitleMenu;
    cSafeVector<cCmd> vMapMenu;
    cSafeVector<cCmd> vOptionMenu;
    cSafeVector<std::string> vRankModeName;
    int32_t bChooseStorySlot = 0;     // a new story first lets the player choose a save slot
    int32_t bCarryStock = 0;          // the stock is carried over between stages of the world map
    int32_t bStageSwitch = 0;         // read by the play scene when a stage starts
    int32_t bShowStock = 0;           // the world map shows the stock
    int32_t nMaxStage = 0;            // challenge stages
    int32_t bUseMaxStage = 0;         // every challenge stage up to nMaxStage can be chosen
    cSafeVector<int32_t> vStartValue;  // per game type: the starting stock
    cSafeVector<int32_t> vStartFlag;   // per game type: the stock is unlimited
    cSafeVector<cGameTypeFlags> vGameTypeFlags;
    int32_t bShowStageValue = 0;      // the world map shows the stage value
    int32_t bShowMenuTotal = 0;       // the world-map menu shows the total value
    int32_t nCompat188a = 0;
    int32_t bPauseRetryStory = 0;     // pause menu: retry in story play
    int32_t bPauseBackToMap = 0;      // pause menu: back to the map
    int32_t bShowChallengeValues = 0;  // the challenge list shows the high-score heading and stage values
    int32_t bShowChallengeTotal = 0;  // the challenge list shows the total value
    int32_t nCompat188b = 0;
    int32_t bPauseRetryChallenge = 0;  // pause menu: retry in challenge play
    int32_t nCompat188c = 0;
    int32_t nCompat192 = 0;
    int32_t nColorMode = 0;           // 0: 256 colours, the key from the palette; else true colour, byColorKey
    uint8_t byColorKey[3] = {0, 0, 0};
    cSafeVector<std::string> vSeName;  // file names of the system sound effects
    cSafeVector<int32_t> vPlaceBgm;    // per front-end place: index into the music list
    cSafeVector<uint8_t> vPlaceFlag;   // per front-end place: the flag of its music request
    cSafeVector<std::string> vText;
    cSafeVector<cSysOption> vOption;
    int32_t nCompat214 = 0, nCompat261 = 0, nCompat272 = 0, nCompat287 = 0;
    int32_t nBlinkStep = 0;           // step of the blinking colours of the Direct3D back end
    int32_t bCyclePalette = 0;        // palette entries 208-239 cycle at 8 bits under DirectDraw; also a play switch
    int32_t nCompat525 = 0, nCompat555 = 0, nCompat637 = 0, nCompat669 = 0, nCompat677 = 0, nCompat695 = 0,
            nCompat697 = 0, nCompat721 = 0, nCompat728 = 0, nCompat733 = 0, nCompat744 = 0, nCompat749 = 0,
            nCompat752 = 0, nCompat763a = 0, nCompat763b = 0, nCompat768 = 0, nCompat773 = 0, nCompat781 = 0,
            nCompat782 = 0;
    int32_t bReverseOnTurn = 0;       // the older reverse-on-turn behaviour of moves
    int32_t nCompat793 = 0, nCompat805 = 0, nCompat808 = 0, nCompat818a = 0, nCompat818b = 0, nCompat819 = 0,
            nCompat822 = 0, nCompat696 = 0;
    int32_t nD3DBpp = 0;              // full-screen depth under Direct3D when Bpp is 0: 0 32 bits, 1 16 bits
    int32_t nDDBpp = 0;               // the same under DirectDraw: 0 32, 1 16, 2 8 bits

private:
    int LoadFile(const std::string& name, bool checkMusic);

    bool m_bCheckMusic = true;  // CheckPlaceBgm applies (off only while LoadFileUnchecked reads)
    // Brings a file older than the current version up to date where a row's
    // value for older files does not (system_data_upgrade.cpp).
    void UpgradeFromOlder(uint32_t version);
};

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
