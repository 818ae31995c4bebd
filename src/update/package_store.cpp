#include "package_store.h"

#include "base/errors.h"
#include "platform/files.h"

#include <algorithm>
#include <cerrno>

namespace update {

namespace fs = std::filesystem;

namespace {

// Why a write failed, in the window's language; the archive's own errors keep their classic texts.
std::string reasonOf(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return "cartella non trovata";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "accesso negato";
    case EMFILE:
    case ENFILE:
        return "troppi file aperti";
    case ENOSPC:
    case EDQUOT:
        return "disco pieno";
    case ENAMETOOLONG:
    case EINVAL:
        return "nome di file non valido";
    default:
        return "errore di I/O " + std::to_string(err);
    }
}

} // namespace

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
        } catch (const files::IoError& e) {
            attempts.push_back({folder, reasonOf(e.errnoValue())});
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
