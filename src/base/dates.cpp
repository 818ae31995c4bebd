#include "dates.h"

#include "errors.h"
#include "text.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace dates {
namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

// constexpr: encode() may run during the static initialisation of other files.
constexpr long long kOleEpoch = daysFromCivil(1899, 12, 30);

const char* const kMonthShort[] = {"gen", "feb", "mar", "apr", "mag", "giu",
                                   "lug", "ago", "set", "ott", "nov", "dic"};
const char* const kMonthLong[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                  "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
const char* const kDayShort[] = {"dom", "lun", "mar", "mer", "gio", "ven", "sab"};
// Windows-1252 bytes: 0xEC is the accented i.
const char* const kDayLong[] = {"domenica", "luned\xEC",  "marted\xEC", "mercoled\xEC",
                                "gioved\xEC",  "venerd\xEC", "sabato"};

std::atomic<Clock> g_clock{nullptr};

int thisYear()
{
    const Clock clock = g_clock.load(std::memory_order_relaxed);
    const std::time_t now = clock ? static_cast<std::time_t>(clock()) : std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm.tm_year + 1900;
}

std::string pad(int value, int width)
{
    char buf[16];
    int n = 0;
    unsigned v = static_cast<unsigned>(value < 0 ? -value : value);
    do {
        buf[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0 && n < 15);
    while (n < width && n < 15)
        buf[n++] = '0';
    std::string out;
    if (value < 0)
        out += '-';
    while (n > 0)
        out += buf[--n];
    return out;
}

std::size_t runLength(std::string_view p, std::size_t i)
{
    std::size_t n = 1;
    while (i + n < p.size() && text::lowerAscii(p[i + n]) == text::lowerAscii(p[i]))
        ++n;
    return n;
}

} // namespace

bool isValidDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + ((month == 2 && leap) ? 1 : 0);
}

double encode(const Civil& c)
{
    const double days = static_cast<double>(
        daysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) - kOleEpoch);
    const double time = (c.hour * 3600000.0 + c.minute * 60000.0 + c.second * 1000.0 + c.msec) / 86400000.0;
    // Before the epoch the fraction still counts forward from midnight.
    return days >= 0 ? days + time : days - time;
}

double firstDate() { return encode(Civil{1, 1, 1}); }

double lastDate() { return encode(Civil{9999, 12, 31, 23, 59, 59, 999}); }

double clampToRange(double dateTime)
{
    if (std::isnan(dateTime))
        return encode(Civil{});
    return std::clamp(dateTime, firstDate(), lastDate());
}

Civil decode(double dateTime)
{
    Civil c;
    const double whole = std::trunc(dateTime);
    civilFromDays(static_cast<long long>(whole) + kOleEpoch, c.year, c.month, c.day);
    long long ms = std::llround(std::fabs(dateTime - whole) * 86400000.0);
    if (ms >= 86400000)
        ms = 86399999;
    c.hour = static_cast<int>(ms / 3600000);
    c.minute = static_cast<int>(ms / 60000 % 60);
    c.second = static_cast<int>(ms / 1000 % 60);
    c.msec = static_cast<int>(ms % 1000);
    return c;
}

