#pragma once

// Text, numbers and files as the system's data files need them: code page 936, CR LF lines,
// the numeric reading of record fields, 1-based substrings, atomic rewrites.

#include "platform/status.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace plat {

// Code page 936 (GBK). Invalid bytes decode to U+FFFD and never fail (a lead byte at the very
// end, as in "\x81" alone, too); characters that GBK cannot hold encode as '?'. The converter
// is Qt's ICU "GBK" (Windows' table: 0x80 is the euro sign), else "GB18030".
QString decodeGbk(const QByteArray& bytes);
QByteArray encodeGbk(const QString& text);

// Splits decoded text into lines; CR LF, CR and LF all end a line. A final line terminator
// does not start another line, and empty text gives no line.
QStringList splitLines(const QString& text);

// The file functions below take names as the system's data give them: the path goes through
// resolvePath() (paths.h), so "\" separators and names that differ in case from the files on
// disk find those files; a write to such a name rewrites the existing file.

// Reads a whole data file (GBK) into lines. A missing or unreadable file is a failure:
// err::FileNotFound for a missing file, err::PathNotFound when its folder is missing too,
// err::FileIo for anything else (a folder or device, an unreadable file). Files larger than
// maxBytes are refused (err::FileIo), so a huge file never stalls the program.
inline constexpr qint64 kMaxDataFileBytes = 64 * 1024 * 1024;
Result<QStringList> readLines(const QString& path, qint64 maxBytes = kMaxDataFileBytes);

// Rewrites a whole file atomically (temporary file, flush to disk, rename), in GBK with CR LF
// after every line. A failure leaves the old file whole. The folder is not created: a missing
// folder is err::PathNotFound; any other failure (a folder with the file's name, a full disk)
// is err::FileIo.
Status writeLines(const QString& path, const QStringList& lines);
// The bytes writeLines writes: GBK with CR LF after every line.
QByteArray encodeLines(const QStringList& lines);
Status writeFileAtomically(const QString& path, const QByteArray& bytes);

// Flushes a folder's entries to disk after a file in it was renamed or removed (best effort).
void syncFolder(const QString& folder);

// Appends one line (GBK, CR LF) to a file, creating it; for logs. Errors as for writeLines.
Status appendLine(const QString& path, const QString& line);

// The numeric reading of a record field: blanks (spaces, tabs, CR, LF) are ignored anywhere,
// then an optional sign, digits, an optional point and fraction, an optional exponent with E or
// D. "&H" followed by hex digits reads as a 16-bit value when it has at most 4 digits, else as
// a 32-bit value (so "&H8000" is -32768 and "&HC0C0C0" is 12632256). Reading stops at
// the first character that does not fit; a field that begins with any other character reads 0.
// In detail:
//   " 1 2 " -> 12, "+7" -> 7, "12abc" -> 12, "1,5" -> 1, ".5" -> 0.5, "-.5" -> -0.5,
//   "1E3" -> 1000, "1d2" -> 100, "1e-2" -> 0.01, "1E" and "1E+" -> 1 (an exponent needs digits),
//   "H0503", "", "-", ".", "E5", "$5" -> 0; the point is always "." whatever the locale.
//   "&h" is the same as "&H"; leading zeros count as digits ("&H0FFFF" is 65535); a trailing
//   "&" makes a 32-bit value ("&HFFFF&" is 65535, "&HFF&" is 255); "&H" alone or "&O17" -> 0.
//   A value too large for a double reads as +-infinity ("1E400"), one too small as 0, and hex
//   needing more than 32 bits reads as its positive value; the integer conversions below refuse
//   all of these with err::Overflow, so an out-of-range field is a reported failure, never a
//   wrapped number.
double val(const QString& field);

// Rounds half to even into a 16-bit signed integer ("2.5" -> 2, "3.5" -> 4, "-2.5" -> -2); a
// value outside -32768..32767 after rounding (32767.5 rounds to 32768), infinity or NaN is an
// overflow failure (err::Overflow).
Result<int16_t> toInt16(double value);
// The same into 32 bits.
Result<int32_t> toInt32(double value);
// val() then toInt16(): the common reading of a numeric record field.
Result<int16_t> valInt16(const QString& field);

// 1-based substring that is safe past either end: mid("abc", 3, 5) == "c", mid("abc", 9, 1) == "".
// A start below 1 is treated as 1 (no caller passes one on purpose, so it is no failure).
// A length below 1 gives "" (so do left() and right()); lengths count UTF-16 units.
QString mid(const QString& s, int start, int length);
QString mid(const QString& s, int start); // to the end
QString left(const QString& s, int length);
QString right(const QString& s, int length);

// A number in at least two digits, "07" for 7: how record and data file names and question ids
// write their two-digit parts.
QString twoDigits(int n);

// Removes leading and trailing spaces (U+0020) only: the data files pad with plain spaces, and
// any other blank (a tab, a full-width space) is part of the text.
QString trimSpaces(const QString& s);

} // namespace plat
