#pragma once

// A small form that uses every kind of control, written the way the system's forms are.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/runtime.h"

#include <QStringList>

namespace testsupport {

struct SampleUi {
    explicit SampleUi(plat::Form& f)
        : Back(f.area(), "Back")
        , Title(f.area(), "Title")
        , Pic(f.area(), "Pic")
        , InPic(Pic, "InPic")
        , Frame(f.area(), "Frame")
        , Rule(f.area(), "Rule")
        , Text1(f.area(), "Text1")
        , List1(f.area(), "List1")
        , Help(f.area(), "Help")
        , Hot(f.area(), "Hot")
        , Timer1(f, "Timer1", 100)
    {
        Title.move(300, 150, 5000, 800);
        Title.setCaption(QStringLiteral("全国专业技术人员计算机应用能力考试\r\n练习系统"));
        Title.setFont({ QStringLiteral("黑体"), 14, true });
        Title.setBackStyle(0);
        Title.setForeColor(0x000080); // dark red
        Back.move(300, 1000, 1500, 1500);
        Pic.move(2000, 1000, 2400, 1500);
        Pic.setBackColor(0xFFE0C0);
        InPic.move(150, 150, 2000, 400);
        InPic.setCaption(QStringLiteral("图像大小"));
        InPic.setBackStyle(0);
        Frame.move(300, 2700, 4100, 400);
        Frame.setBorderColor(0xFF);
        Frame.setBorderWidth(2);
        Rule.setPoints(300, 3300, 4400, 3300);
        Text1.move(300, 3500, 2000, 330);
        List1.move(2500, 3500, 1900, 900);
        Help.move(4600, 1000, 2200, 3400);
        Hot.move(300, 2700, 4100, 400); // a transparent, captionless hotspot over the frame
        Hot.setBackStyle(0);
    }
    plat::Image Back;
    plat::Label Title;
    plat::PictureBox Pic;
    plat::Label InPic;
    plat::Shape Frame;
    plat::Line Rule;
    plat::TextBox Text1;
    plat::ListBox List1;
    plat::HtmlView Help;
    plat::Label Hot;
    plat::Timer Timer1;
};

class SampleForm : public plat::FormWith<SampleUi> {
public:
    explicit SampleForm(plat::Runtime& rt)
        : FormWith(rt, QStringLiteral("SampleForm"))
    {
    }

    int loads = 0; // survives unloads
    QStringList log;

protected:
    void Form_Load() override
    {
        ++loads;
        auto& ui = uiNoLoad();
        move(0, 0, 7200, 4800);
        setBorderless(true);
        setBackColor(0xC0C0C0);
        ui.List1.addItem(QStringLiteral("像素"));
        ui.List1.addItem(QStringLiteral("厘米"));
        ui.Help.setHtml(QStringLiteral("<h3>帮助</h3><p>按 Ctrl+Alt+I 打开图像大小。</p>"));
        ui.Hot.Click = [this] { log << QStringLiteral("Hot_Click"); };
        ui.Timer1.Tick = [this] { log << QStringLiteral("Timer1"); };
    }
};

} // namespace testsupport
