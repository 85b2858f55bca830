#include "platform/picture.h"

#include "platform/paths.h"

#include <QBuffer>
#include <QCache>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QMutex>
#include <QMutexLocker>

#include <csetjmp>
#include <cstdint>
#include <cstdio> // before jpeglib.h, which names FILE
#include <optional>
#include <utility>

#include <jpeglib.h>

namespace plat {

struct Picture::Deferred {
    QMutex mutex {};
    QByteArray bytes; // dropped once decoded
    QByteArray format;
    QImage image;
    bool decoded = false;
};

Picture::Picture(QImage image, QPoint hotSpot, bool isCursor)
    : image_(std::move(image))
    , size_(image_.size())
    , hotSpot_(hotSpot)
    , isCursor_(isCursor)
{
}

namespace {

    // Colour JPEG pictures (every step background) decoded straight into the 32-bit image they
    // are shown from. Qt's reader decodes them to 24-bit rows and converts each row, which costs
    // about as much as the decoding; the same library with the same settings gives the same
    // pixels. Anything else, and any data the library warns about or refuses, is left to Qt's
    // reader, so what it shows and reports stays its own.

    // The byte order of QImage::Format_RGB32 (0xffRRGGBB in a native 32-bit word).
    constexpr J_COLOR_SPACE kRgb32Layout
        = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

    struct JpegErrors {
        jpeg_error_mgr mgr {};
        std::jmp_buf failed {};
        bool warned = false;
    };

    [[noreturn]] void jpegFailed(j_common_ptr info)
    {
        std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->failed, 1);
    }

    void jpegMessage(j_common_ptr info, int level)
    {
        if (level < 0)
            reinterpret_cast<JpegErrors*>(info->err)->warned = true;
    }

    // Kept apart from any object with a destructor, as a failure leaves it by longjmp.
    bool decodeJpegInto(
        const QByteArray& bytes, jpeg_decompress_struct& info, JpegErrors& errors, QImage& image)
    {
        if (setjmp(errors.failed))
            return false;
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
            static_cast<unsigned long>(bytes.size()));
        // Comments, Exif and colour profiles become text, orientation and colour space in Qt's
        // image: such files are Qt's to read. A block is listed only when some of it is kept.
        jpeg_save_markers(&info, JPEG_COM, 1);
        for (int app = 1; app < 16; ++app)
            jpeg_save_markers(&info, JPEG_APP0 + app, 1);
        if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.num_components != 3
            || info.jpeg_color_space != JCS_YCbCr || info.saw_Adobe_marker || info.marker_list
            || errors.warned)
            return false;
        info.out_color_space = kRgb32Layout;
        jpeg_start_decompress(&info);
        if (errors.warned || info.output_components != 4 || int(info.output_width) != image.width()
            || int(info.output_height) != image.height())
            return false;
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = image.scanLine(int(info.output_scanline));
            if (jpeg_read_scanlines(&info, &row, 1) != 1 || errors.warned)
                return false;
        }
        jpeg_finish_decompress(&info);
        // The resolution as Qt's reader records it.
        if (info.density_unit == 1) {
            image.setDotsPerMeterX(int(100. * info.X_density / 2.54));
            image.setDotsPerMeterY(int(100. * info.Y_density / 2.54));
        } else if (info.density_unit == 2) {
            image.setDotsPerMeterX(int(100. * info.X_density));
            image.setDotsPerMeterY(int(100. * info.Y_density));
        }
        return !errors.warned;
    }

    // The image, or the null image when Qt's reader should decode it.
    QImage decodeJpeg(const QByteArray& bytes, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        if (image.isNull())
            return {};
        jpeg_decompress_struct info {};
        JpegErrors errors;
        info.err = jpeg_std_error(&errors.mgr);
        errors.mgr.error_exit = jpegFailed;
        errors.mgr.emit_message = jpegMessage;
        const bool decoded = decodeJpegInto(bytes, info, errors, image);
        jpeg_destroy_decompress(&info);
        return decoded ? image : QImage();
    }

} // namespace

