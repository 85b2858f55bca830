// The demonstration pointer: the target of each step, the glide tick with its arrival actions,
// typing, the pause of key and timed steps, the drag-handle carry and the click ring.

#include "demo/frmyanshi.h"

#include "core/system.h"
#include "demo/glide.h"
#include "platform/text.h"
#include "stepengine/answers.h"
#include "stepengine/steprecord.h"

namespace demo {

namespace {
    namespace field = stepengine::field;
    using stepengine::StepRecord;

    constexpr double kLastLegMark = -100; // Shape4.Left on the last leg of a step
    constexpr double kTextInset = 300; // typing aims this far inside the text box, unscaled
    constexpr double kListMiddle = 165; // the closed location box's middle, times ScaleY
    constexpr double kListRow = 255; // pitch of the open location list's rows, times ScaleY
    constexpr double kRingRadius = 180;
    constexpr double kMarqueeBeyond = 120; // the marquee reaches past the pointer
    constexpr double kArrowAway = -100;
    constexpr int kPauseTicks = 5;
    constexpr int kBlinkTicks = 3;
    constexpr int16_t kSelectAll = 300;

    bool isOneOf(const QString& code, std::initializer_list<const char*> codes)
    {
        for (const char* c : codes)
            if (code == QLatin1String(c))
                return true;
        return false;
    }
    bool plainClick(const QString& a)
    {
        return isOneOf(a, { "0001", "0002", "0003", "0004", "0030" });
    }
    bool startsWithAny(const QString& a, const char* firsts)
    {
        return !a.isEmpty() && QLatin1String(firsts).contains(a[0]);
    }

    // A tab step that still has to click its tab: "X", the dialog, the tab shown, the tab to
    // click (different from the shown one), the host picture.
    bool tabToClick(const QString& tab)
    {
        return tab.startsWith(u'X') && plat::mid(tab, 3, 1) != plat::mid(tab, 4, 1);
    }
}

void FrmYanShi::glideTo(int32_t x, int32_t y)
{
    TargetX = x;
    TargetY = y;
    const Glide g = glideSetup(PointerX, PointerY, TargetX, TargetY);
    GlideStep = g.step;
    GlideDX = g.dx;
    GlideDY = g.dy;
}

void FrmYanShi::movePointer()
{
    PointerX += GlideDX;
    PointerY += GlideDY;
}

bool FrmYanShi::pointerArrived() const
{
    return arrived(PointerX, PointerY, TargetX, TargetY, GlideStep, sys_.state.ScaleX);
}

bool FrmYanShi::glideTick()
{
    if (sys_.state.DemoActive == 0)
        return false;
    movePointer();
    pointMove();
    return pointerArrived();
}

void FrmYanShi::ringAtPointer()
{
    auto& ui = this->ui();
    ui.Shape5.move(PointerX - kRingRadius, PointerY - kRingRadius);
    ui.Timer5.setEnabled(true);
}

bool FrmYanShi::clickOnArrival(plat::Timer& glide)
{
    if (!glideTick())
        return false;
    ringAtPointer();
    glide.setEnabled(false);
    return true;
}

void FrmYanShi::MuBiaoWei()
{
    const shell::AppState& st = sys_.state;
    if (st.DemoActive == 0)
        return;
    auto& ui = this->ui();
    const StepRecord r(st.StepLine);
    const QString a = r.actionCode();
    const auto centre = [this](const plat::Control& c) {
        glideTo(centreOf(c.left(), c.width()), centreOf(c.top(), c.height()));
    };
    if (tabToClick(r.text(field::TabCode))) {
        if (const plat::Label* tab = ui.LblXXK.at(TabToClick))
            centre(*tab);
        else
            stand(QStringLiteral("tab %1 does not exist").arg(TabToClick));
    } else if (plainClick(a) || startsWithAny(a, "3459")) {
        centre(ui.Label1);
    } else if (a.startsWith(QLatin1String("004")) || a.startsWith(QLatin1String("005"))) {
        centre(ui.Label4);
    } else if (a.startsWith(QLatin1String("002"))) {
        glideTo(toInt32(ui.Text1.left() + kTextInset), centreOf(ui.Text1.top(), ui.Text1.height()));
    } else if (a.startsWith(QLatin1String("800"))) {
        centre(ui.Image5);
    } else if (a == QStringLiteral("7000")) {
        const plat::Label* hot
            = ReplayHotspot >= 1 && ReplayHotspot <= 67 ? ui.LblZHU.at(ReplayHotspot) : nullptr;
        if (hot) {
            ui.Shape1.move(hot->left(), hot->top(), hot->width(), hot->height());
            ui.Shape1.setVisible(true);
            centre(*hot);
        } else {
            stand(QStringLiteral("hotspot %1 is not on the window").arg(ReplayHotspot));
        }
    } else if (a.startsWith(u'6') || a == stepengine::kTimedStep) {
        // Key and timed steps: a pause where the pointer stands.
        if (a.startsWith(u'6')) {
            TargetX = PointerX;
            TargetY = PointerY;
            TickCount = 0;
        }
        ui.Timer4.setEnabled(true);
        ui.Timer2.setEnabled(false);
        return;
    } else if (a.startsWith(u'L')) {
        centre(ui.LstLA);
    } else if (a.startsWith(u'K')) {
        glideTo(centreOf(ui.PicList.left(), ui.PicList.width()),
            toInt32(ui.PicList.top() + kListMiddle * st.ScaleY));
    } else {
        stand(QStringLiteral("no action for the step code \"%1\"").arg(a));
    }
    ui.Timer2.setEnabled(true);
}

void FrmYanShi::pointMove()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (!topMost_) {
        setTopMost(true);
        topMost_ = true;
    }
    const auto s = arrowSegments(PointerX, PointerY, st.ScaleX, st.ScaleY);
    for (int i = 0; i < kOutlineSegments; ++i)
        ui.LPoint[i].setPoints(s[i].x1, s[i].y1, s[i].x2, s[i].y2);
    for (int i = 0; i < kFillSegments; ++i) {
        const Segment& f = s[kOutlineSegments + i];
        ui.LPoinB[i].setPoints(f.x1, f.y1, f.x2, f.y2);
    }
}

