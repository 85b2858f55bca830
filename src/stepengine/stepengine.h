#pragma once

// The step loader setData and the rules of moving between steps, shared by the practice window
// FrmMain and the demonstration window FrmYanShi. The engine runs the stages of a load in their
// fixed order; each window supplies its controls and the few statements in which it differs
// (StepWindow). See docs/ARCHITECTURE.md, "Step engine".

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/timer.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace shell {
class System;
struct AppState;
}

namespace stepengine {

class StepRecord;

// The controls of a simulated window that the shared stages set. Both windows have them all.
struct StepControls {
    plat::Label* Label1 = nullptr; // target area
    plat::Shape* Shape1 = nullptr; // red frame around the target area
    plat::Label* Label4 = nullptr; // second area, where drags start
    plat::Shape* Shape4 = nullptr; // green frame around the second area
    plat::Label* LHelp = nullptr; // hint label
    plat::ControlArray<plat::Label>* LblXXK = nullptr; // dialog tab labels; 0 is the back label
    // PicMenu, PicTool, PicHui, PicElse: hidden at every load, the step shows what it names.
    std::array<plat::Control*, 4> panels {};
    plat::TextBox* Text1 = nullptr;
    plat::TextBox* Text2 = nullptr;
    plat::Timer* Timer3 = nullptr; // the window's timed-step timer
    // Pictures, panels, fields, lists and pickers that the later stages set.
    plat::Form* window = nullptr; // its background picture
    std::array<plat::Control*, 6> images {}; // Image1..Image6, images or picture boxes
    plat::Control* PicHui = nullptr; // toolbox, whose picture the step picks
    plat::Image* ImgHui2 = nullptr; // overlay on a toolbox hotspot
    plat::ControlArray<plat::Label>* LblZHU = nullptr; // hotspots
    plat::Shape* Shape2 = nullptr; // yellow frame that follows the hint
    plat::TextBox* Text3 = nullptr; // practice window only
    plat::TextBox* Text4 = nullptr; // demonstration only
    plat::ListBox* LstLA = nullptr; // list step
    std::array<plat::Control*, 4> listBorder {}; // PicLeft, PicRight, PicTop, PicBottom
    plat::Control* PicList = nullptr; // location picker
};

// Fields a window keeps for its input checks that the shared stages write.
struct StepFields {
    int16_t TargetWidth = 0; // design twips of the target area, unscaled
    int16_t TargetHeight = 0;
    int16_t DragTargetX = 0, DragTargetY = 0; // where the drag handle must go, design twips
    int32_t HandleLeft = 0; // the drag handle's place in window twips (practice window)
    int32_t HandleTop = 0; // 32 bits like HandleLeft: a handle far down must not wrap
    QString SavedHint {}; // the hint text as last read, with its "|"
    QString TabSpec {}; // description of the current tab step's dialog
    int16_t TabHostImage = 0; // 1..5: which of Image1..Image5 shows the dialog
    int16_t TabToClick = 0; // the tab the step expects
    int16_t TabHostLeft = 0, TabHostTop = 0; // the host image's place, window twips
    int16_t TabCount = 0;
    int16_t TabRowOrder = 0; // 1 or 2: row of the selected tab in a two-row strip
    QString BackCode {}; // "Q" and a step count, or "NONO"
    QString DemoTypedText {}; // the text the demonstration types; unused in practice
};

// A simulated window as the loader sees it: its controls and its own statements.
class StepWindow {
public:
    virtual ~StepWindow() = default;
    virtual StepControls stepControls() = 0;
    virtual StepFields& stepFields() = 0;
    // CurrentStep in the practice window, DemoStep in the demonstration.
    virtual int16_t currentStep() const = 0;
    // Called once the wanted line has been read, before anything of the window changes.
    virtual void setCurrentStep(int16_t step) = 0;

    // The window's own prologue statements (window order, resets of its own controls).
    virtual void prologue() = 0;
    // Right after StepLine holds the new record (step-1 clearing, the resume step).
    virtual void afterLineRead() = 0;
    // The number read from the ActionCode (StepTypeValue, DemoTypeValue), as soon as it is read.
    virtual void setStepType(int16_t value) = 0;
    // End of question, once the areas are placed. Returns false when the load stops here.
    virtual bool endOfQuestion(const QString& actionCode) = 0;
    // The demonstration's pointer target of a "7000" step, late in the load, after the panels.
    virtual void pointerTarget(const QString& actionCode) { }
    // The window's own epilogue after the hint's line breaks.
    virtual void epilogue() = 0;

    // The demonstration's copy of the stages differs in a few statements (typing, prompts,
    // tab widths, no saved pictures); the practice window's is the reference.
    virtual bool demonstration() const { return false; }
    virtual QString examDataPath() const = 0; // folder of the interface pictures
    // The window's own procedures that the stages call: ToolCSH, DoubleXXK, ImgLiN_Click.
    virtual void layOutHotspots() = 0;
    virtual void layOutTabRows() = 0;
    virtual void chooseLocationRow(int16_t row) = 0;
};

class StepEngine {
public:
    StepEngine(shell::System& sys, StepWindow& window);
    StepEngine(const StepEngine&) = delete;
    StepEngine& operator=(const StepEngine&) = delete;

    // setData: loads the window's current step.
    void load() { loadStep(window_.currentStep()); }
    // Loads step `step` of the current question. When the step file is missing or has no such
    // line, nothing changes and the failure is reported under "setdata".
    void loadStep(int16_t step);
    bool loading() const { return loading_; }

    // Every advance (doNext, GoStep) goes through here. Outside a load it runs at once. During a
    // load (a stage's own assignment completed the step) it runs once, right after the load has
    // finished, epilogue included; further requests of the same load are dropped, as they judged
    // the same step.
    void advance(std::function<void()> advanceNow);

