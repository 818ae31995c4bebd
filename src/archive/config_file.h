#pragma once

#include "settings.h"

#include <string>
#include <string_view>

class Dialogs;

namespace config {

// The ten lines of the configuration file, each ending with CR LF.
std::string format(const Settings& s);
// Lines 2 to 10 into the settings; a missing line reads as empty text.
void applyLines(std::string_view data, Settings& s);
// The first line of the file's data.
std::string firstLine(std::string_view data);

} // namespace config

// Start-up reading; may ask the nick name and write the file (missing file, other version).
void ReadConfig(Settings& s, Dialogs& dialogs);
void WriteConfig(const Settings& s);
// Asks until a nick name is given.
void AskNickName(Settings& s, Dialogs& dialogs);
