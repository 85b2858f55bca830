#pragma once

// The engine fixture with what the stage tests add: the answer text file, interface pictures
// of the examdata folder, both windows and records with pictures, fields and hints.

#include "stepengine/engineapp.h"

#include "demo/frmyanshi.h"
#include "workspace/frmmain.h"

#include <QColor>
#include <QDir>

namespace testsupport {

namespace fd = stepengine::field;

// Record helpers for the fields the stages read.
inline Rec& picture(Rec& r, int image, int left, int top, const QString& name)
{
    const stepengine::ImageGroup& g = stepengine::kImageGroups[image - 1];
    return r.num(g.left, left).num(g.top, top).set(g.name, name);
}
inline Rec& textBox(Rec& r, int left, int top, int width, int height)
{
    return r.num(fd::TextLeft, left)
        .num(fd::TextTop, top)
        .num(fd::TextWidth, width)
        .num(fd::TextHeight, height);
}
inline Rec& hint(Rec& r, int left, int top, int line)
{
    return r.num(fd::HintLeft, left).num(fd::HintTop, top).num(fd::HintLine, line);
}

struct StagesApp : EngineApp {
    shell::AppState& st = sys->state;

    StagesApp()
    {
        st.AnswerTextFile = sys->skinFile(QStringLiteral("288890"));
        QDir().mkpath(sys->programFile(QStringLiteral("examdata")));
    }
    workspace::FrmMain& main() { return sys->form<workspace::FrmMain>(); }
    workspace::FrmMainUi& ui() { return main().ui(); }
    demo::FrmYanShi& demo() { return sys->form<demo::FrmYanShi>(); }

    void writeAnswers(const QStringList& lines)
    {
        ASSERT_TRUE(plat::writeLines(st.AnswerTextFile, lines).ok());
    }
    void writeExamPicture(const QString& name, QSize size, QColor colour = Qt::gray)
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(sys->programFile(QStringLiteral("examdata/") + name + ".mxy"), "PNG"));
    }
    void load(int step)
    {
        st.CurrentStep = static_cast<int16_t>(step);
        main().setData();
    }
    void loadDemo(int step)
    {
        demo().DemoStep = static_cast<int16_t>(step);
        demo().setData();
    }
};

} // namespace testsupport
