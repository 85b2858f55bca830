#include "platform/text.h"

#include "platform/paths.h"
#include "platform/rounding.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtGlobal>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace plat {

namespace {

    // Code page 936 -------------------------------------------------------------------------------

    // The converter name for code page 936: Qt's ICU converter "GBK" (ICU's windows-936 table,
    // which also maps 0x80 to the euro sign like Windows does), else its superset "GB18030".
    // Null when this Qt has no ICU; decoding and encoding then fall back to Latin-1 so nothing
    // crashes (the text is wrong, and a warning says why).
    const char* gbkCodecName()
    {
        static const char* const name = []() -> const char* {
            for (const char* candidate : { "GBK", "GB18030" }) {
                if (QStringDecoder(candidate).isValid() && QStringEncoder(candidate).isValid())
                    return candidate;
            }
            qWarning("plat: no GBK or GB18030 converter in this Qt (built without ICU?); "
                     "data files are read as Latin-1");
            return nullptr;
        }();
        return name;
    }

    // Failures ----------------------------------------------------------------------------------

    // Descriptions start with the usual text for the number, then say which file, so a run-log
    // entry tells what failed and where.
    Error fileError(int number, const QString& path, const QString& detail = {})
    {
        const char* text = "Device I/O error";
        switch (number) {
        case err::FileNotFound:
            text = "File not found";
            break;
        case err::PathNotFound:
            text = "Path not found";
            break;
        default:
            break;
        }
        QString description = QStringLiteral("%1: %2").arg(QLatin1String(text), path);
        if (!detail.isEmpty())
            description += QStringLiteral(" (%1)").arg(detail);
        return Error { number, description };
    }

    Error overflowError(double value)
    {
        return Error { err::Overflow, QStringLiteral("Overflow: %1").arg(value, 0, 'g', 17) };
    }

    // Paths -------------------------------------------------------------------------------------

    QString parentOf(const QString& nativePath) { return QFileInfo(nativePath).path(); }

    // The file a write goes to: an existing file found as resolvePath() finds it (so a name that
    // differs in case rewrites that file instead of creating a second one), else the name in the
    // folder found that way. A missing folder is err::PathNotFound.
    Result<QString> writeTarget(const QString& path)
    {
        const QString resolved = resolvePath(path);
        if (QFileInfo::exists(resolved))
            return resolved;
        const QString native = toNativeSeparators(path);
        const qsizetype slash = native.lastIndexOf(QLatin1Char('/'));
        if (slash < 0) // a bare name: the current folder, which exists
            return native;
        const QString name = native.mid(slash + 1);
        QString folder = slash == 0 ? QStringLiteral("/") : resolvePath(native.left(slash));
        if (!QFileInfo(folder).isDir())
            return fileError(err::PathNotFound, native);
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        return folder + name;
    }

    // Numbers -----------------------------------------------------------------------------------

    // Walks a field the way Val reads it: blanks are skipped wherever they are.
    class FieldReader {
    public:
        explicit FieldReader(const QString& s)
            : s_(s)
        {
        }
        // The next character that is not a blank, or 0 at the end.
        char16_t peek()
        {
            skipBlanks();
            return i_ < s_.size() ? s_.at(i_).unicode() : u'\0';
        }
        void next()
        {
            skipBlanks();
            ++i_;
        }
        qsizetype position() const { return i_; }
        void rewind(qsizetype position) { i_ = position; }

    private:
        void skipBlanks()
        {
            while (i_ < s_.size()) {
                const char16_t c = s_.at(i_).unicode();
                if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
                    break;
                ++i_;
            }
        }

        const QString& s_;
        qsizetype i_ = 0;
    };

    bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

    int hexDigit(char16_t c)
    {
        if (c >= u'0' && c <= u'9')
            return c - u'0';
        if (c >= u'a' && c <= u'f')
            return c - u'a' + 10;
        if (c >= u'A' && c <= u'F')
            return c - u'A' + 10;
        return -1;
    }

    // "&H" has been read. Up to 4 digits is a 16-bit value, 5 to 8 (or a trailing "&") a 32-bit
    // value; a value needing more than 32 bits reads as its plain positive value, which no
    // integer conversion accepts (so the field fails with an overflow, never wraps).
    double readHex(FieldReader& in)
    {
        int digits = 0;
        int significant = 0;
        quint64 value = 0;
        double big = 0; // the value when it needs more than 64 bits
        for (int d = hexDigit(in.peek()); d >= 0; d = hexDigit(in.peek())) {
            in.next();
            ++digits;
            if (significant > 0 || d != 0)
                ++significant;
            if (significant <= 16)
                value = value * 16 + quint64(d);
            big = big * 16 + d;
        }
        if (digits == 0)
            return 0;
        const bool longSuffix = in.peek() == u'&';
        if (significant > 8)
            return significant <= 16 ? double(value) : big;
        if (digits <= 4 && !longSuffix)
            return double(int16_t(uint16_t(value)));
        return double(int32_t(uint32_t(value)));
    }

