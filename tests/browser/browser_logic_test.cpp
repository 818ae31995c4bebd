#include "browser/filters.h"
#include "browser/genres.h"
#include "browser/image_names.h"
#include "browser/index_keeper.h"
#include "browser/open_archive.h"
#include "browser/record_edit.h"

#include "base/dates.h"
#include "base/errors.h"
#include "base/middle_pivot_sort.h"

#include "support/archives.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

dfilm film(const std::string& title, const std::string& genre = "AZIONE", const std::string& position = "Gino-CD1")
{
    dfilm r;
    r.titolo = title;
    r.genere = genre;
    r.posizione = position;
    r.attore1 = "PRIMO ATTORE";
    r.attore2 = "SECONDA ATTRICE";
    r.regia = "Sergio Leone";
    r.dataa = dates::encode({2005, 3, 10, 18, 30, 0});
    return r;
}

FilterTexts texts(std::string title = "", std::string genre = "", std::string actors = "", std::string director = "",
                  std::string arrival = "", std::string position = "")
{
    return FilterTexts{title, genre, actors, director, arrival, position, std::nullopt};
}

std::vector<std::string> viewTitles(const ArchiveModel& m)
{
    std::vector<std::string> out;
    for (int i = 1; i <= m.ViewCount; ++i)
        out.push_back(m.ViewTable.row(i).titolo);
    return out;
}

} // namespace

TEST(ImageNames, ExtensionBecomesJpg)
{
    EXPECT_EQ(images::imageName("MATRIX.AVI"), "MATRIX.jpg");
    EXPECT_EQ(images::imageName("DR. NO"), "DR.jpg");
    EXPECT_EQ(images::imageName("MR. SMITH GOES.AVI"), "MR. SMITH GOES.jpg");
    EXPECT_EQ(images::imageName("MR. SMITH"), "MR.jpg");
    EXPECT_EQ(images::imageName("ZORRO"), "ZORRO.jpg");
    EXPECT_EQ(images::imageName("A.B/C"), "A.B/C.jpg");
    EXPECT_EQ(images::coverImagePath("/film/copertine", "MATRIX.AVI"), "/film/copertine/MATRIX.jpg");
    EXPECT_EQ(images::posterImagePath("/film/locandine/", "MATRIX.AVI"), "/film/locandine//lc_MATRIX.jpg");
}

