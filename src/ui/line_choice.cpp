#include "line_choice.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QMouseEvent>

LineChoice::LineChoice(QAbstractItemView* view) : QObject(view), m_view(view)
{
    view->viewport()->installEventFilter(this);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { currentChanged(current); });
}

LineChoice* LineChoice::install(QAbstractItemView* view) { return new LineChoice(view); }

void LineChoice::currentChanged(const QModelIndex& current)
{
    // A press tells its choice when the button is released, once, whether it moved the line or not.
    if (m_quiet == 0 && !m_mouseDown && current.isValid())
        emit chosen(current.row());
}

bool LineChoice::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return QObject::eventFilter(watched, event);
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    if (event->type() == QEvent::MouseButtonPress) {
        m_mouseDown = true;
        m_currentAtPress = current;
        return false;
    }
    m_mouseDown = false;
    // A press below the last line, a drag off the lines back to where it began, or a Ctrl+click
    // that takes the selection away chooses nothing.
    const bool moved = current != QModelIndex(m_currentAtPress);
    const bool onCurrent = m_view->indexAt(mouse->position().toPoint()) == current;
    if (m_quiet == 0 && current.isValid() && m_view->selectionModel()->isSelected(current) && (moved || onCurrent))
        emit chosen(current.row());
    return false;
}
