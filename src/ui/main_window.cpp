#include "main_window.h"

#include "qt_text.h"
#include "archive_browser.h"
#include "archive_tab.h"
#include "clipboard_import_controller.h"
#include "covers_controller.h"
#include "intake_controller.h"
#include "intake_tools_controller.h"
#include "lookup_controller.h"
#include "session/error_report.h"
#include "file_questions.h"
#include "intake_tab.h"
#include "settings_tab.h"
#include "title_list_model.h"
#include "widget_names.h"
#include "zoom_window.h"

#include "archive/archive_file.h"
#include "archive/config_file.h"
#include "base/cp1252.h"
#include "browser/open_archive.h"
#include "help/help_file.h"
#include "help/rtf_reader.h"
#include "lookup/filmup_site.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "session/program.h"
#include "session/startup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kSecondSiteUrl = "https://www.mymovies.it";


} // namespace

MainWindow::MainWindow(Program& program, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_program(program), m_dialogs(dialogs)
{
    setObjectName("TForm1");
    m_pages = named<QTabWidget>("PageControl1");
    m_archive = named<ArchiveTab>("TabSheet1");
    m_intake = named<IntakeTab>("TabSheet2");
    m_settings = new SettingsTab(QString::fromStdString(filmup::hostName()));
    m_settings->setObjectName("TabSheet7");
    m_help = named<QTextBrowser>("RHelp");
    m_help->setOpenLinks(false);
    auto* helpPage = named<QWidget>("TabSheet3");
    auto* helpLayout = new QVBoxLayout(helpPage);
    helpLayout->setContentsMargins(4, 4, 4, 4);
    helpLayout->addWidget(m_help);
    m_pages->addTab(m_archive, "ARCHIVIO");
    m_pages->addTab(m_intake, "GESTIONE NUOVI FILM");
    m_pages->addTab(m_settings, "Stat + Conf");
    m_pages->addTab(helpPage, "Help");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    setMinimumSize(759, 546);
    resize(759, 546);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }

    m_browser = new ArchiveBrowser(m_program, m_dialogs, *m_archive, *m_settings->SGStat, this);
    m_covers = new CoversController(m_program, m_dialogs, *m_intake, *m_archive, this);
    m_intakeLogic = new IntakeController(m_program, m_dialogs, *m_intake, *m_covers, this);
    m_intakeTools = new IntakeToolsController(m_program, m_dialogs, *m_intake, *m_intakeLogic, this);
    m_clipboardImport =
        new ClipboardImportController(m_program, m_dialogs, *m_intake, *QGuiApplication::clipboard(), this);
    connectControls();
    FormCreate();
}

void MainWindow::connectControls()
{
    connect(m_archive->QUIT, &QPushButton::clicked, this, &MainWindow::Button2Click);
    connect(m_settings->SpeedButton2, &QPushButton::clicked, this, &MainWindow::SpeedButton2Click);
    connect(m_settings->EDNick, &QLineEdit::textChanged, this, &MainWindow::EDNickChange);
    connect(m_settings->NAVDIRCOP, &QToolButton::clicked, this, &MainWindow::EDArchCopClick);
    connect(m_settings->SpeedButton4, &QToolButton::clicked, this, &MainWindow::SpeedButton4Click);
    connect(m_settings->CBSL, &QCheckBox::clicked, this, &MainWindow::CBSLClick);
    connect(m_archive->CoverZoom, &QPushButton::clicked, this, &MainWindow::CoverZoomClick);
    connect(m_archive->LCZOOM, &QPushButton::clicked, this, &MainWindow::LCZOOMClick);
    connect(m_intake->Paste, &QPushButton::clicked, this, &MainWindow::PasteClick);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0)
            OnShowDBase();
        else if (index == 1)
            m_intakeLogic->AssShow();
    });

    // The check boxes and the settings stay one: whatever sets a box sets the option.
    Settings& s = m_program.settings;
    const auto bind = [this](QCheckBox* box, bool& option) {
        connect(box, &QCheckBox::toggled, this, [&option](bool on) { option = on; });
    };
    bind(m_settings->CkBRimappa, s.CkBRimappa);
    bind(m_settings->CBSL, s.CBSL);
    bind(m_settings->CBSALVALOC, s.CBSALVALOC);
    bind(m_settings->CBSCOP, s.CBSCOP);
    bind(m_settings->CBIPMARCA, s.CBIPMARCA);
    bind(m_settings->CBIPRCD, s.CBIPRCD);
    bind(m_settings->CBIDRCD, s.CBIDRCD);
}

