#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace files {

struct DirEntry
{
    std::string name; // as the file system spells it (UTF-8)
    std::uint64_t size = 0;
    double modified = 0; // local OLE date-time
    bool folder = false;
};

// '*' any run of characters, '?' one character; letter case is ignored, as the wildcard match of a
// case-insensitive file system does.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// For each wildcard path text (a folder text followed by a pattern such as "/*.avi"), the entries
// it matches in the order the file system returns them, folders included. A folder that cannot
// be read matches nothing. Each folder is read once however many patterns name it.
std::vector<std::vector<DirEntry>> listMatching(const std::vector<std::string>& wildcardPaths);

} // namespace files
