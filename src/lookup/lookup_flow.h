#pragma once

#include "source.h"

#include <functional>
#include <string>
#include <vector>

// The lookup without widgets: search, choice, film, poster and cover, the same for every source.
// The lookup window, its chooser and the intake's cover view are a Screen; the adapter turns
// their events into calls of the flow.
namespace lookup {

// Which pictures a film page asks for (the settings CBSL and CBSCOP, read at each film).
struct PictureChoice
{
    bool poster = true;
    bool cover = true;
};

class Screen
{
public:
    virtual ~Screen() = default;
    virtual void appendLog(const std::string& line) = 0;
    virtual void clearLog() = 0;
    // The lookup window's eleven fields emptied.
    virtual void clearFields() = 0;
    // CLBATT and CLBGEN emptied.
    virtual void clearLists() = 0;
    virtual void setSearchText(const std::string& text) = 0;
    // WEBOK.
    virtual void setAcceptEnabled(bool enabled) = 0;
    // The lookup's poster view WEBLOC, and the intake's cover view JPEGImage1.
    virtual void clearPoster() = 0;
    virtual void clearCover() = 0;
    virtual void setLed(bool on) = 0;
    // The window shown beside the main window.
    virtual void showWindow() = 0;
    // The fields and the lists: genres added with the first selected, actors added with the first
    // four ticked.
    virtual void showFilm(const FilmData& film) = 0;
    // JPEG bytes into the view; throws when the view cannot show them.
    virtual void showPoster(std::string jpeg) = 0;
    // Into the intake's cover view (shown, should the covers list have hidden it).
    virtual void showCover(std::string jpeg) = 0;
    // PosterReceived and CoverReceived.
    virtual void setPosterReceived(bool received) = 0;
    virtual void setCoverReceived(bool received) = 0;
    virtual PictureChoice pictureChoice() const = 0;
    // The chooser: its count label, its lines with the first selected and in SQLSCELTA. Modal:
    // returns when the chooser has closed; the flow's choose() and cancelChoice() run meanwhile.
    virtual void showChooser(const std::vector<std::string>& titles) = 0;
    // SQLSCELTA.
    virtual void setChoiceText(const std::string& title) = 0;
    virtual void closeChooser() = 0;
};

// The network as the flow sees it.
struct Network
{
    Get get;
    // A request is under way (a button pressed meanwhile does nothing).
    std::function<bool()> busy;
    // Ends the request under way, which then fails.
    std::function<void()> cancel;
    // A picture of another format as JPEG (Qt's image reader, given by the windows); throws when
    // the bytes are no picture. Without it, pictures go on as they came.
    std::function<std::string(std::string)> toJpeg;
};

class LookupFlow
{
public:
    LookupFlow(Network network, Screen& screen, Source& source);

    // The source chosen for the next search; a lookup under way keeps its own.
    void setSource(Source& source);
    const Source& source() const { return *m_next; }

    // The lookup opened for an intake media file name (the caller beeps when there is none).
    void open(const std::string& mediaFileName);
    // CHIEDI DATI, with the search text and FilmUP's two parameters.
    void search(const std::string& searchText, bool anyWord, const std::string& perPage);
    // The chooser's selection moved, confirmed, or given up.
    void choiceChanged(int line);
    void choose(int line);
    void cancelChoice();
    // A window closed: the lookup under way ends.
    void abort();

    bool searching() const { return m_searching; }
    const std::vector<Result>& results() const { return m_results; }

private:
    void runSearch(const Query& query);
    void loadFilm(const std::string& key);
    void fetchPictures(const std::optional<PictureAddresses>& pictures);
    bool fetchPicture(const std::string& url, const char* what, bool poster);
    void noAnswer();
    void stopIfAborted() const;
    void log(const std::string& line) { m_screen.appendLog(line); }

    Network m_net;
    Screen& m_screen;
    Source* m_next;
    // The source of the lookup under way, or of the last one (its chooser's keys are its own).
    Source* m_source;
    std::vector<Result> m_results;
    bool m_searching = false;
    bool m_aborted = false;
};

} // namespace lookup