TEST(Filters, EachCriterionAsTheFieldsSay)
{
    dfilm accented = film("\xC8 LA VITA.AVI", "DRAMMATICO");
    accented.regia = "FRAN\xC7OIS TRUFFAUT";
    dfilm early = film("CINEMA PARADISO.AVI", "DRAMMATICO", "Mario-DVD2");
    early.dataa = dates::encode({2005, 3, 9, 23, 59, 0});
    dfilm animation = film("ZORRO.DIVX", "Animazione", "Jos\xE9-CD3");
    animation.attore1 = "";
    animation.attore2 = "";
    ArchiveModel m = archiveOf({film("MATRIX.AVI"), early, accented, animation});
    const struct {
        FilterTexts texts;
        std::vector<std::string> titles;
    } cases[] = {
        {texts(), {"MATRIX.AVI", "CINEMA PARADISO.AVI", "\xC8 LA VITA.AVI", "ZORRO.DIVX"}},
        {texts("ma", " Tutti", "", "", "", ""), {"MATRIX.AVI", "CINEMA PARADISO.AVI"}},
        // Case and accents fold alike for every letter: è finds È and a plain E, and e finds È.
        {texts("\xE8"), {"CINEMA PARADISO.AVI", "\xC8 LA VITA.AVI"}},
        {texts("e l"), {"\xC8 LA VITA.AVI"}},
        {texts("vit\xC0"), {"\xC8 LA VITA.AVI"}},
        {texts(" "), {"CINEMA PARADISO.AVI", "\xC8 LA VITA.AVI"}},
        {texts("", "drammatico"), {}},
        {texts("", "DRAMMATICO"), {"CINEMA PARADISO.AVI", "\xC8 LA VITA.AVI"}},
        {texts("", "", "attore seconda"), {"MATRIX.AVI", "CINEMA PARADISO.AVI", "\xC8 LA VITA.AVI"}},
        {texts("", "", "", "leone"), {"MATRIX.AVI", "CINEMA PARADISO.AVI", "ZORRO.DIVX"}},
        {texts("", "", "", "", "10/03/2005"), {"MATRIX.AVI", "\xC8 LA VITA.AVI", "ZORRO.DIVX"}},
        {texts("", "", "", "", "", "dvd"), {"CINEMA PARADISO.AVI"}},
        {texts("", "", "", "", "", "jos\xC9"), {"ZORRO.DIVX"}},
        {texts("", "", "", "", "", "jose-"), {"ZORRO.DIVX"}},
        {texts("", "", "s\xE9" "conda"), {"MATRIX.AVI", "CINEMA PARADISO.AVI", "\xC8 LA VITA.AVI"}},
        {texts("", "", "", "fran\xE7ois"), {"\xC8 LA VITA.AVI"}},
        {texts("", "", "", "francois t"), {"\xC8 LA VITA.AVI"}},
        {texts("", "", "", "frano"), {}},
        {texts("a", "DRAMMATICO", "attrice", "sergio", "01/01/2000", "mario"), {"CINEMA PARADISO.AVI"}},
        {texts("x", "AZIONE", "", "", "", "Mario"), {}},
    };
    SearchIndex index;
    for (const auto& c : cases) {
        ApplyFilters(m, FilterCriteria::read(c.texts, kItalian));
        EXPECT_EQ(viewTitles(m), c.titles) << "title '" << c.texts.title << "' genre '" << c.texts.genre << "'";
        ApplyFilters(m, FilterCriteria::read(c.texts, kItalian), &index);
        EXPECT_EQ(viewTitles(m), c.titles) << "indexed: title '" << c.texts.title << "'";
    }
    // The index follows the archive's changes.
    m.ArchiveTable.edit(4).titolo = "ZORRO MA.DIVX";
    ApplyFilters(m, FilterCriteria::read(texts("ma"), kItalian), &index);
    EXPECT_EQ(viewTitles(m), (std::vector<std::string>{"MATRIX.AVI", "CINEMA PARADISO.AVI", "ZORRO MA.DIVX"}));
    m.ArchiveCount = 1;
    ApplyFilters(m, FilterCriteria::read(texts("ma"), kItalian), &index);
    EXPECT_EQ(viewTitles(m), std::vector<std::string>{"MATRIX.AVI"});
    // The archive itself never changes; view rows above the count keep what they held.
    m.ArchiveCount = 4;
    std::vector<std::string> archiveBefore;
    for (int i = 1; i <= 4; ++i)
        archiveBefore.push_back(m.ArchiveTable.row(i).titolo + "|" + m.ArchiveTable.row(i).genere);
    ApplyFilters(m, FilterCriteria::read(texts("matrix"), kItalian), &index);
    EXPECT_EQ(viewTitles(m), std::vector<std::string>{"MATRIX.AVI"});
    EXPECT_EQ(m.ArchiveCount, 4);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(m.ArchiveTable.row(i).titolo + "|" + m.ArchiveTable.row(i).genere, archiveBefore[i - 1]);
    EXPECT_EQ(m.ViewTable.row(2).titolo, "CINEMA PARADISO.AVI"); // stale, from the pass before
    EXPECT_THROW(FilterCriteria::read(texts("", "", "", "", "31/02/2005"), kItalian), ConversionError);
}

