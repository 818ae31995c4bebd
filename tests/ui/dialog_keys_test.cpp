// Enter and Escape in the small dialogs, as a desktop user types them.
#include "support/modal_windows.h"
#include "support/temp_folder.h"
#include "ui/date_picker_window.h"
#include "ui/qt_dialogs.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

TEST(DialogKeys, DatePickerEnterPicksTheDayChosenAndEscapeCancels)
{
    DatePickerWindow picker;
    whenModal<DatePickerWindow>([](DatePickerWindow* w) {
        typeKey(w, Qt::Key_Left);
        typeKey(w, Qt::Key_Return);
    });
    EXPECT_EQ(picker.pick(), QDate::currentDate().addDays(-1));

    whenModal<DatePickerWindow>([](DatePickerWindow* w) { typeKey(w, Qt::Key_Escape); });
    EXPECT_EQ(picker.pick(), std::nullopt);

    // Tab to the OK button, and Enter presses it.
    whenModal<DatePickerWindow>([](DatePickerWindow* w) {
        for (int i = 0; i < 8 && w->focusWidget() != w->OKCalendar; ++i)
            typeKey(w, Qt::Key_Tab);
        typeKey(w, Qt::Key_Return);
    });
    EXPECT_EQ(picker.pick(), QDate::currentDate());
}

TEST(DialogKeys, FolderChooserEnterTakesTheTypedFolderAndANewOneOnlyOnYes)
{
    TempFolder folder;
    QtDialogs dialogs;
    const std::string existing = folder.text() + "film";
    std::filesystem::create_directory(existing);

    whenModal<QDialog>([&](QDialog* chooser) {
        auto* path = chooser->findChild<QLineEdit*>();
        path->selectAll();
        QTest::keyClicks(path, QString::fromStdString(existing));
        QTest::keyClick(path, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.chooseFolder(folder.text()), existing);

    // A folder that does not exist: Enter on the question is No, so nothing is made and the
    // chooser stays; Escape then leaves it.
    const std::string wanted = folder.text() + "nuova";
    QString asked;
    bool stayed = false;
    whenModal<QDialog>([&](QDialog* chooser) {
        auto* path = chooser->findChild<QLineEdit*>();
        path->selectAll();
        QTest::keyClicks(path, QString::fromStdString(wanted));
        whenModal<QMessageBox>([&, chooser](QMessageBox* question) {
            asked = question->text();
            typeKey(question, Qt::Key_Return);
            stayed = chooser->isVisible();
            typeKey(chooser, Qt::Key_Escape);
        });
        QTest::keyClick(path, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.chooseFolder(folder.text()), std::nullopt);
    EXPECT_TRUE(asked.startsWith("La cartella")) << asked.toStdString();
    EXPECT_TRUE(stayed);
    EXPECT_FALSE(std::filesystem::exists(wanted));
}
