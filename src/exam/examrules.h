#pragma once

// The rules of the mock examination, free of windows: the login's candidate data and its field
// filter, the progress bar, the countdown's minute tick, the hand-in warning and the score
// sheet's arithmetic. The windows of this folder apply them.

#include "core/appstate.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace exam {

// Paper size: every mock and random paper has 40 questions at 2.5 points each.
using shell::kPaperQuestions;

// ---- login ---------------------------------------------------------------------------------

// The identity-card number pre-filled in the login field, and the one that completes a short
// entry (a different, equally plausible number).
inline const QString kIdCardPrefill = QStringLiteral("110108199003074518");
inline const QString kIdCardFiller = QStringLiteral("320102198511206735");
inline constexpr int kSeatFieldLength = 3;
inline constexpr int kIdCardLength = 18;

// Seat number: the last two characters of "00" & the trimmed entry ("" -> "00", "7" -> "07",
// "123" -> "23").
QString seatNumber(const QString& typed);
// Identity-card number: the last 18 characters of the filler number & the trimmed entry.
QString idCardNumber(const QString& typed);

// The identity-card field accepts digits, and "X" or "x" only as its 18th character (the check
// digit); at most 18 characters. Applied to the whole text after every change, so typed, pasted
// and composed text pass the same filter.
QString filterIdCard(const QString& text);

// The progress bar of the confirmation page: starts at 255 twips, grows 1500 x ScaleX a tick and
// is full once wider than its track (10335 x ScaleX).
inline constexpr double kProgressStart = 255;
inline constexpr double kProgressStep = 1500;
inline constexpr double kProgressTrack = 10335;
// The tick (from 1) on which the bar first exceeds the track.
int progressFullTick(double scaleX);

// ---- countdown -----------------------------------------------------------------------------

// What one minute tick of the examination clock does. Unless it stops, the panel's clock shows
// the minutes before the tick.
struct CountdownTick {
    bool stop = false; // not a paper: the timer switches itself off, nothing else changes
    int16_t minutesLeft = 0; // after this tick
    bool timeUp = false; // this tick reached zero: the paper is handed in
};
CountdownTick countdownTick(int16_t studyMode, int16_t minutesLeft);

// ---- hand-in -------------------------------------------------------------------------------

// A question is still open when it was never shown (an even state) or is flagged (3 or 7).
bool questionOpen(int16_t state);
// The first hand-in dialog's text: a warning line when any of the 40 questions is open.
QString handInPrompt(const shell::PerQuestion<int16_t>& states);
inline const QString kFinalHandInPrompt
    = QStringLiteral("按“交卷”后您将退出本场考试，并且不能重新登录!\r\n\r\n是否确定交卷?");

// ---- score sheet ---------------------------------------------------------------------------

// The outcome of a handed-in paper.
struct PaperResult {
    double score = 0; // 2.5 per completed question
    std::array<bool, kPaperQuestions + 1> done {}; // 1..40
};
PaperResult scorePaper(const shell::PerQuestion<int16_t>& states);

// The paper's id line as the score sheet uses it: the line read from the paper or random-paper
// file when it holds 40 four-digit ids, else the exercise's own ids (the line can only be wrong
// when the file changed after the paper was started); a missing exercise id stays blank.
QString paperIdLine(const QString& fileLine, const shell::PerQuestion<QString>& exerciseIds);
bool isPaperLine(const QString& line);

// "第" & (SetNo + 1) & "套得分：" & score & "分", or "随机题得分：" & score & "分" for a random
// paper.
QString scoreCaption(int16_t studyMode, int16_t setNo, double score);

// A question's display text from its line of a question file: from character 7, or from
// character 20 when that text begins with "picture".
QString questionText(const QString& line);

} // namespace exam
