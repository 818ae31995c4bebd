#include "lookup/film_pictures.h"

#include <gtest/gtest.h>

namespace {

const std::string kBase = "http://films.test";

TEST(PictureUrls, TheFirstPosterReferenceGivesBothAddresses)
{
    struct Case
    {
        const char* name;
        std::string page;
        std::string poster, cover;
    };
    const std::string poster = kBase + "/locand/abc123.jpg", cover = kBase + "/posters/loc/500/abc123.jpg";
    const Case cases[] = {
        {"relative", "<img src=\"locand/abc123.jpg\" width=100>", poster, cover},
        {"inside an absolute address", "<img src=\"http://altro.test/immagini/locand/abc123.jpg\">", poster, cover},
        {"the first of two", "<a href=\"locand/abc123.jpg\"><img src=\"locand/zzz.jpg\"></a>", poster, cover},
        {"in a single-quoted attribute the path runs to the next double quote",
         "<img src='locand/abc123.jpg'> <b class=\"x\">", kBase + "/locand/abc123.jpg'> <b class=",
         kBase + "/posters/loc/500/abc123.jpg'> <b class="},
        {"an empty name", "\"locand/\"", kBase + "/locand/", kBase + "/posters/loc/500/"},
    };
    for (const Case& c : cases) {
        const auto urls = lookup::PictureUrls(c.page, kBase);
        ASSERT_TRUE(urls) << c.name;
        EXPECT_EQ(urls->poster, c.poster) << c.name;
        EXPECT_EQ(urls->cover, c.cover) << c.name;
    }
}

TEST(PictureUrls, APageWithoutAReferenceHasNone)
{
    for (const char* page : {"", "<img src=\"locandina.jpg\">", "LOCAND/abc.jpg", "locand abc.jpg",
                             "<img src=locand/fine.jpg> and the page goes on"})
        EXPECT_FALSE(lookup::PictureUrls(page, kBase)) << page;
}

} // namespace
