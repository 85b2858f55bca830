// The practice window's list and location pickers and its dialog tab pages.

#include "workspace/frmmain.h"

#include "core/system.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/text.h"
#include "stepengine/steprecord.h"
#include "workspace/pickers.h"

#include <array>

namespace workspace {

namespace {
    using stepengine::StepRecord;
    namespace field = stepengine::field;

    constexpr double kOpenBelow = 3600; // a list lower than this counts as closed
}

// The practice window --------------------------------------------------------------------------

void FrmMain::installPickers()
{
    auto& ui = this->ui();
    // The load has laid the rows out; the design pictures are drawn here. The box is as wide as
    // its picture on every display: a wider one, a child window, would cover the hint beside it.
    ui.PicList.setPicture(locationListPicture());
    ui.PicList.setWidth(kLocationListWidth * sys_.state.ScaleX);
    for (int i = 0; i < kLocationRows; ++i) {
        ui.ImgLiN[i].setPicture(locationRowPicture(i));
        ui.ImgLiN[i].Click = engine_.judged(plat::Handler([this, i] { ImgLiN_Click(i); }));
        ui.LblADD[i].Click = engine_.judged(plat::Handler([this, i] { LblADD_Click(i); }));
        ui.LblADD[i].MouseMove = [this, i](int, int, double, double) { LblADD_MouseMove(i); };
    }
    // The box's click area lies above the chosen row's picture, which can be wider than half
    // the box: a click anywhere on the box opens or closes the list.
    ui.LblADDmyXZ.zOrder(0);
    ui.LblADDmyXZ.Click = engine_.judged(plat::Handler([this] { LblADDmyXZ_Click(); }));
    // Not judged by the press: the list stage's preset selection raises it within the load.
    ui.LstLA.Click = [this] { LstLA_Click(); };
    for (int i = 0; i <= 13; ++i)
        ui.LblXXK[i].Click = engine_.judged(plat::Handler([this, i] { LblXXK_Click(i); }));
}

void FrmMain::LstLA_Click()
{
    auto& ui = this->ui();
    ui.LblXXK[0].setCaption(ui.LstLA.list(ui.LstLA.listIndex()));
    const StepRecord r(sys_.state.StepLine);
    if (plat::val(r.text(field::AnswerLine)) != ui.LstLA.listIndex())
        return; // the wrong entry stays shown and the list waits
    ui.LstLA.setVisible(false);
    for (plat::PictureBox* strip : { &ui.PicLeft, &ui.PicRight, &ui.PicTop, &ui.PicBottom })
        strip->setVisible(false);
    ui.LblXXK[0].setCaption(QString());
    doNext();
}

void FrmMain::ImgLiN_Click(int16_t index)
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (workspace::chooseLocationRow(ui.PicList, ui.ImgLiN, ui.ImgSelAD, index,
            StepRecord(st.StepLine).actionCode(), st.ScaleX, st.ScaleY))
        doNext();
}

void FrmMain::LblADD_Click(int index) { ImgLiN_Click(static_cast<int16_t>(index)); }

void FrmMain::LblADD_MouseMove(int index)
{
    auto& ui = this->ui();
    for (int i = 0; i < kLocationRows; ++i)
        ui.ImgLiN[i].setVisible(false);
    ui.ImgLiN[index].setVisible(true);
}

void FrmMain::LblADDmyXZ_Click()
{
    const double sy = sys_.state.ScaleY;
    plat::PictureBox& list = ui().PicList;
    const bool closed = static_cast<float>(kOpenBelow * sy) > static_cast<float>(list.height());
    list.setHeight((closed ? stepengine::kLocationOpen : stepengine::kLocationClosed) * sy);
}

void FrmMain::DoubleXXK() { stepengine::layOutTabRows(ui().LblXXK, fields, sys_.state.ScaleY); }

void FrmMain::LblXXK_Click(int index)
{
    shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    if (index == 0) {
        // Back: a "Q" code counts back its last digit (0 or a non-digit: one step), never
        // below step 1, which would load another question's line; otherwise one step back.
        int16_t back = 0;
        if (BackCode.startsWith(u'Q')) {
            back = stepengine::readInt16(plat::right(BackCode, 1));
            if (back == 0)
                back = 1;
        } else if (st.CurrentStep > 1) {
            back = 1;
        }
        engine_.loadStep(static_cast<int16_t>(std::max(1, st.CurrentStep - back)));
        return;
    }

    plat::Image* hosts[] = { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5 };
    plat::Image* host = TabHostImage >= 1 && TabHostImage <= 5 ? hosts[TabHostImage - 1] : nullptr;
    if (host)
        stepengine::showTabPage(sys_, *host, plat::mid(TabSpec, 10 * index, 6));
    if (TabCount >= 10) {
        TabRowOrder = index > 6 ? 2 : 1;
        DoubleXXK();
    }
    plat::Label& area = ui.Label1;
    plat::Control* framed = &area;
    if (index == TabToClick) {
        if (host) {
            // The step's own picture of the host image; a kept one is the name last loaded.
            QString own
                = StepRecord(st.StepLine).text(stepengine::kImageGroups[TabHostImage - 1].name);
            if (own == stepengine::kKeepPicture)
                own = st.QuestionPictures(st.CurrentQuestion)[TabHostImage];
            sys_.logSkinFailure(host->setPicture(sys_.skinFile(own)));
        }
        area.setVisible(true);
        ui.LHelp.setCaption(SavedHint);
        area.setHeight(fields.TargetHeight * st.ScaleY);
        area.setWidth(fields.TargetWidth * st.ScaleX);
    } else {
        ui.LHelp.setCaption(
            QStringLiteral("请选择第") + QString::number(TabToClick) + QStringLiteral("个选项卡"));
        area.setHeight(1);
        area.setWidth(1);
        framed = &ui.LblXXK[TabToClick];
    }
    ui.Shape1.move(framed->left(), framed->top(), framed->width(), framed->height());
    QString caption = ui.LHelp.caption();
    caption.replace(u'|', QStringLiteral("\r\n"));
    ui.LHelp.setCaption(caption);
}

} // namespace workspace
