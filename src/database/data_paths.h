#pragma once
// Where the project and the player's files live: the fixed relative paths
// (program form, CP932 with backslashes), the file extensions, the folders
// made at start-up, and the first-start copy of "default\" to "data\".
#include <string>

constexpr int PATH_NUM = 48;

// Rows of the path table.
enum ePathRow {
    PATH_DATA = 0,                // "data\"
    PATH_DEFAULT = 1,             // "default\"
    PATH_OLD_VER = 2,
    PATH_WORK = 3,
    PATH_EDIT_CONFIG = 4,
    PATH_PRJ_OPTION = 5,
    PATH_DEF_PRJ_OPTION = 6,
    PATH_COMMON_PALETTE = 7,      // "data\CommonPalette.cplt4"
    PATH_DEF_COMMON_PALETTE = 8,
    PATH_GVAL_INFO = 9,
    PATH_DEF_GVAL_INFO = 10,
    PATH_DEFAULT_STAGE = 11,
    PATH_DEF_DEFAULT_STAGE = 12,
    PATH_WORLD_MAP = 13,          // "data\WorldMap.dat"
    PATH_DEF_WORLD_MAP = 14,
    PATH_DB_FIRST = 15,           // 15..34: each database file, then its "default\" twin
    PATH_SYSTEM = 35,             // "data\System.dat"
    PATH_DEF_SYSTEM = 36,
    PATH_CHALLENGE_STAGE = 37,    // prefix of the challenge stages: "%s%02d-1.%s"
    PATH_RANK_STORY = 38,
    PATH_RANK_CHALLENGE = 39,
    PATH_RANK_FREE = 40,
    PATH_STORY_SAVE = 41,         // prefix of the story slots: + two digits + ".dat"
    PATH_CHALLENGE_SAVE = 42,
    PATH_OPTION = 43,             // "user_data\Option.dat"
    PATH_USER = 44,
    PATH_KEY_CONFIG = 45,
    PATH_BOOT = 46,
    PATH_WINDOW = 47,
};

// The path table, in row order.
extern const char* const PathTable[PATH_NUM];

// The ten database list files, in loading order.
enum eDbFile {
    DBFILE_ANIME_SET = 0, DBFILE_ANIME, DBFILE_CHARA_BMP, DBFILE_SWORD_TYPE, DBFILE_EFFECT,
    DBFILE_CHARA_EFFECT, DBFILE_SCR_EFFECT, DBFILE_PICTURE, DBFILE_SOUND, DBFILE_BGM,
    DBFILE_NUM,
};
// "data\database\<file>" of list `file`.
const char* GetDbFilePath(int file);
// "default\database\<file>" of list `file`.
const char* GetDbDefaultPath(int file);

constexpr int EXT_NUM = 4;
enum eExtension { EXT_CPLT4 = 0, EXT_STG4 = 1, EXT_PLT4 = 2, EXT_RKG = 3 };
// The extension table: "cplt4", "stg4", "plt4", "rkg".
extern const char* const ExtTable[EXT_NUM];

// Folder of the ranking files of a play kind (0 story, 1 challenge, 2 free);
// null for any other kind.
const char* GetRankingFolder(int kind);
// "data\stg4\cNN-1.stg4": the file of challenge stage `number`.
std::string GetChallengeStagePath(int number);
// "user_data\story\StoryNN.dat": the story file of save slot `slot`.
std::string GetStorySavePath(int slot);

// The folders made at start-up, in order, closed by a null entry.
extern const char* const StartupFolders[];
// Makes every start-up folder that does not exist; failures are ignored (a
// missing folder shows up later as a file that cannot be opened).
void CreateStartupFolders();

// Builds "data\" from "default\" on the first start of a project that ships
// only "default\": 1 when "data\" exists afterwards, 0 when it does not.
// Asks the player first; the copy goes to a temporary folder that becomes
// "data\" only when it is whole. `owner` is the window the question belongs
// to (boxes are drawn in the one main window, so it is not needed here).
int CreateDefaultData(const void* owner = nullptr);
