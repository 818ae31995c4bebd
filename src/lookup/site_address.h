#pragma once

#include "platform/http_request.h"

#include <string>

// The addresses of the lookup's sites, each overridable by an environment variable (tests point
// them at a server on loopback).
namespace lookup {

// The variable's value without trailing "/", or fallback when it is unset or empty.
std::string SiteAddress(const char* variable, const std::string& fallback);
// The host (and port) of an address: "https://api.themoviedb.org" gives "api.themoviedb.org".
std::string HostOf(const std::string& address);
// "Pellicorio/<version>" and what the program is, for the sites that ask clients to name themselves.
std::string UserAgent(const std::string& programVersion);
// A request of a JSON interface: named, JSON accepted, the JSON cap; extra header lines after.
http::Request JsonRequest(const std::string& programVersion);
// A picture's request: named, pictures accepted, the client's own cap.
http::Request PictureRequest(const std::string& programVersion);

} // namespace lookup
