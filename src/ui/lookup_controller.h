#pragma once

#include "lookup/lookup_session.h"

#include <QObject>

#include <string>
#include <string_view>

class Dialogs;
class IntakeTab;
class LookupWindow;
class ResultsWindow;
struct Program;
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
    LookupController(Program& program, http::Client& http, Dialogs& dialogs, LookupWindow& window,
                     ResultsWindow& results, IntakeTab& intake, QObject* parent = nullptr);

    void OpenLookup();
    void WEBQUERYClick();
    void WEBNOOKClick();
    void SQLRESUClick(int line);
    void SQLOKClick();
    void SQLABOClick();
    void LoadFilmPage(const std::string& link);
    // The poster and the cover of a film page as received.
    void FetchPictures(std::string_view page);
    void CLBATTClickCheck();
    void CLBGENClick(int line);
    void WEBOKClick();

private:
    void log(const std::string& line);
    // The selected intake line, or -1.
    int selectedIntakeLine() const;
    // The media file name of an intake line as the file system spells it.
    std::string intakeFileName(int line) const;
    // One picture: requested, logged, shown; false on any failure.
    bool fetchPicture(const std::string& url, const char* what, class JpegView& view);
    void search();
    void showResults();
    void fillFields(const lookup::FilmPageData& data);
    // Step 11 of a search: whatever ended it, one line.
    void noAnswer();
    // A closed window ends the whole lookup, not only the request under way.
    void abortLookup();
    void stopIfAborted() const;

    Program& m_program;
    // The lookup's working tables; each search and each film page refills them.
    LookupSession m_session;
    http::Client& m_http;
    Dialogs& m_dialogs;
    LookupWindow& m_window;
    ResultsWindow& m_results;
    IntakeTab& m_intake;
    class LineChoice* m_genreChoice = nullptr;
    // A search (with its chooser and film page) is under way, and whether a closed window ended it.
    bool m_searching = false;
    bool m_aborted = false;
};
