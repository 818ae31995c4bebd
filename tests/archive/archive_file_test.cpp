#include "archive/archive_file.h"
#include "archive/archive_line.h"

#include "base/dates.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>

#include <sys/stat.h>
#include <utime.h>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

dfilm film(const std::string& title, int riservato = 0)
{
    dfilm r;
    r.titolo = title;
    r.genere = "DRAMMATICO";
    r.attore1 = "Attore Uno";
    r.attore2 = "Attrice Due";
    r.regia = "Regista";
    r.posizione = "Gino-CD1";
    r.durata = "120'";
    r.datau = "2001";
    r.dataa = dates::encode({2005, 3, 1, 9, 15, 0});
    r.dimmb = 700.5;
    r.riservato = riservato;
    r.trama = "Trama di " + title;
    return r;
}

ArchiveModel modelOf(const std::vector<dfilm>& records)
{
    ArchiveModel m;
    for (const dfilm& r : records)
        m.ArchiveTable.edit(++m.ArchiveCount) = r;
    return m;
}

} // namespace

TEST(ArchiveFile, EmptyArchiveIsAZeroByteFile)
{
    TempFolder dir;
    SaveArchive(ArchiveModel{}, (dir / "films.txt").string(), kItalian);
    EXPECT_EQ(dir.read("films.txt"), "");
}

TEST(ArchiveFile, SaveWritesCrLfLinesAndStartupLoadGivesTheRecordsBack)
{
    TempFolder dir;
    const std::string path = (dir / "films.txt").string();
    ArchiveModel saved = modelOf({film("ALIEN.MPG", 12345), film("MATRIX.AVI")});
    SaveArchive(saved, path, kItalian);
    EXPECT_EQ(dir.read("films.txt"), archiveline::format(film("ALIEN.MPG", 12345), kItalian) + "\r\n" +
                                         archiveline::format(film("MATRIX.AVI"), kItalian) + "\r\n");

    ScriptedDialogs dialogs;
    ArchiveModel loaded;
    const LoadResult result = LoadArchive(loaded, path, kItalian, dialogs);
    EXPECT_EQ(result.outcome, LoadResult::Outcome::Loaded);
    EXPECT_TRUE(dialogs.log.empty());
    ASSERT_EQ(loaded.ArchiveCount, 2);
    ASSERT_EQ(loaded.ViewCount, 2);
    dfilm expected = film("ALIEN.MPG", 12345);
    expected.dataa = dates::encode({2005, 3, 1}); // the time of day is not kept
    EXPECT_EQ(loaded.ArchiveTable.row(1), expected);
    EXPECT_EQ(loaded.ViewTable.row(1), expected);
    EXPECT_EQ(loaded.ArchiveTable.row(2).titolo, "MATRIX.AVI");
    EXPECT_FALSE(loaded.protectedReason);

    // Saved again, the file is the same to the byte.
    SaveArchive(loaded, path, kItalian);
    EXPECT_EQ(dir.read("films.txt"), archiveline::format(expected, kItalian) + "\r\n" +
                                         archiveline::format(loaded.ArchiveTable.row(2), kItalian) + "\r\n");
}

TEST(ArchiveFile, DateLabelShowsTheFileTimeToTheMinute)
{
    TempFolder dir;
    const std::string path = (dir / "films.txt").string();
    dir.write("films.txt", archiveline::format(film("A.AVI"), kItalian) + "\r\n");
    std::tm tm{};
    tm.tm_year = 2004 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 8;
    tm.tm_hour = 14;
    tm.tm_min = 35;
    tm.tm_sec = 7;
    tm.tm_isdst = -1;
    const utimbuf times{std::mktime(&tm), std::mktime(&tm)};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
    ScriptedDialogs dialogs;
    ArchiveModel m;
    EXPECT_EQ(LoadArchive(m, path, kItalian, dialogs).dateLabel, "Data Archivio films: 08/12/2004 14:35");
}

