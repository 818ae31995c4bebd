#include "archive_merge.h"

#include "archive/archive_file.h"

MergeCounts MergeArchiveFile(ArchiveModel& model, const std::string& path, const RegionalSettings& rs,
                             DuplicateOptions options)
{
    MergeCounts counts;
    // The reader stores nothing unless the whole file converts.
    counts.read = ReadArchiveFile(path, model.ArchiveTable, model.ArchiveCount + 1, rs);
    // The archive's own records outrank the file's, and take what they lack from them.
    DuplicateRule rule{std::vector<unsigned char>(static_cast<std::size_t>(model.ArchiveCount), 1), true};
    rule.rank.resize(static_cast<std::size_t>(model.ArchiveCount + counts.read), 0);
    model.ArchiveCount += counts.read;
    counts.removed = SortAndRemoveDuplicates(model, options, std::move(rule));
    return counts;
}

std::string mergeReport(const MergeCounts& counts)
{
    return "Letti    : " + std::to_string(counts.read) + "\nDoppi    : " + std::to_string(counts.removed) +
           "\nAggiunti : " + std::to_string(counts.read - counts.removed);
}
