// Qt's own windows speak Italian whatever the process locale: the suite runs this file under
// LANG=C and again under LANG=en_US.UTF-8.
#include "archive/archive_file.h"
#include "session/program.h"
#include "base/dates.h"
#include "platform/regional_locale.h"
#include "support/modal_windows.h"
#include "support/temp_folder.h"
#include "ui/date_picker_window.h"
#include "ui/main_window.h"
#include "ui/program_windows.h"
#include "ui/qt_dialogs.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

bool englishRun()
{
    const char* lang = std::getenv("LANG");
    return lang && std::strncmp(lang, "en_US", 5) == 0;
}

void clickButton(QWidget* window, const QString& caption)
{
    for (auto* b : window->findChildren<QPushButton*>())
        if (b->isVisible() && readCaption(b->text()) == caption)
            return QTest::mouseClick(b, Qt::LeftButton);
    ADD_FAILURE() << "no button " << caption.toStdString();
}

// What the visible buttons or labels of a window read.
template <typename W>
QStringList visibleTexts(QWidget* window)
{
    QStringList texts;
    for (auto* w : window->findChildren<W*>())
        if (w->isVisible())
            texts << readCaption(w->text());
    return texts;
}

QStringList buttonCaptions(QWidget* window) { return visibleTexts<QPushButton>(window); }
QStringList labelTexts(QWidget* window) { return visibleTexts<QLabel>(window); }

const QStringList kItalianMonths = {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno",
                                    "luglio", "agosto", "settembre", "ottobre", "novembre", "dicembre"};

} // namespace

// The English run means something only when the C library really runs under that locale.
TEST(ItalianDialogs, TheProcessLocaleIsTheOneAsked)
{
    if (englishRun()) {
        EXPECT_STREQ(std::setlocale(LC_TIME, nullptr), std::getenv("LANG"))
            << "the locale is not installed: localedef -i en_US -f UTF-8 en_US.UTF-8";
    }
}

TEST(ItalianDialogs, QuestionBoxSaysSiAndNoAndEnterOrEscapeAnswerNo)
{
    struct Case {
        const char* what;
        std::function<void(QMessageBox*)> answer;
        bool expected;
    };
    const Case cases[] = {
        {"Enter", [](QMessageBox* box) { typeKey(box, Qt::Key_Return); }, false},
        {"Escape", [](QMessageBox* box) { typeKey(box, Qt::Key_Escape); }, false},
        {"a click on S\xC3\xAC", [](QMessageBox* box) { clickButton(box, QString::fromUtf8("S\xC3\xAC")); }, true},
    };
    QtDialogs dialogs;
    for (const Case& c : cases) {
        QStringList captions;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            captions = buttonCaptions(box);
            c.answer(box);
        });
        EXPECT_EQ(dialogs.confirm(Dialogs::Kind::Question, "ESCO ?"), c.expected) << c.what;
        captions.sort();
        EXPECT_EQ(captions, QStringList({"No", QString::fromUtf8("S\xC3\xAC")})) << c.what;
    }
}

