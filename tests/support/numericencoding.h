#pragma once

// Test-side encoder of the program's numeric text encoding (the program itself only decodes).
// Alternates the 200000 and 500000 forms so that both are read.

#include "platform/text.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

inline QString encodeNumericLine(const QString& text)
{
    QString out;
    int i = 0;
    for (const QChar c : text) {
        const QByteArray b = plat::encodeGbk(QString(c));
        const int k = b.size() == 1 ? uchar(b[0]) : uchar(b[0]) * 256 + uchar(b[1]);
        out += QString::number((i++ % 2 == 0 || k == 0) ? 200000 + k : 500000 + k);
    }
    return out;
}

inline QByteArray encodeNumericFile(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encodeNumericLine(line).toLatin1() + "\r\n";
    return bytes;
}

} // namespace testsupport
