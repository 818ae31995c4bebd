#include "help_file.h"

#include "platform/files.h"

namespace help {

std::optional<std::filesystem::path> findHelpFile(const std::vector<std::filesystem::path>& folders)
{
    for (const auto& folder : folders)
        if (auto found = files::findIgnoringCase(folder, kFileName); found && !files::isFolder(*found))
            return found;
    return std::nullopt;
}

} // namespace help
