#include "http_client.h"

#include "base/errors.h"
#include "base/text.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <mutex>
#include <system_error>
#include <thread>

namespace http {

std::string requestUrl(std::string_view url)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(url.size());
    for (const char c : url) {
        const auto b = static_cast<unsigned char>(c);
        // A raw "#" would end the request at a fragment the server never sees.
        if (b > 127 || c == '#') {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

const char* const busyText = "Un'altra richiesta HTTP \xE8 in corso";
const char* const cancelText = "Trasferimento annullato";

// What the worker reports to the UI thread, in order.
struct Event
{
    enum Kind { Begin, Work, Status, Done } kind = Done;
    qint64 value = 0;
    QString text;
};

// One GET. The worker owns the fields it writes until it is joined; the event queue is all that
// both threads touch while it runs.
struct Transfer
{
    std::weak_ptr<Transfer> self;
    Client* client = nullptr;
    CURL* easy = nullptr;
    std::size_t maxBody = 0;

    // Worker side.
    std::string body;
    CURLcode result = CURLE_OK;
    bool tooLarge = false;
    bool connected = false;
    long responseCode = 0;
    bool hasLocation = false;
    qint64 contentLength = -1;
    bool begun = false;
    QString lastStatus;
    std::chrono::steady_clock::time_point lastWork{};
    qint64 reportedBytes = -1;

    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::deque<Event> events;
    std::thread worker;

    // UI thread only.
    QEventLoop* loop = nullptr;
    bool done = false;
};

std::string hostOf(const char* url)
{
    std::string host = url ? url : "";
    if (CURLU* u = curl_url()) {
        if (curl_url_set(u, CURLUPART_URL, url, CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK) {
            char* h = nullptr;
            if (curl_url_get(u, CURLUPART_HOST, &h, 0) == CURLUE_OK && h)
                host = h;
            curl_free(h);
        }
        curl_url_cleanup(u);
    }
    return host;
}

std::string currentHost(CURL* easy)
{
    char* url = nullptr;
    curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &url);
    return hostOf(url);
}

QString text(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// Emits what the worker queued, on the UI thread. A slot may delete the client: then stop.
void drain(Client* client, Transfer& t)
{
    QPointer<Client> guard(client);
    for (;;) {
        Event e;
        {
            std::lock_guard lock(t.mutex);
            if (t.events.empty())
                return;
            e = std::move(t.events.front());
            t.events.pop_front();
        }
        switch (e.kind) {
        case Event::Begin:
            emit client->workBegin(e.value);
            break;
        case Event::Work:
            emit client->work(e.value);
            break;
        case Event::Status:
            emit client->status(e.text);
            break;
        case Event::Done:
            t.done = true;
            if (t.loop)
                t.loop->quit();
            break;
        }
        if (!guard)
            return;
    }
}

// Worker thread. Signals go out from the UI thread only, so no slot ever runs beside the worker.
void post(Transfer& t, Event e)
{
    bool wasEmpty;
    {
        std::lock_guard lock(t.mutex);
        wasEmpty = t.events.empty();
        t.events.push_back(std::move(e));
    }
    if (wasEmpty)
        QMetaObject::invokeMethod(
            t.client,
            [client = t.client, weak = t.self] {
                if (auto t = weak.lock())
                    drain(client, *t);
            },
            Qt::QueuedConnection);
}

void postStatus(Transfer& t, const QString& s)
{
    if (s == t.lastStatus)
        return;
    t.lastStatus = s;
    post(t, {Event::Status, 0, s});
}

void postWork(Transfer& t, bool force)
{
    const auto now = std::chrono::steady_clock::now();
    const auto bytes = static_cast<qint64>(t.body.size());
    if (bytes == t.reportedBytes || (!force && now - t.lastWork < std::chrono::milliseconds(50)))
        return;
    t.lastWork = now;
    t.reportedBytes = bytes;
    post(t, {Event::Work, bytes, {}});
}

void postBegin(Transfer& t)
{
    if (t.begun)
        return;
    t.begun = true;
    post(t, {Event::Begin, std::max<qint64>(t.contentLength, 0), {}});
}

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& t = *static_cast<Transfer*>(user);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
        // A new response (after a redirect, or a 100 Continue).
        t.responseCode = 0;
        t.hasLocation = false;
        t.contentLength = -1;
        if (const auto sp = line.find(' '); sp != std::string_view::npos)
            t.responseCode = std::strtol(std::string(line.substr(sp + 1, 3)).c_str(), nullptr, 10);
        postStatus(t, QStringLiteral("HTTP %1").arg(t.responseCode));
    } else if (line == "\r\n" || line == "\n") {
        // The end of the headers: only the answer that carries the body announces its size.
        const bool followed = t.responseCode >= 300 && t.responseCode < 400 && t.hasLocation;
        if (t.responseCode >= 200 && !followed)
            postBegin(t);
    } else if (text::startsWithIgnoringAsciiCase(line, "content-length:")) {
        t.contentLength = std::strtoll(std::string(line.substr(15)).c_str(), nullptr, 10);
    } else if (text::startsWithIgnoringAsciiCase(line, "location:")) {
        t.hasLocation = true;
    }
    return size * count;
}

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& t = *static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    // The cap holds for chunked bodies too, which announce no size.
    if (n > t.maxBody - t.body.size()) {
        t.tooLarge = true;
        return 0;
    }
    t.body.append(data, n);
    postWork(t, false);
    return n;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<Transfer*>(user)->cancelled ? 1 : 0;
}

int onSocket(void* user, curl_socket_t, curlsocktype)
{
    auto& t = *static_cast<Transfer*>(user);
    postStatus(t, text("Connessione a " + currentHost(t.easy) + "..."));
    return CURL_SOCKOPT_OK;
}

int onConnected(void* user, char*, char*, int, int)
{
    auto& t = *static_cast<Transfer*>(user);
    t.connected = true;
    postStatus(t, QStringLiteral("Connesso."));
    return CURL_PREREQFUNC_OK;
}

void runTransfer(CURLM* multi, Transfer& t)
{
    curl_multi_add_handle(multi, t.easy);
    int running = 1;
    while (!t.cancelled) {
        if (curl_multi_perform(multi, &running) != CURLM_OK || running == 0)
            break;
        // cancel() wakes this wait at once.
        if (curl_multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK)
            break;
    }
    t.result = CURLE_ABORTED_BY_CALLBACK;
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &left))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == t.easy)
            t.result = msg->data.result;
    curl_multi_remove_handle(multi, t.easy);
    curl_easy_getinfo(t.easy, CURLINFO_RESPONSE_CODE, &t.responseCode);
    postWork(t, true);
    post(t, {Event::Done, 0, {}});
}

