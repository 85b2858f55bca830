// FrmMain's context menu wm100: systemMenu fills it from the step's menu of the menu file, and a
// choice in it is judged against the step's MenuCode.

#include "workspace/frmmain.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "menus/contextmenu.h"
#include "platform/menu.h"

#include <QDateTime>

namespace workspace {

void FrmMain::installContextMenu()
{
    if (plat::MenuItem* wm100 = menuBar().find(QStringLiteral("wm100")))
        menus::connectPopup(*wm100, [this](int position, int index) {
            wm100_Click(position, static_cast<int16_t>(index));
        });
}

void FrmMain::systemMenu()
{
    shell::AppState& st = sys_.state;
    plat::MenuItem* wm100 = menuBar().find(QStringLiteral("wm100"));
    if (!wm100)
        return;
    // Nothing of the last menu may show in this one.
    menus::clearPopup(*wm100);
    StepTypeValue
        = static_cast<int16_t>(menus::menuCodeOfStep(stepengine::StepRecord(st.StepLine)));
    const QString file = sys_.programFile(menus::kMenuFileName);
    const auto menu = menus::readContextMenu(file, StepTypeValue / 1000, MenuNo);
    if (!menu.ok()) {
        // The popup stays empty, so it does not show; the log keeps why.
        shell::AppendLog(st.LogPath,
            QStringLiteral("context menu %1 not shown: %2")
                .arg(StepTypeValue)
                .arg(menu.error().description),
            QDateTime::currentDateTime());
        return;
    }
    menus::fillPopup(*wm100, menu.value());
}

void FrmMain::wm100_Click(int position, int16_t index)
{
    StepTypeValue
        = static_cast<int16_t>(menus::menuCodeOfStep(stepengine::StepRecord(sys_.state.StepLine)));
    if (menus::choiceMatches(StepTypeValue, MenuNo, position, index))
        doNext();
}

} // namespace workspace
