#pragma once

// FrmIME: the input-method option. Its check box decides whether the answer fields switch to
// the keyboard layout chosen in the panel's menu, and keeps the choice in the learner's option
// file. Closing it unfolds the question panel at the simulated window's corner again.

#include "platform/controls.h"
#include "platform/form.h"
#include "widgets/mirtbutton.h"

#include <QImage>

namespace shell {
class System;
}

namespace exercise {

// A check box: a square and its caption on a coloured ground. A click anywhere on it turns it
// over; setting the value raises Click when the value changes, as a click would.
class CheckBox {
public:
    CheckBox(plat::Container& parent, QString name);
    void move(double left, double top, double width, double height);
    bool value() const { return value_; }
    void setValue(bool v);
    void setCaption(const QString& c) { Caption.setCaption(c); }
    void setFont(const plat::FontSpec& f);
    void setBackColor(uint32_t c);
    void setForeColor(uint32_t c) { Caption.setForeColor(c); }
    plat::PictureBox& control() { return Box; }
    const plat::Label& captionLabel() const { return Caption; }

    plat::Handler Click;

private:
    void drawBox();
    plat::PictureBox Box;
    plat::Image Square;
    plat::Label Caption;
    bool value_ = false;
};

struct FrmIMEUi {
    explicit FrmIMEUi(plat::Form& f);
    plat::Image ImgLogo1;
    plat::Label lblMove; // transparent drag strip
    plat::ControlArray<plat::Label> Label1; // 0 the advice, 2 the title
    CheckBox Check1; // "调用输入法"
    plat::ControlArray<widgets::mirtButton> LblClick; // 0 close, 1 confirm
};

class FrmIME : public plat::FormWith<FrmIMEUi> {
public:
    explicit FrmIME(shell::System& sys);

    void Check1_Click();

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    shell::System& sys_;
    bool restoringBox_ = false; // the box set back after a failed save: no second save
};

} // namespace exercise
