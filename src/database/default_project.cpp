#include "database/default_project.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "database/common_palette.h"
#include "database/data_paths.h"
#include "database/database.h"
#include "platform/system/path.h"

namespace {

// The file name of a path (the text after its last backslash).
std::string FileNameOf(const char* path) {
    std::string s = path;
    const auto at = s.rfind('\\');
    return at == std::string::npos ? s : s.substr(at + 1);
}

}  // namespace

int WriteDefaultDatabaseFiles(const std::string& folder) {
    const std::string dbFolder = folder + "database\\";
    std::error_code ec;
    std::filesystem::create_directories(ToNativePath(dbFolder, true), ec);
    auto db = std::make_unique<cDatabase>();
    int ok = 1;
    for (int i = 0; i < DBFILE_NUM; ++i)
        if (!db->SaveListFile(i, dbFolder + FileNameOf(GetDbFilePath(i)))) ok = 0;
    auto palette = std::make_unique<cCommonPalette>();
    if (!palette->SaveToFile(folder + FileNameOf(PathTable[PATH_COMMON_PALETTE]))) ok = 0;
    return ok;
}
