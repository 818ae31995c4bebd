#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

// Keeps the controls that would start a request disabled while one runs. Each control is put in
// a frameless box of its own and the box is disabled: the control keeps the state the program
// gives it meanwhile (the intake enables Paste on a click of a line) and shows it when the
// request ends.
class RequestGuard : public QObject
{
    Q_OBJECT
public:
    explicit RequestGuard(QObject* parent = nullptr);

    // The control must already sit in its window, in a layout or at a fixed place.
    void watch(QWidget* control);
    void setBusy(bool busy);
    bool busy() const { return m_busy; }

private:
    std::vector<QPointer<QWidget>> m_boxes;
    bool m_busy = false;
};
