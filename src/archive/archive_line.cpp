#include "archive_line.h"

#include "base/dates.h"
#include "base/numbers.h"

#include <charconv>

namespace archiveline {
namespace {

// Takes the text before the next tab; what follows the tab, cut to the window, remains.
// Without a tab the field is empty and the remaining text only gets cut.
std::string_view takeField(std::string_view& rest)
{
    const std::size_t tab = rest.find('\t');
    if (tab == std::string_view::npos) {
        rest = rest.substr(0, kFieldWindow);
        return {};
    }
    const std::string_view field = rest.substr(0, tab);
    rest = rest.substr(tab + 1, kFieldWindow);
    return field;
}

void appendInt(std::string& out, std::int32_t v)
{
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

} // namespace

void format(const dfilm& r, const RegionalSettings& rs, std::string& out)
{
    format(Fields{{r.titolo, r.genere, r.attore1, r.attore2, r.regia, r.posizione, r.durata, r.datau},
                  r.dataa,
                  r.dimmb,
                  r.riservato,
                  r.trama},
           rs, out);
}

void format(const Fields& r, const RegionalSettings& rs, std::string& out)
{
    for (std::string_view s : r.texts) {
        out += s;
        out += '\t';
    }
    out += dates::formatShortDate(dates::clampToRange(r.dataa), rs);
    out += '\t';
    out += numbers::formatGeneral(r.dimmb, rs);
    out += '\t';
    appendInt(out, r.riservato);
    out += '\t';
    out += r.trama;
}

std::string format(const dfilm& record, const RegionalSettings& rs)
{
    std::string out;
    format(record, rs, out);
    return out;
}

void parse(std::string_view line, const RegionalSettings& rs, dfilm& out)
{
    std::string_view rest = line;
    for (std::string* s : {&out.titolo, &out.genere, &out.attore1, &out.attore2, &out.regia, &out.posizione,
                           &out.durata, &out.datau})
        s->assign(takeField(rest));
    out.dataa = dates::parseShortDate(takeField(rest), rs);
    out.dimmb = numbers::parseFloat(takeField(rest), rs);
    out.riservato = numbers::parseInt(takeField(rest));
    out.trama.assign(rest);
}

dfilm parse(std::string_view line, const RegionalSettings& rs)
{
    dfilm out;
    parse(line, rs, out);
    return out;
}

} // namespace archiveline
