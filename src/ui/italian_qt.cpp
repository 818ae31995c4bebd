#include "italian_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

bool installItalianQt(QCoreApplication& app)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    // Widgets draw dates with the default locale; the C library's, which the files follow, stays.
    QLocale::setDefault(italian);
    auto* translator = new QTranslator(&app);
    if (!translator->load(italian, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace ui
