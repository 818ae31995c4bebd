#pragma once

#include "dfilm.h"

#include "base/regional.h"

#include <string>
#include <string_view>

namespace archiveline {

// Everything after a line's first tab is read from at most this many characters.
constexpr std::size_t kFieldWindow = 10000;

// A record's fields as text views: the eight texts from titolo to datau, then trama.
struct Fields
{
    std::string_view texts[8];
    double dataa = 0;
    double dimmb = 0;
    std::int32_t riservato = 0;
    std::string_view trama;
};

// Appends the record's line, without its line end.
void format(const dfilm& record, const RegionalSettings& rs, std::string& out);
void format(const Fields& record, const RegionalSettings& rs, std::string& out);
std::string format(const dfilm& record, const RegionalSettings& rs);

// Throws ConversionError when the date, size or integer field does not convert.
void parse(std::string_view line, const RegionalSettings& rs, dfilm& out);
dfilm parse(std::string_view line, const RegionalSettings& rs);

} // namespace archiveline
