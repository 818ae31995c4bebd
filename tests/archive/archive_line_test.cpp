#include "archive/archive_line.h"

#include "base/dates.h"
#include "base/errors.h"

#include <gtest/gtest.h>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

dfilm matrix()
{
    dfilm r;
    r.titolo = "MATRIX.AVI";
    r.genere = "FANTASCIENZA";
    r.attore1 = "Keanu Reeves, Laurence Fishburne";
    r.attore2 = "Carrie-Anne Moss";
    r.regia = "Andy e Larry Wachowski";
    r.posizione = "Gino-FILM01";
    r.durata = "136'";
    r.datau = "1999";
    r.dataa = dates::encode({2004, 12, 8, 18, 30, 0});
    r.dimmb = 734.0032;
    r.riservato = -7;
    r.trama = "Un hacker scopre che il mondo \xE8 una simulazione.";
    return r;
}

} // namespace

TEST(ArchiveLine, WritesTwelveTabSeparatedFieldsWithTheDateOnly)
{
    EXPECT_EQ(archiveline::format(matrix(), kItalian),
              "MATRIX.AVI\tFANTASCIENZA\tKeanu Reeves, Laurence Fishburne\tCarrie-Anne Moss\t"
              "Andy e Larry Wachowski\tGino-FILM01\t136'\t1999\t08/12/2004\t734,0032\t-7\t"
              "Un hacker scopre che il mondo \xE8 una simulazione.");
    dfilm empty;
    EXPECT_EQ(archiveline::format(empty, kItalian), "\t\t\t\t\t\t\t\t30/12/1899\t0\t0\t");
}

TEST(ArchiveLine, RoundTripKeepsEveryFieldButTheTimeOfDay)
{
    const dfilm original = matrix();
    const dfilm back = archiveline::parse(archiveline::format(original, kItalian), kItalian);
    dfilm expected = original;
    expected.dataa = dates::encode({2004, 12, 8});
    EXPECT_EQ(back, expected);
    EXPECT_EQ(back.riservato, -7);
}

TEST(ArchiveLine, PlotKeepsItsTabsAndExtraFieldsEndInThePlot)
{
    dfilm r = matrix();
    r.trama = "prima\tseconda\t\tterza";
    EXPECT_EQ(archiveline::parse(archiveline::format(r, kItalian), kItalian).trama, r.trama);
}

TEST(ArchiveLine, ReadsAtMostTenThousandCharactersAfterTheFirstTab)
{
    const std::string head = std::string(29, 'T') + "\t";                  // first tab at position 30
    const std::string middle = "\t\t\t\t\t\t\t08/12/2004\t1\t0\t";        // ten more tabs
    const std::string plot(10050 - head.size() - middle.size(), 'p');
    const std::string line = head + middle + plot;
    ASSERT_EQ(line.size(), 10050u);
    const dfilm r = archiveline::parse(line, kItalian);
    EXPECT_EQ(r.titolo, std::string(29, 'T'));
    EXPECT_EQ(r.trama.size(), 10000 - middle.size());
    EXPECT_EQ(r.trama, plot.substr(0, 10000 - middle.size()));
}

TEST(ArchiveLine, FieldsThatDoNotConvertFailWithTheLibraryText)
{
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"", "'' is not a valid date"},
        {"A\tB\tC\tD\tE\tF\tG\tH\t31/02/2004\t1\t0\tplot", "'31/02/2004' is not a valid date"},
        {"A\tB\tC\tD\tE\tF\tG\tH\t08/12/2004\t734.0032\t0\tplot", "'734.0032' is not a valid floating point value"},
        {"A\tB\tC\tD\tE\tF\tG\tH\t08/12/2004\t1\tzero\tplot", "'zero' is not a valid integer value"},
        {"A\tB\tC\tD\tE\tF\tG\tH\t08/12/2004\t1\t7", "'' is not a valid integer value"}, // ten tabs
        {"A\tB\tC", "'' is not a valid date"},
    };
    for (const auto& c : cases) {
        try {
            archiveline::parse(c.line, kItalian);
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), c.error) << c.line;
        }
    }
}
