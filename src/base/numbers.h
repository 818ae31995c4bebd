#pragma once

#include "regional.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace numbers {

// General format: up to 15 significant digits, no trailing zeros, no thousands separator.
std::string formatGeneral(double value, const RegionalSettings& rs);
// Two decimals with thousands separators, right-aligned in at least four characters.
std::string formatThousands2(double value, const RegionalSettings& rs);

// Both throw ConversionError with the run-time library's text.
double parseFloat(std::string_view text, const RegionalSettings& rs);
std::int32_t parseInt(std::string_view text);

} // namespace numbers
