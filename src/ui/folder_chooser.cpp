#include "folder_chooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeView>
#include <QVBoxLayout>

FolderChooser::FolderChooser(const QString& startFolder, QWidget* parent)
    : QDialog(parent), m_model(new QFileSystemModel(this)), m_tree(new QTreeView(this)), m_path(new QLineEdit(this))
{
    setObjectName("FolderChooser");
    setWindowTitle(tr("Scegli cartella"));
    resize(480, 420);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(QDir::rootPath());
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->setHeaderHidden(true);

    const QString start = QDir(startFolder).exists() ? QDir(startFolder).absolutePath() : QDir::homePath();
    m_path->setText(QDir::toNativeSeparators(start));
    const QModelIndex index = m_model->index(start);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { m_path->setText(m_model->filePath(current)); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FolderChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FolderChooser::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(new QLabel(tr("Cartella:"), this));
    layout->addWidget(m_path);
    layout->addWidget(buttons);
}

void FolderChooser::accept()
{
    QString path = QDir::cleanPath(QDir::fromNativeSeparators(m_path->text().trimmed()));
    if (path.isEmpty())
        return;
    if (!QDir(path).exists()) {
        if (QMessageBox::question(this, windowTitle(), tr("La cartella\n%1\nnon esiste. Crearla?").arg(path),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
        if (!QDir().mkpath(path)) {
            QMessageBox::critical(this, windowTitle(), tr("Impossibile creare la cartella\n%1").arg(path));
            return;
        }
    }
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    m_folder = path;
    QDialog::accept();
}
