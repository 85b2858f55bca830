#include "exercise/questionbox.h"

#include "platform/color.h"

namespace exercise {

namespace {
    constexpr int kInsetPixels = 4;
}

QuestionBox::QuestionBox(plat::Container& parent, QString name)
    : Box(parent, name)
    , Text(Box, name + QStringLiteral(".Text"))
{
    Box.setBackColor(plat::rgb(255, 255, 255));
    Box.setBorderStyle(1);
    Text.setBackStyle(0);
    Text.setWordWrap(true);
    Text.setForeColor(plat::rgb(0, 0, 0));
    auto click = [this] {
        if (Click)
            Click();
    };
    Box.Click = click;
    Text.Click = click;
    Box.KeyUp = [this](int& keyCode, int shift) {
        if (KeyUp)
            KeyUp(keyCode, shift);
    };
}

void QuestionBox::move(double left, double top, double width, double height)
{
    Box.move(left, top, width, height);
    const double ix = kInsetPixels * Text.tppX(), iy = kInsetPixels * Text.tppY();
    Text.move(ix, iy, width - 2 * ix, height - 2 * iy);
}

} // namespace exercise
