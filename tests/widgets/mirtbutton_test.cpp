// The skinned push button: frames, caption placement, the hover timer and Click.

#include "support/systemapp.h"
#include "support/testsupport.h"
#include "widgets/mirtbutton.h"

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/keys.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>

using widgets::mirtButton;

namespace {

constexpr double kW = 1350, kH = 450; // 90 × 30 pixels
constexpr std::array<QRgb, 4> kFrameColours { 0xff2f6fbf, 0xff4f9fef, 0xff1f3f7f, 0xff9f9f9f };

// A four-frame strip, one colour per frame, each frame with its number in it.
QImage frameStrip(int frameW, int frameH, const std::array<QRgb, 4>& colours)
{
    QImage img(frameW * 4, frameH, QImage::Format_RGB32);
    QPainter p(&img);
    for (int k = 0; k < 4; ++k) {
        const QRect r(k * frameW, 0, frameW, frameH);
        p.fillRect(r, QColor::fromRgb(colours[k]));
        p.setPen(Qt::white);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.drawText(r.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QString::number(k));
    }
    return img;
}

struct HostUi {
    explicit HostUi(plat::Form& f)
        : Btn(f.area(), QStringLiteral("Btn"))
        , Cover(f.area(), QStringLiteral("Cover"))
    {
        Btn.move(600, 600, kW, kH);
        // A window over the right half of the button, hidden until a test shows it.
        Cover.move(600 + kW / 2, 600, kW / 2, kH);
        Cover.setVisible(false);
    }
    mirtButton Btn;
    plat::PictureBox Cover;
};

class HostForm : public plat::FormWith<HostUi> {
public:
    explicit HostForm(shell::System& sys)
        : FormWith(sys, QStringLiteral("HostForm"))
    {
    }

protected:
    void Form_Load() override
    {
        move(0, 0, 3000, 1800);
        setBorderless(true);
        setBackColor(0xE0E0E0);
    }
};

class ButtonTest : public ::testing::Test {
protected:
    ButtonTest()
    {
        app.writeSkin(QStringLiteral("btn"), frameStrip(90, 30, kFrameColours));
        (void)btn().setPicture(app.sys->skinFile(QStringLiteral("btn")));
        btn().setCaption(QStringLiteral("确定"));
        btn().Click = [this] { ++clicks; };
        host().show();
    }

    HostForm& host() { return app.sys->form<HostForm>(); }
    mirtButton& btn() { return host().ui().Btn; }
    testsupport::HeadlessDriver& drv() { return *app.driver; }
    QPointF centre() { return testsupport::HeadlessDriver::centreInForm(btn().control()); }
    QPointF leftHalf() { return QPointF(600 + kW / 4, 600 + kH / 2); }
    QPointF rightHalf() { return QPointF(600 + 3 * kW / 4, 600 + kH / 2); }
    static constexpr QPointF kAway { 2700, 1500 };

    // The colour of the frame drawn at the button's top-left inside corner.
    QRgb shownColour()
    {
        const QImage img = testsupport::HeadlessDriver::render(host());
        return img.pixel(600 / 15 + 2, 600 / 15 + 2);
    }

    double centredLeft() { return mirtButton::centredOffset(kW, btn().captionLabel().width()); }
    double centredTop() { return mirtButton::centredOffset(kH, btn().captionLabel().height()); }