void FrmYanShi::showCursorPicture()
{
    auto& ui = this->ui();
    // A standard pointer has no cursor file of its own: the drag carries the first one.
    const auto pointer
        = stepengine::PointerCode::parse(StepRecord(sys_.state.StepLine).text(field::CursorSpec));
    const QString name = pointer.kind == stepengine::PointerCode::Kind::Standard
        ? QStringLiteral("ico00.CUR")
        : pointer.cursorFile;
    auto it = cursors_.find(name);
    if (it == cursors_.end()) {
        // Read once a run; a file that cannot be read keeps the picture shown before.
        auto loaded = plat::loadPicture(sys_.programFile(name));
        it = cursors_.emplace(name, loaded.ok() ? loaded.value() : plat::Picture {}).first;
        if (!loaded.ok())
            writeLog(
                QStringLiteral("cursor %1 not shown: %2").arg(name, loaded.error().description));
    }
    if (!it->second.image().isNull())
        ui.ImgICO.setPicture(it->second);
    ui.ImgICO.move(PointerX, PointerY);
    ui.ImgICO.setVisible(true);
    for (auto* lines : { &ui.LPoinB, &ui.LPoint })
        lines->forEach([](plat::Line& l) { l.setPoints(kArrowAway, l.y1(), kArrowAway, l.y2()); });
}

void FrmYanShi::secondLeg(int32_t x, int32_t y)
{
    auto& ui = this->ui();
    glideTo(x, y);
    ui.Shape4.setLeft(kLastLegMark);
    Timer2_Timer(); // the new leg's first tick runs at once
}

