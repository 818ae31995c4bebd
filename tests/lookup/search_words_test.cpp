#include "lookup/search_words.h"

#include <gtest/gtest.h>

TEST(SearchWords, TheYearComesOutOfTheWords)
{
    const struct
    {
        std::string text, words;
        int year;
    } cases[] = {
        {"LA VITA \xE8 BELLA (1997)", "LA VITA \xE8 BELLA", 1997},
        {"LA VITA \xE8 BELLA 1997", "LA VITA \xE8 BELLA", 1997},
        {"LA.VITA.\xE8.BELLA.1997", "LA VITA \xE8 BELLA", 1997},
        {"IL_PADRINO_[1972]", "IL PADRINO", 1972},
        {"ALIEN (1979) DIRECTOR'S CUT", "ALIEN DIRECTOR'S CUT", 1979},
        {"METROPOLIS - 1927", "METROPOLIS", 1927},
        {"  MATRIX  ", "MATRIX", 0},
        {"BLADE RUNNER 2049", "BLADE RUNNER 2049", 0}, // later than next year
        {"THE BIRTH 1879", "THE BIRTH 1879", 0},       // before 1880
        {"ROMA 1880", "ROMA", 1880},
        {"ROMA 2027", "ROMA", 2027},
        {"1917", "1917", 0},     // the number is the whole title
        {"(1917)", "(1917)", 0}, // the same in brackets
        {"2001: ODISSEA NELLO SPAZIO", "2001: ODISSEA NELLO SPAZIO", 0},
        {"APOLLO 13", "APOLLO 13", 0},
        {"FILM12345", "FILM12345", 0},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        const lookup::SearchWords w = lookup::SplitSearchText(c.text, 2027);
        EXPECT_EQ(w.words, c.words) << c.text;
        EXPECT_EQ(w.year, c.year) << c.text;
    }
}

TEST(SearchWords, WordsGoOutAsPercentEncodedUtf8)
{
    EXPECT_EQ(lookup::PercentEncodeUtf8("LA VITA \xE8 BELLA"), "LA%20VITA%20%C3%A8%20BELLA");
    EXPECT_EQ(lookup::PercentEncodeUtf8("L'ULTIMO&q=1#x+y/z?\x80"),
              "L%27ULTIMO%26q%3D1%23x%2By%2Fz%3F%E2%82%AC");
    EXPECT_EQ(lookup::PercentEncodeUtf8("a-b._~9"), "a-b._~9");
}

TEST(SearchWords, ChooserLineHasTheYearInBracketsWhenKnown)
{
    EXPECT_EQ(lookup::ChooserLine("La vita \xE8 bella", 1997), "La vita \xE8 bella (1997)");
    EXPECT_EQ(lookup::ChooserLine("La vita \xE8 bella", 0), "La vita \xE8 bella");
}
