#include "search_fold.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace text {
namespace {

constexpr std::array<unsigned char, 256> makeTable()
{
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<unsigned char>(c - 32);
    const auto both = [&t](unsigned char first, unsigned char last, unsigned char to) {
        // Windows-1252 puts each lower-case accented letter 32 above its upper case.
        for (int c = first; c <= last; ++c)
            t[c] = t[c + 32] = to;
    };
    both(0xC0, 0xC5, 'A');    // À Á Â Ã Ä Å
    both(0xC6, 0xC6, 0xC6);   // Æ
    both(0xC7, 0xC7, 'C');    // Ç
    both(0xC8, 0xCB, 'E');    // È É Ê Ë
    both(0xCC, 0xCF, 'I');    // Ì Í Î Ï
    both(0xD0, 0xD0, 'D');    // Ð
    both(0xD1, 0xD1, 'N');    // Ñ
    both(0xD2, 0xD6, 'O');    // Ò Ó Ô Õ Ö
    both(0xD8, 0xD8, 'O');    // Ø
    both(0xD9, 0xDC, 'U');    // Ù Ú Û Ü
    both(0xDD, 0xDD, 'Y');    // Ý
    both(0xDE, 0xDE, 0xDE);   // Þ
    t[0xFF] = 'Y';            // ÿ, whose upper case lies elsewhere
    t[0x9F] = 'Y';            // Ÿ
    t[0x8A] = t[0x9A] = 'S';  // Š š
    t[0x8E] = t[0x9E] = 'Z';  // Ž ž
    t[0x8C] = t[0x9C] = 0x8C; // Œ œ
    return t;
}

// Upper-cases a to z of eight ASCII bytes at once.
std::uint64_t upperEight(std::uint64_t x)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    const std::uint64_t fromA = x + (0x80 - 'a') * kOnes;     // high bit: at least 'a'
    const std::uint64_t pastZ = x + (0x80 - 'z' - 1) * kOnes; // high bit: past 'z'
    const std::uint64_t lower = fromA & ~pastZ & kHigh;
    return x - (lower >> 2);
}

} // namespace

constexpr std::array<unsigned char, 256> kSearchFold = makeTable();

std::string searchFolded(std::string_view s)
{
    std::string out;
    appendSearchFolded(out, s);
    return out;
}

void appendSearchFolded(std::string& out, std::string_view s)
{
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    std::size_t at = out.size();
    out += s;
    char* p = out.data();
    for (; at + 8 <= out.size(); at += 8) {
        std::uint64_t x;
        std::memcpy(&x, p + at, 8);
        if (x & kHigh) {
            // Accented letters are rare: byte by byte only where one lies.
            for (std::size_t i = at; i < at + 8; ++i)
                p[i] = searchFold(p[i]);
            continue;
        }
        x = upperEight(x);
        std::memcpy(p + at, &x, 8);
    }
    for (; at < out.size(); ++at)
        p[at] = searchFold(p[at]);
}

} // namespace text
