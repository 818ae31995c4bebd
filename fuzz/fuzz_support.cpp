#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

std::string scratchFile(std::string_view bytes, const char* name)
{
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "pellicorio-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        return pattern;
    }();
    const std::string path = folder + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
        std::abort();
    return path;
}
