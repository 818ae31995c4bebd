#include "program_ini.h"

#include "base/errors.h"
#include "platform/files.h"

#include <algorithm>
#include <iterator>

namespace programini {

namespace {

const char* const kSection = "[Pellicorio]";
const char* const kSourceName = "Fonte";
const char* const kKeyName = "ChiaveTMDb";
// The file holds two short lines.
constexpr std::size_t kMaxBytes = 64u << 10;

bool isSource(const std::string& s)
{
    return std::find(std::begin(kSources), std::end(kSources), s) != std::end(kSources);
}

bool printable(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c > 32 && c < 127; });
}

struct Damaged
{
    std::string reason;
};

Values parse(const std::string& text)
{
    Values v;
    bool section = false;
    std::size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::string where = "riga " + std::to_string(number);
        if (!section) {
            if (line != kSection)
                throw Damaged{where + ": manca " + kSection};
            section = true;
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            throw Damaged{where + " non valida"};
        const std::string name = line.substr(0, eq), value = line.substr(eq + 1);
        if (name == kSourceName) {
            if (!isSource(value))
                throw Damaged{where + ": fonte dati sconosciuta"};
            v.source = value;
        } else if (name == kKeyName) {
            if (!printable(value))
                throw Damaged{where + ": chiave TMDb non valida"};
            v.tmdbKey = value;
        }
        // Other names are a later version's: they are left alone here.
    }
    if (!section && !text.empty())
        throw Damaged{"manca " + std::string(kSection)};
    return v;
}

} // namespace

Loaded read(const std::filesystem::path& dataFolder)
{
    const std::filesystem::path path = dataFolder / kFileName;
    Loaded out;
    const files::Presence presence = files::probe(path);
    if (presence.kind == files::Presence::Kind::Missing)
        return out;
    try {
        if (presence.kind == files::Presence::Kind::Unreachable)
            throw Damaged{presence.reason};
        std::string text;
        try {
            text = files::readWhole(path, kMaxBytes);
        } catch (const UserError& e) {
            throw Damaged{e.what()};
        }
        out.values = parse(text);
    } catch (const Damaged& d) {
        out.values = Values{};
        out.problem = "Il file delle impostazioni " + files::toText(path) + " non \xE8 leggibile (" +
                      d.reason +
                      "): si usano i valori iniziali, e il file sar\xE0 riscritto al prossimo salvataggio.";
    }
    return out;
}

void write(const std::filesystem::path& dataFolder, const Values& values)
{
    if (!isSource(values.source) || !printable(values.tmdbKey))
        throw UserError("Impostazioni non valide per " + std::string(kFileName));
    std::string text = std::string(kSection) + "\r\n";
    text += std::string(kSourceName) + "=" + values.source + "\r\n";
    text += std::string(kKeyName) + "=" + values.tmdbKey + "\r\n";
    files::AtomicWriter writer(dataFolder / kFileName, files::AtomicWriter::Backup::None, 0600);
    writer.write(text);
    writer.commit();
}

} // namespace programini