const QImage& Picture::image() const
{
    if (!deferred_)
        return image_;
    QMutexLocker lock(&deferred_->mutex);
    if (!deferred_->decoded) {
        deferred_->decoded = true;
        if (deferred_->format == "jpeg")
            deferred_->image = decodeJpeg(deferred_->bytes, size_);
        if (deferred_->image.isNull()) {
            QBuffer buffer(&deferred_->bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, deferred_->format);
            deferred_->image = reader.read();
            if (deferred_->image.isNull())
                qWarning("A picture that looked whole did not decode: %s",
                    qPrintable(reader.errorString()));
        }
        deferred_->bytes = QByteArray();
    }
    return deferred_->image;
}

bool Picture::isDecoded() const
{
    if (!deferred_)
        return true;
    QMutexLocker lock(&deferred_->mutex);
    return deferred_->decoded;
}

namespace {

    // Icon and cursor files share one layout: a 6-byte directory header, then 16-byte entries.
    constexpr qsizetype kDirHeaderSize = 6;
    constexpr qsizetype kDirEntrySize = 16;
    constexpr quint16 kTypeIcon = 1;
    constexpr quint16 kTypeCursor = 2;

    quint16 readU16(const QByteArray& bytes, qsizetype at)
    {
        return quint16(quint8(bytes[at])) | quint16(quint8(bytes[at + 1])) << 8;
    }

    quint32 readU32(const QByteArray& bytes, qsizetype at)
    {
        return quint32(readU16(bytes, at)) | quint32(readU16(bytes, at + 2)) << 16;
    }

    void writeU16(QByteArray& bytes, qsizetype at, quint16 value)
    {
        bytes[at] = char(value & 0xff);
        bytes[at + 1] = char(value >> 8);
    }

    Error invalidPicture(const QString& why)
    {
        return Error { err::InvalidPicture, QStringLiteral("Invalid picture: %1").arg(why) };
    }

    bool isCursorFile(const QByteArray& bytes)
    {
        return bytes.size() >= kDirHeaderSize && readU16(bytes, 0) == 0
            && readU16(bytes, 2) == kTypeCursor;
    }

