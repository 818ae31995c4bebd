#include "support/program_fixture.h"
#include "ui/archive_browser.h"
#include "support/test_pictures.h"

#include "archive/archive_line.h"
#include "base/dates.h"
#include "ui/date_picker_window.h"
#include "ui/jpeg_view.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

dfilm film(const std::string& title, const std::string& genre, const std::string& director)
{
    dfilm r;
    r.titolo = title;
    r.genere = genre;
    r.regia = director;
    r.attore1 = "PRIMO ATTORE";
    r.attore2 = "SECONDA ATTRICE";
    r.posizione = "Gino-CD1";
    r.dataa = dates::encode({2005, 3, 10});
    r.dimmb = 734.0032;
    r.trama = "Trama di " + title;
    return r;
}

class Browser : public ProgramFixture
{
protected:
    void startWith(const std::vector<dfilm>& records)
    {
        writeConfig();
        std::string contents;
        for (const dfilm& r : records)
            contents += archiveline::format(r, RegionalSettings::italian()) + "\r\n";
        folder.write("films.txt", contents);
        start();
        main()->show();
    }
    QStringList titles()
    {
        auto* list = control<QListView>("DBLBresult");
        QStringList out;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            out << list->model()->index(i, 0).data().toString();
        return out;
    }
    // A click on the line, as a user chooses a title.
    void choose(int line)
    {
        auto* list = control<QListView>("DBLBresult");
        const QRect rect = list->visualRect(list->model()->index(line, 0));
        ASSERT_TRUE(rect.isValid()) << "no line " << line;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void showTab(int index)
    {
        QTabBar* bar = control<QTabWidget>("PageControl3")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        ASSERT_EQ(control<QTabWidget>("PageControl3")->currentIndex(), index);
    }
    QSize shown(const char* view) { return control<JpegView>(view)->picture().size(); }
    void pictures(const std::string& title, QSize cover, QSize poster)
    {
        std::filesystem::create_directories(folder / "copertine");
        std::filesystem::create_directories(folder / "locandine");
        if (!cover.isEmpty())
            folder.write("copertine/" + title + ".jpg", makeJpeg(cover.width(), cover.height()));
        if (!poster.isEmpty())
            folder.write("locandine/lc_" + title + ".jpg", makeJpeg(poster.width(), poster.height()));
    }
    QString text(const char* name) { return control<QLineEdit>(name)->text(); }
};

const std::vector<dfilm> kThree = {film("ALIEN.MPG", "FANTASCIENZA", "Ridley Scott"),
                                   film("MATRIX.AVI", "FANTASCIENZA", "Wachowski"),
                                   film("TOY STORY.AVI", "ANIMAZIONE", "John Lasseter")};

} // namespace

TEST_F(Browser, StartShowsTheFirstRecordGenresAndStatistics)
{
    startWith(kThree);
    EXPECT_EQ(titles(), (QStringList{"ALIEN.MPG", "MATRIX.AVI", "TOY STORY.AVI"}));
    EXPECT_EQ(control<QLabel>("Label37")->text(), "Titoli Filtrati : 3");
    EXPECT_EQ(text("DBEDtitolo"), "ALIEN.MPG");
    EXPECT_EQ(text("DBEDdataa"), "10/03/2005");
    EXPECT_EQ(text("DBEDdimmb"), "734,00");
    auto* genre = control<QComboBox>("FLTCBgenere");
    EXPECT_EQ(genre->currentText(), " Tutti");
    ASSERT_EQ(genre->count(), 3);
    EXPECT_EQ(genre->itemText(1), "ANIMAZIONE");
    auto* grid = control<QTableWidget>("SGStat");
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(0, 0)->text(), "Totale Titoli");
    EXPECT_EQ(grid->item(0, 1)->text(), "3");
    EXPECT_EQ(grid->item(2, 0)->text(), "FANTASCIENZA");
    EXPECT_EQ(grid->item(2, 1)->text(), "2");
    // Rows 18 high; the first row and column are fixed cells, the counts below them are not.
    EXPECT_EQ(grid->rowHeight(1), 18);
    EXPECT_FALSE(grid->item(0, 1)->flags() & Qt::ItemIsSelectable);
    EXPECT_FALSE(grid->item(2, 0)->flags() & Qt::ItemIsSelectable);
    EXPECT_TRUE(grid->item(2, 1)->flags() & Qt::ItemIsSelectable);
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(Browser, ChoosingATitleShowsItAndFindsItsPictures)
{
    std::filesystem::create_directories(folder / "copertine");
    folder.write("copertine/matrix.JPG", makeJpeg(300, 600));
    startWith(kThree);
    auto* tabs = control<QTabWidget>("PageControl3");
    choose(2);
    EXPECT_EQ(text("DBEDtitolo"), "TOY STORY.AVI");
    EXPECT_FALSE(control<QLineEdit>("DBEDattore1")->isEnabled()); // ANIMAZIONE
    EXPECT_FALSE(control<QLabel>("Label26")->isEnabled());
    EXPECT_FALSE(tabs->isTabVisible(2));
    EXPECT_FALSE(tabs->isTabVisible(1));
    showTab(0);
    choose(1);
    EXPECT_TRUE(control<QLineEdit>("DBEDattore1")->isEnabled());
    EXPECT_TRUE(tabs->isTabVisible(2)); // found ignoring case
    EXPECT_TRUE(control<JpegView>("DBJPGcover")->picture().isNull()); // loaded when its tab shows
    showTab(2);
    EXPECT_EQ(control<JpegView>("DBJPGcover")->picture().size(), QSize(300, 600));
    EXPECT_EQ(main()->browser()->coverPath(), folder.text() + "copertine/matrix.JPG");
}