std::string failureText(const Transfer& t)
{
    if (t.cancelled)
        return cancelText;
    if (t.tooLarge || t.result == CURLE_FILESIZE_EXCEEDED)
        return "Risposta troppo grande (oltre " + std::to_string(t.maxBody) + " byte)";
    const std::string host = currentHost(t.easy);
    switch (t.result) {
    case CURLE_HTTP_RETURNED_ERROR:
        return "Errore HTTP " + std::to_string(t.responseCode);
    case CURLE_COULDNT_RESOLVE_HOST:
        return "Host sconosciuto: " + host;
    case CURLE_COULDNT_CONNECT:
        return "Impossibile connettersi a " + host;
    case CURLE_OPERATION_TIMEDOUT:
        return t.connected ? "Trasferimento troppo lento, interrotto"
                           : "Tempo scaduto nella connessione a " + host;
    case CURLE_PEER_FAILED_VERIFICATION:
        return "Certificato del server non valido: " + host;
    case CURLE_SSL_CONNECT_ERROR:
        return "Connessione sicura non riuscita con " + host;
    case CURLE_TOO_MANY_REDIRECTS:
        return "Troppi reindirizzamenti";
    case CURLE_UNSUPPORTED_PROTOCOL:
        return "Indirizzo non ammesso (solo http e https)";
    case CURLE_URL_MALFORMAT:
        return "URL non valido";
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
        return "Risposta incompleta da " + host;
    default:
        return std::string("Errore di rete: ") + curl_easy_strerror(t.result);
    }
}

