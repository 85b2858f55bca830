#include "platform/picture.h"

#include "platform/decodeahead.h"
#include "support/testsupport.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace plat;

namespace {

QImage sampleImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    image.setPixelColor(0, 0, QColor(20, 40, 220));
    return image;
}

QByteArray encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

// Qt cannot write GIF, so the test builds one: 4x2 pixels, a two-colour table (red, green) and
// a graphic control block that makes colour 1 transparent. Every pixel is stored as its own
// 3-bit code with a clear code before each pair, so the LZW code size never grows.
QByteArray transparentGif()
{
    const int pixels[] = { 0, 1, 0, 0, 0, 0, 1, 0 };
    QByteArray codes;
    quint32 bits = 0;
    int bitCount = 0;
    auto put = [&](int code) {
        bits |= quint32(code) << bitCount;
        bitCount += 3;
        while (bitCount >= 8) {
            codes += char(bits & 0xff);
            bits >>= 8;
            bitCount -= 8;
        }
    };
    for (int i = 0; i < 8; ++i) {
        if (i % 2 == 0)
            put(4); // clear
        put(pixels[i]);
    }
    put(5); // end of information
    if (bitCount > 0)
        codes += char(bits & 0xff);

    QByteArray gif("GIF89a");
    gif += QByteArray::fromHex("0400"
                               "0200"
                               "80"
                               "00"
                               "00"); // 4x2, global table of 2 colours
    gif += QByteArray::fromHex("ff0000"
                               "00ff00");
    gif += QByteArray::fromHex("21f904"
                               "01"
                               "0000"
                               "01"
                               "00"); // colour 1 is transparent
    gif += QByteArray::fromHex("2c"
                               "0000"
                               "0000"
                               "0400"
                               "0200"
                               "00");
    gif += char(2); // LZW minimum code size
    gif += char(codes.size());
    gif += codes;
    gif += QByteArray::fromHex("00"
                               "3b");
    return gif;
}

// A cursor as a cursor editor writes it: an icon file with type 2 and the hot spot where an icon
// keeps its planes and bit count.
QByteArray cursorBytes(const QImage& image, int hotX, int hotY)
{
    QByteArray bytes = encode(image, "ico");
    bytes[2] = 2;
    bytes[10] = char(hotX);
    bytes[11] = 0;
    bytes[12] = char(hotY);
    bytes[13] = 0;
    return bytes;
}

void putU32(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xff);
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        clearPictureCache();
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir {};
};

