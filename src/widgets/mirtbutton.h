#pragma once

// The system's one push button: a skin picture of four equal frames side by side (normal,
// hover, pressed, disabled) with an optional caption over it. It draws nothing of its own and
// raises one event, Click, on every release that follows a press on it.

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/font.h"
#include "platform/picture.h"
#include "platform/status.h"
#include "platform/timer.h"

#include <QString>

#include <cstdint>

namespace widgets {

class mirtButton {
public:
    // The frames of the skin strip, by their place in it.
    enum Frame { FrameNormal = 0, FrameHover = 1, FramePressed = 2, FrameDisabled = 3 };

    // Creates the button's window and parts in `parent`, enabled, with an empty caption and no
    // picture (white 9-point 宋体 caption, as every host designs it). The hover timer runs from
    // here on.
    mirtButton(plat::Container& parent, QString name, int index = -1);
    mirtButton(const mirtButton&) = delete;
    mirtButton& operator=(const mirtButton&) = delete;

    const QString& name() const { return Box.name(); }
    int index() const { return Box.index(); }

    // Placement in the container's twips. A change of width or height centres the caption again.
    double left() const { return Box.left(); }
    double top() const { return Box.top(); }
    double width() const { return Box.width(); }
    double height() const { return Box.height(); }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void move(double left, double top, double width = -1, double height = -1);
    bool visible() const { return Box.visible(); }
    void setVisible(bool v) { Box.setVisible(v); }

    // The button's properties.
    uint32_t foreColor() const { return LblCaption.foreColor(); }
    void setForeColor(uint32_t c) { LblCaption.setForeColor(c); }
    bool enabled() const { return Box.enabled(); }
    // Shows the normal frame when enabled, the disabled one when not; the caption stays put.
    void setEnabled(bool e);
    // Font changes resize the caption but leave it where it is until the next centring.
    const plat::FontSpec& font() const { return LblCaption.font(); }
    void setFont(const plat::FontSpec& f);
    const QString& caption() const { return LblCaption.caption(); }
    void setCaption(const QString& c);
    bool fontBold() const { return font().bold; }
    void setFontBold(bool b);
    const QString& fontName() const { return font().name; }
    // An empty face name keeps the current face.
    void setFontName(const QString& n);
    double fontSize() const { return font().size; }
    // A size of 0 or less keeps the current size.
    void setFontSize(double points);
    bool fontUnderline() const { return font().underline; }
    void setFontUnderline(bool u);
    const plat::Picture& mouseIcon() const { return Box.mouseIcon(); }
    plat::Status setMouseIcon(const QString& path);
    int mousePointer() const { return Box.mousePointer(); }
    plat::Status setMousePointer(int pointer);
    const plat::Picture& picture() const { return ImgBack.picture(); }
    // Replaces the frame strip; the frame shown stays the same (frame 3 of the new picture on a
    // disabled button). The empty name clears it.
    plat::Status setPicture(const QString& path);
    void setPicture(const plat::Picture& p);

    plat::Handler Click; // raised last, with the button at rest: it may unload the host

    // The frame shown now.
    Frame frame() const { return frame_; }
    // The parts, for hosts that look at them.
    const plat::Label& captionLabel() const { return LblCaption; }
    const plat::Image& backImage() const { return ImgBack; }
    const plat::Timer& hoverTimer() const { return Timer1; }
    // The button's own window as a control of the host (z-order, focus, input in tests); its
    // widget is what the hover test compares with the window under the pointer.
    plat::PictureBox& control() { return Box; }

    // Where a part of size `inner` sits inside `outer` (twips): half the difference rounded to
    // the nearest whole twip (a half to the even one), then down to a multiple of 15 toward 0.
    static double centredOffset(double outer, double inner);

private:
    void centreCaption();
    void showFrame(Frame f);
    void resized();
    bool isMouseOver() const;
    // The three mouse steps, fed by the picture, the caption and the bare window alike.
    void pointerMoved();
    void pressed();
    void released();
    void hoverTick();
    void wire(plat::EventSlots& s);

    plat::PictureBox Box; // the button's own window, painted RGB(255, 128, 255)
    plat::Image ImgBack; // the frame strip
    plat::Label LblCaption; // the caption
    plat::Timer Timer1; // the hover timer, 100 ms
    Frame frame_ = FrameNormal;
};

} // namespace widgets
