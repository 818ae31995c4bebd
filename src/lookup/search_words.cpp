#include "search_words.h"

#include "base/cp1252.h"
#include "base/text.h"

#include <cctype>
#include <chrono>

namespace lookup {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The year of the four digits at pos, or 0.
int yearAt(std::string_view s, std::size_t pos, int nextYear)
{
    if (pos + 4 > s.size())
        return 0;
    int y = 0;
    for (std::size_t i = pos; i < pos + 4; ++i) {
        if (!isDigit(s[i]))
            return 0;
        y = y * 10 + (s[i] - '0');
    }
    return y >= 1880 && y <= nextYear ? y : 0;
}

bool hasWords(std::string_view s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) > 32 && c != '-')
            return true;
    return false;
}

} // namespace

SearchWords SplitSearchText(std::string_view text, int nextYear)
{
    std::string s(text);
    for (char& c : s)
        if (c == '.' || c == '_')
            c = ' ';
    SearchWords out;
    // "(1997)" or "[1997]" anywhere.
    for (std::size_t i = 0; i + 6 <= s.size(); ++i) {
        if ((s[i] == '(' && s[i + 5] == ')') || (s[i] == '[' && s[i + 5] == ']')) {
            if (const int y = yearAt(s, i + 1, nextYear)) {
                std::string rest = s.substr(0, i) + " " + s.substr(i + 6);
                if (hasWords(rest)) {
                    out.year = y;
                    s = rest;
                }
                break;
            }
        }
    }
    // Or the last word.
    if (out.year == 0) {
        const std::string trimmed = text::trim(s);
        const std::size_t n = trimmed.size();
        if (n > 4 && trimmed[n - 5] == ' ' && !isDigit(trimmed[n - 5]))
            if (const int y = yearAt(trimmed, n - 4, nextYear)) {
                out.year = y;
                s = trimmed.substr(0, n - 4);
            }
    }
    // The blanks the cuts leave behind, and a " -" that stood before the year.
    std::string words = text::trim(s);
    while (words.size() >= 1 && words.back() == '-')
        words = text::trim(words.substr(0, words.size() - 1));
    std::string collapsed;
    for (const char c : words)
        if (!(c == ' ' && !collapsed.empty() && collapsed.back() == ' '))
            collapsed += c;
    out.words = collapsed;
    return out;
}

int NextYear()
{
    const auto today =
        std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
    return static_cast<int>(today.year()) + 1;
}

std::string PercentEncodeUtf8(std::string_view text)
{
    return PercentEncode(cp1252::toUtf8(text));
}

std::string PercentEncode(std::string_view bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (std::isalnum(b) && b < 128) {
            out += c;
        } else if (c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    return out;
}

std::string ChooserLine(const std::string& title, int year)
{
    return year > 0 ? title + " (" + std::to_string(year) + ")" : title;
}

} // namespace lookup