TEST_F(PictureTest, DecodesEveryFormatByContentWhateverTheSuffix)
{
    const QImage image = sampleImage(6, 5);
    const struct {
        const char* format;
        QByteArray bytes;
        bool exactColours;
    } cases[] = {
        { "bmp", encode(image, "bmp"), true },
        { "png", encode(image, "png"), true },
        { "jpeg", encode(image, "jpeg"), false },
        { "ico", encode(image, "ico"), true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const QString file = path(QStringLiteral("%1.mxy").arg(QLatin1String(c.format)));
        testsupport::writeFile(file, c.bytes);
        Result<Picture> loaded = loadPicture(file);
        ASSERT_TRUE(loaded.ok()) << loaded.error().description.toStdString();
        const Picture& picture = loaded.value();
        EXPECT_EQ(picture.image().size(), image.size());
        EXPECT_FALSE(picture.isCursor());
        const QColor corner = picture.image().pixelColor(0, 0);
        const QColor body = picture.image().pixelColor(4, 3);
        if (c.exactColours) {
            EXPECT_EQ(corner.rgb(), QColor(20, 40, 220).rgb());
            EXPECT_EQ(body.rgb(), QColor(200, 40, 40).rgb());
        } else {
            EXPECT_GT(body.red(), 150);
            EXPECT_LT(body.blue(), 100);
        }
    }
}

TEST_F(PictureTest, GifKeepsItsTransparentPixels)
{
    const QString file = path(QStringLiteral("anim.mxy"));
    testsupport::writeFile(file, transparentGif());
    Result<Picture> loaded = loadPicture(file);
    ASSERT_TRUE(loaded.ok()) << loaded.error().description.toStdString();
    const QImage& image = loaded.value().image();
    ASSERT_EQ(image.size(), QSize(4, 2));
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(image.pixelColor(0, 0).rgba(), QColor(255, 0, 0).rgba());
    EXPECT_EQ(image.pixelColor(1, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(2, 1).alpha(), 0);
    EXPECT_EQ(image.pixelColor(3, 1).rgba(), QColor(255, 0, 0).rgba());
}

TEST_F(PictureTest, CursorGivesItsHotSpotAndImage)
{
    const QString file = path(QStringLiteral("ico12.CUR"));
    testsupport::writeFile(file, cursorBytes(sampleImage(16, 16), 5, 7));
    Result<Picture> loaded = loadPicture(file);
    ASSERT_TRUE(loaded.ok()) << loaded.error().description.toStdString();
    const Picture& picture = loaded.value();
    EXPECT_TRUE(picture.isCursor());
    EXPECT_EQ(picture.hotSpot(), QPoint(5, 7));
    EXPECT_EQ(picture.image().size(), QSize(16, 16));
    EXPECT_EQ(picture.image().pixelColor(0, 0).rgb(), QColor(20, 40, 220).rgb());
    EXPECT_EQ(picture.image().pixelColor(9, 9).rgb(), QColor(200, 40, 40).rgb());
}

TEST_F(PictureTest, BrokenDataIsAnInvalidPictureNotACrash)
{
    const QByteArray cursor = cursorBytes(sampleImage(16, 16), 5, 7);
    QByteArray offsetPastEnd = cursor;
    putU32(offsetPastEnd, 18, quint32(cursor.size()) - 4);
    QByteArray offsetWraps = cursor;
    putU32(offsetWraps, 18, 0xfffffff0u);
    QByteArray sizeLies = cursor;
    putU32(sizeLies, 14, quint32(cursor.size()));
    QByteArray offsetInsideDirectory = cursor;
    putU32(offsetInsideDirectory, 18, 2);
    QByteArray manyEntries = cursor.left(22);
    manyEntries[4] = char(0xff);
    manyEntries[5] = char(0xff);
    QByteArray noEntries = cursor.left(6);
    noEntries[4] = 0;
    QByteArray random(512, '\0');
    QRandomGenerator generator(42);
    for (char& b : random)
        b = char(generator.bounded(256));

    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        { "empty file", QByteArray() },
        { "random bytes", random },
        { "cursor header only", cursor.left(6) },
        { "cursor cut inside the directory", cursor.left(15) },
        { "cursor cut inside the image", cursor.left(cursor.size() / 2) },
        { "cursor offset past the end", offsetPastEnd },
        { "cursor offset that wraps", offsetWraps },
        { "cursor size larger than the file", sizeLies },
        { "cursor image inside its directory", offsetInsideDirectory },
        { "cursor count larger than the file", manyEntries },
        { "cursor without entries", noEntries },
        { "png cut short", encode(sampleImage(30, 30), "png").left(40) },
        { "png without its end", encode(sampleImage(30, 30), "png").chopped(12) },
        { "jpeg cut short", encode(sampleImage(30, 30), "jpeg").left(200) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QStringLiteral("broken.mxy"));
        testsupport::writeFile(file, c.bytes);
        Result<Picture> loaded = loadPicture(file);
        ASSERT_FALSE(loaded.ok());
        EXPECT_EQ(loaded.error().number, err::InvalidPicture);
        EXPECT_FALSE(decodePicture(c.bytes).ok());
    }
}

// A form loads many pictures that stay hidden; a loaded file is checked whole but decoded only
// when its image is first asked for, once for every copy and for the cache.
TEST_F(PictureTest, DecodingWaitsForTheFirstShowing)
{
    const struct {
        const char* format;
        QByteArray bytes;
    } cases[] = {
        { "png", encode(sampleImage(30, 20), "png") },
        { "bmp", encode(sampleImage(30, 20), "bmp") },
        { "jpeg", encode(sampleImage(30, 20), "jpeg") },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        clearPictureCache();
        const QString file = path(QStringLiteral("face.%1").arg(QLatin1String(c.format)));
        testsupport::writeFile(file, c.bytes);
        Result<Picture> loaded = loadPicture(file);
        ASSERT_TRUE(loaded.ok()) << loaded.error().description.toStdString();
        const Picture copy = loaded.value();
        EXPECT_FALSE(copy.isDecoded());
        EXPECT_FALSE(copy.isNull());
        EXPECT_EQ(QSize(copy.width(), copy.height()), QSize(30, 20));

        EXPECT_EQ(copy.image().size(), QSize(30, 20));
        EXPECT_GT(copy.image().pixelColor(10, 10).red(), 150);
        EXPECT_TRUE(loaded.value().isDecoded());
        Result<Picture> again = loadPicture(file);
        ASSERT_TRUE(again.ok());
        EXPECT_TRUE(again.value().isDecoded());
        EXPECT_EQ(again.value().image().cacheKey(), copy.image().cacheKey());
    }
}

// Pictures decoded ahead on a worker are decoded without anyone asking, and whoever loads the
// file later gets that image, the same as a decoding of its own would give.
TEST_F(PictureTest, DecodedAheadOnAWorkerForEveryLaterLoad)
{
    const QByteArray bytes = encode(sampleImage(800, 600), "jpeg");
    const QString file = path(QStringLiteral("big.jpg"));
    testsupport::writeFile(file, bytes);
    Result<Picture> loaded = loadPicture(file);
    ASSERT_TRUE(loaded.ok());
    decodeAhead({ loaded.value() });
    waitForDecodingAhead();
    EXPECT_TRUE(loaded.value().isDecoded());
    Result<Picture> later = loadPicture(file);
    ASSERT_TRUE(later.ok());
    EXPECT_TRUE(later.value().isDecoded());
    EXPECT_EQ(later.value().image().cacheKey(), loaded.value().image().cacheKey());
    EXPECT_EQ(later.value().image(), decodePicture(bytes).value().image());
}

// The next step's pictures, loaded ahead, outlast any number of loads of the step on show; a
// newer next replaces them, and emptying the cache drops them.
TEST_F(PictureTest, PicturesLoadedAheadWaitForTheirStepUntilANewerNext)
{
    QStringList files;
    for (int i = 0; i < 11; ++i) {
        files << path(QStringLiteral("screen%1.png").arg(i));
        testsupport::writeFile(files.back(), encode(sampleImage(800, 600), "png"));
    }
    const auto wanted = [] { return true; };
    auto decoded = [](const QString& file) {
        Result<Picture> p = loadPicture(file);
        return p.ok() && p.value().isDecoded();
    };

    loadAhead({ files[0], files[1] }, wanted);
    for (int i = 2; i < 8; ++i) // more than the cache keeps
        ASSERT_EQ(loadPicture(files[i]).value().image().width(), 800);
    EXPECT_TRUE(decoded(files[0]));
    EXPECT_TRUE(decoded(files[1]));

    loadAhead({ files[8] }, wanted);
    loadAhead({ files[9] }, wanted);
    EXPECT_FALSE(decoded(files[8])); // replaced before its step came
    loadAhead({ files[10] }, wanted);
    loadAhead({ files[0] }, [] { return false; }); // given up at once: the last next stays
    EXPECT_TRUE(decoded(files[10]));

    loadAhead({ files[9] }, wanted);
    clearPictureCache();
    EXPECT_FALSE(decoded(files[9]));
}

TEST_F(PictureTest, NamesThatFindNoFile)
{
    Result<Picture> none = loadPicture(QString());
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none.value().isNull());

    const QString missing = path(QStringLiteral("missing.mxy"));
    Result<Picture> loaded = loadPicture(missing);
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error().number, err::FileNotFound);
    EXPECT_TRUE(loaded.error().description.contains(missing));

    Result<Picture> folder = loadPicture(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.error().number, err::FileNotFound);
}

