#pragma once

#include "archive/intake_model.h"

#include <string>

// The tools under the intake list: the file rename and the two title copies.

// The name a rename answer gives: upper-cased (a-z), blanks and control characters trimmed.
std::string renamedTitle(const std::string& answer);

// Renames the file of the list line's slot in the media folder to newName unless that name is
// taken, ignoring case. The slot's real file name follows; its titolo keeps the old name until
// the next scan. oldText names the file when the slot knows none.
bool RenameMediaFile(IntakeModel& intake, const std::string& mediaFolder, int slot, const std::string& oldText,
                     const std::string& newName);

// The first three quarters of the name without extension, counted as (n div 4) x 3 characters.
std::string halfName(const std::string& title);
