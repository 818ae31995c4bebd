#include "support/program_fixture.h"

#include "archive/archive_line.h"
#include "lookup/filmup_site.h"
#include "platform/files.h"
#include "ui/intake_tab.h"
#include "ui/lookup_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

#include <functional>

namespace {

// A film page of the second site as a browser on Linux copies it: LF line ends, and an arrow
// that Windows-1252 cannot hold.
const QString kMatrixPage = QString::fromUtf8("Matrix\n"
                                              "Un film di fantascienza\n"
                                              "Titolo originale: The Matrix\n"
                                              "136 min\n"
                                              "Fantascienza\n"
                                              "Regia: Nome Regista\n"
                                              "Con attori vari\n"
                                              "Anno: 1999\n"
                                              "\n"
                                              "\n"
                                              "\n"
                                              "Neo scopre che il mondo \xC3\xA8 una simulazione.\n"
                                              "Leggi il finale\n"
                                              "Alla fine \xE2\x86\x92 sceglie di combattere.\n"
                                              "\n"
                                              "Primo Attore (Ruolo Uno)\n"
                                              "Secondo Attore (Ruolo Due)\n");
const QString kMatrixPlot = QString::fromUtf8("Neo scopre che il mondo \xC3\xA8 una simulazione. "
                                              "Alla fine ? sceglie di combattere.");

struct Fields
{
    QString titolo, durata, genere, regia, datau, attore1, attore2, trama;
    bool operator==(const Fields&) const = default;
};

void PrintTo(const Fields& f, std::ostream* os)
{
    for (const QString& s : {f.titolo, f.durata, f.genere, f.regia, f.datau, f.attore1, f.attore2, f.trama})
        *os << '"' << s.toStdString() << "\" ";
}

class ClipboardImport : public ProgramFixture
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(folder / "media");
        folder.write("media/Matrix.avi", "film");
        folder.write("Zenfo_conf.CFG", "4.4.0\r\n" + folder.text() + "media\r\n" + folder.text() +
                                           "copertine\r\n" + folder.text() + "copertine\r\n" + folder.text() +
                                           "locandine\r\nNick\r\nRimappa\r\nRichiedi_locandina\r\n"
                                           "Salva_locandina\r\nSalva_copertina\r\n");
        folder.write("films.txt", "");
        start();
        ASSERT_EQ(dialogs.log, std::vector<std::string>{});
        main()->show();
        clickPage(1);
        QApplication::clipboard()->clear();
    }

    IntakeTab* in() const { return main()->intakeTab(); }
    void clickLine(int line, Qt::KeyboardModifiers modifiers = {})
    {
        QListWidget* list = in()->CheckListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(list->item(line)).center() + QPoint(30, 0));
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    // A click on the start of a link label's text, where its anchor is.
    static void clickLink(QLabel* link)
    {
        const QRect r = link->contentsRect();
        QTest::mouseClick(link, Qt::LeftButton, {},
                          QPoint(r.left() + link->fontMetrics().horizontalAdvance("ww"), r.center().y()));
    }
    void pasteMatrixInto(int line)
    {
        clickLine(line);
        click(in()->RBLK1);
        QApplication::clipboard()->setText(kMatrixPage);
        click(in()->Paste);
    }
    static QString shownText(const QLabel* label)
    {
        QTextDocument page;
        page.setHtml(label->text());
        return page.toPlainText();
    }
    QColor titleColour() const { return in()->EDTitolo->palette().color(QPalette::Text); }
    static QColor toolTipText() { return QApplication::palette().color(QPalette::ToolTipText); }

    Fields fields() const
    {
        const IntakeTab& t = *in();
        return {t.EDTitolo->text(), t.EDDurata->text(),  t.EDGenere->text(),  t.EDRegia->text(),
                t.EDDataU->text(),  t.EDAttore1->text(), t.EDAttore2->text(), t.MDTrama->toPlainText()};
    }
    static Fields matrixFields()
    {
        return {"Matrix",
                "136 min",
                "FANTASCIENZA",
                "Nome Regista",
                "1999",
                "Primo Attore (Ruolo Uno)",
                "Secondo Attore (Ruolo Due)",
                kMatrixPlot};
    }
};

} // namespace

