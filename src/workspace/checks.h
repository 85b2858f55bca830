#pragma once

// The practice window's judging rules as plain functions: what a release on the target area
// asks for, how a typed or selected text is compared with its answer, and which hotspot the
// hint frame goes to. FrmMain's handlers read the step record and act on these answers.

#include <QChar>
#include <QString>

#include <optional>

namespace workspace::checks {

// What a release of a mouse button on the target area does on a step.
enum class Release {
    Nothing,
    Advance, // by the target area's NextStepCode: "0" the next step, else a jump
    ContextMenu, // the step's context menu opens; choosing its right item advances
    ConfirmAnswer, // the typed answer in Text1 is compared; a match goes to the next step
};

// `stepCode` is the number of the ActionCode, `next` the target area's NextStepCode, `button`
// 1 left, 2 right, 4 middle, `shift` the modifier mask (1 Shift, 2 Ctrl, 4 Alt).
Release judgeRelease(int stepCode, QChar next, int button, int shift);

// The typed-answer rules. `answer` is the answer text as looked up (characters 4 on).
// Live comparison of Text1 ("0020" ignores case, "0025" keeps it) and of Text3.
bool liveMatch(const QString& typed, const QString& answer, bool keepCase);
// Enter in "0022", "0024", "0028": the text with only its printable ASCII characters, or the
// text as typed, against either alternative, case ignored.
bool enterMatch(const QString& typed, const QString& answer);
// Text2 ("0021"): the whole answer, "|" included, case kept.
bool wholeMatch(const QString& typed, const QString& answer);
// A "0023" selection against the whole answer (not split): the answer trimmed and lower-cased,
// the selection lower-cased as it stands, so that an answer with capitals can be selected but a
// selection with a space too many is not the answer.
bool selectionMatch(const QString& selected, const QString& answer);

// The hint frame: the hotspot (1..67) a ten-character ActionDescriptor names, or none. A number
// past the last hotspot names nothing to frame.
std::optional<int> framedHotspot(const QString& descriptor);

} // namespace workspace::checks
