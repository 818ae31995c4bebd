#include "clipboard_import_controller.h"

#include "qt_text.h"
#include "intake_selection.h"
#include "intake_tab.h"

#include "session/program.h"
#include "base/cp1252.h"
#include "intake/clipboard_import.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

ClipboardImportController::ClipboardImportController(Program& program, Dialogs& dialogs, IntakeTab& tab,
                                                     QClipboard& clipboard, QObject* parent)
    : QObject(parent), m_program(program), m_dialogs(dialogs), m_tab(tab), m_clipboard(clipboard)
{
    connect(m_tab.RBLK1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            LK1CHANGE();
    });
    connect(m_tab.RBLK2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            LK2CHANGE();
    });
    // Through the dialogs, so that tests see the address and no browser starts.
    for (QLabel* link : {m_tab.LINK1, m_tab.LINK2}) {
        link->setOpenExternalLinks(false);
        connect(link, &QLabel::linkActivated, this,
                [this](const QString& url) { m_dialogs.openUrl(cp1252::fromQString(url)); });
    }
}

void ClipboardImportController::LK1CHANGE()
{
    m_tab.LINK1->setEnabled(true);
    m_tab.LINK2->setEnabled(false);
    m_tab.Paste->setText("Copia da ClipBoard");
}

void ClipboardImportController::LK2CHANGE()
{
    m_tab.LINK1->setEnabled(false);
    m_tab.LINK2->setEnabled(true);
    m_tab.Paste->setText("Chiedi dati a FilmUP");
}

void ClipboardImportController::PasteFromClipboard()
{
    // The title's colour compares with the selected line: without one there is nothing to fill.
    const int line = intakeselection::selectedLine(m_tab, m_program.intake.model());
    if (line < 0) {
        m_dialogs.beep();
        return;
    }
    const QMimeData* data = m_clipboard.mimeData();
    if (!data || !data->hasText()) {
        m_dialogs.message(Dialogs::Kind::Information, "ClipBoard vuota");
        return;
    }
    // The poster on show belongs to an earlier lookup, not to these data.
    IntakeSession& intake = m_program.intake;
    intake.clearPosterName();
    const auto fields = clipboardimport::parseFilmPage(cp1252::fromQString(data->text()));
    if (!fields) {
        m_dialogs.message(Dialogs::Kind::Information, "Contenuto ClipBoard non compatibile");
        return;
    }
    intake.takeClipboard(*fields);
    IntakeTab& in = m_tab;
    intakeselection::colourTitle(*in.EDTitolo, intakeselection::fileName(in, intake.model(), line));
    if (in.AutoMan->isChecked())
        in.AssociaDati->setEnabled(true);
}
