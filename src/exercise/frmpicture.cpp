#include "exercise/frmpicture.h"

#include "core/system.h"
#include "exercise/frmtm.h"
#include "platform/keys.h"

namespace exercise {

namespace {
    constexpr uint32_t kRed = 0x0000FF;
    constexpr double kMargin = 60; // design twips of red around the picture
}

FrmPictureUi::FrmPictureUi(plat::Form& f)
    : Image1(f.area(), QStringLiteral("Image1"))
    , Timer1(f, QStringLiteral("Timer1"), 100, true)
{
}

FrmPicture::FrmPicture(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmPicture"))
    , sys_(sys)
{
    setBorderless(true);
}

void FrmPicture::Form_Load()
{
    const shell::AppState& st = sys_.state;
    auto& ui = uiNoLoad();
    setBackColor(kRed);
    ui.Image1.move(kMargin * st.ScaleX, kMargin * st.ScaleY);
    ui.Timer1.Tick = [this] { Timer1_Timer(); };
    // Dragged anywhere by the picture or the margin.
    auto drag = [this](int button, int, double, double) {
        if (button == plat::button::Left)
            startSystemMove();
    };
    MouseDown = drag;
    ui.Image1.MouseDown = drag;
    ui.Timer1.setEnabled(true);
}

void FrmPicture::Form_QueryUnload(int& cancel)
{
    cancel = 1;
    auto& tm = sys_.form<FrmTm>();
    if (tm.isLoaded() && tm.pictureShown())
        tm.Image2_Click();
    else
        sys_.exerciseWindows().hidePicture();
}

void FrmPicture::showCentred()
{
    show();
    ui().Timer1.setEnabled(true);
}

void FrmPicture::Timer1_Timer()
{
    const shell::AppState& st = sys_.state;
    auto& ui = this->ui();
    setWidth(2 * kMargin * st.ScaleX + ui.Image1.width());
    setHeight(2 * kMargin * st.ScaleY + ui.Image1.height());
    setTopMost(true);
    // Centred at every display setting: the screen and the window are both in the display's
    // twips, so no scale factor enters here.
    setLeft((sys_.screenWidthTwips() - width()) / 2);
    setTop((sys_.screenHeightTwips() - height()) / 2);
    ui.Timer1.setEnabled(false);
}

} // namespace exercise