    // The step GoStep jumps to: "1".."9", "A".."Z" within the current question's own steps
    // (questionStepCount), so a jump past an earlier end marker of the question reaches a later
    // solution branch; otherwise none.
    std::optional<int16_t> jumpTarget(const QString& code);
    // The current question's own number of steps (0 when nothing says).
    int stepCount() const;

    // Whether the latest mouse press was made after the latest load. A release, click or
    // double-click of an earlier press belongs to a step that is gone and is not judged.
    bool pressOfThisStep() const;
    // Wraps a judging handler so that it ignores input of an earlier step.
    plat::Handler judged(plat::Handler h);
    plat::MouseHandler judged(plat::MouseHandler h);

private:
    void logIfCutShort(const QString& stepFile, int line, const QString& record);
    void runStages(const QString& record);
    void targetArea(StepControls& c);
    void secondArea(StepControls& c);
    QString stepType(StepControls& c);
    void frameCheck(StepControls& c);
    void pointer(StepControls& c);
    void hintLineBreaks(StepControls& c);
    // The answer-file line a preset, hint or list field names (empty for a field that is no
    // number); a line that cannot be read is reported once for the run, since the step loads
    // again and again.
    QString answerLineFor(const QString& field);

    // The stages in their place in the order (stages_pictures.cpp, stages_text.cpp,
    // stages_dialogs.cpp).
    void picturesStage();
    // The picture files a step record puts up: screen pictures, toolbox, overlay, tab page and
    // pointer, as the stages read them.
    QStringList picturesSetBy(const QString& record) const;
    void textBoxStage();
    void textFormat(plat::TextBox& t, const QString& code);
    void hintStage();
    void tabStripStage();
    void extraTextFieldsStage(const QString& actionCode);
    void textPromptsStage(const QString& actionCode);
    void listAndLocationStage(const QString& actionCode);
    void hintFrameStage();
    void panelsStage();

    shell::System& sys_;
    StepWindow& window_;
    bool loading_ = false;
    std::function<void()> pending_ {};
    quint64 pressAtLoad_ = 0;
    QSet<QString> shortLinesLogged_ {}; // step files whose cut-short line was logged
};

// The caption of the question panel's list of unfinished questions: "未完成的题目" and the
// number of every question of the exercise that is not done.
QString unfinishedList(const shell::AppState& st);
// Adds the done flag to a question once.
void markDone(shell::AppState& st, int question);

struct PointerCode;
// Gives a target or drag area the pointer of a CursorSpec. A standard number the layer refuses
// leaves the pointer as it was, and so does a missing cursor file (the icon of an earlier step).
void showPointer(const shell::System& sys, plat::Label& area, const PointerCode& pointer);

// Loads a picture into a step picture or panel, an image or a picture box alike; a failure
// keeps the picture it had. A file that loads but will not decode shows empty and is a failure
// too, so that the caller can log it.
plat::Status setPictureOf(plat::Control& c, const QString& path);
plat::Status setPictureOf(plat::Container& c, const QString& path);

// Dialog tab strips and the location picker, shared by both windows.
// The built-in description of dialog `letter` ("A".."N"); empty for any other letter.
QString tabStripSpec(QChar letter);
// A tab number of a record or description character: "1".."9", "A".."D" for 10..13, else 0.
int16_t tabNumber(QChar c);
// The page a tab step shows in its host image until the expected tab is clicked: from the
// description of its dialog letter, or from `keptSpec` (the last tab step's) for an unknown one.
std::optional<QString> tabPageOf(const StepRecord& r, const QString& keptSpec);
// Shows page `page` of a tab strip in its host image. A missing page keeps the picture shown
// and is written to the run log.
void showTabPage(shell::System& sys, plat::Control& host, const QString& page);
// DoubleXXK: the row holding the selected tab lies 300 design twips below the strip's Top.
void layOutTabRows(plat::ControlArray<plat::Label>& tabs, const StepFields& f, double scaleY);
// Where the location picker's box shows the picture of row `row` (ImgSelAD's Left, design
// twips), so that the row's icon stands at the box's left edge.
int locationRowOffset(int row);
// The location picker's closed and open heights, design twips.
inline constexpr double kLocationClosed = 330;
inline constexpr double kLocationOpen = 3720;

// The step controls that both windows have under the same names; each window adds its own
// answer field (Text3 or Text4).
template <class Ui> StepControls sharedStepControls(plat::Form& window, Ui& ui)
{
    StepControls c;
    c.Label1 = &ui.Label1;
    c.Shape1 = &ui.Shape1;
    c.Label4 = &ui.Label4;
    c.Shape4 = &ui.Shape4;
    c.LHelp = &ui.LHelp;
    c.LblXXK = &ui.LblXXK;
    c.panels = { &ui.PicMenu, &ui.PicTool, &ui.PicHui, &ui.PicElse };
    c.Text1 = &ui.Text1;
    c.Text2 = &ui.Text2;
    c.Timer3 = &ui.Timer3;
    c.window = &window;
    c.images = { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5, &ui.Image6 };
    c.PicHui = &ui.PicHui;
    c.ImgHui2 = &ui.ImgHui2;
    c.LblZHU = &ui.LblZHU;
    c.Shape2 = &ui.Shape2;
    c.LstLA = &ui.LstLA;
    c.listBorder = { &ui.PicLeft, &ui.PicRight, &ui.PicTop, &ui.PicBottom };
    c.PicList = &ui.PicList;
    return c;
}

// Puts a window at the top of the topmost band (SetWindowPos with HWND_TOPMOST); reading its
// handle loads it first.
void putTopMost(plat::Form& f);

} // namespace stepengine
