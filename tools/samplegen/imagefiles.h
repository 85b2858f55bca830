#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace samplegen {

enum class PictureFormat { Bmp, Png, Jpeg, Gif };

// Encodes a picture in one of the formats the program's picture loader reads. Qt writes
// BMP, PNG and JPEG itself; it has no GIF writer, so GIF is encoded here.
QByteArray encodePicture(const QImage& image, PictureFormat format);

// GIF89a with one image: an exact palette when the picture has at most 256 colours,
// otherwise a fixed colour cube with a grey ramp.
QByteArray encodeGif(const QImage& image);

// A Windows cursor (.CUR, resource type 2) or icon (.ICO, type 1) with one 32 x 32 entry
// stored as a 32-bit DIB followed by its AND mask.
QByteArray encodeCursor(const QImage& image32, QPoint hotSpot);
QByteArray encodeIcon(const QImage& image32);

} // namespace samplegen
