#include "lookup_controller.h"

#include "intake_tab.h"
#include "jpeg_view.h"
#include "led.h"
#include "lookup_window.h"
#include "results_window.h"

#include "archive/program_state.h"
#include "base/cp1252.h"
#include "lookup/filmup_site.h"
#include "lookup/lookup_session.h"
#include "platform/dialogs.h"
#include "platform/http_client.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <climits>
#include <exception>

namespace {

QString q(const std::string& s) { return cp1252::toQString(s); }
std::string t(const QString& s) { return cp1252::fromQString(s); }

} // namespace

LookupController::LookupController(ProgramState& state, LookupSession& session, http::Client& http, Dialogs& dialogs,
                                   LookupWindow& window, ResultsWindow& results, IntakeTab& intake, QObject* parent)
    : QObject(parent), m_state(state), m_session(session), m_http(http), m_dialogs(dialogs), m_window(window),
      m_results(results), m_intake(intake)
{
    connect(m_window.WEBQUERY, &QPushButton::clicked, this, &LookupController::WEBQUERYClick);
    connect(m_results.SQLRESU, &QListWidget::currentRowChanged, this, &LookupController::SQLRESUClick);
    connect(m_results.SQLOK, &QPushButton::clicked, this, &LookupController::SQLOKClick);
    connect(m_results.SQLABO, &QPushButton::clicked, this, &LookupController::SQLABOClick);
    connect(&m_http, &http::Client::workBegin, this, &LookupController::HTTP1WorkBegin);
    connect(&m_http, &http::Client::work, this, &LookupController::HTTP1Work);
    connect(&m_http, &http::Client::workEnd, this, &LookupController::HTTP1WorkEnd);
    connect(&m_http, &http::Client::status, this, &LookupController::HTTP1Status);
    connect(m_window.WEBNOOK, &QPushButton::clicked, this, &LookupController::WEBNOOKClick);
    // A window that goes away takes its pending request with it.
    connect(&m_window, &LookupWindow::closing, this, [this] { m_http.cancel(); });
    connect(&m_results, &ResultsWindow::closing, this, [this] { m_http.cancel(); });
}

void LookupController::log(const std::string& line) { m_window.appendLog(q(line)); }

void LookupController::OpenLookup()
{
    QListWidget& list = *m_intake.CheckListBox1;
    const int line = list.currentRow();
    if (line < 0 || line >= m_state.intake.IntakeCount || !list.item(line)->isSelected()) {
        m_dialogs.beep();
        return;
    }
    LookupWindow& w = m_window;
    for (QLineEdit* e : {w.WEBTIT, w.WEBTITOR, w.WEBGEN, w.WEBNAZ, w.WEBANNO, w.WEBDURATA, w.WEBDATAU, w.WEBATT1,
                         w.WEBATT2, w.WEBREGIA})
        e->clear();
    w.WEBTRAMA->clear();
    w.CLBATT->clear();
    w.CLBGEN->clear();
    w.LOG->clear();
    w.WEBSEARCH->setText(q(lookup::SearchTextFromFileName(t(list.item(line)->text()))));
    w.WEBOK->setEnabled(false);
    w.WEBLOC->clearPicture();
    w.show();
    w.raise();
    w.activateWindow();
}

void LookupController::WEBQUERYClick()
{
    if (m_http.busy())
        return;
    LookupWindow& w = m_window;
    w.CLBATT->clear();
    w.CLBGEN->clear();
    w.LOG->clear();
    w.WEBLOC->clearPicture();
    m_intake.JPEGImage1->clearPicture();
    w.LED1->setOn(false);
    try {
        search();
    } catch (...) {
        noAnswer();
    }
}

void LookupController::noAnswer() { log(filmup::hostName() + " non risponde !"); }

void LookupController::search()
{
    log("Eseguo ricerca del DataBase di FilmUP...");
    const std::string url = lookup::SearchUrl(filmup::baseUrl(), t(m_window.WEBSEARCH->text()),
                                              m_window.PQWORD->currentIndex() == 1, t(m_window.PQNRPP->currentText()));
    const std::string page = m_http.get(url);
    log("Analizzo pagina dei risultati della ricerca...");
    lookup::ResultTable& results = m_session.results;
    lookup::ParseResultsPage(page, filmup::baseUrl(), results);
    const int n = results.count;
    if (n == 0) {
        log("Nessuna occorrenza trovata per il titolo dato");
    } else if (n == 1) {
        log("Trovata 1 scheda film.");
        LoadFilmPage(results.rows[0].link);
    } else {
        log("Trovate " + std::to_string(n) + " schede film. Attesa scelta utente...");
        showResults();
    }
}

