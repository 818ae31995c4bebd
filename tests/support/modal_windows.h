#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

// The window is active and its keyboard focus is on one of its controls (or on itself).
inline bool hasTheKeyboard(QWidget* window)
{
    QWidget* focus = QApplication::focusWidget();
    return window->isActiveWindow() && focus && (focus == window || window->isAncestorOf(focus));
}

// Acts on the next modal window of type W once it is on screen: the test's hand on a dialog
// that the code under test opens and waits for.
template <typename W = QWidget>
void whenModal(std::function<void(W*)> action)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        // A window manager gives a new dialog the keyboard; under a bare X server nobody does.
        // Keys typed before it has arrived reach none of the dialog's controls: wait for it, as
        // long as a loaded machine takes.
        w->activateWindow();
        if (!QTest::qWaitFor([w] { return hasTheKeyboard(w); }, 30000))
            ADD_FAILURE() << "the dialog " << w->metaObject()->className() << " never got the keyboard";
        action(w);
        // A dialog the action failed to close would hold the test for ever: fail and close it.
        QTimer::singleShot(20000, [dialog = QPointer<QWidget>(w)] {
            if (dialog && dialog->isVisible() && QApplication::activeModalWidget() == dialog) {
                ADD_FAILURE() << "the dialog " << dialog->metaObject()->className() << " was left open";
                dialog->close();
            }
        });
    });
    poll->start();
}

// A key typed where the window's keyboard focus is, as a user types it.
inline void typeKey(QWidget* window, Qt::Key key)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key);
}

// The caption as the user reads it, without the mnemonic marks.
inline QString readCaption(QString text)
{
    return text.remove('&');
}