TEST(ArchiveFile, DateToTheMinuteKeepsTheDateHoursAndMinutesOfAnyFormat)
{
    RegionalSettings dotted = kItalian;
    dotted.longTimeFormat = "h:nn:ss";
    dotted.timeSeparator = '.';
    RegionalSettings american = kItalian;
    american.shortDateFormat = "m/d/yyyy";
    american.longTimeFormat = "h:nn:ss ampm";
    const struct
    {
        const RegionalSettings& rs;
        double time;
        const char* shown;
    } cases[] = {
        {kItalian, dates::encode({2026, 12, 10, 15, 42, 9}), "10/12/2026 15:42"},
        {kItalian, dates::encode({2026, 12, 10}), "10/12/2026"}, // midnight: the date alone
        {dotted, dates::encode({2026, 12, 10, 9, 5, 0}), "10/12/2026 9.05"},
        {american, dates::encode({2026, 1, 2, 9, 5, 0}), "1/2/2026 9:05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dateToTheMinute(c.time, c.rs), c.shown);
}

TEST(ArchiveFile, MissingFileIsReportedThenCreatedEmpty)
{
    TempFolder dir;
    ScriptedDialogs dialogs;
    ArchiveModel m;
    const LoadResult result = LoadArchive(m, (dir / "films.txt").string(), kItalian, dialogs);
    EXPECT_EQ(result.outcome, LoadResult::Outcome::MissingFile);
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"warning: File archivio non trovato.\n Lo creo vuoto."});
    EXPECT_TRUE(std::filesystem::exists(dir / "films.txt"));
    EXPECT_EQ(dir.read("films.txt"), "");
    EXPECT_EQ(m.ArchiveCount, 0);
    EXPECT_TRUE(result.dateLabel.empty());
}

TEST(ArchiveFile, EmptyFileLoadsWithoutAMessage)
{
    TempFolder dir;
    dir.write("films.txt", "");
    ScriptedDialogs dialogs;
    ArchiveModel m;
    EXPECT_EQ(LoadArchive(m, (dir / "films.txt").string(), kItalian, dialogs).outcome,
              LoadResult::Outcome::EmptyFile);
    EXPECT_TRUE(dialogs.log.empty());
}

// A load that stops on a bad line keeps what it read before, names the line, and never lets a
// save overwrite the file.
TEST(ArchiveFile, DamagedFileIsProtectedFromEverySave)
{
    const std::string good = archiveline::format(film("A.AVI"), kItalian) + "\r\n";
    const struct {
        std::string contents;
        int readBefore;
        std::string error;
    } cases[] = {
        {good + "\r\n" + good, 1, "'' is not a valid date\n(films.txt, riga 2)"},
        {good + good + "\r\n", 2, "'' is not a valid date\n(films.txt, riga 3)"},
        {good + "B\tdue righe\r\nper una trama\r\n", 1, "'' is not a valid date\n(films.txt, riga 2)"},
        {"A\tB\tC\tD\tE\tF\tG\tH\t08/12/2004\t734.5\t0\tx\r\n", 0,
         "'734.5' is not a valid floating point value\n(films.txt, riga 1)"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        const std::string path = (dir / "films.txt").string();
        dir.write("films.txt", c.contents);
        ScriptedDialogs dialogs;
        ArchiveModel m;
        const LoadResult result = LoadArchive(m, path, kItalian, dialogs);
        EXPECT_EQ(result.outcome, LoadResult::Outcome::Damaged);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(m.ArchiveCount, c.readBefore);
        EXPECT_EQ(m.ViewCount, c.readBefore);
        EXPECT_THROW(SaveArchive(m, path, kItalian), UserError);
        EXPECT_EQ(dir.read("films.txt"), c.contents);
    }
}

TEST(ArchiveFile, DecimalSeparatorMustMatchTheWriter)
{
    TempFolder dir;
    const std::string path = (dir / "films.txt").string();
    SaveArchive(modelOf({film("A.AVI")}), path, kItalian); // 700,5
    RegionalSettings point = kItalian;
    point.decimalSeparator = '.';
    RecordTable table;
    try {
        ReadArchiveFile(path, table, 1, point);
        FAIL() << "read a comma under a point";
    } catch (const ArchiveLineError& e) {
        EXPECT_EQ(e.line(), 1);
        EXPECT_EQ(std::string(e.what()).substr(0, 48), "'700,5' is not a valid floating point value\n(fil");
    }
}

TEST(ArchiveFile, ReadArchiveFileStoresAtTheGivenRowOrNothingAtAll)
{
    TempFolder dir;
    const std::string path = (dir / "other.txt").string();
    const std::string good = archiveline::format(film("B.AVI"), kItalian) + "\r\n";
    dir.write("other.txt", good + good);
    RecordTable table;
    table.edit(1) = film("A.AVI");
    EXPECT_EQ(ReadArchiveFile(path, table, 2, kItalian), 2);
    EXPECT_EQ(table.row(1).titolo, "A.AVI");
    EXPECT_EQ(table.row(3).titolo, "B.AVI");

    dir.write("other.txt", good + "broken\r\n");
    RecordTable untouched;
    untouched.edit(1) = film("A.AVI");
    EXPECT_THROW(ReadArchiveFile(path, untouched, 2, kItalian), ArchiveLineError);
    EXPECT_EQ(untouched.row(2), dfilm{});
    EXPECT_THROW(ReadArchiveFile((dir / "none.txt").string(), untouched, 2, kItalian), UserError);
}

TEST(ArchiveFile, TablesGrowPastTwoThousandRows)
{
    TempFolder dir;
    const std::string path = (dir / "films.txt").string();
    std::string contents;
    for (int i = 0; i < 2500; ++i)
        contents += archiveline::format(film("T" + std::to_string(i)), kItalian) + "\r\n";
    dir.write("films.txt", contents);
    ScriptedDialogs dialogs;
    ArchiveModel m;
    LoadArchive(m, path, kItalian, dialogs);
    ASSERT_EQ(m.ArchiveCount, 2500);
    EXPECT_EQ(m.ViewTable.row(2500).titolo, "T2499");
    SaveArchive(m, path, kItalian);
    EXPECT_EQ(dir.read("films.txt"), contents);
}

TEST(ArchiveFile, FailedSaveLeavesWhatWasThereAndSaysWhy)
{
    TempFolder dir;
    // A folder in the way of the archive: the rename over it fails after the data was written.
    std::filesystem::create_directory(dir / "films.txt");
    dir.write("films.txt/keep", "old");
    try {
        SaveArchive(modelOf({film("A.AVI")}), (dir / "films.txt").string(), kItalian);
        FAIL();
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()), "File access denied\n" + (dir / "films.txt").string());
    }
    EXPECT_EQ(dir.read("films.txt/keep"), "old");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "films.txt") << "left behind";

    try {
        SaveArchive(modelOf({film("A.AVI")}), (dir / "missing" / "films.txt").string(), kItalian);
        FAIL();
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()).substr(0, 15), "File not found\n");
    }
}

