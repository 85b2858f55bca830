#pragma once

#include "steprecord.h"

#include <QHash>
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

} // namespace samplegen
