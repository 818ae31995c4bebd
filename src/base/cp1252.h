#pragma once

#include <QString>

#include <string>
#include <string_view>

// Texts live as Windows-1252 bytes; these convert at the edges only.
namespace cp1252 {

char32_t toCodePoint(unsigned char byte);

std::string toUtf8(std::string_view text);
// A character Windows-1252 cannot hold becomes '?'; malformed UTF-8 bytes too.
std::string fromUtf8(std::string_view utf8);

QString toQString(std::string_view text);
std::string fromQString(const QString& text);

} // namespace cp1252
