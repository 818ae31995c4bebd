#include "association.h"

#include "base/text.h"

void AssociateData(IntakeModel& intake, int slot, const AssociationFields& f)
{
    FilmTexts texts = f;
    texts.genere = text::upperAscii(f.genere);
    writeFilmTexts(intake.IntakeTable.edit(slot), texts);
    if (static_cast<int>(intake.Associated.size()) < slot)
        intake.Associated.resize(static_cast<std::size_t>(slot), false);
    intake.Associated[static_cast<std::size_t>(slot - 1)] = true;
}
