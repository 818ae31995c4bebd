#include "intake/archive_merge.h"
#include "intake/title_list.h"
#include "intake/title_rename.h"

#include "archive/archive_file.h"
#include "base/dates.h"
#include "base/errors.h"
#include "browser/image_names.h"
#include "support/archives.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <array>

namespace fs = std::filesystem;

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

dfilm film(const std::string& title, const std::string& position = "Gino-CD1", double size = 700)
{
    dfilm r;
    r.titolo = title;
    r.genere = "AZIONE";
    r.posizione = position;
    r.dataa = dates::encode({2005, 3, 10});
    r.dimmb = size;
    r.trama = "trama di " + title;
    return r;
}

// The record with its seven film data fields, genere to trama.
dfilm withData(dfilm r, const std::array<std::string, 7>& d)
{
    r.genere = d[0];
    r.attore1 = d[1];
    r.attore2 = d[2];
    r.regia = d[3];
    r.durata = d[4];
    r.datau = d[5];
    r.trama = d[6];
    return r;
}

std::vector<std::string> titles(const ArchiveModel& m)
{
    std::vector<std::string> out;
    for (int k = 1; k <= m.ArchiveCount; ++k)
        out.push_back(m.ArchiveTable.row(k).titolo);
    return out;
}

class Merge : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string path(const std::string& name) const { return folder.text() + name; }
    void save(const std::string& name, const std::vector<dfilm>& records) const
    {
        SaveArchive(archiveOf(records), path(name), kItalian);
    }
};

} // namespace

TEST_F(Merge, WithItselfRemovesEveryRecordReadAgain)
{
    const std::vector<dfilm> records = {film("ZORRO.DIVX"), film("ALIEN.MPG"), film("MATRIX.AVI")};
    save("films.txt", records);
    ArchiveModel m = archiveOf(records);
    const MergeCounts c = MergeArchiveFile(m, path("films.txt"), kItalian, {});
    EXPECT_EQ(mergeReport(c), "Letti    : 3\nDoppi    : 3\nAggiunti : 0");
    EXPECT_EQ(titles(m), (std::vector<std::string>{"ALIEN.MPG", "MATRIX.AVI", "ZORRO.DIVX"}));
    EXPECT_EQ(m.ArchiveTable.row(1), film("ALIEN.MPG"));
}

TEST_F(Merge, EmptyFileStillSortsAndRemovesDuplicates)
{
    folder.write("vuoto.txt", "");
    ArchiveModel m = archiveOf({film("ZORRO.DIVX"), film("ALIEN.MPG"), film("ALIEN.MPG")});
    const MergeCounts c = MergeArchiveFile(m, path("vuoto.txt"), kItalian, {});
    EXPECT_EQ(mergeReport(c), "Letti    : 0\nDoppi    : 1\nAggiunti : -1");
    EXPECT_EQ(titles(m), (std::vector<std::string>{"ALIEN.MPG", "ZORRO.DIVX"}));
}

TEST_F(Merge, KeepsOtherCaseAndDropsOtherPositionOnlyWhenAsked)
{
    save("altro.txt", {film("Matrix.avi"), film("ALIEN.MPG", "Pino-DVD", 700)});
    for (const bool ignorePosition : {false, true}) {
        ArchiveModel m = archiveOf({film("MATRIX.AVI"), film("ALIEN.MPG")});
        const MergeCounts c = MergeArchiveFile(m, path("altro.txt"), kItalian, {ignorePosition, false});
        EXPECT_EQ(c.read, 2);
        EXPECT_EQ(c.removed, ignorePosition ? 1 : 0);
        EXPECT_EQ(m.ArchiveCount, ignorePosition ? 3 : 4);
    }
}

