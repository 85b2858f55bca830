#pragma once

// Text, numbers and files as the system's data files need them: code page 936, CR LF lines,
// the numeric reading of record fields, 1-based substrings, atomic rewrites.

#include "platform/status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace plat {

// Code page 936 (GBK). Invalid bytes decode to U+FFFD and never fail; characters that GBK
// cannot hold encode as '?'.
QString decodeGbk(const QByteArray& bytes);
QByteArray encodeGbk(const QString& text);

// Splits decoded text into lines; CR LF, CR and LF all end a line. A final line terminator
// does not start another line, and empty text gives no line.
QStringList splitLines(const QString& text);

// Reads a whole data file (GBK) into lines. A missing or unreadable file is a failure.
// Files larger than maxBytes are refused (a failure), so a huge file never stalls the program.
inline constexpr qint64 kMaxDataFileBytes = 64 * 1024 * 1024;
Result<QStringList> readLines(const QString& path, qint64 maxBytes = kMaxDataFileBytes);

// Rewrites a whole file atomically (temporary file, flush to disk, rename), in GBK with CR LF
// after every line. A failure leaves the old file whole.
Status writeLines(const QString& path, const QStringList& lines);
Status writeFileAtomically(const QString& path, const QByteArray& bytes);

// Appends one line (GBK, CR LF) to a file, creating it; for logs.
Status appendLine(const QString& path, const QString& line);

// The numeric reading of a record field: blanks (spaces, tabs, CR, LF) are ignored anywhere,
// then an optional sign, digits, an optional point and fraction, an optional exponent with E or
// D. "&H" followed by hex digits reads as a 16-bit value when it has at most 4 digits, else as
// a 32-bit value (so "&H8000" is -32768 and "&HC0C0C0" is 12632256). Reading stops at
// the first character that does not fit; a field that begins with any other character reads 0.
double val(const QString& field);

// Rounds half to even into a 16-bit signed integer; a value outside -32768..32767 is an
// overflow failure.
Result<int16_t> toInt16(double value);
// The same into 32 bits.
Result<int32_t> toInt32(double value);
// val() then toInt16(): the common reading of a numeric record field.
Result<int16_t> valInt16(const QString& field);

// 1-based substring that is safe past either end: mid("abc", 3, 5) == "c", mid("abc", 9, 1) == "".
// A start below 1 is treated as 1 (the original would fail; callers never rely on that).
QString mid(const QString& s, int start, int length);
QString mid(const QString& s, int start); // to the end
QString left(const QString& s, int length);
QString right(const QString& s, int length);

// Removes leading and trailing spaces (U+0020) only, like the original's Trim.
QString trimSpaces(const QString& s);

} // namespace plat