    // A decimal number; `in` is at its first character.
    double readDecimal(FieldReader& in)
    {
        bool negative = false;
        if (in.peek() == u'+') {
            in.next();
        } else if (in.peek() == u'-') {
            negative = true;
            in.next();
        }
        std::string integerDigits;
        std::string fractionDigits;
        while (isDigit(in.peek())) {
            integerDigits += char(in.peek());
            in.next();
        }
        if (in.peek() == u'.') {
            in.next();
            while (isDigit(in.peek())) {
                fractionDigits += char(in.peek());
                in.next();
            }
        }
        if (integerDigits.empty() && fractionDigits.empty())
            return 0;

        // An exponent only counts when it has digits: "1E" and "1E+" read 1.
        constexpr qint64 kExponentLimit = 1'000'000'000'000; // far past any double
        qint64 exponent = 0;
        const char16_t e = in.peek();
        if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
            const qsizetype mark = in.position();
            in.next();
            bool exponentNegative = false;
            if (in.peek() == u'+') {
                in.next();
            } else if (in.peek() == u'-') {
                exponentNegative = true;
                in.next();
            }
            if (!isDigit(in.peek())) {
                in.rewind(mark);
            } else {
                while (isDigit(in.peek())) {
                    exponent = std::min(kExponentLimit, exponent * 10 + (in.peek() - u'0'));
                    in.next();
                }
                if (exponentNegative)
                    exponent = -exponent;
            }
        }

        std::string text = integerDigits.empty() ? std::string("0") : integerDigits;
        if (!fractionDigits.empty())
            text += '.' + fractionDigits;
        if (exponent != 0)
            text += 'e' + std::to_string(exponent);

        double value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        Q_UNUSED(end);
        if (ec == std::errc::result_out_of_range) {
            // Too large or too small for a double: decide by the decimal magnitude.
            const auto firstInteger = integerDigits.find_first_not_of('0');
            qint64 magnitude = exponent;
            if (firstInteger != std::string::npos) {
                magnitude += qint64(integerDigits.size() - firstInteger);
            } else {
                const auto firstFraction = fractionDigits.find_first_not_of('0');
                magnitude -= qint64(
                    firstFraction == std::string::npos ? fractionDigits.size() : firstFraction);
            }
            value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        } else if (ec != std::errc()) {
            value = 0;
        }
        if (value == 0)
            return 0; // never -0
        return negative ? -value : value;
    }

    template <class Int> Result<Int> toInteger(double value)
    {
        if (!std::isfinite(value))
            return overflowError(value);
        const double rounded = roundHalfEven(value);
        if (rounded < double(std::numeric_limits<Int>::min())
            || rounded > double(std::numeric_limits<Int>::max()))
            return overflowError(value);
        return Int(rounded);
    }

} // namespace

// Code page 936 -------------------------------------------------------------------------------

QString decodeGbk(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    const char* codec = gbkCodecName();
    if (!codec)
        return QString::fromLatin1(bytes);
    // A stateful decoder keeps a lead byte at the very end waiting for its trail byte (and
    // would drop it silently). A line feed can never be a trail byte, so feeding one makes the
    // decoder give the waiting byte up as U+FFFD; the line feed itself is then taken off.
    QStringDecoder decoder(codec);
    QString text = decoder.decode(bytes);
    QString tail = decoder.decode(QByteArrayView("\n", 1));
    if (tail.endsWith(QLatin1Char('\n')))
        tail.chop(1);
    text += tail;
    return text;
}