TEST(ItalianDialogs, MessageBoxSaysOkAndTheInputBoxAnnulla)
{
    QtDialogs dialogs;
    QStringList captions;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        captions = buttonCaptions(box);
        typeKey(box, Qt::Key_Return);
    });
    dialogs.message(Dialogs::Kind::Information, "Fatto");
    EXPECT_EQ(captions, QStringList({"OK"}));

    whenModal<QInputDialog>([&](QInputDialog* box) {
        captions = buttonCaptions(box);
        typeKey(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.inputBox("Zenfo", "Nome", "lista"), std::nullopt);
    captions.sort();
    EXPECT_EQ(captions, QStringList({"Annulla", "OK"}));
}

// The file dialog, its captions and the columns of its list: sizes, kinds and dates too.
TEST(ItalianDialogs, FileDialogSpeaksItalianUpToItsColumns)
{
    TempFolder folder;
    folder.write("lista.txt", std::string(1536, 'x'));
    std::filesystem::create_directory(folder / "copertine");
    const QDateTime stamp(QDate(2005, 3, 21), QTime(10, 30));
    QFile list(QString::fromStdString((folder / "lista.txt").string()));
    ASSERT_TRUE(list.open(QIODevice::ReadWrite));
    ASSERT_TRUE(list.setFileTime(stamp, QFileDevice::FileModificationTime));
    list.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.path().string()));

    QtDialogs dialogs;
    QStringList captions, labels, fileRow, folderRow;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        captions = buttonCaptions(dialog);
        labels = labelTexts(dialog);
        auto* view = dialog->findChild<QTreeView*>("treeView");
        const auto row = [view](const QString& name) {
            QStringList cells;
            for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
                if (view->model()->index(r, 0, view->rootIndex()).data().toString() == name)
                    for (int c = 0; c < 4; ++c)
                        cells << view->model()->index(r, c, view->rootIndex()).data().toString();
            return cells;
        };
        // The folder is read on a thread of Qt's own.
        for (int i = 0; i < 1000 && (fileRow.isEmpty() || folderRow.isEmpty()); ++i) {
            QTest::qWait(10);
            fileRow = row("lista.txt");
            folderRow = row("copertine");
        }
        typeKey(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.chooseFile("*.TXT|*.TXT|*.*|*.*", "*.TXT"), std::nullopt);
    QDir::setCurrent(before);

    EXPECT_TRUE(captions.contains("Apri")) << captions.join('|').toStdString();
    EXPECT_TRUE(captions.contains("Annulla")) << captions.join('|').toStdString();
    for (const char* english : {"Look in:", "File name:", "Files of type:"})
        EXPECT_FALSE(labels.contains(english)) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("Nome del file:")) << labels.join('|').toStdString();
    ASSERT_EQ(fileRow.size(), 4);
    EXPECT_EQ(fileRow[1], "1,50 KiB");
    EXPECT_EQ(fileRow[3], "21/03/2005 10:30");
    ASSERT_EQ(folderRow.size(), 4);
    EXPECT_EQ(folderRow[2], "Cartella");
}

// The save dialog opens where it is told with the name suggested, says "Salva", and replaces a
// file only after a question answered Yes.
TEST(ItalianDialogs, SaveDialogSaysSalvaAndAsksBeforeReplacing)
{
    TempFolder folder;
    folder.write("lista.txt", "vecchia");
    QtDialogs dialogs;
    QString caption, suggested, shownFolder;
    QStringList captions, questions;
    bool stayed = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        caption = dialog->windowTitle();
        captions = buttonCaptions(dialog);
        shownFolder = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        suggested = name->text();
        // The first question is answered No: the dialog stays for another try, answered Yes.
        whenModal<QMessageBox>([&](QMessageBox* box) {
            questions << box->text();
            clickButton(box, "No");
        });
        clickButton(dialog, "Salva");
        stayed = dialog->isVisible();
        whenModal<QMessageBox>([&](QMessageBox* box) {
            questions << box->text();
            clickButton(box, QString::fromUtf8("S\xC3\xAC"));
        });
        clickButton(dialog, "Salva");
    });
    const auto chosen = dialogs.chooseSaveFile(
        {"Esporta titoli su lista ASCII", "*.TXT|*.TXT|*.*|*.*", "*.TXT", folder.text(), "lista.txt"});
    EXPECT_EQ(chosen, folder.text() + "lista.txt");
    EXPECT_EQ(caption, "Esporta titoli su lista ASCII");
    EXPECT_EQ(shownFolder.toStdString() + "/", folder.text());
    EXPECT_EQ(suggested, "lista.txt");
    EXPECT_TRUE(captions.contains("Salva")) << captions.join('|').toStdString();
    EXPECT_FALSE(captions.contains("Apri")) << captions.join('|').toStdString();
    EXPECT_TRUE(stayed);
    ASSERT_EQ(questions.size(), 2);
    EXPECT_TRUE(questions[0].contains("lista.txt")) << questions[0].toStdString();
    EXPECT_FALSE(questions[0].contains("replace")) << questions[0].toStdString(); // Qt's Italian
    EXPECT_EQ(folder.read("lista.txt"), "vecchia"); // the dialog only chooses

    // A new name is taken at once, with the extension added; Escape cancels.
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->selectAll();
        QTest::keyClicks(name, "nuova");
        clickButton(dialog, "Salva");
    });
    EXPECT_EQ(dialogs.chooseSaveFile({"", "*.TXT|*.TXT|*.*|*.*", "*.TXT", folder.text(), ""}),
              folder.text() + "nuova.TXT");
    whenModal<QFileDialog>([&](QFileDialog* dialog) { typeKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.chooseSaveFile({"", "*.TXT|*.TXT|*.*|*.*", "*.TXT", folder.text(), "lista.txt"}),
              std::nullopt);
}

