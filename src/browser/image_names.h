#pragma once

#include <string>

namespace images {

// The title without its extension: everything from its last "." on is dropped, unless a "/", "\\"
// or ":" follows that "." (MR. SMITH GOES.AVI gives MR. SMITH GOES; STAR WARS stays whole).
std::string nameWithoutExtension(const std::string& titolo);
// The title with its extension replaced by ".jpg" (MATRIX.AVI gives MATRIX.jpg, DR. NO gives
// DR.jpg); a title without an extension gets ".jpg" appended.
std::string imageName(const std::string& titolo);
// The cover and poster files of a title in the archive folders.
std::string coverImagePath(const std::string& coverArchiveFolder, const std::string& titolo);
std::string posterImagePath(const std::string& posterArchiveFolder, const std::string& titolo);

} // namespace images
