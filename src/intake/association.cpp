#include "association.h"

#include "base/text.h"

void AssociateData(IntakeModel& intake, int slot, const AssociationFields& f)
{
    FilmTexts texts = f;
    texts.genere = text::upperAscii(f.genere);
    writeFilmTexts(intake.IntakeTable.edit(slot), texts);
}
