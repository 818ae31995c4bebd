#include "platform/http_client.h"

#include "base/errors.h"
#include "support/http_test_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

using namespace std::chrono_literals;
using Answer = HttpTestServer::Answer;

namespace {

// Every byte value, NUL and the high half included.
std::string allBytes(std::size_t repeat)
{
    std::string s;
    for (std::size_t r = 0; r < repeat; ++r)
        for (int b = 0; b < 256; ++b)
            s += static_cast<char>(b);
    return s;
}

Answer slowAnswer(std::chrono::milliseconds delay)
{
    Answer a;
    a.body = "late";
    a.delay = delay;
    return a;
}

// The message of the UserError that f throws, or nothing when it throws none.
template <class F> std::optional<std::string> failure(F f)
{
    try {
        f();
    } catch (const UserError& e) {
        return e.what();
    }
    return std::nullopt;
}

// The client's signals as lines, in the order they came, while the recorder lives.
struct Recorder
{
    std::vector<std::string> lines;
    std::vector<qint64> work;
    QObject context;

    explicit Recorder(http::Client& c)
    {
        const auto* x = &context;
        QObject::connect(&c, &http::Client::workBegin, x,
                         [this](qint64 n) { add("begin " + std::to_string(n)); });
        QObject::connect(&c, &http::Client::work, x, [this](qint64 n) { work.push_back(n), add("work"); });
        QObject::connect(&c, &http::Client::workEnd, x, [this] { add("end"); });
        QObject::connect(&c, &http::Client::status, x,
                         [this](const QString& s) { add("status " + s.toStdString()); });
        QObject::connect(&c, &http::Client::busyChanged, x, [this](bool b) { add(b ? "busy" : "idle"); });
    }
    void add(const std::string& line)
    {
        // Runs of work reports count as one line; their values are in work.
        if (line == "work" && !lines.empty() && lines.back() == "work")
            return;
        lines.push_back(line);
    }
};

// A TCP port on 127.0.0.1 that nobody listens on.
int closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

class HttpClientTest : public ::testing::Test
{
protected:
    HttpTestServer server;
    http::Client client;

    std::string url(const std::string& path) const { return server.baseUrl() + path; }
};

} // namespace

