#include "support/program_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using SettingsTabTest = ProgramFixture;

TEST_F(SettingsTabTest, SalvaWritesWhatTheTabShows)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    QLineEdit* nick = control<QLineEdit>("EDNick");
    nick->clear();
    QTest::keyClicks(nick, "Mario");
    EXPECT_EQ(program.settings.NickName, "Mario");
    control<QCheckBox>("CkBRimappa")->click();
    control<QCheckBox>("CBSCOP")->click();
    control<QCheckBox>("CBIPRCD")->click(); // temporary: never saved
    EXPECT_TRUE(program.settings.CBIPRCD);
    const std::string before = folder.read("Zenfo_conf.CFG");
    QTest::mouseClick(control<QPushButton>("SpeedButton2"), Qt::LeftButton);
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"information: Impostazioni salvate in " + folder.text() +
                                                    "Zenfo_conf.CFG"});
    const std::string f = folder.text();
    EXPECT_NE(folder.read("Zenfo_conf.CFG"), before);
    EXPECT_EQ(folder.read("Zenfo_conf.CFG"), "4.4.0\r\n" + f + "\r\n" + f + "copertine/\r\n" + f + "copertine/\r\n" +
                                                 f + "locandine/\r\nMario\r\nNo_Rimappa\r\nRichiedi_locandina\r\n"
                                                     "Salva_locandina\r\nNon_salvare copertina\r\n");
}

TEST_F(SettingsTabTest, UntickingThePosterRequestUnticksItsSaving)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    QCheckBox* sl = control<QCheckBox>("CBSL");
    QCheckBox* salva = control<QCheckBox>("CBSALVALOC");
    ASSERT_TRUE(sl->isChecked());
    ASSERT_TRUE(salva->isChecked());
    sl->click();
    EXPECT_FALSE(salva->isChecked());
    EXPECT_FALSE(program.settings.CBSALVALOC);
    sl->click();
    EXPECT_TRUE(sl->isChecked());
    EXPECT_FALSE(salva->isChecked());
}

TEST_F(SettingsTabTest, SavedOptionsAreShownAndSetTheIntakePosterBox)
{
    folder.write("Zenfo_conf.CFG", "4.4.0\r\n/film\r\n/film/cop\r\n/arch/cop\r\n/arch/loc\r\nGino\r\nrimappa\r\n"
                                   "Richiedi_locandina\r\nNon_salvare locandina\r\nSalva_copertina\r\n");
    folder.write("films.txt", "");
    start();
    EXPECT_TRUE(control<QCheckBox>("CkBRimappa")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CBSALVALOC")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CBSLLOC")->isChecked());
    EXPECT_EQ(control<QLineEdit>("EDArchCop")->text(), "/arch/cop");
    EXPECT_EQ(control<QLineEdit>("NavCopert")->text(), "/film/cop");
    for (const char* name : {"CBIPMARCA", "CBIPRCD", "CBIDRCD"})
        EXPECT_FALSE(control<QCheckBox>(name)->isChecked()) << name;
}

TEST_F(SettingsTabTest, FolderChoosersChangeTheSettingButNotTheFile)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    const std::string before = folder.read("Zenfo_conf.CFG");
    std::filesystem::create_directory(folder / "cop");
    dialogs.folderAnswers = {folder.text() + "cop", std::nullopt, folder.text() + "loc"};

    control<QToolButton>("NAVDIRCOP")->click();
    // The default covers folder does not exist: the chooser starts at the program folder.
    EXPECT_EQ(dialogs.log.back(), "folder: " + folder.text());
    EXPECT_EQ(program.settings.CoverArchiveFolder, folder.text() + "cop");
    EXPECT_EQ(control<QLineEdit>("EDArchCop")->text(), QString::fromStdString(folder.text() + "cop"));

    control<QToolButton>("NAVDIRCOP")->click(); // cancelled: nothing changes
    EXPECT_EQ(dialogs.log.back(), "folder: " + folder.text() + "cop");
    EXPECT_EQ(program.settings.CoverArchiveFolder, folder.text() + "cop");

    control<QToolButton>("SpeedButton4")->click();
    EXPECT_EQ(program.settings.PosterArchiveFolder, folder.text() + "loc");
    EXPECT_EQ(control<QLineEdit>("EDArchLoc")->text(), QString::fromStdString(folder.text() + "loc"));
    EXPECT_EQ(folder.read("Zenfo_conf.CFG"), before);
}
