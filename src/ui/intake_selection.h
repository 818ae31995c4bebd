#pragma once

#include <string>

class IntakeTab;
class QLineEdit;
struct IntakeModel;

// The selected intake line as the two sources of film data see it.
namespace intakeselection {

// The selected line of the intake list when it stands for an entry, else -1.
int selectedLine(const IntakeTab& tab, const IntakeModel& intake);
// The media file name of an intake line as the file system spells it, in Windows-1252.
std::string fileName(const IntakeTab& tab, const IntakeModel& intake, int line);
// A title found outside that does not start as the file name does (four characters, case
// folded) is shown red, so the user sees that the data may belong to another film.
void colourTitle(QLineEdit& title, const std::string& fileName);

} // namespace intakeselection