void LookupController::showResults()
{
    const lookup::ResultTable& results = m_session.results;
    ResultsWindow& r = m_results;
    r.Label3->setText(QString::number(results.count) + " risultati");
    {
        const QSignalBlocker quiet(r.SQLRESU);
        r.SQLRESU->clear();
        for (int i = 0; i < results.count; ++i)
            r.SQLRESU->addItem(q(results.rows[static_cast<std::size_t>(i)].title));
        r.SQLRESU->setCurrentRow(0);
    }
    r.SQLSCELTA->setText(q(results.rows[0].title));
    r.exec();
}

void LookupController::WEBNOOKClick() { m_window.hide(); }

void LookupController::SQLRESUClick(int line)
{
    if (line < 0 || line >= m_session.results.count)
        return;
    m_results.SQLSCELTA->setText(q(m_session.results.rows[static_cast<std::size_t>(line)].title));
}

void LookupController::SQLOKClick()
{
    const int line = m_results.SQLRESU->currentRow();
    if (line < 0 || line >= m_session.results.count || m_http.busy())
        return;
    // The chooser stays on screen while the page is read, and goes when this handler ends.
    try {
        const lookup::SearchResult& chosen = m_session.results.rows[static_cast<std::size_t>(line)];
        log("Titolo selezionato :  " + chosen.title);
        LoadFilmPage(chosen.link);
    } catch (...) {
        noAnswer();
    }
    m_results.accept();
}

void LookupController::SQLABOClick()
{
    m_results.accept();
    log("Abort utente");
}

void LookupController::LoadFilmPage(const std::string& link)
{
    log("Richiedo scheda film...");
    std::string page;
    try {
        page = m_http.get(link);
    } catch (const std::exception&) {
        log("ERR: Scheda film non ricevuta");
        log("Scheda film non ricevuta dal web");
        return;
    }
    log("Scheda film ricevuta. ( " + std::to_string(page.size()) + " bytes)");
    log("Analizzo scheda film...");
    if (PicturesOfPage)
        PicturesOfPage(page);
    lookup::FilmPageData data;
    if (!lookup::ExtractFilmPage(page, m_session.pageLines, m_session.actors, m_session.genres, data)) {
        log("Dati della scheda in formato non compatibile");
        return;
    }
    log("Estraggo dati dalla scheda film...");
    fillFields(data);
    log("Terminato !");
    m_window.WEBOK->setEnabled(true);
}

void LookupController::fillFields(const lookup::FilmPageData& data)
{
    LookupWindow& w = m_window;
    w.WEBTIT->setText(q(data.titolo));
    w.WEBTITOR->setText(q(data.titoloOriginale));
    for (const std::string& genre : data.genres)
        w.CLBGEN->addItem(q(genre));
    if (!data.genres.empty())
        w.CLBGEN->setCurrentRow(w.CLBGEN->count() - static_cast<int>(data.genres.size()));
    w.WEBGEN->setText(q(data.genere));
    w.WEBNAZ->setText(q(data.nazione));
    w.WEBANNO->setText(q(data.anno));
    w.WEBDURATA->setText(q(data.durata));
    w.WEBDATAU->setText(q(data.dataUscita));
    for (std::size_t i = 0; i < data.actors.size(); ++i) {
        auto* item = new QListWidgetItem(q(data.actors[i]), w.CLBATT);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i < 4 ? Qt::Checked : Qt::Unchecked);
    }
    w.WEBATT1->setText(q(data.attori1));
    w.WEBATT2->setText(q(data.attori2));
    w.WEBREGIA->setText(q(data.regia));
    w.WEBTRAMA->setPlainText(q(data.trama));
    // Long values show their beginning.
    for (QLineEdit* e : {w.WEBTIT, w.WEBTITOR, w.WEBGEN, w.WEBNAZ, w.WEBANNO, w.WEBDURATA, w.WEBDATAU, w.WEBATT1,
                         w.WEBATT2, w.WEBREGIA})
        e->setCursorPosition(0);
}

void LookupController::HTTP1WorkBegin(qint64 total)
{
    QProgressBar* bar = m_state.UpdateState != 0 ? m_updateBar : m_window.ProgressBar1;
    if (!bar)
        return;
    bar->setValue(0);
    bar->setMaximum(static_cast<int>(std::min<qint64>(total, INT_MAX)));
}

void LookupController::HTTP1Work(qint64 bytesSoFar)
{
    QProgressBar* bar = m_state.UpdateState != 0 ? m_updateBar : m_window.ProgressBar1;
    if (!bar)
        return;
    // An unknown size (0) leaves the bar at its start; a size passed by more bytes fills it.
    if (bar->maximum() > 0)
        bar->setValue(static_cast<int>(std::min<qint64>(bytesSoFar, bar->maximum())));
}

void LookupController::HTTP1WorkEnd()
{
    if (m_state.UpdateState != 0) {
        if (m_updateBar)
            m_updateBar->setValue(m_updateBar->maximum());
        return;
    }
    m_window.ProgressBar1->setValue(0);
}

void LookupController::HTTP1Status(const QString& text)
{
    if (m_state.UpdateState == 0)
        m_window.StatusPanel1->setText(text);
}