// The system's certificates and the extra file, as one bundle; empty when no extra file is named.
// A file that cannot be read fails the request rather than quietly trusting less or more.
std::string certificateBundle()
{
    const char* extra = std::getenv(kCaBundleVariable);
    if (!extra || !*extra)
        return {};
    const auto readAll = [](const char* path, bool required) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            if (required)
                throw UserError(std::string("File di certificati non leggibile: ") + path);
            return std::string();
        }
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::string bundle;
    if (const char* system = curl_version_info(CURLVERSION_NOW)->cainfo)
        bundle = readAll(system, false);
    bundle += '\n';
    bundle += readAll(extra, true);
    return bundle;
}

} // namespace

struct Client::Impl
{
    Limits limits;
    CURLM* multi = nullptr;
    // One handle for the whole run: it keeps the cookies and the open connections.
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    // The last request's own header lines; the handle points at them until the next request.
    curl_slist* requestHeaders = nullptr;
    std::shared_ptr<Transfer> current;

    ~Impl()
    {
        curl_multi_cleanup(multi);
        curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
        curl_slist_free_all(requestHeaders);
    }

    // Ends the transfer unless it has finished, and waits for the worker.
    void stop(Transfer& t)
    {
        if (!t.done) {
            t.cancelled = true;
            curl_multi_wakeup(multi);
        }
        if (t.worker.joinable())
            t.worker.join();
    }
};

