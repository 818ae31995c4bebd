#pragma once

#include <string>
#include <string_view>

namespace update {

// Characters 1, 3 and 5 of a version text read as one decimal number: "4.4.0" gives 440, and a
// shorter text joins those it has ("4.4" gives 44). Throws ConversionError, with an Italian text,
// when there are none or one of them is no digit.
int versionNumber(std::string_view version);

// The three fixed columns of the version file, each trimmed.
struct VersionFile
{
    std::string UpdateFileName; // columns 1 to 19
    std::string version;        // columns 20 to 29
    std::string date;           // columns 30 to 39, shown as it is
};
VersionFile readVersionFile(std::string_view body);

// Whether a package name from the site may become a file name: letters, digits, ".", "_" and "-",
// starting with a letter or digit, no "..", and a ".zip" ending, so that it can never name the
// archive, the configuration or the program itself.
bool isPackageName(std::string_view name);

} // namespace update
