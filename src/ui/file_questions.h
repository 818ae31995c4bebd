#pragma once

#include <optional>
#include <string>

class Dialogs;

// Shows the folder chooser at the current folder when it exists, else at the program folder.
// nullopt when the user cancels.
std::optional<std::string> askFolder(Dialogs& dialogs, const std::string& current, const std::string& programFolder);

// The main window's file dialog (OpenDialog1), shared by the merge and the title lists: .TXT
// files or all files, ".TXT" added to a typed name without extension.
std::optional<std::string> askTextFile(Dialogs& dialogs);
// The same files in the save dialog, which asks before replacing one; it opens in the folder when
// that exists, else in the program folder, with the name suggested.
std::optional<std::string> askTextFileToWrite(Dialogs& dialogs, const std::string& caption,
                                              const std::string& folder, const std::string& programFolder,
                                              const std::string& fileName);