std::string format(std::string_view p, double dateTime, const RegionalSettings& rs)
{
    const Civil c = decode(dateTime);
    const long long days = static_cast<long long>(std::trunc(dateTime)) + kOleEpoch;
    const int weekday = static_cast<int>(((days % 7) + 7 + 4) % 7); // 1970-01-01 was a Thursday
    bool twelveHour = false;
    for (std::size_t k = p.find_first_of("aA"); k < p.size(); ++k)
        if (text::startsWithIgnoringAsciiCase(p.substr(k), "ampm") || text::startsWithIgnoringAsciiCase(p.substr(k), "am/pm"))
            twelveHour = true;
    std::string out;
    bool afterHour = false;
    std::size_t i = 0;
    while (i < p.size()) {
        const char ch = p[i];
        const char lc = text::lowerAscii(ch);
        if (ch == '\'' || ch == '"') {
            const std::size_t end = p.find(ch, i + 1);
            const std::size_t stop = end == std::string_view::npos ? p.size() : end;
            out.append(p.substr(i + 1, stop - i - 1));
            i = stop == p.size() ? stop : stop + 1;
            continue;
        }
        if (ch == '/') {
            out += rs.dateSeparator;
            ++i;
            continue;
        }
        if (ch == ':') {
            out += rs.timeSeparator;
            ++i;
            continue;
        }
        if (lc == 'a' && (text::startsWithIgnoringAsciiCase(p.substr(i), "ampm") || text::startsWithIgnoringAsciiCase(p.substr(i), "am/pm"))) {
            const bool ampm = text::startsWithIgnoringAsciiCase(p.substr(i), "ampm");
            out += c.hour < 12 ? "AM" : "PM";
            i += ampm ? 4 : 5;
            continue;
        }
        const std::size_t n = runLength(p, i);
        switch (lc) {
        case 'd':
            if (n == 1)
                out += pad(c.day, 1);
            else if (n == 2)
                out += pad(c.day, 2);
            else if (n == 3)
                out += kDayShort[weekday];
            else
                out += kDayLong[weekday];
            break;
        case 'm':
            if (afterHour && n <= 2)
                out += pad(c.minute, static_cast<int>(std::min<std::size_t>(n, 2)));
            else if (n == 1)
                out += std::to_string(c.month);
            else if (n == 2)
                out += pad(c.month, 2);
            else if (n == 3)
                out += kMonthShort[c.month - 1];
            else
                out += kMonthLong[c.month - 1];
            break;
        case 'y':
            out += n <= 2 ? pad(c.year % 100, 2) : pad(c.year, 4);
            break;
        case 'h': {
            int hour = c.hour;
            if (twelveHour)
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out += n == 1 ? std::to_string(hour) : pad(hour, 2);
            break;
        }
        case 'n':
            out += pad(c.minute, static_cast<int>(std::min<std::size_t>(n, 2)));
            break;
        case 's':
            out += n == 1 ? std::to_string(c.second) : pad(c.second, 2);
            break;
        case 'z':
            out += n >= 3 ? pad(c.msec, 3) : std::to_string(c.msec);
            break;
        default:
            out.append(p.substr(i, n));
            break;
        }
        afterHour = lc == 'h' || (afterHour && lc != 'd' && lc != 'y' && lc != 'm' && lc != 's' && lc != 'n');
        i += n;
    }
    return out;
}

std::string formatShortDate(double dateTime, const RegionalSettings& rs)
{
    return format(rs.shortDateFormat, dateTime, rs);
}

std::string formatDateTime(double dateTime, const RegionalSettings& rs)
{
    std::string out = formatShortDate(dateTime, rs);
    if (dateTime != std::trunc(dateTime))
        out += ' ' + format(rs.longTimeFormat, dateTime, rs);
    return out;
}

std::string formatDdMmYyyy(double dateTime, const RegionalSettings& rs)
{
    return format("dd/mm/yyyy", dateTime, rs);
}

void setClock(Clock clock) { g_clock.store(clock, std::memory_order_relaxed); }

double parseShortDate(std::string_view text, const RegionalSettings& rs, int currentYear)
{
    const auto fail = [&]() -> double {
        throw ConversionError("'" + std::string(text) + "' is not a valid date");
    };
    // Order of day, month and year as the short date format lists them.
    enum Order { DMY, MDY, YMD } order = DMY;
    for (char ch : rs.shortDateFormat) {
        const char lc = text::lowerAscii(ch);
        if (lc == 'd') {
            order = DMY;
            break;
        }
        if (lc == 'm') {
            order = MDY;
            break;
        }
        if (lc == 'y') {
            order = YMD;
            break;
        }
    }
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    const auto number = [&](int& value, int& digits) {
        value = 0;
        digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (digits >= 4)
                return false;
            value = value * 10 + (text[i] - '0');
            ++digits;
            ++i;
        }
        return digits > 0;
    };
    int n1, n2, n3 = 0, l1, l2, l3 = 0;
    skipBlanks();
    if (!number(n1, l1) || i >= text.size() || text[i] != rs.dateSeparator)
        return fail();
    ++i;
    if (!number(n2, l2))
        return fail();
    bool three = false;
    if (i < text.size() && text[i] == rs.dateSeparator) {
        ++i;
        if (!number(n3, l3))
            return fail();
        three = true;
    }
    skipBlanks();
    if (i != text.size())
        return fail();

    const auto now = [currentYear] { return currentYear != 0 ? currentYear : thisYear(); };
    int y, m, d, yDigits;
    if (!three) {
        y = now();
        yDigits = 4;
        if (order == MDY || order == YMD) {
            m = n1;
            d = n2;
        } else {
            d = n1;
            m = n2;
        }
    } else if (order == DMY) {
        d = n1, m = n2, y = n3, yDigits = l3;
    } else if (order == MDY) {
        m = n1, d = n2, y = n3, yDigits = l3;
    } else {
        y = n1, m = n2, d = n3, yDigits = l1;
    }
    if (yDigits <= 2) {
        // Two-digit years fall within fifty years either side of now.
        const int year = now();
        y += year / 100 * 100;
        if (y > year + 50)
            y -= 100;
        else if (y <= year - 50)
            y += 100;
    }
    if (!isValidDate(y, m, d))
        return fail();
    return encode(Civil{y, m, d});
}

} // namespace dates
