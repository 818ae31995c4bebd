#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The input as text, and a file of this process holding it, for the readers that take a path.
inline std::string_view asText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// No control character (the JSON readers' fields are one line each).
inline bool noControlCharacters(const std::string& s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) < 32)
            return false;
    return true;
}

// Writes the bytes to this process's scratch file and returns its path (Windows-1252 text).
std::string scratchFile(std::string_view bytes, const char* name);
