#pragma once

#include <QWidget>

class ArchiveBrowser;
class ArchiveTab;
class ClipboardImportController;
class CoversController;
class IntakeController;
class IntakeToolsController;
class LookupController;
class DatePickerWindow;
class Dialogs;
class IntakeTab;
class QTabWidget;
class QTextBrowser;
class SettingsTab;
struct Program;
struct StartupResult;
class ZoomWindow;

// The main window TForm1; its creation runs the start-up sequence.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    MainWindow(Program& program, Dialogs& dialogs, QWidget* parent = nullptr);

    ArchiveTab* archiveTab() const { return m_archive; }
    IntakeTab* intakeTab() const { return m_intake; }
    SettingsTab* settingsTab() const { return m_settings; }

    void Button2Click();
    void SpeedButton2Click();
    void EDNickChange(const QString& text);
    void EDArchCopClick();
    void SpeedButton4Click();
    void CBSLClick();
    void OnShowDBase();
    void CoverZoomClick();
    void LCZOOMClick();
    void PasteClick();
    void OpenLookup();
    // The lookup is created after the main window.
    void setLookup(LookupController* lookup) { m_lookup = lookup; }
    // The zoom window is created after the main window.
    void setZoomWindow(ZoomWindow* zoom) { m_zoom = zoom; }
    void setDatePicker(DatePickerWindow* picker);
    ArchiveBrowser* browser() const { return m_browser; }
    IntakeController* intake() const { return m_intakeLogic; }
    CoversController* covers() const { return m_covers; }
    IntakeToolsController* intakeTools() const { return m_intakeTools; }

signals:
    // The window is being closed: the program ends.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void showSettings();
    void showStartupOutcome(StartupResult& result);
    // Every change of the archive is refused from here on; browsing stays.
    void protectArchive();
    void loadHelp();
    void connectControls();
    // Folder chooser of the settings tab for one archive folder.
    void chooseArchiveFolder(std::string& folder, class QLineEdit* edit);

    Program& m_program;
    Dialogs& m_dialogs;
    QTabWidget* m_pages;
    ArchiveTab* m_archive;
    IntakeTab* m_intake;
    SettingsTab* m_settings;
    QTextBrowser* m_help;
    ZoomWindow* m_zoom = nullptr;
    LookupController* m_lookup = nullptr;
    ArchiveBrowser* m_browser;
    CoversController* m_covers;
    IntakeController* m_intakeLogic;
    IntakeToolsController* m_intakeTools;
    ClipboardImportController* m_clipboardImport;
};
