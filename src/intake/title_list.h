#pragma once

#include "archive/intake_model.h"
#include "base/regional.h"

#include <string>
#include <vector>

// The title list file: one intake entry a line, "titolo TAB posizione TAB date TAB size", CR LF
// line ends; the date and the size follow the regional settings as the archive file does.

std::string formatTitleList(const IntakeModel& intake, const RegionalSettings& rs);
// Writes the whole list or nothing: a failure leaves no partial file behind. A path that names one
// of the program's own files (keepOff: the archive, the configuration), by a link or by a name
// differing only in case, is refused with UserError.
void ExportTitleList(const IntakeModel& intake, const std::string& path, const RegionalSettings& rs,
                     const std::vector<std::string>& keepOff = {});

// Replaces the intake's entries with the file's, titles taken as written and with no file names.
// A line that does not convert throws an error naming it, and the intake stays as it was.
void ImportTitleList(IntakeModel& intake, const std::string& path, const RegionalSettings& rs);
// What an import of that many titles says when it is done.
std::string importReport(int titles);
