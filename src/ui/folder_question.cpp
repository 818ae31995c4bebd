#include "folder_question.h"

#include "platform/dialogs.h"
#include "platform/files.h"

std::optional<std::string> askFolder(Dialogs& dialogs, const std::string& current, const std::string& programFolder)
{
    return dialogs.chooseFolder(files::isFolder(files::fromText(current)) ? current : programFolder);
}
