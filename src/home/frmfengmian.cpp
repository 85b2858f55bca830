#include "home/frmfengmian.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "platform/text.h"

namespace home {

FrmFengmianUi::FrmFengmianUi(plat::Form& f)
    : LblTitle(f.area(), QStringLiteral("LblTitle"))
    , LblInfo(f.area(), QStringLiteral("LblInfo"))
    , LblExit(f.area(), QStringLiteral("LblExit"))
{
    LblTitle.setBackStyle(0);
    LblTitle.setForeColor(0x6A3A10);
    LblTitle.setAlignment(2);
    LblTitle.setFont({ QStringLiteral("黑体"), 18, true });
    plat::Label& info = LblInfo.create(0);
    info.setBackStyle(0);
    info.setAlignment(2);
    info.setForeColor(0x404040);
    info.setFont({ QStringLiteral("宋体"), 10 });
    LblExit.setBackStyle(1);
    LblExit.setBackColor(0xE0C8A0);
    LblExit.setAlignment(2);
    LblExit.setFont({ QStringLiteral("黑体"), 11 });
    LblExit.setCaption(QStringLiteral("退出"));
    LblExit.setMousePointer(99).ignore();
}

FrmFengmian::FrmFengmian(shell::System& sys)
    : FormWith(sys, QStringLiteral("FrmFengmian"))
    , sys_(sys)
{
    setCentered(true);
}

void FrmFengmian::Form_Load()
{
    shell::AppState& st = sys_.state;
    st.ScaleX = sys_.twipsPerPixelX() / 15;
    st.ScaleY = sys_.twipsPerPixelY() / 15;
    auto& ui = uiNoLoad();
    setWidth(9000 * st.ScaleX);
    setHeight(4500 * st.ScaleY);
    setBackColor(0xF4EDE4);
    setCaption(st.AppTitle);
    ui.LblTitle.move(0, 900 * st.ScaleY, 9000 * st.ScaleX, 700 * st.ScaleY);
    ui.LblTitle.setCaption(st.ModuleShortName.isEmpty() ? st.AppTitle : st.ModuleShortName);
    ui.LblInfo[0].move(0, 2000 * st.ScaleY, 9000 * st.ScaleX, 400 * st.ScaleY);
    ui.LblExit.move(3900 * st.ScaleX, 3000 * st.ScaleY, 1200 * st.ScaleX, 420 * st.ScaleY);
    ui.LblExit.setMousePointer(0).ignore();
    ui.LblExit.Click = [this] { sys_.end(); };
    FengMainCsh();
}

void FrmFengmian::Form_Unload(int&) { sys_.end(); }

void FrmFengmian::FengMainCsh()
{
    shell::AppState& st = sys_.state;
    const shell::ErrorSite site(st, QStringLiteral("fengmaincsh"));
    st.BankVersion.clear();
    auto lines = plat::readLines(sys_.skinFile(QStringLiteral("288895")));
    if (site.check(lines) && !lines.value().isEmpty())
        st.BankVersion = plat::trimSpaces(lines.value().first());
    else if (lines.ok())
        site.fail(62, QStringLiteral("Input past end of file"));
    ui().LblInfo[0].setCaption(QStringLiteral("题库版本：V") + st.BankVersion);
}

} // namespace home
