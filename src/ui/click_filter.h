#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs an action when the left mouse button is pressed on a widget that has no click of its own
// (the read-only folder edits that open a folder chooser).
class ClickFilter : public QObject
{
    Q_OBJECT
public:
    static void install(QWidget* widget, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ClickFilter(QWidget* widget, std::function<void()> action);
    std::function<void()> m_action;
};
