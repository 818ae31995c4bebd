#include "bitmap.h"

#include <utility>

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept
{
    if (this != &other) {
        std::free(m_pixels);
        m_width = std::exchange(other.m_width, 0);
        m_height = std::exchange(other.m_height, 0);
        m_bits = std::exchange(other.m_bits, 0);
        m_stride = std::exchange(other.m_stride, 0);
        m_pixels = std::exchange(other.m_pixels, nullptr);
        palette = std::move(other.palette);
    }
    return *this;
}

std::uint8_t* Bitmap::release()
{
    m_width = m_height = m_bits = m_stride = 0;
    return std::exchange(m_pixels, nullptr);
}
