#pragma once

#include <QStyledItemDelegate>

class QListWidget;
class QListWidgetItem;

// The lines of the intake check list: line n stands for intake slot n + 1. A line whose film is
// already archived is drawn greyed, text and check box, yet stays selectable; only the user is
// kept from ticking it.
namespace intakelist {

extern const char* const kPlaceholder;
constexpr int kArchivedRole = Qt::UserRole + 1;

void addEntry(QListWidget& list, const QString& title, bool archived);
void addPlaceholder(QListWidget& list);
bool isArchived(const QListWidgetItem& item);
bool isTicked(const QListWidgetItem& item);
void setTicked(QListWidgetItem& item, bool ticked);

} // namespace intakelist

// Draws archived lines as disabled ones.
class ArchivedMarkDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