    Result<QImage> readImage(const QByteArray& bytes, const QByteArray& format)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, format);
        reader.setDecideFormatFromContent(format.isEmpty());
        QImage image = reader.read();
        if (image.isNull())
            return invalidPicture(reader.errorString());
        return image;
    }

    // Cursor files are icon files whose entries carry a hot spot where an icon has its planes and
    // bit count. The directory is checked against the buffer here, so Qt's icon reader only ever
    // sees entries that lie inside the data.
    Result<Picture> decodeCursor(QByteArray bytes)
    {
        const quint16 count = readU16(bytes, 4);
        if (count == 0)
            return invalidPicture(QStringLiteral("cursor file without images"));
        const qint64 directoryEnd = kDirHeaderSize + qint64(count) * kDirEntrySize;
        if (directoryEnd > bytes.size())
            return invalidPicture(QStringLiteral("truncated cursor directory"));
        for (int i = 0; i < count; ++i) {
            const qsizetype entry = kDirHeaderSize + i * kDirEntrySize;
            const qint64 size = readU32(bytes, entry + 8);
            const qint64 offset = readU32(bytes, entry + 12);
            if (size == 0 || offset < directoryEnd || offset + size > bytes.size())
                return invalidPicture(
                    QStringLiteral("cursor image %1 lies outside the file").arg(i));
        }

        const QPoint hotSpot(
            readU16(bytes, kDirHeaderSize + 4), readU16(bytes, kDirHeaderSize + 6));

        // Present the data as an icon: the hot spot fields become planes 1 and "bit count from
        // the bitmap header", which every icon reader accepts.
        writeU16(bytes, 2, kTypeIcon);
        for (int i = 0; i < count; ++i) {
            const qsizetype entry = kDirHeaderSize + i * kDirEntrySize;
            writeU16(bytes, entry + 4, 1);
            writeU16(bytes, entry + 6, 0);
        }
        Result<QImage> image = readImage(bytes, QByteArrayLiteral("ico"));
        if (!image)
            return image.error();
        return Picture(std::move(image).value(), hotSpot, true);
    }

    // A file cut short is refused at load even though its decoding waits: every format read
    // here ends with a fixed trailer (BMP has none but states its file size).
    bool endsWhole(const QByteArray& bytes, const QByteArray& format)
    {
        if (format == "png")
            return bytes.endsWith(QByteArrayLiteral("IEND\xae\x42\x60\x82"));
        if (format == "jpeg" || format == "jpg")
            return bytes.endsWith(QByteArrayLiteral("\xff\xd9"));
        if (format == "gif")
            return bytes.endsWith(';');
        if (format == "bmp")
            return bytes.size() >= 6 && readU32(bytes, 2) <= quint32(bytes.size());
        return false;
    }

    // The format and size a picture file states in its header, when the file is whole.
    std::optional<std::pair<QByteArray, QSize>> headerOf(const QByteArray& bytes)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        const QByteArray format = reader.format();
        const QSize size = reader.size();
        if (format.isEmpty() || size.isEmpty() || !endsWhole(bytes, format))
            return std::nullopt;
        return std::pair { format, size };
    }

    struct CachedPicture {
        FileStamp stamp;
        Picture picture;
    };

    // What the picture holds once decoded, at four bytes a pixel.
    qsizetype costOf(const Picture& picture)
    {
        return qMax<qsizetype>(1, qsizetype(picture.width()) * picture.height() * 4 / 1024);
    }

    // Bounded by decoded bytes (in KiB) so a long session through many step pictures cannot
    // hold them all; the least recently used are dropped first. Pictures on show are held by
    // their controls anyway, so the cache only keeps what was left: 7 MiB keeps the steps of the
    // question on show (a screen of 800 x 600 is under 2 MiB) for going back and for its
    // demonstration, and the next step's pictures decoded ahead, which wait apart within the
    // limit. A paper moves on and does not come back, so more only adds to the peak memory of an
    // examination, and a picture not cached decodes in about a millisecond.
    constexpr qsizetype kCacheLimitKiB = 7 * 1024;

    // Used under its mutex.
    struct PictureCache {
        QMutex mutex {};
        QCache<QString, CachedPicture> entries { kCacheLimitKiB };
        // The next step's pictures, decoded ahead (loadAhead). Apart from the cache, so that
        // the loads of the step on show cannot push them out before they are shown.
        QHash<QString, CachedPicture> ahead {};
        qsizetype aheadKiB = 0;
        // Counts the clearings: a load that began before one must not put back what it dropped
        // (a worker loading ahead while the exercise windows close).
        quint64 clearings = 0;

        void setAhead(QHash<QString, CachedPicture> next)
        {
            qsizetype kib = 0;
            for (auto it = next.cbegin(); it != next.cend(); ++it) {
                entries.remove(it.key()); // counted once, here
                kib += costOf(it->picture);
            }
            if (kib > kCacheLimitKiB) { // a step larger than the limit decodes its own
                next.clear();
                kib = 0;
            }
            ahead = std::move(next);
            aheadKiB = kib;
            entries.setMaxCost(kCacheLimitKiB - aheadKiB);
        }

        // The cached picture of this file as it is now, if any.
        std::optional<Picture> cached(const QString& key, const FileStamp& stamp)
        {
            const CachedPicture* hit = entries.object(key);
            return hit && hit->stamp == stamp ? std::optional(hit->picture) : std::nullopt;
        }

        // A picture decoded ahead, now shown: into the cache with its share of the limit.
        std::optional<Picture> takeAhead(const QString& key, const FileStamp& stamp)
        {
            const auto it = ahead.constFind(key);
            if (it == ahead.cend() || it->stamp != stamp)
                return std::nullopt;
            const Picture picture = it->picture;
            ahead.erase(it);
            aheadKiB -= costOf(picture);
            entries.setMaxCost(kCacheLimitKiB - aheadKiB);
            entries.insert(key, new CachedPicture { stamp, picture }, costOf(picture));
            return picture;
        }
    };

    // Never destroyed: a worker loading ahead may still use it while the program ends.
    PictureCache& cache()
    {
        static auto* const instance = new PictureCache;
        return *instance;
    }

} // namespace