TEST(ItalianDialogs, DatePickerNamesTheMonthInItalian)
{
    DatePickerWindow picker;
    QString month;
    whenModal<DatePickerWindow>([&](DatePickerWindow* w) {
        if (auto* button = w->MonthCalendar1->findChild<QToolButton*>("qt_calendar_monthbutton"))
            month = button->text();
        typeKey(w, Qt::Key_Escape);
    });
    EXPECT_EQ(picker.pick(), std::nullopt);
    EXPECT_TRUE(kItalianMonths.contains(month)) << month.toStdString();
}

// Qt's Italian touches only what Qt draws: the archive is read and written with the regional
// settings of the process locale, so a record saved from the program comes out byte for byte.
TEST(ItalianDialogs, TheArchiveRoundTripsUnderTheProcessLocale)
{
    TempFolder folder;
    Program program;
    program.dataFolder = folder.path();
    program.helpFolders = {folder.path()};
    program.regional = regional::fromProcessLocale();
    ArchiveModel sample;
    for (const char* title : {"ALIEN.MPG", "MATRIX.AVI", "LA VITA \xC8 BELLA.DIVX"}) {
        dfilm& r = sample.ArchiveTable.edit(++sample.ArchiveCount);
        r.titolo = title;
        r.genere = "FANTASCIENZA";
        r.posizione = "Gino-CD7";
        r.dataa = dates::encode({2005, 3, 21});
        r.dimmb = 734.5;
        r.trama = "Un programmatore scopre che il mondo \xE8 una simulazione.";
    }
    // The number and date forms that differ most between locales.
    dfilm& big = sample.ArchiveTable.edit(++sample.ArchiveCount);
    big.titolo = "ZARDOZ.AVI";
    big.dataa = dates::encode({1999, 12, 31}) + 0.4375;
    big.dimmb = 1234567.25;
    big.riservato = 3;
    SaveArchive(sample, (folder / "films.txt").string(), program.regional);
    folder.write("Zenfo_conf.CFG", "4.4.0\r\n" + folder.text() + "\r\n" + folder.text() + "\r\n" + folder.text() +
                                       "\r\n" + folder.text() + "\r\nGino\r\n");
    const std::string original = folder.read("films.txt");
    // The settings follow the C library's locale, not Qt's Italian.
    EXPECT_NE(original.find(englishRun() ? "\t03/21/2005\t734.5\t" : "\t21/03/2005\t734,5\t"), std::string::npos)
        << original;

    QtDialogs dialogs;
    ProgramWindows windows(program, dialogs);
    MainWindow* main = windows.form1.get();
    dialogs.setParent(main);
    main->show();
    auto* list = main->findChild<QListView*>("DBLBresult");
    ASSERT_EQ(list->model()->rowCount(), 4);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    QStringList asked;
    whenModal<QMessageBox>([&](QMessageBox* question) {
        asked << question->text();
        whenModal<QMessageBox>([&](QMessageBox* done) {
            asked << done->text();
            clickButton(done, "OK");
        });
        clickButton(question, QString::fromUtf8("S\xC3\xAC"));
    });
    QTest::mouseClick(main->findChild<QPushButton*>("DBAggRec"), Qt::LeftButton);
    EXPECT_EQ(asked, QStringList({"Aggiorno dati del record selezionato ?", "Record aggiornato"}));
    EXPECT_EQ(folder.read("films.txt"), original);
}
