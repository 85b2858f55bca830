#include "imagefiles.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>

#include <stdexcept>
#include <vector>

namespace samplegen {

namespace {

    QByteArray writeWithQt(const QImage& image, const char* format, int quality = -1)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        if (quality >= 0)
            writer.setQuality(quality);
        if (!writer.write(image))
            throw std::runtime_error("cannot encode picture as " + std::string(format) + ": "
                + writer.errorString().toStdString());
        return bytes;
    }

    void putLe16(QByteArray& out, int value)
    {
        out += static_cast<char>(value & 0xff);
        out += static_cast<char>((value >> 8) & 0xff);
    }

    void putLe32(QByteArray& out, quint32 value)
    {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((value >> (8 * i)) & 0xff);
    }

    // Indexes the picture into at most 256 colours.
    struct Indexed {
        std::vector<QRgb> palette;
        std::vector<uchar> pixels;
    };

    Indexed indexPicture(const QImage& source)
    {
        const QImage image = source.convertToFormat(QImage::Format_RGB32);
        Indexed result;
        result.pixels.resize(static_cast<size_t>(image.width()) * image.height());
        QHash<QRgb, int> exact;
        bool fits = true;
        for (int y = 0; y < image.height() && fits; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = line[x] | 0xff000000u;
                if (!exact.contains(c)) {
                    if (exact.size() == 256) {
                        fits = false;
                        break;
                    }
                    exact.insert(c, static_cast<int>(result.palette.size()));
                    result.palette.push_back(c);
                }
                result.pixels[static_cast<size_t>(y) * image.width() + x]
                    = static_cast<uchar>(exact.value(c));
            }
        }
        if (fits)
            return result;

        // Fixed palette: 6 x 6 x 6 cube then 40 greys; each pixel takes the nearer of its
        // nearest cube entry and its nearest grey.
        result.palette.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    result.palette.push_back(qRgb(r * 51, g * 51, b * 51));
        for (int i = 0; i < 40; ++i) {
            const int v = 3 + i * 252 / 39;
            result.palette.push_back(qRgb(v, v, v));
        }
        auto dist = [](QRgb a, QRgb b) {
            const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
            return dr * dr + dg * dg + db * db;
        };
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = line[x];
                const int ci = ((qRed(c) + 25) / 51) * 36 + ((qGreen(c) + 25) / 51) * 6
                    + (qBlue(c) + 25) / 51;
                const int grey = (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
                int gi = 216 + ((grey - 3) * 39 + 126) / 252;
                gi = std::clamp(gi, 216, 255);
                const int best
                    = dist(c, result.palette[gi]) < dist(c, result.palette[ci]) ? gi : ci;
                result.pixels[static_cast<size_t>(y) * image.width() + x]
                    = static_cast<uchar>(best);
            }
        }
        return result;
    }

    // Variable-length LZW as GIF wants it: codes packed least significant bit first.
    QByteArray lzwCompress(const std::vector<uchar>& pixels, int minCodeSize)
    {
        const int clearCode = 1 << minCodeSize;
        const int endCode = clearCode + 1;
        QByteArray out;
        quint32 bitBuffer = 0;
        int bitCount = 0;
        int codeSize = minCodeSize + 1;
        auto putCode = [&](int code) {
            bitBuffer |= static_cast<quint32>(code) << bitCount;
            bitCount += codeSize;
            while (bitCount >= 8) {
                out += static_cast<char>(bitBuffer & 0xff);
                bitBuffer >>= 8;
                bitCount -= 8;
            }
        };
        QHash<quint32, int> table; // (prefix code << 8 | byte) -> code
        int nextCode = endCode + 1;
        putCode(clearCode);
        if (pixels.empty()) {
            putCode(endCode);
        } else {
            int prefix = pixels[0];
            for (size_t i = 1; i < pixels.size(); ++i) {
                const uchar k = pixels[i];
                const quint32 key = (static_cast<quint32>(prefix) << 8) | k;
                const auto found = table.constFind(key);
                if (found != table.constEnd()) {
                    prefix = found.value();
                    continue;
                }
                putCode(prefix);
                if (nextCode < 4096) {
                    table.insert(key, nextCode++);
                    // The decoder widens one code later than the encoder adds the entry.
                    if (nextCode > (1 << codeSize) && codeSize < 12)
                        ++codeSize;
                } else {
                    putCode(clearCode);
                    table.clear();
                    nextCode = endCode + 1;
                    codeSize = minCodeSize + 1;
                }
                prefix = k;
            }
            putCode(prefix);
            putCode(endCode);
        }
        if (bitCount > 0)
            out += static_cast<char>(bitBuffer & 0xff);
        return out;
    }

    QByteArray dibEntry(const QImage& source)
    {
        const QImage image = source.convertToFormat(QImage::Format_ARGB32)
                                 .scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QByteArray dib;
        putLe32(dib, 40);
        putLe32(dib, 32);
        putLe32(dib, 64); // colour rows plus mask rows
        putLe16(dib, 1);
        putLe16(dib, 32);
        putLe32(dib, 0);
        putLe32(dib, 32 * 32 * 4 + 32 * 4);
        putLe32(dib, 0);
        putLe32(dib, 0);
        putLe32(dib, 0);
        putLe32(dib, 0);
        for (int y = 31; y >= 0; --y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < 32; ++x) {
                const QRgb c = line[x];
                dib += static_cast<char>(qBlue(c));
                dib += static_cast<char>(qGreen(c));
                dib += static_cast<char>(qRed(c));
                dib += static_cast<char>(qAlpha(c));
            }
        }
        // AND mask: a set bit lets the screen show through (transparent pixel).
        for (int y = 31; y >= 0; --y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int byte = 0; byte < 4; ++byte) {
                uchar bits = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    if (qAlpha(line[byte * 8 + bit]) < 128)
                        bits |= static_cast<uchar>(0x80 >> bit);
                }
                dib += static_cast<char>(bits);
            }
        }
        return dib;
    }

    QByteArray iconResource(const QImage& image, int type, int field1, int field2)
    {
        const QByteArray dib = dibEntry(image);
        QByteArray out;
        putLe16(out, 0);
        putLe16(out, type);
        putLe16(out, 1);
        out += static_cast<char>(32);
        out += static_cast<char>(32);
        out += static_cast<char>(0);
        out += static_cast<char>(0);
        putLe16(out, field1); // cursor: hot spot x; icon: planes
        putLe16(out, field2); // cursor: hot spot y; icon: bits per pixel
        putLe32(out, static_cast<quint32>(dib.size()));
        putLe32(out, 22);
        out += dib;
        return out;
    }

} // namespace

