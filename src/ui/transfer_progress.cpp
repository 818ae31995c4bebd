#include "transfer_progress.h"

#include "platform/http_client.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <climits>

TransferProgress::TransferProgress(http::Client& client, QProgressBar& lookupBar, QLabel& lookupStatus,
                                   QProgressBar& updateBar, QObject* parent)
    : QObject(parent), m_lookupBar(lookupBar), m_lookupStatus(lookupStatus), m_updateBar(updateBar)
{
    connect(&client, &http::Client::workBegin, this, &TransferProgress::begin);
    connect(&client, &http::Client::work, this, &TransferProgress::work);
    connect(&client, &http::Client::workEnd, this, &TransferProgress::end);
    connect(&client, &http::Client::status, this, &TransferProgress::status);
}

void TransferProgress::begin(qint64 total)
{
    bar().setValue(0);
    bar().setMaximum(static_cast<int>(std::min<qint64>(total, INT_MAX)));
}

void TransferProgress::work(qint64 bytesSoFar)
{
    // An unknown size (0) leaves the bar at its start; a size passed by more bytes fills it.
    if (bar().maximum() > 0)
        bar().setValue(static_cast<int>(std::min<qint64>(bytesSoFar, bar().maximum())));
}

void TransferProgress::end()
{
    if (m_toUpdate) {
        // A size never announced (a chunked answer) left the bar without a range: it ends full all the same.
        if (m_updateBar.maximum() <= m_updateBar.minimum())
            m_updateBar.setMaximum(m_updateBar.minimum() + 1);
        m_updateBar.setValue(m_updateBar.maximum());
        return;
    }
    // A size never announced left the bar running: at the end it is empty.
    if (m_lookupBar.maximum() == 0)
        m_lookupBar.setMaximum(1);
    m_lookupBar.setValue(0);
}

void TransferProgress::status(const QString& text)
{
    if (!m_toUpdate)
        m_lookupStatus.setText(text);
}
