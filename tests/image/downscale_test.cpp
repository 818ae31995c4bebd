#include "image/downscale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The exact box filter, computed the slow way: each target pixel averages the source area it
// covers, partial pixels by their share.
std::vector<double> reference(const std::vector<std::uint8_t>& grey, int sw, int sh, int dw, int dh)
{
    std::vector<double> out(static_cast<std::size_t>(dw) * dh);
    const double fx = static_cast<double>(sw) / dw, fy = static_cast<double>(sh) / dh;
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x) {
            double sum = 0;
            for (int sy = 0; sy < sh; ++sy)
                for (int sx = 0; sx < sw; ++sx) {
                    const double ox = std::max(0.0, std::min(sx + 1.0, (x + 1) * fx) - std::max<double>(sx, x * fx));
                    const double oy = std::max(0.0, std::min(sy + 1.0, (y + 1) * fy) - std::max<double>(sy, y * fy));
                    sum += ox * oy * grey[static_cast<std::size_t>(sy * sw + sx)];
                }
            out[static_cast<std::size_t>(y * dw + x)] = sum / (fx * fy);
        }
    return out;
}

} // namespace

TEST(AreaDownscale, AveragesTheAreaEachPixelCoversInEveryFormat)
{
    const struct {
        int sw, sh, dw, dh;
    } sizes[] = {{4, 4, 2, 2}, {5, 3, 2, 2}, {7, 11, 3, 4}, {9, 9, 9, 9}, {1000, 3, 7, 1}, {13, 1, 1, 1}};
    std::vector<std::uint32_t> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[static_cast<std::size_t>(i)] = 0xFF000000u | (i << 16) | (i << 8) | i;
    for (const auto& s : sizes) {
        SCOPED_TRACE(std::to_string(s.sw) + "x" + std::to_string(s.sh) + " to " + std::to_string(s.dw) + "x" +
                     std::to_string(s.dh));
        std::vector<std::uint8_t> grey(static_cast<std::size_t>(s.sw) * s.sh);
        for (std::size_t i = 0; i < grey.size(); ++i)
            grey[i] = static_cast<std::uint8_t>((i * 97 + i / 3 * 31) % 256);
        const std::vector<double> want = reference(grey, s.sw, s.sh, s.dw, s.dh);
        // The same picture as palette indexes (padded rows) and as RGB with the colours apart.
        const int stride8 = (s.sw + 3) & ~3, stride24 = (s.sw * 3 + 3) & ~3;
        std::vector<std::uint8_t> indexed(static_cast<std::size_t>(stride8) * s.sh, 0xEE);
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(stride24) * s.sh, 0xEE);
        for (int y = 0; y < s.sh; ++y)
            for (int x = 0; x < s.sw; ++x) {
                const std::uint8_t v = grey[static_cast<std::size_t>(y * s.sw + x)];
                indexed[static_cast<std::size_t>(y * stride8 + x)] = v;
                rgb[static_cast<std::size_t>(y * stride24 + 3 * x)] = v;
                rgb[static_cast<std::size_t>(y * stride24 + 3 * x + 1)] = static_cast<std::uint8_t>(255 - v);
                rgb[static_cast<std::size_t>(y * stride24 + 3 * x + 2)] = 77;
            }
        const PixelRows sources[] = {{indexed.data(), s.sw, s.sh, stride8, 1, palette.data(), 256},
                                     {rgb.data(), s.sw, s.sh, stride24, 3, nullptr, 0}};
        for (const PixelRows& src : sources) {
            std::vector<std::uint32_t> out(static_cast<std::size_t>(s.dw + 1) * s.dh, 0);
            areaDownscale(src, out.data(), s.dw, s.dh, s.dw + 1);
            for (int y = 0; y < s.dh; ++y) {
                for (int x = 0; x < s.dw; ++x) {
                    const std::uint32_t c = out[static_cast<std::size_t>(y * (s.dw + 1) + x)];
                    const double v = want[static_cast<std::size_t>(y * s.dw + x)];
                    EXPECT_NEAR(static_cast<double>((c >> 16) & 0xFF), v, 0.51) << x << "," << y;
                    const double second = src.bytesPerPixel == 3 ? 255 - v : v;
                    EXPECT_NEAR(static_cast<double>((c >> 8) & 0xFF), second, 0.51) << x << "," << y;
                    EXPECT_NEAR(static_cast<double>(c & 0xFF), src.bytesPerPixel == 3 ? 77 : v, 0.51);
                    EXPECT_EQ(c >> 24, 0xFFu);
                }
                EXPECT_EQ(out[static_cast<std::size_t>(y * (s.dw + 1) + s.dw)], 0u) << "wrote past the row";
            }
        }
    }
}