TEST_F(Browser, EnterInThePlotBeepsAndInsertsNothing)
{
    startWith(kThree);
    auto* plot = control<QPlainTextEdit>("DBMtrama");
    const QString before = plot->toPlainText();
    QTest::keyClick(plot, Qt::Key_Return);
    QTest::keyClick(plot, Qt::Key_Enter, Qt::ControlModifier);
    EXPECT_EQ(plot->toPlainText(), before);
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"beep", "beep"}));
}

TEST_F(Browser, FiltersInRealTimeOrOnRequest)
{
    startWith(kThree);
    QTest::keyClicks(control<QLineEdit>("FLTEDtitolo"), "ma");
    EXPECT_EQ(titles(), QStringList{"MATRIX.AVI"});
    control<QCheckBox>("FLTRT")->click(); // off
    QTest::keyClicks(control<QLineEdit>("FLTEDregia"), "scott");
    EXPECT_TRUE(control<QPushButton>("FLTAPP")->isEnabled());
    EXPECT_EQ(titles(), QStringList{"MATRIX.AVI"});
    control<QLineEdit>("FLTEDtitolo")->clear();
    control<QPushButton>("FLTAPP")->click();
    EXPECT_EQ(titles(), QStringList{"ALIEN.MPG"});
    EXPECT_FALSE(control<QPushButton>("FLTAPP")->isEnabled());

    control<QPushButton>("FLTCLEAR")->click();
    EXPECT_EQ(titles().size(), 3);
    EXPECT_EQ(control<QComboBox>("FLTCBgenere")->currentText(), " Tutti");

    control<QCheckBox>("FLTRT")->click(); // on again
    auto* genre = control<QComboBox>("FLTCBgenere");
    genre->setFocus();
    QTest::keyClicks(genre->lineEdit(), "x");
    EXPECT_TRUE(titles().isEmpty());
    EXPECT_EQ(control<QLabel>("Label37")->text(), "Titoli Filtrati : 0");
    EXPECT_EQ(text("DBEDtitolo"), "ALIEN.MPG"); // row 1 as the last pass left it
}

TEST_F(Browser, PickedDayIsTheCriterion)
{
    std::vector<dfilm> records = kThree;
    records[0].dataa = dates::encode({2005, 3, 9});
    records[1].dataa = dates::encode({2005, 3, 10});
    records[2].dataa = dates::encode({2005, 3, 11});
    startWith(records);
    auto* picker = windows->form3.get();
    QTimer::singleShot(0, picker, [picker] {
        picker->MonthCalendar1->setSelectedDate(QDate(2005, 3, 10));
        picker->OKCalendar->click();
    });
    control<QToolButton>("SCalendar")->click();
    EXPECT_EQ(text("FLTEDdataa"), "10/03/2005");
    EXPECT_EQ(titles(), (QStringList{"MATRIX.AVI", "TOY STORY.AVI"}));
    control<QToolButton>("FLTDataClear")->click();
    EXPECT_EQ(titles().size(), 3);
}

