#pragma once

// The answer text file (288890.mxy): the preset texts of the fields, the accepted answers, the
// hints and the list items, one per line, each line's text starting at its character 4. Every
// reader goes through here, so the look-up and the normalisation of answers exist once.

#include "platform/status.h"

#include <QString>

#include <optional>
#include <utility>

namespace stepengine {

// Line n of the answer file, whole (characters 1-3 included), or why there is none: the file
// cannot be read, has no line n (fewer lines, or n below 1), or the line is damaged (bytes that
// are not text in the code page, control characters).
plat::Result<QString> readAnswerLine(const QString& answerFile, int n);

// The line number an answer-line field of a step record names. One rule for every reader of
// such a field (presets, hints, list items and the input checks): the field is a number when it
// holds at least one of the digits "0" to "9" and nothing else but blanks, which are skipped as
// the record reader skips them. A full-width digit, another script's digit, a letter or a sign
// makes it no number, so that no reader takes a line the others would refuse.
std::optional<int> answerLineNumber(const QString& field);

// readAnswerLine for the line that a record field names; the empty text when the field is no
// number (answerLineNumber), which is no failure.
plat::Result<QString> answerLineOf(const QString& answerFile, const QString& field);

// A line's text: its characters from 4 on.
QString lineText(const QString& line);

// The accepted answer addressed by a three-digit record field, for the input checks. "000" is
// the empty answer. A field that is not a number (answerLineNumber), or a line readAnswerLine
// cannot give, gives no answer (and so no match): a failure, never another line's text.
plat::Result<QString> acceptedAnswer(const QString& answerFile, const QString& field);

// The two alternatives of an answer: the text before its first "|" and everything after it (a
// further "|" stays part of the second). Without "|" the second is absent.
std::pair<QString, std::optional<QString>> alternatives(const QString& answer);

// How typed text and answers are compared: outer spaces removed, and lower-cased unless case
// counts.
QString normalised(const QString& text, bool keepCase = false);

// Whether typed text matches either alternative of an answer.
bool matchesAnswer(const QString& typed, const QString& answer, bool keepCase = false);

// Only the printable ASCII characters of a text (codes 33 to 126), in their order: spaces,
// control characters and Chinese characters are dropped. The Enter check compares this too.
QString printableAscii(const QString& text);

} // namespace stepengine
