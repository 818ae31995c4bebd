#include "support/version_files.h"
#include "support/http_test_server.h"
#include "support/lookup_fixture.h"
#include "support/modal_windows.h"

#include "ui/bitmap_bar.h"
#include "ui/settings_tab.h"
#include "ui/update_controller.h"
#include "ui/update_window.h"

#include <QElapsedTimer>

#include <fstream>

namespace fs = std::filesystem;

namespace {

// Bytes of every value, as a zip would hold them.
std::string package(std::size_t size)
{
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    return s;
}

// The program on a fresh data folder, its update site a server of the test's own on loopback.
class Update : public ProgramFixture
{
protected:
    HttpTestServer server;
    fs::path programDir;

    void SetUp() override
    {
        // Without the trailing "/", which the program adds.
        qputenv("PELLICORIO_UPDATE_URL", QByteArray::fromStdString(server.baseUrl() + "/agg"));
        writeConfig();
        folder.write("films.txt", "");
        programDir = folder / "programma";
        fs::create_directory(programDir);
        ProgramFixture::program.programFolder = programDir;
    }
    void TearDown() override { qunsetenv("PELLICORIO_UPDATE_URL"); }

    void startProgram()
    {
        start();
        main()->show();
        clickPage(2);
        dialogs.log.clear();
    }
    void offer(const std::string& version, const std::string& name = "update.zip")
    {
        HttpTestServer::Answer a;
        a.body = versionFile(name, version);
        a.contentType = "text/plain";
        server.on("/agg/Zenfo2VER.txt", a);
    }
    void servePackage(const std::string& name, const std::string& body, std::size_t chunkSize = 0)
    {
        HttpTestServer::Answer a;
        a.body = body;
        a.contentType = "application/zip";
        a.chunkSize = chunkSize;
        server.on("/agg/" + name, a);
    }

    UpdateWindow* window() const { return windows->form6.get(); }
    // Opens the window with the settings tab's button; inside runs while it is open, and the window
    // is closed afterwards if inside left it open.
    void openAnd(std::function<void()> inside)
    {
        bool opened = false;
        whenVisible(window(), [this, inside, &opened] {
            opened = true;
            inside();
            if (window()->isVisible())
                window()->close();
        });
        QTest::mouseClick(main()->settingsTab()->BBAGGIORNA, Qt::LeftButton);
        EXPECT_TRUE(opened);
        EXPECT_FALSE(window()->isVisible());
    }
    void press() { QTest::mouseClick(window()->BBBUPSTART, Qt::LeftButton); }
    QStringList log() const
    {
        const QString text = window()->Memo1->toPlainText();
        return text.isEmpty() ? QStringList{} : text.split('\n');
    }
    QString status() const { return window()->Edit1->text(); }
    QString caption() const { return window()->BBBUPSTART->text(); }
    int requestsTo(const std::string& path) const
    {
        int n = 0;
        for (const HttpTestServer::Request& r : server.requests())
            n += r.path == path;
        return n;
    }
    QStringList offerLines(const QString& version, const QString& verdict) const
    {
        return {"Versione corrente   : 4.4.0", "", "Versione disponibile: " + version + "  del : 15/03/2012",
                "", verdict};
    }
};

} // namespace

