#pragma once

#include <cstdint>

// A picture made smaller by averaging every source pixel into the pixel it falls in (a box
// filter), one source row at a time: besides the result it needs one row of sums, so even the
// largest picture is scaled without a full-size copy.
struct PixelRows
{
    const std::uint8_t* pixels;
    int width, height, stride;
    int bytesPerPixel;              // 1 with a palette, or 3 (R, G, B)
    const std::uint32_t* palette;   // 0xAARRGGBB, for 1 byte per pixel
    int paletteSize;
};

// dst: width × height pixels 0xFFRRGGBB, dstStride pixels apart. The target must not be larger
// than the source in either direction.
void areaDownscale(const PixelRows& src, std::uint32_t* dst, int width, int height, int dstStride);
