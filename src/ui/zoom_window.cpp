#include "zoom_window.h"

#include "error_report.h"
#include "jpeg_view.h"

#include "archive/program_state.h"
#include "base/cp1252.h"

#include <QVBoxLayout>

namespace {

// What follows the last path separator.
std::string fileNamePart(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

ZoomWindow::ZoomWindow(ProgramState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      m_state(state), m_dialogs(dialogs)
{
    setObjectName("TForm2");
    setWindowTitle("Zenfo - ZOOM COPERTINA");
    CoverZ = new JpegView(this);
    CoverZ->setObjectName("CoverZ");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CoverZ);
    setFixedSize(492, 473);
}

void ZoomWindow::FormShow()
{
    const bool cover = m_state.ZoomChoice == 1;
    const std::string& path = cover ? m_state.CoverImagePath : m_state.PosterImagePath;
    const bool loaded = reportErrors(m_dialogs, [&] { CoverZ->setFileName(cp1252::toQString(path)); });
    if (!loaded)
        return; // the previous picture and caption stay
    // The poster caption names the cover's file, as it always has.
    const std::string caption = (cover ? "Copertina del film : " : "Localdina del film : ") +
                                fileNamePart(m_state.CoverImagePath);
    setWindowTitle(cp1252::toQString(caption));
}

void ZoomWindow::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}
