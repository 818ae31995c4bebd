#pragma once

#include <array>
#include <string>
#include <string_view>

// The folding of the text filters: each Windows-1252 character to exactly one, every letter to its
// upper case without accents ("e", "è" and "É" all become "E"). One byte for one keeps the offsets
// of a folded text those of the stored one. Letters with no plain base keep their upper case
// (Æ, Œ, Þ); ß has none in Windows-1252 and stays.
namespace text {

extern const std::array<unsigned char, 256> kSearchFold;

inline char searchFold(char c)
{
    return static_cast<char>(kSearchFold[static_cast<unsigned char>(c)]);
}
std::string searchFolded(std::string_view s);
void appendSearchFolded(std::string& out, std::string_view s);

} // namespace text
