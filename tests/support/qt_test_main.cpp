#include "ui/italian_qt.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Pellicorio");
    // The widgets under test speak the program's language, as they do in the program.
    if (!ui::installItalianQt(app)) {
        std::fprintf(stderr, "Qt's Italian translations are missing: install qt6-translations-l10n\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