void FrmYanShi::Timer2_Timer()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    const StepRecord r(st.StepLine);
    const QString a = r.actionCode();
    ui.Shape5.setBorderColor(ringColour(a));
    if (st.DemoActive == 0)
        return;
    ui.Shape6.setWidth(1);
    ui.Shape6.setHeight(1);
    movePointer();

    const bool mark = ui.Shape4.left() == kLastLegMark;
    const bool band = a.startsWith(QLatin1String("004"));
    if (band || (a.startsWith(QLatin1String("005")) && mark)) {
        if (band && DragLeg != 0) {
            // The marquee grows only to the right of and below its corner.
            const double w = PointerX - ui.Shape6.left() + kMarqueeBeyond * st.ScaleX;
            const double h = PointerY - ui.Shape6.top() + kMarqueeBeyond * st.ScaleY;
            if (w >= 0)
                ui.Shape6.setWidth(w);
            if (h >= 0)
                ui.Shape6.setHeight(h);
        }
        showCursorPicture();
    } else {
        ui.ImgICO.setVisible(false);
        pointMove();
    }
    if (!pointerArrived())
        return;
    ringAtPointer();

    if (tabToClick(r.text(field::TabCode)) && !mark) {
        // The tab is clicked: its page shows and the pointer goes on to the target area.
        plat::Image* hosts[] = { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5 };
        if (TabHostImage >= 1 && TabHostImage <= 5)
            sys_.logSkinFailure(hosts[TabHostImage - 1]->setPicture(
                sys_.skinFile(r.text(stepengine::kImageGroups[TabHostImage - 1].name))));
        plat::Label& area = ui.Label1;
        area.setVisible(true);
        QString hint = StepHint;
        ui.LHelp.setCaption(hint.replace(u'|', QStringLiteral("\r\n")));
        area.setHeight(Label1Height * st.ScaleY);
        area.setWidth(Label1Width * st.ScaleX);
        ui.Shape1.move(area.left(), area.top(), area.width(), area.height());
        secondLeg(centreOf(area.left(), area.width()), centreOf(area.top(), area.height()));
    } else if (plainClick(a) || a.startsWith(u'L') || mark) {
        const QString next = r.text(field::TargetNext);
        if (a == QStringLiteral("0001") && next != stepengine::kNoJump)
            GoStep(next);
        else
            doNext();
    } else if (band || a.startsWith(QLatin1String("005"))) {
        const plat::Label& area = ui.Label1;
        DragLeg = -1;
        glideTo(centreOf(area.left(), area.width()), centreOf(area.top(), area.height()));
        ui.Shape6.move(ui.Shape4.left(), ui.Shape4.top(), 1, 1);
        ui.Shape6.setVisible(band);
        ui.Shape4.setLeft(kLastLegMark);
        ui.Shape4.setWidth(15);
        Timer2_Timer();
    } else if (a.startsWith(u'K')) {
        ui.Shape6.setVisible(false);
        plat::PictureBox& list = ui.PicList;
        list.setHeight(stepengine::kLocationOpen * st.ScaleY);
        const int16_t row = stepengine::readInt16(plat::right(a, 2));
        glideTo(centreOf(list.left(), list.width()),
            toInt32(list.top() + kListRow * (row + 1) * st.ScaleY));
        ui.Shape4.setLeft(kLastLegMark);
        if (plat::Image* rowPicture = ui.ImgLiN.at(row))
            rowPicture->setVisible(true);
        Timer2_Timer();
    } else if (a.startsWith(u'9') && a != stepengine::kEndOfQuestion) {
        ui.Shape6.setVisible(false);
        doNext();
    } else if (startsWithAny(a, "345")) {
        ui.Shape6.setVisible(false);
        RightKeyMenu();
        ui.Timer2.setEnabled(false);
    } else if (a.startsWith(QLatin1String("002"))) {
        ui.Shape6.setVisible(false);
        typingSetUp();
        ui.Timer1.setEnabled(true);
        ui.Timer2.setEnabled(false);
    } else if (a.startsWith(QLatin1String("800"))) {
        ui.Shape6.setVisible(false);
        carrySetUp();
        ui.Timer2.setEnabled(false);
        ui.Timer3.setEnabled(true);
    } else if (a == stepengine::kEndOfQuestion) {
        ui.Shape6.setVisible(false);
        startEnd();
        ui.Timer2.setEnabled(false);
    } else if (a == QStringLiteral("7000")) {
        ui.Shape6.setVisible(false);
        ui.Timer2.setEnabled(false);
        ToolClick(ReplayHotspot);
    } else {
        // A step no rule handles: the pointer stands rather than running on past its target.
        ui.Shape6.setVisible(false);
        ui.Timer2.setEnabled(false);
        stand(QStringLiteral("no action for the step code \"%1\"").arg(a));
    }
}

