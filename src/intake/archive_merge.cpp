#include "archive_merge.h"

#include "title_sort.h"

#include "archive/archive_file.h"

MergeCounts MergeArchiveFile(ArchiveModel& model, const std::string& path, const RegionalSettings& rs,
                             DuplicateOptions options)
{
    MergeCounts counts;
    // The reader stores nothing unless the whole file converts.
    counts.read = ReadArchiveFile(path, model.ArchiveTable, model.ArchiveCount + 1, rs);
    model.ArchiveCount += counts.read;
    SortArchiveTable(model);
    counts.removed = RemoveDuplicates(model, options);
    return counts;
}

std::string mergeReport(const MergeCounts& counts)
{
    return "Letti    : " + std::to_string(counts.read) + "\nDoppi    : " + std::to_string(counts.removed) +
           "\nAggiunti : " + std::to_string(counts.read - counts.removed);
}
