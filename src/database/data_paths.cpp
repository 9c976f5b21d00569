#include "database/data_paths.h"

#include <filesystem>
#include <system_error>

#include "platform/system/file_name.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/path.h"
#include "records/utility.h"

namespace fs = std::filesystem;

const char* const PathTable[PATH_NUM] = {
    "data\\",
    "default\\",
    "data\\stg4\\old_ver\\",
    "data\\work\\",
    "e_data\\EditConfig.dat",
    "data\\PrjOption.dat",
    "default\\PrjOption.dat",
    "data\\CommonPalette.cplt4",
    "default\\CommonPalette.cplt4",
    "data\\GValInfo.dat",
    "default\\GValInfo.dat",
    "data\\stg4\\Default.stg4_***",
    "default\\stg4\\Default.stg4_***",
    "data\\WorldMap.dat",
    "default\\WorldMap.dat",
    "data\\database\\AnimeSet.dat",
    "default\\database\\AnimeSet.dat",
    "data\\database\\Anime.dat",
    "default\\database\\Anime.dat",
    "data\\database\\Bmp_CharaExc.dat",
    "default\\database\\Bmp_CharaExc.dat",
    "data\\database\\SwordType.dat",
    "default\\database\\SwordType.dat",
    "data\\database\\Effect.dat",
    "default\\database\\Effect.dat",
    "data\\database\\CharaEffect.dat",
    "default\\database\\CharaEffect.dat",
    "data\\database\\ScrEffect.dat",
    "default\\database\\ScrEffect.dat",
    "data\\database\\Picture.dat",
    "default\\database\\Picture.dat",
    "data\\database\\Sound.dat",
    "default\\database\\Sound.dat",
    "data\\database\\Bgm.dat",
    "default\\database\\Bgm.dat",
    "data\\System.dat",
    "default\\System.dat",
    "data\\stg4\\c",
    "user_data\\story\\",
    "user_data\\challenge\\",
    "user_data\\free\\",
    "user_data\\story\\Story",
    "user_data\\challenge\\Challenge.dat",
    "user_data\\Option.dat",
    "user_data\\",
    "user_data\\KeyConfig.dat",
    "user_data\\Boot.dat",
    "user_data\\Window.dat",
};

const char* const ExtTable[EXT_NUM] = {"cplt4", "stg4", "plt4", "rkg"};

const char* const StartupFolders[] = {
    "user_data", "user_data\\story", "user_data\\challenge", "user_data\\free", "user_data\\rpl4",
    "data", "data\\database", "data\\stg4", "data\\stg4\\old_ver", "data\\work", "data\\plt4",
    "bmp", "bmp\\back", "bmp\\chara_sp", "bmp\\effect", "bmp\\picture", "bmp\\sword", "bmp\\convert",
    "bmp\\plt", "bmp\\hbt", "wave", "bgm", nullptr,
};

const char* GetDbFilePath(int file) {
    if (file < 0 || file >= DBFILE_NUM) return "";
    return PathTable[PATH_DB_FIRST + 2 * file];
}

const char* GetDbDefaultPath(int file) {
    if (file < 0 || file >= DBFILE_NUM) return "";
    return PathTable[PATH_DB_FIRST + 2 * file + 1];
}

const char* GetRankingFolder(int kind) {
    if (kind < 0 || kind > 2) return nullptr;
    return PathTable[PATH_RANK_STORY + kind];
}

std::string GetChallengeStagePath(int number) {
    std::string s;
    FormatString(s, "%s%02d-1.%s", PathTable[PATH_CHALLENGE_STAGE], number, ExtTable[EXT_STG4]);
    return s;
}

std::string GetStorySavePath(int slot) {
    std::string s;
    FormatString(s, "%s%02d.dat", PathTable[PATH_STORY_SAVE], slot);
    return s;
}

void CreateStartupFolders() {
    for (const char* const* p = StartupFolders; *p; ++p) {
        std::error_code ec;
        fs::create_directory(ToNativePath(*p, true), ec);
    }
}

namespace {

bool IsProgramDirectory(const char* path) {
    std::error_code ec;
    return fs::is_directory(ToNativePath(path, false), ec);
}

// Copies the folder src (native) to dst (native, not yet existing) through a
// temporary sibling that is renamed into place when the copy is whole.
bool CopyFolderWhole(const fs::path& src, const fs::path& dst) {
    fs::path tmp = dst;
    tmp += ".partial";
    std::error_code ec;
    fs::remove_all(tmp, ec);
    ec.clear();
    fs::copy(src, tmp, fs::copy_options::recursive, ec);
    if (!ec) fs::rename(tmp, dst, ec);
    if (ec) {
        WriteReport("default data copy failed: %s", ec.message().c_str());
        std::error_code ignored;
        fs::remove_all(tmp, ignored);
        return false;
    }
    return true;
}

}  // namespace

int CreateDefaultData(const void* /*owner*/) {
    if (IsProgramDirectory(PathTable[PATH_DATA])) return 1;
    if (!IsProgramDirectory(PathTable[PATH_DEFAULT])) return 0;
    if (MesBox("データが存在しません！デフォルトデータを作成しますか？\n", "デフォルトデータ作成の確認", MB_YESNO) !=
        IDYES)
        return 0;
    // The source names the folder itself (no trailing backslash); the
    // destination keeps its backslash and names the copy.
    std::string src = PathTable[PATH_DEFAULT];
    std::string dst = PathTable[PATH_DATA];
    if (!MakeFullPathStr(src) || !MakeFullPathStr(dst)) return 0;
    if (!src.empty() && (src.back() == '\\' || src.back() == '/')) src.pop_back();
    fs::path srcNative = ToNativePath(src, false);
    fs::path dstNative = ToNativePath(dst, true);
    if (!dstNative.has_filename()) dstNative = dstNative.parent_path();
    return CopyFolderWhole(srcNative, dstNative) ? 1 : 0;
}