TEST_F(Merge, TheArchivesRecordRemainsAndTakesWhatItLacksFromTheOtherCopy)
{
    const auto from = [](const std::string& title, const std::string& who) {
        dfilm r = film(title);
        r.trama = who;
        return r;
    };
    save("altro.txt", {from("ALIEN.MPG", "theirs"), from("BLADE.AVI", "theirs"), from("ZORRO.DIVX", "theirs")});
    ArchiveModel m = archiveOf({from("ZORRO.DIVX", "mine"), from("ALIEN.MPG", "mine"), from("MATRIX.AVI", "mine")});
    const MergeCounts c = MergeArchiveFile(m, path("altro.txt"), kItalian, {});
    EXPECT_EQ(c.removed, 2);
    // The middle-pivot quicksort puts both records read first; the archive's stay all the same.
    std::vector<std::string> kept;
    for (int k = 1; k <= m.ArchiveCount; ++k)
        kept.push_back(m.ArchiveTable.row(k).titolo + " " + m.ArchiveTable.row(k).trama);
    EXPECT_EQ(kept, (std::vector<std::string>{"ALIEN.MPG mine", "BLADE.AVI theirs", "MATRIX.AVI mine",
                                              "ZORRO.DIVX mine"}));

    // Each of the seven film data fields left empty or "???" takes the other copy's value; the
    // rest of the record is the archive's.
    dfilm mine = withData(film("MATRIX.AVI"), {"", "???", "Carrie-Anne Moss", " ", "", "???", ""});
    mine.riservato = 7;
    dfilm theirs = withData(film("MATRIX.AVI"),
                            {"FANTASCIENZA", "Keanu Reeves", "Laurence Fishburne", "Wachowski", "136'", "???", "Neo"});
    theirs.dataa = dates::encode({2010, 1, 1});
    theirs.riservato = 3;
    save("matrix.txt", {theirs});
    for (const bool ignorePosition : {false, true}) {
        ArchiveModel one = archiveOf({mine});
        if (ignorePosition) {
            theirs.posizione = "Pino-DVD";
            save("matrix.txt", {theirs});
        }
        const MergeCounts counts = MergeArchiveFile(one, path("matrix.txt"), kItalian, {ignorePosition, false});
        EXPECT_EQ(mergeReport(counts), "Letti    : 1\nDoppi    : 1\nAggiunti : 0");
        ASSERT_EQ(one.ArchiveCount, 1);
        EXPECT_EQ(one.ArchiveTable.row(1),
                  withData(mine, {"FANTASCIENZA", "Keanu Reeves", "Carrie-Anne Moss", "Wachowski", "136'", "???", "Neo"}));
    }
}

TEST_F(Merge, ABadLineOrAMissingFileLeavesTheArchiveAsItWas)
{
    folder.write("rotto.txt", "A\t\t\t\t\tP\t\t\t10/03/2005\t700\t0\tt\r\nB\t\t\t\t\tP\t\t\tieri\t700\t0\tt\r\n");
    ArchiveModel m = archiveOf({film("ZORRO.DIVX"), film("ALIEN.MPG")});
    const ArchiveModel before = m;
    try {
        MergeArchiveFile(m, path("rotto.txt"), kItalian, {});
        FAIL() << "the merge should fail";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'ieri' is not a valid date\n(rotto.txt, riga 2)");
    }
    EXPECT_THROW(MergeArchiveFile(m, path("mancante.txt"), kItalian, {}), UserError);
    EXPECT_EQ(m.ArchiveCount, 2);
    EXPECT_EQ(titles(m), titles(before));
    EXPECT_EQ(m.ArchiveTable.row(3), dfilm()); // nothing read lies in the free rows
}

namespace {

IntakeModel scannedIntake()
{
    IntakeModel intake;
    const std::vector<std::pair<std::string, double>> entries = {
        {"ALIEN.MPG", 734.0032}, {"MATRIX.AVI", 1.048576}, {"\xC8 TUTTO.AVI", 0.1 + 0.2}, {"ZERO.WMV", 0}};
    for (const auto& [title, size] : entries) {
        dfilm& d = intake.IntakeTable.edit(++intake.IntakeCount);
        d.titolo = title;
        d.posizione = "Gino-FILM01";
        d.dataa = dates::encode({2005, 3, intake.IntakeCount, 18, 45, 12});
        d.dimmb = size;
        d.genere = "not exported";
        intake.FileNames.push_back(title);
    }
    return intake;
}

} // namespace

TEST(TitleList, ExportThenImportGivesBackTheEntriesWithoutTimeOfDay)
{
    TempFolder folder;
    const IntakeModel original = scannedIntake();
    ExportTitleList(original, folder.text() + "lista.txt", kItalian);
    const std::string bytes = folder.read("lista.txt");
    EXPECT_EQ(bytes.substr(0, bytes.find('\n') + 1), "ALIEN.MPG\tGino-FILM01\t01/03/2005\t734,0032\r\n");
    EXPECT_NE(bytes.find("\t0,3\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\t0\r\n"), std::string::npos);

    IntakeModel back;
    back.IntakeTable.edit(1).titolo = "OLD";
    back.IntakeCount = 1;
    back.Associated = {true};
    ImportTitleList(back, folder.text() + "lista.txt", kItalian);
    ASSERT_EQ(back.IntakeCount, original.IntakeCount);
    for (int k = 1; k <= back.IntakeCount; ++k) {
        const dfilm& a = original.IntakeTable.row(k);
        const dfilm& b = back.IntakeTable.row(k);
        EXPECT_EQ(b.titolo, a.titolo);
        EXPECT_EQ(b.posizione, a.posizione);
        EXPECT_EQ(b.dataa, dates::encode({2005, 3, k}));
        EXPECT_DOUBLE_EQ(b.dimmb, a.dimmb);
        EXPECT_EQ(b.genere, "");
        EXPECT_EQ(back.fileName(k), "");
        EXPECT_FALSE(back.associated(k)); // imported titles carry no associated data
    }
}

