#pragma once

// A demonstration of a sample-module question, started as the question panel starts it, with
// every tick of the demonstration's timers watched: where the click ring lands (the pointer at
// an arrival), which drawn menus and drop-downs showed and what was typed, step by step.

#include "demo/frmyanshi.h"
#include "demo/glide.h"
#include "exercise/frmtm.h"
#include "stepengine/steprecord.h"
#include "support/samplepractice.h"

#include <QPointF>
#include <QRectF>

#include <map>
#include <vector>

namespace testsupport {

inline QRectF rectOf(const plat::Control& c)
{
    return { c.left(), c.top(), c.width(), c.height() };
}

// The controls the pointer may aim at, as they stood before a tick.
struct Aims {
    QRectF label1, label4, text1, image5, lstLA, picList, hotspot, item1, item2, menuTarget,
        subTarget;
    std::map<int, QRectF> tabs;
};

// One arrival: the timer whose tick put the ring down and where: the pointer's tip.
struct Arrival {
    QString timer;
    QPointF at;
    double glideStep = 0;
    Aims aims; // before that tick
};

// What one step showed while it ran.
struct StepSeen {
    QString code;
    QString line; // the step's record
    bool contextMenu = false; // the drawn menu's body
    bool submenu = false;
    bool dropDown = false; // Pic1J
    bool secondLevel = false; // Pic2J
    QString typed; // the text box's text after the last typing tick
    std::vector<Arrival> arrivals;
    Aims aims;
};

struct DemoRun : SamplePractice {
    demo::FrmYanShi& yan;
    std::vector<StepSeen> steps; // in the order they ran
    int lastStep = 0;

    DemoRun(int unit, int question, int step = 1)
        : SamplePractice(unit, question, step)
        , yan(sys.form<demo::FrmYanShi>())
    {
    }

    // The panel's demonstration button; its start timer opens the window on its second tick.
    void start()
    {
        sys.form<exercise::FrmTm>().CmdGN_Click(exercise::cmd::Demonstration);
        driver.advance(200);
        watch();
    }

    // Runs the clock until the window has closed, at most `limitMs`; true when it closed.
    bool runToEnd(int limitMs)
    {
        for (int t = 0; t < limitMs; t += 100) {
            if (!yan.isLoaded())
                return true;
            driver.advance(100);
        }
        return !yan.isLoaded();
    }

    StepSeen& current()
    {
        const int step = yan.DemoStep;
        if (steps.empty() || lastStep != step || steps.back().line != st.StepLine) {
            steps.push_back({});
            steps.back().line = st.StepLine;
            steps.back().code = stepengine::StepRecord(st.StepLine).actionCode();
            lastStep = step;
        }
        return steps.back();
    }

    void note(StepSeen& seen)
    {
        auto& ui = yan.ui();
        Aims& s = seen.aims;
        s.label1 = rectOf(ui.Label1);
        s.label4 = rectOf(ui.Label4);
        s.text1 = rectOf(ui.Text1);
        s.image5 = rectOf(ui.Image5);
        s.lstLA = rectOf(ui.LstLA);
        s.picList = rectOf(ui.PicList);
        if (const plat::Label* h = ui.LblZHU.at(yan.ReplayHotspot))
            s.hotspot = rectOf(*h);
        if (const plat::Label* l = ui.Lbl1J.at(yan.ReplayItem))
            s.item1 = rectOf(*l);
        if (const plat::Label* l = ui.Lbl2J.at(yan.ReplaySubItem))
            s.item2 = rectOf(*l);
        for (int i = 1; i <= 13; ++i)
            s.tabs[i] = rectOf(ui.LblXXK[i]);
        seen.contextMenu = seen.contextMenu || ui.LRightMMenu.visible();
        seen.submenu = seen.submenu || ui.LRightSub.visible();
        seen.dropDown = seen.dropDown || ui.Pic1J.visible();
        seen.secondLevel = seen.secondLevel || ui.Pic2J.visible();
        // The entry the red frame lies on: the drawn label whose row it covers.
        const QRectF frame = rectOf(ui.Shape1);
        const auto onFrame = [&](plat::ControlArray<plat::Label>& labels, QRectF& into) {
            labels.forEach([&](plat::Label& l) {
                if (l.visible()
                    && frame.contains(QPointF(frame.center().x(), l.top() + l.height() / 2)))
                    into = rectOf(l);
            });
        };
        if (ui.LRightSub.visible())
            onFrame(ui.LRS, s.subTarget);
        else if (ui.LRightMMenu.visible())
            for (auto* group : { &ui.LRM2, &ui.LRM4, &ui.LRM6, &ui.LRM9, &ui.LRMJL })
                onFrame(*group, s.menuTarget);
    }

    void watch()
    {
        auto& ui = yan.ui();
        const std::pair<const char*, plat::Timer*> timers[] = { { "Timer1", &ui.Timer1 },
            { "Timer2", &ui.Timer2 }, { "Timer3", &ui.Timer3 }, { "Timer4", &ui.Timer4 },
            { "Timer5", &ui.Timer5 }, { "Timer6", &ui.Timer6 }, { "Timer7", &ui.Timer7 },
            { "TimerRM", &ui.TimerRM }, { "TimerRS", &ui.TimerRS } };
        for (const auto& [name, timer] : timers) {
            timer->Tick = [this, name = QString::fromLatin1(name), tick = timer->Tick] {
                auto& ui = yan.ui();
                const size_t index = &current() - steps.data();
                note(steps[index]);
                const QPointF ring = rectOf(ui.Shape5).topLeft();
                const double glide = yan.GlideStep;
                const Aims before = steps[index].aims;
                tick();
                if (!yan.isLoaded())
                    return;
                const QPointF after = rectOf(ui.Shape5).topLeft();
                if (after != ring && after.x() != -500)
                    steps[index].arrivals.push_back(
                        { name, after + QPointF(180, 180), glide, before });
                if (name == QStringLiteral("Timer1"))
                    steps[index].typed
                        = (steps[index].code == QStringLiteral("0021") ? ui.Text2 : ui.Text1)
                              .text();
                if (yan.isLoaded() && !steps.empty())
                    note(current());
            };
        }
    }
};

} // namespace testsupport
