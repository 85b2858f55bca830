#pragma once

#include <functional>

namespace plat {

// Event handlers of a control or a form, as the forms assign them. Button: 1 left, 2 right,
// 4 middle (in MouseMove: the mask of buttons held); Shift: 1 Shift, 2 Ctrl, 4 Alt; X and Y in
// twips relative to the control.
using MouseHandler = std::function<void(int button, int shift, double x, double y)>;
using KeyHandler = std::function<void(int& keyCode, int shift)>;
using KeyPressHandler = std::function<void(int& keyAscii)>;
using Handler = std::function<void()>;

struct EventSlots {
    MouseHandler MouseDown;
    MouseHandler MouseMove;
    MouseHandler MouseUp;
    Handler Click;
    Handler DblClick;
    KeyHandler KeyDown;
    KeyHandler KeyUp;
    KeyPressHandler KeyPress;
    Handler GotFocus;
    Handler LostFocus;
    Handler Change; // text boxes
};

} // namespace plat
