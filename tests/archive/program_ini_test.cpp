#include "archive/program_ini.h"

#include "archive/archive_file.h"
#include "archive/settings.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

unsigned modeOf(const std::filesystem::path& p)
{
    struct stat st
    {
    };
    ::stat(p.c_str(), &st);
    return st.st_mode & 0777;
}

} // namespace

TEST(ProgramIni, AMissingFileGivesFilmUpAndNoKeyWithoutAProblem)
{
    TempFolder folder;
    const programini::Loaded l = programini::read(folder.path());
    EXPECT_EQ(l.values.source, "FilmUP");
    EXPECT_EQ(l.values.tmdbKey, "");
    EXPECT_EQ(l.problem, "");
    EXPECT_FALSE(std::filesystem::exists(folder / "pellicorio.ini"));
}

TEST(ProgramIni, WrittenValuesReadBackFromAFileOnlyTheOwnerReads)
{
    TempFolder folder;
    for (const char* source : programini::kSources) {
        programini::write(folder.path(), {source, "abc.DEF-123_x"});
        EXPECT_EQ(modeOf(folder / "pellicorio.ini"), 0600u);
        const programini::Loaded l = programini::read(folder.path());
        EXPECT_EQ(l.values.source, source);
        EXPECT_EQ(l.values.tmdbKey, "abc.DEF-123_x");
        EXPECT_EQ(l.problem, "");
    }
    EXPECT_EQ(folder.read("pellicorio.ini"),
              "[Pellicorio]\r\nFonte=Wikipedia\r\nChiaveTMDb=abc.DEF-123_x\r\n");
}

TEST(ProgramIni, AFileOthersCouldReadBecomesTheOwnersOnly)
{
    TempFolder folder;
    folder.write("pellicorio.ini", "[Pellicorio]\r\nFonte=TMDb\r\n");
    ::chmod((folder / "pellicorio.ini").c_str(), 0644);
    programini::write(folder.path(), {"TMDb", "segreto"});
    EXPECT_EQ(modeOf(folder / "pellicorio.ini"), 0600u);
    // Nothing but the file itself is left in the folder.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
        EXPECT_EQ(e.path().filename(), "pellicorio.ini");
    }
    EXPECT_EQ(entries, 1);
}

TEST(ProgramIni, ADamagedFileIsReportedAndLeftUntilTheNextWrite)
{
    const struct
    {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"no section", "Fonte=TMDb\r\n", "riga 1: manca [Pellicorio]"},
        {"a line without =", "[Pellicorio]\r\nFonte TMDb\r\n", "riga 2 non valida"},
        {"an unknown source", "[Pellicorio]\r\nFonte=IMDb\r\n", "riga 2: fonte dati sconosciuta"},
        {"a key with a blank", "[Pellicorio]\r\nChiaveTMDb=a b\r\n", "riga 2: chiave TMDb non valida"},
        {"a key with a NUL", std::string("[Pellicorio]\nChiaveTMDb=a\0b\n", 28),
         "riga 2: chiave TMDb non valida"},
        {"binary bytes", std::string("\x89PNG\r\n\x1a\n", 8), "riga 1: manca [Pellicorio]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.write("pellicorio.ini", c.bytes);
        const programini::Loaded l = programini::read(folder.path());
        EXPECT_EQ(l.values.source, "FilmUP");
        EXPECT_EQ(l.values.tmdbKey, "");
        EXPECT_NE(l.problem.find(c.reason), std::string::npos) << l.problem;
        EXPECT_NE(l.problem.find("pellicorio.ini"), std::string::npos);
        EXPECT_EQ(folder.read("pellicorio.ini"), c.bytes);
        programini::write(folder.path(), {"TMDb", "k"});
        EXPECT_EQ(programini::read(folder.path()).problem, "");
    }
}

TEST(ProgramIni, AFileTooLargeOrUnreadableIsReported)
{
    TempFolder folder;
    folder.write("pellicorio.ini", "[Pellicorio]\r\n" + std::string(70000, '\n'));
    EXPECT_NE(programini::read(folder.path()).problem, "");
    std::filesystem::remove(folder / "pellicorio.ini");
    std::filesystem::create_directory(folder / "pellicorio.ini");
    EXPECT_NE(programini::read(folder.path()).problem, "");
}

TEST(ProgramIni, LaterNamesAndBlankLinesAreLeftAlone)
{
    TempFolder folder;
    folder.write("pellicorio.ini", "\r\n[Pellicorio]\nAltro=1\r\nFonte=Wikipedia\n\nChiaveTMDb=\r\n");
    const programini::Loaded l = programini::read(folder.path());
    EXPECT_EQ(l.problem, "");
    EXPECT_EQ(l.values.source, "Wikipedia");
}

TEST(ProgramIni, WritingRefusesValuesItCouldNotReadBack)
{
    TempFolder folder;
    EXPECT_THROW(programini::write(folder.path(), {"IMDb", ""}), UserError);
    EXPECT_THROW(programini::write(folder.path(), {"TMDb", "a\r\nFonte=IMDb"}), UserError);
    EXPECT_FALSE(std::filesystem::exists(folder / "pellicorio.ini"));
}

TEST(ProgramIni, IsOneOfTheProgramsOwnFiles)
{
    Settings s;
    s.ProgramFolder = "/dati/";
    s.ArchivePath = "/dati/films.txt";
    s.ConfigPath = "/dati/Zenfo_conf.CFG";
    const auto own = ownFiles(s);
    EXPECT_NE(std::find(own.begin(), own.end(), "/dati/pellicorio.ini"), own.end());
}
