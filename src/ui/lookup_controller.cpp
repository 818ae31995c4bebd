#include "lookup_controller.h"

#include "qt_text.h"
#include "intake_selection.h"
#include "intake_tab.h"
#include "jpeg_view.h"
#include "led.h"
#include "line_choice.h"
#include "lookup_window.h"
#include "results_window.h"

#include "base/cp1252.h"
#include "base/text.h"
#include "lookup/film_pictures.h"
#include "lookup/filmup_site.h"
#include "lookup/lookup_session.h"
#include "platform/dialogs.h"
#include "platform/http_client.h"
#include "session/program.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <exception>

LookupController::LookupController(Program& program, http::Client& http, Dialogs& dialogs, LookupWindow& window,
                                   ResultsWindow& results, IntakeTab& intake, QObject* parent)
    : QObject(parent), m_program(program), m_http(http), m_dialogs(dialogs), m_window(window), m_results(results),
      m_intake(intake)
{
    connect(m_window.WEBQUERY, &QPushButton::clicked, this, &LookupController::WEBQUERYClick);
    connect(m_results.SQLRESU, &QListWidget::currentRowChanged, this, &LookupController::SQLRESUClick);
    connect(m_results.SQLOK, &QPushButton::clicked, this, &LookupController::SQLOKClick);
    connect(m_results.SQLABO, &QPushButton::clicked, this, &LookupController::SQLABOClick);
    connect(m_window.WEBNOOK, &QPushButton::clicked, this, &LookupController::WEBNOOKClick);
    connect(m_window.WEBOK, &QPushButton::clicked, this, &LookupController::WEBOKClick);
    connect(m_window.CLBATT, &QListWidget::itemChanged, this, &LookupController::CLBATTClickCheck);
    m_genreChoice = LineChoice::install(m_window.CLBGEN);
    connect(m_genreChoice, &LineChoice::chosen, this, &LookupController::CLBGENClick);
    // A window that goes away takes the lookup under way with it.
    connect(&m_window, &LookupWindow::closing, this, &LookupController::abortLookup);
    connect(&m_results, &ResultsWindow::closing, this, &LookupController::abortLookup);
}

void LookupController::log(const std::string& line) { m_window.appendLog(q(line)); }

int LookupController::selectedIntakeLine() const
{
    return intakeselection::selectedLine(m_intake, m_program.intake.model());
}

std::string LookupController::intakeFileName(int line) const
{
    return intakeselection::fileName(m_intake, m_program.intake.model(), line);
}

