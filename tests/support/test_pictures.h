#pragma once

#include "image/bitmap.h"

#include <string>

// Colourful pictures made by the tests themselves.
Bitmap makeRgbPicture(int width, int height);
// The picture above as a JPEG file's bytes.
std::string makeJpeg(int width, int height, bool progressive = false);
// Sets the size a JPEG's frame header announces.
std::string withAnnouncedSize(std::string jpegBytes, int width, int height);
// A four-colour (print) JPEG, CMYK or YCCK, with or without the Adobe marker (with it the inks
// are stored inverted, as Adobe's programs write them): four quadrants red, green, blue and
// (200, 150, 100) once converted to RGB.
std::string makeInkJpeg(int width, int height, bool ycck, bool adobe = true);