TEST(ArchiveModel, LookupByTitleAndPositionFindsTheLowerRow)
{
    ArchiveModel m = modelOf({film("A.AVI"), film("B.AVI"), film("B.AVI")});
    m.ArchiveTable.edit(3).dimmb = 1;
    dfilm key = film("B.AVI");
    EXPECT_EQ(m.findRecord(key), 2);
    key.posizione = "gino-CD1";
    EXPECT_EQ(m.findRecord(key), 0);
}

TEST(ArchiveFile, LineEndsAreCrLfLfOrALoneCr)
{
    TempFolder dir;
    const std::string a = archiveline::format(film("A.AVI"), kItalian);
    const std::string b = archiveline::format(film("B.AVI"), kItalian);
    const struct {
        std::string contents;
        int records;
    } cases[] = {{a + "\r\n" + b, 2}, {a + "\n" + b + "\n", 2}, {a + "\r" + b + "\r", 2}, {a + "\r\n\n", -2}};
    for (const auto& c : cases) {
        dir.write("films.txt", c.contents);
        RecordTable out;
        if (c.records < 0) {
            EXPECT_THROW(ReadArchiveFile((dir / "films.txt").string(), out, 1, kItalian), ArchiveLineError);
            continue;
        }
        ASSERT_EQ(ReadArchiveFile((dir / "films.txt").string(), out, 1, kItalian), c.records);
        EXPECT_EQ(out.row(2).titolo, "B.AVI");
    }
}

