#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/system/cp932.h"
#include "platform/system/mesbox.h"

namespace {

TEST(Cp932, ConvertsBothWaysIncludingTrailing5C) {
    // 表 (95 5C) and ソ (83 5C) end in the backslash byte; ① is a CP932 extension.
    const std::string sjis = "\x95\x5C\x83\x5C\x87\x40\\";
    const std::string utf8 = U8(u8"表ソ①\\");
    EXPECT_EQ(Cp932ToUtf8(sjis), utf8);
    EXPECT_EQ(Utf8ToCp932(utf8), sjis);
    EXPECT_EQ(Cp932ToUtf8("ゲーム"), U8(u8"ゲーム"));  // literals are compiled as CP932
}

TEST(Cp932, BadBytesAreReplacedNotDropped) {
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji has no CP932 form
}

// Converters are kept between conversions: each conversion starts afresh,
// whatever the one before left behind, and threads never share one.
TEST(Cp932, KeptConvertersStartAfreshAndAreNotShared) {
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");  // ends inside a character
    EXPECT_EQ(Cp932ToUtf8("\x95\x5C"), U8(u8"表"));
    EXPECT_EQ(Utf8ToCp932("a\xE8\xA1"), "a?");  // ends inside a character
    EXPECT_EQ(Utf8ToCp932(U8(u8"表")), "\x95\x5C");

    const std::string sjis = "\x95\x5C\x83\x5C\x87\x40 ABC \x83\x51\x81\x5B\x83\x80";
    const std::string utf8 = U8(u8"表ソ① ABC ゲーム");
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                if (Cp932ToUtf8(sjis) != utf8) ++wrong;
                if (Utf8ToCp932(utf8) != sjis) ++wrong;
            }
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(wrong, 0);
}

TEST(MesBox, DefaultAnswersFollowTheDefaultButton) {
    EXPECT_EQ(DefaultMesBoxAnswer(MB_OK), IDOK);
    EXPECT_EQ(DefaultMesBoxAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(DefaultMesBoxAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(DefaultMesBoxAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(DefaultMesBoxAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
}

}  // namespace
