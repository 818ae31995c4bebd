// The copied text of a film page: the parse stays inside its 50-line table (its slots are one
// heap block, so a read past it is caught by ASan), and no field it returns holds a line break.
#include "fuzz_support.h"
#include "intake/clipboard_import.h"

namespace {

void checkOneLine(const std::string& s)
{
    if (s.find_first_of("\r\n") != std::string::npos)
        __builtin_trap();
}

void checkOneLine(const std::optional<std::string>& s)
{
    if (s)
        checkOneLine(*s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = asText(data, size);
    const clipboardimport::LineTable table(text);
    if (table.count() > clipboardimport::kLineSlots)
        __builtin_trap();
    for (int n = 1; n <= table.count(); ++n) {
        const std::string& line = table.line(n);
        checkOneLine(line);
        if (!line.empty() &&
            (static_cast<unsigned char>(line.front()) <= 32 || static_cast<unsigned char>(line.back()) <= 32))
            __builtin_trap();
    }
    const auto fields = clipboardimport::parseFilmPage(text);
    if (fields.has_value() != clipboardimport::isFilmPageText(text))
        __builtin_trap();
    if (!fields)
        return 0;
    for (const std::string* s :
         {&fields->titolo, &fields->durata, &fields->genere, &fields->regia, &fields->trama})
        checkOneLine(*s);
    checkOneLine(fields->datau);
    checkOneLine(fields->attore1);
    checkOneLine(fields->attore2);
    return 0;
}
