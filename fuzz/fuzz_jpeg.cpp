// The JPEG view's picture load: bytes to the image it draws, and that image made smaller as the
// view draws it.
#include "fuzz_support.h"
#include "image/jpeg_codec.h"
#include "ui/jpeg_view.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    jpeg::DecodeOptions palette, trueColor, greySixteen;
    trueColor.numOfColors = jpeg::Colors::TrueColor;
    greySixteen.numOfColors = jpeg::Colors::Sixteen;
    greySixteen.grayScale = true;
    for (const jpeg::DecodeOptions& options : {palette, trueColor, greySixteen}) {
        try {
            const QImage image = decodeToImage(asText(data, size), options);
            if (image.isNull() || image.width() <= 0)
                __builtin_trap();
            if (image.format() == QImage::Format_Indexed8 && image.colorCount() == 0)
                __builtin_trap();
            const QSize smaller(image.width() / 3 + 1, image.height() / 3 + 1);
            if (scaledPicture(image, smaller).size() != smaller)
                __builtin_trap();
        } catch (const jpeg::JpegError&) {
        }
    }
    return 0;
}
