#pragma once

#include <string>

namespace filmup {

// Scheme and host of the FilmUP site, without a trailing slash. PELLICORIO_FILMUP_URL
// overrides it (tests point it at a server on loopback).
std::string baseUrl();
// The host name shown in captions.
std::string hostName();
// The short form of a host that keeps the site's name: "filmup" for "filmup.leonardo.it" (a
// leading "www." and the port go too). A numeric address stays whole.
std::string shortHostName(const std::string& host);

} // namespace filmup