TEST(Genres, SortedDistinctWithCountsOnTheirFirstRow)
{
    ArchiveModel m = archiveOf({film("A", "DRAMMATICO"), film("B", "AZIONE"), film("C", "COMMEDIA"), film("D", "AZIONE")});
    RefreshGenres(m);
    EXPECT_EQ(m.GenreList, (std::vector<std::string>{"AZIONE", "COMMEDIA", "DRAMMATICO"}));
    Statistics s = RefreshStatistics(m);
    EXPECT_EQ(s.total, 4);
    EXPECT_EQ(s.counts, (std::vector<int>{2, 1, 1}));

    ArchiveModel withEmpty = archiveOf({film("A", ""), film("B", "AZIONE"), film("C", "")});
    RefreshGenres(withEmpty);
    EXPECT_EQ(withEmpty.GenreList, (std::vector<std::string>{"", "AZIONE"}));
    EXPECT_EQ(RefreshStatistics(withEmpty).counts, (std::vector<int>{2, 1}));
    EXPECT_EQ(genreChoiceItems(withEmpty), (std::vector<std::string>{"", " Tutti", "AZIONE"}));

    // Texts that differ only in case are separate genres; a text split apart by the unstable
    // sort counts on its first row.
    ArchiveModel mixed = archiveOf({film("A", "Azione"), film("B", "AZIONE"), film("C", "Azione"), film("D", "commedia")});
    RefreshGenres(mixed);
    // The middle-pivot quicksort leaves this order as it is: Azione twice, apart.
    EXPECT_EQ(mixed.GenreList, (std::vector<std::string>{"Azione", "AZIONE", "Azione", "commedia"}));
    EXPECT_EQ(mixed.GenreCount, 4);
    const Statistics ms = RefreshStatistics(mixed);
    EXPECT_EQ(ms.total, 4);
    EXPECT_EQ(ms.counts, (std::vector<int>{2, 1, 0, 1}));

    ArchiveModel many;
    for (int i = 0; i < 250; ++i)
        many.ArchiveTable.edit(++many.ArchiveCount) = film("T", "GENERE " + std::to_string(i));
    RefreshGenres(many);
    const Statistics ss = RefreshStatistics(many);
    EXPECT_EQ(ss.genres.size(), 250u);
    EXPECT_EQ(std::count(ss.counts.begin(), ss.counts.end(), 1), 250);

    ArchiveModel empty;
    empty.GenreList = {"OLD"};
    empty.GenreCount = 1;
    RefreshGenres(empty);
    EXPECT_EQ(empty.GenreList, std::vector<std::string>{"OLD"});
}

namespace {

// The genre list and statistics as they were first computed, on the texts themselves: the
// quicksort over every record's genre, repeats removed, and each record counted on the first
// entry equal to its genre.
Statistics referenceGenres(const ArchiveModel& m)
{
    std::vector<std::string> entries;
    for (int i = 1; i <= m.ArchiveCount; ++i)
        entries.push_back(m.ArchiveTable.row(i).genere);
    const auto key = [](std::string s) {
        for (char& c : s)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
        return s;
    };
    middlePivotSort(entries, 0, static_cast<long>(entries.size()) - 1, [&](const std::string& a, const std::string& b) {
        const std::string ka = key(a), kb = key(b);
        return std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end(),
                                            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    });
    std::size_t j = 0;
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (entries[i] != entries[j])
            entries[++j] = entries[i];
    entries.resize(j + 1);
    Statistics s;
    s.total = m.ArchiveCount;
    s.genres = entries;
    s.counts.assign(entries.size(), 0);
    for (int i = 1; i <= m.ArchiveCount; ++i) {
        const std::string genre = m.ArchiveTable.row(i).genere;
        for (std::size_t g = 0; g < entries.size(); ++g)
            if (entries[g] == genre) {
                ++s.counts[g];
                break;
            }
    }
    return s;
}

} // namespace

TEST(Genres, SameOrderAndCountsAsTheQuicksortOnTexts)
{
    // Few letters and mixed case, so texts that differ only in case meet often; some archives
    // hold no such pair, some only one genre.
    const std::vector<std::string> pools[] = {
        {"Azione", "AZIONE", "azione", "Commedia", "COMMEDIA", "", "DRAMMATICO", "drammatico", "\xC8PICO", "\xE8pico"},
        {"A", "a", "B", "b", "AB", "ab", "Ab", "aB", "", " "},
        {"AZIONE", "COMMEDIA", "DRAMMATICO", "WESTERN", "NOIR"},
        {"uno"},
    };
    std::mt19937 rnd(19);
    int withTies = 0;
    for (int round = 0; round < 300; ++round) {
        const std::vector<std::string>& pool = pools[round % 4];
        std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
        const int n = 1 + static_cast<int>(rnd() % (round % 3 == 0 ? 2000 : 40));
        ArchiveModel m;
        for (int i = 1; i <= n; ++i)
            m.ArchiveTable.edit(i).genere = pool[pick(rnd)];
        m.ArchiveCount = n;
        const Statistics expected = referenceGenres(m);
        std::set<std::string> distinct(expected.genres.begin(), expected.genres.end());
        withTies += distinct.size() < expected.genres.size() ? 1 : 0;

        ArchiveModel viaView = m;
        const GenreView view = RefreshGenresWithStatistics(viaView);
        ASSERT_EQ(view.statistics.genres, expected.genres) << "round " << round;
        ASSERT_EQ(view.statistics.counts, expected.counts) << "round " << round;
        ASSERT_EQ(view.statistics.total, n);
        ASSERT_EQ(viaView.GenreList, expected.genres);
        ASSERT_EQ(viaView.GenreCount, static_cast<int>(expected.genres.size()));
        ASSERT_EQ(view.choice, genreChoiceItems(viaView));

        RefreshGenres(m);
        ASSERT_EQ(m.GenreList, expected.genres) << "round " << round;
        const Statistics s = RefreshStatistics(m);
        ASSERT_EQ(s.counts, expected.counts) << "round " << round;
    }
    // The case the quicksort's order matters for did come up.
    EXPECT_GT(withTies, 20);
}