TEST_F(Update, TheWindowOpensFromTheSettingsTabWithItsControlsAndInitialTexts)
{
    startProgram();
    EXPECT_TRUE(main()->settingsTab()->BBAGGIORNA->isEnabled());
    EXPECT_EQ(main()->settingsTab()->BBAGGIORNA->text(), "Controlla aggiornamenti");
    // What an earlier opening left must go.
    window()->Memo1->setPlainText("vecchio");
    window()->Edit1->setText("vecchio");
    window()->PBAGG->setMaximum(5000);
    window()->PBAGG->setValue(4000);

    bool modal = false;
    QString shownStatus, shownLog;
    int barValue = -1, barMaximum = -1, shownState = -1;
    QPoint centreOffset;
    openAnd([&] {
        modal = QApplication::activeModalWidget() == window();
        shownStatus = status();
        shownLog = window()->Memo1->toPlainText();
        barValue = window()->PBAGG->value();
        barMaximum = window()->PBAGG->maximum();
        shownState = windows->updater->state();
        centreOffset = window()->frameGeometry().center() - window()->screen()->availableGeometry().center();
    });
    EXPECT_TRUE(modal);
    EXPECT_EQ(shownStatus, "Pronto");
    EXPECT_EQ(shownLog, "");
    EXPECT_EQ(barValue, 0);
    EXPECT_EQ(barMaximum, 100);
    EXPECT_EQ(shownState, 0);
    EXPECT_LE(centreOffset.manhattanLength(), 4);

    EXPECT_EQ(window()->objectName(), "TForm6");
    EXPECT_EQ(window()->windowTitle(), "Zenfo2 - Controllo aggiornamenti");
    EXPECT_EQ(window()->size(), QSize(455, 294));
    EXPECT_EQ(window()->minimumSize(), window()->maximumSize());
    const Qt::WindowFlags flags = window()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    const QLabel* title = window()->findChild<QLabel*>("Label1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Web Update");
    EXPECT_TRUE(title->font().bold());
    EXPECT_GT(title->font().pointSize(), window()->Label2->font().pointSize());
    EXPECT_EQ(window()->findChild<QLabel*>("Label2")->text(), "Stato :");
    EXPECT_EQ(window()->findChild<QLabel*>("Label3")->text(), "Log");
    EXPECT_EQ(window()->findChild<QPushButton*>("BBBUPSTART")->text(), "Controlla");
}

