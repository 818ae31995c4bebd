#pragma once

#include <QObject>

class QLabel;
class QProgressBar;
namespace http {
class Client;
}

// Shows the HTTP client's transfers: on the lookup window's bar and status panel, or, while the
// update window's button is past its check, on the update window's bar.
class TransferProgress : public QObject
{
    Q_OBJECT
public:
    TransferProgress(http::Client& client, QProgressBar& lookupBar, QLabel& lookupStatus, QProgressBar& updateBar,
                     QObject* parent = nullptr);

    // Told by the update check whenever its state changes.
    void setUpdateState(int state) { m_toUpdate = state != 0; }

private:
    void begin(qint64 total);
    void work(qint64 bytesSoFar);
    void end();
    void status(const QString& text);
    QProgressBar& bar() const { return m_toUpdate ? m_updateBar : m_lookupBar; }

    QProgressBar& m_lookupBar;
    QLabel& m_lookupStatus;
    QProgressBar& m_updateBar;
    bool m_toUpdate = false;
};
