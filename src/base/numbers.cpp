#include "numbers.h"

#include "errors.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace numbers {
namespace {

bool isBlank(char c) { return c == ' '; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void failFloat(std::string_view text)
{
    throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

[[noreturn]] void failInt(std::string_view text)
{
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

} // namespace

std::string formatGeneral(double value, const RegionalSettings& rs)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        char ibuf[24];
        const auto res = std::to_chars(ibuf, ibuf + sizeof ibuf, static_cast<long long>(value));
        return std::string(ibuf, res.ptr);
    }
    char buf[40];
    const auto printed = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    // buf: [-]d.dddddddddddddde[+-]XX
    std::string_view s(buf, static_cast<std::size_t>(printed.ptr - buf));
    std::string out;
    if (s.front() == '-') {
        out += '-';
        s.remove_prefix(1);
    }
    const std::size_t ePos = s.find('e');
    std::string digits;
    for (char c : s.substr(0, ePos))
        if (isDigit(c))
            digits += c;
    int e10 = 0;
    std::string_view exp = s.substr(ePos + 1);
    if (!exp.empty() && exp.front() == '+')
        exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), e10);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = e10 + 1; // value = 0.digits x 10^exponent

    if (exponent > 15 || exponent < -3) {
        out += digits[0];
        if (digits.size() > 1) {
            out += rs.decimalSeparator;
            out.append(digits, 1);
        }
        out += 'E';
        if (e10 < 0)
            out += '-';
        out += std::to_string(std::abs(e10));
        return out;
    }
    if (exponent <= 0) {
        out += '0';
        out += rs.decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent), '0');
        out += digits;
        return out;
    }
    const auto intDigits = static_cast<std::size_t>(exponent);
    if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
    } else {
        out.append(digits, 0, intDigits);
        out += rs.decimalSeparator;
        out.append(digits, intDigits);
    }
    return out;
}

std::string formatThousands2(double value, const RegionalSettings& rs)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    std::string_view s(buf);
    std::string out;
    if (s.front() == '-') {
        out += '-';
        s.remove_prefix(1);
    }
    // The C library may print another radix under the process locale; find it by position.
    std::size_t dot = 0;
    while (dot < s.size() && isDigit(s[dot]))
        ++dot;
    const std::string_view intPart = s.substr(0, dot);
    for (std::size_t i = 0; i < intPart.size(); ++i) {
        if (i > 0 && (intPart.size() - i) % 3 == 0)
            out += rs.thousandSeparator;
        out += intPart[i];
    }
    out += rs.decimalSeparator;
    out += s.substr(dot + 1);
    if (out.size() < 4)
        out.insert(0, 4 - out.size(), ' ');
    return out;
}

double parseFloat(std::string_view text, const RegionalSettings& rs)
{
    std::size_t i = 0, n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    while (n > i && isBlank(text[n - 1]))
        --n;
    std::string normal;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool mantissaDigit = false;
    while (i < n && isDigit(text[i])) {
        normal += text[i++];
        mantissaDigit = true;
    }
    if (i < n && text[i] == rs.decimalSeparator) {
        normal += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            normal += text[i++];
            mantissaDigit = true;
        }
    }
    if (!mantissaDigit)
        failFloat(text);
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            normal += text[i++];
        bool expDigit = false;
        while (i < n && isDigit(text[i])) {
            normal += text[i++];
            expDigit = true;
        }
        if (!expDigit)
            failFloat(text);
    }
    if (i != n)
        failFloat(text);
    double value = 0;
    const auto res = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // The general format rounds to 15 digits, which takes the largest doubles just past the
        // largest double, and the smallest ones below the normal range: both must read back.
        long double wide = 0;
        const auto again = std::from_chars(normal.data(), normal.data() + normal.size(), wide);
        constexpr long double kLargest = std::numeric_limits<double>::max();
        if (again.ec != std::errc() || !(std::fabs(wide) <= kLargest * (1 + 1e-13L)))
            failFloat(text); // out of the range of a double
        value = static_cast<double>(std::fabs(wide) > kLargest ? kLargest : wide);
    } else if (res.ec != std::errc())
        failFloat(text);

    return negative ? -value : value;
}

std::int32_t parseInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        failInt(text);
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative ? 0x80000000ULL : 0x7FFFFFFFULL;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int d;
        if (isDigit(c))
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            failInt(text);
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (magnitude > limit && base == 10)
            failInt(text);
        if (magnitude > 0xFFFFFFFFULL)
            failInt(text);
    }
    if (base == 16)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude));
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

} // namespace numbers
