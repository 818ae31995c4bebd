#include "base/cp1252.h"
#include "base/text.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteSurvivesUtf8AndQStringRoundTrips)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
    EXPECT_EQ(cp1252::fromQString(cp1252::toQString(all)), all);
}

TEST(Cp1252, MapsTheHighBlockAndReplacesWhatItCannotHold)
{
    EXPECT_EQ(cp1252::toUtf8("\x80"), "\xE2\x82\xAC");     // euro sign
    EXPECT_EQ(cp1252::toUtf8("gi\xE0"), "gi\xC3\xA0");      // a grave
    EXPECT_EQ(cp1252::fromUtf8("\xE2\x80\x9C" "x"), "\x93x"); // left double quote
    EXPECT_EQ(cp1252::fromUtf8("\xE4\xB8\xAD"), "?");       // a CJK character
    EXPECT_EQ(cp1252::fromUtf8("\xF0\x9F\x8E\xAC"), "?");   // an emoji
    EXPECT_EQ(cp1252::fromUtf8("a\xFF" "b"), "a?b");        // malformed UTF-8
    EXPECT_EQ(cp1252::fromQString(QString::fromUtf8("\xF0\x9F\x8E\xAC!")), "?!");
}

TEST(Text, FoldsOnlyAsciiLettersAndTrimsControlCodes)
{
    EXPECT_EQ(text::upperAscii("Matrix \xE8 ok.avi"), "MATRIX \xE8 OK.AVI");
    EXPECT_EQ(text::trim(" \t\x01 Zorro \r\n\x1F"), "Zorro");
    EXPECT_EQ(text::trim("\xA0x\xA0"), "\xA0x\xA0"); // non-breaking space is a character
    EXPECT_TRUE(text::equalsIgnoringAsciiCase("films.TXT", "FILMS.txt"));
    EXPECT_FALSE(text::equalsIgnoringAsciiCase("\xE8", "\xC8"));
    EXPECT_EQ(text::flattenLineBreaks("a\tb\r\nc"), "a b  c");
}
