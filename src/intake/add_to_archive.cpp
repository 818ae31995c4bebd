#include "add_to_archive.h"

#include "title_sort.h"

AdditionCounts AddToArchive(ArchiveModel& model, const IntakeModel& intake, const std::vector<int>& slots,
                            DuplicateOptions options)
{
    AdditionCounts counts;
    for (int slot : slots)
        model.ArchiveTable.copyRow(model.ArchiveCount + ++counts.added, intake.IntakeTable, slot);
    model.ArchiveCount += counts.added;
    SortArchiveTable(model);
    counts.removed = RemoveDuplicates(model, options);
    return counts;
}

std::string additionReport(int processed, const AdditionCounts& counts)
{
    return "Processati : " + std::to_string(processed) + "\nDoppi      : " + std::to_string(counts.removed) +
           "\nAggiunti   : " + std::to_string(counts.added);
}
