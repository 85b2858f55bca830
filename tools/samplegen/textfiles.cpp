#include "textfiles.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <stdexcept>

namespace samplegen {

QByteArray encodeGbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        throw std::runtime_error("text has no code page 936 form: " + text.toStdString());
    // The encoder substitutes '?' silently for some characters; a round trip catches that.
    bool ok = false;
    if (decodeGbk(bytes, &ok) != text || !ok)
        throw std::runtime_error("text does not survive code page 936: " + text.toStdString());
    return bytes;
}

QString decodeGbk(const QByteArray& bytes, bool* ok)
{
    QStringDecoder decoder("GBK");
    QString text = decoder.decode(bytes);
    if (ok)
        *ok = !decoder.hasError();
    return text;
}

QByteArray gbkLines(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += encodeGbk(line);
        out += "\r\n";
    }
    return out;
}

QString encodeNumericText(const QString& text)
{
    QString out;
    for (const QChar ch : text) {
        const QByteArray bytes = encodeGbk(QString(ch));
        int code = 0;
        int base = 0;
        if (bytes.size() == 1) {
            code = static_cast<unsigned char>(bytes[0]);
            base = 200000;
        } else if (bytes.size() == 2) {
            code
                = static_cast<unsigned char>(bytes[0]) * 256 + static_cast<unsigned char>(bytes[1]);
            base = 500000;
        } else {
            throw std::runtime_error("character is not one or two bytes in code page 936");
        }
        if (code == 0)
            throw std::runtime_error("the numeric text encoding cannot carry a NUL character");
        out += QString::number(base + code);
    }
    return out;
}

QString decodeNumericText(const QString& line)
{
    QByteArray bytes;
    for (qsizetype start = 0; start < line.size(); start += 6) {
        const QString group = line.mid(start, 6);
        qint64 value = 0;
        bool any = false;
        for (const QChar ch : group) {
            if (ch == u' ' || ch == u'\t')
                continue;
            if (!ch.isDigit())
                break;
            value = value * 10 + ch.digitValue();
            any = true;
        }
        if (!any || value == 0)
            continue;
        qint64 code = value > 500000 ? value - 500000 : value - 200000;
        if (code < -32768 || code > 65535)
            throw std::runtime_error("numeric text group out of range: " + group.toStdString());
        if (code < 0)
            code += 65536;
        if (code > 255)
            bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xff);
    }
    return decodeGbk(bytes);
}

} // namespace samplegen
