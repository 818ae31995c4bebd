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
        using F = RecordTable::Field;
        const bool duplicate = t.text(r, F::titolo) == t.text(out, F::titolo) &&
                               (options.ignorePosition || t.text(r, F::posizione) == t.text(out, F::posizione)) &&
                               (options.ignoreSize || t.dimmb(r) == t.dimmb(out));
        if (duplicate)
            ++removed;
        else if (++out != r)
            t.copyRow(out, t, r);
    }
    model.ArchiveCount = out;
    return removed;
}
