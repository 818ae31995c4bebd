#pragma once

#include <string>
#include <string_view>

// Text rules of the program: only a-z change case, trimming drops codes up to 32,
// comparisons are byte for byte unless a caller folds on purpose.
namespace text {

char lowerAscii(char c);
std::string upperAscii(std::string_view s);
std::string lowerAscii(std::string_view s);
std::string trim(std::string_view s);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool startsWithIgnoringAsciiCase(std::string_view s, std::string_view prefix);
// The value of a hexadecimal digit, -1 for any other character.
int hexDigitValue(char c);
// Tabs and line breaks would split an archive line; they become blanks.
std::string flattenLineBreaks(std::string_view s);

} // namespace text
