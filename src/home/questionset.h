#pragma once

// Question sets: a string of question ids becomes a numbered pair of step and question files
// (a question slot) copied from the units' own files, and the first-step table of a slot's
// question file tells where each question's steps begin.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace home {

// Most questions one set holds (the per-question tables have 500 entries).
inline constexpr int kMaxSetQuestions = 500;

// The step count of a question line: its characters 5 and 6 as a decimal number; blanks are
// ignored, reading stops at the first other character that is not a digit, no digit gives 0.
int questionStepCount(const QString& questionLine);

// The first-step table of a question file's lines: entry 0 is 1 (question 1 starts on step line
// 1) and entry q the line after question q's steps. The scan stops at the first blank line and
// after 499 questions, so the table has at most 500 entries.
QList<int> firstStepLines(const QStringList& questionLines);

// The lines of a file as bytes, split at CR LF, CR or LF, so a copy keeps every byte.
QList<QByteArray> byteLines(const QByteArray& bytes);

// A built slot, before it is written.
struct BuiltSlot {
    QByteArray questionFile; // one line per question, CR LF after each
    QByteArray stepFile; // the step lines of those questions in the same order
    QStringList ids; // the ids built, in order (4-digit texts)
    QStringList rejected; // "id: why" for every id that was skipped
};

// Builds a slot from `ids` (4-digit ids one after the other) out of the unit files in the data
// folder `dataDir` (ending in a separator): for every whole id whose unit is 0..19, whose
// question is 1..99 and whose question line and every step line exist, the question's line and
// its step lines, byte for byte. Other ids are skipped and listed in `rejected`, a tail shorter
// than an id too; at most 500 questions are built.
BuiltSlot buildSlot(const QString& dataDir, const QString& ids);

} // namespace home
