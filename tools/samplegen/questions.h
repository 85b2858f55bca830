#pragma once

#include "steprecord.h"

#include <QHash>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <vector>

namespace samplegen {

struct Question {
    QString text;
    std::vector<StepRecord> steps;
};

struct Unit {
    QString name;
    std::vector<Question> questions;
};

// Lines of the answer text file; equal texts share one line. A line's text starts at its
// character 4, so each line carries its own three-digit number in front.
class AnswerTable {
public:
    int line(const QString& text);
    int count() const { return static_cast<int>(texts_.size()); }
    QStringList fileLines() const;
    QString text(int line) const { return texts_.value(line - 1); }

private:
    QStringList texts_;
    QHash<QString, int> lines_;
};

std::vector<Unit> buildUnits(AnswerTable& answers);

// The hint label as the practice window shows it for a step of type `code` whose hint line
// holds `hint`: a text step wraps the hint in its prompt, and the label sizes itself to the
// caption in bold 11-point 宋体. The rectangle is in window pixels.
QString hintCaption(const QString& code, const QString& hint);
QRect hintLabelRect(const QString& caption, QPoint place);

// The push buttons, in window pixels, of the dialogs on screen at `steps[at]`: the pictures
// its image groups show, with those an earlier step of the question shows and it keeps.
std::vector<QRect> dialogButtonsShown(const std::vector<StepRecord>& steps, size_t at);

// What the hint label of a step must leave free, in window pixels: the chrome panels (menu
// bar, options bar, toolbox), the drop-downs the step's path opens and the question panel,
// which all stand over the label, every area the step itself needs (target area, second area,
// entry field, back button) and the `buttons` of the dialogs on screen. The label must also
// lie inside the window. The generator places every hint by this rule and the validator
// checks it by the same.
struct HintObstacle {
    QRect rect;
    const char* what; // for the validator's message
};
std::vector<HintObstacle> hintObstacles(
    const StepRecord& r, const std::vector<QRect>& buttons = {});
// Empty when the label at `label` lies inside the window and clear of every obstacle of `r`,
// else what it runs into.
QString hintPlaceFault(
    const StepRecord& r, const QRect& label, const std::vector<QRect>& buttons = {});

} // namespace samplegen
