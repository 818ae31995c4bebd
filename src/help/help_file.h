#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace help {

constexpr const char* kFileName = "Zenfohelp.RTF";
constexpr const char* kMissingText = "File Help <ZENFOHELP.RTF> non trovato";

// The help document in the first folder that holds it, its name compared ignoring case.
std::optional<std::filesystem::path> findHelpFile(const std::vector<std::filesystem::path>& folders);

} // namespace help
