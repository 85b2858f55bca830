// Stages of the step loader: the list and location steps, and the dialog tab strips with their
// back button; the fourteen built-in tab strip descriptions.

#include "core/system.h"
#include "platform/text.h"
#include "stepengine/answers.h"
#include "stepengine/stepengine.h"
#include "stepengine/steprecord.h"
#include "stepengine/tracing.h"

#include <array>
#include <cmath>
#include <span>

namespace stepengine {

namespace {
    constexpr double kStrip = 15; // the list's border strips, one design pixel

    // TabStripSpec, one per dialog letter "A".."N" (155 characters): letter, tab count, row
    // Top, tab height, for each tab its page and Left, then the back button's rectangle.
    const std::array<QString, 14> kTabStrips {
        QStringLiteral(
            "A40540300101001015010100209301010031770101004255000000034800000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000004530609010800270"),
        QStringLiteral(
            "B30555300102001015010200210501020032280000000357000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000004935600011700270"),
        QStringLiteral(
            "C30555285103001015010300212001030032070000000300000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000004710484510950285"),
        QStringLiteral(
            "DC0510285104001015010400213351040032190104004322510400540801040065115104007015"
            "01040081125104009213010401031351040114140104012514500000000005070592510800270"),
        QStringLiteral(
            "E30555285105001015010500215601050033030000000420000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000004800613510800270"),
        QStringLiteral(
            "F60555285106001015010600212901060032100106004291010600537201060064530000000528"
            "00000000000000000000000000000000000000000000000000000000000005025496510800270"),
        QStringLiteral(
            "G20585285107001015010700210800000002310000000000000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000004980535510800270"),
        QStringLiteral(
            "H40555285108001015010800213801080032280108004357000000047700000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000005250465010800270"),
        QStringLiteral(
            "I30555285109001015010900209901090032280000000312000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000006690523510800270"),
        QStringLiteral(
            "J40540300110001015011000210051100031800110004267000000036600000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000004170541510800270"),
        QStringLiteral(
            "K40570300360094015036009509155010561770501055255000000033150000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000004560126010800270"),
        QStringLiteral(
            "L50540300400517012040051508704005181590501233229540051130600000003720000000000"
            "00000000000000000000000000000000000000000000000000000000000004455628510950285"),
        QStringLiteral(
            "M40540300400585012050123610204005921920501237316500000044700000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000006465501010800270"),
        QStringLiteral(
            "N20540300400736015040063009900000001950000000000000000000000000000000000000000"
            "00000000000000000000000000000000000000000000000000000000000006420006003300330"),
    };
    namespace layout {
        constexpr int kCount = 2; // "1".."9", "A".."D"
        constexpr Field kRowTop { 3, 4 };
        constexpr Field kTabHeight { 7, 3 };
        constexpr int kPageLength = 6; // tab k's page at 10k, its Left at 10k + 6
        constexpr int kLeftLength = 4;
        constexpr Field kBackLeft { 140, 4 };
        constexpr Field kBackTop { 144, 4 };
        constexpr Field kBackWidth { 148, 4 };
        constexpr Field kBackHeight { 152, 4 };
        constexpr int kNoFollowingEdge = 990; // the width of a row's last tab
        constexpr int kTwoRows = 9; // more tabs than this make two rows of 6 and the rest
        constexpr int kFirstRow = 6;
        constexpr double kRowDrop = 300; // the selected tab's row lies this much lower
    }
    // Record characters of a tab step and of a back-button step.
    constexpr int kBackMarker = 125; // "Q"
    constexpr Field kBackCode { 125, 5 };
    constexpr int kTabMarker = 130; // "X"
    constexpr int kDialogLetter = 131;
    constexpr int kShownTab = 132;
    constexpr int kTabToClick = 133;
    constexpr int kHostImage = 134;
    constexpr double kBackWidth = 1095, kBackHeight = 285;
    const QString kNoBackCode = QStringLiteral("NONO");

    // Fixed widths of a two-row strip's last tabs, which have no following edge.
    struct FixedWidth {
        int tab;
        double width;
    };
    constexpr FixedWidth kPracticeRowEnds[] = { { 6, 1050 }, { 12, 1050 } };
    constexpr FixedWidth kDemoRowEnds[] = { { 13, 1485 }, { 7, 1050 } };

    // ImgSelAD's Left for each row of the location list (rows 0..13).
    constexpr std::array<int, 14> kLocationOffsets { 30, 30, -120, -120, -270, -270, -270, -270,
        -270, -270, -270, -270, -270, -120 };
    constexpr int kOtherRowOffset = -270;