TEST(TitleList, EmptyIntakeAndEmptyFile)
{
    TempFolder folder;
    ExportTitleList(IntakeModel(), folder.text() + "vuota.txt", kItalian);
    EXPECT_EQ(folder.read("vuota.txt"), "");
    IntakeModel intake = scannedIntake();
    ImportTitleList(intake, folder.text() + "vuota.txt", kItalian);
    EXPECT_EQ(intake.IntakeCount, 0);
}

TEST(TitleList, ABadLineIsNamedAndLeavesTheIntakeAlone)
{
    TempFolder folder;
    const std::pair<std::string, std::string> cases[] = {
        {"A\tP\t01/03/2005\t700\r\nB\tP\t01/03/2005\t700\textra\r\n",
         "'700\textra' is not a valid floating point value\n(lista.txt, riga 2)"},
        {"A\tP\t700\r\n", "'' is not a valid date\n(lista.txt, riga 1)"},
        {"A\tP\t01/03/2005\t700\r\n\r\n", "'' is not a valid date\n(lista.txt, riga 2)"},
    };
    for (const auto& [contents, message] : cases) {
        folder.write("lista.txt", contents);
        IntakeModel intake = scannedIntake();
        try {
            ImportTitleList(intake, folder.text() + "lista.txt", kItalian);
            ADD_FAILURE() << "no error for " << contents;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_EQ(intake.IntakeCount, 4);
        EXPECT_EQ(intake.IntakeTable.row(1).titolo, "ALIEN.MPG");
        EXPECT_EQ(intake.fileName(1), "ALIEN.MPG");
    }
}

TEST(TitleList, ExportReplacesAFileAndAFailedOneLeavesNothing)
{
    TempFolder folder;
    folder.write("lista.txt", "vecchio contenuto");
    ExportTitleList(scannedIntake(), folder.text() + "lista.txt", kItalian);
    EXPECT_EQ(folder.read("lista.txt").rfind("ALIEN.MPG\t", 0), 0u);
    EXPECT_THROW(ExportTitleList(scannedIntake(), folder.text() + "manca/lista.txt", kItalian), UserError);
    EXPECT_FALSE(fs::exists(folder / "manca"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(Rename, AnswersBecomeUpperCaseTrimmedNamesThatNeverReplaceAFile)
{
    TempFolder folder;
    folder.write("Matrix.avi", "matrix");
    folder.write("alien.MPG", "alien");
    IntakeModel intake;
    intake.IntakeTable.edit(1).titolo = "ALIEN.MPG";
    intake.IntakeTable.edit(2).titolo = "MATRIX.AVI";
    intake.IntakeCount = 2;
    intake.FileNames = {"alien.MPG", "Matrix.avi"};

    EXPECT_EQ(renamedTitle(" matrix reloaded.avi "), "MATRIX RELOADED.AVI");
    ASSERT_TRUE(RenameMediaFile(intake, folder.text(), 2, "MATRIX.AVI", renamedTitle(" matrix reloaded.avi ")));
    EXPECT_EQ(folder.read("MATRIX RELOADED.AVI"), "matrix");
    EXPECT_EQ(intake.fileName(2), "MATRIX RELOADED.AVI");
    EXPECT_EQ(intake.IntakeTable.row(2).titolo, "MATRIX.AVI"); // until the next scan

    ASSERT_TRUE(RenameMediaFile(intake, folder.text(), 2, "MATRIX RELOADED.AVI", renamedTitle("matrix")));
    EXPECT_EQ(folder.read("MATRIX"), "matrix");

    // ALIEN.MPG answers to alien.MPG: taken.
    EXPECT_FALSE(RenameMediaFile(intake, folder.text(), 2, "MATRIX", "ALIEN.MPG"));
    EXPECT_EQ(folder.read("MATRIX"), "matrix");
    EXPECT_EQ(folder.read("alien.MPG"), "alien");
    EXPECT_EQ(intake.fileName(2), "MATRIX");
    // An imported title names no file.
    IntakeModel imported;
    imported.IntakeTable.edit(1).titolo = "NONE.AVI";
    imported.IntakeCount = 1;
    EXPECT_FALSE(RenameMediaFile(imported, folder.text(), 1, "NONE.AVI", "OTHER.AVI"));
}

TEST(Copy, NameWithoutExtensionAndThreeQuarters)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"MR. SMITH GOES.AVI", "MR. SMITH GOES", "MR. SMITH"},
        {"MATRIX RELOADED.AVI", "MATRIX RELOADED", "MATRIX RE"},
        {"MATRIX.AVI", "MATRIX", "MAT"},
        {"ALIEN.MPG", "ALIEN", "ALI"},
        {"ET.AVI", "ET", ""},
        {"SENZA PUNTO", "SENZA PUNTO", "SENZA "},
        {"", "", ""},
    };
    for (const auto& [title, name, half] : cases) {
        EXPECT_EQ(images::nameWithoutExtension(title), name) << title;
        EXPECT_EQ(halfName(title), half) << title;
    }
}
