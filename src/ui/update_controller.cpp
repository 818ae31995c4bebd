#include "update_controller.h"

#include "bitmap_bar.h"
#include "session/error_report.h"
#include "update_window.h"

#include "base/cp1252.h"
#include "platform/http_client.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

UpdateController::UpdateController(update::Setup setup, http::Client& http, Dialogs& dialogs, UpdateWindow& window,
                                   QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_window(window),
      m_check(
          std::move(setup), [&http](const std::string& url, std::size_t maxBytes) { return http.get(url, maxBytes); },
          *this)
{
    connect(m_window.BBBUPSTART, &QPushButton::clicked, this, &UpdateController::BBBUPSTARTClick);
    connect(&m_window, &UpdateWindow::closeBoxClicked, this, [this] { m_check.closed(); });
}

void UpdateController::BBAGGIORNAClick()
{
    m_check.reset();
    m_window.PBAGG->setValue(0);
    m_window.PBAGG->setMaximum(100);
    m_window.showCentred();
}

void UpdateController::BBBUPSTARTClick()
{
    reportErrors(m_dialogs, [this] { m_check.press(); });
}

void UpdateController::setStatus(const std::string& text)
{
    m_window.Edit1->setText(cp1252::toQString(text));
}

void UpdateController::appendLog(const std::string& line)
{
    m_window.appendLog(cp1252::toQString(line));
}

void UpdateController::clearLog()
{
    m_window.Memo1->clear();
}

void UpdateController::setCaption(const std::string& text)
{
    m_window.BBBUPSTART->setText(cp1252::toQString(text));
    // Enter asks the site only: a second Enter must not download and write a package.
    m_window.BBBUPSTART->setDefault(m_check.state() == 0);
}

void UpdateController::setBarPosition(int position)
{
    m_window.PBAGG->setValue(position);
}

void UpdateController::close()
{
    m_window.accept();
}

void UpdateController::stateChanged(int state) { emit updateStateChanged(state); }
