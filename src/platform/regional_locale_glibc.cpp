#include "regional_locale.h"

#include "base/cp1252.h"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace regional {
namespace {

std::string categoryLocale(const char* category)
{
    for (const char* var : {"LC_ALL", category, "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v)
            return v;
    }
    return {};
}

bool isPlainC(const std::string& name)
{
    return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

char firstByte(const char* utf8, char fallback)
{
    const std::string s = cp1252::fromUtf8(utf8 ? utf8 : "");
    return s.empty() ? fallback : s[0];
}

} // namespace

void applyDateFormat(const std::string& f, RegionalSettings& rs)
{
    std::string out;
    char sep = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '%' && i + 1 < f.size()) {
            char c = f[++i];
            if ((c == 'E' || c == 'O') && i + 1 < f.size())
                c = f[++i];
            switch (c) {
            case 'd': out += "dd"; break;
            case 'e': out += "d"; break;
            case 'm': out += "mm"; break;
            case 'Y':
            case 'y': out += "yyyy"; break; // files keep the century
            case 'F': out += "yyyy/mm/dd"; sep = sep ? sep : '-'; break;
            case 'D': out += "mm/dd/yyyy"; sep = sep ? sep : '/'; break;
            default: break;
            }
            continue;
        }
        if (!sep && f[i] != ' ')
            sep = f[i];
        out += f[i] == sep ? '/' : f[i];
    }
    if (out.find('d') == std::string::npos || out.find('m') == std::string::npos ||
        out.find('y') == std::string::npos)
        return; // not a date format we can follow
    rs.shortDateFormat = out;
    rs.dateSeparator = sep ? sep : '/';
}

void applyTimeFormat(const std::string& f, RegionalSettings& rs)
{
    std::string out;
    char sep = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '%' && i + 1 < f.size()) {
            char c = f[++i];
            if ((c == 'E' || c == 'O') && i + 1 < f.size())
                c = f[++i];
            switch (c) {
            case 'H':
            case 'I': out += "hh"; break;
            case 'k':
            case 'l': out += "h"; break;
            case 'M': out += "nn"; break;
            case 'S': out += "ss"; break;
            case 'p':
            case 'P': out += "ampm"; break;
            case 'T': out += "hh:nn:ss"; sep = sep ? sep : ':'; break;
            case 'R': out += "hh:nn"; sep = sep ? sep : ':'; break;
            case 'r': out += "hh:nn:ss ampm"; sep = sep ? sep : ':'; break;
            default: break;
            }
            continue;
        }
        if (!sep && f[i] != ' ')
            sep = f[i];
        out += f[i] == sep ? ':' : f[i];
    }
    if (out.find('h') == std::string::npos)
        return;
    rs.longTimeFormat = out;
    rs.timeSeparator = sep ? sep : ':';
}

RegionalSettings fromProcessLocale()
{
    RegionalSettings rs = RegionalSettings::italian();
    const std::string timeName = categoryLocale("LC_TIME");
    if (!isPlainC(timeName)) {
        if (locale_t loc = newlocale(LC_TIME_MASK, timeName.c_str(), nullptr)) {
            applyDateFormat(nl_langinfo_l(D_FMT, loc), rs);
            applyTimeFormat(nl_langinfo_l(T_FMT, loc), rs);
            freelocale(loc);
        }
    }
    const std::string numericName = categoryLocale("LC_NUMERIC");
    if (!isPlainC(numericName)) {
        if (locale_t loc = newlocale(LC_NUMERIC_MASK, numericName.c_str(), nullptr)) {
            rs.decimalSeparator = firstByte(nl_langinfo_l(RADIXCHAR, loc), ',');
            rs.thousandSeparator =
                firstByte(nl_langinfo_l(THOUSEP, loc), rs.decimalSeparator == ',' ? '.' : ',');
            if (rs.thousandSeparator == rs.decimalSeparator)
                rs.thousandSeparator = rs.decimalSeparator == ',' ? '.' : ',';
            freelocale(loc);
        }
    }
    return rs;
}

} // namespace regional