TEST_F(ClipboardImport, TheRadioButtonsChooseTheSourceAndItsLink)
{
    IntakeTab& t = *in();
    EXPECT_EQ(t.Paste->text(), "Chiedi Dati a FilmUP");
    EXPECT_EQ(t.Paste->toolTip(), "Preleva da ClipBoard dati film ( da www.mymovies.it)");
    // The FilmUP link reads as the site's short name and opens the whole address.
    ASSERT_EQ(filmup::baseUrl(), "http://filmup.leonardo.it");
    EXPECT_EQ(shownText(t.LINK2), "filmup");
    EXPECT_FALSE(t.RBLK1->isChecked());
    EXPECT_TRUE(t.RBLK2->isChecked());
    EXPECT_FALSE(t.LINK1->isEnabled());
    EXPECT_TRUE(t.LINK2->isEnabled());
    // A disabled link opens nothing.
    clickLink(t.LINK1);
    EXPECT_TRUE(dialogs.openedUrls.empty());

    click(t.RBLK1);
    EXPECT_EQ(t.Paste->text(), "Copia da ClipBoard");
    EXPECT_TRUE(t.LINK1->isEnabled());
    EXPECT_FALSE(t.LINK2->isEnabled());
    clickLink(t.LINK2);
    clickLink(t.LINK1);
    EXPECT_EQ(dialogs.openedUrls, std::vector<std::string>{"https://www.mymovies.it"});

    click(t.RBLK2);
    EXPECT_EQ(t.Paste->text(), "Chiedi dati a FilmUP");
    EXPECT_FALSE(t.LINK1->isEnabled());
    EXPECT_TRUE(t.LINK2->isEnabled());
    clickLink(t.LINK2);
    EXPECT_EQ(dialogs.openedUrls, (std::vector<std::string>{"https://www.mymovies.it", filmup::baseUrl()}));
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(ClipboardImport, ACopiedFilmPageFillsTheFields)
{
    // A tool-tip colour of the test's own: offscreen the default one is the text colour too.
    const QPalette original = QApplication::palette();
    const struct Restore
    {
        QPalette palette;
        ~Restore() { QApplication::setPalette(palette); }
    } restore{original};
    QPalette tips = original;
    tips.setColor(QPalette::ToolTipText, QColor(0, 0, 170));
    QApplication::setPalette(tips);
    ASSERT_NE(toolTipText(), original.color(QPalette::Text));
    in()->EDNFLOC->setText("lc_vecchio.jpg");
    pasteMatrixInto(0);
    ASSERT_EQ(in()->CheckListBox1->item(0)->text(), "MATRIX.AVI");
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(fields(), matrixFields());
    EXPECT_EQ(in()->EDNFLOC->text(), "");
    EXPECT_TRUE(in()->AssociaDati->isEnabled());
    EXPECT_EQ(titleColour(), toolTipText());
    ASSERT_NE(toolTipText(), QColor(Qt::red));

    const struct
    {
        const char* title;
        QColor colour;
    } titles[] = {{"Il Padrino", Qt::red}, {"Matrix Reloaded", toolTipText()}, {"mat", Qt::red}};
    for (const auto& c : titles) {
        SCOPED_TRACE(c.title);
        QApplication::clipboard()->setText(QString(c.title) + "\n\n\n\n\nRegia: Qualcuno\n");
        click(in()->Paste);
        EXPECT_EQ(in()->EDTitolo->text(), c.title);
        EXPECT_EQ(titleColour(), c.colour);
    }
}

TEST_F(ClipboardImport, WhatIsNoFilmPageLeavesTheFields)
{
    pasteMatrixInto(0);
    in()->EDNFLOC->setText("lc_Matrix.jpg");
    const struct
    {
        const char* name;
        std::function<void()> fill;
        std::string message;
        QString poster;
    } cases[] = {
        {"empty", [] { QApplication::clipboard()->clear(); }, "information: ClipBoard vuota",
         "lc_Matrix.jpg"},
        {"a picture only",
         [] {
             QImage picture(8, 8, QImage::Format_RGB32);
             picture.fill(Qt::blue);
             QApplication::clipboard()->setImage(picture);
         },
         "information: ClipBoard vuota", "lc_Matrix.jpg"},
        {"a text without Regia: or Anno:",
         [] { QApplication::clipboard()->setText("Il Padrino\nregia e anno in minuscolo\n\n\n\nTrama\n"); },
         "information: Contenuto ClipBoard non compatibile", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.log.clear();
        c.fill();
        click(in()->Paste);
        EXPECT_EQ(dialogs.log, std::vector<std::string>{c.message});
        EXPECT_EQ(fields(), matrixFields());
        EXPECT_EQ(in()->EDNFLOC->text(), c.poster);
    }
}

TEST_F(ClipboardImport, WithoutASelectedLineOnlyABeep)
{
    clickLine(0);
    // Ctrl and a click take the selection away; Paste stays enabled.
    clickLine(0, Qt::ControlModifier);
    ASSERT_FALSE(in()->CheckListBox1->item(0)->isSelected());
    ASSERT_TRUE(in()->Paste->isEnabled());
    click(in()->RBLK1);
    QApplication::clipboard()->setText(kMatrixPage);
    click(in()->Paste);
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"beep"});
    EXPECT_EQ(in()->EDTitolo->text(), "");
    EXPECT_FALSE(in()->AssociaDati->isEnabled());
}

TEST_F(ClipboardImport, TheFilmUpSourceLeavesTheClipboardAlone)
{
    clickLine(0);
    QApplication::clipboard()->setText(kMatrixPage);
    click(in()->Paste);
    EXPECT_TRUE(windows->form4->isVisible());
    EXPECT_EQ(in()->EDTitolo->text(), "");
    EXPECT_EQ(in()->EDGenere->text(), "");
    windows->form4->hide();
}

TEST_F(ClipboardImport, PastedDataReachTheArchive)
{
    pasteMatrixInto(0);
    ASSERT_TRUE(in()->AssociaDati->isEnabled());
    click(in()->AssociaDati);
    dialogs.confirmAnswers = {true};
    click(in()->AddToDB);
    ASSERT_EQ(dialogs.log.front(), "confirm: Aggiungo elementi con spunta a DataBase ?");

    const std::string archive = files::readWhole(folder / "films.txt", 1 << 20);
    const dfilm record =
        archiveline::parse(archive.substr(0, archive.find("\r\n")), RegionalSettings::italian());
    EXPECT_EQ(record.titolo, "MATRIX.AVI");
    EXPECT_EQ(record.genere, "FANTASCIENZA");
    EXPECT_EQ(record.durata, "136 min");
    EXPECT_EQ(record.datau, "1999");
    EXPECT_EQ(record.attore1, "Primo Attore (Ruolo Uno)");
    EXPECT_EQ(record.attore2, "Secondo Attore (Ruolo Due)");
    EXPECT_EQ(record.regia, "Nome Regista");
    EXPECT_EQ(record.trama,
              "Neo scopre che il mondo \xE8 una simulazione. Alla fine ? sceglie di combattere.");
    // No poster from an earlier lookup goes with these data.
    EXPECT_FALSE(std::filesystem::exists(folder / "locandine"));
}
