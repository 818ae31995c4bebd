#include "version_file.h"

#include "base/errors.h"
#include "base/text.h"

namespace update {

namespace {

// Columns counted from 1; a column past the end is empty.
std::string_view columns(std::string_view s, std::size_t first, std::size_t count)
{
    return first - 1 >= s.size() ? std::string_view() : s.substr(first - 1, count);
}

bool isAsciiLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

int versionNumber(std::string_view version)
{
    std::string digits;
    for (std::size_t i : {0u, 2u, 4u})
        if (i < version.size())
            digits += version[i];
    // A shorter text joins the characters it has: "4.4" gives 44.
    bool ok = !digits.empty();
    for (char c : digits)
        ok = ok && c >= '0' && c <= '9';
    if (!ok)
        throw ConversionError("'" + digits + "' non \xE8 un numero intero valido");
    int n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

VersionFile readVersionFile(std::string_view body)
{
    return {text::trim(columns(body, 1, 19)), text::trim(columns(body, 20, 10)),
            text::trim(columns(body, 30, 10))};
}

bool isPackageName(std::string_view name)
{
    if (name.empty() || !isAsciiLetterOrDigit(name.front()) || name.find("..") != std::string_view::npos)
        return false;
    for (char c : name)
        if (!isAsciiLetterOrDigit(c) && c != '.' && c != '_' && c != '-')
            return false;
    return name.size() > 4 && text::equalsIgnoringAsciiCase(name.substr(name.size() - 4), ".zip");
}

} // namespace update
