// The JPEG view's picture load: bytes to the image it draws.
#include "fuzz_support.h"
#include "image/jpeg_codec.h"
#include "ui/jpeg_view.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const bool trueColor : {false, true}) {
        jpeg::DecodeOptions options;
        if (trueColor)
            options.numOfColors = jpeg::Colors::TrueColor;
        try {
            const QImage image = decodeToImage(asText(data, size), options);
            if (image.isNull() || image.width() <= 0)
                __builtin_trap();
        } catch (const jpeg::JpegError&) {
        }
    }
    return 0;
}