TEST_F(PictureTest, NameInAnotherCaseFindsTheFile)
{
    testsupport::writeFile(path(QStringLiteral("ICO12.cur")), cursorBytes(sampleImage(8, 8), 1, 2));
    Result<Picture> loaded = loadPicture(path(QStringLiteral("ico12.CUR")));
    ASSERT_TRUE(loaded.ok()) << loaded.error().description.toStdString();
    EXPECT_EQ(loaded.value().hotSpot(), QPoint(1, 2));
}

TEST_F(PictureTest, CacheServesRepeatsAndNoticesAnEditedFile)
{
    const QString file = path(QStringLiteral("skin.mxy"));
    // BMP sizes follow the dimensions, so the edit below changes the file size even when it
    // lands within the same modification-time tick.
    const QByteArray original = encode(sampleImage(4, 4), "bmp");
    const QByteArray changed = encode(sampleImage(9, 3), "bmp");
    ASSERT_NE(original.size(), changed.size());
    testsupport::writeFile(file, original);
    Result<Picture> first = loadPicture(file);
    Result<Picture> again = loadPicture(file);
    ASSERT_TRUE(first.ok());
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(first.value().image().cacheKey(), again.value().image().cacheKey());

    testsupport::writeFile(file, changed);
    Result<Picture> edited = loadPicture(file);
    ASSERT_TRUE(edited.ok());
    EXPECT_EQ(edited.value().image().size(), QSize(9, 3));

    // A file that became unreadable is no longer served from the cache.
    testsupport::writeFile(file, QByteArray("not a picture"));
    EXPECT_FALSE(loadPicture(file).ok());
    QFile::remove(file);
    Result<Picture> removed = loadPicture(file);
    ASSERT_FALSE(removed.ok());
    EXPECT_EQ(removed.error().number, err::FileNotFound);
}

