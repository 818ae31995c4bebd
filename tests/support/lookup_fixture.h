#pragma once

#include "support/filmup_pages.h"
#include "support/http_test_server.h"
#include "support/program_fixture.h"

#include "ui/led.h"
#include "ui/lookup_window.h"
#include "ui/results_window.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <QWindow>

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// The program with one media file in its intake, asking a FilmUP of the test's own on loopback.
class LookupFixture : public ProgramFixture
{
protected:
    HttpTestServer server;
    static constexpr const char* kSearchPath = "/cgi-bin/search.cgi";

    void SetUp() override { prepare("Il nome della rosa - CD1.avi"); }
    void TearDown() override { qunsetenv("PELLICORIO_FILMUP_URL"); }

    void prepare(const std::string& mediaFile)
    {
        qputenv("PELLICORIO_FILMUP_URL", QByteArray::fromStdString(server.baseUrl()));
        std::filesystem::create_directories(folder / "media");
        folder.write("media/" + mediaFile, "film");
        folder.write("Zenfo_conf.CFG", "4.4.0\r\n" + folder.text() + "media\r\n" + folder.text() + "copertine\r\n" +
                                           folder.text() + "copertine\r\n" + folder.text() +
                                           "locandine\r\nNick\r\nRimappa\r\nRichiedi_locandina\r\n"
                                           "Salva_locandina\r\nSalva_copertina\r\n");
        folder.write("films.txt", "");
    }

    void startAndOpen()
    {
        start();
        main()->show();
        clickPage(1);
        clickIntakeLine(0);
        QTest::mouseClick(control<QPushButton>("Paste"), Qt::LeftButton);
        ASSERT_TRUE(window()->isVisible());
    }
    void clickIntakeLine(int line)
    {
        auto* list = control<QListWidget>("CheckListBox1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(line)).center());
    }

    LookupWindow* window() const { return windows->form4.get(); }
    ResultsWindow* chooser() const { return windows->form5.get(); }
    QString field(const char* name) const
    {
        auto* edit = window()->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(edit, nullptr) << "no control " << name;
        return edit ? edit->text() : QString();
    }
    QStringList log() const
    {
        const QString text = window()->LOG->toPlainText();
        return text.isEmpty() ? QStringList{} : text.split('\n');
    }
    void search() { QTest::mouseClick(window()->WEBQUERY, Qt::LeftButton); }

    void serveSearch(const std::vector<std::pair<std::string, std::string>>& films)
    {
        HttpTestServer::Answer answer;
        answer.body = filmuppages::resultsPage(server.baseUrl(), films);
        answer.headers = {{"Set-Cookie", "sessione=abc123; Path=/"}};
        server.on(kSearchPath, answer);
    }
    void serveFilm(const std::string& slug, const std::string& page)
    {
        HttpTestServer::Answer answer;
        answer.body = page;
        server.on("/sc_" + slug + ".htm", answer);
    }
    void serve(const std::string& path, const std::string& body, const std::string& type = "image/jpeg")
    {
        HttpTestServer::Answer answer;
        answer.body = body;
        answer.contentType = type;
        server.on(path, answer);
    }
    std::string host() const { return server.baseUrl().substr(std::string("http://").size()); }
    int requestsTo(const std::string& path) const
    {
        int n = 0;
        for (const HttpTestServer::Request& r : server.requests())
            n += r.path == path;
        return n;
    }
};

// The chooser is modal: what the user does in it runs from the loop that waits for it.
inline void whenVisible(QWidget* w, std::function<void()> action)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, w, action] {
        if (!w->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

// Runs action from the event loop once condition holds, as whenVisible does for a window.
inline void whenTrue(std::function<bool()> condition, std::function<void()> action)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, condition, action] {
        if (!condition())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

// An answer the server holds back until the test lets it go (at the latest when this object goes):
// meanwhile the request is surely under way.
class HeldAnswer
{
public:
    HeldAnswer() = default;
    HeldAnswer(const HeldAnswer&) = delete;
    HeldAnswer& operator=(const HeldAnswer&) = delete;
    ~HeldAnswer() { release(); }

    HttpTestServer::Handler handler(HttpTestServer::Answer answer) const
    {
        // The server's thread may still be waiting when the test ends: the state is shared with it.
        return [gate = m_gate, answer](const HttpTestServer::Request&) {
            std::unique_lock<std::mutex> lock(gate->mutex);
            gate->arrived = true;
            gate->released.wait(lock, [&] { return gate->free; });
            return answer;
        };
    }
    bool arrived() const
    {
        std::lock_guard<std::mutex> lock(m_gate->mutex);
        return m_gate->arrived;
    }
    void release()
    {
        {
            std::lock_guard<std::mutex> lock(m_gate->mutex);
            m_gate->free = true;
        }
        m_gate->released.notify_all();
    }

private:
    struct Gate
    {
        std::mutex mutex;
        std::condition_variable released;
        bool arrived = false, free = false;
    };
    std::shared_ptr<Gate> m_gate = std::make_shared<Gate>();
};

// Minimises a window through the window system, as its minimise box does, and waits until the
// system reports it minimised. Under X that takes a window manager: without one it never is.
inline bool minimiseAsTheUserDoes(QWidget* w)
{
    // A window manager minimises only a window it manages, one on the screen.
    if (!QTest::qWaitForWindowExposed(w, 10000))
        return false;
    w->windowHandle()->showMinimized();
    return QTest::qWaitFor([w] { return w->isMinimized(); }, 10000);
}
inline bool restoreAsTheUserDoes(QWidget* w)
{
    w->windowHandle()->showNormal();
    return QTest::qWaitFor([w] { return !w->isMinimized(); }, 10000);
}

// A timer of the test that records the longest gap between its ticks: how long the event loop
// was kept from running while the program waited for a request.
class GapRecorder
{
public:
    explicit GapRecorder(int intervalMs)
    {
        m_clock.start();
        QObject::connect(&m_ticker, &QTimer::timeout, [this] {
            m_longestGap = std::max(m_longestGap, m_clock.elapsed() - m_last);
            m_last = m_clock.elapsed();
            ++m_ticks;
        });
        m_ticker.start(intervalMs);
    }
    void stop() { m_ticker.stop(); }
    qint64 elapsed() const { return m_clock.elapsed(); }
    qint64 longestGap() const { return m_longestGap; }
    int ticks() const { return m_ticks; }

private:
    QElapsedTimer m_clock;
    QTimer m_ticker;
    qint64 m_last = 0, m_longestGap = 0;
    int m_ticks = 0;
};

inline QStringList texts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
