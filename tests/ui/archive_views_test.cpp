#include "support/archives.h"
#include "support/program_fixture.h"

#include "archive/archive_line.h"
#include "ui/intake_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <sys/stat.h>
#include <utime.h>

namespace fs = std::filesystem;

namespace {

// The archive tab as a user sees it after changes of the archive.
class ArchiveViews : public ProgramFixture
{
protected:
    void startWith(const std::string& archive, const std::vector<std::string>& mediaFiles = {})
    {
        fs::create_directories(folder / "media");
        for (const std::string& f : mediaFiles)
            folder.write("media/" + f, "film");
        folder.write("Zenfo_conf.CFG", "4.4.0\r\n" + folder.text() + "media\r\n" + folder.text() + "copertine\r\n" +
                                           folder.text() + "copertine\r\n" + folder.text() +
                                           "locandine\r\nNick\r\nRimappa\r\nRichiedi_locandina\r\n"
                                           "Salva_locandina\r\nSalva_copertina\r\n");
        folder.write("films.txt", archive);
        // An archive last written long ago, so that a save shows in its date.
        const struct utimbuf old{1102513000, 1102513000};
        ::utime((folder / "films.txt").c_str(), &old);
        start();
        main()->show();
    }
    QString label(const char* name) { return control<QLabel>(name)->text(); }
    QStringList titles()
    {
        auto* list = control<QListView>("DBLBresult");
        QStringList out;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            out << list->model()->index(i, 0).data().toString();
        return out;
    }
    void chooseTitle(int line)
    {
        auto* list = control<QListView>("DBLBresult");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(line, 0)).center());
    }
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void type(const char* edit, const QString& s)
    {
        auto* e = control<QLineEdit>(edit);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, s);
    }
    // The genre choice's items after " Tutti".
    QStringList genreChoice()
    {
        auto* box = control<QComboBox>("FLTCBgenere");
        QStringList out;
        for (int i = 1; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    // The statistics grid: "name count" for each row.
    QStringList statistics()
    {
        auto* grid = control<QTableWidget>("SGStat");
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->item(r, 0))
                out << grid->item(r, 0)->text() + " " + grid->item(r, 1)->text();
        return out;
    }
    static dfilm filmOf(const std::string& title, const std::string& genre)
    {
        dfilm r = archivedFilm(title);
        r.genere = genre;
        return r;
    }
};

} // namespace

// A first session on an empty archive: once films are added, the archive tab works as after a
// start with records, without a restart.
TEST_F(ArchiveViews, AFirstSessionOnAnEmptyArchiveCanFilterChooseAndUpdateWhatItAdded)
{
    startWith("", {"Alien.avi", "Matrix.mkv"});
    EXPECT_EQ(label("Label36"), "Titoli Totali : 0");
    EXPECT_FALSE(control<QWidget>("FILTRI")->isEnabled());
    EXPECT_FALSE(control<QWidget>("DATIDB")->isEnabled());

    clickPage(1);
    auto* list = control<QListWidget>("CheckListBox1");
    ASSERT_EQ(list->count(), 2);
    for (int line : {0, 1}) {
        const QRect r = list->visualItemRect(list->item(line));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 10, r.center().y()));
        ASSERT_TRUE(intakelist::isTicked(*list->item(line)));
    }
    dialogs.confirmAnswers = {true};
    click("AddToDB");
    EXPECT_EQ(dialogs.log.back(), "information: Processati : 2\nDoppi      : 0\nAggiunti   : 2");

    clickPage(0);
    EXPECT_EQ(titles(), (QStringList{"ALIEN.AVI", "MATRIX.MKV"}));
    EXPECT_EQ(label("Label36"), "Titoli Totali : 2");
    EXPECT_EQ(label("Label37"), "Titoli Filtrati : 2");
    EXPECT_TRUE(label("Label32").startsWith("Data Archivio films: "));
    EXPECT_FALSE(label("Label32").contains("2004"));
    ASSERT_TRUE(control<QWidget>("FILTRI")->isEnabled());
    ASSERT_TRUE(control<QWidget>("DATIDB")->isEnabled());

    QTest::keyClicks(control<QLineEdit>("FLTEDtitolo"), "mat");
    EXPECT_EQ(titles(), QStringList{"MATRIX.MKV"});
    chooseTitle(0);
    EXPECT_EQ(control<QLineEdit>("DBEDtitolo")->text(), "MATRIX.MKV");
    type("DBEDgenere", "FANTASCIENZA");
    dialogs.confirmAnswers = {true};
    click("DBAggRec");
    EXPECT_EQ(dialogs.log.back(), "information: Record aggiornato");
    EXPECT_NE(folder.read("films.txt").find("MATRIX.MKV\tFANTASCIENZA\t"), std::string::npos);
    EXPECT_TRUE(genreChoice().contains("FANTASCIENZA"));
}