// An edit that keeps the size and lands within the same millisecond still shows: the cache
// compares the modification time to the nanosecond.
TEST_F(PictureTest, CacheNoticesAnEditOfTheSameSizeWithinAMillisecond)
{
    const QString file = path(QStringLiteral("same.mxy"));
    QImage before = sampleImage(6, 6);
    QImage after = sampleImage(6, 6);
    after.fill(QColor(10, 200, 10));
    const QByteArray first = encode(before, "bmp");
    const QByteArray second = encode(after, "bmp");
    ASSERT_EQ(first.size(), second.size());
    const auto stampAt = [&](long nanoseconds) {
        const timespec times[2] = { { 1700000000, nanoseconds }, { 1700000000, nanoseconds } };
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
    };
    testsupport::writeFile(file, first);
    stampAt(1000);
    ASSERT_TRUE(loadPicture(file).ok());
    EXPECT_EQ(loadPicture(file).value().image().pixelColor(3, 3), QColor(200, 40, 40));
    testsupport::writeFile(file, second);
    stampAt(2000);
    const Result<Picture> edited = loadPicture(file);
    ASSERT_TRUE(edited.ok());
    EXPECT_EQ(edited.value().image().pixelColor(3, 3), QColor(10, 200, 10));
}

// Colour JPEG pictures are decoded apart from Qt's reader; every one must come out as Qt's
// reader gives it, byte for byte, whatever its size, quality, scan order or damage.
TEST_F(PictureTest, JpegPicturesDecodeAsQtsReaderDecodesThem)
{
    QImage photo(37, 23, QImage::Format_RGB32); // odd sizes meet the chroma blocks' edges
    QRandomGenerator noise(7);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 7, y * 11, int(noise.bounded(256))));
    struct Written {
        const char* name;
        int quality;
        bool progressive;
        QString text; // a comment block: Qt keeps it as the image's text
    };
    const Written cases[] = { { "low", 10, false, {} }, { "default", 75, false, {} },
        { "best", 100, false, {} }, { "progressive", 80, true, {} },
        { "commented", 75, false, QStringLiteral("step 3") } };
    QStringList files;
    for (const Written& w : cases) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(w.quality);
        writer.setProgressiveScanWrite(w.progressive);
        if (!w.text.isEmpty())
            writer.setText(QStringLiteral("Description"), w.text);
        ASSERT_TRUE(writer.write(photo)) << w.name;
        files << path(QString::fromLatin1(w.name) + QStringLiteral(".mxy"));
        testsupport::writeFile(files.last(), bytes);
    }
    // Damage inside the data that keeps the file's ending: the library warns and goes on.
    QByteArray damaged = testsupport::readFile(files[1]);
    for (int i = damaged.size() / 2; i < damaged.size() / 2 + 24; ++i)
        damaged[i] = char(0x55);
    files << path(QStringLiteral("damaged.mxy"));
    testsupport::writeFile(files.last(), damaged);
    for (const QString& name :
        QDir(QStringLiteral(KSXT_PROGRAM_DIR "/txcl")).entryList({ QStringLiteral("*.mxy") })) {
        const QString file = QStringLiteral(KSXT_PROGRAM_DIR "/txcl/") + name;
        if (QImageReader(file).format() == "jpeg")
            files << file;
    }
    ASSERT_GT(files.size(), 10) << "the sample module has its JPEG backgrounds";

    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        QImageReader qtReader(file);
        const QImage expected = qtReader.read();
        const Result<Picture> loaded = loadPicture(file);
        ASSERT_TRUE(loaded.ok());
        const QImage& image = loaded.value().image();
        ASSERT_EQ(image.format(), expected.format());
        ASSERT_EQ(image.size(), expected.size());
        EXPECT_EQ(image.dotsPerMeterX(), expected.dotsPerMeterX());
        EXPECT_EQ(image.dotsPerMeterY(), expected.dotsPerMeterY());
        EXPECT_EQ(image.textKeys(), expected.textKeys());
        EXPECT_EQ(image.colorSpace(), expected.colorSpace());
        for (int y = 0; y < image.height(); ++y)
            ASSERT_EQ(0,
                memcmp(
                    image.constScanLine(y), expected.constScanLine(y), size_t(image.width()) * 4))
                << "row " << y;
    }
}

} // namespace
