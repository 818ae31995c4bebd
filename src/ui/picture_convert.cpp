#include "picture_convert.h"

#include "image/bitmap.h"
#include "image/jpeg_codec.h"

#include "base/errors.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstdlib>
#include <cstring>

namespace picture {

namespace {

bool isJpeg(std::string_view bytes)
{
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

} // namespace

std::string asJpeg(std::string bytes)
{
    if (isJpeg(bytes))
        return bytes;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The limit is the reader's own, process-wide; the pixel count is checked before decoding too.
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
    const QSize size = reader.size();
    if (size.isValid() &&
        static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height()) >
            jpeg::kMaxPixels)
        throw UserError("Immagine troppo grande");
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw UserError("Immagine in un formato non leggibile");
    // Transparent parts of a poster show as white, as on a page.
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB888);
        flat.fill(Qt::white);
        QImage over = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < over.height(); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(over.constScanLine(y));
            uchar* dst = flat.scanLine(y);
            for (int x = 0; x < over.width(); ++x) {
                const int a = qAlpha(src[x]);
                dst[3 * x] = static_cast<uchar>(qRed(src[x]) + (255 - a));
                dst[3 * x + 1] = static_cast<uchar>(qGreen(src[x]) + (255 - a));
                dst[3 * x + 2] = static_cast<uchar>(qBlue(src[x]) + (255 - a));
            }
        }
        image = std::move(flat);
    } else {
        image = image.convertToFormat(QImage::Format_RGB888);
    }
    if (image.isNull())
        throw UserError("Immagine troppo grande");
    const int stride = Bitmap::strideFor(image.width(), 24);
    auto* pixels = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(stride) * image.height()));
    if (!pixels)
        throw UserError("Memoria insufficiente per l'immagine");
    Bitmap bitmap(image.width(), image.height(), 24, stride, pixels);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(bitmap.row(y), image.constScanLine(y), static_cast<std::size_t>(image.width()) * 3);
    return jpeg::encode(bitmap);
}

} // namespace picture