void LookupController::OpenLookup()
{
    const int line = selectedIntakeLine();
    if (line < 0) {
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
    w.WEBSEARCH->setText(q(lookup::SearchTextFromFileName(intakeFileName(line))));
    w.WEBOK->setEnabled(false);
    w.WEBLOC->setFileName({});
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
    w.WEBLOC->setFileName({});
    m_intake.JPEGImage1->setFileName({});
    w.LED1->setOn(false);
    m_searching = true;
    m_aborted = false;
    try {
        search();
    } catch (...) {
        noAnswer();
    }
    m_searching = false;
}

void LookupController::abortLookup()
{
    if (!m_searching)
        return;
    m_aborted = true;
    m_http.cancel();
}

namespace {
struct LookupAborted
{
};
} // namespace

void LookupController::stopIfAborted() const
{
    if (m_aborted)
        throw LookupAborted{};
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
        QStringList titles;
        titles.reserve(results.count);
        for (int i = 0; i < results.count; ++i)
            titles << q(results.rows[static_cast<std::size_t>(i)].title);
        r.SQLRESU->addItems(titles);
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
    FetchPictures(page);
    stopIfAborted();
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
    {
        const LineChoice::Quiet quiet(m_genreChoice);
        for (const std::string& genre : data.genres)
            w.CLBGEN->addItem(q(genre));
        if (!data.genres.empty())
            w.CLBGEN->setCurrentRow(w.CLBGEN->count() - static_cast<int>(data.genres.size()));
    }
    w.WEBGEN->setText(q(data.genere));
    w.WEBNAZ->setText(q(data.nazione));
    w.WEBANNO->setText(q(data.anno));
    w.WEBDURATA->setText(q(data.durata));
    w.WEBDATAU->setText(q(data.dataUscita));
    {
        // The ticks the page brings are no choice of the user's.
        const QSignalBlocker quiet(w.CLBATT);
        for (std::size_t i = 0; i < data.actors.size(); ++i) {
            auto* item = new QListWidgetItem(q(data.actors[i]), w.CLBATT);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(i < 4 ? Qt::Checked : Qt::Unchecked);
        }
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

void LookupController::FetchPictures(std::string_view page)
{
    IntakeSession& intake = m_program.intake;
    intake.setPicturesReceived(false, false);
    const auto urls = lookup::PictureUrls(page, filmup::baseUrl());
    if (!urls) {
        log("URL locandina e copertina NON trovata.");
        return;
    }
    const Settings& s = m_program.settings;
    bool poster = false, cover = false;
    if (s.CBSL && fetchPicture(urls->poster, "Locandina", *m_window.WEBLOC)) {
        poster = true;
        intake.setPicturesReceived(poster, cover);
    }
    if (s.CBSCOP && fetchPicture(urls->cover, "Copertina", *m_intake.JPEGImage1)) {
        // The covers list may have hidden the view: a cover to be saved is one the user sees.
        m_intake.JPEGImage1->show();
        m_window.LED1->setOn(true);
        cover = true;
        intake.setPicturesReceived(poster, cover);
    }
}

// The bytes go straight into the view's bounded decoder: no temporary file, so nothing is left
// behind in a folder the program may not even write.
bool LookupController::fetchPicture(const std::string& url, const char* what, JpegView& view)
{
    stopIfAborted();
    log(std::string("Chiedo ") + what + ".");
    try {
        std::string body = m_http.get(url);
        log(std::string(what) + " ricevuta.( " + std::to_string(body.size()) + " bytes)");
        view.setBytes(std::move(body));
        return true;
    } catch (const std::exception&) {
        log(std::string("ERR: ") + what + " NON ricevuta");
        return false;
    }
}

void LookupController::CLBATTClickCheck()
{
    const QListWidget& list = *m_window.CLBATT;
    const int lines = std::min(list.count(), m_session.actors.count);
    int ticked = 0;
    for (int i = 0; i < lines; ++i)
        ticked += list.item(i)->checkState() == Qt::Checked;
    const int half = ticked / 2 + ticked % 2;
    std::string first, second;
    int placed = 0;
    for (int i = 0; i < lines; ++i) {
        if (list.item(i)->checkState() != Qt::Checked)
            continue;
        (placed++ < half ? first : second) += t(list.item(i)->text()) + " - ";
    }
    // Each non-empty text then ends with " -".
    m_window.WEBATT1->setText(q(text::trim(first)));
    m_window.WEBATT2->setText(q(text::trim(second)));
}

void LookupController::CLBGENClick(int line)
{
    if (QListWidgetItem* item = m_window.CLBGEN->item(line))
        m_window.WEBGEN->setText(item->text());
}

void LookupController::WEBOKClick()
{
    // The intake list may have been refilled while this window was open: without its line the
    // data have nowhere to go, so they stay here.
    const int line = selectedIntakeLine();
    if (line < 0) {
        m_dialogs.beep();
        return;
    }
    LookupWindow& w = m_window;
    IntakeTab& in = m_intake;
    const std::string fileName = intakeFileName(line);
    const FoundFilm film{t(w.WEBTIT->text()),  t(w.WEBGEN->text()),  t(w.WEBDURATA->text()),
                         t(w.WEBANNO->text()), t(w.WEBATT1->text()), t(w.WEBATT2->text()),
                         t(w.WEBREGIA->text()), t(w.WEBTRAMA->toPlainText())};
    const std::size_t dot = fileName.rfind('.');
    m_program.intake.takeLookup(film, "lc_" + fileName.substr(0, dot) + ".jpg");
    intakeselection::colourTitle(*in.EDTitolo, fileName);
    in.AssociaDati->setEnabled(true);
    in.LOC->copyFrom(*w.WEBLOC);
    w.hide();
}