Client::Client(QObject* parent) : QObject(parent), m(std::make_unique<Impl>())
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m->multi = curl_multi_init();
    m->easy = curl_easy_init();
    if (!m->multi || !m->easy)
        throw UserError("Errore di rete: libcurl non disponibile");
    m->headers = curl_slist_append(nullptr, "Accept: text/html, */*");

    CURL* e = m->easy;
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    // A cancel during a slow name lookup must not wait for the resolver.
    curl_easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(e, CURLOPT_USERAGENT, "Mozilla/3.0 IE9");
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, m->headers);
    curl_easy_setopt(e, CURLOPT_COOKIEFILE, "");
    // No proxy, whatever http_proxy, HTTPS_PROXY or no_proxy say.
    curl_easy_setopt(e, CURLOPT_PROXY, "");
    curl_easy_setopt(e, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(e, CURLOPT_HTTPAUTH, CURLAUTH_NONE);
    curl_easy_setopt(e, CURLOPT_DISALLOW_USERNAME_IN_URL, 1L);
    // The URL goes out as built: no "/../" folding.
    curl_easy_setopt(e, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    // Never turned off: a test trusts a CA of its own through PELLICORIO_CA_BUNDLE instead.
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(e, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(e, CURLOPT_SOCKOPTFUNCTION, onSocket);
    curl_easy_setopt(e, CURLOPT_PREREQFUNCTION, onConnected);
}

Client::~Client()
{
    if (auto t = m->current) {
        m->stop(*t);
        // The GET below on the stack returns and throws without touching this object.
        if (t->loop)
            t->loop->quit();
    }
}

void Client::setLimits(const Limits& limits)
{
    m->limits = limits;
}

bool Client::busy() const
{
    return m->current != nullptr;
}

void Client::cancel()
{
    if (m->current) {
        m->current->cancelled = true;
        curl_multi_wakeup(m->multi);
    }
}

std::string Client::get(const std::string& url)
{
    return get(url, m->limits.maxBodyBytes);
}

std::string Client::get(const std::string& url, std::size_t maxBodyBytes)
{
    Request request;
    request.maxBodyBytes = maxBodyBytes;
    return get(url, request);
}

std::string Client::get(const std::string& url, const Request& request)
{
    if (m->current)
        throw UserError(busyText);
    const std::size_t maxBodyBytes = request.maxBodyBytes ? request.maxBodyBytes : m->limits.maxBodyBytes;
    const std::string bundle = certificateBundle();

    auto t = std::make_shared<Transfer>();
    t->self = t;
    t->client = this;
    t->easy = m->easy;
    t->maxBody = maxBodyBytes;

    const std::string target = requestUrl(url);
    CURL* e = m->easy;
    // A NUL would cut the URL short; a URL refused here (too long) would leave the last one set.
    if (target.find('\0') != std::string::npos ||
        curl_easy_setopt(e, CURLOPT_URL, target.c_str()) != CURLE_OK)
        throw UserError("URL non valido");
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, m->limits.connectTimeoutSeconds);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, m->limits.lowSpeedBytes);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, m->limits.lowSpeedSeconds);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, m->limits.maxRedirects);
    curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(t->maxBody));
    // The handle keeps its options between requests: each GET sets its own headers again.
    curl_easy_setopt(e, CURLOPT_USERAGENT,
                     request.userAgent.empty() ? "Mozilla/3.0 IE9" : request.userAgent.c_str());
    curl_slist_free_all(m->requestHeaders);
    m->requestHeaders = nullptr;
    for (const std::string& h : request.headers)
        if (curl_slist* list = curl_slist_append(m->requestHeaders, h.c_str()))
            m->requestHeaders = list;
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, m->requestHeaders ? m->requestHeaders : m->headers);
    if (bundle.empty()) {
        curl_easy_setopt(e, CURLOPT_CAINFO_BLOB, nullptr);
    } else {
        curl_blob blob{const_cast<char*>(bundle.data()), bundle.size(), CURL_BLOB_COPY};
        curl_easy_setopt(e, CURLOPT_CAINFO_BLOB, &blob);
    }
    for (const auto option : {CURLOPT_HEADERDATA, CURLOPT_WRITEDATA, CURLOPT_XFERINFODATA,
                              CURLOPT_SOCKOPTDATA, CURLOPT_PREREQDATA})
        curl_easy_setopt(e, option, t.get());

    QPointer<Client> guard(this);
    m->current = t;
    emit busyChanged(true);
    if (guard)
        emit status(text("Risoluzione di " + hostOf(target.c_str()) + "..."));
    if (!guard)
        throw UserError(cancelText);

    // Whatever ends the wait early (a thread that cannot start, a slot that throws through the
    // loop), the client is left idle and no worker outlives it.
    const auto abandon = [&] {
        t->loop = nullptr;
        if (!guard)
            return;
        m->stop(*t);
        m->current.reset();
        emit busyChanged(false);
    };
    QEventLoop loop;
    try {
        t->worker = std::thread([multi = m->multi, raw = t.get()] { runTransfer(multi, *raw); });
        t->loop = &loop;
        if (!t->done)
            loop.exec();
    } catch (const std::system_error&) {
        abandon();
        throw UserError("Errore di rete: il trasferimento non pu\xF2 partire");
    } catch (...) {
        abandon();
        throw;
    }
    t->loop = nullptr;
    if (!guard)
        throw UserError(cancelText); // the destructor has joined the worker
    // The loop also ends when the whole application quits: the transfer goes with it.
    m->stop(*t);
    drain(this, *t);
    if (!guard)
        throw UserError(cancelText);

    const bool ok = !t->cancelled && !t->tooLarge && t->result == CURLE_OK;
    const std::string failure = ok ? std::string() : failureText(*t);
    emit workEnd();
    if (guard)
        emit status(ok ? QStringLiteral("Completato.") : QStringLiteral("Errore"));
    if (guard) {
        m->current.reset();
        emit busyChanged(false);
    }
    if (!ok)
        throw UserError(failure);
    return std::move(t->body);
}

} // namespace http
