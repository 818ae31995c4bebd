#pragma once

#include <string>

namespace filmup {

// Scheme and host of the FilmUP site, without a trailing slash. PELLICORIO_FILMUP_URL
// overrides it (tests point it at a server on loopback).
std::string baseUrl();
// The host name shown in captions.
std::string hostName();

} // namespace filmup
