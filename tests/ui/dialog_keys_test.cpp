// Enter and Escape in the small dialogs, as a desktop user types them.
#include "support/modal_windows.h"
#include "support/temp_folder.h"
#include "ui/date_picker_window.h"
#include "ui/qt_dialogs.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

void tabTo(QWidget* window, QWidget* target)
{
    for (int i = 0; i < 8 && window->focusWidget() != target; ++i)
        typeKey(window, Qt::Key_Tab);
    ASSERT_EQ(window->focusWidget(), target);
}

} // namespace

TEST(DialogKeys, DatePickerEnterPicksTheDayChosenAndEscapeCancels)
{
    const QDate today = QDate::currentDate();
    struct Case {
        const char* what;
        std::function<void(DatePickerWindow*)> keys;
        std::optional<QDate> picked;
    };
    const Case cases[] = {
        {"Left, Enter", [](DatePickerWindow* w) { typeKey(w, Qt::Key_Left); typeKey(w, Qt::Key_Return); },
         today.addDays(-1)},
        {"Escape", [](DatePickerWindow* w) { typeKey(w, Qt::Key_Escape); }, std::nullopt},
        {"Left, Tab to OK, Enter",
         [](DatePickerWindow* w) {
             typeKey(w, Qt::Key_Left);
             tabTo(w, w->OKCalendar);
             typeKey(w, Qt::Key_Return);
         },
         today.addDays(-1)},
        {"Tab to Annulla, Enter",
         [](DatePickerWindow* w) {
             tabTo(w, w->ANNCalendar);
             typeKey(w, Qt::Key_Return);
         },
         std::nullopt},
    };
    DatePickerWindow picker;
    for (const Case& c : cases) {
        bool ready = false;
        whenModal<DatePickerWindow>([&](DatePickerWindow* w) {
            // A key sent before the calendar has the keyboard would reach no calendar.
            ready = QTest::qWaitFor([w] { return w->MonthCalendar1->hasFocus(); }, 20000);
            c.keys(w);
        });
        EXPECT_EQ(picker.pick(), c.picked) << c.what;
        EXPECT_TRUE(ready) << c.what;
    }
}

// A typed year and Enter show that year; a day chosen there and Enter pick it.
TEST(DialogKeys, DatePickerEnterAfterATypedYearShowsTheYear)
{
    DatePickerWindow picker;
    bool stayed = false;
    int yearShown = 0;
    whenModal<DatePickerWindow>([&](DatePickerWindow* w) {
        QTest::mouseClick(w->MonthCalendar1->findChild<QToolButton*>("qt_calendar_yearbutton"), Qt::LeftButton);
        auto* year = w->MonthCalendar1->findChild<QSpinBox*>("qt_calendar_yearedit");
        ASSERT_TRUE(year && year->isVisible());
        QTest::keyClick(year, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(year, "2005");
        QTest::keyClick(year, Qt::Key_Return);
        stayed = w->isVisible();
        yearShown = w->MonthCalendar1->yearShown();
        typeKey(w, Qt::Key_Left);
        typeKey(w, Qt::Key_Return);
    });
    const std::optional<QDate> picked = picker.pick();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(yearShown, 2005);
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->year(), 2005);
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
    bool stayed = false, stayedAgain = false;
    whenModal<QDialog>([&](QDialog* chooser) {
        auto* path = chooser->findChild<QLineEdit*>();
        path->selectAll();
        QTest::keyClicks(path, QString::fromStdString(wanted));
        whenModal<QMessageBox>([&, chooser, path](QMessageBox* question) {
            asked = question->text();
            typeKey(question, Qt::Key_Return);
            stayed = chooser->isVisible();
            // Asked again, Escape is No too.
            whenModal<QMessageBox>([&, chooser](QMessageBox* again) {
                typeKey(again, Qt::Key_Escape);
                stayedAgain = chooser->isVisible();
                typeKey(chooser, Qt::Key_Escape);
            });
            QTest::keyClick(path, Qt::Key_Return);
        });
        QTest::keyClick(path, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.chooseFolder(folder.text()), std::nullopt);
    EXPECT_TRUE(asked.startsWith("La cartella")) << asked.toStdString();
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(stayedAgain);
    EXPECT_FALSE(std::filesystem::exists(wanted));
}