TEST_F(Update, AFailedCheckStaysReadyAndASecondPressRepeatsIt)
{
    const struct
    {
        const char* name;
        HttpTestServer::Answer answer;
    } failures[] = {
        {"version file missing (404)", {.status = 404}},
        {"version file larger than its cap",
         {.body = versionFile("update.zip", "4.4.1") + std::string(70 * 1024, ' ')}},
    };
    startProgram();
    for (const auto& f : failures) {
        server.on("/agg/Zenfo2VER.txt", f.answer);
        const int before = requestsTo("/agg/Zenfo2VER.txt");
        QStringList failedLog, secondLog;
        QString failedStatus, failedCaption, secondStatus, secondCaption;
        int failedState = -1;
        openAnd([&] {
            press();
            failedLog = log();
            failedStatus = status();
            failedCaption = caption();
            failedState = windows->updater->state();
            offer("4.4.0");
            press();
            secondLog = log();
            secondStatus = status();
            secondCaption = caption();
            press(); // "Esci da Web UpDate" closes the window
        });
        EXPECT_EQ(failedLog, QStringList{QString::fromUtf8("Sito non risponde. Riprovare più tardi.")})
            << f.name;
        EXPECT_EQ(failedStatus, "Errore") << f.name;
        EXPECT_EQ(failedCaption, "Controlla") << f.name;
        EXPECT_EQ(failedState, 0) << f.name;
        EXPECT_EQ(requestsTo("/agg/Zenfo2VER.txt") - before, 2) << f.name;
        EXPECT_EQ(secondLog, (QStringList{QString::fromUtf8("Sito non risponde. Riprovare più tardi.")}
                              << offerLines("4.4.0", "Nessun aggiornamento")))
            << f.name;
        EXPECT_EQ(secondStatus, "Fatto !") << f.name;
        EXPECT_EQ(secondCaption, "Esci da Web UpDate") << f.name;
        EXPECT_EQ(windows->updater->state(), 0) << f.name;
        EXPECT_EQ(caption(), "Controlla") << f.name;
    }
    EXPECT_EQ(server.lastRequest().header("User-Agent"), "Mozilla/3.0 IE9");
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(Update, ANewerVersionIsDownloadedAndSavedByteForByte)
{
    const struct
    {
        const char* name;
        std::size_t chunkSize;
    } transfers[] = {{"size announced", 0}, {"chunked, size unknown", 8192}};
    offer("4.4.1");
    startProgram();
    for (const auto& t : transfers) {
        const std::string body = package(300 * 1024);
        servePackage("update.zip", body, t.chunkSize);
        fs::remove(programDir / "update.zip");
        QStringList offerLog, savedLog;
        QString offerCaption, offerStatus, savedCaption, savedStatus, lookupPanel;
        int offerState = -1, savedState = -1, offerBar = -1, barValue = -1, barMaximum = -1, lookupBar = -1;
        openAnd([&] {
            press();
            offerLog = log();
            offerCaption = caption();
            offerStatus = status();
            offerState = windows->updater->state();
            offerBar = window()->PBAGG->value();
            // The version file went to the lookup window's status panel; the package must not.
            lookupPanel = windows->form4->StatusPanel1->text();
            windows->form4->StatusPanel1->setText("lookup");
            press();
            savedLog = log();
            savedCaption = caption();
            savedStatus = status();
            savedState = windows->updater->state();
            barValue = window()->PBAGG->value();
            barMaximum = window()->PBAGG->maximum();
            lookupBar = windows->form4->ProgressBar1->value();
            press(); // "Fine"
        });
        EXPECT_EQ(offerLog, offerLines("4.4.1", "Premi il pulsante per scaricare la versione nuova"))
            << t.name;
        EXPECT_EQ(offerCaption, "Scarica aggiornamento") << t.name;
        EXPECT_EQ(offerStatus, "Fatto !") << t.name;
        EXPECT_EQ(offerState, 2) << t.name;
        EXPECT_EQ(offerBar, 100) << t.name;
        EXPECT_EQ(lookupPanel, QString::fromUtf8("Completato.")) << t.name;

        EXPECT_EQ(savedLog,
                  (QStringList{QString::fromStdString("Aggiornamento salvato nel file: " + programDir.string() +
                                                      "/update.zip"),
                               "Unzippare il file nella dir. stessa, sovrascrivendo il file presente."}))
            << t.name;
        EXPECT_EQ(savedCaption, "Fine") << t.name;
        EXPECT_EQ(savedStatus, "Attendi...") << t.name;
        EXPECT_EQ(savedState, 1) << t.name;
        EXPECT_GT(barMaximum, 0) << t.name;
        EXPECT_EQ(barValue, barMaximum) << t.name;
        if (t.chunkSize == 0) {
            EXPECT_EQ(barMaximum, static_cast<int>(body.size())) << t.name;
        }
        EXPECT_EQ(lookupBar, 0) << t.name;
        EXPECT_EQ(windows->form4->StatusPanel1->text(), "lookup") << t.name;

        std::ifstream saved(programDir / "update.zip", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(bytes == body) << t.name << ": " << bytes.size() << " bytes saved of " << body.size();
        EXPECT_FALSE(fs::exists(folder / "update.zip")) << t.name;
        EXPECT_EQ(windows->updater->state(), 0) << t.name;
        EXPECT_EQ(caption(), "Controlla") << t.name;
    }
    EXPECT_EQ(server.lastRequest().target, "/agg/update.zip");
}

TEST_F(Update, AMissingPackageIsNotFoundAndOffersToLeave)
{
    offer("5.0.0", "manca.zip");
    startProgram();
    QStringList failedLog;
    QString failedStatus, failedCaption;
    int failedState = -1;
    openAnd([&] {
        press();
        press();
        failedLog = log();
        failedStatus = status();
        failedCaption = caption();
        failedState = windows->updater->state();
        press();
    });
    EXPECT_EQ(requestsTo("/agg/manca.zip"), 1);
    EXPECT_EQ(failedLog, QStringList{"File non trovato sul sito."});
    EXPECT_EQ(failedStatus, "Errore");
    EXPECT_EQ(failedCaption, "Esci da Web UpDate");
    EXPECT_EQ(failedState, 1);
    EXPECT_EQ(windows->updater->state(), 0);
    EXPECT_TRUE(fs::is_empty(programDir));
}

TEST_F(Update, ANameFromTheSiteThatIsNoPlainNameIsRefused)
{
    offer("4.4.1", "../films.txt");
    servePackage("films.txt", "not an archive");
    startProgram();
    QStringList failedLog;
    openAnd([&] {
        press();
        press();
        failedLog = log();
    });
    EXPECT_EQ(failedLog, (QStringList{"Nome del file di aggiornamento rifiutato: \"../films.txt\"",
                                      "File non trovato sul sito."}));
    EXPECT_EQ(requestsTo("/agg/films.txt") + requestsTo("/films.txt"), 0);
    EXPECT_EQ(folder.read("films.txt"), "");
}

// Root writes anywhere, so the folders are made unusable rather than read-only: the program folder
// is a plain file, and in the data folder the package's name is taken by a folder.
TEST_F(Update, FoldersThatTakeNoFileReportTheFailedWrite)
{
    fs::remove(programDir);
    folder.write("programma", "a file where the program folder should be");
    fs::create_directories(folder / "update.zip" / "occupato");
    offer("4.4.1");
    servePackage("update.zip", package(1000));
    startProgram();
    QStringList failedLog;
    QString failedStatus, failedCaption;
    int failedState = -1;
    openAnd([&] {
        press();
        press();
        failedLog = log();
        failedStatus = status();
        failedCaption = caption();
        failedState = windows->updater->state();
        press();
    });
    EXPECT_EQ(failedLog,
              (QStringList{QString::fromStdString("Impossibile salvare il file: " + programDir.string() +
                                                  "/update.zip (cartella non trovata)"),
                           QString::fromStdString("Impossibile salvare il file: " + folder.text() +
                                                  "update.zip (accesso negato)")}));
    EXPECT_EQ(failedStatus, "Errore");
    EXPECT_EQ(failedCaption, "Esci da Web UpDate");
    EXPECT_EQ(failedState, 1);
    EXPECT_EQ(folder.read("programma"), "a file where the program folder should be");
    EXPECT_TRUE(fs::is_directory(folder / "update.zip" / "occupato"));
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(Update, AMalformedVersionShowsTheConversionErrorAndStaysReady)
{
    offer("4.10.0");
    startProgram();
    QStringList shownLog;
    QString shownCaption;
    int shownState = -1;
    openAnd([&] {
        press();
        shownLog = log();
        shownCaption = caption();
        shownState = windows->updater->state();
    });
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"error: '41.' non \xE8 un numero intero valido"}));
    EXPECT_TRUE(shownLog.isEmpty());
    EXPECT_EQ(shownCaption, "Controlla");
    EXPECT_EQ(shownState, 0);
}

