// Servers the program does not control: each row answers one request of the lookup badly, through
// the real client and the real caller. The program logs the failure, stays usable, and writes
// nothing but its own files.
#include "support/lookup_fixture.h"
#include "support/recording_screen.h"
#include "support/test_pictures.h"

#include "lookup/film_page.h"
#include "lookup/filmup_source.h"
#include "lookup/lookup_flow.h"
#include "lookup/tmdb_source.h"
#include "lookup/wikidata_source.h"
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

namespace {

// The JSON sources through the flow: a good site whose one answer of the row is bad.
struct JsonRow
{
    const char* name;
    const char* source; // "TMDb" or "Wikipedia"
    bool filmStep;      // the film's answer, else the search's
    std::function<Answer(const std::string& base)> answer;
    std::vector<std::string> expected; // in order, other lines between
};

bool inOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected)
{
    auto at = lines.begin();
    for (const std::string& e : expected) {
        at = std::find(at, lines.end(), e);
        if (at == lines.end())
            return false;
        ++at;
    }
    return true;
}

Answer jsonAnswer(std::string text)
{
    return body(std::move(text), "application/json");
}

} // namespace

TEST(HostileJsonServer, EveryBadAnswerIsLoggedAndTheLookupGoesOn)
{
    HttpTestServer server;
    http::Client client;
    http::Limits limits;
    limits.lowSpeedSeconds = 2;
    client.setLimits(limits);
    RecordingScreen screen;
    lookup::Network net{[&](const std::string& url, const http::Request& r) { return client.get(url, r); },
                        [&] { return client.busy(); }, [&] { client.cancel(); }};
    const std::string host = "127.0.0.1:" + std::to_string(server.port());
    const std::string noAnswer = host + " non risponde !";

    lookup::TmdbSource::Setup ts;
    ts.key = "chiave-segreta";
    ts.programVersion = "4.4.0";
    ts.apiBase = server.baseUrl();
    ts.pictureBase = server.baseUrl() + "/t/p";
    lookup::TmdbSource tmdb(ts, net.get);
    lookup::WikidataSource::Setup ws;
    ws.programVersion = "4.4.0";
    ws.wikidataBase = ws.wikipediaBase = ws.commonsBase = server.baseUrl();
    lookup::WikidataSource wikipedia(ws, net.get);

    const std::string tmdbFilm =
        R"({"title":"Uno","runtime":90,"poster_path":"/p.jpg","credits":{"cast":[{"name":"A","order":0}]}})";
    const std::string wdItem =
        R"({"entities":{"Q7":{"labels":{"it":{"value":"Uno"}},"claims":{"P31":[{"mainsnak":{"datavalue":{"value":{"id":"Q11424"}}}}]}}}})";
    const auto serveGood = [&] {
        server.on("/3/search/movie",
                  jsonAnswer(R"({"results":[{"id":7,"title":"Uno","release_date":"2001-01-01"}]})"));
        server.on("/3/movie/7", jsonAnswer(tmdbFilm));
        server.on("/t/p/w185/p.jpg", body(makeJpeg(40, 60), "image/jpeg"));
        server.on("/t/p/w500/p.jpg", body(makeJpeg(80, 120), "image/jpeg"));
        server.on("/w/api.php", [&](const HttpTestServer::Request& r) {
            const auto action = r.params.find("action");
            if (action != r.params.end() && action->second == "wbsearchentities")
                return jsonAnswer(R"({"search":[{"id":"Q7"}]})");
            return jsonAnswer(wdItem);
        });
    };
    std::string fiftyMegabytes = "[";
    fiftyMegabytes.reserve(50u << 20);
    while (fiftyMegabytes.size() < (50u << 20))
        fiftyMegabytes += "1,";
    fiftyMegabytes += "1]";
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const std::vector<std::string> searchFailed{noAnswer};
    const std::vector<std::string> noResult{"Analizzo pagina dei risultati della ricerca...",
                                            "Nessuna occorrenza trovata per il titolo dato"};
    const std::vector<std::string> filmFailed{"ERR: Scheda film non ricevuta",
                                              "Scheda film non ricevuta dal web"};
    const std::vector<std::string> notFilm{"Dati della scheda in formato non compatibile"};

    std::vector<JsonRow> rows;
    for (const char* source : {"TMDb", "Wikipedia"}) {
        rows.push_back({"truncated JSON", source, false,
                        [](auto&) { return jsonAnswer(R"({"results":[{"id":7,"tit)"); }, noResult});
        rows.push_back({"a 50 MB JSON array", source, false,
                        [&](auto&) { return jsonAnswer(fiftyMegabytes); }, searchFailed});
        rows.push_back(
            {"nesting 100,000 deep", source, false, [&](auto&) { return jsonAnswer(deep); }, noResult});
        rows.push_back({"wrong types", source, false,
                        [](auto&) { return jsonAnswer(R"({"results":"x","search":{"id":7}})"); }, noResult});
        rows.push_back(
            {"429 Too Many Requests", source, false, [](auto&) { return status(429); }, searchFailed});
        rows.push_back({"a redirect loop", source, false,
                        [](auto&) { return HttpTestServer::redirect("/loop"); }, searchFailed});
    }
    rows.push_back({"truncated film", "TMDb", true,
                    [](auto&) { return jsonAnswer(R"({"title":"Uno","credits":{"cast":[)"); }, notFilm});
    rows.push_back(
        {"a 50 MB film", "TMDb", true, [&](auto&) { return jsonAnswer(fiftyMegabytes); }, filmFailed});
    rows.push_back(
        {"a film nested 100,000 deep", "TMDb", true, [&](auto&) { return jsonAnswer(deep); }, notFilm});
    rows.push_back(
        {"a film of wrong types",
         "TMDb",
         true,
         [](auto&) {
             return jsonAnswer(R"({"title":5,"genres":"x","credits":[],"runtime":"90","poster_path":7})");
         },
         {"URL locandina e copertina NON trovata.", "Estraggo dati dalla scheda film...", "Terminato !"}});
    rows.push_back({"a film answered 429", "TMDb", true, [](auto&) { return status(429); }, filmFailed});
    rows.push_back({"a film in a redirect loop", "TMDb", true,
                    [](auto& base) { return HttpTestServer::redirect(base + "/3/movie/7"); }, filmFailed});

    for (const JsonRow& row : rows) {
        SCOPED_TRACE(std::string(row.source) + ": " + row.name);
        serveGood();
        const bool isTmdb = std::string(row.source) == "TMDb";
        server.on("/loop", HttpTestServer::redirect("/loop"));
        if (row.filmStep)
            server.on("/3/movie/7", row.answer(server.baseUrl()));
        else if (isTmdb)
            server.on("/3/search/movie", row.answer(server.baseUrl()));
        else
            server.on("/w/api.php", row.answer(server.baseUrl()));
        lookup::Source& source = isTmdb ? static_cast<lookup::Source&>(tmdb) : wikipedia;
        lookup::LookupFlow flow(net, screen, source);
        QElapsedTimer clock;
        clock.start();
        flow.search("UNO", false, "10");
        EXPECT_TRUE(inOrder(screen.logLines, row.expected)) << [&] {
            std::string all;
            for (const auto& l : screen.logLines)
                all += l + "\n";
            return all;
        }();
        EXPECT_LT(clock.elapsed(), 20000);
        EXPECT_FALSE(client.busy());
        for (const std::string& line : screen.logLines)
            EXPECT_EQ(line.find("chiave-segreta"), std::string::npos) << line;
    }

    // The site answers well again.
    serveGood();
    lookup::LookupFlow flow(net, screen, tmdb);
    flow.search("UNO", false, "10");
    EXPECT_EQ(screen.logLines.back(), "Terminato !");
    EXPECT_EQ(screen.film.titolo, "Uno");
}
