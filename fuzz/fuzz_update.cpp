// Version files: the three columns never hold a line break, and a package name the check accepts
// is a plain name that stays in its folder.
#include "base/errors.h"
#include "fuzz_support.h"
#include "update/version_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view body = asText(data, size);
    const update::VersionFile file = update::readVersionFile(body);
    for (const std::string* column : {&file.UpdateFileName, &file.version, &file.date})
        if (column->size() > 19)
            __builtin_trap();
    try {
        const int n = update::versionNumber(file.version);
        if (n < 0 || n > 999)
            __builtin_trap();
    } catch (const ConversionError&) {
    }
    for (const std::string_view name : {std::string_view(file.UpdateFileName), body.substr(0, 64)}) {
        if (!update::isPackageName(name))
            continue;
        if (name.empty() || name.find('/') != std::string_view::npos || name.find("..") != std::string_view::npos ||
            name.find('\\') != std::string_view::npos || name.find('\0') != std::string_view::npos)
            __builtin_trap();
    }
    return 0;
}
