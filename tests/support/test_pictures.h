#pragma once

#include "image/bitmap.h"

#include <string>

// Colourful pictures made by the tests themselves.
Bitmap makeRgbPicture(int width, int height);
// The picture above as a JPEG file's bytes.
std::string makeJpeg(int width, int height, bool progressive = false);
// Sets the size a JPEG's frame header announces.
std::string withAnnouncedSize(std::string jpegBytes, int width, int height);
// A four-colour (print) JPEG, CMYK or YCCK, with an Adobe marker as libjpeg writes it: four
// quadrants red, green, blue and (200, 150, 100) once converted to RGB.
std::string makeInkJpeg(int width, int height, bool ycck);
