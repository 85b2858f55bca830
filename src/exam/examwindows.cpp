#include "exam/examwindows.h"

#include "core/system.h"
#include "demo/frmyanshi.h"
#include "exam/examrules.h"
#include "exercise/frmpicture.h"
#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "records/learnerrecords.h"
#include "workspace/frmmain.h"

#include <QDateTime>

namespace exam {

QString slotDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

QString examTimeNow() { return records::historyTime(QDateTime::currentDateTime()); }

void startExamination(shell::System& sys)
{
    auto& tm = sys.form<exercise::FrmTm>();
    tm.ui().TimerREDO.setEnabled(true);
    sys.form<workspace::FrmMain>().show();
    tm.show();
}

void dockPanel(shell::System& sys)
{
    auto& tm = sys.form<exercise::FrmTm>();
    auto& main = sys.form<workspace::FrmMain>();
    tm.setLeft(main.left() + main.width() - tm.width());
    tm.setTop(main.top() + main.height() - tm.height());
}

void resetPanelClock(shell::System& sys)
{
    const shell::AppState& st = sys.state;
    auto& ui = sys.form<exercise::FrmTm>().ui();
    ui.LblTime.setCaption(minutesCaption(st.MinutesLeft));
    ui.LblTimeJD.setWidth((50 - st.MinutesLeft) * ui.PTime.width() / 50);
}

void closeExaminationWindows(shell::System& sys)
{
    shell::AppState& st = sys.state;
    // The flag goes first: a demonstration closed with it on hands back to the practice windows.
    st.DemoActive = 0;
    auto& demo = sys.form<demo::FrmYanShi>();
    if (demo.isLoaded())
        demo.unload();
    auto& picture = sys.form<exercise::FrmPicture>();
    if (picture.isLoaded())
        picture.hide();
    st.PanelCanClose = -1;
    sys.form<exercise::FrmTm>().unload();
    sys.form<workspace::FrmMain>().unload();
}

void showHome(shell::System& sys) { sys.form<home::FrmFengmian>().show(); }

} // namespace exam
