#pragma once

#include <string>

namespace update {

// The folder on the update site that holds the version file and the package, ending with "/".
// PELLICORIO_UPDATE_URL overrides it (tests point it at a server on loopback).
std::string baseUrl();

} // namespace update
