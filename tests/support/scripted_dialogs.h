#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Dialogs answered in advance by a test. Every dialog shown is logged as "kind: text" (a
// confirmation as "confirm: text", or "confirm warning: text" in a warning box); a dialog
// without a prepared answer fails the test and throws, which ends the handler that asked.
class ScriptedDialogs : public Dialogs
{
public:
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::string clipboard;
    // The addresses given to the web browser, which does not start.
    std::vector<std::string> openedUrls;
    std::vector<std::string> log;

    void message(Kind kind, const std::string& text) override;
    bool confirm(Kind kind, const std::string& text) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) override;
    std::optional<std::string> chooseFolder(const std::string& startFolder) override;
    std::optional<std::string> chooseFile(const std::string& filter, const std::string& defaultExtension) override;
    // Logged as "save: caption / filter / extension / folder / name".
    std::optional<std::string> chooseSaveFile(const SaveFile& request) override;
    void beep() override { log.push_back("beep"); }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    void openUrl(const std::string& url) override { openedUrls.push_back(url); }
};
