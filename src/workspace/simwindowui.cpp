#include "workspace/simwindowui.h"

#include "workspace/design.h"
#include "workspace/pickers.h"

namespace workspace {

using namespace design;

SimWindowUi::SimWindowUi(plat::Form& f)
    : Image1(f.area(), QStringLiteral("Image1"))
    , Image2(f.area(), QStringLiteral("Image2"))
    , Image3(f.area(), QStringLiteral("Image3"))
    , Image4(f.area(), QStringLiteral("Image4"))
    , Image5(f.area(), QStringLiteral("Image5"))
    , Label1(f.area(), QStringLiteral("Label1"))
    , Shape1(f.area(), QStringLiteral("Shape1"))
    , Label4(f.area(), QStringLiteral("Label4"))
    , Shape4(f.area(), QStringLiteral("Shape4"))
    , Shape6(f.area(), QStringLiteral("Shape6"))
    , Shape2(f.area(), QStringLiteral("Shape2"))
    , LblXXK(f.area(), QStringLiteral("LblXXK"))
    , LHelp(f.area(), QStringLiteral("LHelp"))
    , Text1(f.area(), QStringLiteral("Text1"))
    , Text2(f.area(), QStringLiteral("Text2"))
    , LstLA(f.area(), QStringLiteral("LstLA"))
    , PicLeft(f.area(), QStringLiteral("PicLeft"))
    , PicTop(f.area(), QStringLiteral("PicTop"))
    , PicRight(f.area(), QStringLiteral("PicRight"))
    , PicBottom(f.area(), QStringLiteral("PicBottom"))
    , PicList(f.area(), QStringLiteral("PicList"))
    , LblADDmyXZ(PicList, QStringLiteral("LblADDmyXZ"))
    , LblADD(PicList, QStringLiteral("LblADD"))
    , ImgLiN(PicList, QStringLiteral("ImgLiN"))
    , ImgSelAD(PicList, QStringLiteral("ImgSelAD"))
{
    for (plat::Label* area : { &Label1, &Label4 })
        transparent(*area);
    frame(Shape1, kRed);
    frame(Shape4, kGreen);
    frame(Shape2, kYellow);
    place(Shape2, kYellowFrame);
    Shape6.setBorderStyle(3);
    designTabLabels(LblXXK);
    designHintLabel(LHelp);

    for (plat::TextBox* t : { &Text1, &Text2 }) {
        place(*t, kText1);
        t->setVisible(false);
    }
    place(LstLA, kList);
    LstLA.setVisible(false);
    for (plat::PictureBox* strip : { &PicLeft, &PicTop, &PicRight, &PicBottom }) {
        strip->move(0, 0, kStrip, kStrip);
        strip->setBackColor(kStripColour);
        strip->setVisible(false);
    }

    place(PicList, kLocationList);
    transparent(LblADDmyXZ);
    for (int i = 0; i < kLocationRows; ++i) {
        transparent(LblADD.create(i));
        ImgLiN.create(i);
    }
}

} // namespace workspace
