#include "package_store.h"

#include "base/errors.h"
#include "platform/files.h"

#include <algorithm>

namespace update {

namespace fs = std::filesystem;

std::vector<SaveAttempt> savePackage(const std::vector<fs::path>& folders, const std::string& name,
                                     const std::string& bytes)
{
    std::vector<SaveAttempt> attempts;
    std::vector<fs::path> tried;
    for (const fs::path& folder : folders) {
        if (folder.empty())
            continue;
        // The portable layout has one folder for both roles: one failure is enough.
        const bool repeat = std::any_of(tried.begin(), tried.end(), [&](const fs::path& t) {
            return t == folder || files::sameFile(t, folder);
        });
        if (repeat)
            continue;
        tried.push_back(folder);
        try {
            files::writeAtomically(folder / files::fromText(name), bytes);
            attempts.push_back({folder, {}});
            break;
        } catch (const UserError& e) {
            // The file's path follows the reason on a line of its own; the caller names the file.
            std::string reason = e.what();
            reason.erase(std::min(reason.find('\n'), reason.size()));
            attempts.push_back({folder, reason.empty() ? "errore" : reason});
        }
    }
    return attempts;
}

} // namespace update