TEST_F(Update, TheCloseBoxReturnsToTheCheck)
{
    offer("4.4.1");
    startProgram();
    int stateBeforeClose = -1;
    openAnd([&] {
        press();
        stateBeforeClose = windows->updater->state();
        window()->close();
    });
    EXPECT_EQ(stateBeforeClose, 2);
    EXPECT_EQ(windows->updater->state(), 0);
    EXPECT_EQ(caption(), "Controlla");
    QString reopenedCaption;
    openAnd([&] { reopenedCaption = caption(); });
    EXPECT_EQ(reopenedCaption, "Controlla");
}

TEST_F(Update, ClosingDuringTheDownloadCancelsIt)
{
    offer("4.4.1");
    HttpTestServer::Answer slow;
    slow.body = package(1000);
    slow.delay = std::chrono::milliseconds(20000);
    server.on("/agg/update.zip", slow);
    startProgram();
    bool startDisabled = false, openerDisabled = false;
    qint64 waited = -1;
    openAnd([&] {
        press();
        QTimer::singleShot(500, [&] {
            startDisabled = !window()->BBBUPSTART->isEnabled();
            openerDisabled = !main()->settingsTab()->BBAGGIORNA->isEnabled();
            window()->close();
        });
        QElapsedTimer clock;
        clock.start();
        press();
        waited = clock.elapsed();
    });
    EXPECT_TRUE(startDisabled);
    EXPECT_TRUE(openerDisabled);
    EXPECT_LT(waited, 10000) << "closing the window did not end the download";
    EXPECT_EQ(windows->updater->state(), 0);
    EXPECT_EQ(caption(), "Controlla");
    EXPECT_TRUE(fs::is_empty(programDir));
    EXPECT_TRUE(window()->BBBUPSTART->isEnabled());
    EXPECT_TRUE(main()->settingsTab()->BBAGGIORNA->isEnabled());
}