// Large files are read in two halves at once; a bad line in either half is still named right
// and only the records before it are kept.
TEST(ArchiveFile, LargeFilesNameTheFirstBadLineInEitherHalf)
{
    TempFolder dir;
    const std::string path = (dir / "films.txt").string();
    std::vector<std::string> lines;
    for (int i = 0; i < 40000; ++i) // about 12 MB
        lines.push_back(archiveline::format(film("TITOLO " + std::to_string(i) + std::string(200, 'x')), kItalian));
    for (int bad : {5, 30000, 39999}) {
        std::string contents;
        for (int i = 0; i < 40000; ++i)
            contents += (i == bad ? std::string("rotta") : lines[static_cast<std::size_t>(i)]) + "\r\n";
        ASSERT_GT(contents.size(), 8u << 20);
        dir.write("films.txt", contents);
        ScriptedDialogs quiet;
        ArchiveModel out;
        const LoadResult result = LoadArchive(out, path, kItalian, quiet);
        ASSERT_EQ(result.outcome, LoadResult::Outcome::Damaged);
        EXPECT_TRUE(result.error.ends_with("(films.txt, riga " + std::to_string(bad + 1) + ")")) << result.error;
        ASSERT_EQ(out.ArchiveCount, bad);
        if (bad > 0) {
            EXPECT_EQ(out.ArchiveTable.row(bad).titolo, "TITOLO " + std::to_string(bad - 1) + std::string(200, 'x'));
        }
    }
    std::string whole;
    for (const std::string& l : lines)
        whole += l + "\r\n";
    dir.write("films.txt", whole);
    ScriptedDialogs dialogs;
    ArchiveModel m;
    LoadArchive(m, path, kItalian, dialogs);
    ASSERT_EQ(m.ArchiveCount, 40000);
    EXPECT_EQ(formatArchive(m.ArchiveTable, m.ArchiveCount, kItalian), whole);
}

TEST(RecordTable, CopiesAreValuesWhateverTheyShare)
{
    ArchiveModel m = modelOf({film("A.AVI"), film("B.AVI")});
    m.copyArchiveToView();
    m.ViewTable.edit(1).genere = "COMMEDIA";
    EXPECT_EQ(m.ArchiveTable.row(1).genere, "DRAMMATICO");
    m.ArchiveTable.edit(2).regia = "Altro";
    EXPECT_EQ(m.ViewTable.row(2).regia, "Regista");
    EXPECT_EQ(m.ViewTable.row(1).genere, "COMMEDIA");
    // Rows above the count keep what they held; rows never written read empty.
    m.ArchiveCount = 1;
    m.copyArchiveToView();
    EXPECT_EQ(m.ViewTable.row(2).titolo, "B.AVI");
    EXPECT_EQ(m.ViewTable.row(3000), dfilm{});
    m.ViewTable.edit(3000).titolo = "X";
    EXPECT_GE(m.ViewTable.capacity(), 3000);
}

namespace {

std::string archiveLinesOf(const std::vector<dfilm>& records)
{
    std::string out;
    for (const dfilm& r : records)
        out += archiveline::format(r, kItalian) + "\r\n";
    return out;
}

// Every field of a table row as one text, through the readers that never make a record of it.
std::string viaFields(const RecordTable& t, int i)
{
    using F = RecordTable::Field;
    std::string out;
    for (F f : {F::titolo, F::genere, F::attore1, F::attore2, F::regia, F::posizione, F::durata, F::datau, F::trama})
        out += std::string(t.text(i, f)) + "|";
    std::string_view leading[8];
    double arrival = -1;
    t.texts(i, leading, arrival);
    for (std::string_view s : leading)
        out += std::string(s) + "|";
    return out + std::to_string(t.dataa(i)) + "|" + std::to_string(arrival) + "|" + std::to_string(t.dimmb(i));
}

std::string viaRecord(const dfilm& r)
{
    std::string out;
    for (const std::string* s : {&r.titolo, &r.genere, &r.attore1, &r.attore2, &r.regia, &r.posizione, &r.durata,
                                 &r.datau, &r.trama})
        out += *s + "|";
    for (const std::string* s : {&r.titolo, &r.genere, &r.attore1, &r.attore2, &r.regia, &r.posizione, &r.durata,
                                 &r.datau})
        out += *s + "|";
    return out + std::to_string(r.dataa) + "|" + std::to_string(r.dataa) + "|" + std::to_string(r.dimmb);
}

} // namespace

