#pragma once

#include <QAbstractListModel>
#include <QString>

struct ArchiveModel;

// The title list over ViewTable: line i shows row i + 1. It holds no titles of its own, so a
// million-record archive lists at once. Before the first fill it may show one message line.
class TitleListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setArchive(const ArchiveModel* archive) { m_archive = archive; }
    // Shows the first count rows of ViewTable.
    void fill(int count);
    void showMessage(const QString& message);
    void removeLine(int line);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const ArchiveModel* m_archive = nullptr;
    int m_count = 0;
    QString m_message;
};