// After a deletion, an update and a merge, every view of the archive tells the archive as it is.
TEST_F(ArchiveViews, CountsStatisticsGenresAndDateFollowEveryChange)
{
    startWith(archiveLines({filmOf("ALIEN.MPG", "FANTASCIENZA"), filmOf("MATRIX.AVI", "FANTASCIENZA"),
                            filmOf("ZORRO.DIVX", "AZIONE")}));
    const QString startDate = label("Label32");
    EXPECT_TRUE(startDate.contains("2004")) << startDate.toStdString();
    EXPECT_EQ(statistics(), (QStringList{"Totale Titoli 3", "AZIONE 1", "FANTASCIENZA 2"}));

    chooseTitle(0);
    dialogs.confirmAnswers = {true};
    click("DBCancRec");
    EXPECT_EQ(dialogs.log.back(), "information: Record cancellato");
    EXPECT_EQ(label("Label36"), "Titoli Totali : 2");
    EXPECT_EQ(label("Label37"), "Titoli Filtrati : 2");
    EXPECT_EQ(statistics(), (QStringList{"Totale Titoli 2", "AZIONE 1", "FANTASCIENZA 1"}));
    EXPECT_NE(label("Label32"), startDate);

    chooseTitle(1);
    ASSERT_EQ(control<QLineEdit>("DBEDtitolo")->text(), "ZORRO.DIVX");
    type("DBEDgenere", "COMMEDIA");
    dialogs.confirmAnswers = {true};
    click("DBAggRec");
    EXPECT_EQ(genreChoice(), (QStringList{"COMMEDIA", "FANTASCIENZA"}));
    EXPECT_EQ(statistics(), (QStringList{"Totale Titoli 2", "COMMEDIA 1", "FANTASCIENZA 1"}));

    folder.write("altro.txt", archiveLines({filmOf("BLOW UP.AVI", "DRAMMATICO")}));
    dialogs.fileAnswers = {folder.text() + "altro.txt"};
    click("MergeDB");
    EXPECT_EQ(label("Label36"), "Titoli Totali : 3");
    EXPECT_EQ(label("Label37"), "Titoli Filtrati : 3");
    EXPECT_EQ(genreChoice(), (QStringList{"COMMEDIA", "DRAMMATICO", "FANTASCIENZA"}));
    EXPECT_EQ(statistics(), (QStringList{"Totale Titoli 3", "COMMEDIA 1", "DRAMMATICO 1", "FANTASCIENZA 1"}));
}

// A merge shows the whole archive again, and the genre choice says so; deleting the last record
// leaves nothing counted.
TEST_F(ArchiveViews, AMergeShowsEveryGenreAgainAndTheLastDeletionCountsNothing)
{
    startWith(archiveLines({filmOf("ALIEN.MPG", "FANTASCIENZA"), filmOf("ZORRO.DIVX", "AZIONE")}));
    auto* genre = control<QComboBox>("FLTCBgenere");
    genre->lineEdit()->selectAll();
    QTest::keyClicks(genre->lineEdit(), "AZIONE");
    ASSERT_EQ(titles(), QStringList{"ZORRO.DIVX"});

    folder.write("altro.txt", archiveLines({filmOf("BLOW UP.AVI", "DRAMMATICO")}));
    dialogs.fileAnswers = {folder.text() + "altro.txt"};
    click("MergeDB");
    EXPECT_EQ(titles(), (QStringList{"ALIEN.MPG", "BLOW UP.AVI", "ZORRO.DIVX"}));
    EXPECT_EQ(genre->currentText(), " Tutti");

    for (int left = 2; left >= 0; --left) {
        chooseTitle(0);
        dialogs.confirmAnswers = {true};
        click("DBCancRec");
        EXPECT_EQ(label("Label36"), QString("Titoli Totali : %1").arg(left));
    }
    EXPECT_EQ(statistics(), QStringList{"Totale Titoli 0"});
    EXPECT_TRUE(genreChoice().isEmpty());
    EXPECT_EQ(folder.read("films.txt"), "");
}
