#pragma once

#include <string>
#include <string_view>

namespace rtf {

// Turns a rich text document into HTML (UTF-8) for the help view. It follows paragraphs,
// alignment, bold, italic, underline, font size and colour, Windows-1252 and Unicode
// characters; other control words, pictures and destinations are skipped. Never fails: what it
// cannot read it leaves out.
std::string toHtml(std::string_view document);

} // namespace rtf
