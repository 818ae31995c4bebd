#pragma once

#include "archive/archive_model.h"
#include "archive/intake_model.h"

#include <string>
#include <vector>

constexpr int kArchiveEmpty = -1;
constexpr int kNotInArchive = -2;

// The first archive slot from start on with exactly this titolo and posizione (only the title
// counts when ignorePosition); kArchiveEmpty or kNotInArchive otherwise.
int FindInArchive(const ArchiveModel& model, const std::string& title, const std::string& position, int start,
                  bool ignorePosition);

// For each intake slot 1..IntakeCount (element slot - 1): whether the archive already holds it.
std::vector<bool> archivedMarks(const ArchiveModel& model, const IntakeModel& intake, bool ignorePosition);
