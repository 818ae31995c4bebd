#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace update {

// One try at writing the package into a folder; error is empty when it was written.
struct SaveAttempt
{
    std::filesystem::path folder;
    std::string error;
};

// Writes the package crash-safely (temporary file, flush, rename) into the first of the folders
// that takes it. Empty folders and repeats of an earlier one are skipped. Returns every try in
// order; the last is the one that succeeded, if any did.
std::vector<SaveAttempt> savePackage(const std::vector<std::filesystem::path>& folders,
                                     const std::string& name, const std::string& bytes);

} // namespace update
