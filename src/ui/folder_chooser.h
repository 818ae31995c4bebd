#pragma once

#include <QDialog>

class QFileSystemModel;
class QLineEdit;
class QTreeView;

// Chooses a folder starting at a given one; a typed folder that does not exist is created
// after a confirmation.
class FolderChooser : public QDialog
{
    Q_OBJECT
public:
    explicit FolderChooser(const QString& startFolder, QWidget* parent = nullptr);
    // The chosen folder, without a trailing separator.
    QString folder() const { return m_folder; }

private:
    void accept() override;

    QFileSystemModel* m_model;
    QTreeView* m_tree;
    QLineEdit* m_path;
    QString m_folder;
};
