#include "remove_duplicates.h"

int RemoveDuplicates(ArchiveModel& model, DuplicateOptions options)
{
    if (model.ArchiveCount < 2)
        return 0;
    RecordTable& t = model.ArchiveTable;
    // Compacting in place: the row written (out) never passes the row read (r).
    int out = 1;
    int removed = 0;
    for (int r = 2; r <= model.ArchiveCount; ++r) {
        // After the sort the records lie scattered in memory: ask for them ahead of their turn.
        t.prefetch(r + 8);
        __builtin_prefetch(t.row(r + 4).titolo.data());
        const dfilm& read = t.row(r);
        const dfilm& kept = t.row(out);
        const bool duplicate = read.titolo == kept.titolo &&
                               (options.ignorePosition || read.posizione == kept.posizione) &&
                               (options.ignoreSize || read.dimmb == kept.dimmb);
        if (duplicate)
            ++removed;
        else if (++out != r)
            t.copyRow(out, t, r);
    }
    model.ArchiveCount = out;
    return removed;
}
