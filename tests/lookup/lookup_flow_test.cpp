// The lookup flow on a recording screen, through the real HTTP client to a server on loopback:
// the same steps for every source, FilmUP's log lines as ever.
#include "lookup/filmup_source.h"
#include "lookup/lookup_flow.h"
#include "lookup/tmdb_source.h"
#include "lookup/wikidata_source.h"

#include "image/jpeg_codec.h"
#include "platform/http_client.h"
#include "ui/picture_convert.h"
#include "support/filmup_pages.h"
#include "support/http_test_server.h"
#include "support/recording_screen.h"
#include "support/test_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QTimer>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <functional>

using Answer = HttpTestServer::Answer;
using nlohmann::json;

namespace {

std::string png(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

class LookupFlowTest : public ::testing::Test
{
protected:
    HttpTestServer server;
    http::Client client;
    RecordingScreen screen;
    LookupSession session;
    lookup::Network net{[this](const std::string& url, const http::Request& r) { return client.get(url, r); },
                        [this] { return client.busy(); }, [this] { client.cancel(); },
                        [](std::string bytes) { return picture::asJpeg(std::move(bytes)); }};
    lookup::FilmUpSource filmup{session, net.get};

    LookupFlowTest() { qputenv("PELLICORIO_FILMUP_URL", QByteArray::fromStdString(server.baseUrl())); }
    ~LookupFlowTest() override { qunsetenv("PELLICORIO_FILMUP_URL"); }

    std::string host() const { return "127.0.0.1:" + std::to_string(server.port()); }

    lookup::TmdbSource tmdb(const std::string& key)
    {
        lookup::TmdbSource::Setup s;
        s.key = key;
        s.programVersion = "4.4.0";
        s.apiBase = server.baseUrl();
        s.pictureBase = server.baseUrl() + "/t/p";
        return lookup::TmdbSource(s, net.get);
    }

    void serveTmdb()
    {
        const json results = {
            {"results",
             {{{"id", 42}, {"title", "La vita \u00e8 bella"}, {"release_date", "1997-12-20"}},
              {{"id", 43}, {"title", "La vita \u00e8 bella"}, {"release_date", "1943-05-01"}}}}};
        server.on("/3/search/movie", Answer{.body = results.dump(), .contentType = "application/json"});
        const json film = {{"title", "La vita \u00e8 bella"},
                           {"original_title", "La vita \u00e8 bella"},
                           {"genres", {{{"name", "Commedia"}}}},
                           {"production_countries", {{{"iso_3166_1", "IT"}}}},
                           {"release_date", "1997-12-20"},
                           {"runtime", 116},
                           {"overview", "Guido."},
                           {"poster_path", "/vita.jpg"},
                           {"credits",
                            {{"cast", {{{"name", "Roberto Benigni"}, {"order", 0}}}},
                             {"crew", {{{"name", "Roberto Benigni"}, {"job", "Director"}}}}}}};
        server.on("/3/movie/42", Answer{.body = film.dump(), .contentType = "application/json"});
        server.on("/t/p/w185/vita.jpg", Answer{.body = makeJpeg(37, 55), .contentType = "image/jpeg"});
        server.on("/t/p/w500/vita.jpg", Answer{.body = makeJpeg(100, 150), .contentType = "image/jpeg"});
    }
};

} // namespace

TEST_F(LookupFlowTest, OpenPreparesTheWindowForTheFile)
{
    lookup::LookupFlow flow(net, screen, filmup);
    screen.logLines = {"old"};
    screen.accept = true;
    flow.open("Il nome della rosa - CD1.avi");
    EXPECT_EQ(screen.calls, (std::vector<std::string>{"clearFields", "clearLists",
                                                      "search text IL NOME DELLA ROSA", "show"}));
    EXPECT_TRUE(screen.logLines.empty());
    EXPECT_FALSE(screen.accept);
}

TEST_F(LookupFlowTest, FilmUpWithOneResultLogsEveryStepAsEver)
{
    const std::string base = server.baseUrl();
    server.on("/cgi-bin/search.cgi",
              Answer{.body = filmuppages::resultsPage(base, {{"rosa", "Il nome della rosa"}})});
    server.on("/sc_rosa.htm",
              Answer{.body = filmuppages::filmPage("Il nome della rosa", "\r\n", "locand/rosa.jpg")});
    const std::string jpeg = makeJpeg(40, 60);
    server.on("/locand/rosa.jpg", Answer{.body = jpeg, .contentType = "image/jpeg"});
    server.on("/posters/loc/500/rosa.jpg", Answer{.body = jpeg, .contentType = "image/jpeg"});
    lookup::LookupFlow flow(net, screen, filmup);
    flow.search("IL NOME DELLA ROSA", false, "10");

    const std::string page = filmuppages::filmPage("Il nome della rosa", "\r\n", "locand/rosa.jpg");
    const std::string bytes = std::to_string(jpeg.size());
    EXPECT_EQ(screen.logLines, (std::vector<std::string>{
                                   "Eseguo ricerca del DataBase di FilmUP...",
                                   "Analizzo pagina dei risultati della ricerca...",
                                   "Trovata 1 scheda film.",
                                   "Richiedo scheda film...",
                                   "Scheda film ricevuta. ( " + std::to_string(page.size()) + " bytes)",
                                   "Analizzo scheda film...",
                                   "Chiedo Locandina.",
                                   "Locandina ricevuta.( " + bytes + " bytes)",
                                   "Chiedo Copertina.",
                                   "Copertina ricevuta.( " + bytes + " bytes)",
                                   "Estraggo dati dalla scheda film...",
                                   "Terminato !",
                               }));
    EXPECT_EQ(screen.film.titolo, "Il nome della rosa");
    EXPECT_EQ(screen.poster, jpeg);
    EXPECT_EQ(screen.cover, jpeg);
    EXPECT_TRUE(screen.accept && screen.led && screen.posterReceived && screen.coverReceived);
    // The browser-like request of every FilmUP GET.
    for (const auto& r : server.requests()) {
        EXPECT_EQ(r.header("User-Agent"), "Mozilla/3.0 IE9") << r.target;
        EXPECT_EQ(r.header("Accept"), "text/html, */*") << r.target;
    }
    EXPECT_EQ(
        server.requests().front().target,
        "/cgi-bin/"
        "search.cgi?ps=10&fmt=long&q=IL+NOME+DELLA+ROSA&ul=%25%2Fsc_%25&x=&y=&m=all&wf=0020&wm=wrd&sy=0");
}

TEST_F(LookupFlowTest, FilmUpThatDoesNotAnswerPointsToTheOtherSources)
{
    server.on("/cgi-bin/search.cgi", Answer{.status = 500});
    lookup::LookupFlow flow(net, screen, filmup);
    flow.search("MATRIX", true, "20");
    EXPECT_EQ(screen.logLines,
              (std::vector<std::string>{
                  "Eseguo ricerca del DataBase di FilmUP...", host() + " non risponde !",
                  "Il sito FilmUP potrebbe non esistere pi\xF9: scegliere TMDb o Wikipedia in "
                  "\"Fonte dati\"."}));
    EXPECT_FALSE(screen.accept);
}

TEST_F(LookupFlowTest, FilmUpPageFailuresAndMissingPictures)
{
    const std::string base = server.baseUrl();
    server.on("/cgi-bin/search.cgi", Answer{.body = filmuppages::resultsPage(
                                                base, {{"a", "Primo"}, {"b", "Secondo"}, {"c", "Terzo"}})});
    server.on("/sc_b.htm", Answer{.body = "<html>niente</html>"});
    lookup::LookupFlow flow(net, screen, filmup);
    screen.onChooser = [&] {
        flow.choiceChanged(2);
        flow.choose(0); // /sc_a.htm is missing
        flow.choose(1);
    };
    flow.search("X", false, "10");
    EXPECT_EQ(screen.chooserTitles, (std::vector<std::string>{"Primo", "Secondo", "Terzo"}));
    EXPECT_EQ(screen.logLines, (std::vector<std::string>{
                                   "Eseguo ricerca del DataBase di FilmUP...",
                                   "Analizzo pagina dei risultati della ricerca...",
                                   "Trovate 3 schede film. Attesa scelta utente...",
                                   "Titolo selezionato :  Primo",
                                   "Richiedo scheda film...",
                                   "ERR: Scheda film non ricevuta",
                                   "Scheda film non ricevuta dal web",
                                   "Titolo selezionato :  Secondo",
                                   "Richiedo scheda film...",
                                   "Scheda film ricevuta. ( 19 bytes)",
                                   "Analizzo scheda film...",
                                   "URL locandina e copertina NON trovata.",
                                   "Dati della scheda in formato non compatibile",
                               }));
    EXPECT_EQ(screen.calls, (std::vector<std::string>{"clearLists", "chooser Primo", "choice Terzo",
                                                      "close chooser", "close chooser"}));
    EXPECT_FALSE(screen.accept);
}

TEST_F(LookupFlowTest, ChooserGivenUpLogsTheAbort)
{
    server.on("/cgi-bin/search.cgi",
              Answer{.body = filmuppages::resultsPage(server.baseUrl(), {{"a", "Primo"}, {"b", "Secondo"}})});
    lookup::LookupFlow flow(net, screen, filmup);
    screen.onChooser = [&] { flow.cancelChoice(); };
    flow.search("X", false, "10");
    EXPECT_EQ(screen.logLines.back(), "Abort utente");
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(LookupFlowTest, AWindowClosedDuringTheSearchEndsIt)
{
    server.on("/cgi-bin/search.cgi", Answer{.body = "late", .delay = std::chrono::seconds(20)});
    lookup::LookupFlow flow(net, screen, filmup);
    // Runs inside the request's event loop, as a close box would.
    QTimer::singleShot(0, [&] { flow.abort(); });
    flow.search("X", false, "10");
    EXPECT_EQ(screen.logLines[1], host() + " non risponde !");
    EXPECT_FALSE(flow.searching());
    EXPECT_FALSE(client.busy());
}

TEST_F(LookupFlowTest, TmdbSearchChoiceFilmAndPictures)
{
    serveTmdb();
    auto source = tmdb("k3y");
    lookup::LookupFlow flow(net, screen, filmup);
    flow.setSource(source);
    screen.onChooser = [&] { flow.choose(0); };
    flow.search("LA VITA \xE8 BELLA (1997)", true, "50");

    EXPECT_EQ(screen.chooserTitles,
              (std::vector<std::string>{"La vita \xE8 bella (1997)", "La vita \xE8 bella (1943)"}));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    const auto& search = requests[0];
    EXPECT_EQ(search.path, "/3/search/movie");
    EXPECT_EQ(search.target,
              "/3/search/movie?query=LA%20VITA%20%C3%A8%20BELLA&language=it-IT&year=1997&api_key=k3y");
    EXPECT_EQ(search.params.find("query")->second, "LA VITA \u00e8 BELLA");
    EXPECT_EQ(search.params.find("year")->second, "1997");
    EXPECT_EQ(search.header("User-Agent").rfind("Pellicorio/4.4.0 ", 0), 0u);
    EXPECT_EQ(search.header("Accept"), "application/json");
    EXPECT_EQ(search.header("Authorization"), "");
    EXPECT_EQ(requests[1].target,
              "/3/movie/42?language=it-IT&append_to_response=credits,release_dates&api_key=k3y");
    EXPECT_EQ(requests[2].path, "/t/p/w185/vita.jpg");
    EXPECT_EQ(requests[3].path, "/t/p/w500/vita.jpg");

    EXPECT_EQ(screen.logLines.front(), "Eseguo ricerca del DataBase di TMDb...");
    EXPECT_EQ(screen.logLines.back(), "Terminato !");
    for (const std::string& line : screen.logLines)
        EXPECT_EQ(line.find("k3y"), std::string::npos) << line;
    EXPECT_EQ(screen.film.titolo, "La vita \xE8 bella");
    EXPECT_EQ(screen.film.durata, "116'");
    EXPECT_EQ(screen.film.nazione, "Italia");
    EXPECT_EQ(screen.poster, makeJpeg(37, 55));
    EXPECT_EQ(screen.cover, makeJpeg(100, 150));
    EXPECT_TRUE(screen.accept && screen.led && screen.posterReceived && screen.coverReceived);
}

TEST_F(LookupFlowTest, TmdbTokenGoesAsBearerAndNeverIntoTheLog)
{
    serveTmdb();
    server.on("/3/search/movie", Answer{.status = 401, .body = "{\"status_message\":\"Invalid API key\"}"});
    auto source = tmdb("eyJhbGciOi.J9.abc");
    lookup::LookupFlow flow(net, screen, source);
    flow.search("MATRIX 1999", false, "10");
    const auto r = server.lastRequest();
    EXPECT_EQ(r.header("Authorization"), "Bearer eyJhbGciOi.J9.abc");
    EXPECT_EQ(r.target, "/3/search/movie?query=MATRIX&language=it-IT&year=1999");
    EXPECT_EQ(screen.logLines, (std::vector<std::string>{"Eseguo ricerca del DataBase di TMDb...",
                                                         host() + " non risponde !"}));
}

TEST_F(LookupFlowTest, TmdbWithoutAKeyAsksNothingOfTheNetwork)
{
    auto source = tmdb("");
    lookup::LookupFlow flow(net, screen, source);
    flow.search("MATRIX", false, "10");
    EXPECT_TRUE(server.requests().empty());
    ASSERT_FALSE(screen.logLines.empty());
    EXPECT_NE(screen.logLines.back().find("Chiave API TMDb"), std::string::npos);
    EXPECT_NE(screen.logLines.back().find("Stat + Conf"), std::string::npos);
    // A key saved afterwards is the next search's; blanks and line ends around it go.
    serveTmdb();
    source.setKey(" k3y\r\n");
    flow.search("MATRIX", false, "10");
    EXPECT_EQ(server.lastRequest().params.find("api_key")->second, "k3y");
}

TEST_F(LookupFlowTest, TmdbAddressesComeFromTheEnvironment)
{
    qputenv("PELLICORIO_TMDB_URL", "http://127.0.0.1:9/");
    qputenv("PELLICORIO_TMDB_IMAGE_URL", "http://127.0.0.1:9/img");
    EXPECT_EQ(lookup::TmdbSource::DefaultApiBase(), "http://127.0.0.1:9");
    EXPECT_EQ(lookup::TmdbSource::DefaultPictureBase(), "http://127.0.0.1:9/img");
    qunsetenv("PELLICORIO_TMDB_URL");
    qunsetenv("PELLICORIO_TMDB_IMAGE_URL");
    EXPECT_EQ(lookup::TmdbSource::DefaultApiBase(), "https://api.themoviedb.org");
    EXPECT_EQ(lookup::TmdbSource::DefaultPictureBase(), "https://image.tmdb.org/t/p");
    EXPECT_EQ(lookup::WikidataSource::DefaultWikidataBase(), "https://www.wikidata.org");
    EXPECT_EQ(lookup::WikidataSource::DefaultWikipediaBase(), "https://it.wikipedia.org");
    EXPECT_EQ(lookup::WikidataSource::DefaultCommonsBase(), "https://commons.wikimedia.org");
}

TEST_F(LookupFlowTest, WikipediaOneFilmStraightToItsDataWithAPngPoster)
{
    const json search = {{"search", {{{"id", "Q220910"}}, {{"id", "Q5"}}}}};
    const json item = {
        {"labels", {{"it", {{"value", "La vita \u00e8 bella"}}}}},
        {"sitelinks", {{"itwiki", {{"title", "La vita \u00e8 bella (film 1997)"}}}}},
        {"claims",
         {{"P31", {{{"mainsnak", {{"datavalue", {{"value", {{"id", "Q11424"}}}}}}}}}},
          {"P57", {{{"mainsnak", {{"datavalue", {{"value", {{"id", "Q1"}}}}}}}}}},
          {"P3383", {{{"mainsnak", {{"datavalue", {{"value", "Vita.png"}}}}}}}}}},
    };
    const json person = {
        {"claims", {{"P31", {{{"mainsnak", {{"datavalue", {{"value", {{"id", "Q5"}}}}}}}}}}}}};
    server.on("/w/api.php", [&](const HttpTestServer::Request& r) {
        const std::string action = r.params.count("action") ? r.params.find("action")->second : "";
        json body;
        if (action == "wbsearchentities")
            body = search;
        else if (r.params.find("ids")->second == "Q220910|Q5")
            body = {{"entities", {{"Q220910", item}, {"Q5", person}}}};
        else if (r.params.find("ids")->second == "Q220910")
            body = {{"entities", {{"Q220910", item}}}};
        else if (action == "wbgetentities")
            body = {{"entities", {{"Q1", {{"labels", {{"it", {{"value", "Roberto Benigni"}}}}}}}}}};
        else
            body = {{"query", {{"pages", {{{"extract", "Intro.\n== Trama ==\nGuido."}}}}}}};
        return Answer{.body = body.dump(), .contentType = "application/json"};
    });
    // The file's address redirects to the file, as the picture archive does.
    server.on("/wiki/Special:FilePath/Vita.png", HttpTestServer::redirect("/files/vita.png"));
    server.on("/files/vita.png", Answer{.body = png(30, 45), .contentType = "image/png"});
    lookup::WikidataSource::Setup setup;
    setup.programVersion = "4.4.0";
    setup.wikidataBase = setup.wikipediaBase = setup.commonsBase = server.baseUrl();
    lookup::WikidataSource source(setup, net.get);
    lookup::LookupFlow flow(net, screen, filmup);
    flow.setSource(source);
    flow.search("LA VITA \xE8 BELLA", false, "10");

    EXPECT_EQ(screen.logLines.front(), "Eseguo ricerca del DataBase di Wikipedia...");
    EXPECT_EQ(screen.logLines.back(), "Terminato !");
    EXPECT_TRUE(screen.chooserTitles.empty());
    EXPECT_EQ(screen.film.titolo, "La vita \xE8 bella");
    EXPECT_EQ(screen.film.regia, "Roberto Benigni");
    EXPECT_EQ(screen.film.trama, "Guido.");
    const auto requests = server.requests();
    ASSERT_GE(requests.size(), 5u);
    EXPECT_EQ(requests[0].params.find("search")->second, "LA VITA \u00e8 BELLA");
    EXPECT_EQ(requests[0].params.find("language")->second, "it");
    EXPECT_EQ(requests[0].params.find("uselang")->second, "it");
    EXPECT_EQ(requests[4].params.find("titles")->second, "La vita \u00e8 bella (film 1997)");
    for (const auto& r : requests)
        EXPECT_EQ(r.header("User-Agent").rfind("Pellicorio/4.4.0 (", 0), 0u) << r.target;
    // The PNG reached the views as JPEG.
    ASSERT_FALSE(screen.poster.empty());
    const Bitmap shown = jpeg::decode(screen.poster);
    EXPECT_EQ(shown.width(), 30);
    EXPECT_EQ(shown.height(), 45);
    EXPECT_TRUE(screen.posterReceived && screen.coverReceived && screen.led);
}

TEST_F(LookupFlowTest, APictureThatIsNoPictureIsNotReceived)
{
    serveTmdb();
    server.on("/t/p/w185/vita.jpg", Answer{.body = "<html>non trovata</html>", .contentType = "text/html"});
    auto source = tmdb("k");
    lookup::LookupFlow flow(net, screen, source);
    screen.onChooser = [&] { flow.choose(0); };
    flow.search("LA VITA", false, "10");
    const auto& log = screen.logLines;
    EXPECT_NE(std::find(log.begin(), log.end(), "ERR: Locandina NON ricevuta"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "Terminato !"), log.end());
    EXPECT_FALSE(screen.posterReceived);
    EXPECT_TRUE(screen.coverReceived);
}

TEST_F(LookupFlowTest, UntickedPicturesAreNotAsked)
{
    serveTmdb();
    auto source = tmdb("k");
    lookup::LookupFlow flow(net, screen, source);
    screen.pictures = {false, false};
    screen.onChooser = [&] { flow.choose(0); };
    flow.search("LA VITA", false, "10");
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_FALSE(screen.posterReceived || screen.coverReceived || screen.led);
}
