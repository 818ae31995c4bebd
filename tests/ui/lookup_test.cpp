#include "support/lookup_fixture.h"
#include "support/modal_windows.h"

#include <QElapsedTimer>

namespace {

class Lookup : public LookupFixture
{
};

// A gap in the event loop this long means it was held: far longer than a loaded machine keeps a
// process waiting, far shorter than the requests the tests hold it with.
constexpr qint64 kBlockedLoop = 1000;

} // namespace

TEST_F(Lookup, OpeningTakesTheSearchTextFromTheSelectedFile)
{
    start();
    main()->show();
    clickPage(1);
    // A line chosen, then unselected with Ctrl: no entry is selected, so a beep and no window.
    auto* list = control<QListWidget>("CheckListBox1");
    const QPoint line = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, line);
    ASSERT_FALSE(list->item(0)->isSelected());
    QTest::mouseClick(control<QPushButton>("Paste"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"beep"}));
    EXPECT_FALSE(window()->isVisible());

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
    window()->WEBTIT->setText("vecchio");
    window()->LOG->appendPlainText("vecchio");
    QTest::mouseClick(control<QPushButton>("Paste"), Qt::LeftButton);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->WEBSEARCH->text(), "IL NOME DELLA ROSA");
    EXPECT_EQ(field("WEBTIT"), "");
    EXPECT_TRUE(window()->LOG->toPlainText().isEmpty());
    EXPECT_FALSE(window()->WEBOK->isEnabled());
    EXPECT_EQ(window()->windowTitle(), QString::fromStdString("Zenfo - Interfaccia DataBase di " + host()));
    EXPECT_EQ(window()->size(), QSize(641, 483));
}

TEST_F(Lookup, OneResultReadsTheFilmPageAtOnce)
{
    serveSearch({{"rosa", "Il nome della rosa"}});
    const std::string page = filmuppages::filmPage("Il nome della rosa");
    serveFilm("rosa", page);
    startAndOpen();
    search();

    EXPECT_EQ(log(), (QStringList{"Eseguo ricerca del DataBase di FilmUP...",
                                  "Analizzo pagina dei risultati della ricerca...", "Trovata 1 scheda film.",
                                  "Richiedo scheda film...",
                                  QString("Scheda film ricevuta. ( %1 bytes)").arg(page.size()),
                                  "Analizzo scheda film...", "URL locandina e copertina NON trovata.",
                                  "Estraggo dati dalla scheda film...", "Terminato !"}));
    EXPECT_FALSE(chooser()->isVisible());
    EXPECT_TRUE(window()->WEBOK->isEnabled());
    EXPECT_EQ(field("WEBTIT"), "Il nome della rosa");

    const std::vector<HttpTestServer::Request> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/cgi-bin/search.cgi?ps=10&fmt=long&q=IL+NOME+DELLA+ROSA&ul=%25%2Fsc_%25&x=&y="
                                  "&m=all&wf=0020&wm=wrd&sy=0");
    for (const HttpTestServer::Request& r : requests) {
        EXPECT_EQ(r.header("User-Agent"), "Mozilla/3.0 IE9");
        EXPECT_EQ(r.header("Accept"), "text/html, */*");
    }
    EXPECT_EQ(requests[0].header("Cookie"), "");
    EXPECT_EQ(requests[1].target, "/sc_rosa.htm");
    EXPECT_EQ(requests[1].header("Cookie"), "sessione=abc123");
}

