#include "intake/add_to_archive.h"
#include "intake/archived_marks.h"
#include "intake/association.h"
#include "intake/covers.h"
#include "intake/media_scan.h"
#include "intake/remove_duplicates.h"
#include "intake/title_sort.h"

#include "base/dates.h"
#include "platform/folder_listing.h"
#include "platform/volume_label.h"
#include "support/archives.h"
#include "support/fake_disc.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

dfilm film(const std::string& title, const std::string& position = "Nick-FILM01", double size = 700,
           const std::string& genre = "")
{
    dfilm r;
    r.titolo = title;
    r.posizione = position;
    r.dimmb = size;
    r.genere = genre;
    return r;
}

std::vector<std::string> titles(const RecordTable& table, int count)
{
    std::vector<std::string> out;
    for (int k = 1; k <= count; ++k)
        out.push_back(table.row(k).titolo);
    return out;
}

void setModified(const fs::path& path, const dates::Civil& when)
{
    std::tm tm{};
    tm.tm_year = when.year - 1900;
    tm.tm_mon = when.month - 1;
    tm.tm_mday = when.day;
    tm.tm_hour = when.hour;
    tm.tm_min = when.minute;
    tm.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class Scan : public ::testing::Test
{
protected:
    TempFolder folder;
    Settings settings = Settings::defaults("/nowhere");
    IntakeModel intake;

    void SetUp() override
    {
        settings.MediaFolder = folder.text();
        settings.NickName = "Nick";
    }
};

} // namespace

TEST_F(Scan, TakesMatchingFilesAndFoldersPatternByPatternThenSortsByTitle)
{
    folder.write("Matrix.avi", "x");
    folder.write("alien.MPG", "xx");
    folder.write("Zorro.divx", "");
    folder.write("notes.txt", "not a film");
    folder.write("clip.avi.bak", "");
    fs::create_directory(folder / "extra.avi");
    {
        // 734,003,200 bytes without writing them.
        const int fd = ::open((folder / "Big.wmv").c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 734003200), 0);
        ::close(fd);
    }
    setModified(folder / "Matrix.avi", {2005, 3, 10, 18, 30});
    intake.VolumeLabel = "FILM01";

    ScanMediaFolder(intake, settings);
    ASSERT_EQ(intake.IntakeCount, 5);
    // The patterns' order holds before the sort: .avi first, .wmv last.
    EXPECT_TRUE(intake.IntakeTable.row(1).titolo.ends_with(".AVI"));
    EXPECT_TRUE(intake.IntakeTable.row(2).titolo.ends_with(".AVI"));
    EXPECT_EQ(intake.IntakeTable.row(3).titolo, "ALIEN.MPG");
    EXPECT_EQ(intake.IntakeTable.row(4).titolo, "ZORRO.DIVX");
    EXPECT_EQ(intake.IntakeTable.row(5).titolo, "BIG.WMV");

    SortIntakeTable(intake);
    EXPECT_EQ(titles(intake.IntakeTable, 5),
              (std::vector<std::string>{"ALIEN.MPG", "BIG.WMV", "EXTRA.AVI", "MATRIX.AVI", "ZORRO.DIVX"}));
    // The real names travel with their entries.
    EXPECT_EQ(intake.fileName(1), "alien.MPG");
    EXPECT_EQ(intake.fileName(4), "Matrix.avi");
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(intake.IntakeTable.row(k).posizione, "Nick-FILM01");
        EXPECT_EQ(intake.IntakeTable.row(k).genere, "");
        EXPECT_EQ(intake.IntakeTable.row(k).riservato, 0);
    }
    EXPECT_DOUBLE_EQ(intake.IntakeTable.row(1).dimmb, 0.000002);
    EXPECT_DOUBLE_EQ(intake.IntakeTable.row(2).dimmb, 734.0032);
    EXPECT_EQ(intake.IntakeTable.row(3).dimmb, 0); // the folder
    const dates::Civil arrival = dates::decode(intake.IntakeTable.row(4).dataa);
    EXPECT_EQ(arrival.year, 2005);
    EXPECT_EQ(arrival.month, 3);
    EXPECT_EQ(arrival.day, 10);
    EXPECT_EQ(arrival.hour, 18);
    EXPECT_EQ(arrival.minute, 30);
}

