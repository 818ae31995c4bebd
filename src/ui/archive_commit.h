#pragma once

#include <functional>

class Dialogs;
struct ProgramState;

// Runs a change of the archive and rewrites films.txt. When either fails, the error is shown and
// the archive goes back to what it was: memory never holds records that the file lost.
// True when the change is saved.
bool changeAndSaveArchive(ProgramState& state, Dialogs& dialogs, const std::function<void()>& change);
