#pragma once

// The numeric text encoding of ver.txt and the vendor file: every character is written as a
// group of six decimal digits, so the files hold only digits whatever the characters are.

#include "platform/status.h"

#include <QString>

#include <vector>

namespace shell {

// A character code that does not give a character (out of range, or two bytes that are not a
// character of code page 936): reported as an invalid procedure call
// (err::InvalidProcedureCall), since the code was a bad argument to the conversion.
inline constexpr int kInvalidCharacterCode = 5;

struct DecodedText {
    QString text {};
    std::vector<plat::Error> failures {}; // one per group that gave nothing because it was invalid
};

// Decodes one line of the numeric text encoding (NumericTextEncoding).
//
// The line is cut into groups of 6 characters from its start (the last group may be shorter).
// Each group is read as a decimal number v: spaces and tabs are ignored, reading stops at the
// first character that is not a digit, and a group that does not begin with a digit reads 0.
//   v = 0           the group gives nothing (padding), and is not a failure;
//   v > 500000      code k = v - 500000;
//   otherwise       code k = v - 200000.
// k from -32768 to -1 stands for k + 65536. k from 0 to 255 is one byte, k from 256 to 65535 the
// two bytes hi = k / 256, lo = k % 256 of a double-byte character; the bytes are read as code
// page 936 (GBK). Any other k, and two bytes that do not form one GBK character, give nothing
// and add a failure; decoding goes on with the next group. A group never gives more than one
// character.
//
// Contract for an encoder: write each character c of the text, taken as its GBK bytes (one byte
// b: k = b; two bytes hi, lo: k = hi * 256 + lo), as the six digits of 200000 + k, or of
// 500000 + k when k >= 1; a double-byte k may also be written as 200000 + k - 65536 (the signed
// form). Then decodeNumericText(encode(s)).text == s with no failures for every text s whose
// characters GBK holds, NUL (k = 0, "200000") included.
DecodedText decodeNumericText(const QString& line);

} // namespace shell