TEST(RequestUrl, EscapesOnlyHighBytesAndTheFragmentMark)
{
    const struct
    {
        std::string in, out;
    } cases[] = {
        {"http://h/q=AM\xC9LIE", "http://h/q=AM%C9LIE"},
        {"\x80\xFF\xA0", "%80%FF%A0"},
        {"q=L'ULTIMO+BACIO&ul=%25%2Fsc_%25&x=&y=", "q=L'ULTIMO+BACIO&ul=%25%2Fsc_%25&x=&y="},
        {"2001:+ODISSEA a\"b<c>~", "2001:+ODISSEA a\"b<c>~"},
        {"q=%239&m=all", "q=%239&m=all"},
        {"q=#9&m=all", "q=%239&m=all"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(http::requestUrl(c.in), c.out) << c.in;
}

TEST_F(HttpClientTest, TargetGoesOutAsBuiltWithOnlyHighBytesEscaped)
{
    const struct
    {
        std::string path, query, target;
    } cases[] = {
        {"/cgi-bin/search.cgi",
         "?ps=10&fmt=long&q=L'ULTIMO+BACIO&ul=%25%2Fsc_%25&x=&y=&m=all&wf=0020&wm=wrd&sy=0",
         "/cgi-bin/"
         "search.cgi?ps=10&fmt=long&q=L'ULTIMO+BACIO&ul=%25%2Fsc_%25&x=&y=&m=all&wf=0020&wm=wrd&sy=0"},
        {"/cgi-bin/search.cgi", "?q=2001:+ODISSEA&m=any", "/cgi-bin/search.cgi?q=2001:+ODISSEA&m=any"},
        {"/cgi-bin/search.cgi", "?q=AM\xC9LIE+\xE8", "/cgi-bin/search.cgi?q=AM%C9LIE+%E8"},
        {"/locand/am\xE9lie.jpg", "", "/locand/am%E9lie.jpg"},
        {"/sc_a/../sc_b.htm", "", "/sc_a/../sc_b.htm"},
    };
    for (const auto& c : cases) {
        server.on(c.path, Answer{.body = "ok"});
        EXPECT_EQ(client.get(url(c.path + c.query)), "ok") << c.target;
        EXPECT_EQ(server.lastRequest().target, c.target);
    }
}

TEST_F(HttpClientTest, SendsTheBrowserHeadersAndNoOthersThatMatter)
{
    server.on("/", Answer{.body = "x"});
    client.get(url("/"));
    const auto r = server.lastRequest();
    EXPECT_EQ(r.header("User-Agent"), "Mozilla/3.0 IE9");
    EXPECT_EQ(r.header("Accept"), "text/html, */*");
    EXPECT_EQ(r.headers.count("Accept"), 1u);
    EXPECT_EQ(r.header("Authorization"), "");
    EXPECT_EQ(r.header("Cookie"), "");
}

TEST_F(HttpClientTest, CookieSetByOneAnswerGoesBackOnLaterRequests)
{
    server.on("/search", Answer{.body = "a", .headers = {{"Set-Cookie", "sid=abc123; Path=/"}}});
    server.on("/page", Answer{.body = "b"});
    client.get(url("/search"));
    client.get(url("/page"));
    EXPECT_EQ(server.lastRequest().header("Cookie"), "sid=abc123");
    client.get(url("/page"));
    EXPECT_EQ(server.lastRequest().header("Cookie"), "sid=abc123");
}

TEST_F(HttpClientTest, BodyArrivesByteForByte)
{
    const std::string body = allBytes(40);
    server.on("/plain", Answer{.body = body, .contentType = "image/jpeg"});
    server.on("/chunked", Answer{.body = body, .chunkSize = 1000});
    server.on("/empty", Answer{});
    EXPECT_EQ(client.get(url("/plain")), body);
    EXPECT_EQ(client.get(url("/chunked")), body);
    EXPECT_EQ(client.get(url("/empty")), "");
}

TEST_F(HttpClientTest, FollowsRedirectsOnTheSameServer)
{
    server.on("/old", HttpTestServer::redirect("/new"));
    server.on("/moved", HttpTestServer::redirect(url("/new")));
    server.on("/new", Answer{.body = "here"});
    EXPECT_EQ(client.get(url("/old")), "here");
    EXPECT_EQ(client.get(url("/moved")), "here");
    EXPECT_EQ(server.lastRequest().path, "/new");
}

TEST_F(HttpClientTest, BodyUpToTheCapIsAccepted)
{
    http::Limits limits;
    limits.maxBodyBytes = 5000;
    client.setLimits(limits);
    server.on("/plain", Answer{.body = std::string(5000, 'x')});
    server.on("/chunked", Answer{.body = std::string(5000, 'y'), .chunkSize = 700});
    EXPECT_EQ(client.get(url("/plain")).size(), 5000u);
    EXPECT_EQ(client.get(url("/chunked")).size(), 5000u);
}

TEST_F(HttpClientTest, FailuresThrowWithTheirText)
{
    const std::string big(5001, 'x');
    Answer cut{.body = std::string(4000, 'c')};
    cut.cutAfter = 1000;
    const struct
    {
        const char* name;
        Answer answer;
        std::string text;
    } cases[] = {
        {"not found", Answer{.status = 404, .body = "nope"}, "Errore HTTP 404"},
        {"server error", Answer{.status = 500, .body = "boom"}, "Errore HTTP 500"},
        {"announced body over the cap", Answer{.body = big}, "Risposta troppo grande (oltre 5000 byte)"},
        {"chunked body over the cap", Answer{.body = big, .chunkSize = 1000},
         "Risposta troppo grande (oltre 5000 byte)"},
        {"body cut short", cut, "Risposta incompleta da 127.0.0.1"},
        {"redirect to ftp", HttpTestServer::redirect("ftp://127.0.0.1:1/film.txt"),
         "Indirizzo non ammesso (solo http e https)"},
        {"redirect to a file", HttpTestServer::redirect("file:///etc/passwd"),
         "Indirizzo non ammesso (solo http e https)"},
        {"redirect loop", HttpTestServer::redirect("/x"), "Troppi reindirizzamenti"},
        {"stalled answer", slowAnswer(3s), "Trasferimento troppo lento, interrotto"},
    };
    http::Limits limits;
    limits.maxBodyBytes = 5000;
    limits.lowSpeedBytes = 100;
    limits.lowSpeedSeconds = 1;
    client.setLimits(limits);
    for (const auto& c : cases) {
        server.on("/x", c.answer);
        std::string body;
        EXPECT_EQ(failure([&] { body = client.get(url("/x")); }), c.text) << c.name;
        EXPECT_FALSE(client.busy()) << c.name;
    }
}

TEST_F(HttpClientTest, RedirectsStopAtTheLimit)
{
    server.on("/loop", HttpTestServer::redirect("/loop"));
    http::Limits limits;
    limits.maxRedirects = 3;
    client.setLimits(limits);
    EXPECT_EQ(failure([&] { client.get(url("/loop")); }), "Troppi reindirizzamenti");
    EXPECT_EQ(server.requests().size(), 4u);
}

TEST(HttpClient, RefusedConnectionThrows)
{
    http::Client client;
    const int port = closedPort();
    EXPECT_EQ(failure([&] { client.get("http://127.0.0.1:" + std::to_string(port) + "/"); }),
              "Impossibile connettersi a 127.0.0.1");
}

TEST(HttpClient, ConnectTimeOutThrows)
{
    // A listener that never accepts, with its queue already full: the next handshake gets no answer.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    socklen_t len = sizeof a;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        fillers.push_back(fd);
    }
    http::Client client;
    http::Limits limits;
    limits.connectTimeoutSeconds = 1;
    client.setLimits(limits);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(failure([&] { client.get("http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/"); }),
              "Tempo scaduto nella connessione a 127.0.0.1");
    EXPECT_LT(clock.elapsed(), 3000);
    for (const int fd : fillers)
        ::close(fd);
    ::close(listener);
}

TEST_F(HttpClientTest, IgnoresProxyEnvironment)
{
    server.on("/", Answer{.body = "direct"});
    for (const char* name :
         {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"})
        ::setenv(name, "http://127.0.0.1:1", 1);
    ::unsetenv("no_proxy");
    ::unsetenv("NO_PROXY");
    const auto body = failure([&] { EXPECT_EQ(client.get(url("/")), "direct"); });
    for (const char* name :
         {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"})
        ::unsetenv(name);
    EXPECT_EQ(body, std::nullopt);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(HttpClientTest, SignalsFollowTheTransfer)
{
    const std::string body = allBytes(100); // 25600 bytes
    server.on("/sized", Answer{.body = body});
    server.on("/chunked", Answer{.body = body, .chunkSize = 2560, .chunkDelay = 30ms});
    {
        Recorder rec(client);
        client.get(url("/sized"));
        const std::vector<std::string> expected = {"busy",
                                                   "status Risoluzione di 127.0.0.1...",
                                                   "status Connessione a 127.0.0.1...",
                                                   "status Connesso.",
                                                   "status HTTP 200",
                                                   "begin 25600",
                                                   "work",
                                                   "end",
                                                   "status Completato.",
                                                   "idle"};
        EXPECT_EQ(rec.lines, expected);
        EXPECT_EQ(rec.work.back(), 25600);
    }
    {
        Recorder rec(client);
        client.get(url("/chunked"));
        ASSERT_GE(rec.lines.size(), 6u);
        EXPECT_EQ(rec.lines[5], "begin 0");
        EXPECT_GT(rec.work.size(), 2u) << "a slow body is reported as it arrives";
        EXPECT_TRUE(std::is_sorted(rec.work.begin(), rec.work.end()));
        EXPECT_EQ(rec.work.back(), 25600);
        EXPECT_EQ(rec.lines.back(), "idle");
    }
    {
        server.on("/gone", Answer{.status = 404});
        Recorder rec(client);
        EXPECT_TRUE(failure([&] { client.get(url("/gone")); }));
        ASSERT_GE(rec.lines.size(), 3u);
        const std::vector<std::string> tail(rec.lines.end() - 3, rec.lines.end());
        EXPECT_EQ(tail, (std::vector<std::string>{"end", "status Errore", "idle"}));
        EXPECT_NE(std::find(rec.lines.begin(), rec.lines.end(), "status HTTP 404"), rec.lines.end());
    }
}

TEST_F(HttpClientTest, EventLoopRunsDuringASlowAnswer)
{
    server.on("/slow", slowAnswer(1000ms));
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longestGap = 0;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestGap = std::max(longestGap, now - last);
        last = now;
        ++ticks;
    });
    timer.start(20);
    EXPECT_EQ(client.get(url("/slow")), "late");
    EXPECT_GT(ticks, 20);
    EXPECT_LT(longestGap, 200);
}

TEST_F(HttpClientTest, SecondGetWhileBusyThrowsAtOnce)
{
    server.on("/slow", slowAnswer(500ms));
    server.on("/other", Answer{.body = "b"});
    std::optional<std::string> second;
    bool busyThen = false;
    QTimer::singleShot(100, &client, [&] {
        busyThen = client.busy();
        second = failure([&] { client.get(url("/other")); });
    });
    EXPECT_EQ(client.get(url("/slow")), "late");
    EXPECT_TRUE(busyThen);
    EXPECT_EQ(second, "Un'altra richiesta HTTP \xE8 in corso");
    EXPECT_FALSE(client.busy());
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(client.get(url("/other")), "b");
}

TEST_F(HttpClientTest, CancelEndsAPendingAnswerPromptly)
{
    server.on("/slow", slowAnswer(10s));
    Recorder rec(client);
    QTimer::singleShot(200, &client, [&] { client.cancel(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(failure([&] { client.get(url("/slow")); }), "Trasferimento annullato");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(client.busy());
    EXPECT_EQ(rec.lines.back(), "idle");
    client.cancel(); // none running: nothing
    server.on("/slow", Answer{.body = "again"});
    EXPECT_EQ(client.get(url("/slow")), "again");
}

TEST_F(HttpClientTest, ApplicationQuitEndsAPendingGet)
{
    server.on("/slow", slowAnswer(10s));
    std::optional<std::string> result;
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        clock.start();
        result = failure([&] { client.get(url("/slow")); });
    });
    QTimer::singleShot(200, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    EXPECT_EQ(result, "Trasferimento annullato");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(client.busy());
}

TEST(HttpClient, DeletingTheClientDuringAGetEndsIt)
{
    HttpTestServer server;
    server.on("/slow", slowAnswer(10s));
    auto* client = new http::Client;
    bool destroyed = false;
    QObject::connect(client, &QObject::destroyed, [&] { destroyed = true; });
    QTimer::singleShot(200, [&] { delete client; });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(failure([&] { client->get(server.baseUrl() + "/slow"); }), "Trasferimento annullato");
    EXPECT_TRUE(destroyed);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(HttpClientTest, UrlThatCannotGoOutAsBuiltIsRefused)
{
    // After a good GET, so that a refused URL cannot fall back on the last one.
    server.on("/", Answer{.body = "first"});
    server.on("/a b", Answer{.body = "rewritten"});
    ASSERT_EQ(client.get(url("/")), "first");
    for (const std::string& u : {url("/a b"), url("/a\x01"), url("/a") + '\0' + "b", std::string("http://")})
        EXPECT_EQ(failure([&] { client.get(u); }), "URL non valido") << u;
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_FALSE(client.busy());
}

TEST_F(HttpClientTest, ARequestSendsItsOwnHeadersAndTheNextOneTheBrowserHeadersAgain)
{
    server.on("/json", Answer{.body = "{}"});
    http::Request request;
    request.userAgent = "Pellicorio/4.4.0 (catalogo personale di film)";
    request.headers = {"Accept: application/json", "Authorization: Bearer abc.def"};
    EXPECT_EQ(client.get(url("/json"), request), "{}");
    auto r = server.lastRequest();
    EXPECT_EQ(r.header("User-Agent"), request.userAgent);
    EXPECT_EQ(r.header("Accept"), "application/json");
    EXPECT_EQ(r.headers.count("Accept"), 1u);
    EXPECT_EQ(r.header("Authorization"), "Bearer abc.def");

    client.get(url("/json"));
    r = server.lastRequest();
    EXPECT_EQ(r.header("User-Agent"), "Mozilla/3.0 IE9");
    EXPECT_EQ(r.header("Accept"), "text/html, */*");
    EXPECT_EQ(r.header("Authorization"), "");
}

TEST_F(HttpClientTest, ARequestCapsItsOwnBody)
{
    server.on("/big", Answer{.body = std::string(6000, 'x'), .chunkSize = 1000});
    http::Request request;
    request.maxBodyBytes = 5000;
    EXPECT_EQ(failure([&] { client.get(url("/big"), request); }), "Risposta troppo grande (oltre 5000 byte)");
    request.maxBodyBytes = 6000;
    EXPECT_EQ(client.get(url("/big"), request).size(), 6000u);
    // The client's own cap is untouched by a request's.
    EXPECT_EQ(client.get(url("/big")).size(), 6000u);
}
