#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace samplegen {

// The program reads every data file as code page 936 text with CR LF line ends.
// Throws std::runtime_error when a character has no code page 936 form.
QByteArray encodeGbk(const QString& text);
QString decodeGbk(const QByteArray& bytes, bool* ok = nullptr);
QByteArray gbkLines(const QStringList& lines);

// The numeric text encoding of ver.txt and the vendor file: every character becomes a
// six-digit group. Single-byte characters use the 200000 base and double-byte characters
// the 500000 base, so both branches of the reader see real data.
QString encodeNumericText(const QString& text);
// Reader used only to prove that what was encoded reads back unchanged.
QString decodeNumericText(const QString& line);

} // namespace samplegen
