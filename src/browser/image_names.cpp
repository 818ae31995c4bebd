#include "image_names.h"

namespace images {

std::string nameWithoutExtension(const std::string& titolo)
{
    const std::size_t dot = titolo.rfind('.');
    if (dot == std::string::npos || titolo.find_first_of("/\\:", dot) != std::string::npos)
        return titolo;
    return titolo.substr(0, dot);
}

std::string imageName(const std::string& titolo) { return nameWithoutExtension(titolo) + ".jpg"; }

std::string coverImagePath(const std::string& coverArchiveFolder, const std::string& titolo)
{
    return coverArchiveFolder + "/" + imageName(titolo);
}

std::string posterImagePath(const std::string& posterArchiveFolder, const std::string& titolo)
{
    return posterArchiveFolder + "/lc_" + imageName(titolo);
}

} // namespace images
