#pragma once

// The step file and its fixed-position step records. Every reader of StepLine (the loader's
// stages, the practice window's checks, the demonstration) takes its fields from here, so a
// position is written down once.

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace stepengine {

// A field of a step record: first character (from 1) and length.
struct Field {
    int pos = 1;
    int len = 1;
};

namespace field {
    inline constexpr Field StepNumber { 1, 3 }; // within the question; read by no check
    inline constexpr Field PressMarker { 4,
        2 }; // "EE" here or at 6-7: a plain press on Label4 does not advance
    inline constexpr Field PressMarkerAlt { 6, 2 };
    inline constexpr Field PanelCode { 6, 2 };
    inline constexpr Field ActionCode { 8, 4 };
    inline constexpr Field Background { 12, 6 };
    inline constexpr Field TargetArea { 66, 20 }; // twenty "0": no target area
    inline constexpr Field TargetLeft { 66, 5 };
    inline constexpr Field TargetNext { 71, 1 };
    inline constexpr Field TargetTop { 72, 4 };
    inline constexpr Field TargetWidth { 76, 5 };
    inline constexpr Field TargetHeight { 81, 5 };
    inline constexpr Field TextBox { 86, 20 }; // read as a number: 0 means no text box
    inline constexpr Field TextLeft { 86, 5 };
    inline constexpr Field TextGap { 91, 1 }; // "0" between the text box's Left and Top
    inline constexpr Field TextTop { 92, 4 };
    inline constexpr Field TextWidth { 96, 5 };
    inline constexpr Field TextHeight { 101, 5 };
    inline constexpr Field Descriptor1 { 86, 10 };
    inline constexpr Field Descriptor2 { 96, 10 };
    inline constexpr Field MenuOfDescriptor { 86, 5 }; // "R" or "RA" context-menu code
    // The three places a key step may name its key besides ActionCode ("6SKK" or "PSKK").
    inline constexpr Field KeyField86 { 86, 5 };
    inline constexpr Field KeyField91 { 91, 5 };
    inline constexpr Field KeyField96 { 96, 5 };
    inline constexpr Field CursorSpec { 101, 5 };
    inline constexpr Field DropNext { 102,
        1 }; // NextStepCode of the release ending a 004x/005x step
    inline constexpr Field PresetLine { 106, 3 };
    inline constexpr Field AnswerLine { 109, 3 };
    inline constexpr Field HintPlace { 112, 10 }; // "0000000000": no hint
    inline constexpr Field HintLeft { 112, 5 };
    inline constexpr Field HintTop { 117, 5 };
    inline constexpr Field HintLine { 122, 3 };
    inline constexpr Field Descriptor3 { 125, 10 }; // TextFormat while a text box shows
    inline constexpr Field TextFormat { 125, 10 };
    inline constexpr Field BackCode { 125, 5 };
    inline constexpr Field TabCode { 130, 5 };
    inline constexpr Field DragTargetX { 167, 5 };
    inline constexpr Field DragTargetY { 172, 5 }; // or "A" NN vv: the toolbox overlay
    inline constexpr Field Area2 { 177, 20 };
    inline constexpr Field Area2Left { 177, 5 };
    inline constexpr Field Area2Next { 182, 1 };
    inline constexpr Field Area2Top { 183, 4 };
    inline constexpr Field Area2Width { 187, 5 };
    inline constexpr Field Area2Height { 192, 5 };
    inline constexpr Field Area2Size { 187, 10 }; // ten "0": no second area
} // namespace field

// One picture group: Image1..Image6 in this order (index 0 is Image1).
struct ImageGroup {
    Field left, next, top, name;
};
inline constexpr std::array<ImageGroup, 6> kImageGroups { {
    { { 18, 5 }, { 23, 1 }, { 24, 4 }, { 28, 6 } },
    { { 34, 5 }, { 39, 1 }, { 40, 4 }, { 44, 6 } },
    { { 50, 5 }, { 55, 1 }, { 56, 4 }, { 60, 6 } },
    { { 135, 5 }, { 140, 1 }, { 141, 4 }, { 145, 6 } },
    { { 151, 5 }, { 156, 1 }, { 157, 4 }, { 161, 6 } },
    { { 197, 5 }, { 202, 1 }, { 203, 4 }, { 207, 6 } },
} };

inline constexpr int kStepRecordLength = 212;
inline const QString kEndOfQuestion = QStringLiteral("9999");
inline const QString kTimedStep = QStringLiteral("8888");
inline const QString kHidePicture = QStringLiteral("000000");
inline const QString kKeepPicture = QStringLiteral("888888");
inline const QString kNoTargetArea = QStringLiteral("00000000000000000000");
inline const QString kNoSecondArea = QStringLiteral("0000000000");
inline const QString kNoHint = QStringLiteral("0000000000");
inline const QString kNoAnswerLine = QStringLiteral("000");
inline const QString kNoJump = QStringLiteral("0");

// The numeric reading of a record field held as a 16-bit integer (half to even). A value
// outside -32768..32767 is clamped to the nearest bound: such a record is malformed, and the
// bound keeps the field on its side of the window instead of wrapping to the other.
int16_t readInt16(const QString& field);

// What a step asks for, from its ActionCode.
enum class ActionKind {
    Unknown,
    LeftClick, // "0001"
    DoubleClick, // "0002"
    RightClick, // "0003"
    Click, // "0004"
    Text, // "0020".."0028": typing, the code says how it is confirmed
    Hover, // "0030"
    RubberBand, // "004x", x = modifier keys
    DragArea, // "005x"
    ContextMenu, // 3000..6000 (isContextMenuStep), the code is the MenuCode
    Key, // 6001..6999: 6SKK
    HotspotPath, // "7000"
    DragHandle, // "8001".."8009"
    Timed, // "8888"
    ButtonClick, // 9000..9998: 9SBB
    EndOfQuestion, // "9999"
    Location, // "K" xnn
    List, // "L" nnn
};
ActionKind actionKindOf(const QString& actionCode);

// A ten-character ActionDescriptor (record 86-95, 96-105 or 125-134).
struct ActionDescriptor {
    QChar kind {}; // 'H', 'D', 'R', 'P' or another character
    int hotspot = 0; // H, D: characters 2-3
    int item = 0; // H, D: characters 4-5; 0 = none
    int subItem = 0; // H: characters 6-7; 0 = none
    QChar next = u'0'; // H: character 10
    QString pictureStem {}; // D: characters 7-10
    int menuCode = 0; // R: characters 2-5; RA: 6000 + characters 3-5
    bool contextFamily6 = false; // "RA"

    static ActionDescriptor parse(const QString& text);
    bool clicksHotspotItself() const { return itemsText == QStringLiteral("0000"); }

private:
    QString itemsText {}; // characters 4-7
};

// PanelCode (record 6-7): which chrome panels a step shows and the toolbox layout.
struct PanelCode {
    bool any = false; // only "A".."E" at character 6 show panels
    bool menu = false; // PicMenu
    bool tool = false; // PicTool
    bool toolbox = false; // PicHui
    int toolboxColumns = 1;
};
PanelCode panelCodeOf(const QString& twoCharacters);
// Whether character 7 alone asks for the two-column toolbox ("8".."B").
bool twoColumnToolbox(QChar panelDigit);
// The same for a whole record: the hotspots are laid out by character 7 whether or not
// character 6 shows the panels (a shorter record gives one column).
bool twoColumnToolboxOf(const QString& stepLine);

// The chrome's hotspots LblZHU(0..67), numbered as the descriptors and overlays name them, and
// the panel each lies in: 0..20 the menu and application bar (PicMenu), 21..40 the options bar
// (PicTool), 41..67 the toolbox (PicHui).
inline constexpr int kLastHotspot = 67;
inline constexpr int kFirstOptionsHotspot = 21;
inline constexpr int kFirstToolboxHotspot = 41;
enum class HotspotPanel { MenuBar, OptionsBar, Toolbox };
// A number below 0 counts as the menu bar's, one past 67 as the toolbox's.
HotspotPanel panelOfHotspot(int hotspot);

// CursorSpec (record 101-105): the pointer over the target area, and the pointer of a drag.
struct PointerCode {
    enum class Kind {
        Default, // the default pointer (0)
        Standard, // "S": the standard pointer numbered by characters 4-5
        Custom, // "M": pointer 99 with the cursor file "ico" & characters 4-5 & ".CUR"
    };
    Kind kind = Kind::Default;
    int16_t standard = 0;
    QString cursorFile {}; // file name in the program folder; set whatever the kind
    static PointerCode parse(const QString& fiveCharacters);
    // A drag always shows a pointer of its own: its drop takes a pointer other than the default
    // as the sign that a drag took place, so any first character but "S" gives the cursor file.
    PointerCode forDrag() const;
};

// The context-menu codes. An ActionCode 3000..6000 is a context-menu step (6001.. are keys),
// and so is an "R" descriptor's MenuCode of the families 3..6 (an "RA" code is 6000 and more).
bool isContextMenuStep(int actionCode);
bool isContextMenuCode(int menuCode);
// A right release on the options bar opens the step's menu for 3001..5999 only: the bar never
// took the two ends, whose menu digit 0 names no menu of the menu file, while the target area
// takes the whole range, as step files have always been written for it.
bool opensContextMenuOnOptionsBar(int actionCode);

// MenuCode FMGI of a context-menu step.
struct MenuCode {
    int family = 0; // 3..6
    int menu = 0; // 1..9
    int entry = 0; // 1, 3, 5, 7, 8 open a submenu; 2, 4, 6, 9 are item groups
    int item = 0;
    bool opensSubmenu() const
    {
        return entry == 1 || entry == 3 || entry == 5 || entry == 7 || entry == 8;
    }
    static MenuCode of(int code);
};

// A read-only view of one step record. Positions beyond a short line give shorter or empty
// fields, so a short record reads as empty text and zeros.
class StepRecord {
public:
    explicit StepRecord(QString line)
        : line_(std::move(line))
    {
    }

    QString text(Field f) const;
    int16_t number(Field f) const { return readInt16(text(f)); }
    QChar at(int pos) const; // a null QChar past the end
    const QString& line() const { return line_; }

    QString actionCode() const { return text(field::ActionCode); }
    bool isEndOfQuestion() const { return actionCode() == kEndOfQuestion; }
    QString imageNext(int image) const; // image 1..6
    ActionDescriptor descriptor(Field slot) const { return ActionDescriptor::parse(text(slot)); }

private:
    QString line_;
};

// Names of an exercise's files: "2888" & NN, NN = StudyMode + SetNo (question file: + 50) as
// two digits, without the folder and the ".mxy" suffix.
QString stepFileName(int studyMode, int setNo);
QString questionFileName(int studyMode, int setNo);
// The step file's line of step `step` of a question whose first step is on line `firstLine`.
int stepLineNumber(int firstLine, int step);

// The step count of a question line of the question file: characters 5-6 as a decimal number,
// blanks ignored, read up to the first other character; no digit gives 0.
int stepCountOfQuestionLine(const QString& questionLine);
// The number of steps of question q, which bounds its jumps: the distance from its first line to
// the next question's, as the exercise launch fills FirstStepTable (`nextFirstLine` is
// FirstStepTable(q + 1)), or, where the table does not say (no later entry, or one not past
// the first line), the step count of its question line. 0 when neither names a count.
int questionStepCount(int firstLine, int nextFirstLine, const QString& questionLine);

// The step a NextStepCode names: "1".."9" are 1..9, "A".."Z" 10..35. Nothing for "0" (no jump)
// and for anything else, which no step file holds.
std::optional<int16_t> stepOfNextCode(const QString& code);

} // namespace stepengine
