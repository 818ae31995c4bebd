#include "support/fake_disc.h"
#include "support/program_fixture.h"
#include "support/test_pictures.h"

#include "archive/archive_file.h"
#include "archive/archive_line.h"
#include "base/dates.h"
#include "platform/files.h"
#include "platform/volume_label.h"
#include "ui/intake_list.h"
#include "ui/jpeg_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace fs = std::filesystem;

namespace {

class Intake : public ProgramFixture
{
protected:
    std::string media() const { return folder.text() + "media"; }
    std::string coversFolder() const { return folder.text() + "copertine"; }
    // The position the scan gives on this machine.
    std::string position() const { return "Nick-" + volume::ReadVolumeLabel(media(), program.volumes); }

    void SetUp() override
    {
        fs::create_directories(folder / "media");
        fs::create_directories(folder / "copertine");
    }
    void startWith(const std::vector<std::string>& files, const std::vector<dfilm>& archive = {})
    {
        for (const std::string& f : files)
            folder.write("media/" + f, "film");
        folder.write("Zenfo_conf.CFG", "4.4.0\r\n" + media() + "\r\n" + coversFolder() + "\r\n" + coversFolder() +
                                           "\r\n" + folder.text() + "locandine\r\nNick\r\nRimappa\r\n"
                                           "Richiedi_locandina\r\nSalva_locandina\r\nSalva_copertina\r\n");
        std::string contents;
        for (const dfilm& r : archive)
            contents += archiveline::format(r, RegionalSettings::italian()) + "\r\n";
        folder.write("films.txt", contents);
        start();
        main()->show();
        showIntake();
    }
    void showIntake()
    {
        control<QTabWidget>("PageControl1")->setCurrentIndex(0);
        control<QTabWidget>("PageControl1")->setCurrentIndex(1);
    }
    QListWidget* list() { return control<QListWidget>("CheckListBox1"); }
    static QStringList textsOf(const QListWidget* w)
    {
        QStringList out;
        for (int i = 0; i < w->count(); ++i)
            out << w->item(i)->text();
        return out;
    }
    QStringList lines() { return textsOf(list()); }
    std::vector<bool> greyed()
    {
        std::vector<bool> out;
        for (int i = 0; i < list()->count(); ++i)
            out.push_back(intakelist::isArchived(*list()->item(i)));
        return out;
    }
    bool ticked(int line) { return intakelist::isTicked(*list()->item(line)); }
    QRect lineRect(int line) { return list()->visualItemRect(list()->item(line)); }
    void clickLine(int line)
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, lineRect(line).center() + QPoint(30, 0));
    }
    // A click on the line's check box, as a user ticks a line.
    void clickCheckBox(int line)
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(lineRect(line).left() + 10, lineRect(line).center().y()));
    }
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    QListWidget* covers() { return control<QListWidget>("ListBox3"); }
    QStringList coverEntries() { return textsOf(covers()); }
    void clickCover(int row)
    {
        const QRect rect = covers()->visualItemRect(covers()->item(row));
        QTest::mouseClick(covers()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void showCoversTab()
    {
        QTabBar* bar = control<QTabWidget>("PageControl2")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    }
    // A click on a title of the archive tab's list, which is shown for it and left again.
    void chooseArchiveTitle(int line)
    {
        control<QTabWidget>("PageControl1")->setCurrentIndex(0);
        auto* titles = control<QListView>("DBLBresult");
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          titles->visualRect(titles->model()->index(line, 0)).center());
    }
    QString text(const char* edit) { return control<QLineEdit>(edit)->text(); }
    void type(const char* edit, const QString& s)
    {
        control<QLineEdit>(edit)->clear();
        QTest::keyClicks(control<QLineEdit>(edit), s);
    }
    dfilm archived(const std::string& title, const std::string& genre = "AZIONE")
    {
        dfilm r;
        r.titolo = title;
        r.genere = genre;
        r.posizione = position();
        r.dataa = dates::encode({2004, 1, 2});
        r.dimmb = 0.000004;
        return r;
    }
};

} // namespace

