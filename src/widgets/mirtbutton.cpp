#include "widgets/mirtbutton.h"

#include "platform/color.h"
#include "platform/rounding.h"
#include "platform/runtime.h"

#include <QApplication>
#include <QWidget>

#include <cmath>

namespace widgets {

mirtButton::mirtButton(plat::Container& parent, QString name, int index)
    : Box(parent, std::move(name), index)
    , ImgBack(Box, QStringLiteral("ImgBack"))
    , LblCaption(Box, QStringLiteral("LblCaption"))
    , Timer1(parent.form(), QStringLiteral("Timer1"), 100, true)
{
    Box.setBackColor(plat::rgb(255, 128, 255));
    Box.setBorderStyle(0);
    LblCaption.setBackStyle(0);
    LblCaption.setAutoSize(true);
    LblCaption.setForeColor(plat::rgb(255, 255, 255));
    LblCaption.setFont({ QStringLiteral("宋体"), 9 });
    wire(Box);
    wire(ImgBack);
    wire(LblCaption);
    Timer1.Tick = [this] { hoverTick(); };
    centreCaption();
    showFrame(FrameNormal);
}

void mirtButton::wire(plat::EventSlots& s)
{
    // Which mouse button it was does not matter to any of the three steps.
    s.MouseDown = [this](int, int, double, double) { pressed(); };
    s.MouseMove = [this](int, int, double, double) { pointerMoved(); };
    s.MouseUp = [this](int, int, double, double) { released(); };
}

double mirtButton::centredOffset(double outer, double inner)
{
    // Whole twips first (a half goes to the even neighbour), then down to a multiple of 15.
    const double n = plat::roundHalfEven((outer - inner) / 2);
    return 15 * std::trunc(n / 15);
}

void mirtButton::centreCaption()
{
    LblCaption.setLeft(centredOffset(Box.width(), LblCaption.width()));
    LblCaption.setTop(centredOffset(Box.height(), LblCaption.height()));
}

void mirtButton::showFrame(Frame f)
{
    frame_ = f;
    ImgBack.setLeft(-int(f) * Box.width());
}

void mirtButton::resized()
{
    centreCaption();
    ImgBack.setTop(0);
    // The strip's frames are as wide as the button: keep showing the same frame.
    showFrame(frame_);
}

void mirtButton::setLeft(double v) { Box.setLeft(v); }
void mirtButton::setTop(double v) { Box.setTop(v); }

void mirtButton::setWidth(double v)
{
    Box.setWidth(v);
    resized();
}

void mirtButton::setHeight(double v)
{
    Box.setHeight(v);
    resized();
}

void mirtButton::move(double left, double top, double width, double height)
{
    const double w = Box.width(), h = Box.height();
    Box.move(left, top, width, height);
    if (Box.width() != w || Box.height() != h)
        resized();
}

void mirtButton::setEnabled(bool e)
{
    Box.setEnabled(e);
    showFrame(e ? FrameNormal : FrameDisabled);
}

void mirtButton::setFont(const plat::FontSpec& f) { LblCaption.setFont(f); }

void mirtButton::setCaption(const QString& c)
{
    LblCaption.setCaption(c);
    centreCaption();
}

void mirtButton::setFontBold(bool b)
{
    plat::FontSpec f = font();
    f.bold = b;
    setFont(f);
}

void mirtButton::setFontName(const QString& n)
{
    if (n.isEmpty())
        return;
    plat::FontSpec f = font();
    f.name = n;
    setFont(f);
}

void mirtButton::setFontSize(double points)
{
    if (!(points > 0))
        return;
    plat::FontSpec f = font();
    f.size = points;
    setFont(f);
}

void mirtButton::setFontUnderline(bool u)
{
    plat::FontSpec f = font();
    f.underline = u;
    setFont(f);
}

plat::Status mirtButton::setMouseIcon(const QString& path)
{
    // The parts lie over the window, so the pointer they show is the button's.
    plat::Status s = Box.setMouseIcon(path);
    if (!s)
        return s;
    ImgBack.setMouseIcon(path).ignore();
    LblCaption.setMouseIcon(path).ignore();
    return s;
}

plat::Status mirtButton::setMousePointer(int pointer)
{
    plat::Status s = Box.setMousePointer(pointer);
    if (!s)
        return s;
    ImgBack.setMousePointer(pointer).ignore();
    LblCaption.setMousePointer(pointer).ignore();
    return s;
}

plat::Status mirtButton::setPicture(const QString& path)
{
    auto pic = plat::loadPicture(path);
    if (!pic)
        return pic.status();
    setPicture(pic.value());
    return {};
}

void mirtButton::setPicture(const plat::Picture& p)
{
    ImgBack.setPicture(p);
    // An empty picture leaves the strip's size as it was; the frame shown is unchanged.
}

bool mirtButton::isMouseOver() const
{
    QWidget* own = Box.widget();
    if (!own || !own->isVisible())
        return false;
    // Another window lying over the button is found first and counts as away.
    return QApplication::widgetAt(Box.Control::runtime().pointerPosition()) == own;
}

void mirtButton::pointerMoved()
{
    if (frame_ == FrameNormal) {
        showFrame(FrameHover);
        centreCaption();
    }
    Timer1.setEnabled(true);
}

void mirtButton::pressed()
{
    showFrame(FramePressed);
    centreCaption();
    // One display pixel right and down.
    LblCaption.move(LblCaption.left() + LblCaption.tppX(), LblCaption.top() + LblCaption.tppY());
    Timer1.setEnabled(true);
}

void mirtButton::released()
{
    showFrame(FrameNormal);
    centreCaption();
    Timer1.setEnabled(false);
    // Last: the handler may open a modal window or unload the host, and this button with it.
    if (plat::Handler click = Click)
        click();
}

void mirtButton::hoverTick()
{
    if (isMouseOver())
        return;
    // A disabled button keeps its disabled frame; only hover and press fall back to normal.
    if (frame_ == FrameHover || frame_ == FramePressed) {
        showFrame(FrameNormal);
        centreCaption();
    }
    Timer1.setEnabled(false);
}

} // namespace widgets
