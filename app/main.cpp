#include "platform/data_folder.h"
#include "platform/regional_locale.h"
#include "session/program.h"
#include "ui/italian_qt.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/program_windows.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

void printUsage()
{
    std::printf("Uso: pellicorio [CARTELLA_DATI]\n"
                "  CARTELLA_DATI: dove tenere films.txt e Zenfo_conf.CFG. Se manca: la cartella\n"
                "  del programma, se scrivibile e non installato; altrimenti\n"
                "  $XDG_DATA_HOME/pellicorio (di solito ~/.local/share/pellicorio).\n"
                "  -h, --help: mostra questo aiuto ed esce.\n");
}

} // namespace

int main(int argc, char* argv[])
{
    // Before QApplication, which needs a display: the usage must print from any terminal.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printUsage();
            return 0;
        }

    QApplication app(argc, argv);
    // Qt adopts the user's locale; the C library must keep printing numbers with a point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Pellicorio");
    QApplication::setDesktopFileName(QString::fromLatin1(ui::kAppId));
    QApplication::setWindowIcon(ui::programIcon());
    if (!ui::installItalianQt(app))
        std::fprintf(stderr, "pellicorio: traduzioni italiane di Qt non trovate (qt6-translations-l10n)\n");

    std::optional<std::string> folder;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i)
        if (!args[i].startsWith('-'))
            folder = args[i].toStdString();

    Program program;
    program.dataFolder = datafolder::choose(folder);
    program.programFolder = datafolder::executableFolder();
    program.helpFolders = datafolder::helpFolders(program.dataFolder);
    program.regional = regional::fromProcessLocale();

    QtDialogs dialogs;
    ProgramWindows windows(program, dialogs);
    dialogs.setParent(windows.form1.get());
    windows.form1->show();
    // For timing the start-up of large archives: the program ends once its window is up.
    if (qEnvironmentVariableIntValue("PELLICORIO_QUIT_AFTER_START") == 1)
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
