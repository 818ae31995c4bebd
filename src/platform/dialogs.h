#pragma once

#include <optional>
#include <string>

// The user's side of every conversation the logic has: message boxes, the input box, the folder
// chooser, the file dialog, the clipboard, the beep and the web browser. The program shows real
// dialogs; tests answer them. Texts are Windows-1252.
class Dialogs
{
public:
    enum class Kind { Information, Warning, Error, Question };
    // What the save dialog shows: its caption, the filter and default extension as the file
    // dialog takes them, and the folder and file name it suggests.
    struct SaveFile
    {
        std::string caption, filter, defaultExtension, folder, fileName;
    };

    virtual ~Dialogs() = default;
    // A box with the OK button.
    virtual void message(Kind kind, const std::string& text) = 0;
    // A box of the kind with Yes and No (a question box, or a warning when the answer may lose
    // data); true on Yes.
    virtual bool confirm(Kind kind, const std::string& text) = 0;
    // nullopt when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& defaultText) = 0;
    // Starts at startFolder; the user may type a new folder, which is created after a
    // confirmation. nullopt when cancelled. The answer carries no trailing separator.
    virtual std::optional<std::string> chooseFolder(const std::string& startFolder) = 0;
    // The file dialog: filter is a list of "caption|patterns" pairs joined by '|' ("*.TXT|*.TXT|*.*|*.*"),
    // defaultExtension is added to a typed name without one. The user may name a file that does
    // not exist yet. nullopt when cancelled.
    virtual std::optional<std::string> chooseFile(const std::string& filter, const std::string& defaultExtension) = 0;
    // The file dialog for writing: its button says "Salva", and a file that exists is replaced
    // only when the user answers Yes to a question. nullopt when cancelled.
    virtual std::optional<std::string> chooseSaveFile(const SaveFile& request) = 0;
    // The system beep.
    virtual void beep() = 0;
    // Replaces the clipboard's text.
    virtual void setClipboardText(const std::string& text) = 0;
    // Shows the address in the desktop's web browser.
    virtual void openUrl(const std::string& url) = 0;
};
