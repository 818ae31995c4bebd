#include "intake_selection.h"

#include "intake_tab.h"

#include "archive/intake_model.h"
#include "base/cp1252.h"
#include "base/text.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

namespace intakeselection {

int selectedLine(const IntakeTab& tab, const IntakeModel& intake)
{
    const QListWidget& list = *tab.CheckListBox1;
    const int line = list.currentRow();
    if (line < 0 || line >= intake.IntakeCount || !list.item(line)->isSelected())
        return -1;
    return line;
}

std::string fileName(const IntakeTab& tab, const IntakeModel& intake, int line)
{
    // The file system spells names in UTF-8; the program's texts are Windows-1252.
    const std::string& name = intake.fileName(line + 1);
    return name.empty() ? cp1252::fromQString(tab.CheckListBox1->item(line)->text()) : cp1252::fromUtf8(name);
}

void colourTitle(QLineEdit& title, const std::string& fileName)
{
    const bool sameStart = text::upperAscii(fileName.substr(0, 4)) ==
                           text::upperAscii(cp1252::fromQString(title.text()).substr(0, 4));
    QPalette palette = title.palette();
    palette.setColor(QPalette::Text,
                     sameStart ? QApplication::palette().color(QPalette::ToolTipText) : QColor(255, 0, 0));
    title.setPalette(palette);
}

} // namespace intakeselection