QByteArray encodeGif(const QImage& image)
{
    if (image.width() > 65535 || image.height() > 65535 || image.isNull())
        throw std::runtime_error("picture size not encodable as GIF");
    Indexed indexed = indexPicture(image);
    int bits = 1;
    while ((1 << bits) < static_cast<int>(indexed.palette.size()))
        ++bits;
    const int tableSize = 1 << bits;
    QByteArray out("GIF89a");
    putLe16(out, image.width());
    putLe16(out, image.height());
    out += static_cast<char>(0x80 | ((bits - 1) << 4) | (bits - 1));
    out += static_cast<char>(0);
    out += static_cast<char>(0);
    for (int i = 0; i < tableSize; ++i) {
        const QRgb c = i < static_cast<int>(indexed.palette.size()) ? indexed.palette[i] : 0;
        out += static_cast<char>(qRed(c));
        out += static_cast<char>(qGreen(c));
        out += static_cast<char>(qBlue(c));
    }
    out += ',';
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, image.width());
    putLe16(out, image.height());
    out += static_cast<char>(0);
    const int minCodeSize = std::max(2, bits);
    out += static_cast<char>(minCodeSize);
    const QByteArray data = lzwCompress(indexed.pixels, minCodeSize);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - at);
        out += static_cast<char>(n);
        out += data.mid(at, n);
    }
    out += static_cast<char>(0);
    out += ';';
    return out;
}

QByteArray encodePicture(const QImage& image, PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp:
        return writeWithQt(image.convertToFormat(QImage::Format_RGB888), "bmp");
    case PictureFormat::Png:
        return writeWithQt(image, "png");
    case PictureFormat::Jpeg:
        return writeWithQt(image.convertToFormat(QImage::Format_RGB32), "jpeg", 90);
    case PictureFormat::Gif:
        return encodeGif(image);
    }
    throw std::runtime_error("unknown picture format");
}

QByteArray encodeCursor(const QImage& image32, QPoint hotSpot)
{
    return iconResource(image32, 2, hotSpot.x(), hotSpot.y());
}

QByteArray encodeIcon(const QImage& image32) { return iconResource(image32, 1, 1, 32); }

} // namespace samplegen