TEST_F(Scan, TodaysVideoFilesFollowTheClassicSevenInThePatternsOrder)
{
    const std::vector<std::string> extensions = {"avi", "mpg",  "divx", "mpeg", "wmv", "wmf", "asf", "mkv", "mp4",
                                                 "m4v", "mov",  "webm", "ts",   "m2ts", "vob", "ogv", "flv", "3gp"};
    std::vector<std::string> patterns;
    for (const std::string& e : extensions)
        patterns.push_back("/*." + e);
    EXPECT_EQ(settings.MediaPatterns, patterns);
    // Written in reverse, in both cases, beside files of other kinds.
    for (std::size_t i = extensions.size(); i-- > 0;) {
        std::string upper = extensions[i];
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        folder.write("f" + std::to_string(i) + "." + (i % 2 ? upper : extensions[i]), "");
    }
    for (const char* other : {"song.mp3", "film.srt", "film.mkv.part", "film.mp4a", "film.mts"})
        folder.write(other, "");

    ScanMediaFolder(intake, settings);
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        std::string title = "F" + std::to_string(i) + "." + extensions[i];
        for (char& c : title)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        expected.push_back(title);
    }
    EXPECT_EQ(titles(intake.IntakeTable, intake.IntakeCount), expected);

    // A pattern added to the table is scanned like the others.
    folder.write("extra.rmvb", "");
    settings.MediaPatterns.push_back("/*.rmvb");
    ScanMediaFolder(intake, settings);
    EXPECT_EQ(intake.IntakeTable.row(intake.IntakeCount).titolo, "EXTRA.RMVB");
}

TEST_F(Scan, PositionWithoutLabelAndNamesOutsideWindows1252)
{
    folder.write("\xCE\xA9mega.avi", "");   // Greek capital omega: not in Windows-1252
    folder.write("\xC3\xA8lite.avi", "");   // e grave: Windows-1252 0xE8
    ScanMediaFolder(intake, settings);
    SortIntakeTable(intake);
    ASSERT_EQ(intake.IntakeCount, 2);
    // '?' sorts before letters; an accented first letter is not folded and sorts after ASCII.
    EXPECT_EQ(intake.IntakeTable.row(1).titolo, "?MEGA.AVI");
    EXPECT_EQ(intake.fileName(1), "\xCE\xA9mega.avi");
    EXPECT_EQ(intake.IntakeTable.row(2).titolo, "\xE8LITE.AVI");
    EXPECT_EQ(intake.IntakeTable.row(1).posizione, "Nick-");
}

TEST_F(Scan, MissingFolderOrNoFilmGivesAnEmptyIntake)
{
    folder.write("a.avi", "");
    ScanMediaFolder(intake, settings);
    ASSERT_EQ(intake.IntakeCount, 1);
    settings.MediaFolder = folder.text() + "missing";
    ScanMediaFolder(intake, settings);
    EXPECT_EQ(intake.IntakeCount, 0);
    EXPECT_TRUE(intake.FileNames.empty());
}

TEST_F(Scan, ManyEntriesGrowPastTheClassicTable)
{
    for (int i = 0; i < 2100; ++i)
        folder.write("film" + std::to_string(i) + ".avi", "");
    ScanMediaFolder(intake, settings);
    EXPECT_EQ(intake.IntakeCount, 2100);
    SortIntakeTable(intake);
    EXPECT_EQ(intake.IntakeTable.row(1).titolo, "FILM0.AVI");
    EXPECT_EQ(intake.fileName(1), "film0.avi");
}

