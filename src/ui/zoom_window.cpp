#include "zoom_window.h"

#include "session/error_report.h"
#include "jpeg_view.h"

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

ZoomWindow::ZoomWindow(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      m_dialogs(dialogs)
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

void ZoomWindow::setPicture(Choice choice, const std::string& picturePath, const std::string& coverPath)
{
    m_choice = choice;
    m_path = picturePath;
    m_coverPath = coverPath;
}

void ZoomWindow::zoom(Choice choice, const std::string& picturePath, const std::string& coverPath)
{
    setPicture(choice, picturePath, coverPath);
    exec();
}

void ZoomWindow::FormShow()
{
    const bool cover = m_choice == Choice::Cover;
    const bool loaded = reportErrors(m_dialogs, [&] { CoverZ->setFileName(cp1252::toQString(m_path)); });
    if (!loaded)
        return; // the previous picture and caption stay
    // The poster caption names the cover's file, as it always has.
    const std::string caption = (cover ? "Copertina del film : " : "Localdina del film : ") +
                                fileNamePart(m_coverPath);
    setWindowTitle(cp1252::toQString(caption));
}

void ZoomWindow::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}