TEST_F(Lookup, TwoResultsAreChosenInTheChooser)
{
    serveSearch({{"rosa", "Il nome della rosa"}, {"rosa2", "Il nome della rosa (edizione restaurata)"}});
    const std::string page = filmuppages::filmPage("Il nome della rosa (edizione restaurata)");
    serveFilm("rosa2", page);
    startAndOpen();
    // Any word, 20 a page.
    QTest::keyClick(window()->PQWORD, Qt::Key_Down);
    QTest::keyClick(window()->PQNRPP, Qt::Key_Down);

    QStringList shown, shownAfterClick;
    QString label, chosenFirst, chosenThen;
    int selected = -1;
    whenVisible(chooser(), [&] {
        label = chooser()->Label3->text();
        shown = texts(chooser()->SQLRESU);
        selected = chooser()->SQLRESU->currentRow();
        chosenFirst = chooser()->SQLSCELTA->text();
        QListWidget* results = chooser()->SQLRESU;
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, results->visualItemRect(results->item(1)).center());
        chosenThen = chooser()->SQLSCELTA->text();
        QTest::mouseClick(chooser()->SQLOK, Qt::LeftButton);
    });
    search();

    EXPECT_EQ(label, "2 risultati");
    EXPECT_EQ(shown, (QStringList{"Il nome della rosa", "Il nome della rosa (edizione restaurata)"}));
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(chosenFirst, "Il nome della rosa");
    EXPECT_EQ(chosenThen, "Il nome della rosa (edizione restaurata)");
    EXPECT_FALSE(chooser()->isVisible());
    EXPECT_EQ(server.requests().front().target, "/cgi-bin/search.cgi?ps=20&fmt=long&q=IL+NOME+DELLA+ROSA&ul=%25%2Fsc_%25"
                                                "&x=&y=&m=any&wf=0020&wm=wrd&sy=0");
    EXPECT_EQ(server.lastRequest().target, "/sc_rosa2.htm");

    EXPECT_EQ(log(), (QStringList{"Eseguo ricerca del DataBase di FilmUP...",
                                  "Analizzo pagina dei risultati della ricerca...",
                                  "Trovate 2 schede film. Attesa scelta utente...",
                                  "Titolo selezionato :  Il nome della rosa (edizione restaurata)",
                                  "Richiedo scheda film...",
                                  QString("Scheda film ricevuta. ( %1 bytes)").arg(page.size()),
                                  "Analizzo scheda film...", "URL locandina e copertina NON trovata.",
                                  "Estraggo dati dalla scheda film...", "Terminato !"}));
    EXPECT_EQ(field("WEBTIT"), "Il nome della rosa (edizione restaurata)");
    EXPECT_EQ(field("WEBTITOR"), "Der Name der Rose");
    EXPECT_EQ(field("WEBGEN"), "DRAMMATICO");
    EXPECT_EQ(field("WEBNAZ"), "Italia/Francia/Germania");
    EXPECT_EQ(field("WEBANNO"), "1986");
    EXPECT_EQ(field("WEBDURATA"), "130'");
    EXPECT_EQ(field("WEBDATAU"), "17/10/1986");
    EXPECT_EQ(field("WEBATT1"), "Sean Connery - Christian Slater");
    EXPECT_EQ(field("WEBATT2"), "Michael Lonsdale - Ron Perlman");
    EXPECT_EQ(field("WEBREGIA"), "Jean-Jacques Annaud");
    EXPECT_EQ(window()->WEBTRAMA->toPlainText(),
              "Nel 1327 un frate francescano indaga su morti misteriose in un'abbazia.");
    EXPECT_EQ(texts(window()->CLBGEN), (QStringList{"DRAMMATICO", "GIALLO"}));
    EXPECT_EQ(window()->CLBGEN->currentRow(), 0);
    QListWidget* actors = window()->CLBATT;
    EXPECT_EQ(texts(actors), (QStringList{"Sean Connery", "Christian Slater", "Michael Lonsdale", "Ron Perlman",
                                          "F. Murray Abraham"}));
    for (int i = 0; i < actors->count(); ++i)
        EXPECT_EQ(actors->item(i)->checkState(), i < 4 ? Qt::Checked : Qt::Unchecked) << i;
    EXPECT_TRUE(window()->WEBOK->isEnabled());
}

TEST_F(Lookup, GivingUpTheChoiceReadsNoPage)
{
    serveSearch({{"a", "Primo"}, {"b", "Secondo"}, {"c", "Terzo"}});
    startAndOpen();
    whenVisible(chooser(), [&] { QTest::mouseClick(chooser()->SQLABO, Qt::LeftButton); });
    search();
    EXPECT_EQ(log().last(), "Abort utente");
    EXPECT_EQ(log().at(2), "Trovate 3 schede film. Attesa scelta utente...");
    EXPECT_EQ(server.requests().size(), 1u);

    // The close box ends the choice with nothing logged.
    whenVisible(chooser(), [&] { chooser()->close(); });
    search();
    EXPECT_EQ(log().last(), "Trovate 3 schede film. Attesa scelta utente...");
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_FALSE(window()->WEBOK->isEnabled());
}

