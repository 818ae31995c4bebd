#include "base/cp1252.h"
#include "base/search_fold.h"
#include "base/text.h"

#include <QString>

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

TEST(SearchFold, FoldsCaseAndAccentsOneCharacterToOne)
{
    const struct {
        const char* from;
        const char* to;
    } cases[] = {
        {"citt\xE0", "CITTA"},          // à
        {"CITT\xC0", "CITTA"},          // À
        {"\xE8\xC8\xE9\xC9\xEA\xCB", "EEEEEE"},
        {"\xEC\xCD\xF2\xD3\xF9\xDA", "IIOOUU"},
        {"\xE7\xF1\xF8\xD8\xF0", "CNOOD"}, // ç ñ ø Ø ð
        {"\xFD\xFF\x9F", "YYY"},      // ý ÿ Ÿ
        {"\x8A\x9A\x8E\x9E", "SSZZ"}, // Š š Ž ž
        {"\xE6\xC6", "\xC6\xC6"},      // æ Æ: a letter of its own, one byte
        {"\x9C\x8C", "\x8C\x8C"},      // œ Œ
        {"\xFE\xDE", "\xDE\xDE"},      // þ Þ
        {"stra\xDF" "e", "STRA\xDF" "E"}, // ß has no upper case here and stays
        {"\xD7\xF7\xB5\xAA\x80 09_-", "\xD7\xF7\xB5\xAA\x80 09_-"}, // signs stay
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text::searchFolded(c.from), c.to) << c.from;
}

// Against Qt's Unicode data, for every byte: a letter and its upper case fold alike, and a letter
// that decomposes into a plain letter and accents folds as that letter.
TEST(SearchFold, EveryWindows1252LetterIgnoresCaseAndAccents)
{
    for (int b = 1; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const std::string one(1, byte);
        const QString ch = cp1252::toQString(one);
        const char folded = text::searchFold(byte);
        EXPECT_EQ(text::searchFold(folded), folded) << "twice " << b;
        EXPECT_EQ(text::searchFolded(one).size(), 1u);
        if (!ch[0].isLetter()) {
            EXPECT_EQ(folded, byte) << "not a letter " << b;
            continue;
        }
        for (const QString& other : {ch.toUpper(), ch.toLower()}) {
            const std::string back = cp1252::fromQString(other);
            if (back.size() == 1 && back != "?") {
                EXPECT_EQ(text::searchFold(back[0]), folded) << "case of " << b;
            }
        }
        const QString base = ch.normalized(QString::NormalizationForm_D).left(1);
        if (base != ch && base[0].unicode() < 128) {
            EXPECT_EQ(folded, base.toUpper().toLatin1()[0]) << "accent of " << b;
        }
        // Only the lower-case letters with no upper case here stay lower case: ß, µ and ƒ.
        EXPECT_TRUE(!QChar(cp1252::toCodePoint(static_cast<unsigned char>(folded))).isLower() || folded == '\xDF' ||
                    folded == '\xB5' || folded == '\x83')
            << "upper case of " << b;
    }
    // Long texts go eight bytes at a time: an accent inside such a block and one in the tail.
    EXPECT_EQ(text::searchFolded("la citt\xE0 eterna di roma \xE8 qu\xEC"), "LA CITTA ETERNA DI ROMA E QUI");
    std::string out = "x";
    text::appendSearchFolded(out, "abcdefgh@[`{");
    EXPECT_EQ(out, "xABCDEFGH@[`{");
}
