#pragma once

#include "session/program.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/program_windows.h"

#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A program started on a fresh data folder, its dialogs answered by the test.
class ProgramFixture : public ::testing::Test
{
protected:
    TempFolder folder;
    ScriptedDialogs dialogs;
    Program program;
    std::unique_ptr<ProgramWindows> windows;

    void start()
    {
        program.dataFolder = folder.path();
        program.helpFolders = {folder.path()};
        windows = std::make_unique<ProgramWindows>(program, dialogs);
    }

    MainWindow* main() const { return windows->form1.get(); }

    // A click on a tab of the main window's page control, as a user shows a page.
    void clickPage(int index) const
    {
        QTabBar* bar = control<QTabWidget>("PageControl1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    template <typename T>
    T* control(const char* name) const
    {
        T* w = main()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << "no control " << name;
        return w;
    }

    void writeConfig(const std::string& nick = "Gino")
    {
        folder.write("Zenfo_conf.CFG", "4.4.0\r\n" + folder.text() + "\r\n" + folder.text() + "copertine/\r\n" +
                                           folder.text() + "copertine/\r\n" + folder.text() + "locandine/\r\n" +
                                           nick + "\r\nRimappa\r\nRichiedi_locandina\r\nSalva_locandina\r\n"
                                                  "Salva_copertina\r\n");
    }
};