QByteArray encodeGbk(const QString& text)
{
    if (text.isEmpty())
        return {};
    const char* codec = gbkCodecName();
    if (!codec)
        return text.toLatin1();
    // As in decodeGbk(): a high surrogate at the very end would wait for its low half and be
    // dropped; a line feed after it makes the encoder give it up as '?'.
    QStringEncoder encoder(codec);
    QByteArray bytes = encoder.encode(text);
    QByteArray tail = encoder.encode(QStringView(u"\n"));
    if (tail.endsWith('\n'))
        tail.chop(1);
    bytes += tail;
    return bytes;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            ++i;
            if (c == QLatin1Char('\r') && i < n && text.at(i) == QLatin1Char('\n'))
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// Files -------------------------------------------------------------------------------------

// After a rename or a removal the folder entry itself has to reach the disk for the change to
// survive a power cut; QSaveFile syncs the file but not the folder. Best effort.
void syncFolder(const QString& folder)
{
    const int fd
        = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

Result<QStringList> readLines(const QString& path, qint64 maxBytes)
{
    const QString file = resolvePath(path);
    const QFileInfo info(file);
    if (!info.exists()) {
        const QString folder = parentOf(file);
        return fileError(QFileInfo(folder).isDir() ? err::FileNotFound : err::PathNotFound, file);
    }
    // Folders, devices and pipes are not data files (a pipe would also block the program).
    if (!info.isFile())
        return fileError(err::FileIo, file, QStringLiteral("not a regular file"));

    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return fileError(err::FileIo, file, f.errorString());
    const qint64 size = f.size();
    if (size > maxBytes)
        return fileError(err::FileIo, file,
            QStringLiteral("%1 bytes, more than the %2 a data file may have")
                .arg(size)
                .arg(maxBytes));

    // Read in pieces up to the limit, in case the file grows while it is read.
    QByteArray bytes;
    bytes.reserve(qMax<qint64>(size, 0));
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = f.read(chunk, sizeof chunk);
        if (got < 0)
            return fileError(err::FileIo, file, f.errorString());
        if (got == 0)
            break;
        bytes.append(chunk, got);
        if (bytes.size() > maxBytes)
            return fileError(err::FileIo, file,
                QStringLiteral("more than the %1 bytes a data file may have").arg(maxBytes));
    }
    return splitLines(decodeGbk(bytes));
}

QByteArray encodeLines(const QStringList& lines)
{
    QString text;
    if (!lines.isEmpty())
        text = lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    return encodeGbk(text);
}

Status writeLines(const QString& path, const QStringList& lines)
{
    return writeFileAtomically(path, encodeLines(lines));
}

Status writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    const Result<QString> target = writeTarget(path);
    if (!target)
        return target.status();
    const QString& file = target.value();
    if (QFileInfo(file).isDir())
        return fileError(err::FileIo, file, QStringLiteral("a folder has that name"));

    // QSaveFile writes a temporary file beside the target, syncs it to disk on commit and only
    // then renames it over the target; any failure removes the temporary file.
    // Unbuffered: a buffered QSaveFile flushes at commit, where a short write (a full disk)
    // goes unnoticed and the truncated file would replace the old one.
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fileError(err::FileIo, file, f.errorString());
    if (f.write(bytes) != bytes.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return fileError(err::FileIo, file, why);
    }
    if (!f.commit())
        return fileError(err::FileIo, file, f.errorString());
    syncFolder(parentOf(file));
    return {};
}

Status appendLine(const QString& path, const QString& line)
{
    const Result<QString> target = writeTarget(path);
    if (!target)
        return target.status();
    const QString& file = target.value();
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return fileError(err::FileIo, file, f.errorString());
    const QByteArray bytes = encodeGbk(line) + QByteArrayLiteral("\r\n");
    // One write, so lines appended by two programs do not interleave.
    if (f.write(bytes) != bytes.size() || !f.flush())
        return fileError(err::FileIo, file, f.errorString());
    f.close();
    return {};
}

// Numbers -----------------------------------------------------------------------------------

double val(const QString& field)
{
    FieldReader in(field);
    const char16_t first = in.peek();
    if (first == u'&') {
        in.next();
        const char16_t h = in.peek();
        if (h != u'H' && h != u'h')
            return 0;
        in.next();
        return readHex(in);
    }
    if (first == u'+' || first == u'-' || first == u'.' || isDigit(first))
        return readDecimal(in);
    return 0;
}

Result<int16_t> toInt16(double value) { return toInteger<int16_t>(value); }

Result<int32_t> toInt32(double value) { return toInteger<int32_t>(value); }

Result<int16_t> valInt16(const QString& field) { return toInt16(val(field)); }

// Substrings --------------------------------------------------------------------------------

QString mid(const QString& s, int start, int length)
{
    if (length <= 0)
        return {};
    const qsizetype from = qsizetype(qMax(start, 1)) - 1;
    if (from >= s.size())
        return {};
    return s.mid(from, qMin<qsizetype>(length, s.size() - from));
}

QString mid(const QString& s, int start)
{
    const qsizetype from = qsizetype(qMax(start, 1)) - 1;
    if (from >= s.size())
        return {};
    return s.mid(from);
}

QString left(const QString& s, int length)
{
    if (length <= 0)
        return {};
    return s.left(qMin<qsizetype>(length, s.size()));
}

QString right(const QString& s, int length)
{
    if (length <= 0)
        return {};
    return s.right(qMin<qsizetype>(length, s.size()));
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

QString trimSpaces(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && s.at(end - 1) == QLatin1Char(' '))
        --end;
    if (begin == 0 && end == s.size())
        return s;
    return s.mid(begin, end - begin);
}

} // namespace plat
