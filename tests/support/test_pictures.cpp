#include "support/test_pictures.h"

#include "image/jpeg_codec.h"

#include <cmath>
#include <stdexcept>

Bitmap makeRgbPicture(int width, int height)
{
    const int stride = Bitmap::strideFor(width, 24);
    Bitmap b(width, height, 24, stride, static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(stride) * height)));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = b.row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(255 * x / std::max(1, width - 1));
            row[3 * x + 1] = static_cast<std::uint8_t>(255 * y / std::max(1, height - 1));
            row[3 * x + 2] = static_cast<std::uint8_t>(128 + 127 * std::sin((x + y) / 23.0));
        }
    }
    return b;
}

std::string makeJpeg(int width, int height, bool progressive)
{
    jpeg::EncodeOptions o;
    o.quality = 90;
    o.progressive = progressive;
    return jpeg::encode(makeRgbPicture(width, height), o);
}

std::string withAnnouncedSize(std::string bytes, int width, int height)
{
    for (std::size_t i = 2; i + 9 < bytes.size(); ++i) {
        const auto m = static_cast<unsigned char>(bytes[i + 1]);
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && (m == 0xC0 || m == 0xC1 || m == 0xC2)) {
            bytes[i + 5] = static_cast<char>(height >> 8);
            bytes[i + 6] = static_cast<char>(height & 0xFF);
            bytes[i + 7] = static_cast<char>(width >> 8);
            bytes[i + 8] = static_cast<char>(width & 0xFF);
            return bytes;
        }
    }
    throw std::runtime_error("no frame header");
}