// Past 200,000 records the genres are numbered on both cores, and a loaded archive's rows are
// lines of its file: the start-up path gives the old order and counts there too.
TEST(Genres, ALargeLoadedArchiveGivesTheSameOrderAndCounts)
{
    const std::vector<std::string> pool = {"Azione", "AZIONE", "azione", "A", "a", "", "Commedia",
                                           "COMMEDIA", "\xC8PICO", "\xE8pico", "ab", "AB", "Ab"};
    std::mt19937 rnd(23);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    std::string contents;
    for (int i = 0; i < 210000; ++i)
        contents += archiveLines({film("T" + std::to_string(i) + ".AVI", pool[pick(rnd)], "CD")});
    TempFolder dir;
    dir.write("films.txt", contents);
    ScriptedDialogs dialogs;
    ArchiveModel m;
    IndexKeeper keeper;
    const OpenedArchive opened = OpenArchive(m, (dir / "films.txt").string(), kItalian, dialogs, keeper);
    ASSERT_EQ(m.ArchiveCount, 210000);
    const Statistics expected = referenceGenres(m);
    EXPECT_EQ(opened.genres.statistics.genres, expected.genres);
    EXPECT_EQ(opened.genres.statistics.counts, expected.counts);
    EXPECT_EQ(m.GenreList, expected.genres);
}

// The index folds its texts eight bytes at a time: on texts full of the bytes around a to z and of
// accented letters, filtering through it gives what filtering the records gives.
TEST(Filters, TheIndexGivesWhatTheRecordsGive)
{
    const std::string alphabet = std::string("aAzZ`{@[mM _-eEuU") + "\xE0\xC0\xFA\x80\x7F\xE8\xC9\xDA\xDF\xC6\xE6\xFF\x9F\xD7";
    std::mt19937 rnd(8);
    const auto randomText = [&](int most) {
        std::string t(rnd() % static_cast<unsigned>(most + 1), ' ');
        for (char& c : t)
            c = alphabet[rnd() % alphabet.size()];
        return t;
    };
    ArchiveModel m;
    for (int i = 1; i <= 3000; ++i) {
        dfilm& r = m.ArchiveTable.edit(i);
        r.titolo = randomText(40);
        r.attore1 = randomText(20);
        r.attore2 = randomText(20);
        r.regia = randomText(12);
        r.posizione = randomText(9);
        r.genere = randomText(2);
    }
    m.ArchiveCount = 3000;
    SearchIndex index;
    for (int round = 0; round < 200; ++round) {
        std::string needle = randomText(3);
        if (needle.empty())
            needle = "a";
        const FilterTexts t = round % 4 == 0   ? texts(needle)
                              : round % 4 == 1 ? texts("", "", needle)
                              : round % 4 == 2 ? texts("", "", "", needle)
                                               : texts("", "", "", "", "", needle);
        ApplyFilters(m, FilterCriteria::read(t, kItalian));
        const std::vector<std::string> scanned = viewTitles(m);
        ApplyFilters(m, FilterCriteria::read(t, kItalian), &index);
        ASSERT_EQ(viewTitles(m), scanned) << "round " << round << " needle '" << needle << "'";
    }
}