TEST_F(Lookup, FailuresAreLoggedAndTheWindowStaysUsable)
{
    startAndOpen();
    // The search answered with an error.
    HttpTestServer::Answer broken;
    broken.status = 500;
    broken.body = "errore";
    server.on(kSearchPath, broken);
    search();
    EXPECT_EQ(log(), (QStringList{"Eseguo ricerca del DataBase di FilmUP...",
                                  QString::fromStdString(host() + " non risponde !")}));

    // No result.
    serveSearch({});
    search();
    EXPECT_EQ(log().last(), "Nessuna occorrenza trovata per il titolo dato");

    // The film page answered with an error.
    serveSearch({{"rosa", "Il nome della rosa"}});
    server.on("/sc_rosa.htm", broken);
    search();
    EXPECT_EQ(log().mid(3), (QStringList{"Richiedo scheda film...", "ERR: Scheda film non ricevuta",
                                         "Scheda film non ricevuta dal web"}));

    // A page without the data block leaves the fields as they were.
    window()->WEBTIT->setText("da prima");
    serveFilm("rosa", "<html><body><b>Il nome della rosa</b><br>\nGenere: Giallo<br>\n</body></html>\n");
    search();
    EXPECT_EQ(log().last(), "Dati della scheda in formato non compatibile");
    EXPECT_EQ(field("WEBTIT"), "da prima");
    EXPECT_FALSE(window()->WEBOK->isEnabled());
    EXPECT_TRUE(window()->WEBQUERY->isEnabled());

    // A page with CR LF line ends reads as well.
    serveFilm("rosa", filmuppages::filmPage("Il nome della rosa", "\r\n"));
    search();
    EXPECT_EQ(log().last(), "Terminato !");
    EXPECT_EQ(field("WEBTIT"), "Il nome della rosa");
    EXPECT_EQ(field("WEBREGIA"), "Jean-Jacques Annaud");
}

TEST_F(Lookup, ARefusedConnectionIsLogged)
{
    // A port that nobody listens on: a server taken down.
    std::string deadUrl;
    {
        HttpTestServer gone;
        deadUrl = gone.baseUrl();
    }
    qputenv("PELLICORIO_FILMUP_URL", QByteArray::fromStdString(deadUrl));
    startAndOpen();
    search();
    EXPECT_EQ(log(), (QStringList{"Eseguo ricerca del DataBase di FilmUP...",
                                  QString::fromStdString(deadUrl.substr(7) + " non risponde !")}));
    EXPECT_TRUE(window()->WEBQUERY->isEnabled());
}

TEST_F(Lookup, ASlowAnswerKeepsTheWindowsAliveAndClosingCancelsIt)
{
    HttpTestServer::Answer slow;
    slow.body = filmuppages::resultsPage(server.baseUrl(), {{"rosa", "Il nome della rosa"}});
    slow.delay = std::chrono::milliseconds(20000);
    server.on(kSearchPath, slow);
    startAndOpen();

    GapRecorder gaps(20);
    bool queryDisabled = false, pasteDisabled = false;
    QTimer::singleShot(800, [&] {
        queryDisabled = !window()->WEBQUERY->isEnabled();
        pasteDisabled = !control<QPushButton>("Paste")->isEnabled();
        window()->close();
    });
    search();
    const qint64 waited = gaps.elapsed();
    gaps.stop();

    EXPECT_TRUE(queryDisabled);
    EXPECT_TRUE(pasteDisabled);
    EXPECT_LT(gaps.longestGap(), kBlockedLoop);
    EXPECT_LT(waited, 10000) << "closing the window did not end the request";
    EXPECT_EQ(log().last(), QString::fromStdString(host() + " non risponde !"));
    EXPECT_TRUE(window()->WEBQUERY->isEnabled());
    EXPECT_TRUE(control<QPushButton>("Paste")->isEnabled());
}