TEST_F(Intake, WholeRoadFromFileToArchive)
{
    startWith({"Matrix.avi", "alien.MPG", "Zorro.divx", "notes.txt"}, {archived("ALIEN.MPG")});
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MPG", "MATRIX.AVI", "ZORRO.DIVX"}));
    EXPECT_EQ(greyed(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(list()->currentRow(), -1);

    // A greyed line shows its data when selected, but the user cannot tick it.
    clickLine(0);
    EXPECT_EQ(text("EDPosizione").toStdString(), position());
    EXPECT_EQ(text("EDDataA"), QString::fromStdString(dates::formatDdMmYyyy(
                                   *files::modificationTime(folder / "media/alien.MPG"), RegionalSettings::italian())));
    EXPECT_EQ(text("DIM"), "0,00");
    clickCheckBox(0);
    QTest::keyClick(list()->viewport(), Qt::Key_Space);
    EXPECT_FALSE(ticked(0));
    // The same click ticks and unticks an ordinary line.
    clickCheckBox(2);
    EXPECT_TRUE(ticked(2));
    clickCheckBox(2);
    EXPECT_FALSE(ticked(2));

    clickLine(1);
    EXPECT_TRUE(control<QPushButton>("Paste")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("AssociaDati")->isEnabled());
    EXPECT_TRUE(control<QLineEdit>("EDGenere")->isReadOnly());
    QTest::mouseClick(control<QCheckBox>("AutoMan"), Qt::LeftButton);
    EXPECT_EQ(control<QCheckBox>("AutoMan")->text(), "Edit");
    EXPECT_FALSE(control<QLineEdit>("EDGenere")->isReadOnly());
    EXPECT_TRUE(control<QLineEdit>("EDDataA")->isReadOnly());
    EXPECT_TRUE(control<QPushButton>("AssociaDati")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Paste")->isEnabled());
    type("EDGenere", "Fantascienza");
    type("EDRegia", "Wachowski");
    type("EDDurata", "136'");
    auto* plot = control<QPlainTextEdit>("MDTrama");
    QTest::keyClicks(plot, "Neo");
    QTest::keyClick(plot, Qt::Key_Return);
    QTest::keyClicks(plot, " scopre Matrix");
    EXPECT_EQ(plot->toPlainText(), "Neo scopre Matrix");
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"beep"});
    click("AssociaDati");
    EXPECT_TRUE(ticked(1));
    EXPECT_EQ(program.archive.model().PendingDataFlag, 1);

    // Showing the tab again while data are pending keeps the ticks.
    showIntake();
    EXPECT_TRUE(ticked(1));

    dialogs.confirmAnswers = {true};
    click("AddToDB");
    ASSERT_EQ(dialogs.log.size(), 3u);
    EXPECT_EQ(dialogs.log[1], "confirm: Aggiungo elementi con spunta a DataBase ?");
    EXPECT_EQ(dialogs.log[2], "information: Processati : 3\nDoppi      : 0\nAggiunti   : 1");
    EXPECT_EQ(program.archive.model().PendingDataFlag, 0);
    const std::string saved = folder.read("films.txt");
    EXPECT_NE(saved.find("MATRIX.AVI\tFANTASCIENZA\t\t\tWachowski\t" + position() + "\t136'\t"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("\tNeo scopre Matrix\r\n"), std::string::npos);
    EXPECT_LT(saved.find("ALIEN.MPG"), saved.find("MATRIX.AVI"));
    // The rescan greys the new film, and nothing is ticked.
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MPG", "MATRIX.AVI", "ZORRO.DIVX"}));
    EXPECT_EQ(greyed(), (std::vector<bool>{true, true, false}));
    EXPECT_FALSE(ticked(1));

    control<QTabWidget>("PageControl1")->setCurrentIndex(0);
    auto* titles = control<QListView>("DBLBresult");
    ASSERT_EQ(titles->model()->rowCount(), 2);
    EXPECT_EQ(titles->model()->index(1, 0).data().toString(), "MATRIX.AVI");
    EXPECT_NE(control<QComboBox>("FLTCBgenere")->findText("FANTASCIENZA"), -1);
}

TEST_F(Intake, AssociatingAGreyedLineTicksItAndTheAdditionCountsItTwice)
{
    startWith({"alien.MPG"}, {archived("ALIEN.MPG", "HORROR")});
    ASSERT_EQ(greyed(), std::vector<bool>{true});
    clickLine(0);
    QTest::mouseClick(control<QCheckBox>("AutoMan"), Qt::LeftButton);
    type("EDGenere", "fantascienza");
    click("AssociaDati");
    EXPECT_TRUE(ticked(0));
    dialogs.confirmAnswers = {true};
    click("AddToDB");
    EXPECT_EQ(dialogs.log.back(), "information: Processati : 1\nDoppi      : 1\nAggiunti   : 1");
    ASSERT_EQ(program.archive.model().ArchiveCount, 1);
    // The data just associated are the newer: they replace the archived record.
    EXPECT_EQ(program.archive.model().ArchiveTable.row(1).genere, "FANTASCIENZA");
    EXPECT_NE(folder.read("films.txt").find("ALIEN.MPG\tFANTASCIENZA\t"), std::string::npos);
}

TEST_F(Intake, ALineTickedByHandNeverReplacesTheArchivedFilm)
{
    dfilm mine = archived("ALIEN.MPG", "HORROR");
    mine.trama = "La mia trama";
    startWith({"alien.MPG", "Matrix.avi"}, {mine});
    // Without the greying the archived film's line can be ticked by hand.
    clickPage(2);
    QTest::mouseClick(control<QCheckBox>("CkBRimappa"), Qt::LeftButton);
    ASSERT_TRUE(program.settings.CkBRimappa);
    clickPage(1);
    ASSERT_EQ(greyed(), (std::vector<bool>{false, false}));
    clickCheckBox(0);
    clickCheckBox(1);
    ASSERT_TRUE(ticked(0) && ticked(1));
    dialogs.confirmAnswers = {true};
    click("AddToDB");
    EXPECT_EQ(dialogs.log.back(), "information: Processati : 2\nDoppi      : 1\nAggiunti   : 2");
    ASSERT_EQ(program.archive.model().ArchiveCount, 2);
    EXPECT_EQ(program.archive.model().ArchiveTable.row(1), mine);
    EXPECT_NE(folder.read("films.txt").find("ALIEN.MPG\tHORROR\t"), std::string::npos);
}

TEST_F(Intake, TodaysVideoFilesAreListedInTitleOrder)
{
    startWith({"Zorro.mkv", "alien.MP4", "Matrix.avi", "notes.srt"});
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MP4", "MATRIX.AVI", "ZORRO.MKV"}));
    // A new file shows when the user comes back to the tab.
    folder.write("media/Blade Runner.webm", "film");
    clickPage(0);
    clickPage(1);
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MP4", "BLADE RUNNER.WEBM", "MATRIX.AVI", "ZORRO.MKV"}));
    clickLine(2);
    EXPECT_EQ(text("EDPosizione").toStdString(), position());
}

TEST_F(Intake, OptionsGovernTheMarks)
{
    dfilm otherPlace = archived("ZORRO.DIVX");
    otherPlace.posizione = "Nick-ALTRO";
    startWith({"Matrix.avi", "Zorro.divx"}, {archived("Matrix.avi"), otherPlace});
    // Titles compare exactly, and the position counts.
    EXPECT_EQ(greyed(), (std::vector<bool>{false, false}));
    control<QCheckBox>("CBIPMARCA")->setChecked(true);
    EXPECT_EQ(greyed(), (std::vector<bool>{false, false})); // counts from the next fill
    showIntake();
    EXPECT_EQ(greyed(), (std::vector<bool>{false, true}));
    control<QCheckBox>("CkBRimappa")->setChecked(true);
    showIntake();
    EXPECT_EQ(greyed(), (std::vector<bool>{false, false}));
}

TEST_F(Intake, EmptyFolderShowsThePlaceholderThatOffersNothing)
{
    startWith({"notes.txt"});
    EXPECT_EQ(lines(), QStringList{"Nessun File Multimediale"});
    EXPECT_FALSE(control<QPushButton>("Paste")->isEnabled());
    clickLine(0);
    EXPECT_FALSE(control<QPushButton>("Paste")->isEnabled());
    dialogs.confirmAnswers = {true};
    click("AddToDB");
    EXPECT_EQ(dialogs.log.back(), "information: Processati : 1\nDoppi      : 0\nAggiunti   : 0");
    EXPECT_EQ(program.archive.model().ArchiveCount, 0);
}

TEST_F(Intake, DiscardingUnticksAndClearsThePendingData)
{
    startWith({"a.avi", "b.avi"});
    QTest::mouseClick(control<QCheckBox>("AutoMan"), Qt::LeftButton);
    for (int line : {0, 1}) {
        clickLine(line);
        // A selection disables the association until the data come anew (here: Auto, then Edit).
        EXPECT_FALSE(control<QPushButton>("AssociaDati")->isEnabled());
        control<QCheckBox>("AutoMan")->setChecked(true);
        control<QCheckBox>("AutoMan")->setChecked(false);
        click("AssociaDati");
    }
    EXPECT_TRUE(ticked(0) && ticked(1));
    dialogs.confirmAnswers = {false, true, false};
    click("Scarta");
    EXPECT_TRUE(ticked(0));
    click("Scarta");
    EXPECT_FALSE(ticked(0) || ticked(1));
    EXPECT_EQ(program.archive.model().PendingDataFlag, 0);
    EXPECT_EQ(dialogs.log[0], "confirm warning: Disassocio tutti i dati associati?");
    click("QUIT");
    EXPECT_EQ(dialogs.log.back(), "confirm: ESCO ?");
}

TEST_F(Intake, AFailedSaveKeepsTheArchiveAndTheTicks)
{
    startWith({"Matrix.avi"}, {archived("ALIEN.MPG")});
    clickCheckBox(0);
    ASSERT_TRUE(ticked(0));
    // films.txt turned into a folder: the save cannot replace it.
    fs::remove(folder / "films.txt");
    fs::create_directories(folder / "films.txt" / "inside");
    dialogs.confirmAnswers = {true};
    click("AddToDB");
    ASSERT_EQ(dialogs.log.size(), 2u);
    EXPECT_EQ(dialogs.log[1].rfind("error: ", 0), 0u) << dialogs.log[1];
    EXPECT_EQ(program.archive.model().ArchiveCount, 1);
    EXPECT_EQ(program.archive.model().ArchiveTable.row(1).titolo, "ALIEN.MPG");
    EXPECT_TRUE(ticked(0));

    fs::remove_all(folder / "films.txt");
    dialogs.confirmAnswers = {true};
    click("AddToDB");
    EXPECT_EQ(dialogs.log.back(), "information: Processati : 1\nDoppi      : 0\nAggiunti   : 1");
    EXPECT_EQ(program.archive.model().ArchiveCount, 2);
}

TEST_F(Intake, ChoosingTheMediaFolderRemembersItAndRescans)
{
    startWith({"a.avi"});
    fs::create_directories(folder / "altri");
    folder.write("altri/Nuovo.MPEG", "x");
    clickLine(0);
    ASSERT_FALSE(text("EDPosizione").isEmpty());
    dialogs.folderAnswers = {std::nullopt, folder.text() + "altri"};
    QTest::mouseClick(control<QLineEdit>("NavFilm"), Qt::LeftButton);
    EXPECT_EQ(lines(), QStringList{"A.AVI"}); // cancelled
    QTest::mouseClick(control<QLineEdit>("NavFilm"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"folder: " + media(), "folder: " + media()}));
    EXPECT_EQ(lines(), QStringList{"NUOVO.MPEG"});
    EXPECT_EQ(text("NavFilm").toStdString(), folder.text() + "altri");
    EXPECT_TRUE(text("EDPosizione").isEmpty());
    EXPECT_NE(folder.read("Zenfo_conf.CFG").find("\r\n" + folder.text() + "altri\r\n"), std::string::npos);
}

TEST_F(Intake, CoversAreListedShownRenamedAfterTitlesAndDeleted)
{
    folder.write("copertine/SCAN001.JPG", makeJpeg(200, 100));
    folder.write("copertine/scan002.jpg", makeJpeg(100, 100));
    folder.write("copertine/alien.jpg", makeJpeg(100, 200));
    folder.write("copertine/note.txt", "");
    startWith({"Matrix.avi", "alien.MPG"});
    auto* covers = control<QListWidget>("ListBox3");
    ASSERT_EQ(program.settings.CoverListFolder, coversFolder());
    QStringList entries;
    for (int i = 0; i < covers->count(); ++i)
        entries << covers->item(i)->text();
    EXPECT_EQ(entries, (QStringList{"ALIEN.JPG", "SCAN001.JPG", "SCAN002.JPG"}));
    for (const char* b : {"SpeedButton1", "SpeedButton5", "AssCopArch"})
        EXPECT_FALSE(control<QPushButton>(b)->isEnabled()) << b;

    showCoversTab();
    clickCover(1);
    auto* view = control<JpegView>("JPEGImage1");
    EXPECT_EQ(view->picture().size(), QSize(200, 100));
    EXPECT_TRUE(control<QPushButton>("SpeedButton5")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("SpeedButton1")->isEnabled());
    // No archive title chosen yet shows its poster tab: the archive association is not offered.
    EXPECT_FALSE(control<QPushButton>("AssCopArch")->isEnabled());

    clickLine(1); // MATRIX.AVI
    dialogs.confirmAnswers = {true};
    click("SpeedButton5");
    EXPECT_EQ(dialogs.log.back(), "confirm: Associo : \n\rFilm          : MATRIX.AVI\n\rCopertina : SCAN001.JPG");
    EXPECT_EQ(covers->item(1)->text(), "MATRIX.jpg");
    EXPECT_TRUE(fs::exists(folder / "copertine/MATRIX.jpg"));
    EXPECT_FALSE(fs::exists(folder / "copertine/SCAN001.JPG"));

    // ALIEN.jpg is taken (as alien.jpg): the rename fails and both files stay.
    clickLine(0);
    clickCover(2);
    dialogs.confirmAnswers = {true};
    click("SpeedButton5");
    EXPECT_EQ(dialogs.log.back(), "error: Rinomina Copertina fallita !");
    EXPECT_TRUE(fs::exists(folder / "copertine/scan002.jpg"));
    EXPECT_TRUE(fs::exists(folder / "copertine/alien.jpg"));

    clickCover(0);
    dialogs.confirmAnswers = {false, true};
    click("SpeedButton1");
    EXPECT_TRUE(fs::exists(folder / "copertine/alien.jpg"));
    click("SpeedButton1");
    EXPECT_EQ(dialogs.log.back(), "confirm: Cancello Copertina ALIEN.JPG");
    EXPECT_FALSE(fs::exists(folder / "copertine/alien.jpg"));
    ASSERT_EQ(covers->count(), 2);
    EXPECT_EQ(covers->currentRow(), 0);
    EXPECT_EQ(covers->item(0)->text(), "MATRIX.jpg");
    // The first entry is current after the deletion; a click on it shows it.
    EXPECT_EQ(view->picture().size(), QSize(100, 200)); // still the deleted cover
    clickCover(0);
    EXPECT_EQ(view->picture().size(), QSize(200, 100));
}

TEST_F(Intake, ArchiveTitleTakesACoverWhenItHasNoPoster)
{
    folder.write("copertine/SCAN001.JPG", makeJpeg(200, 100));
    startWith({"x.avi"}, {archived("ALIEN.MPG"), archived("MATRIX.AVI")});
    chooseArchiveTitle(1);
    showIntake();
    showCoversTab();
    clickCover(0);
    ASSERT_TRUE(control<QPushButton>("AssCopArch")->isEnabled());
    dialogs.confirmAnswers = {true};
    click("AssCopArch");
    EXPECT_TRUE(fs::exists(folder / "copertine/MATRIX.jpg"));
    // With a poster for the chosen archive title the button is not offered.
    fs::create_directories(folder / "locandine");
    folder.write("locandine/lc_MATRIX.jpg", makeJpeg(30, 40));
    chooseArchiveTitle(1);
    showIntake();
    clickCover(0);
    EXPECT_FALSE(control<QPushButton>("AssCopArch")->isEnabled());
}

TEST_F(Intake, ArchiveAssociationTakesTheTitleTheLineShowsAfterAnAddition)
{
    folder.write("copertine/SCAN001.JPG", makeJpeg(200, 100));
    startWith({"Blade.avi"}, {archived("ALIEN.MPG"), archived("MATRIX.AVI")});
    chooseArchiveTitle(1); // MATRIX.AVI
    showIntake();
    clickLine(0);
    QTest::mouseClick(control<QCheckBox>("AutoMan"), Qt::LeftButton);
    click("AssociaDati");
    dialogs.confirmAnswers = {true, true};
    click("AddToDB");
    ASSERT_EQ(program.archive.model().ViewTable.row(2).titolo, "BLADE.AVI"); // the view re-sorted under the line
    showCoversTab();
    clickCover(0);
    ASSERT_TRUE(control<QPushButton>("AssCopArch")->isEnabled());
    click("AssCopArch");
    EXPECT_EQ(dialogs.log.back(), "confirm: Associo : \n\rFilm          : MATRIX.AVI\n\rCopertina : SCAN001.JPG");
    EXPECT_TRUE(fs::exists(folder / "copertine/MATRIX.jpg"));
    EXPECT_FALSE(fs::exists(folder / "copertine/BLADE.jpg"));
}

TEST_F(Intake, CoversPlaceholderAFailedDeletionAndABrokenPicture)
{
    startWith({"Matrix.avi"});
    showCoversTab();
    EXPECT_EQ(coverEntries(), QStringList{"Nessun file JPG"});
    clickCover(0);
    EXPECT_TRUE(control<JpegView>("JPEGImage1")->isHidden());
    EXPECT_FALSE(control<QPushButton>("SpeedButton1")->isEnabled());

    // Another covers folder, chosen by a click on its edit.
    fs::create_directories(folder / "altre");
    folder.write("altre/rotta.jpg", "not a picture");
    folder.write("altre/via.jpg", makeJpeg(20, 30));
    dialogs.folderAnswers = {folder.text() + "altre"};
    QTest::mouseClick(control<QLineEdit>("NavCopert"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log.back(), "folder: " + coversFolder());
    EXPECT_EQ(text("NavCopert").toStdString(), folder.text() + "altre");
    EXPECT_EQ(program.settings.CoverListFolder, folder.text() + "altre");
    EXPECT_NE(folder.read("Zenfo_conf.CFG").find("\r\n" + folder.text() + "altre\r\n"), std::string::npos);
    ASSERT_EQ(coverEntries(), (QStringList{"ROTTA.JPG", "VIA.JPG"}));

    // A picture that cannot be shown is reported and ends the click: no button is offered.
    const std::size_t before = dialogs.log.size();
    clickCover(0);
    ASSERT_EQ(dialogs.log.size(), before + 1);
    EXPECT_EQ(dialogs.log.back().rfind("error: ", 0), 0u) << dialogs.log.back();
    for (const char* b : {"SpeedButton1", "SpeedButton5", "AssCopArch"})
        EXPECT_FALSE(control<QPushButton>(b)->isEnabled()) << b;

    // A file gone behind the program's back cannot be deleted; the list stays.
    clickCover(1);
    ASSERT_TRUE(control<QPushButton>("SpeedButton1")->isEnabled());
    fs::remove(folder / "altre/via.jpg");
    dialogs.confirmAnswers = {true};
    click("SpeedButton1");
    EXPECT_EQ(dialogs.log.back(), "error: Cancellazione fallita !");
    EXPECT_EQ(coverEntries(), (QStringList{"ROTTA.JPG", "VIA.JPG"}));
}

TEST_F(Intake, TheVolumeLabelShowsAndGoesIntoThePositions)
{
    program.volumes = fakeDisc(folder, "FILM\\x2001");
    startWith({"Matrix.avi"});
    EXPECT_EQ(text("EDVOL"), "FILM 01");
    clickLine(0);
    EXPECT_EQ(text("EDPosizione"), "Nick-FILM 01");
    // A media folder that is not there, as on a drive without its disc, has no label.
    dialogs.folderAnswers = {folder.text() + "media/sparita"};
    QTest::mouseClick(control<QLineEdit>("NavFilm"), Qt::LeftButton);
    EXPECT_EQ(text("EDVOL"), "");
    EXPECT_EQ(lines(), QStringList{"Nessun File Multimediale"});
}

TEST_F(Intake, AssociationSavesTheReceivedPicturesUnderTheTitlesNames)
{
    startWith({"Matrix.avi"});
    clickLine(0);
    QTest::mouseClick(control<QCheckBox>("AutoMan"), Qt::LeftButton);
    // Before a lookup delivered pictures, nothing is saved.
    control<JpegView>("LOC")->setPicture(QImage(30, 40, QImage::Format_RGB32));
    control<JpegView>("JPEGImage1")->setPicture(QImage(60, 40, QImage::Format_RGB32));
    control<QLineEdit>("EDNFLOC")->setText("lc_MATRIX.jpg");
    click("AssociaDati");
    EXPECT_FALSE(fs::exists(folder / "locandine"));
    EXPECT_FALSE(fs::exists(folder / "copertine/MATRIX.jpg"));

    program.intake.setPicturesReceived(true, program.intake.draft().coverReceived);
    program.intake.setPicturesReceived(program.intake.draft().posterReceived, true);
    click("AssociaDati");
    EXPECT_TRUE(fs::exists(folder / "locandine/lc_MATRIX.jpg"));
    EXPECT_TRUE(fs::exists(folder / "copertine/MATRIX.jpg"));

    // No poster name: only the cover is written.
    fs::remove(folder / "locandine/lc_MATRIX.jpg");
    fs::remove(folder / "copertine/MATRIX.jpg");
    control<QLineEdit>("EDNFLOC")->clear();
    click("AssociaDati");
    EXPECT_TRUE(fs::is_empty(folder / "locandine"));
    EXPECT_TRUE(fs::exists(folder / "copertine/MATRIX.jpg"));

    // A cover folder that cannot be made stops with the error, yet the data stay pending.
    program.archive.model().PendingDataFlag = 0;
    folder.write("blocco", "");
    program.settings.CoverListFolder = folder.text() + "blocco/copertine";
    click("AssociaDati");
    EXPECT_EQ(dialogs.log.back().rfind("error: ", 0), 0u);
    EXPECT_EQ(program.archive.model().PendingDataFlag, 1);
}

TEST_F(Intake, ToolsRenameAndCopyTheSelectedLine)
{
    startWith({"Matrix.avi", "alien.MPG"});
    dialogs.clipboard = "before";
    for (const char* tool : {"Rinomina", "NameCopy", "HalfCopyName"})
        QTest::mouseClick(control<QToolButton>(tool), Qt::LeftButton);
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"beep", "beep", "beep"}));
    EXPECT_EQ(dialogs.clipboard, "before");

    clickLine(1);
    dialogs.inputAnswers = {std::nullopt, std::string(" matrix reloaded.avi "), std::string("alien.mpg")};
    QTest::mouseClick(control<QToolButton>("Rinomina"), Qt::LeftButton);
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MPG", "MATRIX.AVI"}));
    QTest::mouseClick(control<QToolButton>("Rinomina"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log.back(), "input: Rinomina Film / Nuovo Titolo / MATRIX.AVI");
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MPG", "MATRIX RELOADED.AVI"}));
    EXPECT_TRUE(fs::exists(folder / "media/MATRIX RELOADED.AVI"));
    QTest::mouseClick(control<QToolButton>("Rinomina"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log.back(), "error: Rinomina fallita !");
    EXPECT_TRUE(fs::exists(folder / "media/MATRIX RELOADED.AVI"));

    QTest::mouseClick(control<QToolButton>("NameCopy"), Qt::LeftButton);
    EXPECT_EQ(dialogs.clipboard, "MATRIX RELOADED");
    QTest::mouseClick(control<QToolButton>("HalfCopyName"), Qt::LeftButton);
    EXPECT_EQ(dialogs.clipboard, "MATRIX RE");
}

TEST_F(Intake, ExportedListsComeBackGreyedAndUntouchedByABadImport)
{
    startWith({"Matrix.avi", "alien.MPG"}, {archived("ALIEN.MPG")});
    dialogs.saveAnswers = {folder.text() + "lista.txt"};
    click("SpeedButton3");
    ASSERT_EQ(dialogs.log.size(), 2u);
    // The save dialog, in the media folder with a name suggested.
    EXPECT_EQ(dialogs.log[0],
              "save: Esporta titoli su lista ASCII / *.TXT|*.TXT|*.*|*.* / *.TXT / " + media() + " / lista.txt");
    EXPECT_EQ(dialogs.log.back(), "information: Lista esportata");
    const std::string list = folder.read("lista.txt");
    EXPECT_EQ(list.rfind("ALIEN.MPG\t" + position() + "\t", 0), 0u) << list;

    // A list of other titles while an association is pending.
    folder.write("altri.txt", "Zorro.divx\tPino-DVD\t01/02/2003\t700,5\r\n" + list);
    clickLine(1);
    QTest::mouseClick(control<QCheckBox>("AutoMan"), Qt::LeftButton);
    click("AssociaDati");
    ASSERT_EQ(program.archive.model().PendingDataFlag, 1);
    folder.write("rotta.txt", "A\tB\tC\r\n");
    dialogs.confirmAnswers = {false, true, true};
    dialogs.fileAnswers = {folder.text() + "rotta.txt", folder.text() + "altri.txt"};
    click("Import");
    EXPECT_EQ(dialogs.log.back(), "confirm warning: Attenzione! Importando una lista vengono cancellati\neventuali dati non "
                                  "ancora aggiunti al DataBase principale.\nAggiungere quindi eventuali titoli "
                                  "pendenti con il comando apposito\nContinuare ?");
    click("Import");
    EXPECT_EQ(dialogs.log.back(), "error: '' is not a valid date\n(rotta.txt, riga 1)");
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MPG", "MATRIX.AVI"}));
    EXPECT_TRUE(ticked(1));
    EXPECT_EQ(program.archive.model().PendingDataFlag, 1);

    click("Import");
    EXPECT_EQ(dialogs.log.back(), "information: Lista importata: 3 titoli");
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MPG", "MATRIX.AVI", "Zorro.divx"}));
    EXPECT_EQ(greyed(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(program.archive.model().PendingDataFlag, 0);
    EXPECT_FALSE(control<QToolButton>("Rinomina")->isEnabled());
    clickLine(2);
    EXPECT_EQ(text("EDPosizione"), "Pino-DVD");
    EXPECT_EQ(text("EDDataA"), "01/02/2003");
    EXPECT_EQ(text("DIM"), "700,50");
    // The next showing of the tab scans the media folder again.
    showIntake();
    EXPECT_EQ(lines(), (QStringList{"ALIEN.MPG", "MATRIX.AVI"}));
    EXPECT_TRUE(control<QToolButton>("Rinomina")->isEnabled());
}

// Names from a title list may be anything; a picture saved for them never leaves its folder.
TEST_F(Intake, PictureNamesThatLeaveTheirFolderAreRefused)
{
    startWith({"Matrix.avi"});
    folder.write("lista.txt", "../../x.avi\tPino-DVD\t01/02/2003\t700,5\r\n");
    dialogs.confirmAnswers = {true};
    dialogs.fileAnswers = {folder.text() + "lista.txt"};
    click("Import");
    EXPECT_EQ(dialogs.log.back(), "information: Lista importata: 1 titolo");
    ASSERT_EQ(lines(), QStringList{"../../x.avi"});
    clickLine(0);
    QTest::mouseClick(control<QCheckBox>("AutoMan"), Qt::LeftButton);
    control<JpegView>("LOC")->setPicture(QImage(30, 40, QImage::Format_RGB32));
    control<JpegView>("JPEGImage1")->setPicture(QImage(60, 40, QImage::Format_RGB32));
    program.intake.setPicturesReceived(true, program.intake.draft().coverReceived);
    program.intake.setPicturesReceived(program.intake.draft().posterReceived, true);
    const fs::path outside = folder.path().parent_path() / "x.jpg";
    fs::remove(outside);

    control<QLineEdit>("EDNFLOC")->setText("../lc_x.jpg");
    click("AssociaDati");
    EXPECT_EQ(dialogs.log.back(), "error: Nome file non valido per un'immagine: ../lc_x.jpg");
    control<QLineEdit>("EDNFLOC")->setText("lc_x.jpg");
    click("AssociaDati");
    EXPECT_EQ(dialogs.log.back(), "error: Nome file non valido per un'immagine: ../../x.jpg");
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::exists(folder / "lc_x.jpg"));
    EXPECT_TRUE(fs::exists(folder / "locandine/lc_x.jpg")) << "the plain poster name still saves";
    EXPECT_EQ(program.archive.model().PendingDataFlag, 1);

    // Nor does a poster replace one of the program's own files in a posters folder set to the
    // data folder.
    const std::string archive = folder.read("films.txt");
    program.settings.PosterArchiveFolder = folder.path().string();
    control<QLineEdit>("EDNFLOC")->setText("FILMS.TXT");
    click("AssociaDati");
    EXPECT_EQ(dialogs.log.back(),
              "error: L'immagine non pu\xF2 sostituire un file del programma:\n" + (folder / "films.txt").string());
    EXPECT_EQ(folder.read("films.txt"), archive);
}

// An export never replaces the program's own files, whatever the spelling or the way there.
TEST_F(Intake, ExportOntoTheArchiveOrTheConfigurationIsRefused)
{
    startWith({"Matrix.avi"}, {archived("ALIEN.MPG")});
    const std::string archive = folder.read("films.txt");
    const std::string config = folder.read("Zenfo_conf.CFG");
    fs::create_symlink(folder / "films.txt", folder / "collegamento.txt");
    for (const std::string name :
         {"films.txt", "FILMS.TXT", "Zenfo_conf.CFG", "collegamento.txt", "films.txt.bak", "pellicorio.lock"}) {
        dialogs.saveAnswers = {folder.text() + name};
        click("SpeedButton3");
        EXPECT_EQ(dialogs.log.back(),
                  "error: La lista non pu\xF2 sostituire un file del programma:\n" + folder.text() + name);
    }
    EXPECT_EQ(folder.read("films.txt"), archive);
    EXPECT_EQ(folder.read("Zenfo_conf.CFG"), config);
    EXPECT_FALSE(fs::exists(folder / "FILMS.TXT"));
    dialogs.saveAnswers = {folder.text() + "films2.txt"};
    click("SpeedButton3");
    EXPECT_EQ(dialogs.log.back(), "information: Lista esportata");
}
