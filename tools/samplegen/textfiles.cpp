#include "textfiles.h"

#include "platform/text.h"
#include "shell/numerictext.h"

#include <stdexcept>

namespace samplegen {

QByteArray encodeGbk(const QString& text)
{
    const QByteArray bytes = plat::encodeGbk(text);
    // The encoder writes '?' for what it cannot carry; a round trip catches that.
    if (plat::decodeGbk(bytes) != text)
        throw std::runtime_error("text has no code page 936 form: " + text.toStdString());
    return bytes;
}

QByteArray gbkLines(const QStringList& lines)
{
    // Checked line by line first, so a failure names the line that cannot be written.
    for (const QString& line : lines)
        encodeGbk(line);
    return plat::encodeLines(lines);
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
    shell::DecodedText decoded = shell::decodeNumericText(line);
    if (!decoded.failures.empty())
        throw std::runtime_error("numeric text does not read: " + line.toStdString() + " ("
            + decoded.failures.front().description.toStdString() + ")");
    return decoded.text;
}

} // namespace samplegen
