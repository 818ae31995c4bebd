// Servers the program does not control: each row answers one request of the lookup badly, through
// the real client and the real caller. The program logs the failure, stays usable, and writes
// nothing but its own files.
#include "support/lookup_fixture.h"
#include "support/test_pictures.h"

#include "lookup/film_page.h"
#include "platform/files.h"
#include "platform/http_client.h"
#include "ui/intake_tab.h"
#include "ui/jpeg_view.h"

#include <QElapsedTimer>

#include <map>

namespace fs = std::filesystem;

namespace {

using Answer = HttpTestServer::Answer;

enum class Step { Search, FilmPage, Poster, Cover };

struct Row
{
    const char* name;
    Step step;
    std::function<Answer(const std::string& base)> answer;
    // What the log holds after the row, in order (other lines may stand between).
    QStringList expected;
};

std::map<std::string, std::string> folderContents(const fs::path& folder)
{
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file())
            out[e.path().string()] = files::readWhole(e.path(), 1 << 24);
    return out;
}

Answer body(std::string text, std::string type = "text/html")
{
    Answer a;
    a.body = std::move(text);
    a.contentType = std::move(type);
    return a;
}

Answer status(int code)
{
    Answer a = body("<html>errore</html>");
    a.status = code;
    return a;
}

class HostileServer : public LookupFixture
{
protected:
    bool inOrder(const QStringList& expected) const
    {
        const QStringList lines = log();
        qsizetype at = 0;
        for (const QString& e : expected) {
            at = lines.indexOf(e, at);
            if (at < 0)
                return false;
            ++at;
        }
        return true;
    }
};

} // namespace

