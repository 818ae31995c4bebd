#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The label of the file system a folder lies on, as the disc or partition was named when it was
// formatted. Empty when the file system has none or it cannot be learnt.
namespace volume {

namespace fs = std::filesystem;

// The label for a folder text (Windows-1252); a folder that does not exist yet is taken on the
// file system of its nearest existing parent. At most 260 characters.
std::string ReadVolumeLabel(const std::string& folderText);

// The mount source (for a disc, its device path) of the mount with the given device numbers, as a
// mountinfo table lists it; empty when no mount has them.
std::string mountSource(std::string_view mountinfo, unsigned major, unsigned minor);

// The label of the link in byLabel (udev's folder of label links) that leads to device; empty when
// none does.
std::string labelFromLinks(const fs::path& byLabel, const fs::path& device);

} // namespace volume
