#include "exam/examwindows.h"

#include "core/system.h"
#include "exam/examrules.h"
#include "exercise/frmtm.h"
#include "home/frmfengmian.h"
#include "records/learnerrecords.h"

#include <QDateTime>

namespace exam {

QString slotDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

QString examTimeNow() { return records::historyTime(QDateTime::currentDateTime()); }

void resetPanelClock(shell::System& sys)
{
    const shell::AppState& st = sys.state;
    auto& tm = sys.form<exercise::FrmTm>();
    tm.showClock(minutesCaption(st.MinutesLeft), (50 - st.MinutesLeft) * tm.clockTrackWidth() / 50);
}

void showHome(shell::System& sys) { sys.form<home::FrmFengmian>().show(); }

} // namespace exam
