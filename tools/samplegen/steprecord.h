#pragma once

#include "stepengine/steprecord.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

namespace samplegen {

// The step line's fields are the program's own table (stepengine/steprecord.h).
using stepengine::Field;
using stepengine::kHidePicture;
using stepengine::kImageGroups;
using stepengine::kKeepPicture;
using stepengine::kStepRecordLength;
namespace fields = stepengine::field;
// "characters 66-70", for messages about a field.
QString describe(const Field& field);

// The menu path an "H" descriptor names: its hotspot, first-level item and second-level item
// (0: none), read from characters 2-3, 4-5 and 6-7 as they stand (not all digits: 0).
struct MenuPath {
    int hotspot = 0;
    int item = 0;
    int sub = 0;
};
MenuPath menuPathOf(const QString& descriptor);

// One step line. A fresh record asks for nothing: no areas, no text box, no hint, every
// picture kept, all three panels with the two-column toolbox.
class StepRecord {
public:
    StepRecord();
    explicit StepRecord(const QString& line);

    void set(const Field& field, const QString& value);
    void setNumber(const Field& field, int value);
    QString get(const Field& field) const;
    int number(const Field& field) const; // digits only; -1 when the field is not all digits
    const QString& text() const { return line_; }

    // Small typed helpers over the fields above.
    StepRecord& action(const QString& code);
    StepRecord& background(const QString& picture);
    StepRecord& image(int index, const QString& picture, QPoint posPx, QChar next = u'0');
    StepRecord& hideImage(int index);
    StepRecord& target(const QRect& rectPx, QChar next = u'0');
    StepRecord& textBox(const QRect& rectPx);
    StepRecord& cursor(const QString& pointer);
    StepRecord& hint(QPoint posPx, int line);
    StepRecord& answer(int line);
    StepRecord& preset(int line);
    StepRecord& descriptor(const Field& slot, const QString& descriptor);
    StepRecord& textFormat(const QString& code);
    StepRecord& toolOverlay(int hotspot, int look);
    StepRecord& secondArea(const QRect& rectPx, QChar next = u'0');
    StepRecord& dragTarget(QPoint posPx);
    // A back button at `posPx` (window pixels) that goes `steps` steps back.
    StepRecord& backButton(int steps, QPoint posPx);
    // A tab step: dialog letter, the tab shown, the tab to click and the image that hosts it.
    StepRecord& tabStep(QChar dialog, int shown, int toClick, int hostImage);

private:
    QString line_;
};

QString twoDigits(int value);

// Descriptors of a click path: hotspot alone, or hotspot and first-level item.
QString hotspotPath(int hotspot, QChar next = u'0');
QString menuPath(int hotspot, int item, QChar next = u'0');
QString subMenuPath(int hotspot, int item, int sub, QChar next = u'0');

} // namespace samplegen
