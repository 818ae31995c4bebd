#include "http_test_server.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <mutex>
#include <chrono>
#include <thread>

struct HttpTestServer::Impl
{
    std::unique_ptr<httplib::Server> owned;
    httplib::Server& server() { return *owned; }
    bool tls = false;
    std::thread thread;
    int port = -1;

    mutable std::mutex mutex;
    std::condition_variable stopping;
    bool stopped = false;
    std::map<std::string, Handler> handlers;
    std::vector<Request> requests;

    // False when the server stops during the wait.
    bool pause(std::chrono::milliseconds d)
    {
        std::unique_lock lock(mutex);
        return !stopping.wait_for(lock, d, [this] { return stopped; });
    }

    void serve(const httplib::Request& req, httplib::Response& res);
};

std::string HttpTestServer::Request::header(const std::string& name) const
{
    const auto same = [&](const std::string& n) {
        return std::equal(n.begin(), n.end(), name.begin(), name.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    for (const auto& [n, v] : headers)
        if (same(n))
            return v;
    return {};
}

void HttpTestServer::Impl::serve(const httplib::Request& req, httplib::Response& res)
{
    Request r;
    r.target = req.target;
    r.path = req.path;
    for (const auto& [n, v] : req.params)
        r.params.emplace(n, v);
    for (const auto& [n, v] : req.headers)
        // httplib adds the peer's address as a header of its own.
        if (n != "REMOTE_ADDR" && n != "REMOTE_PORT" && n != "LOCAL_ADDR" && n != "LOCAL_PORT")
            r.headers.emplace(n, v);
    Handler handler;
    {
        std::lock_guard lock(mutex);
        requests.push_back(r);
        if (const auto it = handlers.find(r.path); it != handlers.end())
            handler = it->second;
    }
    if (!handler) {
        res.status = 404;
        return;
    }
    const auto answer = std::make_shared<Answer>(handler(r));
    if (answer->delay.count() > 0 && !pause(answer->delay)) {
        res.status = 503;
        return;
    }
    res.status = answer->status;
    for (const auto& [n, v] : answer->headers)
        res.headers.emplace(n, v);
    if (answer->chunkSize > 0) {
        res.set_chunked_content_provider(
            answer->contentType, [this, answer](std::size_t offset, httplib::DataSink& sink) {
                if (answer->endless && !answer->body.empty())
                    offset %= answer->body.size();
                if (offset >= answer->body.size()) {
                    sink.done();
                    return true;
                }
                if (offset > 0 && answer->chunkDelay.count() > 0 && !pause(answer->chunkDelay))
                    return false;
                const std::size_t n = std::min(answer->chunkSize, answer->body.size() - offset);
                return sink.write(answer->body.data() + offset, n);
            });
    } else if (answer->cutAfter < answer->body.size()) {
        res.set_content_provider(answer->body.size(), answer->contentType,
                                 [answer](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                     if (offset >= answer->cutAfter)
                                         return false; // drops the connection
                                     const std::size_t n = std::min(length, answer->cutAfter - offset);
                                     return sink.write(answer->body.data() + offset, n);
                                 });
    } else {
        res.set_content(answer->body, answer->contentType);
    }
}

HttpTestServer::HttpTestServer() : m(std::make_unique<Impl>())
{
    m->owned = std::make_unique<httplib::Server>();
    start();
}

HttpTestServer::HttpTestServer(const Tls& tls) : m(std::make_unique<Impl>())
{
    m->owned = std::make_unique<httplib::SSLServer>(tls.certFile.c_str(), tls.keyFile.c_str());
    if (!m->owned->is_valid())
        throw std::runtime_error("the test server cannot load its certificate");
    m->tls = true;
    start();
}

void HttpTestServer::start()
{
    // One request per connection: a stop never waits for an idle keep-alive connection.
    m->server().set_keep_alive_max_count(1);
    m->server().Get(".*",
                    [this](const httplib::Request& req, httplib::Response& res) { m->serve(req, res); });
    m->port = m->server().bind_to_any_port("127.0.0.1");
    if (m->port <= 0)
        throw std::runtime_error("the test server cannot bind to 127.0.0.1");
    m->thread = std::thread([this] { m->server().listen_after_bind(); });
    // A stop before the loop runs would be lost, and the destructor would wait for ever.
    while (!m->server().is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

HttpTestServer::~HttpTestServer()
{
    {
        std::lock_guard lock(m->mutex);
        m->stopped = true;
    }
    m->stopping.notify_all();
    m->server().stop();
    m->thread.join();
}

int HttpTestServer::port() const
{
    return m->port;
}

std::string HttpTestServer::baseUrl() const
{
    return (m->tls ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(m->port);
}

void HttpTestServer::on(const std::string& path, Answer answer)
{
    on(path, Handler([answer](const Request&) { return answer; }));
}

void HttpTestServer::on(const std::string& path, Handler handler)
{
    std::lock_guard lock(m->mutex);
    m->handlers[path] = std::move(handler);
}

HttpTestServer::Answer HttpTestServer::redirect(const std::string& location)
{
    Answer a;
    a.status = 302;
    a.headers.emplace_back("Location", location);
    return a;
}

std::vector<HttpTestServer::Request> HttpTestServer::requests() const
{
    std::lock_guard lock(m->mutex);
    return m->requests;
}

HttpTestServer::Request HttpTestServer::lastRequest() const
{
    std::lock_guard lock(m->mutex);
    if (m->requests.empty()) {
        ADD_FAILURE() << "the test server has received no request";
        return {};
    }
    return m->requests.back();
}
