#pragma once

#include "http_request.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace http {

// Bounds of one transfer. A server that stalls, floods or loops is cut off by them.
struct Limits
{
    std::size_t maxBodyBytes = 64u << 20;
    long connectTimeoutSeconds = 10;
    // A transfer slower than this many bytes a second for that many seconds is dropped.
    long lowSpeedBytes = 100;
    long lowSpeedSeconds = 30;
    long maxRedirects = 5;
};

// A URL as it goes out: every byte above 127 (a Windows-1252 letter of a search text) and "#"
// (which would end the request at a fragment) become %XX; nothing else changes.
std::string requestUrl(std::string_view url);

// The program's one HTTP client: GET only, the browser-like headers the FilmUP site expects,
// cookies kept for the whole run, no proxy. A GET blocks its caller in a local event loop while
// a worker thread runs the transfer, so the windows stay alive. Used from the UI thread only; its
// signals are emitted there. Destroying it during a GET (from a slot) ends the GET, which throws.
class Client : public QObject
{
    Q_OBJECT
public:
    explicit Client(QObject* parent = nullptr);
    ~Client() override;

    void setLimits(const Limits& limits);

    // The whole body as bytes. Throws UserError on any failure (no connection, time-out, status
    // 400 and up, a body cut short or too large, a bad redirect, a cancel). Throws at once when
    // another GET is running.
    std::string get(const std::string& url);
    // The same, with a size cap of its own for this one request instead of the limits' cap.
    std::string get(const std::string& url, std::size_t maxBodyBytes);
    // The same, with the headers and the cap of one request. HTTPS is always verified against the
    // system's certificates and the file PELLICORIO_CA_BUNDLE names.
    std::string get(const std::string& url, const Request& request);

    bool busy() const;
    // Ends the running GET, which then throws; nothing when none runs.
    void cancel();

signals:
    // Announced size, 0 when unknown; once the answer that carries the body has its headers (not
    // at all when none arrives).
    void workBegin(qint64 total);
    // At most every 50 ms while the body arrives; the last one carries the whole size.
    void work(qint64 bytesSoFar);
    // After every GET, whatever its outcome, before the last status.
    void workEnd();
    // Italian text for the status panel: "Risoluzione di HOST...", "Connessione a HOST...",
    // "Connesso.", "HTTP 200" (each answer's code), then "Completato." or "Errore".
    void status(const QString& text);
    // A GET starts or ends: the controls that would start another follow it.
    void busyChanged(bool busy);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

} // namespace http