    double numberIn(const QString& s, Field f) { return plat::val(plat::mid(s, f.pos, f.len)); }
    double tabLeft(const QString& s, int k)
    {
        return plat::val(plat::mid(s, 10 * k + layout::kPageLength, layout::kLeftLength));
    }
    // "0".."9" only: a full-width or other script's digit in a record is no number either.
    int16_t digit(QChar c)
    {
        return c >= u'0' && c <= u'9' ? static_cast<int16_t>(c.unicode() - u'0') : 0;
    }
}

QString tabStripSpec(QChar letter)
{
    for (const QString& s : kTabStrips)
        if (s.at(0) == letter)
            return s;
    return {};
}

int16_t tabNumber(QChar c)
{
    if (c >= u'1' && c <= u'9')
        return digit(c);
    if (c >= u'A' && c <= u'D')
        return static_cast<int16_t>(c.unicode() - u'A' + 10);
    return 0;
}

int locationRowOffset(int row)
{
    if (row < 0 || row >= static_cast<int>(kLocationOffsets.size()))
        return kOtherRowOffset;
    return kLocationOffsets[row];
}

std::optional<QString> tabPageOf(const StepRecord& r, const QString& keptSpec)
{
    if (r.at(kTabMarker) != u'X')
        return std::nullopt;
    const int16_t host = digit(r.at(kHostImage));
    const int16_t shown = tabNumber(r.at(kShownTab));
    // The expected tab's page is the step's own picture; tab 0 names no page.
    if (host < 1 || host > 5 || shown < 1 || shown == tabNumber(r.at(kTabToClick)))
        return std::nullopt;
    const QString known = tabStripSpec(r.at(kDialogLetter));
    return plat::mid(known.isEmpty() ? keptSpec : known, 10 * shown, layout::kPageLength);
}

void showTabPage(shell::System& sys, plat::Control& host, const QString& page)
{
    sys.logSkinFailure(setPictureOf(host, sys.skinFile(page)));
}

void layOutTabRows(plat::ControlArray<plat::Label>& tabs, const StepFields& f, double scaleY)
{
    const double rowTop = numberIn(f.TabSpec, layout::kRowTop);
    const double upper = rowTop * scaleY + f.TabHostTop;
    const double lower = (rowTop + layout::kRowDrop) * scaleY + f.TabHostTop;
    for (int i = 1; i <= f.TabCount; ++i)
        tabs[i].setTop(upper);
    if (f.TabRowOrder == 2) {
        for (int i = layout::kFirstRow + 1; i <= f.TabCount; ++i)
            tabs[i].setTop(lower);
    } else {
        for (int i = 1; i <= layout::kFirstRow; ++i)
            tabs[i].setTop(lower);
    }
}

void StepEngine::tabStripStage()
{
    const shell::AppState& st = sys_.state;
    const double sx = st.ScaleX, sy = st.ScaleY;
    const StepRecord r(st.StepLine);
    StepControls c = window_.stepControls();
    StepFields& f = window_.stepFields();
    plat::ControlArray<plat::Label>& tabs = *c.LblXXK;
    const bool demo = window_.demonstration();

    if (r.at(kTabMarker) == u'X') {
        if (demo)
            c.Shape4->setVisible(false);
        const int16_t shown = tabNumber(r.at(kShownTab));
        f.TabToClick = tabNumber(r.at(kTabToClick));
        f.TabHostImage = digit(r.at(kHostImage));
        c.LHelp->setCaption(QStringLiteral("请选择第") + QString::number(f.TabToClick)
            + QStringLiteral("个选项卡"));
        if (const QString known = tabStripSpec(r.at(kDialogLetter)); !known.isEmpty())
            f.TabSpec = known; // an unknown letter keeps the dialog of the last tab step
        const QString& s = f.TabSpec;

        if (f.TabHostImage >= 1 && f.TabHostImage <= 5) {
            plat::Control& host = *c.images[f.TabHostImage - 1];
            // Rounded half to even into 16 bits; a place beyond them keeps the one before.
            if (const auto left = plat::toInt16(host.left()); left.ok())
                f.TabHostLeft = left.value();
            if (const auto top = plat::toInt16(host.top()); top.ok())
                f.TabHostTop = top.value();
            if (const std::optional<QString> page = tabPageOf(r, s))
                showTabPage(sys_, host, *page);
        }

        f.TabCount = s.isEmpty() ? 0 : tabNumber(s.at(layout::kCount - 1));
        for (int k = 0; k <= f.TabCount; ++k)
            tabs[k].setCaption(QString());
        for (int k = 1; k <= f.TabCount; ++k) {
            plat::Label& tab = tabs[k];
            double width = tabLeft(s, k + 1) - tabLeft(s, k);
            if (width < 0)
                width = layout::kNoFollowingEdge;
            tab.setTop(numberIn(s, layout::kRowTop) * sy + f.TabHostTop);
            tab.setHeight(numberIn(s, layout::kTabHeight) * sy);
            tab.setLeft(tabLeft(s, k) * sx + f.TabHostLeft);
            tab.setWidth(width * sx);
        }
        if (f.TabCount > layout::kTwoRows) {
            for (const FixedWidth& w : demo ? std::span(kDemoRowEnds) : std::span(kPracticeRowEnds))
                tabs[w.tab].setWidth(w.width * sx);
            f.TabRowOrder = shown > layout::kFirstRow ? 2 : 1;
            window_.layOutTabRows();
        }
        plat::Label& back = tabs[0];
        back.setLeft(numberIn(s, layout::kBackLeft) * sx + f.TabHostLeft);
        back.setTop(numberIn(s, layout::kBackTop) * sy + f.TabHostTop);
        back.setWidth(numberIn(s, layout::kBackWidth) * sx);
        back.setHeight(numberIn(s, layout::kBackHeight) * sy);

        plat::Label& area = *c.Label1;
        if (shown == f.TabToClick) {
            area.setWidth(f.TargetWidth * sx);
            area.setHeight(f.TargetHeight * sy);
            c.LHelp->setCaption(f.SavedHint);
            trace(*c.Shape1, area);
        } else {
            // The target area waits for the expected tab; the frame shows where that tab is.
            area.setWidth(kOneTwip);
            area.setHeight(kOneTwip);
            trace(*c.Shape1, tabs[f.TabToClick]);
        }
    } else {
        trace(*c.Shape1, *c.Label1);
    }

    if (r.at(kBackMarker) == u'Q') {
        f.BackCode = r.text(kBackCode);
        plat::Label& back = tabs[0];
        back.setHeight(kBackHeight * sy);
        back.setWidth(kBackWidth * sx);
        back.setLeft(r.number(field::DragTargetX) * sx);
        back.setTop(r.number(field::DragTargetY) * sy);
        back.setCaption(QString());
    } else {
        f.BackCode = kNoBackCode;
    }
}

void StepEngine::listAndLocationStage(const QString& actionCode)
{
    const shell::AppState& st = sys_.state;
    const StepRecord r(st.StepLine);
    StepControls c = window_.stepControls();
    plat::ListBox& list = *c.LstLA;
    plat::Label& chosen = (*c.LblXXK)[0];
    const auto& [left, right, top, bottom] = c.listBorder;

    if (actionCode.startsWith(u'L')) {
        list.setVisible(true);
        for (plat::Control* strip : c.listBorder)
            strip->setVisible(true);
        plat::TextBox& t = *c.Text1;
        list.move(t.left(), t.top(), t.width(), t.height());
        t.setVisible(false);
        const double l = list.left(), tp = list.top(), w = list.width(), h = list.height();
        const double sx = kStrip * st.ScaleX, sy = kStrip * st.ScaleY;
        left->move(l, tp, sx, h);
        right->move(l + w - sx, tp, sx, h);
        top->move(l, tp, w, sy);
        bottom->move(l, tp + h - sy, w, sy);

        const QString items = lineText(answerLineFor(actionCode.mid(1)));
        list.clear();
        for (const QString& item : items.split(u'|'))
            list.addItem(item);
        // Raises the list's check; an index beyond the items selects nothing and checks nothing.
        list.setListIndex(readInt16(r.text(field::PresetLine))).ignore();
        if (list.visible()) {
            // Unless the check has just completed the step and closed the list.
            chosen.setCaption(list.list(list.listIndex()));
            chosen.setWidth(list.width());
        }
    } else {
        list.setVisible(false);
        for (plat::Control* strip : c.listBorder)
            strip->setVisible(false);
        chosen.setCaption(QString());
    }

    if (actionCode.startsWith(u'K')) {
        c.PicList->move(c.Text1->left(), c.Text1->top());
        c.PicList->setVisible(true);
        window_.chooseLocationRow(readInt16(plat::mid(actionCode, 2, 1)));
    } else {
        c.PicList->setVisible(false);
    }
}

} // namespace stepengine