TEST(IndexKeeper, AKeystrokeBeforeTheIndexIsReadyGivesTheRightList)
{
    ArchiveModel m;
    const char* const words[] = {"AMORE", "notte", "Mare", "fuoco"};
    for (int i = 1; i <= 5000; ++i) {
        dfilm& r = m.ArchiveTable.edit(i);
        r.titolo = std::string(words[i % 4]) + " " + std::to_string(i) + ".AVI";
        r.regia = i % 7 ? "Sergio Leone" : "Mario Bava";
    }
    m.ArchiveCount = 5000;
    m.copyArchiveToView();
    const auto expected = [&m](const std::string& word) {
        std::vector<std::string> out;
        for (int i = 1; i <= m.ArchiveCount; ++i) {
            std::string upper = m.ArchiveTable.row(i).titolo;
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (upper.find(word) != std::string::npos)
                out.push_back(m.ArchiveTable.row(i).titolo);
        }
        return out;
    };
    const FilterCriteria mare = FilterCriteria::read(texts("mare"), kItalian);

    IndexKeeper keeper;
    EXPECT_EQ(keeper.ready(m), nullptr); // nothing built yet: this starts a build
    keeper.waitForBuild();
    ASSERT_NE(keeper.ready(m), nullptr);
    ApplyFilters(m, mare, keeper);
    EXPECT_EQ(viewTitles(m), expected("MARE"));

    // A change, a new build, and another change while it runs: that build cannot describe the
    // archive, so the keystroke reads the records.
    m.ArchiveTable.edit(1).titolo = "Mare d'inverno.AVI";
    keeper.rebuild(m);
    m.ArchiveTable.edit(2).titolo = "AMARE.AVI";
    m.ArchiveTable.edit(6).titolo = "Senza titolo.AVI";
    EXPECT_EQ(keeper.ready(m), nullptr);
    ApplyFilters(m, mare, keeper);
    const auto now = expected("MARE");
    EXPECT_EQ(viewTitles(m), now);
    EXPECT_EQ(now.front(), "Mare d'inverno.AVI");
    EXPECT_EQ(now[1], "AMARE.AVI");

    // The stale build ends unused; the next one describes the archive, and gives the same list.
    keeper.waitForBuild();
    EXPECT_EQ(keeper.ready(m), nullptr);
    keeper.waitForBuild();
    ASSERT_NE(keeper.ready(m), nullptr);
    ApplyFilters(m, mare, keeper);
    EXPECT_EQ(viewTitles(m), now);
    // The copy the build read shared the records: the edits made meanwhile did not reach it,
    // and they did not reach each other's tables either.
    EXPECT_EQ(m.ArchiveTable.row(6).titolo, "Senza titolo.AVI");
    ApplyFilters(m, FilterCriteria::read(texts("", "", "", "bava"), kItalian), keeper);
    EXPECT_EQ(m.ViewCount, 5000 / 7);
}

// Start-up builds the index while it checks the file's lines, in two parts for a large file:
// the first keystroke finds it ready, and it gives what the records give.
TEST(OpenArchive, TheIndexIsReadyAtStartAndDescribesTheArchive)
{
    TempFolder dir;
    std::string contents;
    const char* const words[] = {"amore", "NOTTE", "Mare", "fuoco"};
    for (int i = 0; i < 40000; ++i) {
        dfilm r = film(std::string(words[i % 4]) + " " + std::to_string(i) + std::string(200, 'x') + ".AVI",
                       i % 3 ? "AZIONE" : "Azione", "Gino-CD" + std::to_string(i % 9));
        r.regia = i % 5 ? "sergio leone" : "Mario Bava";
        if (i == 20001) // read by the parser's window: kept as a record of its own
            r.trama = std::string(10050, 'p');
        contents += archiveLines({r});
    }
    ASSERT_GT(contents.size(), 8u << 20);
    dir.write("films.txt", contents);
    ScriptedDialogs dialogs;
    ArchiveModel m;
    IndexKeeper keeper;
    const OpenedArchive opened = OpenArchive(m, (dir / "films.txt").string(), kItalian, dialogs, keeper);
    ASSERT_EQ(opened.load.outcome, LoadResult::Outcome::Loaded);
    ASSERT_EQ(m.ArchiveCount, 40000);
    EXPECT_EQ(opened.listRows.text(40000, RecordTable::Field::titolo), m.ViewTable.text(40000, RecordTable::Field::titolo));
    ASSERT_NE(keeper.ready(m), nullptr);
    ArchiveModel copy = m;
    const GenreView genres = RefreshGenresWithStatistics(copy);
    EXPECT_EQ(opened.genres.statistics.genres, genres.statistics.genres);
    EXPECT_EQ(opened.genres.statistics.counts, genres.statistics.counts);
    for (const FilterTexts& t : {texts("MARE 2000"), texts("", "Azione", "", "bava"), texts("", "", "", "", "", "cd8"),
                                 texts("", "", "", "", "10/03/2005"), texts("x.avi")}) {
        ApplyFilters(m, FilterCriteria::read(t, kItalian));
        const std::vector<std::string> scanned = viewTitles(m);
        ApplyFilters(m, FilterCriteria::read(t, kItalian), keeper);
        EXPECT_EQ(viewTitles(m), scanned) << t.title << t.genre << t.director;
        EXPECT_FALSE(scanned.empty());
    }

    // A file that fails part way: the index describes what was kept, never the lost lines.
    dir.write("films.txt", contents.substr(0, contents.size() / 4) + "rotta\r\n" + contents.substr(contents.size() / 4));
    ArchiveModel damaged;
    IndexKeeper other;
    const OpenedArchive partly = OpenArchive(damaged, (dir / "films.txt").string(), kItalian, dialogs, other);
    ASSERT_EQ(partly.load.outcome, LoadResult::Outcome::Damaged);
    ASSERT_GT(damaged.ArchiveCount, 0);
    ASSERT_LT(damaged.ArchiveCount, 40000);
    ASSERT_NE(other.ready(damaged), nullptr);
    ApplyFilters(damaged, FilterCriteria::read(texts("a"), kItalian));
    const std::vector<std::string> scanned = viewTitles(damaged);
    ApplyFilters(damaged, FilterCriteria::read(texts("a"), kItalian), other);
    EXPECT_EQ(viewTitles(damaged), scanned);
}