TEST_F(Browser, UpdateWritesBothTablesAndTheFile)
{
    startWith(kThree);
    QTest::keyClicks(control<QLineEdit>("FLTEDtitolo"), "toy");
    choose(0);
    control<QLineEdit>("DBEDposizione")->setText("Gino-CD7");
    control<QPlainTextEdit>("DBMtrama")->setPlainText("incollata\tcon\r\na capo");
    dialogs.confirmAnswers = {true};
    control<QPushButton>("DBAggRec")->click();
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"confirm: Aggiorno dati del record selezionato ?",
                                                     "information: Record aggiornato"}));
    EXPECT_EQ(program.archive.model().ArchiveTable.row(3).posizione, "Gino-CD7");
    const std::string saved = folder.read("films.txt");
    EXPECT_NE(saved.find("Gino-CD7"), std::string::npos);
    EXPECT_NE(saved.find("\tincollata con a capo\r\n"), std::string::npos);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 3);
}

TEST_F(Browser, TheKeystrokesRightAfterAChangeFindIt)
{
    // Large enough that the search index is still being built again when the keys come.
    std::vector<dfilm> many;
    for (int i = 0; i < 20000; ++i)
        many.push_back(film("FILM " + std::to_string(i) + ".AVI", "DRAMMATICO", "Ridley Scott"));
    startWith(many);
    QTest::keyClicks(control<QLineEdit>("FLTEDtitolo"), "film 1999");
    ASSERT_EQ(titles(), (QStringList{"FILM 1999.AVI", "FILM 19990.AVI", "FILM 19991.AVI", "FILM 19992.AVI",
                                     "FILM 19993.AVI", "FILM 19994.AVI", "FILM 19995.AVI", "FILM 19996.AVI",
                                     "FILM 19997.AVI", "FILM 19998.AVI", "FILM 19999.AVI"}));
    choose(2);
    control<QLineEdit>("DBEDregia")->setText("Stanley Kubrick");
    dialogs.confirmAnswers = {true};
    control<QPushButton>("DBAggRec")->click();
    QTest::keyClicks(control<QLineEdit>("FLTEDregia"), "kub");
    EXPECT_EQ(titles(), QStringList{"FILM 19991.AVI"});
    choose(0);
    dialogs.confirmAnswers = {true};
    control<QPushButton>("DBCancRec")->click();
    control<QLineEdit>("FLTEDregia")->clear();
    EXPECT_EQ(titles().size(), 10);
    EXPECT_FALSE(titles().contains("FILM 19991.AVI"));
}

TEST_F(Browser, DeletingTheFirstOfThreeShowsTheNext)
{
    startWith(kThree);
    choose(0);
    dialogs.confirmAnswers = {true};
    control<QPushButton>("DBCancRec")->click();
    EXPECT_EQ(titles(), (QStringList{"MATRIX.AVI", "TOY STORY.AVI"}));
    EXPECT_EQ(text("DBEDtitolo"), "MATRIX.AVI");
    EXPECT_EQ(control<QListView>("DBLBresult")->currentIndex().row(), 0);
    EXPECT_EQ(control<QLabel>("Label37")->text(), "Titoli Filtrati : 2");
    const std::string saved = folder.read("films.txt");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 2);
    EXPECT_EQ(saved.find("ALIEN"), std::string::npos);

    // The last line: the view then shows an empty record.
    choose(1);
    dialogs.confirmAnswers = {true};
    control<QPushButton>("DBCancRec")->click();
    EXPECT_EQ(titles(), QStringList{"MATRIX.AVI"});
    // A row never filled: empty texts, day zero of the calendar, no size.
    EXPECT_EQ(text("DBEDtitolo"), "");
    EXPECT_EQ(text("DBEDgenere"), "");
    EXPECT_EQ(text("DBEDdataa"), "30/12/1899");
    EXPECT_EQ(text("DBEDdimmb"), "0,00");
    EXPECT_EQ(program.archive.model().ArchiveCount, 1);
}