void MainWindow::FormCreate()
{
    const std::string version = Settings{}.ProgramVersion;
    setWindowTitle(q("Zenfo - Pellicorio - " + std::string(" ") + version));
    StartupResult started = startProgram(m_program, m_dialogs);
    m_intakeLogic->showVolumeLabel();
    showSettings();
    m_intake->CBSLLOC->setChecked(m_program.settings.CBSALVALOC);
    showStartupOutcome(started);
    if (!started.dateLabel.empty())
        m_archive->Label32->setText(q(started.dateLabel));

    const QString secondSiteHost = QString(kSecondSiteUrl).section("//", 1);
    IntakeTab::setLink(m_intake->LINK1, kSecondSiteUrl, secondSiteHost);
    m_intake->Paste->setToolTip("Preleva da ClipBoard dati film ( da " + secondSiteHost + ")");
    IntakeTab::setLink(m_intake->LINK2, QString::fromStdString(filmup::baseUrl()),
                       QString::fromStdString(filmup::shortHostName(filmup::hostName())));

    m_pages->setCurrentIndex(0);
    m_intake->PageControl2->setCurrentIndex(0);
    m_archive->PageControl3->setCurrentIndex(0);
    m_archive->Label36->setText(q("Titoli Totali : " + std::to_string(m_program.archive.model().ArchiveCount)));
    loadHelp();
    m_settings->SGStat->setColumnWidth(0, 150);
}

void MainWindow::showSettings()
{
    const Settings& s = m_program.settings;
    m_intake->NavFilm->setText(q(s.MediaFolder));
    m_intake->NavCopert->setText(q(s.CoverListFolder));
    m_settings->EDArchCop->setText(q(s.CoverArchiveFolder));
    m_settings->EDArchLoc->setText(q(s.PosterArchiveFolder));
    // Copies first: setting a box writes its option back through the binding.
    const bool rimappa = s.CkBRimappa, sl = s.CBSL, salvaLoc = s.CBSALVALOC, scop = s.CBSCOP;
    m_settings->EDNick->setText(q(s.NickName));
    m_settings->CkBRimappa->setChecked(rimappa);
    m_settings->CBSL->setChecked(sl);
    m_settings->CBSALVALOC->setChecked(salvaLoc);
    m_settings->CBSCOP->setChecked(scop);
}

void MainWindow::showStartupOutcome(StartupResult& result)
{
    const auto showArchive = [&] {
        if (result.opened) {
            m_browser->showOpened(*result.opened);
        } else {
            m_browser->RefreshGenres();
            m_browser->FillTitleList();
        }
    };
    using Outcome = LoadResult::Outcome;
    ArchiveTab& a = *m_archive;
    switch (result.outcome) {
    case Outcome::Loaded:
        a.DBAggRec->setEnabled(true);
        a.DBCancRec->setEnabled(true);
        a.FLTCLEAR->setEnabled(true);
        a.FILTRI->setEnabled(true);
        a.DATIDB->setEnabled(true);
        showArchive();
        break;
    case Outcome::EmptyFile:
        a.titles->showMessage("File archivio vuoto");
        a.FILTRI->setEnabled(false);
        a.DATIDB->setEnabled(false);
        break;
    case Outcome::MissingFile:
        a.titles->showMessage("Nessun titolo in archivio");
        a.FILTRI->setEnabled(false);
        a.DATIDB->setEnabled(false);
        break;
    case Outcome::Damaged: {
        // Browsing what could be read is safe.
        const bool any = m_program.archive.model().ArchiveCount > 0;
        a.FILTRI->setEnabled(any);
        a.FLTCLEAR->setEnabled(any);
        a.DATIDB->setEnabled(any);
        showArchive();
        break;
    }
    }
    if (result.readOnly)
        protectArchive();
}

