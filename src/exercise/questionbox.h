#pragma once

// The panel's question box: a white, framed, read-only box whose text wraps within its width
// and breaks at CR LF. Clicks anywhere on it and keys released in it are the box's own events.

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/font.h"

#include <QString>

namespace exercise {

class QuestionBox {
public:
    QuestionBox(plat::Container& parent, QString name);

    const QString& text() const { return Text.caption(); }
    void setText(const QString& t) { Text.setCaption(t); }
    void move(double left, double top, double width, double height);
    double left() const { return Box.left(); }
    double top() const { return Box.top(); }
    double width() const { return Box.width(); }
    double height() const { return Box.height(); }
    void setFont(const plat::FontSpec& f) { Text.setFont(f); }
    const plat::FontSpec& font() const { return Text.font(); }
    bool visible() const { return Box.visible(); }
    void setVisible(bool v) { Box.setVisible(v); }
    plat::PictureBox& control() { return Box; }
    QWidget* widget() const { return Box.widget(); }

    plat::Handler Click;
    plat::KeyHandler KeyUp;

private:
    plat::PictureBox Box;
    plat::Label Text;
};

} // namespace exercise
