#pragma once

#include "base/regional.h"

#include <string>

namespace regional {

// The settings of the process locale (LC_ALL, LC_TIME, LC_NUMERIC, LANG); Italian conventions
// under the C locale or one that is not installed.
RegionalSettings fromProcessLocale();

// Exposed for tests: glibc's strftime formats in the classic tokens.
void applyDateFormat(const std::string& strftimeFormat, RegionalSettings& rs);
void applyTimeFormat(const std::string& strftimeFormat, RegionalSettings& rs);

} // namespace regional
