#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace update {

inline constexpr const char* kVersionFileName = "Zenfo2VER.txt";
// The version file is one line of 39 columns; the package a zipped program.
inline constexpr std::size_t kVersionFileMaxBytes = 64u << 10;
inline constexpr std::size_t kPackageMaxBytes = 256u << 20;

// A GET: the whole body, at most maxBytes of it; any failure throws UserError.
using Get = std::function<std::string(const std::string& url, std::size_t maxBytes)>;

// What the update window shows; the check drives it.
class Screen
{
public:
    virtual ~Screen() = default;
    virtual void setStatus(const std::string& text) = 0; // the status line
    virtual void appendLog(const std::string& line) = 0;
    virtual void clearLog() = 0;
    virtual void setCaption(const std::string& text) = 0; // the one button
    virtual void setBarPosition(int position) = 0;
    virtual void close() = 0;
    // The button's state changed: not 0, the transfers belong to the update window.
    virtual void stateChanged(int state) = 0;
};

struct Setup
{
    std::string programVersion;
    // Ends with "/".
    std::string baseUrl;
    // Where the package may be written, in order: the program folder, then the data folder.
    std::vector<std::filesystem::path> folders;
};

// The one button of the update window and its three states: 0 check, 2 download, 1 leave.
class UpdateCheck
{
public:
    UpdateCheck(Setup setup, Get get, Screen& screen);

    int state() const { return m_state; }
    // The package name of the last successful check.
    const std::string& fileName() const { return m_fileName; }

    // Before each opening of the window.
    void reset();
    // The button. A version field that does not convert throws ConversionError in state 0.
    void press();
    // The close box. A request under way is abandoned: what it returns changes nothing.
    void closed();

private:
    void check();
    void download();
    void leave();
    void toState(int state, const char* caption);

    int m_state = 0;
    std::string m_fileName;
    Setup m_setup;
    Get m_get;
    Screen& m_screen;
    bool m_closed = false;
};

} // namespace update
