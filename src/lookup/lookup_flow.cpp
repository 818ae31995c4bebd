#include "lookup_flow.h"

#include "film_search.h"
#include "search_words.h"


#include <exception>

namespace lookup {

namespace {

struct LookupAborted
{
};

} // namespace

LookupFlow::LookupFlow(Network network, Screen& screen, Source& source)
    : m_net(std::move(network)), m_screen(screen), m_next(&source), m_source(&source)
{
}

void LookupFlow::setSource(Source& source)
{
    m_next = &source;
}

void LookupFlow::open(const std::string& mediaFileName)
{
    m_screen.clearFields();
    m_screen.clearLists();
    m_screen.clearLog();
    m_screen.setSearchText(SearchTextFromFileName(mediaFileName));
    m_screen.setAcceptEnabled(false);
    m_screen.clearPoster();
    m_screen.showWindow();
}

void LookupFlow::search(const std::string& searchText, bool anyWord, const std::string& perPage)
{
    if (m_searching || (m_net.busy && m_net.busy()))
        return;
    m_source = m_next;
    m_screen.clearLists();
    m_screen.clearLog();
    m_screen.clearPoster();
    m_screen.clearCover();
    m_screen.setLed(false);
    if (const auto why = m_source->notReady(); !why.empty()) {
        for (const std::string& line : why)
            log(line);
        return;
    }
    const SearchWords words = SplitSearchText(searchText, NextYear());
    const Query query{searchText, words.words, words.year, anyWord, perPage};
    m_searching = true;
    m_aborted = false;
    try {
        runSearch(query);
    } catch (...) {
        noAnswer();
    }
    m_searching = false;
}

void LookupFlow::runSearch(const Query& query)
{
    log("Eseguo ricerca del DataBase di " + m_source->displayName() + "...");
    m_results = m_source->search(query);
    log("Analizzo pagina dei risultati della ricerca...");
    const std::size_t n = m_results.size();
    if (n == 0) {
        log("Nessuna occorrenza trovata per il titolo dato");
    } else if (n == 1) {
        log("Trovata 1 scheda film.");
        loadFilm(m_results[0].key);
    } else {
        log("Trovate " + std::to_string(n) + " schede film. Attesa scelta utente...");
        std::vector<std::string> titles;
        titles.reserve(n);
        for (const Result& r : m_results)
            titles.push_back(r.title);
        m_screen.showChooser(titles);
    }
}

void LookupFlow::choiceChanged(int line)
{
    if (line >= 0 && static_cast<std::size_t>(line) < m_results.size())
        m_screen.setChoiceText(m_results[static_cast<std::size_t>(line)].title);
}

void LookupFlow::choose(int line)
{
    if (line < 0 || static_cast<std::size_t>(line) >= m_results.size() || (m_net.busy && m_net.busy()))
        return;
    // The chooser stays on screen while the film is read, and goes afterwards.
    try {
        const Result chosen = m_results[static_cast<std::size_t>(line)];
        log("Titolo selezionato :  " + chosen.title);
        loadFilm(chosen.key);
    } catch (...) {
        noAnswer();
    }
    m_screen.closeChooser();
}

void LookupFlow::cancelChoice()
{
    m_screen.closeChooser();
    log("Abort utente");
}

void LookupFlow::abort()
{
    if (!m_searching)
        return;
    m_aborted = true;
    if (m_net.cancel)
        m_net.cancel();
}

void LookupFlow::stopIfAborted() const
{
    if (m_aborted)
        throw LookupAborted{};
}

void LookupFlow::noAnswer()
{
    log(m_source->hostName() + " non risponde !");
    for (const std::string& line : m_source->afterNoAnswer())
        log(line);
}

void LookupFlow::loadFilm(const std::string& key)
{
    log("Richiedo scheda film...");
    Film film;
    try {
        film = m_source->film(key);
    } catch (const std::exception&) {
        log("ERR: Scheda film non ricevuta");
        log("Scheda film non ricevuta dal web");
        return;
    }
    log("Scheda film ricevuta. ( " + std::to_string(film.bytes) + " bytes)");
    log("Analizzo scheda film...");
    fetchPictures(film.pictures);
    stopIfAborted();
    if (!film.data) {
        log("Dati della scheda in formato non compatibile");
        return;
    }
    log("Estraggo dati dalla scheda film...");
    m_screen.showFilm(*film.data);
    log("Terminato !");
    m_screen.setAcceptEnabled(true);
}

void LookupFlow::fetchPictures(const std::optional<PictureAddresses>& pictures)
{
    m_screen.setPosterReceived(false);
    m_screen.setCoverReceived(false);
    if (!pictures) {
        log("URL locandina e copertina NON trovata.");
        return;
    }
    const PictureChoice choice = m_screen.pictureChoice();
    if (choice.poster && fetchPicture(pictures->poster, "Locandina", true))
        m_screen.setPosterReceived(true);
    if (choice.cover && fetchPicture(pictures->cover, "Copertina", false)) {
        m_screen.setLed(true);
        m_screen.setCoverReceived(true);
    }
}

bool LookupFlow::fetchPicture(const std::string& url, const char* what, bool poster)
{
    stopIfAborted();
    log(std::string("Chiedo ") + what + ".");
    try {
        std::string body = m_net.get(url, m_source->pictureRequest());
        log(std::string(what) + " ricevuta.( " + std::to_string(body.size()) + " bytes)");
        if (m_source->convertsPictures() && m_net.toJpeg)
            body = m_net.toJpeg(std::move(body));
        if (poster)
            m_screen.showPoster(std::move(body));
        else
            m_screen.showCover(std::move(body));
        return true;
    } catch (const std::exception&) {
        log(std::string("ERR: ") + what + " NON ricevuta");
        return false;
    }
}

} // namespace lookup
