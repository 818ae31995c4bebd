#include "add_to_archive.h"

namespace {

// An associated entry is newer than the archive's copy; an entry ticked by hand brings no data
// and never replaces it.
constexpr unsigned char kTickedByHand = 0, kArchived = 1, kAssociated = 2;

} // namespace

AdditionCounts AddToArchive(ArchiveModel& model, const IntakeModel& intake, const std::vector<int>& slots,
                            DuplicateOptions options)
{
    AdditionCounts counts;
    DuplicateRule rule;
    rule.rank.assign(static_cast<std::size_t>(model.ArchiveCount), kArchived);
    for (int slot : slots) {
        model.ArchiveTable.copyRow(model.ArchiveCount + ++counts.added, intake.IntakeTable, slot);
        rule.rank.push_back(intake.associated(slot) ? kAssociated : kTickedByHand);
    }
    model.ArchiveCount += counts.added;
    counts.removed = SortAndRemoveDuplicates(model, options, std::move(rule));
    return counts;
}

std::string additionReport(int processed, const AdditionCounts& counts)
{
    return "Processati : " + std::to_string(processed) + "\nDoppi      : " + std::to_string(counts.removed) +
           "\nAggiunti   : " + std::to_string(counts.added);
}