    testsupport::SystemApp app;
    int clicks = 0;
};

struct CentringCase {
    double outer, inner, expected;
};

TEST(ButtonCentring, RoundsHalfToEvenThenDownToWholePixels)
{
    // Half-differences -20, -10, 22.5, 37.5, 7.5, 0, 14.5, -14.5 (a half below a whole pixel
    // goes to the even 14, not up to 15).
    const CentringCase cases[] = {
        { 1000, 1040, -15 },
        { 1000, 1020, 0 },
        { 1000, 955, 15 },
        { 1000, 925, 30 },
        { 1000, 985, 0 },
        { 600, 600, 0 },
        { 1000, 971, 0 },
        { 1000, 1029, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(mirtButton::centredOffset(c.outer, c.inner), c.expected)
            << c.outer << " " << c.inner;
}

TEST_F(ButtonTest, FramesFollowTheStateAndTheStripMovesByWholeButtonWidths)
{
    EXPECT_EQ(btn().frame(), mirtButton::FrameNormal);
    EXPECT_EQ(shownColour(), kFrameColours[0]);
    drv().moveTo(host(), leftHalf());
    EXPECT_EQ(btn().backImage().left(), -kW);
    EXPECT_EQ(shownColour(), kFrameColours[1]);
    drv().press(host(), leftHalf());
    EXPECT_EQ(btn().backImage().left(), -2 * kW);
    EXPECT_EQ(shownColour(), kFrameColours[2]);
    drv().release(host(), leftHalf());
    // At rest after the click, although the pointer is still over it.
    EXPECT_EQ(shownColour(), kFrameColours[0]);
    btn().setEnabled(false);
    EXPECT_EQ(btn().backImage().left(), -3 * kW);
    EXPECT_EQ(shownColour(), kFrameColours[3]);
}

TEST_F(ButtonTest, PressMovesTheCaptionOnePixelAndReleaseCentresIt)
{
    const double left = centredLeft(), top = centredTop();
    EXPECT_EQ(btn().captionLabel().left(), left);
    EXPECT_EQ(btn().captionLabel().top(), top);
    drv().press(host(), centre());
    EXPECT_EQ(btn().captionLabel().left(), left + 15);
    EXPECT_EQ(btn().captionLabel().top(), top + 15);
    drv().release(host(), centre());
    EXPECT_EQ(btn().captionLabel().left(), left);
    EXPECT_EQ(btn().captionLabel().top(), top);
}

TEST_F(ButtonTest, PressInsideAndReleaseOutsideClicksOnce)
{
    drv().press(host(), centre());
    drv().moveTo(host(), kAway);
    // A tick with the pointer away puts it at rest before the release comes.
    drv().advance(100);
    EXPECT_EQ(btn().frame(), mirtButton::FrameNormal);
    EXPECT_EQ(btn().captionLabel().left(), centredLeft());
    EXPECT_FALSE(btn().hoverTimer().enabled());
    // Back over it with the button held: the hover frame, never the pressed one again.
    drv().moveTo(host(), centre());
    EXPECT_EQ(btn().frame(), mirtButton::FrameHover);
    drv().moveTo(host(), kAway);
    EXPECT_EQ(clicks, 0);
    drv().release(host(), kAway);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(btn().frame(), mirtButton::FrameNormal);
}

TEST_F(ButtonTest, EveryMouseButtonClicks)
{
    for (int b : { plat::button::Left, plat::button::Right, plat::button::Middle }) {
        clicks = 0;
        drv().press(host(), centre(), b);
        EXPECT_EQ(btn().frame(), mirtButton::FramePressed) << b;
        drv().release(host(), centre(), b);
        EXPECT_EQ(clicks, 1) << b;
    }
}

TEST_F(ButtonTest, DoubleClickClicksTwiceWithoutASecondPressedFrame)
{
    std::vector<int> framesAtClick;
    btn().Click = [&] { framesAtClick.push_back(btn().frame()); };
    btn().control().DblClick = nullptr;
    drv().doubleClick(btn().control());
    EXPECT_EQ(framesAtClick, (std::vector<int> { 0, 0 }));
}

TEST_F(ButtonTest, ClickComesLastAndMayUnloadTheHost)
{
    bool atRest = false;
    btn().Click = [&] {
        atRest = btn().frame() == mirtButton::FrameNormal && !btn().hoverTimer().enabled()
            && btn().captionLabel().left() == centredLeft();
        host().unload();
    };
    drv().click(btn().control());
    EXPECT_TRUE(atRest);
    EXPECT_FALSE(host().isLoaded());
    drv().advance(500); // nothing of the old button ticks on
}

TEST_F(ButtonTest, HoverLastsWhileThePointerStaysOverTheButtonsOwnWindow)
{
    drv().moveTo(host(), leftHalf());
    drv().advance(300);
    EXPECT_EQ(btn().frame(), mirtButton::FrameHover);
    EXPECT_TRUE(btn().hoverTimer().enabled());
    // A window lying over the button counts as away.
    host().ui().Cover.setVisible(true);
    drv().moveTo(host(), rightHalf());
    drv().advance(100);
    EXPECT_EQ(btn().frame(), mirtButton::FrameNormal);
    EXPECT_FALSE(btn().hoverTimer().enabled());
}

TEST_F(ButtonTest, ANewPictureOnADisabledButtonShowsItsDisabledFrame)
{
    btn().setEnabled(false);
    const std::array<QRgb, 4> other { 0xff00ff00, 0xff0000ff, 0xffff0000, 0xff00ffff };
    app.writeSkin(QStringLiteral("btn2"), frameStrip(90, 30, other));
    ASSERT_TRUE(btn().setPicture(app.sys->skinFile(QStringLiteral("btn2"))).ok());
    EXPECT_EQ(btn().frame(), mirtButton::FrameDisabled);
    EXPECT_EQ(shownColour(), other[3]);
}

TEST_F(ButtonTest, ADisabledButtonKeepsItsDisabledFrameWhenItsHoverTimerTicks)
{
    // Disabled while hovering: the timer still runs and meets the pointer away.
    drv().moveTo(host(), centre());
    btn().setEnabled(false);
    drv().moveTo(host(), kAway);
    drv().advance(100);
    EXPECT_EQ(btn().frame(), mirtButton::FrameDisabled);
    EXPECT_EQ(shownColour(), kFrameColours[3]);
    EXPECT_FALSE(btn().hoverTimer().enabled());
    // And it takes no input.
    drv().click(btn().control());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(btn().frame(), mirtButton::FrameDisabled);
}

TEST_F(ButtonTest, AResizedButtonKeepsShowingTheSameFrame)
{
    btn().setEnabled(false);
    btn().setWidth(1200);
    EXPECT_EQ(btn().backImage().left(), -3 * 1200);
    EXPECT_EQ(
        btn().captionLabel().left(), mirtButton::centredOffset(1200, btn().captionLabel().width()));
}

TEST_F(ButtonTest, RenderingsOfTheFourStates)
{
    const QString dir = testsupport::outputDir();
    auto save = [&](const char* state, QRgb expected) {
        EXPECT_EQ(shownColour(), expected) << state;
        EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(
            host(), dir + QStringLiteral("/mirtbutton_%1.png").arg(QLatin1String(state))));
    };
    save("normal", kFrameColours[0]);
    drv().moveTo(host(), centre());
    save("hover", kFrameColours[1]);
    drv().press(host(), centre());
    save("pressed", kFrameColours[2]);
    drv().release(host(), centre());
    btn().setEnabled(false);
    save("disabled", kFrameColours[3]);
}

} // namespace
