#pragma once

#include "archive/archive_model.h"
#include "base/regional.h"

#include <string>

#include <vector>

// An archive holding the records in this order, its view a copy of it.
ArchiveModel archiveOf(const std::vector<dfilm>& records);
// A plain record of a film in the archive: title, genre AZIONE, position "Gino-CD1", arrival
// 01/03/2005, 700 MB.
dfilm archivedFilm(const std::string& title);
// The bytes of films.txt holding these records.
std::string archiveLines(const std::vector<dfilm>& records, const RegionalSettings& rs = RegionalSettings::italian());
