// The glyphs of the fonts' caches rasterised while the program starts are
// those of the face the game's System.dat chooses, so that making the fonts
// draws them from memory.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/init_app.h"
#include "database/data_paths.h"
#include "database/menu_text_labels.h"
#include "database/system_data.h"
#include "platform/text/font_face.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

TEST(FontGlyphsAhead, AreRasterisedInTheFaceSystemDatChooses) {
    // "ＭＳ Ｐ明朝": no other test prepares glyphs of this face.
    constexpr int kProportionalMincho = 63;
    const char* face = GetFontName(kProportionalMincho);
    ASSERT_STREQ(face, "ＭＳ Ｐ明朝");
    if (FindFontFile(face).empty() || FindFontFile(face) == FindFontFile("ＭＳ Ｐゴシック"))
        GTEST_SKIP() << "no IPA Mincho font installed";
    cTempDir dir;
    cWorkDirGuard cwd(dir.Path());
    std::filesystem::create_directories(dir.Path() / "data");
    cSystemData system;
    system.nFontNo = kProportionalMincho;
    ASSERT_TRUE(system.SaveFile(PathTable[PATH_SYSTEM]));

    PrepareStartData();
    EndStartData();
    // The small and the middle font keep caches: half-width and kana cells alike.
    for (int height : {9, 16}) {
        EXPECT_TRUE(IsGlyphPrepared(face, height, U'A')) << height;
        EXPECT_TRUE(IsGlyphPrepared(face, height, U'あ')) << height;
    }
    // The large font keeps none.
    EXPECT_FALSE(IsGlyphPrepared(face, 30, U'あ'));
}
