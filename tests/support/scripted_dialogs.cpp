#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

template <typename T>
T next(std::deque<T>& answers, const std::string& what)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << what;
        throw std::runtime_error("unexpected dialog: " + what);
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

void ScriptedDialogs::message(Kind kind, const std::string& text)
{
    static const char* const kNames[] = {"information", "warning", "error", "question"};
    log.push_back(std::string(kNames[static_cast<int>(kind)]) + ": " + text);
}

bool ScriptedDialogs::confirm(Kind kind, const std::string& text)
{
    static const char* const kPrefixes[] = {"confirm information: ", "confirm warning: ", "confirm error: ",
                                            "confirm: "};
    log.push_back(kPrefixes[static_cast<int>(kind)] + text);
    return next(confirmAnswers, "confirm " + text);
}

std::optional<std::string> ScriptedDialogs::inputBox(const std::string& caption, const std::string& prompt,
                                                     const std::string& defaultText)
{
    log.push_back("input: " + caption + " / " + prompt + " / " + defaultText);
    return next(inputAnswers, "input " + caption);
}

std::optional<std::string> ScriptedDialogs::chooseFolder(const std::string& startFolder)
{
    log.push_back("folder: " + startFolder);
    return next(folderAnswers, "folder " + startFolder);
}

std::optional<std::string> ScriptedDialogs::chooseFile(const std::string& filter, const std::string& defaultExtension)
{
    log.push_back("file: " + filter + " / " + defaultExtension);
    return next(fileAnswers, "file " + filter);
}

std::optional<std::string> ScriptedDialogs::chooseSaveFile(const SaveFile& r)
{
    log.push_back("save: " + r.caption + " / " + r.filter + " / " + r.defaultExtension + " / " + r.folder + " / " +
                  r.fileName);
    return next(saveAnswers, "save " + r.caption);
}
