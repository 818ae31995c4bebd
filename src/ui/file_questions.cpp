#include "file_questions.h"

#include "platform/dialogs.h"
#include "platform/files.h"

namespace {

const char* const kTextFiles = "*.TXT|*.TXT|*.*|*.*";
const char* const kTextExtension = "*.TXT";

const std::string& existingOr(const std::string& folder, const std::string& programFolder)
{
    return files::isFolder(files::fromText(folder)) ? folder : programFolder;
}

} // namespace

std::optional<std::string> askFolder(Dialogs& dialogs, const std::string& current, const std::string& programFolder)
{
    return dialogs.chooseFolder(existingOr(current, programFolder));
}

std::optional<std::string> askTextFile(Dialogs& dialogs)
{
    return dialogs.chooseFile(kTextFiles, kTextExtension);
}

std::optional<std::string> askTextFileToWrite(Dialogs& dialogs, const std::string& caption,
                                              const std::string& folder, const std::string& programFolder,
                                              const std::string& fileName)
{
    return dialogs.chooseSaveFile(
        {caption, kTextFiles, kTextExtension, existingOr(folder, programFolder), fileName});
}
