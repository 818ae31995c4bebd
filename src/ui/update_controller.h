#pragma once

#include "update/update_check.h"

#include <QObject>

class Dialogs;
class UpdateWindow;
namespace http {
class Client;
}

// The update check in its window: the settings tab's button opens it, its one button runs the
// check and the download through the program's HTTP client.
class UpdateController : public QObject, private update::Screen
{
    Q_OBJECT
public:
    UpdateController(update::Setup setup, http::Client& http, Dialogs& dialogs, UpdateWindow& window,
                     QObject* parent = nullptr);

    void BBAGGIORNAClick();
    void BBBUPSTARTClick();
    // 0 check, 2 download, 1 leave.
    int state() const { return m_check.state(); }

signals:
    void updateStateChanged(int state);

private:
    void setStatus(const std::string& text) override;
    void appendLog(const std::string& line) override;
    void clearLog() override;
    void setCaption(const std::string& text) override;
    void setBarPosition(int position) override;
    void close() override;
    void stateChanged(int state) override;

    Dialogs& m_dialogs;
    UpdateWindow& m_window;
    update::UpdateCheck m_check;
};
