#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

namespace samplegen {

// A field of the fixed-position step line: first character (from 1) and length.
struct Field {
    int pos;
    int len;
    const char* name;
};

namespace fields {
    inline constexpr Field kTag { 1, 3, "tag" };
    inline constexpr Field kPressMarker { 4, 2, "press marker" };
    inline constexpr Field kPanelCode { 6, 2, "panel code" };
    inline constexpr Field kActionCode { 8, 4, "action code" };
    inline constexpr Field kBackground { 12, 6, "background" };
    inline constexpr Field kTargetLeft { 66, 5, "target left" };
    inline constexpr Field kTargetNext { 71, 1, "target next step" };
    inline constexpr Field kTargetTop { 72, 4, "target top" };
    inline constexpr Field kTargetWidth { 76, 5, "target width" };
    inline constexpr Field kTargetHeight { 81, 5, "target height" };
    inline constexpr Field kTargetArea { 66, 20, "target area" };
    inline constexpr Field kTextBox { 86, 20, "text box" };
    inline constexpr Field kTextLeft { 86, 5, "text left" };
    inline constexpr Field kTextGap { 91, 1, "text gap" };
    inline constexpr Field kTextTop { 92, 4, "text top" };
    inline constexpr Field kTextWidth { 96, 5, "text width" };
    inline constexpr Field kTextHeight { 101, 5, "text height" };
    inline constexpr Field kDescriptor1 { 86, 10, "first descriptor" };
    inline constexpr Field kDescriptor2 { 96, 10, "second descriptor" };
    inline constexpr Field kCursor { 101, 5, "cursor" };
    inline constexpr Field kPresetLine { 106, 3, "preset line" };
    inline constexpr Field kAnswerLine { 109, 3, "answer line" };
    inline constexpr Field kHintLeft { 112, 5, "hint left" };
    inline constexpr Field kHintTop { 117, 5, "hint top" };
    inline constexpr Field kHintPlace { 112, 10, "hint place" };
    inline constexpr Field kHintLine { 122, 3, "hint line" };
    inline constexpr Field kDescriptor3 { 125, 10, "third descriptor" };
    inline constexpr Field kTextFormat { 125, 10, "text format" };
    inline constexpr Field kMenuDescriptor { 86, 5, "context menu" };
    inline constexpr Field kKeyField86 { 86, 5, "key field 86" };
    inline constexpr Field kKeyField91 { 91, 5, "key field 91" };
    inline constexpr Field kKeyField96 { 96, 5, "key field 96" };
    inline constexpr Field kDropNext { 102, 1, "drop next step" };
    inline constexpr Field kBackCode { 125, 5, "back code" };
    inline constexpr Field kTabStep { 130, 5, "tab step" };
    inline constexpr Field kDragX { 167, 5, "drag target x" };
    inline constexpr Field kDragY { 172, 5, "drag target y" };
    inline constexpr Field kArea2Left { 177, 5, "second area left" };
    inline constexpr Field kArea2Next { 182, 1, "second area next step" };
    inline constexpr Field kArea2Top { 183, 4, "second area top" };
    inline constexpr Field kArea2Width { 187, 5, "second area width" };
    inline constexpr Field kArea2Height { 192, 5, "second area height" };

    // The six picture groups: Left, next step, Top, picture name.
    struct ImageGroup {
        Field left, next, top, name;
    };
    inline constexpr std::array<ImageGroup, 6> kImages { {
        { { 18, 5, "image1 left" }, { 23, 1, "image1 next" }, { 24, 4, "image1 top" },
            { 28, 6, "image1 picture" } },
        { { 34, 5, "image2 left" }, { 39, 1, "image2 next" }, { 40, 4, "image2 top" },
            { 44, 6, "image2 picture" } },
        { { 50, 5, "image3 left" }, { 55, 1, "image3 next" }, { 56, 4, "image3 top" },
            { 60, 6, "image3 picture" } },
        { { 135, 5, "image4 left" }, { 140, 1, "image4 next" }, { 141, 4, "image4 top" },
            { 145, 6, "image4 picture" } },
        { { 151, 5, "image5 left" }, { 156, 1, "image5 next" }, { 157, 4, "image5 top" },
            { 161, 6, "image5 picture" } },
        { { 197, 5, "image6 left" }, { 202, 1, "image6 next" }, { 203, 4, "image6 top" },
            { 207, 6, "image6 picture" } },
    } };
} // namespace fields

inline constexpr int kStepRecordLength = 212;
inline const QString kHidePicture = QStringLiteral("000000");
inline const QString kKeepPicture = QStringLiteral("888888");

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
