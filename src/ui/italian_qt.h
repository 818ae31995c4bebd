#pragma once

class QCoreApplication;

namespace ui {

// Qt's own texts (message box buttons, the file dialog) and the names of months and days in
// Italian, whatever the process locale. Call once, before any window exists. How dates and
// numbers are written to files is not touched: that follows the regional settings.
// False when Qt's Italian translations are not installed: Qt then speaks English.
bool installItalianQt(QCoreApplication& app);

} // namespace ui
