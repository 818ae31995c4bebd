#include "support/test_pictures.h"

#include "image/jpeg_codec.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
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

std::string makeInkJpeg(int width, int height, bool ycck)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = 4;
    c.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_set_colorspace(&c, ycck ? JCS_YCCK : JCS_CMYK);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    // With the Adobe marker the inks are stored inverted: no black ink and 255 - cyan = red, and
    // so on.
    const unsigned char quadrant[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {200, 150, 100, 255}};
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 4);
    while (c.next_scanline < c.image_height) {
        const int y = static_cast<int>(c.next_scanline);
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < 4; ++k)
                row[static_cast<std::size_t>(4 * x + k)] = quadrant[(y >= height / 2) * 2 + (x >= width / 2)][k];
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string bytes(reinterpret_cast<const char*>(out), size);
    std::free(out);
    return bytes;
}
