#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A real HTTP server on 127.0.0.1, on a port the system picks, serving what a test registers.
// It runs in its own threads from construction to destruction; every method may be called from
// the test while it serves.
class HttpTestServer
{
public:
    // One answer to a GET.
    struct Answer
    {
        int status = 200;
        std::string body;
        std::string contentType = "text/html";
        // Extra headers, such as {"Set-Cookie", "sid=1; Path=/"} or {"Location", url}.
        std::vector<std::pair<std::string, std::string>> headers;
        // Wait before answering (a slow server). Cut short when the server stops.
        std::chrono::milliseconds delay{0};
        // Above 0: the body goes out chunked, without Content-Length, in pieces of this size...
        std::size_t chunkSize = 0;
        // ...with this pause before each piece after the first.
        std::chrono::milliseconds chunkDelay{0};
        // With chunkSize: the body over and over, until the client goes away.
        bool endless = false;
        // Below body.size(): Content-Length announces the whole body, but only this many bytes
        // are sent before the connection drops.
        std::size_t cutAfter = static_cast<std::size_t>(-1);
    };

    // A request as it arrived.
    struct Request
    {
        // The request target exactly as on the request line: path and query, not decoded.
        std::string target;
        // The decoded path, the key of the handlers.
        std::string path;
        // The query's parameters, decoded (percent escapes and UTF-8 as sent).
        std::multimap<std::string, std::string> params;
        // Header names as sent; one entry per header line.
        std::multimap<std::string, std::string> headers;

        // The first value of a header, the name compared ignoring case; "" when missing.
        std::string header(const std::string& name) const;
    };

    using Handler = std::function<Answer(const Request&)>;

    // HTTPS with this certificate and key (PEM files).
    struct Tls
    {
        std::string certFile;
        std::string keyFile;
    };

    HttpTestServer();
    explicit HttpTestServer(const Tls& tls);
    // Stops serving and waits for its threads; pending delays end at once.
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const;
    // "http://127.0.0.1:PORT" ("https://" with TLS), no trailing slash.
    std::string baseUrl() const;

    // Answers GET requests whose decoded path is path (query ignored). Registering a path again
    // replaces its handler. Unregistered paths get 404 with an empty body.
    void on(const std::string& path, Answer answer);
    void on(const std::string& path, Handler handler);

    // A 302 answer to location.
    static Answer redirect(const std::string& location);

    // Every request received so far, in order.
    std::vector<Request> requests() const;
    // The last request received; fails the test when there is none.
    Request lastRequest() const;

private:
    void start();
    struct Impl;
    std::unique_ptr<Impl> m;
};