// A loaded archive keeps its records as lines of the file's bytes; whatever reads them, and
// whatever writes them back, sees what the parser gives.
TEST(LoadedLines, ReadAndWrittenAsTheParserReadsThem)
{
    const std::string plain = archiveline::format(film("MATRIX.AVI", -7), kItalian);
    const std::string lines[] = {
        plain,
        // Numbers written another way than the writer would.
        "ALIEN.MPG\tFANTASCIENZA\tA\tB\tScott\tGino-CD2\t117'\t1979\t 8/12/2004 \t+,5\t  42\tNello spazio",
        // Tabs in the plot; empty texts.
        "\t\t\t\t\t\t\t\t01/01/2000\t0\t0\tuno\tdue\ttre",
        // The window cuts this one: only 10000 characters after the first tab are read.
        std::string(30, 'T') + "\tG\tA\tB\tR\tP\tD\tU\t02/02/2002\t1\t2\t" + std::string(10050, 'x'),
        "ULTIMA.AVI\tG\tA\tB\tR\tP\tD\tU\t03/03/2003\t7,25\t0\tsenza fine riga",
    };
    const std::string contents = lines[0] + "\r\n" + lines[1] + "\n" + lines[2] + "\r" + lines[3] + "\r\n" + lines[4];
    TempFolder dir;
    dir.write("films.txt", contents);
    const std::string path = (dir / "films.txt").string();
    ScriptedDialogs dialogs;
    ArchiveModel asLines, asRecords;
    ASSERT_EQ(LoadArchive(asLines, path, kItalian, dialogs).outcome, LoadResult::Outcome::Loaded);
    // What the parser makes of each line on its own.
    for (int i = 1; i <= 5; ++i)
        archiveline::parse(lines[i - 1], kItalian, asRecords.ArchiveTable.edit(i));
    asRecords.ArchiveCount = 5;
    ASSERT_EQ(asLines.ArchiveCount, 5);
    const std::string written = formatArchive(asRecords.ArchiveTable, 5, kItalian);
    EXPECT_EQ(formatArchive(asLines.ArchiveTable, 5, kItalian), written);
    EXPECT_EQ(formatArchive(asLines.ViewTable, 5, kItalian), written);
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(viaFields(asLines.ArchiveTable, i), viaRecord(asRecords.ArchiveTable.row(i)));
        EXPECT_EQ(viaFields(asLines.ViewTable, i), viaRecord(asRecords.ArchiveTable.row(i)));
        EXPECT_EQ(asLines.ViewTable.row(i), asRecords.ArchiveTable.row(i));
        // Made a record now, it still reads the same.
        EXPECT_EQ(viaFields(asLines.ViewTable, i), viaRecord(asRecords.ArchiveTable.row(i)));
        EXPECT_EQ(asLines.ArchiveTable.row(i).riservato, asRecords.ArchiveTable.row(i).riservato);
    }
    EXPECT_EQ(asLines.ArchiveTable.row(1).riservato, -7);
    EXPECT_EQ(asLines.ArchiveTable.row(3).trama, "uno\tdue\ttre");
    EXPECT_EQ(asLines.ArchiveTable.row(4).trama.size(), 10000u - 29u);
    EXPECT_EQ(asLines.ArchiveTable.text(5, RecordTable::Field::trama), "senza fine riga");

    // What the program writes it reads back the same way, byte for byte.
    SaveArchive(asLines, path, kItalian);
    EXPECT_EQ(dir.read("films.txt"), written);
    ArchiveModel again;
    LoadArchive(again, path, kItalian, dialogs);
    EXPECT_EQ(formatArchive(again.ArchiveTable, again.ArchiveCount, kItalian), written);
}

TEST(LoadedLines, EditsWriteOneTableAndOutliveTheTablesTheyCameFrom)
{
    TempFolder dir;
    const std::string contents = archiveLinesOf({film("A.AVI"), film("B.AVI"), film("C.AVI")});
    dir.write("films.txt", contents);
    ScriptedDialogs dialogs;
    RecordTable kept;
    {
        auto m = std::make_unique<ArchiveModel>();
        LoadArchive(*m, (dir / "films.txt").string(), kItalian, dialogs);
        RecordTable before = m->ArchiveTable;
        dfilm& b = m->ArchiveTable.edit(2);
        b.posizione = "Gino-CD9";
        b.trama = "nuova";
        EXPECT_EQ(m->ArchiveTable.text(2, RecordTable::Field::posizione), "Gino-CD9");
        EXPECT_EQ(m->ViewTable.text(2, RecordTable::Field::posizione), "Gino-CD1");
        EXPECT_EQ(before.row(2).trama, "Trama di B.AVI");
        EXPECT_EQ(m->findRecord(m->ArchiveTable.row(2)), 2);
        EXPECT_EQ(m->findRecord(m->ViewTable.row(2)), 0);
        EXPECT_NE(before.generation(), m->ArchiveTable.generation());
        kept.copyRow(1, m->ViewTable, 3);
        kept.copyRow(2, m->ArchiveTable, 2);
        kept.copyRow(3, before, 1);
        SaveArchive(*m, (dir / "films.txt").string(), kItalian);
    }
    // The loaded bytes live as long as a row needs them.
    EXPECT_EQ(kept.row(1).titolo, "C.AVI");
    EXPECT_EQ(kept.text(2, RecordTable::Field::posizione), "Gino-CD9");
    EXPECT_EQ(kept.text(3, RecordTable::Field::trama), "Trama di A.AVI");
    dfilm b = film("B.AVI");
    b.posizione = "Gino-CD9";
    b.trama = "nuova";
    b.dataa = dates::encode({2005, 3, 1});
    dfilm a = film("A.AVI"), c = film("C.AVI");
    a.dataa = c.dataa = b.dataa;
    EXPECT_EQ(dir.read("films.txt"), archiveLinesOf({a, b, c}));
}

