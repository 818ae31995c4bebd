#pragma once

#include "base/cp1252.h"

#include <QString>

#include <string>

// The program's Windows-1252 texts into widgets and back.
inline QString q(const std::string& s) { return cp1252::toQString(s); }
inline std::string t(const QString& s) { return cp1252::fromQString(s); }
