// The home refresh: the whole home screen rebuilt from the module data and the learner records.

#include "core/errorreport.h"
#include "core/system.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"
#include "home/homerules.h"
#include "platform/services.h"
#include "platform/text.h"
#include "records/homefiles.h"
#include "records/learnerrecords.h"
#include "records/operation.h"
#include "records/recordfiles.h"

#include <QDateTime>

#include <algorithm>

namespace home {

namespace {
    constexpr double kFooterGap = 240; // design twips between two footer labels
}

void FrmFengmian::FengMainCsh()
{
    shell::AppState& st = sys_.state;
    const shell::ErrorSite site(st, QStringLiteral("fengmaincsh"));
    const records::DataDir data = records::DataDir::of(sys_);
    const records::RecordsDir recs = records::RecordsDir::of(sys_);
    auto& ui = this->ui();
    const double sx = st.ScaleX;
    const double sy = st.ScaleY;

    // The question-bank version, which the update check compares and the error reports send.
    QString bankLine;
    const auto bank = plat::readLines(records::BankVersionFile(data));
    if (site.check(bank) && !bank.value().isEmpty())
        bankLine = bank.value().first();
    st.BankVersion = plat::trimSpaces(bankLine);

    // The data folder must belong to this module, or the learner would practise another
    // module's questions under this one's name; otherwise say so and end.
    if (!records::moduleNumberMatches(data, st.ModuleNo, site)) {
        if (st.LogPath.isEmpty())
            st.LogPath = shell::runLogPath(sys_.programDir(), QDateTime::currentDateTime());
        site.fail(plat::err::TypeMismatch,
            QStringLiteral("the module data folder does not belong to module %1").arg(st.ModuleNo));
        sys_.services().messageBoxes->show(plat::MessageBoxes::Kind::Information,
            QStringLiteral("题库数据与本模块不符（模块编号不一致），程序将退出。\n请重新安装或升级"
                           "题库后再启动。"),
            st.AppTitle);
        sys_.end();
        return;
    }

    // Footer texts, the input-method option, caption and title.
    ui.LblInfo[1].setCaption(QStringLiteral("官方网站：") + st.ProductInfo[16]);
    ui.LblInfo[2].setCaption(QStringLiteral("客服电话：") + st.ProductInfo[10]);
    ui.LblInfo[3].setCaption(QStringLiteral("客服QQ：") + st.ProductInfo[11]);
    st.UseIme = records::readImeOption(recs, site).on ? 1 : 0;
    setCaption(QStringLiteral("全国专业技术人员计算机应用能力考试练习系统"));
    ui.LblCaption.move(240 * sx, 120 * sy);
    ui.LblCaption.setFontSize(10 * sx);
    ui.LblInfo[0].setCaption(QStringLiteral("题库版本：V") + bankLine);
    ui.LblCaption.setCaption(st.ModuleShortName);

    // Every button points with the hand; then the hidden and shown ones.
    const QString hand = sys_.skinFile(QStringLiteral("9l0015"));
    bool handLoads = true;
    for (int i = 0; i <= 99; ++i) {
        if (!ui.ClickBotn.exists(i))
            continue;
        ui.ClickBotn[i].setMousePointer(plat::kCustomPointer).ignore();
        // One report for a missing pointer picture, not one per button.
        if (handLoads)
            handLoads = site.check(ui.ClickBotn[i].setMouseIcon(hand));
    }
    // The links point with the hand; the phone number is no link.
    for (int i : { 0, 1, 3, 17, 18, 19, 20, 21 }) {
        ui.LblInfo[i].setMousePointer(plat::kCustomPointer).ignore();
        ui.LblInfo[i].setMouseIcon(hand).ignore();
    }
    ui.ClickBotn[0].setVisible(false);
    ui.ClickBotn[1].setVisible(false);
    ui.ClickBotn[8].setVisible(true);

    // Footer labels, placed and coloured as the product information says.
    const auto colour = plat::toInt32(plat::val(st.ProductInfo[29]));
    for (int i = 0; i <= 3; ++i) {
        plat::Label& l = ui.LblInfo[i];
        l.setTop(8670 * sy);
        l.setFontSize(9 * sx);
        if (site.check(colour))
            l.setForeColor(static_cast<uint32_t>(colour.value()));
        l.setLeft(plat::val(st.ProductInfo[static_cast<size_t>(30 + i)]) * sx);
        // A long text must not run into the next label: it moves right as far as needed.
        if (i > 0) {
            const plat::Label& before = ui.LblInfo[i - 1];
            l.setLeft(std::max(l.left(), before.left() + before.width() + kFooterGap * sx));
        }
    }

    // Paper and unit counts and the random papers, which the panels below lay out.
    const records::PaperCounts counts = records::readPaperCounts(data, site);
    st.FixedPaperCount = counts.fixedPaperCount;
    st.UnitCount = counts.unitCount;
    RandomPaperCount = records::randomPaperCount(recs, site);

    // Faces of the buttons 0 to 48; the unit and paper buttons get theirs with their panels.
    for (int j = 0; j <= kLastFacedButton; ++j)
        if (ui.ClickBotn.exists(j))
            site.check(ui.ClickBotn[j].setPicture(sys_.skinFile(buttonFaceName(j))));

    // Minimise and close, on the start page and in the tab strip, at the window's right edge.
    const double w = width();
    ui.ClickBotn[2].move(w - 825 * sx, 90 * sy, 330 * sx, 330 * sy);
    ui.ClickBotn[3].move(w - 420 * sx, 90 * sy, 330 * sx, 330 * sy);
    ui.ClickBotn[13].move(w - 825 * sx, 90 * sy, 330 * sx, 330 * sy);
    ui.ClickBotn[14].move(w - 420 * sx, 90 * sy, 330 * sx, 330 * sy);
    // Buttons without a command stay out of sight.
    for (int i : { 0, 1, 44, 45, 46 })
        ui.ClickBotn[i].setVisible(false);

    // Start page, as the product information chooses: two big buttons with link areas, or
    // four in a row.
    if (plat::trimSpaces(st.ProductInfo[34]) == QStringLiteral("2")) {
        for (int i = 4; i <= 7; ++i)
            ui.ClickBotn[i].move(ui.ClickBotn[i].left(), 3000 * sy, 2250 * sx, 2250 * sy);
        ui.ClickBotn[4].setLeft(2400 * sx);
        ui.ClickBotn[5].setLeft(6900 * sx);
        ui.ClickBotn[6].setVisible(false);
        ui.ClickBotn[7].setVisible(false);
        for (int i = 17; i <= 21; ++i) {
            plat::Label& l = ui.LblInfo[i];
            l.setVisible(true);
            l.move((1440 + 1590 * ((i + 1) % 2)) * sx, (6840 + 600 * ((i - 17) / 2)) * sy,
                1380 * sx, 300 * sy);
            l.setCaption(QString());
        }
        ui.LblInfo[21].move(480 * sx, 6570 * sy, 2820 * sx);
    } else {
        for (int i = 4; i <= 7; ++i) {
            ui.ClickBotn[i].move((750 + 2700 * (i - 4)) * sx, 3840 * sy, 2250 * sx, 2400 * sy);
            ui.ClickBotn[i].setVisible(true);
        }
        for (int i = 17; i <= 21; ++i)
            ui.LblInfo[i].setVisible(false);
    }

    // Small start-page buttons, tabs, panel commands.
    ui.ClickBotn[8].move(7800 * sx, 7320 * sy, 540 * sx, 825 * sy);
    ui.ClickBotn[11].move(9720 * sx, 7320 * sy, 540 * sx, 825 * sy);
    ui.ClickBotn[12].move(10680 * sx, 7320 * sy, 540 * sx, 825 * sy);
    for (int i = 15; i <= 19; ++i)
        ui.ClickBotn[i].move((225 + 1305 * (i - 15)) * sx, 435 * sy, 1230 * sx, 1200 * sy);
    ui.ClickBotn[20].move(9000 * sx, 5880 * sy, 1800 * sx, 600 * sy);
    ui.ClickBotn[21].move(9750 * sx, 5850 * sy, 1800 * sx, 600 * sy);
    ui.ClickBotn[22].move(8880 * sx, 2310 * sy, 1800 * sx, 600 * sy);
    ui.ClickBotn[23].move(6240 * sx, 3300 * sy, 1200 * sx, 375 * sy);
    ui.ClickBotn[24].move(8880 * sx, 2310 * sy, 1800 * sx, 600 * sy);
    ui.ClickBotn[25].move(6240 * sx, 3300 * sy, 1200 * sx, 375 * sy);

    // The panels, each filled from the records just written, so a return from an exercise
    // shows its results.
    unitRefresh();
    flow::paperPanelPass(sys_);
    flow::favouritesPass(sys_);

    // Help panel, at its first topic.
    ui.PicHelpLeft.move(ui.PicUnitLeft.left(), ui.PicUnitLeft.top());
    ui.PicHelpLeft.setPicture(ui.PicUnitLeft.picture());
    for (int i = 32; i <= 36; ++i)
        ui.ClickBotn[i].move(15 * sx, (15 + 750 * (i - 32)) * sy, 2700 * sx, 750 * sy);
    ui.WebHelpCON.move(2880 * sx, 870 * sy, 9090 * sx, 5880 * sy);
    ui.LlbHelpCAP.setCaption(QString());
    ui.LlbHelpCAP.setAlignment(2);
    ui.LlbHelpCAP.move(6960 * sx, 240 * sy);
    ui.LlbHelpCAP.setFontSize(20 * sx);
    ClickBotn_Click(32);

    // Records found damaged (and set aside) while the panels read them are said once.
    records::tellSetAside(sys_);
}

} // namespace home