TEST_F(HostileServer, EveryBadAnswerIsLoggedAndTheProgramGoesOn)
{
    const std::string film = filmuppages::filmPage("Il nome della rosa", "\n", "locand/rosa.jpg");
    const std::string noAnswer = "127.0.0.1:" + std::to_string(server.port()) + " non risponde !";
    const QString searchFailed = QString::fromStdString(noAnswer);
    const QStringList pageFailed{"ERR: Scheda film non ricevuta", "Scheda film non ricevuta dal web"};
    const QStringList posterFailed{"Chiedo Locandina.", "ERR: Locandina NON ricevuta", "Terminato !"};
    const QStringList coverFailed{"Chiedo Copertina.", "ERR: Copertina NON ricevuta", "Terminato !"};
    const std::string fortyMegabytes = std::string(40u << 20, 'x');
    std::string oneLongLine = std::string(lookup::kDataBlockMarker) + std::string(10u << 20, 'a');

    const Row rows[] = {
        {"status 404", Step::Search, [](auto&) { return status(404); }, {searchFailed}},
        {"status 500", Step::Search, [](auto&) { return status(500); }, {searchFailed}},
        {"a body cut short", Step::Search,
         [](auto&) {
             Answer a = body(std::string(5000, 'x'));
             a.cutAfter = 1000;
             return a;
         },
         {searchFailed}},
        {"a trickle below the low-speed limit", Step::Search,
         [](auto&) {
             Answer a = body(std::string(400, 'x'));
             a.chunkSize = 10;
             a.chunkDelay = std::chrono::milliseconds(1000);
             return a;
         },
         {searchFailed}},
        {"an endless chunked body past the size cap", Step::Search,
         [](auto&) {
             Answer a = body(std::string(1 << 16, 'y'));
             a.chunkSize = 1 << 16;
             a.endless = true;
             return a;
         },
         {searchFailed}},
        {"a page of 40 MB", Step::Search, [&](auto&) { return body(fortyMegabytes); },
         {"Analizzo pagina dei risultati della ricerca...", "Nessuna occorrenza trovata per il titolo dato"}},
        {"a redirect loop", Step::Search, [](auto& base) { return HttpTestServer::redirect(base + "/cgi-bin/search.cgi"); },
         {searchFailed}},
        {"a redirect to a local file", Step::Search, [](auto&) { return HttpTestServer::redirect("file:///etc/passwd"); },
         {searchFailed}},
        {"a redirect to ftp", Step::Search, [](auto&) { return HttpTestServer::redirect("ftp://127.0.0.1/x"); },
         {searchFailed}},
        {"a server that accepts and never answers", Step::Search,
         [](auto&) {
             Answer a = body("");
             a.delay = std::chrono::milliseconds(60000);
             return a;
         },
         {searchFailed}},
        {"a film page that fails", Step::FilmPage, [](auto&) { return status(500); }, pageFailed},
        {"a film page whose block is one 10 MB line", Step::FilmPage, [&](auto&) { return body(oneLongLine); },
         {"Estraggo dati dalla scheda film...", "Terminato !"}},
        {"a film page in an encoding nobody asked for", Step::FilmPage,
         [&](auto&) {
             Answer a = body(std::string("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03", 10) + std::string(50, '\x01'));
             a.headers = {{"Content-Encoding", "gzip"}};
             return a;
         },
         {"Scheda film ricevuta. ( 60 bytes)", "Dati della scheda in formato non compatibile"}},
        {"a poster that is HTML", Step::Poster, [](auto&) { return body("<html><body>404</body></html>"); },
         posterFailed},
        {"a poster announcing 60000 x 60000 pixels", Step::Poster,
         [](auto&) { return body(withAnnouncedSize(makeJpeg(64, 64), 60000, 60000), "image/jpeg"); }, posterFailed},
        {"a cover cut short", Step::Cover,
         [](auto&) {
             Answer a = body(makeJpeg(300, 300), "image/jpeg");
             a.cutAfter = 200;
             return a;
         },
         coverFailed},
    };

    startAndOpen();
    window()->WEBSEARCH->setText("ROSA");
    auto* client = windows->HTTP1.get();
    http::Limits limits;
    // Short, so that a trickle fails soon; long enough that a loaded machine's pauses pass for none.
    limits.lowSpeedSeconds = 5;
    client->setLimits(limits);
    const auto before = folderContents(folder.path());

    for (const Row& row : rows) {
        // A good site, then the one bad answer of the row.
        serveSearch({{"rosa", "Il nome della rosa"}});
        serveFilm("rosa", film);
        serve("/locand/rosa.jpg", makeJpeg(120, 170));
        serve("/posters/loc/500/rosa.jpg", makeJpeg(200, 150));
        const char* path = row.step == Step::Search     ? kSearchPath
                           : row.step == Step::FilmPage ? "/sc_rosa.htm"
                           : row.step == Step::Poster   ? "/locand/rosa.jpg"
                                                        : "/posters/loc/500/rosa.jpg";
        server.on(path, row.answer(server.baseUrl()));
        QElapsedTimer clock;
        clock.start();
        search();
        EXPECT_TRUE(inOrder(row.expected)) << row.name << "\n" << window()->LOG->toPlainText().toStdString();
        EXPECT_LT(clock.elapsed(), 20000) << row.name;
        EXPECT_FALSE(client->busy()) << row.name;
        EXPECT_TRUE(window()->WEBQUERY->isEnabled()) << row.name;
        EXPECT_EQ(folderContents(folder.path()), before) << row.name;
    }

    // A refused port, and the program still reads a good site afterwards.
    std::string deadUrl;
    {
        HttpTestServer gone;
        deadUrl = gone.baseUrl();
    }
    qputenv("PELLICORIO_FILMUP_URL", QByteArray::fromStdString(deadUrl));
    search();
    EXPECT_EQ(log().last(), QString::fromStdString(deadUrl.substr(7) + " non risponde !"));
    qputenv("PELLICORIO_FILMUP_URL", QByteArray::fromStdString(server.baseUrl()));
    serveSearch({{"rosa", "Il nome della rosa"}});
    serveFilm("rosa", film);
    serve("/locand/rosa.jpg", makeJpeg(120, 170));
    serve("/posters/loc/500/rosa.jpg", makeJpeg(200, 150));
    search();
    EXPECT_EQ(log().last(), "Terminato !");
    EXPECT_TRUE(program.intake.draft().posterReceived && program.intake.draft().coverReceived);
    for (const HttpTestServer::Request& r : server.requests())
        EXPECT_EQ(r.header("Accept-Encoding"), "") << r.target;
}

TEST_F(HostileServer, HalfAMillionResultsReachTheChooser)
{
    std::vector<std::pair<std::string, std::string>> films;
    films.reserve(500000);
    for (int i = 0; i < 500000; ++i)
        films.emplace_back(std::to_string(i), "Film " + std::to_string(i));
    serveSearch(films);
    startAndOpen();
    QString label;
    int lines = 0;
    whenVisible(chooser(), [&] {
        label = chooser()->Label3->text();
        lines = chooser()->SQLRESU->count();
        QTest::mouseClick(chooser()->SQLABO, Qt::LeftButton);
    });
    search();
    EXPECT_EQ(label, "500000 risultati");
    EXPECT_EQ(lines, 500000);
    EXPECT_EQ(log().last(), "Abort utente");
}
