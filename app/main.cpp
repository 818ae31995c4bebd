#include "archive/program_state.h"
#include "platform/data_folder.h"
#include "platform/regional_locale.h"
#include "ui/main_window.h"
#include "ui/program_windows.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDir>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Qt adopts the user's locale; the C library must keep printing numbers with a point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Pellicorio");

    std::optional<std::string> folder;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::printf("Uso: pellicorio [CARTELLA_DATI]\n"
                        "  CARTELLA_DATI: dove tenere films.txt e Zenfo_conf.CFG\n");
            return 0;
        }
        if (!args[i].startsWith('-'))
            folder = args[i].toStdString();
    }

    ProgramState state;
    state.dataFolder = datafolder::choose(folder);
    state.programFolder = datafolder::executableFolder();
    state.helpFolders = datafolder::helpFolders(state.dataFolder);
    state.regional = regional::fromProcessLocale();

    QtDialogs dialogs;
    ProgramWindows windows(state, dialogs);
    dialogs.setParent(windows.form1.get());
    windows.form1->show();
    return app.exec();
}
