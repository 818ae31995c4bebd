#pragma once

#include <QIcon>

namespace ui {

// The name of the desktop entry, the metainfo and the icon of an installed copy.
inline constexpr const char* kAppId = "org.pellicorio.Pellicorio";

// The program's icon: the one the icon theme holds under kAppId (the installed copy), else the
// same drawing built into the program (a copy run from its build folder or a private prefix).
QIcon programIcon();

} // namespace ui
