#include "record_edit.h"

#include "archive/film_texts.h"
#include "base/text.h"

namespace {

void writeEdits(dfilm& r, const RecordEdits& e)
{
    writeFilmTexts(r, {e.genere, e.durata, e.datau, e.attore1, e.attore2, e.regia, e.trama});
    r.posizione = text::flattenLineBreaks(e.posizione);
}

// Rows first..count-1 take the row above them; the last keeps a stale copy.
void moveDown(RecordTable& table, int first, int count)
{
    for (int i = first; i < count; ++i)
        table.copyRow(i, table, i + 1);
}

} // namespace

int UpdateRecord(ArchiveModel& model, int k, const RecordEdits& edits)
{
    const int j = model.findRecord(model.ViewTable.row(k));
    if (j == 0)
        return 0;
    writeEdits(model.ViewTable.edit(k), edits);
    writeEdits(model.ArchiveTable.edit(j), edits);
    return j;
}

int DeleteRecord(ArchiveModel& model, int k)
{
    const int j = model.findRecord(model.ViewTable.row(k));
    if (j == 0)
        return 0;
    moveDown(model.ViewTable, k, model.ViewCount);
    --model.ViewCount;
    moveDown(model.ArchiveTable, j, model.ArchiveCount);
    --model.ArchiveCount;
    return j;
}
