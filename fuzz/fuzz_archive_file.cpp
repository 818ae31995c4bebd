// Whole archive files, as the start-up load and the merge read them.
#include "archive/archive_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFile(asText(data, size), "films.txt");
    RecordTable table;
    table.edit(1).titolo = "GI\xC0 IN ARCHIVIO";
    try {
        ReadArchiveFile(path, table, 2, RegionalSettings::italian());
    } catch (const UserError&) {
        // The table is untouched when the file does not read whole.
        if (table.row(2) != dfilm())
            __builtin_trap();
    }
    if (table.row(1).titolo != "GI\xC0 IN ARCHIVIO")
        __builtin_trap();
    return 0;
}
