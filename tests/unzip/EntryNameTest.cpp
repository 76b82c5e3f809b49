#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "EntryName.h"

namespace {

using unz::IsSafeEntryName;

TEST(EntryName, OnlyNamesThatStayInsideTheFolderAreSafe) {
    // clang-format off
    const char* safe[] = {"a.txt", "tools/app.exe", "tools\\app.exe", "dir/", "COM10", "con1.txt",
                          "console.log", "nul_x.txt", ".hidden", "a..b", "...x", "lpt", "com0"};
    const char* unsafe[] = {"", "/", "/etc/passwd", "\\x", "\\\\server\\share\\x", "C:x", "c:/x",
                            "..", "../x", "a/../../x", "a\\..\\x", "x/.. /y", "...", "a//b",
                            "f.txt:stream", "CON", "con.txt", "sub/Nul.tar.gz", "LPT9", "com1 .txt",
                            "aux", "CONOUT$", "prn.", "a\x01z", "a?b"};
    // clang-format on
    for (const char* name : safe) EXPECT_TRUE(IsSafeEntryName(name)) << name;
    for (const char* name : unsafe) EXPECT_FALSE(IsSafeEntryName(name)) << name;
    EXPECT_FALSE(IsSafeEntryName(std::string("a\0b", 3)));
    EXPECT_FALSE(IsSafeEntryName(u"sub/COM\u00B9.txt"));
    EXPECT_FALSE(IsSafeEntryName(u"..\\x"));
    EXPECT_TRUE(IsSafeEntryName(u"caf\u00E9/\u00F1.txt"));
}

TEST(EntryName, CodePage437MatchesTheSystemTable) {
    iconv_t convert = iconv_open("UTF-16LE", "CP437");
    ASSERT_NE(reinterpret_cast<iconv_t>(-1), convert);
    for (int byte = 0; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        char16_t out = 0;
        char* inPointer = &in;
        char* outPointer = reinterpret_cast<char*>(&out);
        size_t inLeft = 1, outLeft = 2;
        ASSERT_NE(static_cast<size_t>(-1),
                  iconv(convert, &inPointer, &inLeft, &outPointer, &outLeft));
        EXPECT_EQ(std::u16string(1, out), unz::DecodeCp437(std::string(1, in))) << byte;
    }
    iconv_close(convert);
}

TEST(EntryName, Utf8IsDecodedStrictly) {
    EXPECT_EQ(u"caf\u00E9", unz::DecodeEntryName("caf\xC3\xA9", true));
    EXPECT_EQ(u"caf\u251C\u2310", unz::DecodeEntryName("caf\xC3\xA9", false));
    EXPECT_EQ(u"\U0001F600\u20AC", unz::DecodeUtf8("\xF0\x9F\x98\x80\xE2\x82\xAC"));
    for (const char* bad : {"\xC3", "\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "a\xC3(b"}) {
        EXPECT_FALSE(unz::DecodeUtf8(bad)) << bad;
    }
}

}  // namespace
