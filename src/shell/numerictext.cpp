#include "shell/numerictext.h"

#include "platform/text.h"

namespace shell {

namespace {

    constexpr int kGroupLength = 6;

    // The leading decimal number of a group; blanks anywhere are skipped. At most six digits, so
    // it always fits.
    int groupValue(QStringView group)
    {
        int value = 0;
        for (const QChar c : group) {
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
                continue;
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                break;
            value = value * 10 + (c.unicode() - '0');
        }
        return value;
    }

    plat::Error invalidCode(int code)
    {
        return { kInvalidCharacterCode,
            QStringLiteral("Invalid character code %1 in encoded text").arg(code) };
    }

} // namespace

DecodedText decodeNumericText(const QString& line)
{
    DecodedText out;
    for (qsizetype start = 0; start < line.size(); start += kGroupLength) {
        const int v = groupValue(QStringView(line).mid(start, kGroupLength));
        if (v == 0)
            continue;
        int code = v > 500000 ? v - 500000 : v - 200000;
        if (code < -32768 || code > 65535) {
            out.failures.push_back(invalidCode(code));
            continue;
        }
        if (code < 0)
            code += 65536;
        if (code == 0) {
            out.text.append(QChar(0));
            continue;
        }
        QByteArray bytes;
        if (code > 255)
            bytes.append(char(code >> 8));
        bytes.append(char(code & 0xFF));
        const QString character = plat::decodeGbk(bytes);
        if (character.size() != 1 || character.at(0) == QChar::ReplacementCharacter) {
            out.failures.push_back(invalidCode(code));
            continue;
        }
        out.text.append(character);
    }
    return out;
}

} // namespace shell