void MainWindow::protectArchive()
{
    setWindowTitle(windowTitle() + "  [SOLA LETTURA]");
    ArchiveTab& a = *m_archive;
    for (QWidget* w : {static_cast<QWidget*>(a.DBAggRec), static_cast<QWidget*>(a.DBCancRec),
                       static_cast<QWidget*>(a.MergeDB), static_cast<QWidget*>(m_intake->AddToDB),
                       static_cast<QWidget*>(m_intake->Import)})
        w->setEnabled(false);
}

void MainWindow::loadHelp()
{
    const auto path = help::findHelpFile(m_program.helpFolders);
    if (!path) {
        m_help->setPlainText(help::kMissingText);
        return;
    }
    const bool ok = reportErrors(m_dialogs, [&] {
        const std::string html = rtf::toHtml(files::readWhole(*path));
        m_help->setHtml(QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size())));
    });
    if (!ok)
        m_help->setPlainText(help::kMissingText);
}

void MainWindow::OnShowDBase() { m_browser->FillTitleList(); }

void MainWindow::setDatePicker(DatePickerWindow* picker) { m_browser->setDatePicker(picker); }

void MainWindow::Button2Click()
{
    const std::string question = m_program.archive.pendingData()
                                     ? "Attenzione ! Dati Pendenti non salvati !\nESCO ugualmente ?"
                                     : "ESCO ?";
    if (m_dialogs.confirm(Dialogs::Kind::Question, question))
        close();
}

void MainWindow::SpeedButton2Click()
{
    if (reportErrors(m_dialogs, [&] { WriteConfig(m_program.settings); }))
        m_dialogs.message(Dialogs::Kind::Information, "Impostazioni salvate in " + m_program.settings.ConfigPath);
}

void MainWindow::EDNickChange(const QString& text) { m_program.settings.NickName = t(text); }

void MainWindow::chooseArchiveFolder(std::string& folder, QLineEdit* edit)
{
    if (const auto chosen = askFolder(m_dialogs, folder, m_program.settings.ProgramFolder)) {
        folder = *chosen;
        edit->setText(q(folder));
    }
}

void MainWindow::EDArchCopClick()
{
    chooseArchiveFolder(m_program.settings.CoverArchiveFolder, m_settings->EDArchCop);
}

void MainWindow::SpeedButton4Click()
{
    chooseArchiveFolder(m_program.settings.PosterArchiveFolder, m_settings->EDArchLoc);
}

void MainWindow::CBSLClick()
{
    if (!m_settings->CBSL->isChecked())
        m_settings->CBSALVALOC->setChecked(false);
}

void MainWindow::CoverZoomClick()
{
    if (m_zoom)
        m_zoom->zoom(ZoomWindow::Choice::Cover, m_browser->coverPath(), m_browser->coverPath());
}

void MainWindow::LCZOOMClick()
{
    if (m_zoom)
        m_zoom->zoom(ZoomWindow::Choice::Poster, m_browser->posterPath(), m_browser->coverPath());
}

void MainWindow::PasteClick()
{
    if (!m_intake->RBLK1->isChecked())
        OpenLookup();
    else
        m_clipboardImport->PasteFromClipboard();
}

void MainWindow::OpenLookup()
{
    if (m_lookup)
        m_lookup->OpenLookup();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    QWidget::closeEvent(event);
}
