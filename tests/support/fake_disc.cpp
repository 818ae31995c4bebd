#include "support/fake_disc.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

volume::Sources fakeDisc(const TempFolder& folder, const std::string& linkName)
{
    struct stat st {};
    EXPECT_EQ(::stat(folder.path().c_str(), &st), 0);
    fs::create_directories(folder / "sys/dev");
    fs::create_directories(folder / "sys/by-label");
    folder.write("sys/dev/sr0", "");
    fs::create_symlink("../dev/sr0", folder / "sys/by-label" / linkName);
    const std::string device = (folder / "sys/dev/sr0").string();
    folder.write("sys/mountinfo", "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n35 22 " + std::to_string(major(st.st_dev)) +
                                      ":" + std::to_string(minor(st.st_dev)) + " / /media/cd ro - iso9660 " +
                                      device + " ro\n");
    return {folder / "sys/mountinfo", folder / "sys/by-label", false};
}
