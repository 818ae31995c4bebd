#include "intake_list.h"

#include <QListWidget>

namespace intakelist {
const char* const kPlaceholder = "Nessun File Multimediale";

void addEntry(QListWidget& list, const QString& title, bool archived)
{
    auto* item = new QListWidgetItem(title);
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!archived)
        flags |= Qt::ItemIsUserCheckable;
    item->setFlags(flags);
    item->setData(kArchivedRole, archived);
    item->setCheckState(Qt::Unchecked);
    list.addItem(item);
}

void addPlaceholder(QListWidget& list)
{
    auto* item = new QListWidgetItem(QString::fromLatin1(kPlaceholder));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    list.addItem(item);
}

bool isArchived(const QListWidgetItem& item) { return item.data(kArchivedRole).toBool(); }

bool isTicked(const QListWidgetItem& item) { return item.data(Qt::CheckStateRole).toInt() == Qt::Checked; }

void setTicked(QListWidgetItem& item, bool ticked)
{
    if (item.data(Qt::CheckStateRole).isValid())
        item.setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

} // namespace intakelist

void ArchivedMarkDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.data(intakelist::kArchivedRole).toBool())
        option->state &= ~QStyle::State_Enabled;
}