TEST(WildcardMatch, IgnoresCaseAndMatchesWholeNames)
{
    struct Case
    {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"*.avi", "Matrix.AVI", true},  {"*.avi", "clip.avi.bak", false}, {"*.mpg", "a.mpeg", false},
        {"*.mpeg", "a.MPEG", true},     {"*.avi", ".avi", true},          {"*.jpg", "a.jpg.jpg", true},
        {"?.avi", "\xC3\xA8.avi", true}, {"?.avi", "ab.avi", false},     {"*", "", true},
        {"a*b*c", "aXbYbZc", true},     {"a*b*c", "aXbYbZ", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(files::wildcardMatch(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
}

TEST(TitleSort, FoldsAsciiOnlyAndPutsPrefixesFirst)
{
    RecordTable table;
    const std::vector<std::string> in = {"zorro.avi", "\xC8 TUTTO.AVI", "ALIEN.AVI", "alien", "Blade", "_X.AVI",
                                         "1941.AVI"};
    for (std::size_t i = 0; i < in.size(); ++i)
        table.edit(static_cast<int>(i) + 1).titolo = in[i];
    const std::vector<int> from = titleSort(table, static_cast<int>(in.size()));
    // '_' (0x5F) comes before the lowered letters, and a key that is a prefix before the longer one.
    EXPECT_EQ(titles(table, static_cast<int>(in.size())),
              (std::vector<std::string>{"1941.AVI", "_X.AVI", "alien", "ALIEN.AVI", "Blade", "zorro.avi",
                                        "\xC8 TUTTO.AVI"}));
    EXPECT_EQ(from, (std::vector<int>{7, 6, 4, 3, 5, 1, 2}));
    // Fewer than two records: nothing moves.
    RecordTable one;
    one.edit(1).titolo = "B";
    titleSort(one, 1);
    EXPECT_EQ(one.row(1).titolo, "B");
}

namespace {

// The title sort as its description reads, on (title, original slot) pairs numbered from 1.
std::string lowered(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

void referenceSort(std::vector<std::pair<std::string, int>>& v, int lo, int hi)
{
    int i = lo, j = hi;
    const std::string pivot = lowered(v[static_cast<std::size_t>((lo + hi) / 2)].first);
    do {
        while (lowered(v[static_cast<std::size_t>(i)].first) < pivot)
            ++i;
        while (lowered(v[static_cast<std::size_t>(j)].first) > pivot)
            --j;
        if (i <= j) {
            std::swap(v[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j)
        referenceSort(v, lo, j);
    if (i < hi)
        referenceSort(v, i, hi);
}

} // namespace

TEST(TitleSort, EqualKeysEndWhereTheMiddlePivotQuicksortLeavesThem)
{
    // Few keys, many records, case variants of each: the order among equal keys is the sort's own.
    const char* const names[] = {"MATRIX.AVI", "matrix.avi", "Matrix.avi", "ALIEN", "alien", "\xC8", "B", "b"};
    for (const int n : {2, 3, 17, 500}) {
        RecordTable table;
        std::vector<std::pair<std::string, int>> expected(1);
        unsigned seed = 7;
        for (int k = 1; k <= n; ++k) {
            seed = seed * 1103515245u + 12345u;
            const std::string title = names[(seed >> 16) % 8];
            table.edit(k).titolo = title;
            expected.emplace_back(title, k);
        }
        referenceSort(expected, 1, n);
        std::vector<int> expectedFrom;
        for (int k = 1; k <= n; ++k)
            expectedFrom.push_back(expected[static_cast<std::size_t>(k)].second);
        EXPECT_EQ(titleSort(table, n), expectedFrom) << n << " records";
        for (int k = 1; k <= n; ++k)
            ASSERT_EQ(table.row(k).titolo, expected[static_cast<std::size_t>(k)].first) << n << " records, row " << k;
    }
}

TEST(FindInArchive, ReportsEmptyMissingOrTheFirstSlot)
{
    ArchiveModel empty;
    EXPECT_EQ(FindInArchive(empty, "MATRIX.AVI", "Nick-FILM01", 1, false), kArchiveEmpty);
    const ArchiveModel m = archiveOf({film("ALIEN.MPG"), film("MATRIX.AVI", "Nick-FILM02"), film("MATRIX.AVI"),
                                      film("Matrix.avi")});
    EXPECT_EQ(FindInArchive(m, "MATRIX.AVI", "Nick-FILM01", 1, false), 3);
    EXPECT_EQ(FindInArchive(m, "MATRIX.AVI", "Nick-FILM01", 1, true), 2);
    EXPECT_EQ(FindInArchive(m, "MATRIX.AVI", "Nick-FILM01", 4, true), kNotInArchive);
    EXPECT_EQ(FindInArchive(m, "MATRIX.AVI", "Nick-FILM03", 1, false), kNotInArchive);
    EXPECT_EQ(FindInArchive(m, "matrix.avi", "Nick-FILM01", 1, false), kNotInArchive);
    EXPECT_EQ(FindInArchive(m, "MATRIX.AVI", "Nick-FILM01 ", 1, false), kNotInArchive);
}

TEST(ArchivedMarks, MarkWhatTheArchiveHoldsExactly)
{
    IntakeModel intake;
    const struct
    {
        const char* title;
        const char* position;
        bool marked;
        bool markedIgnoringPosition;
    } entries[] = {
        {"ALIEN.MPG", "Nick-A", true, true},    {"ALIEN.MPG", "Nick-B", false, true},
        {"MATRIX.AVI", "Nick-A", false, true},  {"matrix.avi", "Nick-A", false, false},
        {"Matrix.avi", "Nick-A", true, true},   {"ALIEN.MPG ", "Nick-A", false, false},
        {"ZORRO.DIVX", "Nick-A", false, false},
    };
    for (const auto& e : entries)
        intake.IntakeTable.edit(++intake.IntakeCount) = film(e.title, e.position);
    std::vector<bool> marked, markedIgnoringPosition;
    for (const auto& e : entries) {
        marked.push_back(e.marked);
        markedIgnoringPosition.push_back(e.markedIgnoringPosition);
    }
    // Enough new entries that a large archive is searched the other way.
    for (int i = 0; i < 100; ++i) {
        intake.IntakeTable.edit(++intake.IntakeCount) = film("NUOVO" + std::to_string(i) + ".AVI", "Nick-A");
        marked.push_back(false);
        markedIgnoringPosition.push_back(false);
    }
    // Small and large archives are searched in different ways; both give these marks.
    for (const int padding : {0, 60000}) {
        std::vector<dfilm> records = {film("ALIEN.MPG", "Nick-A"), film("MATRIX.AVI", "Nick-B"),
                                      film("Matrix.avi", "Nick-A")};
        for (int i = 0; i < padding; ++i)
            records.push_back(film("ALTRO" + std::to_string(i) + ".AVI", "Nick-A"));
        const ArchiveModel m = archiveOf(records);
        EXPECT_EQ(archivedMarks(m, intake, false), marked) << padding;
        EXPECT_EQ(archivedMarks(m, intake, true), markedIgnoringPosition) << padding;
    }
    EXPECT_EQ(archivedMarks(ArchiveModel{}, intake, false), std::vector<bool>(marked.size(), false));
}

TEST(ArchivedMarks, AgreeWithFindInArchiveOnALargeArchive)
{
    // The marks of a large archive are found another way than by walking it for each entry.
    std::vector<dfilm> records;
    for (int i = 0; i < 60000; ++i)
        records.push_back(film("FILM" + std::to_string(i) + ".AVI", i % 2 ? "Nick-A" : "Nick-B"));
    const ArchiveModel m = archiveOf(records);
    IntakeModel intake;
    for (int i = 0; i < 120; ++i) {
        const std::string pos = i % 3 == 0 ? "Nick-A" : "Nick-B";
        intake.IntakeTable.edit(++intake.IntakeCount) = film("FILM" + std::to_string(i * 7) + ".AVI", pos);
    }
    for (const bool ignorePosition : {false, true}) {
        const std::vector<bool> marks = archivedMarks(m, intake, ignorePosition);
        ASSERT_EQ(marks.size(), 120u);
        int marked = 0;
        for (int k = 1; k <= intake.IntakeCount; ++k) {
            const dfilm& e = intake.IntakeTable.row(k);
            EXPECT_EQ(marks[static_cast<std::size_t>(k - 1)], FindInArchive(m, e.titolo, e.posizione, 1, ignorePosition) >= 0)
                << e.titolo << " " << e.posizione;
            marked += marks[static_cast<std::size_t>(k - 1)];
        }
        EXPECT_GT(marked, 0);
        if (!ignorePosition) {
            EXPECT_LT(marked, 120);
        }
    }
}

namespace {

struct DuplicateCase
{
    const char* name;
    std::vector<dfilm> sorted;
    DuplicateOptions options;
    int removed;
    std::vector<std::string> keptGenres;
    DuplicateRule rule = {};
};

class RemoveDuplicatesCases : public ::testing::TestWithParam<DuplicateCase>
{};

} // namespace

TEST_P(RemoveDuplicatesCases, KeepsWhatTheLastKeptRecordDoesNotRepeat)
{
    const DuplicateCase& c = GetParam();
    ArchiveModel m = archiveOf(c.sorted);
    EXPECT_EQ(RemoveDuplicates(m, c.options, c.rule), c.removed);
    std::vector<std::string> genres;
    for (int k = 1; k <= m.ArchiveCount; ++k)
        genres.push_back(m.ArchiveTable.row(k).genere);
    EXPECT_EQ(genres, c.keptGenres);
}

INSTANTIATE_TEST_SUITE_P(
    Intake, RemoveDuplicatesCases,
    ::testing::Values(
        DuplicateCase{"SameTitlePositionSize", {film("A", "P1", 700, "1"), film("A", "P1", 700, "2")}, {}, 1, {"1"}},
        DuplicateCase{"Interleaved",
                      {film("A", "P1", 700, "1"), film("A", "P2", 700, "2"), film("A", "P1", 700, "3")},
                      {},
                      0,
                      {"1", "2", "3"}},
        DuplicateCase{"CaseOnly", {film("MATRIX.AVI", "P", 700, "1"), film("Matrix.avi", "P", 700, "2")}, {}, 0,
                      {"1", "2"}},
        DuplicateCase{"OtherPosition", {film("A", "P1", 700, "1"), film("A", "P2", 700, "2")}, {}, 0, {"1", "2"}},
        DuplicateCase{"OtherPositionIgnored", {film("A", "P1", 700, "1"), film("A", "P2", 700, "2")}, {true, false}, 1,
                      {"1"}},
        DuplicateCase{"OtherSize", {film("A", "P1", 700, "1"), film("A", "P1", 700.0000001, "2")}, {}, 0, {"1", "2"}},
        DuplicateCase{"OtherSizeIgnored", {film("A", "P1", 700, "1"), film("A", "P1", 701, "2")}, {false, true}, 1,
                      {"1"}},
        DuplicateCase{"RunsOfThreeAndTwo",
                      {film("A", "P", 1, "1"), film("A", "P", 1, "2"), film("A", "P", 1, "3"), film("B", "P", 1, "4"),
                       film("B", "P", 1, "5"), film("C", "P", 1, "6")},
                      {},
                      3,
                      {"1", "4", "6"}},
        DuplicateCase{"OneRecord", {film("A", "P", 1, "1")}, {}, 0, {"1"}},
        // Ranks choose the record that stays; the counts stay those of the plain removal.
        DuplicateCase{"HigherRankComingSecondReplaces", {film("A", "P", 1, "1"), film("A", "P", 1, "2")}, {}, 1, {"2"},
                      {{1, 2}}},
        DuplicateCase{"LowerRankComingSecondGivesWay", {film("A", "P", 1, "1"), film("A", "P", 1, "2")}, {}, 1, {"1"},
                      {{2, 1}}},
        DuplicateCase{"EqualRanksKeepTheFirst", {film("A", "P", 1, "1"), film("A", "P", 1, "2")}, {}, 1, {"1"},
                      {{1, 1}}},
        DuplicateCase{"TheWinnerIsComparedWithWhatFollows",
                      {film("A", "P", 1, "1"), film("A", "P", 1, "2"), film("A", "P", 1, "3"), film("B", "P", 1, "4"),
                       film("B", "P", 1, "5")},
                      {},
                      3,
                      {"2", "5"},
                      {{0, 2, 1, 1, 2}}},
        DuplicateCase{"InterleavedWithRanks",
                      {film("A", "P1", 700, "1"), film("A", "P2", 700, "2"), film("A", "P1", 700, "3")},
                      {},
                      0,
                      {"1", "2", "3"},
                      {{0, 1, 2}}},
        // The record that stays fills its empty or "???" data from an outranked one it drops.
        DuplicateCase{"FillsAnEmptyField", {film("A", "P", 1, ""), film("A", "P", 1, "X")}, {}, 1, {"X"}, {{1, 0}, true}},
        DuplicateCase{"FillsQuestionMarks", {film("A", "P", 1, " ??? "), film("A", "P", 1, "X")}, {}, 1, {"X"},
                      {{1, 0}, true}},
        DuplicateCase{"FillsAWinnerThatComesSecond", {film("A", "P", 1, "X"), film("A", "P", 1, "")}, {}, 1, {"X"},
                      {{0, 1}, true}},
        DuplicateCase{"FillsFromEachOutrankedDuplicate",
                      {film("A", "P", 1, ""), film("A", "P", 1, "???"), film("A", "P", 1, "Y")},
                      {},
                      2,
                      {"Y"},
                      {{1, 0, 0}, true}},
        DuplicateCase{"NeverOverwritesAValue", {film("A", "P", 1, "Z"), film("A", "P", 1, "X")}, {}, 1, {"Z"},
                      {{1, 0}, true}},
        DuplicateCase{"NeverFillsWithMissingData", {film("A", "P", 1, "???"), film("A", "P", 1, "")}, {}, 1, {"???"},
                      {{1, 0}, true}},
        DuplicateCase{"NoFillAmongEquals", {film("A", "P", 1, ""), film("A", "P", 1, "X")}, {}, 1, {""}, {{1, 1}, true}},
        DuplicateCase{"NoFillUnlessAsked", {film("A", "P", 1, ""), film("A", "P", 1, "X")}, {}, 1, {""}, {{1, 0}}},
        DuplicateCase{"Empty", {}, {}, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AddToArchive, AppendsTickedEntriesSortsAndCountsAllDuplicates)
{
    ArchiveModel m = archiveOf({film("ZORRO.DIVX", "Nick-FILM01", 5, "old"), film("ALIEN.MPG", "Nick-FILM01", 5, "old"),
                                film("ALIEN.MPG", "Nick-FILM01", 5, "older duplicate")});
    IntakeModel intake;
    intake.IntakeTable.edit(1) = film("MATRIX.AVI", "Nick-FILM01", 700, "FANTASCIENZA");
    intake.IntakeTable.edit(2) = film("BLADE.AVI", "Nick-FILM01", 700, "not ticked");
    intake.IntakeTable.edit(3) = film("ZORRO.DIVX", "Nick-FILM01", 5, "new");
    intake.IntakeCount = 3;

    const AdditionCounts counts = AddToArchive(m, intake, {1, 3}, {});
    EXPECT_EQ(counts.added, 2);
    EXPECT_EQ(counts.removed, 2);
    EXPECT_EQ(additionReport(3, counts), "Processati : 3\nDoppi      : 2\nAggiunti   : 2");
    EXPECT_EQ(titles(m.ArchiveTable, m.ArchiveCount), (std::vector<std::string>{"ALIEN.MPG", "MATRIX.AVI", "ZORRO.DIVX"}));
    EXPECT_EQ(m.ArchiveTable.row(2).genere, "FANTASCIENZA");
    // Of two archived duplicates the record the sort put first remains.
    EXPECT_EQ(m.ArchiveTable.row(1).genere, "older duplicate");
    // An entry ticked by hand, never associated, does not replace the archived record.
    EXPECT_EQ(m.ArchiveTable.row(3).genere, "old");
    // The intake keeps its own copy: editing it later leaves the archive alone.
    AssociateData(intake, 1, {"changed", "", "", "", "", "", ""});
    EXPECT_EQ(m.ArchiveTable.row(2).genere, "FANTASCIENZA");

    ArchiveModel empty;
    EXPECT_EQ(additionReport(1, AddToArchive(empty, IntakeModel{}, {}, {})),
              "Processati : 1\nDoppi      : 0\nAggiunti   : 0");
}

// Whatever order the sort leaves the two copies of a film in (the archive's is made to come first
// and second), an associated entry replaces the archived record and one ticked by hand never does.
TEST(AddToArchive, AnAssociatedEntryReplacesTheArchivedFilmAndOneTickedByHandNever)
{
    const auto firstCopyAfterThePlainSort = [](ArchiveModel m, const dfilm& entry) {
        m.ArchiveTable.edit(++m.ArchiveCount) = entry;
        SortArchiveTable(m);
        for (int k = 1; k <= m.ArchiveCount; ++k)
            if (m.ArchiveTable.row(k).titolo == "ALIEN.MPG")
                return m.ArchiveTable.row(k).genere;
        return std::string();
    };
    std::set<std::string> firstCopies;
    for (int padding = 0; padding < 6; ++padding) {
        for (int at = 0; at <= padding; ++at) {
            for (const bool associate : {true, false}) {
                std::vector<dfilm> records;
                for (int i = 0; i < padding; ++i)
                    records.push_back(
                        film((i % 2 ? "B" : "A") + std::to_string(i), "Nick-FILM01", 5, "ALTRO"));
                records.insert(records.begin() + at, film("ALIEN.MPG", "Nick-FILM01", 5, "ARCHIVIO"));
                ArchiveModel m = archiveOf(records);
                IntakeModel intake;
                intake.IntakeTable.edit(1) = film("ZORRO.DIVX");
                intake.IntakeTable.edit(2) = film("ALIEN.MPG", "Nick-FILM01", 5);
                intake.IntakeCount = 2;
                if (associate)
                    AssociateData(intake, 2, {"Fantascienza", "117'", "1979", "", "", "Ridley Scott", ""});
                SortIntakeTable(intake); // the mark moves with its entry, now slot 1
                ASSERT_EQ(intake.IntakeTable.row(1).titolo, "ALIEN.MPG");
                firstCopies.insert(firstCopyAfterThePlainSort(m, intake.IntakeTable.row(1)));

                const AdditionCounts counts = AddToArchive(m, intake, {1}, {});
                EXPECT_EQ(counts.added, 1);
                EXPECT_EQ(counts.removed, 1);
                ASSERT_EQ(m.ArchiveCount, padding + 1);
                int alien = 0;
                for (int k = 1; k <= m.ArchiveCount; ++k)
                    if (m.ArchiveTable.row(k).titolo == "ALIEN.MPG")
                        alien = k;
                ASSERT_GT(alien, 0);
                EXPECT_EQ(m.ArchiveTable.row(alien).genere, associate ? "FANTASCIENZA" : "ARCHIVIO")
                    << "padding " << padding << " at " << at;
                EXPECT_EQ(m.ArchiveTable.row(alien).regia, associate ? "Ridley Scott" : "");
            }
        }
    }
    EXPECT_EQ(firstCopies, (std::set<std::string>{"ARCHIVIO", "", "FANTASCIENZA"}));
}

TEST(Association, MarksTheEntryUntilTheNextScan)
{
    IntakeModel intake;
    for (const char* title : {"ZORRO.DIVX", "ALIEN.MPG", "MATRIX.AVI"})
        intake.IntakeTable.edit(++intake.IntakeCount) = film(title);
    AssociateData(intake, 1, {"", "", "", "", "", "", ""}); // even with no data typed
    SortIntakeTable(intake);
    ASSERT_EQ(intake.IntakeTable.row(3).titolo, "ZORRO.DIVX");
    EXPECT_EQ((std::vector<bool>{intake.associated(1), intake.associated(2), intake.associated(3)}),
              (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(intake.associated(4));

    TempFolder folder;
    folder.write("zorro.divx", "");
    Settings settings = Settings::defaults("/nowhere");
    settings.MediaFolder = folder.text();
    ScanMediaFolder(intake, settings);
    ASSERT_EQ(intake.IntakeCount, 1);
    EXPECT_FALSE(intake.associated(1));
}

TEST(Association, StoresSevenFieldsOnOneLineWithTheGenreUpperCased)
{
    IntakeModel intake;
    intake.IntakeTable.edit(1) = film("MATRIX.AVI", "Nick-FILM01", 734.0032);
    intake.IntakeTable.edit(1).dataa = 38421.5;
    intake.IntakeCount = 1;
    AssociateData(intake, 1, {"Commedia \xE8", "136'", "1999", "Keanu\tReeves", "Carrie", "Wachowski",
                              "Riga uno\r\nriga due\n"});
    const dfilm& d = intake.IntakeTable.row(1);
    EXPECT_EQ(d.genere, "COMMEDIA \xE8");
    EXPECT_EQ(d.attore1, "Keanu Reeves");
    EXPECT_EQ(d.trama, "Riga uno  riga due ");
    EXPECT_EQ(d.titolo, "MATRIX.AVI");
    EXPECT_EQ(d.posizione, "Nick-FILM01");
    EXPECT_EQ(d.dataa, 38421.5);
    EXPECT_EQ(d.dimmb, 734.0032);
}

TEST(Covers, ListsJpegFilesUpperCasedWithTheirRealNames)
{
    TempFolder folder;
    folder.write("matrix.JPG", "");
    folder.write("Alien.jpg", "");
    folder.write("poster.png", "");
    const auto list = covers::listCovers(folder.text());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].text, "ALIEN.JPG");
    EXPECT_EQ(list[0].fileName, "Alien.jpg");
    EXPECT_EQ(list[1].text, "MATRIX.JPG");
    EXPECT_EQ(list[1].fileName, "matrix.JPG");
    EXPECT_TRUE(covers::listCovers(folder.text() + "missing").empty());
}

TEST(Covers, NamesAndQuestion)
{
    const std::pair<const char*, const char*> names[] = {
        {"MATRIX.AVI", "MATRIX.jpg"}, {"MR. SMITH", "MR.jpg"}, {"STAR WARS", "STAR WARS.jpg"},
        {" matrix reloaded.avi ", "matrix reloaded.jpg"}, {"NO EXT", "NO EXT.jpg"}, {"\tA.B.C.MPG", "A.B.C.jpg"}};
    for (const auto& [title, name] : names)
        EXPECT_EQ(covers::coverNameFor(title), name) << title;
    EXPECT_EQ(covers::associationQuestion("MATRIX.AVI", "SCAN001.JPG"),
              "Associo : \n\rFilm          : MATRIX.AVI\n\rCopertina : SCAN001.JPG");
}

TEST(Covers, RenameAfterATitleNeverReplacesAFile)
{
    TempFolder folder;
    folder.write("SCAN001.JPG", "scan");
    folder.write("scan002.jpg", "second");
    folder.write("alien.JPG", "alien");
    const covers::CoverEntry scan{"SCAN001.JPG", "SCAN001.JPG"};
    EXPECT_TRUE(covers::renameCover(folder.text(), scan, covers::coverNameFor("MATRIX.AVI")));
    EXPECT_EQ(folder.read("MATRIX.jpg"), "scan");
    EXPECT_FALSE(fs::exists(folder / "SCAN001.JPG"));

    // ALIEN.jpg is taken by alien.JPG, whatever the case: both files stay.
    EXPECT_FALSE(covers::renameCover(folder.text(), {"SCAN002.JPG", "scan002.jpg"}, "ALIEN.jpg"));
    EXPECT_EQ(folder.read("scan002.jpg"), "second");
    EXPECT_EQ(folder.read("alien.JPG"), "alien");
    EXPECT_FALSE(fs::exists(folder / "ALIEN.jpg"));

    // A change of case alone is a rename of the same file.
    EXPECT_TRUE(covers::renameCover(folder.text(), {"ALIEN.JPG", "alien.JPG"}, "ALIEN.jpg"));
    EXPECT_EQ(folder.read("ALIEN.jpg"), "alien");
    // A name that would leave the folder is refused.
    EXPECT_FALSE(covers::renameCover(folder.text(), {"SCAN002.JPG", "scan002.jpg"}, "../x.jpg"));
    EXPECT_FALSE(covers::renameCover(folder.text(), {"GONE.JPG", "gone.jpg"}, "NEW.jpg"));
}

TEST(Covers, PicturePathFindsTheFileWhateverItsCase)
{
    TempFolder folder;
    folder.write("matrix.JPG", "");
    EXPECT_EQ(covers::picturePath(folder.text(), "MATRIX.jpg"), folder.text() + "matrix.JPG");
    EXPECT_EQ(covers::picturePath(folder.path().string(), "ALIEN.jpg"), folder.path().string() + "/ALIEN.jpg");
}

TEST(VolumeLabel, MountSourceAndLabelLinks)
{
    const std::string mountinfo =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "35 22 11:0 / /media/cd\\040rom ro,nosuid shared:20 master:3 - iso9660 /dev/sr0 ro\n"
        "40 22 0:45 / /tmp rw - tmpfs tmpfs rw\n";
    EXPECT_EQ(volume::mountSource(mountinfo, 8, 1), "/dev/sda1");
    EXPECT_EQ(volume::mountSource(mountinfo, 11, 0), "/dev/sr0");
    EXPECT_EQ(volume::mountSource(mountinfo, 0, 45), "tmpfs");
    EXPECT_EQ(volume::mountSource(mountinfo, 9, 9), "");

    TempFolder folder;
    fs::create_directories(folder / "dev");
    fs::create_directories(folder / "by-label");
    folder.write("dev/sr0", "");
    folder.write("dev/sda1", "");
    fs::create_symlink("../dev/sr0", folder / "by-label" / "FILM\\x2001");
    fs::create_symlink("../dev/sda1", folder / "by-label" / "root");
    EXPECT_EQ(volume::labelFromLinks(folder / "by-label", folder / "dev/sr0"), "FILM 01");
    EXPECT_EQ(volume::labelFromLinks(folder / "by-label", folder / "dev/sda1"), "root");
    folder.write("dev/sdb1", "");
    EXPECT_EQ(volume::labelFromLinks(folder / "by-label", folder / "dev/sdb1"), "");
    EXPECT_EQ(volume::labelFromLinks(folder / "missing", folder / "dev/sr0"), "");
}


TEST(VolumeLabel, TheDiscOfAnExistingFolderAndNoneForAMissingOne)
{
    TempFolder folder;
    fs::create_directories(folder / "film");
    const volume::Sources disc = fakeDisc(folder, "FILM\\x2001");
    EXPECT_EQ(volume::ReadVolumeLabel(folder.text() + "film", disc), "FILM 01");
    // An empty mount point, or a folder not yet made, names no disc: not its parent's label.
    EXPECT_EQ(volume::ReadVolumeLabel(folder.text() + "film/not/yet", disc), "");
    EXPECT_EQ(volume::ReadVolumeLabel(folder.text() + "missing", disc), "");
    // A file is no folder.
    folder.write("film/a.avi", "");
    EXPECT_EQ(volume::ReadVolumeLabel(folder.text() + "film/a.avi", disc), "");
}
