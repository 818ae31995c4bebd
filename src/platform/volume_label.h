#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The label of the file system a folder lies on, as the disc or partition was named when it was
// formatted. Empty when the file system has none or it cannot be learnt.
namespace volume {

namespace fs = std::filesystem;

// Where the system tells which device a file system is mounted from and what that device is called.
struct Sources
{
    fs::path mountinfo = "/proc/self/mountinfo";
    fs::path byLabel = "/dev/disk/by-label";
    // Asks the device itself (libblkid) when no link names it.
    bool probe = true;
};

// The label for a folder text (Windows-1252), at most 260 characters. A folder that does not
// exist has none: under the empty mount point of a drive without its disc it would otherwise get
// the label of the file system that holds the mount point.
std::string ReadVolumeLabel(const std::string& folderText, const Sources& sources = {});

// The mount source (for a disc, its device path) of the mount with the given device numbers, as a
// mountinfo table lists it; empty when no mount has them.
std::string mountSource(std::string_view mountinfo, unsigned major, unsigned minor);

// The label of the link in byLabel (udev's folder of label links) that leads to device; empty when
// none does.
std::string labelFromLinks(const fs::path& byLabel, const fs::path& device);

} // namespace volume
