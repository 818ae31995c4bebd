// Title list files: a list that imports exports and imports again to the same entries.
#include "base/errors.h"
#include "base/numbers.h"
#include "fuzz_support.h"
#include "intake/title_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RegionalSettings rs = RegionalSettings::italian();
    const std::string path = scratchFile(asText(data, size), "lista.txt");
    IntakeModel intake;
    intake.IntakeTable.edit(1).titolo = "PRIMA.AVI";
    intake.IntakeCount = 1;
    try {
        ImportTitleList(intake, path, rs);
    } catch (const UserError&) {
        if (intake.IntakeCount != 1 || intake.IntakeTable.row(1).titolo != "PRIMA.AVI")
            __builtin_trap();
        return 0;
    }
    ExportTitleList(intake, path, rs);
    IntakeModel back;
    ImportTitleList(back, path, rs);
    if (back.IntakeCount != intake.IntakeCount)
        __builtin_trap();
    for (int k = 1; k <= back.IntakeCount; ++k) {
        const dfilm& a = intake.IntakeTable.row(k);
        const dfilm& b = back.IntakeTable.row(k);
        if (a.titolo != b.titolo || a.posizione != b.posizione || a.dataa != b.dataa ||
            numbers::formatGeneral(a.dimmb, rs) != numbers::formatGeneral(b.dimmb, rs))
            __builtin_trap();
    }
    return 0;
}
