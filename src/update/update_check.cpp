#include "update_check.h"

#include "package_store.h"
#include "version_file.h"

#include "base/errors.h"
#include "platform/files.h"

namespace update {

namespace {

const char* const kCheckCaption = "Controlla";
const char* const kDownloadCaption = "Scarica aggiornamento";
const char* const kLeaveCaption = "Esci da Web UpDate";
const char* const kDoneCaption = "Fine";

std::string folderText(const std::filesystem::path& folder)
{
    std::string s = files::toText(folder);
    if (s.empty() || s.back() != '/')
        s += '/';
    return s;
}

// A refused name goes into the log on one line, whatever it holds.
std::string printable(std::string s)
{
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32)
            c = '?';
    return s;
}

} // namespace

UpdateCheck::UpdateCheck(Setup setup, Get get, Screen& screen)
    : m_setup(std::move(setup)), m_get(std::move(get)), m_screen(screen)
{
}

void UpdateCheck::reset()
{
    m_state = 0;
    m_screen.stateChanged(m_state);
    m_screen.clearLog();
    m_screen.setStatus("Pronto");
    m_screen.setCaption(kCheckCaption);
}

void UpdateCheck::press()
{
    switch (m_state) {
    case 0:
        check();
        break;
    case 2:
        download();
        break;
    default:
        leave();
        break;
    }
}

void UpdateCheck::closed()
{
    m_closed = true;
    toState(0, kCheckCaption);
}

void UpdateCheck::toState(int state, const char* caption)
{
    m_state = state;
    m_screen.stateChanged(m_state);
    m_screen.setCaption(caption);
}

void UpdateCheck::check()
{
    const int current = versionNumber(m_setup.programVersion);
    m_screen.setStatus("Recupero informazioni su aggiornamenti...");
    m_closed = false;
    std::string body;
    try {
        body = m_get(m_setup.baseUrl + kVersionFileName, kVersionFileMaxBytes);
    } catch (const UserError&) {
        if (m_closed)
            return;
        m_screen.appendLog("Sito non risponde. Riprovare pi\xF9 tardi.");
        m_screen.setStatus("Errore");
        return;
    }
    if (m_closed)
        return;
    m_screen.setStatus("Fatto !");
    m_screen.setBarPosition(100);

    const VersionFile file = readVersionFile(body);
    const int available = versionNumber(file.version);
    m_fileName = file.UpdateFileName;
    m_screen.appendLog("Versione corrente   : " + m_setup.programVersion);
    m_screen.appendLog("");
    m_screen.appendLog("Versione disponibile: " + file.version + "  del : " + file.date);
    m_screen.appendLog("");
    if (available > current) {
        m_screen.appendLog("Premi il pulsante per scaricare la versione nuova");
        toState(2, kDownloadCaption);
    } else {
        m_screen.appendLog("Nessun aggiornamento");
        toState(1, kLeaveCaption);
    }
}

void UpdateCheck::download()
{
    m_screen.clearLog();
    m_screen.setStatus("Attendi...");
    const auto notDelivered = [this] {
        m_screen.appendLog("File non trovato sul sito.");
        m_screen.setStatus("Errore");
        toState(1, kLeaveCaption);
    };
    // The name comes from the network: anything but a plain package name could reach other files.
    if (!isPackageName(m_fileName)) {
        m_screen.appendLog("Nome del file di aggiornamento rifiutato: \"" + printable(m_fileName) + "\"");
        notDelivered();
        return;
    }
    m_closed = false;
    std::string body;
    try {
        body = m_get(m_setup.baseUrl + m_fileName, kPackageMaxBytes);
    } catch (const UserError&) {
        if (!m_closed)
            notDelivered();
        return;
    }
    if (m_closed)
        return;

    const std::vector<SaveAttempt> attempts = savePackage(m_setup.folders, m_fileName, body);
    for (const SaveAttempt& a : attempts)
        if (!a.error.empty())
            m_screen.appendLog("Impossibile salvare il file: " + folderText(a.folder) + m_fileName + " (" +
                               a.error + ")");
    if (attempts.empty() || !attempts.back().error.empty()) {
        m_screen.setStatus("Errore");
        toState(1, kLeaveCaption);
        return;
    }
    m_screen.appendLog("Aggiornamento salvato nel file: " + folderText(attempts.back().folder) + m_fileName);
    m_screen.appendLog("Unzippare il file nella dir. stessa, sovrascrivendo il file presente.");
    toState(1, kDoneCaption);
}

void UpdateCheck::leave()
{
    toState(0, kCheckCaption);
    m_screen.close();
}

} // namespace update
