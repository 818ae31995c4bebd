#include "jpeg_view.h"

#include "base/cp1252.h"
#include "image/bitmap.h"
#include "image/downscale.h"
#include "image/layout.h"
#include "platform/files.h"

#include <QPainter>

#include <cstdlib>
#include <cstring>

QImage toQImage(Bitmap&& picture)
{
    if (picture.isEmpty())
        return QImage();
    const int w = picture.width(), h = picture.height(), stride = picture.stride();
    const bool rgb = picture.bitsPerPixel() == 24;
    QVector<QRgb> colours(picture.palette.begin(), picture.palette.end());
    std::uint8_t* pixels = picture.release();
    QImage image(pixels, w, h, stride, rgb ? QImage::Format_RGB888 : QImage::Format_Indexed8,
                 [](void* p) { std::free(p); }, pixels);
    if (!rgb)
        image.setColorTable(colours);
    return image;
}

QImage decodeToImage(std::string_view bytes, const jpeg::DecodeOptions& options)
{
    return toQImage(jpeg::decode(bytes, options));
}

QImage scaledPicture(const QImage& picture, const QSize& size)
{
    const bool smaller = size.width() <= picture.width() && size.height() <= picture.height();
    const bool ours = picture.format() == QImage::Format_Indexed8 || picture.format() == QImage::Format_RGB888;
    // The toolkit's smooth scaling first copies the whole picture to 32 bits: 400 MB for the
    // largest one. Making it smaller needs only the result.
    if (!smaller || !ours)
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    const QList<QRgb> colours = picture.colorTable();
    const PixelRows src{picture.constBits(), picture.width(), picture.height(), static_cast<int>(picture.bytesPerLine()),
                        picture.format() == QImage::Format_RGB888 ? 3 : 1, colours.constData(),
                        static_cast<int>(colours.size())};
    areaDownscale(src, reinterpret_cast<std::uint32_t*>(out.bits()), size.width(), size.height(),
                  static_cast<int>(out.bytesPerLine() / 4));
    return out;
}

JpegView::JpegView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(16, 16);
}

void JpegView::setCenter(bool on)
{
    m_center = on;
    m_scaled = QPixmap();
    update();
}

void JpegView::setProportional(bool on)
{
    m_proportional = on;
    m_scaled = QPixmap();
    update();
}

void JpegView::setStretch(bool on)
{
    m_stretch = on;
    m_scaled = QPixmap();
    update();
}

void JpegView::setFileName(const QString& fileName)
{
    m_fileName = fileName;
    if (fileName.isEmpty())
        m_buffer.clear();
    else
        m_buffer = files::readWhole(files::fromText(cp1252::fromQString(fileName)), jpeg::kMaxFileBytes);
    decode();
}

void JpegView::setBytes(std::string bytes)
{
    if (bytes.empty())
        throw jpeg::JpegError("Nessuna immagine");
    if (bytes.size() > jpeg::kMaxFileBytes)
        throw jpeg::JpegError("Immagine troppo grande");
    QImage picture = decodeToImage(bytes, m_decodeOptions);
    m_fileName.clear();
    m_buffer = std::move(bytes);
    setPicture(picture);
}

void JpegView::copyFrom(const JpegView& other)
{
    m_fileName.clear();
    m_buffer = other.m_buffer;
    setPicture(other.m_picture);
}

void JpegView::decode()
{
    if (m_buffer.empty()) {
        setPicture(QImage());
        return;
    }
    setPicture(decodeToImage(m_buffer, m_decodeOptions));
}

void JpegView::setDecodeOptions(const jpeg::DecodeOptions& options)
{
    m_decodeOptions = options;
    decode();
}

void JpegView::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

void JpegView::saveAsJpeg(const QString& fileName) const
{
    if (m_picture.isNull())
        return;
    const QImage rgb = m_picture.convertToFormat(QImage::Format_RGB888);
    const int stride = Bitmap::strideFor(rgb.width(), 24);
    auto* pixels = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(stride) * rgb.height()));
    if (!pixels)
        throw UserError("Out of memory");
    Bitmap bitmap(rgb.width(), rgb.height(), 24, stride, pixels);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(bitmap.row(y), rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 3);
    const std::string bytes = jpeg::encode(bitmap, encodeOptions);
    files::writeAtomically(files::fromText(cp1252::fromQString(fileName)), bytes);
}

QRect JpegView::drawRect() const
{
    if (m_picture.isNull())
        return QRect();
    const DrawRect r = layoutPicture(m_picture.width(), m_picture.height(), width(), height(), m_center,
                                     m_proportional, m_stretch);
    return QRect(r.x, r.y, r.width, r.height);
}

void JpegView::resizeEvent(QResizeEvent* event)
{
    m_scaled = QPixmap();
    QWidget::resizeEvent(event);
}

void JpegView::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    const QRect target = drawRect();
    if (target.isEmpty())
        return;
    // Scaled once per picture and size; repaints only copy.
    if (m_scaled.size() != target.size())
        m_scaled = QPixmap::fromImage(scaledPicture(m_picture, target.size()));
    QPainter painter(this);
    painter.drawPixmap(target.topLeft(), m_scaled);
}