TEST_F(Lookup, MinimisingTheWindowLetsTheRequestGoOn)
{
    HttpTestServer::Answer noResults;
    noResults.body = filmuppages::resultsPage(server.baseUrl(), {});
    HeldAnswer held;
    server.on(kSearchPath, held.handler(noResults));
    startAndOpen();
    bool minimised = false;
    whenTrue([&] { return held.arrived(); },
             [&] {
                 minimised = minimiseAsTheUserDoes(window());
                 held.release();
             });
    search();
    EXPECT_TRUE(minimised);
    EXPECT_EQ(log().last(), "Nessuna occorrenza trovata per il titolo dato");
    EXPECT_TRUE(restoreAsTheUserDoes(window()));
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(Lookup, ClosingTheWindowEndsTheWholeLookupNotJustItsRequest)
{
    serveSearch({{"rosa", "Il nome della rosa"}});
    serveFilm("rosa", filmuppages::filmPage("Il nome della rosa", "\n", "locand/rosa.jpg"));
    HttpTestServer::Answer slowPoster;
    slowPoster.body = "poster";
    slowPoster.delay = std::chrono::milliseconds(20000);
    server.on("/locand/rosa.jpg", slowPoster);
    startAndOpen();
    // Closed while the poster is on its way: the film page has been read by then.
    whenTrue([&] { return requestsTo("/locand/rosa.jpg") > 0; }, [&] { window()->close(); });
    QElapsedTimer clock;
    clock.start();
    search();
    EXPECT_LT(clock.elapsed(), 10000);
    // No cover asked for after the close, and no data filled in the closed window.
    EXPECT_EQ(server.lastRequest().target, "/locand/rosa.jpg");
    EXPECT_TRUE(log().contains("ERR: Locandina NON ricevuta"));
    EXPECT_FALSE(log().contains("Chiedo Copertina."));
    EXPECT_EQ(field("WEBTIT"), "");
    EXPECT_FALSE(window()->WEBOK->isEnabled());
    EXPECT_TRUE(control<QPushButton>("Paste")->isEnabled());

    // The next opening searches as usual.
    serveFilm("rosa", filmuppages::filmPage("Il nome della rosa"));
    QTest::mouseClick(control<QPushButton>("Paste"), Qt::LeftButton);
    search();
    EXPECT_EQ(log().last(), "Terminato !");
}

TEST_F(Lookup, QuittingDuringARequestEndsIt)
{
    HttpTestServer::Answer slow;
    slow.body = filmuppages::resultsPage(server.baseUrl(), {});
    slow.delay = std::chrono::milliseconds(20000);
    server.on(kSearchPath, slow);
    startAndOpen();
    dialogs.confirmAnswers = {true};
    QTimer::singleShot(300, [&] { QTest::mouseClick(control<QPushButton>("QUIT"), Qt::LeftButton); });
    QElapsedTimer clock;
    clock.start();
    clickPage(0);
    search();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(main()->isVisible());
    EXPECT_EQ(log().last(), QString::fromStdString(host() + " non risponde !"));
}

TEST_F(Lookup, AnAnswerTrickledOverThreeSecondsLeavesNoGapInTheEventLoop)
{
    HttpTestServer::Answer trickle;
    trickle.body = filmuppages::resultsPage(server.baseUrl(), {});
    trickle.body.resize(3000, ' ');
    trickle.chunkSize = 100;
    trickle.chunkDelay = std::chrono::milliseconds(100);
    server.on(kSearchPath, trickle);
    startAndOpen();

    GapRecorder gaps(10);
    search();
    gaps.stop();
    EXPECT_GE(gaps.elapsed(), 2500);
    EXPECT_GT(gaps.ticks(), 100);
    EXPECT_LT(gaps.longestGap(), kBlockedLoop);
    EXPECT_EQ(log().last(), "Nessuna occorrenza trovata per il titolo dato");
}

// Enter after the search text asks; in the chooser Enter confirms the line chosen with the
// arrow keys, Escape leaves it as the close box does; Escape closes the lookup window.
TEST_F(Lookup, TheKeyboardAsksChoosesAndCloses)
{
    serveSearch({{"rosa", "Il nome della rosa"}, {"rosa2", "Il nome della rosa (edizione restaurata)"}});
    serveFilm("rosa2", filmuppages::filmPage("Il nome della rosa (edizione restaurata)"));
    startAndOpen();
    QLineEdit* words = window()->WEBSEARCH;
    words->clear();
    QTest::keyClicks(words, "il nome della rosa");
    whenVisible(chooser(), [&] {
        QTest::keyClick(chooser()->SQLRESU, Qt::Key_Down);
        typeKey(chooser(), Qt::Key_Return);
    });
    QTest::keyClick(words, Qt::Key_Return);
    EXPECT_FALSE(chooser()->isVisible());
    EXPECT_EQ(server.lastRequest().target, "/sc_rosa2.htm");
    EXPECT_EQ(field("WEBTIT"), "Il nome della rosa (edizione restaurata)");

    whenVisible(chooser(), [&] { typeKey(chooser(), Qt::Key_Escape); });
    QTest::keyClick(words, Qt::Key_Return);
    EXPECT_FALSE(chooser()->isVisible());
    EXPECT_EQ(log().last(), "Trovate 2 schede film. Attesa scelta utente...");
    EXPECT_EQ(server.requests().size(), 3u);

    typeKey(window(), Qt::Key_Escape);
    EXPECT_FALSE(window()->isVisible());
}