TEST(RecordEdit, UpdateFindsTheArchiveRecordUnderAFilter)
{
    ArchiveModel m = archiveOf({film("ALIEN.MPG"), film("MATRIX.AVI"), film("ZORRO.DIVX")});
    ApplyFilters(m, FilterCriteria::read(texts("zorro"), kItalian));
    ASSERT_EQ(m.ViewCount, 1);
    RecordEdits e{"COMMEDIA", "90'", "1998", "Uno\tDue", "B", "R", "Gino-CD9", "riga uno\r\nriga due"};
    EXPECT_EQ(UpdateRecord(m, 1, e), 3);
    EXPECT_EQ(m.ArchiveTable.row(3).posizione, "Gino-CD9");
    EXPECT_EQ(m.ArchiveTable.row(3).attore1, "Uno Due");
    EXPECT_EQ(m.ArchiveTable.row(3).trama, "riga uno  riga due");
    EXPECT_EQ(m.ViewTable.row(1).genere, "COMMEDIA");
    EXPECT_EQ(m.ArchiveTable.row(1).genere, "AZIONE");
    // The old position no longer finds it; the new one does.
    EXPECT_EQ(UpdateRecord(m, 1, e), 3);
    m.ViewTable.edit(1).posizione = "nessuno";
    EXPECT_EQ(UpdateRecord(m, 1, e), 0);
    EXPECT_EQ(DeleteRecord(m, 1), 0);
    EXPECT_EQ(m.ArchiveCount, 3);
}

TEST(RecordEdit, DeleteRemovesFromBothTablesAndKeepsTheOrder)
{
    ArchiveModel m = archiveOf({film("A.AVI"), film("B.AVI"), film("C.AVI"), film("D.AVI")});
    ApplyFilters(m, FilterCriteria::read(texts("", "", "", "", "", "cd1"), kItalian));
    EXPECT_EQ(DeleteRecord(m, 2), 2);
    EXPECT_EQ(viewTitles(m), (std::vector<std::string>{"A.AVI", "C.AVI", "D.AVI"}));
    EXPECT_EQ(m.ArchiveCount, 3);
    EXPECT_EQ(m.ArchiveTable.row(2).titolo, "C.AVI");
    EXPECT_EQ(m.ArchiveTable.row(4).titolo, "D.AVI"); // a stale copy above the count
}

TEST(RecordEdit, SameTitleAndPositionActsOnTheLowerRow)
{
    dfilm a = film("X.AVI"), b = film("X.AVI");
    b.dimmb = 2;
    ArchiveModel m = archiveOf({film("A.AVI"), a, b});
    EXPECT_EQ(DeleteRecord(m, 3), 2);
    EXPECT_EQ(m.ArchiveCount, 2);
    EXPECT_EQ(m.ArchiveTable.row(2).dimmb, 2);
}
