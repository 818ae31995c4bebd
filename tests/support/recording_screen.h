#pragma once

#include "lookup/lookup_flow.h"

#include "image/jpeg_codec.h"

#include <functional>
#include <string>
#include <vector>

// What the screen was told, one line per call.
class RecordingScreen : public lookup::Screen
{
public:
    std::vector<std::string> logLines;
    std::vector<std::string> calls;
    lookup::FilmData film;
    std::vector<std::string> chooserTitles;
    std::string poster, cover;
    bool accept = false, led = false, posterReceived = false, coverReceived = false, chooserOpen = false;
    lookup::PictureChoice pictures;
    // What the user does while the chooser is up.
    std::function<void()> onChooser;

    void appendLog(const std::string& line) override { logLines.push_back(line); }
    void clearLog() override { logLines.clear(); }
    void clearFields() override { calls.push_back("clearFields"); }
    void clearLists() override { calls.push_back("clearLists"); }
    void setSearchText(const std::string& text) override { calls.push_back("search text " + text); }
    void setAcceptEnabled(bool e) override { accept = e; }
    void clearPoster() override { poster.clear(); }
    void clearCover() override { cover.clear(); }
    void setLed(bool on) override { led = on; }
    void showWindow() override { calls.push_back("show"); }
    void showFilm(const lookup::FilmData& f) override { film = f; }
    // As the views do: what is no JPEG is refused.
    void showPoster(std::string jpeg) override { jpeg::decode(jpeg), poster = std::move(jpeg); }
    void showCover(std::string jpeg) override { jpeg::decode(jpeg), cover = std::move(jpeg); }
    void setPosterReceived(bool r) override { posterReceived = r; }
    void setCoverReceived(bool r) override { coverReceived = r; }
    lookup::PictureChoice pictureChoice() const override { return pictures; }
    void showChooser(const std::vector<std::string>& titles) override
    {
        chooserTitles = titles;
        chooserOpen = true;
        calls.push_back("chooser " + titles.front());
        if (onChooser)
            onChooser();
        chooserOpen = false;
    }
    void setChoiceText(const std::string& title) override { calls.push_back("choice " + title); }
    void closeChooser() override { calls.push_back(chooserOpen ? "close chooser" : "close chooser twice"); }
};
