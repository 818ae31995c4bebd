#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

// A decoded picture: 8 bits per pixel with a palette, or 24-bit RGB. Rows are padded to four
// bytes so that a toolkit image can use the memory as it is.
class Bitmap
{
public:
    Bitmap() = default;
    // Takes ownership of malloc'ed pixels.
    Bitmap(int width, int height, int bitsPerPixel, int stride, std::uint8_t* pixels)
        : m_width(width), m_height(height), m_bits(bitsPerPixel), m_stride(stride), m_pixels(pixels)
    {
    }
    ~Bitmap() { std::free(m_pixels); }
    Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    static int strideFor(int width, int bitsPerPixel) { return (width * (bitsPerPixel / 8) + 3) & ~3; }

    bool isEmpty() const { return m_pixels == nullptr; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int bitsPerPixel() const { return m_bits; }
    int stride() const { return m_stride; }
    const std::uint8_t* row(int y) const { return m_pixels + static_cast<std::size_t>(y) * m_stride; }
    std::uint8_t* row(int y) { return m_pixels + static_cast<std::size_t>(y) * m_stride; }
    // Colours as 0xAARRGGBB, for 8-bit pictures.
    std::vector<std::uint32_t> palette;
    // Gives the pixels away (to be freed with free()).
    std::uint8_t* release();

private:
    int m_width = 0, m_height = 0, m_bits = 0, m_stride = 0;
    std::uint8_t* m_pixels = nullptr;
};
