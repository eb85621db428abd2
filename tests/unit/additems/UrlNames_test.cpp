#include <gtest/gtest.h>

#include "additems/UrlNames.h"

namespace {

// The file name a URL text gets, without its extension.
std::string UrlFileName(const std::string& text)
{
    return MakeSafeFileName(StripUrlScheme(text));
}

TEST(UrlNames, SchemeSeparatorAnywhereOrMailToMakesAUrl)
{
    EXPECT_TRUE(IsUrl("ftp://server/page.html"));
    EXPECT_TRUE(IsUrl("see http://x"));
    EXPECT_TRUE(IsUrl("MailTo:First Last"));
    EXPECT_TRUE(IsUrl("mailto:"));
    EXPECT_TRUE(IsUrl("://"));
    EXPECT_FALSE(IsUrl("news:alt"));
    EXPECT_FALSE(IsUrl("C:\\Projects\\Tool"));
    EXPECT_FALSE(IsUrl("mail to:x"));
    EXPECT_FALSE(IsUrl(":/"));
    EXPECT_FALSE(IsUrl(""));
}

TEST(UrlNames, FileNamesOfUrlTexts)
{
    EXPECT_EQ(UrlFileName("ftp://server/page.html"), "server_page_html");
    EXPECT_EQ(UrlFileName("MailTo:First Last"), "First_Last");
    EXPECT_EQ(UrlFileName("file:///C:/Docs/x.pdf"), "_C__Docs_x_pdf");
    EXPECT_EQ(UrlFileName("http://"), "");
    // Only the first separator is cut; mailto wins even when "://" follows.
    EXPECT_EQ(UrlFileName("a://b://c"), "b___c");
    EXPECT_EQ(UrlFileName("mailto:x://y"), "x___y");
}

TEST(UrlNames, NonUrlTextsAreNotStripped)
{
    EXPECT_EQ(StripUrlScheme("news:alt"), "news:alt");
    EXPECT_EQ(StripUrlScheme("C:\\x"), "C:\\x");
}

TEST(UrlNames, SafeNamesKeepLettersDigitsAndTheAllowedSignsOnly)
{
    EXPECT_EQ(MakeSafeFileName("AbZz09!#$%&'()-@^_`{}~"), "AbZz09!#$%&'()-@^_`{}~");
    EXPECT_EQ(MakeSafeFileName(" \"*+,./:;<=>?[\\]|"), std::string(17, '_'));
    const std::string controlAndHigh = {'\x01', '\x1f', '\x7f', '\x80', '\xe9', '\xff'};
    EXPECT_EQ(MakeSafeFileName(controlAndHigh), "______");
    EXPECT_EQ(MakeSafeFileName(""), "");
}

TEST(UrlNames, UnicodeAddressGivesOneSignPerUtf8Byte)
{
    // "例え.jp/Café": no half character can remain, as every byte above 127 is replaced.
    const std::string address = StripUrlScheme("http://\xE4\xBE\x8B\xE3\x81\x88.jp/Caf\xC3\xA9");
    EXPECT_EQ(MakeSafeFileName(address), "_______jp_Caf__");
}

TEST(UrlNames, EveryByteBecomesOneByte)
{
    for (int c = 0; c < 256; ++c) {
        const std::string one(1, static_cast<char>(c));
        const std::string safe = MakeSafeFileName(one);
        ASSERT_EQ(safe.size(), 1u);
        const bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        const bool sign = c != 0 && std::string("!#$%&'()-@^_`{}~").find(static_cast<char>(c)) != std::string::npos;
        EXPECT_EQ(safe, alnum || sign ? one : "_") << "byte " << c;
    }
}

} // namespace

namespace {

TEST(UrlNames, ShortcutNamesAreCutToTheLimitAndNeverADevice)
{
    EXPECT_EQ(UrlShortcutName("http://abcdef", 3), "abc");
    EXPECT_EQ(UrlShortcutName("http://console", 3), "con_") << "a cut that makes a device name";
    EXPECT_EQ(UrlShortcutName("http://Prn", 100), "Prn_");
    EXPECT_EQ(UrlShortcutName("http://com0", 100), "com0");
    EXPECT_EQ(UrlShortcutName("http://", 100), EmptyUrlName);
    EXPECT_EQ(TrimUrlText(" \t\r\n"), "");
    EXPECT_EQ(TrimUrlText("\thttp://a b\r\n"), "http://a b");
    EXPECT_EQ(TrimUrlText("http://a\r\nb"), "http://a\r\nb");
}

} // namespace