Result<Picture> decodePicture(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return invalidPicture(QStringLiteral("empty data"));
    if (isCursorFile(bytes))
        return decodeCursor(bytes);
    Result<QImage> image = readImage(bytes, QByteArray());
    if (!image)
        return image.error();
    return Picture(std::move(image).value());
}

struct PictureFiles {
    // Reads a picture file whole and checks it; the decoding waits for the first showing.
    static Result<Picture> read(const QString& file, const QString& path)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return Error { err::FileIo,
                QStringLiteral("Cannot read %1: %2").arg(path, f.errorString()) };
        QByteArray bytes = f.readAll();
        Result<Picture> loaded = Picture {};
        // Cursors are small and shown at once; other pictures wait for their first showing.
        const auto header = isCursorFile(bytes) ? std::nullopt : headerOf(bytes);
        if (header) {
            Picture deferred;
            deferred.deferred_ = std::make_shared<Picture::Deferred>();
            deferred.deferred_->bytes = std::move(bytes);
            deferred.deferred_->format = header->first;
            deferred.size_ = header->second;
            loaded = std::move(deferred);
        } else {
            loaded = decodePicture(bytes);
        }
        if (!loaded) {
            Error e = loaded.error();
            e.description += QStringLiteral(" (%1)").arg(path);
            return e;
        }
        return loaded;
    }
};

namespace {
    // The cache's key: the file's absolute path as found on disk.
    QString keyOf(const FileStamp& stamp) { return QFileInfo(stamp.path).absoluteFilePath(); }
}

Result<Picture> loadPicture(const QString& path)
{
    if (path.isEmpty())
        return Picture {};

    // A path that names its file exactly, as step pictures do, costs one stat on a cache hit;
    // only a name that differs in case from the file on disk is worth resolving.
    const std::optional<FileStamp> stamp = stampOf(path);
    if (!stamp)
        return Error { err::FileNotFound, QStringLiteral("File not found: %1").arg(path) };
    const QString key = keyOf(*stamp);

    PictureCache& c = cache();
    quint64 clearingsAtStart = 0;
    {
        QMutexLocker lock(&c.mutex);
        if (std::optional<Picture> hit = c.cached(key, *stamp))
            return *std::move(hit);
        if (std::optional<Picture> ahead = c.takeAhead(key, *stamp))
            return *std::move(ahead);
        clearingsAtStart = c.clearings;
    }

    Result<Picture> loaded = PictureFiles::read(key, path);
    if (!loaded)
        return loaded;
    QMutexLocker lock(&c.mutex);
    if (c.clearings == clearingsAtStart)
        c.entries.insert(key, new CachedPicture { *stamp, loaded.value() }, costOf(loaded.value()));
    return loaded;
}

void loadAhead(const QStringList& paths, const std::function<bool()>& wanted)
{
    PictureCache& c = cache();
    quint64 clearingsAtStart = 0;
    {
        QMutexLocker lock(&c.mutex);
        clearingsAtStart = c.clearings;
    }
    QHash<QString, CachedPicture> next;
    for (const QString& path : paths) {
        if (!wanted())
            return;
        const std::optional<FileStamp> stamp = path.isEmpty() ? std::nullopt : stampOf(path);
        if (!stamp)
            continue;
        const QString key = keyOf(*stamp);
        std::optional<Picture> known;
        {
            QMutexLocker lock(&c.mutex);
            known = c.cached(key, *stamp);
            const auto ahead = c.ahead.constFind(key);
            if (!known && ahead != c.ahead.cend() && ahead->stamp == *stamp)
                known = ahead->picture;
        }
        Result<Picture> picture = known ? Result<Picture>(*known) : PictureFiles::read(key, path);
        if (!picture)
            continue;
        picture.value().image();
        next.insert(key, CachedPicture { *stamp, picture.value() });
    }
    QMutexLocker lock(&c.mutex);
    if (wanted() && c.clearings == clearingsAtStart)
        c.setAhead(std::move(next));
}

void clearPictureCache()
{
    PictureCache& c = cache();
    QMutexLocker lock(&c.mutex);
    ++c.clearings;
    c.entries.clear();
    c.setAhead({});
}

} // namespace plat
