#pragma once

#include <optional>
#include <string>

class Dialogs;

// Shows the folder chooser at the current folder when it exists, else at the program folder.
// nullopt when the user cancels.
std::optional<std::string> askFolder(Dialogs& dialogs, const std::string& current, const std::string& programFolder);
