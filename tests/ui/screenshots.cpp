// Saves a picture of each tab of the main window on a small sample archive, for a person to
// look at: ui_screenshots OUTPUT_FOLDER. Not part of the test suite.
#include "archive/archive_file.h"
#include "session/program.h"
#include "base/dates.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/program_windows.h"
#include "ui/jpeg_view.h"
#include "ui/zoom_window.h"
#include "ui/qt_dialogs.h"
#include "platform/volume_label.h"
#include "support/test_pictures.h"
#include "support/filmup_pages.h"
#include "support/http_test_server.h"
#include "ui/intake_tab.h"
#include "ui/italian_qt.h"
#include "ui/lookup_window.h"
#include "ui/results_window.h"
#include "ui/settings_tab.h"
#include "ui/update_window.h"
#include "ui/date_picker_window.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTabWidget>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Pellicorio");
    ui::installItalianQt(app);

    // The lookup asks a FilmUP of our own on loopback.
    HttpTestServer filmup;
    qputenv("PELLICORIO_FILMUP_URL", QByteArray::fromStdString(filmup.baseUrl()));
    HttpTestServer::Answer results, film;
    results.body = filmuppages::resultsPage(filmup.baseUrl(), {{"rosa", "Il nome della rosa"},
                                                               {"rosa2", "Il nome della rosa (edizione restaurata)"}});
    film.body = filmuppages::filmPage("Il nome della rosa", "\n", "locand/rosa.jpg");
    filmup.on("/cgi-bin/search.cgi", results);
    filmup.on("/sc_rosa.htm", film);
    HttpTestServer::Answer poster, cover;
    poster.body = makeJpeg(240, 340);
    cover.body = makeJpeg(500, 360);
    filmup.on("/locand/rosa.jpg", poster);
    filmup.on("/posters/loc/500/rosa.jpg", cover);

    // The update check asks a site of our own too; it offers a newer version.
    HttpTestServer updates;
    qputenv("PELLICORIO_UPDATE_URL", QByteArray::fromStdString(updates.baseUrl() + "/agg/"));
    HttpTestServer::Answer versionFile;
    versionFile.body = "Pellicorio-441.zip 4.4.1     15/03/2012\r\n";
    updates.on("/agg/Zenfo2VER.txt", versionFile);

    TempFolder folder;
    Program program;
    program.dataFolder = folder.path();
    program.programFolder = folder.path();
    program.helpFolders = {std::filesystem::path(PELLICORIO_SOURCE_DIR) / "data"};
    std::filesystem::create_directories(folder / "media");
    for (const char* film : {"Il nome della rosa - CD1.avi", "Matrix.avi", "Nuovo Cinema Paradiso.mpg", "La vita \xC3\xA8 bella.divx", "Il Postino 2.AVI"})
        folder.write(std::string("media/") + film, std::string(1000, 'x'));
    const std::string position = "Gino-" + volume::ReadVolumeLabel(folder.text() + "media");
    folder.write("Zenfo_conf.CFG", "4.4.0\r\n" + folder.text() + "media\r\n" + folder.text() + "copertine/\r\n" +
                                       folder.text() + "copertine/\r\n" + folder.text() +
                                       "locandine/\r\nGino\r\nRimappa\r\nRichiedi_locandina\r\n"
                                       "Salva_locandina\r\nSalva_copertina\r\n");
    ArchiveModel sample;
    const char* const genres[] = {"FANTASCIENZA", "FANTASCIENZA", "AZIONE", "COMMEDIA", "FANTASCIENZA"};
    int g = 0;
    for (const char* title : {"ALIEN.MPG", "BLADE RUNNER.AVI", "DR. NO.AVI", "IL POSTINO.DIVX", "MATRIX.AVI"}) {
        dfilm& r = sample.ArchiveTable.edit(++sample.ArchiveCount);
        r.titolo = title;
        r.genere = genres[g++];
        r.attore1 = "Keanu Reeves, Laurence Fishburne";
        r.attore2 = "Carrie-Anne Moss, Hugo Weaving";
        r.regia = "Andy e Larry Wachowski";
        r.durata = "136'";
        r.datau = "1999";
        r.posizione = position;
        r.dataa = dates::encode({2005, 3, 1});
        r.dimmb = 734.0032;
        r.trama = "Un programmatore scopre che il mondo in cui vive \xE8 una simulazione.";
    }
    std::filesystem::create_directories(folder / "copertine");
    std::filesystem::create_directories(folder / "locandine");
    folder.write("copertine/MATRIX.jpg", makeJpeg(1000, 500));
    folder.write("copertine/scan001.jpg", makeJpeg(600, 400));
    folder.write("locandine/lc_MATRIX.jpg", makeJpeg(300, 420));
    SaveArchive(sample, (folder / "films.txt").string(), program.regional);

    ScriptedDialogs dialogs;
    ProgramWindows windows(program, dialogs);
    MainWindow* main = windows.form1.get();
    main->resize(765, 580);
    main->show();
    auto* pages = main->findChild<QTabWidget*>("PageControl1");
    const char* names[] = {"archivio", "intake", "stat_conf", "help"};
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        const QString out = QString("%1/tab_%2.png").arg(argv[1], names[i]);
        if (!main->grab().save(out))
            return 1;
        std::printf("%s\n", qPrintable(out));
    }
    // The intake after its scan: MATRIX is archived (greyed), another film chosen, then a cover.
    pages->setCurrentIndex(1);
    auto* intake = main->findChild<QListWidget*>("CheckListBox1");
    intake->setCurrentRow(0);
    QApplication::processEvents();
    main->grab().save(QString("%1/intake_scan.png").arg(argv[1]));
    main->findChild<QTabWidget*>("PageControl2")->setCurrentIndex(1);
    main->findChild<QListWidget*>("ListBox3")->setCurrentRow(1);
    QApplication::processEvents();
    main->grab().save(QString("%1/intake_copertine.png").arg(argv[1]));
    // MATRIX chosen in the list, with its poster, then its cover, and the cover zoomed.
    pages->setCurrentIndex(0);
    auto* list = main->findChild<QListView*>("DBLBresult");
    list->setCurrentIndex(list->model()->index(4, 0));
    auto* pictures = main->findChild<QTabWidget*>("PageControl3");
    pictures->setCurrentIndex(1);
    QApplication::processEvents();
    main->grab().save(QString("%1/archivio_locandina.png").arg(argv[1]));
    pictures->setCurrentIndex(2);
    QApplication::processEvents();
    main->grab().save(QString("%1/archivio_copertina.png").arg(argv[1]));
    // The real file dialog of the merge and the title lists, as it opens in the data folder.
    folder.write("lista.TXT", "");
    folder.write("altra lista.txt", "");
    QtDialogs real(main);
    QTimer::singleShot(300, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->grab().save(QString("%1/file_dialog.png").arg(argv[1]));
            dialog->close();
        }
    });
    QDir::setCurrent(folder.path().c_str());
    real.chooseFile("*.TXT|*.TXT|*.*|*.*", "*.TXT");
    // The other windows Qt draws for us, and the date picker.
    const auto grabNextModal = [&](const char* name) {
        QTimer::singleShot(300, [&, name] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                dialog->grab().save(QString("%1/%2.png").arg(argv[1], name));
                std::printf("%s/%s.png\n", argv[1], name);
                dialog->close();
            }
        });
    };
    grabNextModal("save_dialog");
    real.chooseSaveFile({"Esporta titoli su lista ASCII", "*.TXT|*.TXT|*.*|*.*", "*.TXT", folder.text(), "lista.txt"});
    grabNextModal("question");
    real.confirm(Dialogs::Kind::Question, "Aggiungo elementi con spunta a DataBase ?");
    grabNextModal("folder_chooser");
    real.chooseFolder(folder.text() + "copertine");
    grabNextModal("date_picker");
    windows.form3->pick();
    const std::string coverFile = folder.text() + "copertine/MATRIX.jpg";
    windows.form2->setPicture(ZoomWindow::Choice::Cover, coverFile, coverFile);
    windows.form2->show();
    QApplication::processEvents();
    const QString zoomShot = QString("%1/zoom_%2.png").arg(argv[1], windows.form2->windowTitle().section(':', 1).trimmed());
    windows.form2->grab().save(zoomShot);
    std::printf("%s\n", qPrintable(zoomShot));
    windows.form2->close();

    // A lookup from the intake: two results, the first chosen, its page read.
    pages->setCurrentIndex(1);
    auto* intakeList = main->findChild<QListWidget*>("CheckListBox1");
    QTest::mouseClick(intakeList->viewport(), Qt::LeftButton, {}, intakeList->visualItemRect(intakeList->item(0)).center());
    QTest::mouseClick(main->intakeTab()->Paste, Qt::LeftButton);
    LookupWindow* lookup = windows.form4.get();
    ResultsWindow* chooser = windows.form5.get();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!chooser->isVisible())
            return;
        poll.stop();
        QApplication::processEvents();
        chooser->grab().save(QString("%1/lookup_chooser.png").arg(argv[1]));
        QTest::mouseClick(chooser->SQLOK, Qt::LeftButton);
    });
    poll.start(20);
    QTest::mouseClick(lookup->WEBQUERY, Qt::LeftButton);
    QApplication::processEvents();
    lookup->grab().save(QString("%1/lookup.png").arg(argv[1]));
    std::printf("%s/lookup.png\n", argv[1]);
    // Accepted: the intake holds the web data, the poster and the cover.
    QTest::mouseClick(lookup->WEBOK, Qt::LeftButton);
    QApplication::processEvents();
    main->grab().save(QString("%1/intake_accepted.png").arg(argv[1]));

    // The update window after a check that offers the download.
    pages->setCurrentIndex(2);
    UpdateWindow* update = windows.form6.get();
    QTimer updatePoll;
    QObject::connect(&updatePoll, &QTimer::timeout, [&] {
        if (!update->isVisible())
            return;
        updatePoll.stop();
        QTest::mouseClick(update->BBBUPSTART, Qt::LeftButton);
        QApplication::processEvents();
        update->grab().save(QString("%1/update.png").arg(argv[1]));
        std::printf("%s/update.png\n", argv[1]);
        update->close();
    });
    updatePoll.start(20);
    QTest::mouseClick(main->settingsTab()->BBAGGIORNA, Qt::LeftButton);
    return 0;
}
