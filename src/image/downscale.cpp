#include "downscale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Where each target column starts and ends in the source, with the shares of its edge pixels.
struct Span
{
    int first, last;
    float firstShare, lastShare;
};

std::vector<Span> spansOf(int from, int to)
{
    std::vector<Span> spans(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double a = i * step, b = std::min<double>(from, (i + 1) * step);
        Span& s = spans[static_cast<std::size_t>(i)];
        s.first = static_cast<int>(a);
        s.last = std::min(from - 1, static_cast<int>(std::ceil(b)) - 1);
        s.firstShare = static_cast<float>(std::min<double>(b, s.first + 1) - a);
        s.lastShare = s.last > s.first ? static_cast<float>(b - s.last) : s.firstShare;
    }
    return spans;
}

void rgbAt(const PixelRows& src, const std::uint8_t* row, int x, float& r, float& g, float& b)
{
    if (src.bytesPerPixel == 3) {
        r = row[3 * x];
        g = row[3 * x + 1];
        b = row[3 * x + 2];
        return;
    }
    const std::uint32_t c = row[x] < src.paletteSize ? src.palette[row[x]] : 0;
    r = static_cast<float>((c >> 16) & 0xFF);
    g = static_cast<float>((c >> 8) & 0xFF);
    b = static_cast<float>(c & 0xFF);
}

} // namespace

void areaDownscale(const PixelRows& src, std::uint32_t* dst, int width, int height, int dstStride)
{
    if (width <= 0 || height <= 0 || src.width <= 0 || src.height <= 0)
        return;
    const std::vector<Span> columns = spansOf(src.width, width);
    const std::vector<Span> rows = spansOf(src.height, height);
    std::vector<float> sum(static_cast<std::size_t>(width) * 3);
    const double area = (static_cast<double>(src.width) / width) * (static_cast<double>(src.height) / height);
    for (int y = 0; y < height; ++y) {
        const Span& span = rows[static_cast<std::size_t>(y)];
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int sy = span.first; sy <= span.last; ++sy) {
            const float rowShare = sy == span.first ? span.firstShare : sy == span.last ? span.lastShare : 1.0f;
            const std::uint8_t* row = src.pixels + static_cast<std::size_t>(sy) * src.stride;
            for (int x = 0; x < width; ++x) {
                const Span& c = columns[static_cast<std::size_t>(x)];
                float r = 0, g = 0, b = 0;
                for (int sx = c.first; sx <= c.last; ++sx) {
                    const float share = sx == c.first ? c.firstShare : sx == c.last ? c.lastShare : 1.0f;
                    float pr, pg, pb;
                    rgbAt(src, row, sx, pr, pg, pb);
                    r += share * pr;
                    g += share * pg;
                    b += share * pb;
                }
                float* s = &sum[static_cast<std::size_t>(x) * 3];
                s[0] += rowShare * r;
                s[1] += rowShare * g;
                s[2] += rowShare * b;
            }
        }
        std::uint32_t* out = dst + static_cast<std::size_t>(y) * dstStride;
        for (int x = 0; x < width; ++x) {
            const float* s = &sum[static_cast<std::size_t>(x) * 3];
            const auto channel = [&](float v) {
                return static_cast<std::uint32_t>(std::clamp(std::lround(v / area), 0L, 255L));
            };
            out[x] = 0xFF000000u | (channel(s[0]) << 16) | (channel(s[1]) << 8) | channel(s[2]);
        }
    }
}
