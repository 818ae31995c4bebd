#include "text.h"

namespace text {
namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool isTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string upperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = upper(c);
    return out;
}

std::string lowerAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

std::string trim(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && isTrimmed(s[b]))
        ++b;
    while (e > b && isTrimmed(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}

bool startsWithIgnoringAsciiCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && equalsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string flattenLineBreaks(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace text
