#include "help/help_file.h"
#include "platform/data_folder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A prefix as `cmake --install` lays it out: PREFIX/bin and PREFIX/share/pellicorio.
fs::path makeInstalledPrefix(const TempFolder& root)
{
    fs::create_directories(root / "prefix/bin");
    fs::create_directories(root / "prefix/share/pellicorio");
    return root / "prefix/bin";
}

enum class Expect { CommandLine, ExeFolder, XdgDataHome, HomeLocalShare };

struct ChooseCase
{
    const char* name;
    bool commandLine;
    enum { BuildFolder, InstalledBin, MissingFolder } exe;
    bool xdgSet;
    Expect expect;
};

void PrintTo(const ChooseCase& c, std::ostream* os)
{
    *os << c.name;
}

class DataFolderChoice : public ::testing::TestWithParam<ChooseCase> {};

} // namespace

TEST_P(DataFolderChoice, PicksTheFolderTheLayoutCallsFor)
{
    const ChooseCase& c = GetParam();
    TempFolder root;
    fs::create_directories(root / "home");
    fs::create_directories(root / "build");
    ScopedEnv home("HOME", (root / "home").string());
    ScopedEnv xdg("XDG_DATA_HOME", c.xdgSet ? std::optional<std::string>((root / "xdg").string()) : std::nullopt);

    fs::path exe;
    switch (c.exe) {
    case ChooseCase::BuildFolder: exe = root / "build"; break;
    case ChooseCase::InstalledBin: exe = makeInstalledPrefix(root); break;
    case ChooseCase::MissingFolder: exe = root / "gone"; break;
    }
    const auto commandLine = c.commandLine ? std::optional<std::string>((root / "cmd/dati").string()) : std::nullopt;

    const fs::path chosen = datafolder::choose(commandLine, exe);
    fs::path expected;
    switch (c.expect) {
    case Expect::CommandLine: expected = root / "cmd/dati"; break;
    case Expect::ExeFolder: expected = exe; break;
    case Expect::XdgDataHome: expected = root / "xdg/pellicorio"; break;
    case Expect::HomeLocalShare: expected = root / "home/.local/share/pellicorio"; break;
    }
    EXPECT_EQ(chosen, expected);
    EXPECT_TRUE(fs::is_directory(chosen));
    EXPECT_FALSE(fs::exists(exe / "films.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DataFolderChoice,
    ::testing::Values(
        ChooseCase{"TheCommandLineFolderWinsAndIsCreated", true, ChooseCase::InstalledBin, true, Expect::CommandLine},
        ChooseCase{"AWritableBuildFolderIsThePortableLayout", false, ChooseCase::BuildFolder, true, Expect::ExeFolder},
        ChooseCase{"AnInstalledCopyInAWritablePrefixUsesXdgDataHome", false, ChooseCase::InstalledBin, true,
                   Expect::XdgDataHome},
        ChooseCase{"WithoutXdgDataHomeTheUsersLocalShare", false, ChooseCase::InstalledBin, false,
                   Expect::HomeLocalShare},
        ChooseCase{"AnExecutableFolderThatIsGoneUsesXdgDataHome", false, ChooseCase::MissingFolder, true,
                   Expect::XdgDataHome}),
    [](const ::testing::TestParamInfo<ChooseCase>& info) { return std::string(info.param.name); });

TEST(DataFolder, AnExecutableFolderThatCannotBeWrittenUsesXdgDataHome)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any folder";
    TempFolder root;
    fs::create_directories(root / "ro");
    ::chmod((root / "ro").c_str(), 0555);
    ScopedEnv xdg("XDG_DATA_HOME", (root / "xdg").string());
    EXPECT_EQ(datafolder::choose(std::nullopt, root / "ro"), root / "xdg/pellicorio");
    ::chmod((root / "ro").c_str(), 0755);
}

TEST(DataFolder, AnInstalledCopyFindsItsHelpDocumentInTheSharedFolder)
{
    TempFolder root;
    const fs::path bin = makeInstalledPrefix(root);
    EXPECT_EQ(datafolder::installedDataFolder(bin), root / "prefix/share/pellicorio");
    fs::create_directories(root / "dati");
    root.write("prefix/share/pellicorio/Zenfohelp.RTF", "{\\rtf1 aiuto}");

    const auto folders = datafolder::helpFolders(root / "dati", bin);
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.back(), root / "prefix/share/pellicorio");
    EXPECT_EQ(help::findHelpFile(folders), root / "prefix/share/pellicorio/Zenfohelp.RTF");

    // A copy in the data folder (the user's own) comes first.
    root.write("dati/Zenfohelp.RTF", "{\\rtf1 mio}");
    EXPECT_EQ(help::findHelpFile(datafolder::helpFolders(root / "dati", bin)), root / "dati/Zenfohelp.RTF");
}

TEST(DataFolder, TheBuildFolderLayoutLooksOnlyWhereItDidBefore)
{
    TempFolder root;
    fs::create_directories(root / "build");
    const auto folders = datafolder::helpFolders(root / "dati", root / "build");
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[1], root / "dati");
    EXPECT_EQ(folders[2], root / "build");
}
