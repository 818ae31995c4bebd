#include "click_filter.h"

#include <QMouseEvent>
#include <QWidget>

ClickFilter::ClickFilter(QWidget* widget, std::function<void()> action) : QObject(widget), m_action(std::move(action))
{
    widget->installEventFilter(this);
}

void ClickFilter::install(QWidget* widget, std::function<void()> action) { new ClickFilter(widget, std::move(action)); }

bool ClickFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        m_action();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
