#include "support/archives.h"

ArchiveModel archiveOf(const std::vector<dfilm>& records)
{
    ArchiveModel m;
    for (const dfilm& r : records)
        m.ArchiveTable.edit(++m.ArchiveCount) = r;
    m.copyArchiveToView();
    return m;
}
