#include "archive_model.h"

void ArchiveModel::copyArchiveToView()
{
    ViewTable.copyAllFrom(ArchiveTable);
    ViewCount = ArchiveCount;
}

int ArchiveModel::findRecord(const dfilm& record) const
{
    for (int i = 1; i <= ArchiveCount; ++i) {
        const dfilm& r = ArchiveTable.row(i);
        if (r.titolo == record.titolo && r.posizione == record.posizione)
            return i;
    }
    return 0;
}
