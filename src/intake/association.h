#pragma once

#include "archive/film_texts.h"
#include "archive/intake_model.h"

#include <string>

// The film data typed or found for an entry.
using AssociationFields = FilmTexts;

// Stores the data into the entry of the slot: the genre upper-cased, tabs and line breaks made
// blanks so the record stays one archive line. The scan's fields stay as they are. The entry is
// then marked associated.
void AssociateData(IntakeModel& intake, int slot, const AssociationFields& fields);
