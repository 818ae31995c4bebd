#pragma once

#include <string>
#include <string_view>

// Pictures from sources that may answer in another format (a PNG from a picture archive) reach
// the views and the picture folders as JPEG, like every other picture of the program.
namespace picture {

// Decoding a foreign picture may take at most this much memory.
inline constexpr int kAllocationLimitMiB = 256;

// JPEG bytes are returned unchanged; any other format Qt reads is decoded under the allocation
// limit and encoded as JPEG at quality 75. Throws UserError when the bytes are no picture Qt
// reads, or one too large.
std::string asJpeg(std::string bytes);

} // namespace picture
