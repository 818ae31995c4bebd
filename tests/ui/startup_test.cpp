#include "support/program_fixture.h"

#include "archive/archive_file.h"
#include "archive/archive_line.h"
#include "base/dates.h"
#include "platform/files.h"
#include "ui/date_picker_window.h"
#include "ui/lookup_window.h"
#include "ui/results_window.h"
#include "ui/update_window.h"
#include "ui/zoom_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>

namespace {

std::string archiveLine(const std::string& title)
{
    dfilm r;
    r.titolo = title;
    r.genere = "AZIONE";
    r.posizione = "Gino-CD1";
    r.dataa = dates::encode({2005, 3, 1});
    r.dimmb = 700;
    r.trama = "trama";
    return archiveline::format(r, RegionalSettings::italian()) + "\r\n";
}

QStringList lines(QListView* list)
{
    QStringList out;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        out << list->model()->index(i, 0).data().toString();
    return out;
}

} // namespace

using Startup = ProgramFixture;

TEST_F(Startup, FirstStartAsksTheNickNameThenWarnsAndCreatesBothFiles)
{
    dialogs.inputAnswers = {std::string("Gino")};
    start();
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"input: Nome Archivist / Nome / ",
                                                     "warning: File archivio non trovato.\n Lo creo vuoto."}));
    EXPECT_EQ(main()->windowTitle(), "Zenfo - Pellicorio -  4.4.0");
    EXPECT_FALSE(control<QFrame>("FILTRI")->isEnabled());
    EXPECT_FALSE(control<QFrame>("DATIDB")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("DBAggRec")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("DBCancRec")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("FLTCLEAR")->isEnabled());
    EXPECT_EQ(control<QLabel>("Label36")->text(), "Titoli Totali : 0");
    EXPECT_EQ(control<QLabel>("Label32")->text(), "Data archivio Films :");
    EXPECT_EQ(lines(control<QListView>("DBLBresult")), QStringList{"Nessun titolo in archivio"});
    EXPECT_EQ(folder.read("films.txt"), "");
    EXPECT_EQ(folder.read("Zenfo_conf.CFG").substr(0, 7), "4.4.0\r\n");
    EXPECT_EQ(control<QLineEdit>("EDNick")->text(), "Gino");
    EXPECT_EQ(control<QLineEdit>("NavFilm")->text(), QString::fromStdString(folder.text()));
    EXPECT_EQ(control<QLineEdit>("EDArchLoc")->text(), QString::fromStdString(folder.text() + "locandine/"));
    EXPECT_EQ(control<QTextBrowser>("RHelp")->toPlainText(), "File Help <ZENFOHELP.RTF> non trovato");
    EXPECT_EQ(control<QTabWidget>("PageControl1")->currentIndex(), 0);
    EXPECT_EQ(control<QTableWidget>("SGStat")->columnWidth(0), 150);
}

TEST_F(Startup, CreatesTheSixWindowsAndShowsOnlyTheMainOne)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    main()->show();
    const QWidget* all[] = {windows->form1.get(), windows->form2.get(), windows->form3.get(),
                            windows->form4.get(), windows->form5.get(), windows->form6.get()};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(all[i]->objectName(), QString("TForm%1").arg(i + 1));
        EXPECT_EQ(all[i]->isVisible(), i == 0);
    }
    const QTabWidget* pages = control<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), "ARCHIVIO");
    EXPECT_EQ(pages->tabText(1), "GESTIONE NUOVI FILM");
    EXPECT_EQ(pages->tabText(2), "Stat + Conf");
    EXPECT_EQ(pages->tabText(3), "Help");
}

TEST_F(Startup, EmptyArchiveStartsWithoutMessages)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(lines(control<QListView>("DBLBresult")), QStringList{"File archivio vuoto"});
    EXPECT_FALSE(control<QFrame>("FILTRI")->isEnabled());
    EXPECT_TRUE(control<QLabel>("Label32")->text().startsWith("Data Archivio films: "));
}

TEST_F(Startup, LoadedArchiveEnablesTheArchivePanels)
{
    writeConfig();
    folder.write("films.txt", archiveLine("ALIEN.MPG") + archiveLine("MATRIX.AVI"));
    start();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(program.archive.model().ArchiveCount, 2);
    EXPECT_EQ(control<QLabel>("Label36")->text(), "Titoli Totali : 2");
    for (const char* name : {"FILTRI", "DATIDB"})
        EXPECT_TRUE(control<QWidget>(name)->isEnabled()) << name;
    for (const char* name : {"DBAggRec", "DBCancRec", "FLTCLEAR"})
        EXPECT_TRUE(control<QWidget>(name)->isEnabled()) << name;
    EXPECT_EQ(lines(control<QListView>("DBLBresult")), (QStringList{"ALIEN.MPG", "MATRIX.AVI"}));

    // The archive's date to the minute, on one line that shows it whole.
    main()->show();
    auto* date = control<QLabel>("Label32");
    const QString expected = "Data Archivio films: " +
                             QString::fromStdString(dateToTheMinute(
                                 *files::modificationTime(folder / "films.txt"), RegionalSettings::italian()));
    EXPECT_EQ(date->text(), expected);
    EXPECT_EQ(date->text().size(), 21 + 16);
    EXPECT_GE(date->contentsRect().width(), date->fontMetrics().horizontalAdvance(date->text()));
}