TEST_F(Browser, NoSelectionUpdateBeepsAndNoChangesWithoutYes)
{
    startWith(kThree);
    // Ctrl+click takes the selection away from the line.
    auto* list = control<QListView>("DBLBresult");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_TRUE(list->selectionModel()->selectedIndexes().isEmpty());
    control<QPushButton>("DBAggRec")->click();
    control<QPushButton>("DBCancRec")->click();
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"beep"});
    choose(0);
    dialogs.confirmAnswers = {false};
    const std::string before = folder.read("films.txt");
    control<QPushButton>("DBCancRec")->click();
    EXPECT_EQ(folder.read("films.txt"), before);
    EXPECT_EQ(titles().size(), 3);
}

TEST_F(Browser, MergeFromTheButtonReportsAndListsTheWholeArchive)
{
    startWith(kThree);
    std::string other;
    for (const dfilm& r : {film("BLADE RUNNER.AVI", "FANTASCIENZA", "Ridley Scott"), kThree[1]})
        other += archiveline::format(r, RegionalSettings::italian()) + "\r\n";
    folder.write("altro.txt", other);
    control<QLineEdit>("FLTEDtitolo")->setText("ALIEN");
    ASSERT_EQ(titles(), QStringList{"ALIEN.MPG"});

    dialogs.fileAnswers = {std::nullopt, folder.text() + "altro.txt"};
    QTest::mouseClick(control<QPushButton>("MergeDB"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"file: *.TXT|*.TXT|*.*|*.* / *.TXT"});
    QTest::mouseClick(control<QPushButton>("MergeDB"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log.back(), "information: Letti    : 2\nDoppi    : 1\nAggiunti : 1");
    EXPECT_EQ(titles(), (QStringList{"ALIEN.MPG", "BLADE RUNNER.AVI", "MATRIX.AVI", "TOY STORY.AVI"}));
    EXPECT_EQ(control<QLabel>("Label37")->text(), "Titoli Filtrati : 4");
    const std::string saved = folder.read("films.txt");
    EXPECT_NE(saved.find("BLADE RUNNER.AVI\t"), std::string::npos);

    // A file with a bad line changes nothing, on disk or on screen.
    folder.write("rotto.txt", other + "X\tbad line\r\n");
    dialogs.fileAnswers = {folder.text() + "rotto.txt"};
    QTest::mouseClick(control<QPushButton>("MergeDB"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log.back().rfind("error: ", 0), 0u);
    EXPECT_NE(dialogs.log.back().find("riga 3"), std::string::npos);
    EXPECT_EQ(folder.read("films.txt"), saved);
    EXPECT_EQ(titles(), (QStringList{"ALIEN.MPG", "BLADE RUNNER.AVI", "MATRIX.AVI", "TOY STORY.AVI"}));
    EXPECT_EQ(program.archive.model().ArchiveCount, 4);
}

TEST_F(Browser, MergingADuplicateKeepsTheArchivesRecordWithItsEmptyFieldsFilled)
{
    std::vector<dfilm> records = kThree;
    dfilm& mine = records[1]; // MATRIX.AVI
    mine.genere = "";
    mine.attore2 = "???";
    mine.trama = "La mia trama";
    mine.durata = "";
    startWith(records);
    dfilm theirs = kThree[1];
    theirs.genere = "AZIONE";
    theirs.attore1 = "ALTRO ATTORE";
    theirs.attore2 = "CARRIE-ANNE MOSS";
    theirs.trama = "La loro trama";
    theirs.durata = "136'";
    theirs.datau = "1999";
    theirs.riservato = 5;
    folder.write("altro.txt", archiveline::format(theirs, RegionalSettings::italian()) + "\r\n");

    dialogs.fileAnswers = {folder.text() + "altro.txt"};
    QTest::mouseClick(control<QPushButton>("MergeDB"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log.back(), "information: Letti    : 1\nDoppi    : 1\nAggiunti : 0");
    ASSERT_EQ(titles(), (QStringList{"ALIEN.MPG", "MATRIX.AVI", "TOY STORY.AVI"}));
    choose(1);
    EXPECT_EQ(text("DBEDgenere"), "AZIONE");
    EXPECT_EQ(text("DBEDattore1"), "PRIMO ATTORE");
    EXPECT_EQ(text("DBEDattore2"), "CARRIE-ANNE MOSS");
    EXPECT_EQ(text("DBEDdurata"), "136'");
    EXPECT_EQ(text("DBEDdatau"), "1999");
    EXPECT_EQ(control<QPlainTextEdit>("DBMtrama")->toPlainText(), "La mia trama");
    dfilm expected = mine;
    expected.genere = "AZIONE";
    expected.attore2 = "CARRIE-ANNE MOSS";
    expected.durata = "136'";
    expected.datau = "1999";
    const std::string saved = folder.read("films.txt");
    EXPECT_NE(saved.find(archiveline::format(expected, RegionalSettings::italian()) + "\r\n"), std::string::npos)
        << saved;
    EXPECT_EQ(saved.find("La loro trama"), std::string::npos);
}

TEST_F(Browser, TypedWordsFindTheirTitlesWhateverTheirAccents)
{
    std::vector<dfilm> records = kThree;
    records.push_back(film("LA CITT\xC0 INCANTATA.AVI", "ANIMAZIONE", "Hayao Miyazaki"));
    records.push_back(film("\xC8 ARRIVATA LA FELICIT\xC0.AVI", "COMMEDIA", "Fran\xE7ois Ozon"));
    startWith(records);
    auto* title = control<QLineEdit>("FLTEDtitolo");
    QTest::keyClicks(title, "citta");
    EXPECT_EQ(titles(), QStringList{QString::fromUtf8("LA CITT\xC3\x80 INCANTATA.AVI")});
    title->clear();
    // è and a blank, as a keyboard with that key types them.
    QTest::sendKeyEvent(QTest::Click, title, Qt::Key_Egrave, QString::fromUtf8("\xC3\xA8"), Qt::NoModifier);
    QTest::keyClick(title, Qt::Key_Space);
    EXPECT_EQ(titles(), QStringList{QString::fromUtf8("\xC3\x88 ARRIVATA LA FELICIT\xC3\x80.AVI")});
    EXPECT_EQ(control<QLabel>("Label37")->text(), "Titoli Filtrati : 1");
    title->clear();
    QTest::keyClicks(control<QLineEdit>("FLTEDregia"), "francois");
    EXPECT_EQ(titles(), QStringList{QString::fromUtf8("\xC3\x88 ARRIVATA LA FELICIT\xC3\x80.AVI")});
    // The stored texts stay as they are.
    choose(0);
    EXPECT_EQ(text("DBEDregia"), QString::fromUtf8("Fran\xC3\xA7ois Ozon"));
}

TEST_F(Browser, AClickOnTheLineAlreadyCurrentShowsItsPictures)
{
    pictures("ALIEN", {300, 600}, {40, 60});
    pictures("TOY STORY", {20, 10}, {});
    startWith(kThree);
    showTab(2);
    // Line 0 is current after the fill, yet the click chooses it.
    choose(0);
    EXPECT_EQ(main()->browser()->coverPath(), folder.text() + "copertine/ALIEN.jpg");
    EXPECT_EQ(shown("DBJPGcover"), QSize(300, 600));
    choose(0); // again: nothing lost, nothing asked
    EXPECT_EQ(shown("DBJPGcover"), QSize(300, 600));

    // The only title a filter leaves is line 0 too.
    QTest::keyClicks(control<QLineEdit>("FLTEDtitolo"), "toy");
    ASSERT_EQ(titles(), QStringList{"TOY STORY.AVI"});
    choose(0);
    EXPECT_EQ(shown("DBJPGcover"), QSize(20, 10));
    EXPECT_FALSE(control<QTabWidget>("PageControl3")->isTabVisible(1));
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(Browser, KeysChooseTheLineTheyMoveTo)
{
    pictures("MATRIX", {50, 70}, {});
    startWith(kThree);
    showTab(2);
    choose(0);
    ASSERT_FALSE(control<QTabWidget>("PageControl3")->isTabVisible(2)); // ALIEN has no cover
    auto* list = control<QListView>("DBLBresult");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(text("DBEDtitolo"), "MATRIX.AVI");
    EXPECT_TRUE(control<QTabWidget>("PageControl3")->isTabVisible(2));
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(text("DBEDtitolo"), "TOY STORY.AVI");
    EXPECT_FALSE(control<QTabWidget>("PageControl3")->isTabVisible(2));
}

TEST_F(Browser, DeletionKeepsThePicturesAndTabsOfTheDeletedTitle)
{
    pictures("ALIEN", {300, 600}, {});
    pictures("MATRIX", {}, {40, 60});
    startWith(kThree);
    showTab(2);
    choose(0);
    const std::string cover = main()->browser()->coverPath(), poster = main()->browser()->posterPath();
    dialogs.confirmAnswers = {true};
    control<QPushButton>("DBCancRec")->click();
    EXPECT_EQ(text("DBEDtitolo"), "MATRIX.AVI"); // the record that moved up is shown
    auto* tabs = control<QTabWidget>("PageControl3");
    EXPECT_EQ(main()->browser()->coverPath(), cover);
    EXPECT_EQ(main()->browser()->posterPath(), poster);
    EXPECT_TRUE(tabs->isTabVisible(2)); // MATRIX has no cover, but the tabs are not refreshed
    EXPECT_FALSE(tabs->isTabVisible(1));
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_EQ(shown("DBJPGcover"), QSize(300, 600));

    // The line that moved up is current, and a click on it chooses it.
    choose(0);
    EXPECT_FALSE(tabs->isTabVisible(2));
    EXPECT_TRUE(tabs->isTabVisible(1));
    EXPECT_EQ(shown("DBLOCANDINA"), QSize(40, 60));
}

TEST_F(Browser, HidingTheShownCoverTabShowsTheNewTitlesPoster)
{
    pictures("ALIEN", {300, 600}, {10, 10});
    pictures("MATRIX", {}, {40, 60});
    startWith(kThree);
    showTab(2);
    choose(0);
    // The former title's poster is gone: loading it on the way would be an error.
    std::filesystem::remove(folder / "locandine/lc_ALIEN.jpg");
    choose(1);
    auto* tabs = control<QTabWidget>("PageControl3");
    EXPECT_FALSE(tabs->isTabVisible(2));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(shown("DBLOCANDINA"), QSize(40, 60));
    EXPECT_TRUE(dialogs.log.empty()) << dialogs.log.front();

    // A title with neither picture leaves the plot shown, and nothing is loaded.
    choose(2);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(dialogs.log.empty()) << dialogs.log.front();
}

TEST_F(Browser, TheGenreBoxFiltersOnWhatIsTypedAndWhatIsChosen)
{
    std::vector<dfilm> records = kThree;
    records[1].genere = "DRAMMATICO";
    startWith(records);
    auto* genre = control<QComboBox>("FLTCBgenere");
    const int items = genre->count();
    genre->setFocus();
    QTest::keyClick(genre->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(genre->lineEdit(), "drammatico");
    EXPECT_EQ(genre->currentText().toStdString(), "drammatico"); // not completed to the item
    EXPECT_TRUE(titles().isEmpty());                // case matters
    QTest::keyClick(genre->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(genre->count(), items); // Enter adds no item
    EXPECT_EQ(genre->currentText().toStdString(), "drammatico");
    EXPECT_TRUE(titles().isEmpty());

    // Choosing the item from the drop-down list does match.
    genre->showPopup();
    QAbstractItemView* popup = genre->view();
    const QModelIndex item = popup->model()->index(genre->findText("DRAMMATICO", Qt::MatchExactly), 0);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(item).center());
    EXPECT_EQ(genre->currentText().toStdString(), "DRAMMATICO");
    EXPECT_EQ(titles(), QStringList{"MATRIX.AVI"});
}

TEST_F(Browser, ClearingWithRealTimeOffListsAllAndLeavesApplyOn)
{
    startWith(kThree);
    control<QCheckBox>("FLTRT")->click(); // off
    QTest::keyClicks(control<QLineEdit>("FLTEDregia"), "scott");
    control<QPushButton>("FLTAPP")->click();
    ASSERT_EQ(titles(), QStringList{"ALIEN.MPG"});
    ASSERT_FALSE(control<QPushButton>("FLTAPP")->isEnabled());
    control<QPushButton>("FLTCLEAR")->click();
    EXPECT_EQ(titles(), (QStringList{"ALIEN.MPG", "MATRIX.AVI", "TOY STORY.AVI"}));
    EXPECT_EQ(text("FLTEDregia"), "");
    // The emptied field went through the change handler as a user's edit would.
    EXPECT_TRUE(control<QPushButton>("FLTAPP")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("FLTCLEAR")->isEnabled());
}
