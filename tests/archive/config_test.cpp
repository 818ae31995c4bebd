#include "archive/config_file.h"

#include "base/errors.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

const char* const kFirstStart = "4.4.0\r\n"
                                "%1\r\n"
                                "%1copertine/\r\n"
                                "%1copertine/\r\n"
                                "%1locandine/\r\n"
                                "Gino\r\n"
                                "Rimappa\r\n"
                                "Richiedi_locandina\r\n"
                                "Salva_locandina\r\n"
                                "Salva_copertina\r\n";

std::string withFolder(std::string text, const std::string& folder)
{
    for (std::size_t p; (p = text.find("%1")) != std::string::npos;)
        text.replace(p, 2, folder);
    return text;
}

std::string configLines(const std::string& l7, const std::string& l8, const std::string& l9,
                        const std::string& l10)
{
    return "4.4.0\r\n/film\r\n/film/cop\r\n/arch/cop\r\n/arch/loc\r\nNick\r\n" + l7 + "\r\n" + l8 + "\r\n" + l9 +
           "\r\n" + l10 + "\r\n";
}

} // namespace

TEST(Config, FirstStartAsksTheNickNameAndWritesTheDefaults)
{
    TempFolder dir;
    Settings s = Settings::defaults(dir.text());
    ScriptedDialogs dialogs;
    dialogs.inputAnswers = {std::nullopt, std::string(), std::string("Gino")};
    ReadConfig(s, dialogs);
    // Cancelled and empty answers ask again.
    EXPECT_EQ(dialogs.log, std::vector<std::string>(3, "input: Nome Archivist / Nome / "));
    EXPECT_EQ(s.NickName, "Gino");
    EXPECT_EQ(dir.read("Zenfo_conf.CFG"), withFolder(kFirstStart, dir.text()));
}

TEST(Config, ABlankIsANickName)
{
    TempFolder dir;
    Settings s = Settings::defaults(dir.text());
    ScriptedDialogs dialogs;
    dialogs.inputAnswers = {std::string(" ")};
    ReadConfig(s, dialogs);
    EXPECT_EQ(s.NickName, " ");
}

TEST(Config, FileOfTheRightVersionIsReadWithoutQuestions)
{
    TempFolder dir;
    dir.write("Zenfo_conf.CFG", "4.4.0\r\n/film\r\n/film/cop\r\n/arch/cop\r\n/arch/loc\r\n\r\nNo_Rimappa\r\n"
                                "Non_Richiedere_locandina\r\nNon_salvare locandina\r\nSalva_copertina\r\n");
    Settings s = Settings::defaults(dir.text());
    ScriptedDialogs dialogs;
    ReadConfig(s, dialogs);
    EXPECT_TRUE(dialogs.log.empty()); // an empty nick name line is not asked again
    EXPECT_EQ(s.MediaFolder, "/film");
    EXPECT_EQ(s.CoverListFolder, "/film/cop");
    EXPECT_EQ(s.CoverArchiveFolder, "/arch/cop");
    EXPECT_EQ(s.PosterArchiveFolder, "/arch/loc");
    EXPECT_EQ(s.NickName, "");
    EXPECT_TRUE(s.CkBRimappa);
    EXPECT_FALSE(s.CBSL);
    EXPECT_FALSE(s.CBSALVALOC);
    EXPECT_TRUE(s.CBSCOP);
    // Written back, the file is the same.
    WriteConfig(s);
    EXPECT_EQ(dir.read("Zenfo_conf.CFG"),
              "4.4.0\r\n/film\r\n/film/cop\r\n/arch/cop\r\n/arch/loc\r\n\r\nNo_Rimappa\r\n"
              "Non_Richiedere_locandina\r\nNon_salvare locandina\r\nSalva_copertina\r\n");
}

TEST(Config, KeywordsAreComparedExactly)
{
    const struct {
        std::string l7, l8, l9, l10;
        bool rimappa, sl, salvaLoc, scop;
    } cases[] = {
        {"Rimappa", "Richiedi_locandina", "Salva_locandina", "Salva_copertina", false, true, true, true},
        {"rimappa", "richiedi_locandina", "Salva_Locandina", "Salva_copertina ", true, false, false, false},
        {"", "", "", "", true, false, false, false},
        {"No_Rimappa", "Richiedi_locandina", "x", "Salva_copertina", true, true, false, true},
    };
    for (const auto& c : cases) {
        Settings s = Settings::defaults("/p/");
        config::applyLines(configLines(c.l7, c.l8, c.l9, c.l10), s);
        EXPECT_EQ(s.CkBRimappa, c.rimappa) << c.l7;
        EXPECT_EQ(s.CBSL, c.sl) << c.l8;
        EXPECT_EQ(s.CBSALVALOC, c.salvaLoc) << c.l9;
        EXPECT_EQ(s.CBSCOP, c.scop) << c.l10;
    }
}

TEST(Config, MissingLinesReadAsEmptyText)
{
    Settings s = Settings::defaults("/p/");
    config::applyLines("4.4.0\r\n/film\r\n", s);
    EXPECT_EQ(s.MediaFolder, "/film");
    EXPECT_EQ(s.CoverListFolder, "");
    EXPECT_EQ(s.NickName, "");
    EXPECT_TRUE(s.CkBRimappa);
    EXPECT_FALSE(s.CBSL);
    EXPECT_FALSE(s.CBSALVALOC);
    EXPECT_FALSE(s.CBSCOP);
}

TEST(Config, FileOfAnotherVersionIsReplacedByTheDefaults)
{
    TempFolder dir;
    dir.write("Zenfo_conf.CFG", configLines("No_Rimappa", "x", "x", "x").replace(0, 5, "4.3.9"));
    Settings s = Settings::defaults(dir.text());
    ScriptedDialogs dialogs;
    dialogs.inputAnswers = {std::string("Gino")};
    ReadConfig(s, dialogs);
    EXPECT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dir.read("Zenfo_conf.CFG"), withFolder(kFirstStart, dir.text()));
    EXPECT_FALSE(s.CkBRimappa);
    EXPECT_EQ(s.MediaFolder, dir.text());
}

TEST(Config, NamesDifferingOnlyInCaseAreTheSameFile)
{
    TempFolder dir;
    dir.write("ZENFO_CONF.cfg", configLines("Rimappa", "x", "x", "x"));
    dir.write("FILMS.TXT", "");
    const Settings s = Settings::defaults(dir.text());
    EXPECT_EQ(s.ConfigPath, dir.text() + "ZENFO_CONF.cfg");
    EXPECT_EQ(s.ArchivePath, dir.text() + "FILMS.TXT");
}

// A configuration behind a link to a disk that is not mounted is not replaced by defaults: the
// start-up reports it and keeps the defaults in memory only.
TEST(Config, AConfigurationOutOfReachIsNotReplaced)
{
    TempFolder dir;
    Settings s = Settings::defaults(dir.text());
    const std::filesystem::path target = dir / "disco" / "Zenfo_conf.CFG";
    std::filesystem::create_symlink(target, dir / "Zenfo_conf.CFG");
    ScriptedDialogs dialogs;
    try {
        ReadConfig(s, dialogs);
        FAIL() << "read a configuration that is not there";
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Il collegamento punta a un file che non c'\xE8:\n", 0), 0u) << e.what();
    }
    EXPECT_TRUE(dialogs.log.empty()) << "no nick name prompt";
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "Zenfo_conf.CFG"));
    EXPECT_FALSE(std::filesystem::exists(dir / "disco"));
    EXPECT_EQ(s.NickName, "");
}