// A minimised window is not closed: the check and the download go on and end as usual.
TEST_F(Update, MinimisingDuringARequestLetsItGoOn)
{
    const std::string body = package(1000);
    startProgram();
    for (const bool download : {false, true}) {
        SCOPED_TRACE(download ? "the download" : "the check");
        fs::remove(programDir / "update.zip");
        HeldAnswer held;
        HttpTestServer::Answer versionAnswer{.body = versionFile("update.zip", "4.4.1")};
        HttpTestServer::Answer packageAnswer{.body = body, .contentType = "application/zip"};
        server.on("/agg/Zenfo2VER.txt",
                  download ? HttpTestServer::Handler([versionAnswer](const auto&) { return versionAnswer; })
                           : held.handler(versionAnswer));
        server.on("/agg/update.zip", held.handler(packageAnswer));
        QStringList shownLog;
        QString shownCaption;
        int shownState = -1;
        bool minimised = false, restored = false;
        openAnd([&] {
            if (download)
                press();
            whenTrue([&] { return held.arrived(); },
                     [&] {
                         minimised = minimiseAsTheUserDoes(window());
                         held.release();
                     });
            press();
            shownLog = log();
            shownCaption = caption();
            shownState = windows->updater->state();
            restored = restoreAsTheUserDoes(window());
        });
        EXPECT_TRUE(minimised);
        EXPECT_TRUE(restored);
        if (download) {
            EXPECT_EQ(shownLog,
                      (QStringList{QString::fromStdString(
                                       "Aggiornamento salvato nel file: " + programDir.string() + "/update.zip"),
                                   "Unzippare il file nella dir. stessa, sovrascrivendo il file presente."}));
            EXPECT_EQ(shownCaption, "Fine");
            EXPECT_EQ(shownState, 1);
            EXPECT_EQ(folder.read("programma/update.zip"), body);
        } else {
            EXPECT_EQ(shownLog, offerLines("4.4.1", "Premi il pulsante per scaricare la versione nuova"));
            EXPECT_EQ(shownCaption, "Scarica aggiornamento");
            EXPECT_EQ(shownState, 2);
        }
    }
}

// The update site turned hostile: each answer ends in its log line, nothing is written outside the
// program's folders, and the window goes on answering.
TEST_F(Update, AHostileUpdateSiteWritesNothingAndTheWindowGoesOn)
{
    const struct
    {
        const char* name;
        std::string versionFileBody;
        QString lastLine;
    } rows[] = {
        {"a version file of 1 MB", versionFile("update.zip", "4.4.1") + std::string(1 << 20, 'v'),
         QString::fromUtf8("Sito non risponde. Riprovare più tardi.")},
        {"a package name that climbs out", versionFile("../../x", "4.4.1"), "File non trovato sul sito."},
        {"a package name with a NUL byte", versionFile(std::string("up\0date.zip", 11), "4.4.1"),
         "File non trovato sul sito."},
    };
    startProgram();
    servePackage("x", "climbed");
    const auto listing = [](const fs::path& dir) {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            names.push_back(e.path().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const auto before = listing(folder.path());
    for (const auto& row : rows) {
        HttpTestServer::Answer a;
        a.body = row.versionFileBody;
        a.contentType = "text/plain";
        server.on("/agg/Zenfo2VER.txt", a);
        QStringList shown;
        openAnd([&] {
            press();
            if (caption() == "Scarica aggiornamento")
                press();
            shown = log();
        });
        ASSERT_FALSE(shown.isEmpty()) << row.name;
        EXPECT_EQ(shown.last(), row.lastLine) << row.name;
        EXPECT_EQ(requestsTo("/agg/x") + requestsTo("/x") + requestsTo("/"), 0) << row.name;
        EXPECT_EQ(listing(folder.path()), before) << row.name;
    }
    EXPECT_FALSE(fs::exists(folder.path().parent_path() / "x"));
}

TEST_F(Update, EnterPressesTheButtonAndEscapeIsTheCloseBox)
{
    offer("4.4.1");
    startProgram();
    servePackage("update.zip", package(100));
    int stateAfterEnter = -1, stateAfterSecondEnter = -1;
    bool closedByEscape = false;
    openAnd([&] {
        typeKey(window(), Qt::Key_Return);
        stateAfterEnter = windows->updater->state();
        // The download writes a file: it waits for a click of its own.
        typeKey(window(), Qt::Key_Return);
        stateAfterSecondEnter = windows->updater->state();
        typeKey(window(), Qt::Key_Escape);
        closedByEscape = !window()->isVisible();
    });
    EXPECT_EQ(stateAfterEnter, 2);
    EXPECT_EQ(stateAfterSecondEnter, 2);
    EXPECT_FALSE(fs::exists(programDir / "update.zip"));
    EXPECT_TRUE(closedByEscape);
    EXPECT_EQ(windows->updater->state(), 0);
    EXPECT_EQ(caption(), "Controlla");
}
