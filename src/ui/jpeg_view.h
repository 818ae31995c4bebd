#pragma once

#include "image/jpeg_codec.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <string>

class Bitmap;

// A decoded picture as a toolkit image, sharing the decoder's memory.
QImage toQImage(Bitmap&& picture);
// The view's whole load: bytes to the image it draws. Throws jpeg::JpegError.
QImage decodeToImage(std::string_view bytes, const jpeg::DecodeOptions& options);
// The picture at the size it is drawn, smooth; making it smaller takes no full-size copy.
QImage scaledPicture(const QImage& picture, const QSize& size);

// The JPEG view of every window: it keeps the bytes of the file it loaded and draws the decoded
// picture fitted into its area. Load and save errors go to the caller.
class JpegView : public QWidget
{
    Q_OBJECT
public:
    explicit JpegView(QWidget* parent = nullptr);

    // Layout flags of the image control; every view is centred and proportional.
    void setCenter(bool on);
    void setProportional(bool on);
    void setStretch(bool on);

    QString fileName() const { return m_fileName; }
    // Loads a file (an empty name empties the view). A file that cannot be read leaves buffer
    // and picture as they were; data that does not decode leaves the picture as it was.
    void setFileName(const QString& fileName);
    const std::string& buffer() const { return m_buffer; }
    // Shows a picture received as bytes; the view then names no file. Bytes that do not decode
    // (none at all, or past the file size cap) throw and leave the view as it was.
    void setBytes(std::string bytes);
    // The other view's picture and bytes, as they are.
    void copyFrom(const JpegView& other);

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);
    void clearPicture() { setPicture(QImage()); }
    // Writes the shown picture as a JPEG file; with no picture nothing is written.
    void saveAsJpeg(const QString& fileName) const;

    const jpeg::DecodeOptions& decodeOptions() const { return m_decodeOptions; }
    // Decodes the held bytes again with the new options (an empty buffer empties the view).
    void setDecodeOptions(const jpeg::DecodeOptions& options);
    jpeg::EncodeOptions encodeOptions;

    // Where the picture is drawn in the view now.
    QRect drawRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void decode();

    jpeg::DecodeOptions m_decodeOptions;
    QString m_fileName;
    std::string m_buffer;
    QImage m_picture;
    mutable QPixmap m_scaled;
    bool m_center = true, m_proportional = true, m_stretch = true;
};
