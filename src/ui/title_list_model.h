#pragma once

#include "archive/record_table.h"

#include <QAbstractListModel>
#include <QString>

#include <string>

struct ArchiveModel;

// The title list over ViewTable: after a fill line i shows row i + 1 as it was then. The lines
// keep their titles until the next fill, whatever later changes ViewTable; they share the
// records with it, so a million-record archive lists at once. Before the first fill it may
// show one message line.
class TitleListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setArchive(const ArchiveModel* archive) { m_archive = archive; }
    // Shows the first count rows of ViewTable.
    void fill(int count);
    // The same from a copy of ViewTable made beforehand.
    void fill(int count, RecordTable rows);
    void showMessage(const QString& message);
    void removeLine(int line);
    // The title a line shows (Windows-1252); empty for no title line.
    std::string titleAt(int line) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const ArchiveModel* m_archive = nullptr;
    RecordTable m_lines;
    int m_count = 0;
    QString m_message;
};
