#include "config_file.h"

#include "base/errors.h"
#include "base/lines.h"
#include "platform/dialogs.h"
#include "platform/files.h"

namespace config {

std::string format(const Settings& s)
{
    std::string out;
    for (const std::string& line :
         {s.ProgramVersion, s.MediaFolder, s.CoverListFolder, s.CoverArchiveFolder, s.PosterArchiveFolder,
          s.NickName, std::string(s.CkBRimappa ? "No_Rimappa" : "Rimappa"),
          std::string(s.CBSL ? "Richiedi_locandina" : "Non_Richiedere_locandina"),
          std::string(s.CBSALVALOC ? "Salva_locandina" : "Non_salvare locandina"),
          std::string(s.CBSCOP ? "Salva_copertina" : "Non_salvare copertina")}) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string firstLine(std::string_view data)
{
    LineReader reader(data);
    std::string_view line;
    return reader.next(line) ? std::string(line) : std::string();
}

void applyLines(std::string_view data, Settings& s)
{
    std::string lines[10];
    LineReader reader(data);
    std::string_view line;
    for (int i = 0; i < 10 && reader.next(line); ++i)
        lines[i] = std::string(line);
    s.MediaFolder = lines[1];
    s.CoverListFolder = lines[2];
    s.CoverArchiveFolder = lines[3];
    s.PosterArchiveFolder = lines[4];
    s.NickName = lines[5];
    s.CkBRimappa = lines[6] != "Rimappa";
    s.CBSL = lines[7] == "Richiedi_locandina";
    s.CBSALVALOC = lines[8] == "Salva_locandina";
    s.CBSCOP = lines[9] == "Salva_copertina";
}

} // namespace config

void WriteConfig(const Settings& s) { files::writeAtomically(files::fromText(s.ConfigPath), config::format(s)); }

void AskNickName(Settings& s, Dialogs& dialogs)
{
    s.NickName.clear();
    while (s.NickName.empty())
        s.NickName = dialogs.inputBox("Nome Archivist", "Nome", "").value_or(std::string());
}

void ReadConfig(Settings& s, Dialogs& dialogs)
{
    const files::fs::path path = files::fromText(s.ConfigPath);
    const files::Presence presence = files::probe(path);
    // A configuration that is there but out of reach is not replaced by a new one.
    if (presence.kind == files::Presence::Kind::Unreachable)
        throw UserError(presence.reason);
    if (presence.kind == files::Presence::Kind::Missing) {
        AskNickName(s, dialogs);
        WriteConfig(s);
        return;
    }
    const std::string data = files::readWhole(path);
    if (config::firstLine(data) != s.ProgramVersion) {
        // Another version's file: nothing of it is taken over.
        files::remove(path);
        s.resetSavedToDefaults();
        AskNickName(s, dialogs);
        WriteConfig(s);
        return;
    }
    config::applyLines(data, s);
}
