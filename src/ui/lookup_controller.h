#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <string_view>

class Dialogs;
class IntakeTab;
class LookupWindow;
class QProgressBar;
class ResultsWindow;
struct LookupSession;
struct ProgramState;
namespace http {
class Client;
}
namespace lookup {
struct FilmPageData;
}

// The FilmUP lookup for one intake title: the search, the choice among its results and the
// reading of the film page into the lookup window.
class LookupController : public QObject
{
    Q_OBJECT
public:
    LookupController(ProgramState& state, LookupSession& session, http::Client& http, Dialogs& dialogs,
                     LookupWindow& window, ResultsWindow& results, IntakeTab& intake, QObject* parent = nullptr);

    void OpenLookup();
    void WEBQUERYClick();
    void WEBNOOKClick();
    void SQLRESUClick(int line);
    void SQLOKClick();
    void SQLABOClick();
    void LoadFilmPage(const std::string& link);

    // The film page as received, before its data are read: the poster and the cover are
    // requested from it.
    std::function<void(std::string_view page)> PicturesOfPage;
    // The update window's bar, which the transfer events drive while UpdateState is not 0.
    void setUpdateBar(QProgressBar* bar) { m_updateBar = bar; }

private:
    void HTTP1WorkBegin(qint64 total);
    void HTTP1Work(qint64 bytesSoFar);
    void HTTP1WorkEnd();
    void HTTP1Status(const QString& text);
    void log(const std::string& line);
    void search();
    void showResults();
    void fillFields(const lookup::FilmPageData& data);
    // Step 11 of a search: whatever ended it, one line.
    void noAnswer();

    ProgramState& m_state;
    LookupSession& m_session;
    http::Client& m_http;
    Dialogs& m_dialogs;
    LookupWindow& m_window;
    ResultsWindow& m_results;
    IntakeTab& m_intake;
    QProgressBar* m_updateBar = nullptr;
};
