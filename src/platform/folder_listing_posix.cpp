#include "folder_listing.h"

#include "files.h"

#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

unsigned char lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// The length of the UTF-8 character starting at s[i], so that '?' takes one character whole.
std::size_t charLength(std::string_view s, std::size_t i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    while (n > 1 && (i + n > s.size() || (static_cast<unsigned char>(s[i + n - 1]) & 0xC0) != 0x80))
        --n;
    return n;
}

// The names in a folder, without "." and "..".
std::vector<std::string> readFolder(int dirFd)
{
    std::vector<std::string> names;
    DIR* d = ::fdopendir(::dup(dirFd));
    if (!d)
        return names;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..")
            continue;
        names.emplace_back(name);
    }
    ::closedir(d);
    return names;
}

} // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name)
{
    // Greedy match with one back-track point: linear for the patterns a user types.
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += charLength(name, n);
        } else if (p < pattern.size() && lower(static_cast<unsigned char>(pattern[p])) ==
                                             lower(static_cast<unsigned char>(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP;
            n = starN += charLength(name, starN);
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::vector<DirEntry>> listMatching(const std::vector<std::string>& wildcardPaths)
{
    std::vector<std::vector<DirEntry>> result(wildcardPaths.size());
    struct Folder
    {
        int fd = -1;
        std::vector<std::string> names;
    };
    std::map<std::string, Folder> folders;
    for (std::size_t i = 0; i < wildcardPaths.size(); ++i) {
        const fs::path path = fromText(wildcardPaths[i]);
        const fs::path parent = path.parent_path();
        const std::string folderName = parent.empty() ? std::string(".") : parent.string();
        const std::string pattern = path.filename().string();
        auto [it, fresh] = folders.try_emplace(folderName);
        Folder& f = it->second;
        if (fresh) {
            f.fd = ::open(folderName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (f.fd >= 0)
                f.names = readFolder(f.fd);
        }
        if (f.fd < 0 || pattern.empty())
            continue;
        for (const std::string& name : f.names) {
            if (!wildcardMatch(pattern, name))
                continue;
            struct stat st {};
            if (::fstatat(f.fd, name.c_str(), &st, 0) != 0 && ::fstatat(f.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue; // gone since the listing
            DirEntry e;
            e.name = name;
            e.folder = S_ISDIR(st.st_mode);
            e.size = e.folder ? 0 : static_cast<std::uint64_t>(st.st_size);
            e.modified = localOleTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
            result[i].push_back(std::move(e));
        }
    }
    for (auto& [name, f] : folders)
        if (f.fd >= 0)
            ::close(f.fd);
    return result;
}

} // namespace files
