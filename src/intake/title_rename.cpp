#include "title_rename.h"

#include "base/cp1252.h"
#include "base/text.h"
#include "browser/image_names.h"
#include "platform/files.h"

std::string renamedTitle(const std::string& answer) { return text::trim(text::upperAscii(answer)); }

bool RenameMediaFile(IntakeModel& intake, const std::string& mediaFolder, int slot, const std::string& oldText,
                     const std::string& newName)
{
    const std::string& known = intake.fileName(slot);
    const std::string oldName = known.empty() ? cp1252::toUtf8(oldText) : known;
    const std::string target = cp1252::toUtf8(newName);
    if (!files::renameNoReplace(files::fromText(mediaFolder), oldName, target))
        return false;
    if (slot >= 1 && slot <= static_cast<int>(intake.FileNames.size()))
        intake.FileNames[static_cast<std::size_t>(slot - 1)] = target;
    return true;
}

std::string halfName(const std::string& title)
{
    const std::string name = images::nameWithoutExtension(title);
    return name.substr(0, name.size() / 4 * 3);
}