TEST_F(Startup, DamagedArchiveStartsReadOnlyAndTheFileStaysAsItWas)
{
    writeConfig();
    const std::string contents = archiveLine("ALIEN.MPG") + "una riga rotta\r\n" + archiveLine("MATRIX.AVI");
    folder.write("films.txt", contents);
    start();
    ASSERT_EQ(dialogs.log.size(), 2u);
    EXPECT_EQ(dialogs.log[0], "error: '' is not a valid date\n(films.txt, riga 2)");
    EXPECT_EQ(dialogs.log[1].substr(0, 9), "warning: ");
    EXPECT_NE(main()->windowTitle().indexOf("SOLA LETTURA"), -1);
    EXPECT_EQ(program.archive.model().ArchiveCount, 1);
    EXPECT_EQ(lines(control<QListView>("DBLBresult")), QStringList{"ALIEN.MPG"});
    for (const char* name : {"DBAggRec", "DBCancRec", "MergeDB", "AddToDB", "Import"})
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(program.archive.model().protectedReason.has_value());
    EXPECT_EQ(folder.read("films.txt"), contents);
}

TEST_F(Startup, HelpDocumentIsShownAsRichText)
{
    writeConfig();
    folder.write("films.txt", "");
    folder.write("zenfohelp.rtf", "{\\rtf1\\ansi {\\b Guida} di Pellicorio\\par Seconda riga gi\\'e0}");
    start();
    const QTextBrowser* help = control<QTextBrowser>("RHelp");
    EXPECT_EQ(help->toPlainText(), QString::fromUtf8("Guida di Pellicorio\nSeconda riga già"));
    EXPECT_NE(help->toHtml().indexOf("font-weight:700"), -1);
}

using Quit = ProgramFixture;

TEST_F(Quit, AsksBeforeQuittingAndNoKeepsTheProgramRunning)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    main()->show();
    dialogs.confirmAnswers = {false, true};
    control<QPushButton>("QUIT")->click();
    EXPECT_EQ(dialogs.log.back(), "confirm: ESCO ?");
    EXPECT_TRUE(main()->isVisible());
    control<QPushButton>("QUIT")->click();
    EXPECT_FALSE(main()->isVisible());
}

TEST_F(Quit, PendingDataGetsTheStrongerQuestion)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    main()->show();
    program.archive.model().PendingDataFlag = 1;
    dialogs.confirmAnswers = {false};
    control<QPushButton>("QUIT")->click();
    EXPECT_EQ(dialogs.log.back(), "confirm: Attenzione ! Dati Pendenti non salvati !\nESCO ugualmente ?");
    EXPECT_TRUE(main()->isVisible());
    EXPECT_EQ(program.archive.model().PendingDataFlag, 1);

    // The close box ends the program without a question.
    const std::size_t asked = dialogs.log.size();
    main()->close();
    EXPECT_FALSE(main()->isVisible());
    EXPECT_EQ(dialogs.log.size(), asked);
}

// The controls the windows' descriptions name, window by window; each must be found by that name
// (the lookup, results and update windows have no controls yet).
TEST_F(Startup, EveryNamedControlCarriesItsName)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    const struct
    {
        const QWidget* window;
        const char* names;
    } windowsAndNames[] = {
        {main(),
         // main window, its tabs and the archive tab
         "PageControl1 TabSheet1 TabSheet2 TabSheet3 TabSheet7 RHelp "
         "DATIDB DBLBresult DBEDtitolo DBEDgenere DBEDdurata DBEDdatau DBEDdataa DBEDattore1 DBEDattore2 "
         "DBEDregia DBEDposizione DBEDdimmb DBMtrama Label22 Label26 PageControl3 TabSheet9 TabSheet6 "
         "DBLOCANDINA DBJPGcover LCZOOM CoverZoom "
         "FILTRI Label30 FLTRT Label23 FLTEDtitolo Label17 FLTCBgenere Label33 FLTEDattore Label34 FLTEDregia "
         "Label29 FLTEDdataa SCalendar FLTDataClear Label35 FLTEDposizione FLTAPP FLTCLEAR Label36 Label37 "
         "Panel7 DBAggRec DBCancRec MergeDB QUIT Label32 "
         // intake tab
         "Panel1 Label2 CheckListBox1 Label16 EDVOL NavFilm Rinomina HalfCopyName NameCopy AddToDB "
         "SpeedButton3 Import Panel3 Label5 EDTitolo Label6 EDGenere Label7 EDDurata Label8 EDDataU Label9 "
         "EDDataA Label10 EDAttore1 Label14 EDAttore2 Label12 EDRegia Label13 EDPosizione Label15 DIM "
         "Label11 MDTrama Paste AssociaDati Scarta AutoMan RBLK1 RBLK2 LINK1 LINK2 "
         "PageControl2 TabSheet4 LOC Label3 EDNFLOC CBSLLOC TabSheet8 Panel2 ListBox3 NavCopert Panel4 "
         "JPEGImage1 SpeedButton5 SpeedButton1 AssCopArch "
         // settings tab
         "SGStat Label28 EDNick Label31 EDArchCop NAVDIRCOP CBSCOP Label4 EDArchLoc SpeedButton4 CBSL "
         "CBSALVALOC CkBRimappa CBIPMARCA CBIPRCD CBIDRCD SpeedButton2 BBAGGIORNA"},
        {windows->form2.get(), "CoverZ"},
        {windows->form3.get(), "MonthCalendar1 OKCalendar ANNCalendar"},
        {windows->form6.get(), "VrGradient1 VrBorder1 Label1 PBAGG Label2 Edit1 Label3 Memo1 BBBUPSTART"},
    };
    for (const auto& w : windowsAndNames)
        for (const QString& name : QString(w.names).split(' ', Qt::SkipEmptyParts))
            EXPECT_NE(w.window->findChild<QWidget*>(name), nullptr) << w.window->objectName().toStdString()
                                                                    << " has no control " << name.toStdString();
}
