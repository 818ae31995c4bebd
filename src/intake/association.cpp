#include "association.h"

#include "base/text.h"

void AssociateData(IntakeModel& intake, int slot, const AssociationFields& f)
{
    dfilm& d = intake.IntakeTable.edit(slot);
    d.genere = text::upperAscii(text::flattenLineBreaks(f.genere));
    d.durata = text::flattenLineBreaks(f.durata);
    d.datau = text::flattenLineBreaks(f.datau);
    d.attore1 = text::flattenLineBreaks(f.attore1);
    d.attore2 = text::flattenLineBreaks(f.attore2);
    d.regia = text::flattenLineBreaks(f.regia);
    d.trama = text::flattenLineBreaks(f.trama);
    if (static_cast<int>(intake.Associated.size()) < slot)
        intake.Associated.resize(static_cast<std::size_t>(slot), false);
    intake.Associated[static_cast<std::size_t>(slot - 1)] = true;
}
