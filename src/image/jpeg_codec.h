#pragma once

#include "bitmap.h"

#include "base/errors.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace jpeg {

enum class Colors { Sixteen, TwoFiftySix, TrueColor };
enum class Dct { Integ, FastInteg, FloatingPoint };
enum class Dither { None, FS, Ordered };

// The view's decoding options; the defaults are the ones every view of the program uses.
struct DecodeOptions
{
    Colors numOfColors = Colors::TwoFiftySix;
    Dct dctMethod = Dct::Integ;
    Dither dither = Dither::FS;
    bool fastProcessing = false;
    bool grayScale = false;
    bool noSmooth = false;
    bool onePass = false;
};

struct EncodeOptions
{
    int quality = 75;
    bool progressive = false;
    bool fastProcessing = false;
    bool grayScale = false;
    Dct dctMethod = Dct::Integ;
};

// Pictures larger than this are refused before anything is allocated for them.
constexpr std::uint64_t kMaxPixels = 100'000'000;
// Picture files larger than this are not read: far more than a picture of kMaxPixels needs.
constexpr std::size_t kMaxFileBytes = 256u << 20;

// Every libjpeg error and warning is a failure carrying libjpeg's message.
class JpegError : public UserError
{
public:
    using UserError::UserError;
};

Bitmap decode(std::string_view bytes, const DecodeOptions& options = {});
std::string encode(const Bitmap& picture, const EncodeOptions& options = {});

} // namespace jpeg
