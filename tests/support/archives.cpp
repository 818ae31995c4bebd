#include "support/archives.h"

#include "archive/archive_line.h"
#include "base/dates.h"

ArchiveModel archiveOf(const std::vector<dfilm>& records)
{
    ArchiveModel m;
    for (const dfilm& r : records)
        m.ArchiveTable.edit(++m.ArchiveCount) = r;
    m.copyArchiveToView();
    return m;
}

dfilm archivedFilm(const std::string& title)
{
    dfilm r;
    r.titolo = title;
    r.genere = "AZIONE";
    r.posizione = "Gino-CD1";
    r.dataa = dates::encode({2005, 3, 1});
    r.dimmb = 700;
    return r;
}

std::string archiveLines(const std::vector<dfilm>& records, const RegionalSettings& rs)
{
    std::string out;
    for (const dfilm& r : records)
        out += archiveline::format(r, rs) + "\r\n";
    return out;
}
