#include "archive_model.h"

void ArchiveModel::copyArchiveToView()
{
    ViewTable.copyAllFrom(ArchiveTable);
    ViewCount = ArchiveCount;
}

int ArchiveModel::findRecord(const dfilm& record) const
{
    for (int i = 1; i <= ArchiveCount; ++i) {
        if (ArchiveTable.text(i, RecordTable::Field::titolo) == record.titolo &&
            ArchiveTable.text(i, RecordTable::Field::posizione) == record.posizione)
            return i;
    }
    return 0;
}
