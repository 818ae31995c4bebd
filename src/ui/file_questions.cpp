#include "file_questions.h"

#include "platform/dialogs.h"
#include "platform/files.h"

std::optional<std::string> askFolder(Dialogs& dialogs, const std::string& current, const std::string& programFolder)
{
    return dialogs.chooseFolder(files::isFolder(files::fromText(current)) ? current : programFolder);
}

std::optional<std::string> askTextFile(Dialogs& dialogs) { return dialogs.chooseFile("*.TXT|*.TXT|*.*|*.*", "*.TXT"); }
