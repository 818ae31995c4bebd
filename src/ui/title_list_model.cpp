#include "title_list_model.h"

#include "archive/archive_model.h"
#include "base/cp1252.h"

void TitleListModel::fill(int count)
{
    beginResetModel();
    m_message.clear();
    m_count = m_archive ? count : 0;
    // Only the listed rows: a short list after a filter copies little of a large view.
    m_lines = m_archive ? RecordTable::firstRows(m_archive->ViewTable, count) : RecordTable();
    endResetModel();
}

void TitleListModel::fill(int count, RecordTable rows)
{
    beginResetModel();
    m_message.clear();
    m_count = m_archive ? count : 0;
    m_lines = std::move(rows);
    endResetModel();
}

void TitleListModel::showMessage(const QString& message)
{
    beginResetModel();
    m_message = message;
    m_count = 0;
    endResetModel();
}

void TitleListModel::removeLine(int line)
{
    if (line < 0 || line >= m_count)
        return;
    beginRemoveRows(QModelIndex(), line, line);
    for (int r = line + 1; r < m_count; ++r)
        m_lines.copyRow(r, m_lines, r + 1);
    --m_count;
    endRemoveRows();
}

std::string TitleListModel::titleAt(int line) const
{
    if (!m_message.isEmpty() || line < 0 || line >= m_count)
        return {};
    return std::string(m_lines.text(line + 1, RecordTable::Field::titolo));
}

int TitleListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_message.isEmpty() ? m_count : 1;
}

QVariant TitleListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    if (!m_message.isEmpty())
        return m_message;
    return cp1252::toQString(m_lines.text(index.row() + 1, RecordTable::Field::titolo));
}
