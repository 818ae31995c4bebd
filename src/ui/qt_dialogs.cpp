#include "qt_dialogs.h"

#include "file_columns_proxy.h"
#include "folder_chooser.h"

#include "base/cp1252.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QRegularExpression>
#include <QInputDialog>
#include <QMessageBox>
#include <QTreeView>
#include <QUrl>

#include <algorithm>

namespace {

QMessageBox::Icon iconOf(Dialogs::Kind kind)
{
    switch (kind) {
    case Dialogs::Kind::Information:
        return QMessageBox::Information;
    case Dialogs::Kind::Warning:
        return QMessageBox::Warning;
    case Dialogs::Kind::Error:
        return QMessageBox::Critical;
    case Dialogs::Kind::Question:
        break;
    }
    return QMessageBox::Question;
}

} // namespace

void QtDialogs::message(Kind kind, const std::string& text)
{
    QMessageBox box(iconOf(kind), QApplication::applicationName(), cp1252::toQString(text), QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtDialogs::confirm(Kind kind, const std::string& text)
{
    QMessageBox box(iconOf(kind), QApplication::applicationName(), cp1252::toQString(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    // Neither Enter nor Escape may answer Yes: a confirmation acts on a deliberate Yes only.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::inputBox(const std::string& caption, const std::string& prompt,
                                               const std::string& defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, cp1252::toQString(caption), cp1252::toQString(prompt),
                                                 QLineEdit::Normal, cp1252::toQString(defaultText), &ok);
    if (!ok)
        return std::nullopt;
    return cp1252::fromQString(answer);
}

std::optional<std::string> QtDialogs::chooseFolder(const std::string& startFolder)
{
    FolderChooser chooser(cp1252::toQString(startFolder), m_parent);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return cp1252::fromQString(chooser.folder());
}

void QtDialogs::beep() { QApplication::beep(); }

namespace {

// The file dialog both ways: "caption|patterns|caption|patterns", each pattern matching ignoring
// case, as on the file systems the lists come from.
void setUpFileDialog(QFileDialog& dialog, const std::string& filter, const std::string& defaultExtension)
{
    QStringList filters;
    const QStringList parts = cp1252::toQString(filter).split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';')) {
            QString folded;
            for (const QChar c : p)
                folded += c.isLetter() ? QString("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
            patterns << (p == "*.*" ? QString("*") : folded);
        }
        filters << QString("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    QString suffix = cp1252::toQString(defaultExtension);
    suffix.remove(QRegularExpression("^\\*?\\."));
    dialog.setDefaultSuffix(suffix);
    dialog.setProxyModel(new FileColumnsProxy(&dialog));
    // Room for the Italian headers and kinds, which are longer than Qt's English ones.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(900, 460)));
    if (auto* view = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView* header = view->header();
        // Size, kind, date: at least their header, and the kind "Documento in testo semplice".
        const int least[] = {0, 0, 190, 0};
        for (int c = 1; c < 4; ++c) {
            const QString caption = view->model()->headerData(c, Qt::Horizontal).toString();
            const int wanted = std::max(header->fontMetrics().horizontalAdvance(caption) + 32, least[c]);
            header->resizeSection(c, std::max(header->sectionSize(c), wanted));
        }
    }
}

std::optional<std::string> run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return cp1252::fromQString(dialog.selectedFiles().front());
}

} // namespace

std::optional<std::string> QtDialogs::chooseFile(const std::string& filter, const std::string& defaultExtension)
{
    QFileDialog dialog(m_parent, QApplication::applicationName());
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    setUpFileDialog(dialog, filter, defaultExtension);
    return run(dialog);
}

std::optional<std::string> QtDialogs::chooseSaveFile(const SaveFile& request)
{
    const QString caption = request.caption.empty() ? QApplication::applicationName() : cp1252::toQString(request.caption);
    QFileDialog dialog(m_parent, caption, cp1252::toQString(request.folder));
    dialog.setFileMode(QFileDialog::AnyFile);
    // Saving asks before it replaces a file (Qt's question, No by default).
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    setUpFileDialog(dialog, request.filter, request.defaultExtension);
    dialog.setLabelText(QFileDialog::Accept, "Salva");
    if (!request.fileName.empty())
        dialog.selectFile(cp1252::toQString(request.fileName));
    return run(dialog);
}

void QtDialogs::setClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(cp1252::toQString(text)); }

void QtDialogs::openUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(cp1252::toQString(url))); }