void FrmYanShi::typingSetUp()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    // The first alternative of the accepted answer; a line that does not exist types nothing.
    const auto answer = stepengine::acceptedAnswer(
        st.AnswerTextFile, StepRecord(st.StepLine).text(field::AnswerLine));
    TypedAnswer = answer.ok() ? stepengine::alternatives(answer.value()).first : QString();
    if (!answer.ok())
        writeLog(QStringLiteral("nothing to type: ") + answer.error().description);
    const QString shown = ui.Text1.text();
    if (TypedAnswer.startsWith(shown))
        TypedCount = static_cast<int16_t>(shown.size());
}

void FrmYanShi::carrySetUp()
{
    const shell::AppState& st = sys_.state;
    // A zero coordinate keeps the handle's centre: a horizontal drag gives only x.
    int32_t x = TargetX, y = TargetY;
    if (DragTargetX != 0)
        x = toInt32(DragTargetX * st.ScaleX);
    if (DragTargetY != 0)
        y = toInt32(DragTargetY * st.ScaleY);
    glideTo(x, y);
}

void FrmYanShi::Timer1_Timer()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (st.DemoActive == 0) {
        ui.Timer1.setEnabled(false);
        return;
    }
    ++TypedCount;
    const QString a = StepRecord(st.StepLine).actionCode();
    // Select-text steps type nothing and end at once, whatever the answer's length.
    const bool selectOnly = a == QStringLiteral("0023");
    if (!selectOnly) {
        plat::TextBox& box = a == QStringLiteral("0021") ? ui.Text2 : ui.Text1;
        box.setText(TypedAnswer.left(TypedCount));
        box.setSelStart(TypedCount);
        if (TypedCount < TypedAnswer.size())
            return;
    }
    TypedCount = 0;
    ui.Timer1.setEnabled(false);
    if (a == QStringLiteral("0026") || a == QStringLiteral("0022")) {
        const plat::Label& area = ui.Label1;
        glideTo(centreOf(area.left(), area.width()), centreOf(area.top(), area.height()));
        ui.Shape4.setLeft(kLastLegMark);
        ui.Timer2.setEnabled(true);
    } else {
        doNext();
    }
}

void FrmYanShi::Timer3_Timer()
{
    if (sys_.state.DemoActive == 0)
        return;
    auto& ui = this->ui();
    movePointer();
    pointMove();
    plat::Image& handle = ui.Image5;
    handle.move(PointerX - handle.width() / 2, PointerY - handle.height() / 2);
    if (!pointerArrived())
        return;
    ui.Timer3.setEnabled(false);
    doNext();
}

void FrmYanShi::Timer4_Timer()
{
    ++TickCount;
    if (TickCount < kPauseTicks)
        return;
    TickCount = 0;
    ui().Timer4.setEnabled(false);
    doNext();
}

void FrmYanShi::Timer5_Timer()
{
    if (sys_.state.DemoActive == 0)
        return;
    auto& ui = this->ui();
    ui.Shape5.setVisible(TickCount % 2 == 0);
    ++TickCount;
    if (TickCount < kBlinkTicks)
        return;
    TickCount = 0;
    ui.Shape5.setVisible(false);
    ui.Timer5.setEnabled(false);
}

} // namespace demo
