#include "request_guard.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QWidget>

RequestGuard::RequestGuard(QObject* parent) : QObject(parent) {}

void RequestGuard::watch(QWidget* control)
{
    QWidget* parent = control->parentWidget();
    auto* box = new QWidget(parent);
    box->setSizePolicy(control->sizePolicy());
    QLayoutItem* replaced = parent && parent->layout() ? parent->layout()->replaceWidget(control, box) : nullptr;
    if (replaced)
        delete replaced;
    else
        box->setGeometry(control->geometry());
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control);
    box->setVisible(!control->isHidden());
    control->show();
    box->setEnabled(!m_busy);
    m_boxes.push_back(box);
}

void RequestGuard::setBusy(bool busy)
{
    m_busy = busy;
    for (const QPointer<QWidget>& box : m_boxes)
        if (box)
            box->setEnabled(!busy);
}