namespace {

long long g_now = 0;
long long movedClock() { return g_now; }

// The clock that completes yearless dates, set by the test to local times of its own.
struct MovedClock
{
    MovedClock() { dates::setClock(&movedClock); }
    ~MovedClock() { dates::setClock(nullptr); }
    static void set(int year, int month, int day, int hour, int minute)
    {
        std::tm tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        tm.tm_hour = hour;
        tm.tm_min = minute;
        tm.tm_isdst = -1;
        g_now = static_cast<long long>(std::mktime(&tm));
    }
};

// Watches the arrival dates the load hands on (to the search index).
struct ArrivalWatcher : LoadWatcher
{
    std::vector<double> arrivals;
    void record(int, const std::string_view (&)[8], double dataa) override { arrivals.push_back(dataa); }
};

} // namespace

// A record loaded on New Year's Eve and saved after midnight keeps the year its date was read with:
// every date completed from the clock is read once, at load.
TEST(ArchiveFile, DatesCompletedFromTheClockKeepTheYearOfTheLoad)
{
    RegionalSettings yearFirst = kItalian;
    yearFirst.shortDateFormat = "yyyy/mm/dd";
    const struct
    {
        const char* date;
        const RegionalSettings& rs;
        const char* written; // the date as the save writes it
    } cases[] = {
        {"12/3", kItalian, "12/03/2026"},
        {"0012/3", kItalian, "12/03/2026"}, // four digits in a row, and still no year
        {"1/0003", kItalian, "01/03/2026"},
        {"0012/0003", kItalian, "12/03/2026"},
        {"12/3/77", kItalian, "12/03/1977"}, // 2077 from 2027 on
        {"0003/0012", yearFirst, "2026/03/12"},
        {"15/03/2005", kItalian, "15/03/2005"},
        {"2005/03/15", yearFirst, "2005/03/15"},
    };
    const MovedClock clock;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        TempFolder dir;
        const std::string path = (dir / "films.txt").string();
        const auto line = [](const std::string& date) {
            return "A.AVI\tDRAMMATICO\tUno\tDue\tRegista\tGino-CD1\t120'\t2001\t" + date +
                   "\t700,5\t0\tTrama";
        };
        dir.write("films.txt", line(c.date) + "\r\n");

        MovedClock::set(2026, 12, 31, 23, 59);
        ScriptedDialogs dialogs;
        ArchiveModel m;
        ArrivalWatcher watcher;
        ASSERT_EQ(LoadArchive(m, path, c.rs, dialogs, &watcher).outcome, LoadResult::Outcome::Loaded);
        ASSERT_EQ(m.ArchiveCount, 1);
        ASSERT_EQ(watcher.arrivals.size(), 1u);
        const double loaded = watcher.arrivals[0];
        EXPECT_EQ(dates::formatShortDate(loaded, c.rs), c.written);

        MovedClock::set(2027, 1, 1, 0, 1);
        EXPECT_EQ(m.ArchiveTable.dataa(1), loaded);
        EXPECT_EQ(m.ArchiveTable.row(1).dataa, loaded);
        EXPECT_EQ(m.ViewTable.dataa(1), loaded);
        SaveArchive(m, path, c.rs);
        EXPECT_EQ(dir.read("films.txt"), line(c.written) + "\r\n");
    }
}
