#pragma once

#include <string>

// A version file of the update site: name, version and date in their fixed columns.
inline std::string versionFile(const std::string& name, const std::string& version,
                               const std::string& date = "15/03/2012")
{
    std::string s = name;
    s.resize(19, ' ');
    s += version;
    s.resize(29, ' ');
    return s + date + "\r\n";
}
