#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace samplegen {

// The program's own code page 936 coding and line files (platform/text.h), held strictly: a
// character code page 936 cannot carry throws std::runtime_error here, where the program would
// write '?' and the module would silently say something else.
QByteArray encodeGbk(const QString& text);
QByteArray gbkLines(const QStringList& lines);

// The numeric text encoding of ver.txt and the vendor file: every character becomes a
// six-digit group. Single-byte characters use the 200000 base and double-byte characters
// the 500000 base, so both branches of the reader see real data.
QString encodeNumericText(const QString& text);
// The program's reader of that encoding; a group it cannot read throws.
QString decodeNumericText(const QString& line);

} // namespace samplegen
