#include "shell/numerictext.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    const char* name;
    QString line;
    QString text;
    int failures;
};

// "啊" is B0 A1 in GBK: code 45217, or -20319 in its signed form.
const QString ah = QStringLiteral("啊");

TEST(NumericTextEncoding, DecodesGroupsAsTheFilesWriteThem)
{
    const DecodeCase cases[] = {
        { "empty line", QString(), QString(), 0 },
        { "000000 is padding", QStringLiteral("000000200065"), QStringLiteral("A"), 0 },
        { "200000 is the character of code 0", QStringLiteral("200000"), QString(QChar(0)), 0 },
        { "500000 is code 300000, out of range", QStringLiteral("500000200066"),
            QStringLiteral("B"), 1 },
        { "both forms of a byte", QStringLiteral("200072500105"), QStringLiteral("Hi"), 0 },
        { "GBK character, 500000 form", QStringLiteral("545217"), ah, 0 },
        { "GBK character, 200000 form", QStringLiteral("245217"), ah, 0 },
        { "GBK character, signed form", QStringLiteral("179681"), ah, 0 },
        { "13 characters: a last digit is far below the range", QStringLiteral("2000655452177"),
            QStringLiteral("A") + ah, 1 },
        { "13 characters: a last 0 is padding", QStringLiteral("2000655452170"),
            QStringLiteral("A") + ah, 0 },
        { "reading stops at a letter: 12a456 is 12", QStringLiteral("12a456200065"),
            QStringLiteral("A"), 1 },
        { "above 65535", QStringLiteral("565536200065"), QStringLiteral("A"), 1 },
        { "lowest signed code -32768 is 0x8000, no GBK character", QStringLiteral("167232"),
            QString(), 1 },
        { "below -32768", QStringLiteral("167231"), QString(), 1 },
        { "two ASCII bytes are not one character", QStringLiteral("216706"), QString(), 1 },
        { "a group that is not a number reads 0", QStringLiteral("abcdef-20006"), QString(), 0 },
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const shell::DecodedText decoded = shell::decodeNumericText(c.line);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(int(decoded.failures.size()), c.failures);
        for (const plat::Error& failure : decoded.failures)
            EXPECT_EQ(failure.number, shell::kInvalidCharacterCode);
    }
}

} // namespace
