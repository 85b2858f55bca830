#include "home/favouritespanel.h"

#include "core/errorreport.h"
#include "core/system.h"
#include "home/frmfengmian.h"
#include "home/homeflow.h"
#include "platform/controls.h"
#include "records/learnerrecords.h"
#include "records/recordfiles.h"
#include "widgets/msgbox.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace home {

namespace {

    const CollectionTwin kFavourites {
        .wrongBook = false,
        .faceName = u"ImgBiaoZhiBack",
        .face = u"l20057",
        .unreviewedLabel = u"LblBiaoZhiWei",
        .reviewedLabel = u"LblBiaoZhiYI",
        .unreviewedWidth = 360,
        .unreviewedHeight = 195,
        .reviewedWidth = 240,
        .reviewedHeight = 195,
        .tab = cmd::FavouritesTab,
        .practiceButton = cmd::StartFavourites,
        .clearButton = cmd::ClearFavourites,
        .firstToggle = cmd::FirstGroupToggle,
        .filter = &FrmFengmian::FavouriteFilter,
        .practiceTitle = u"收藏题目练习",
        .emptyList = u"您还没有已收藏题目！",
        .noUnreviewed = u"您没有未复习的收藏题目！",
        .noReviewed = u"您没有已复习的收藏题目！",
        .modeBoth = shell::StudyMode::AllFavourites,
        .modeUnreviewed = shell::StudyMode::UnreviewedFavourites,
        .modeReviewed = shell::StudyMode::ReviewedFavourites,
        .clearTitle = u"清除收藏的题目",
        .clearText = { u"您确实要清除未复习的收藏题目吗？", u"您确实要清除已复习的收藏题目吗？",
            u"您确实要清除全部收藏题目吗？" },
    };

    const CollectionTwin kWrongBook {
        .wrongBook = true,
        .faceName = u"ImgCuoTiBack",
        .face = u"l20058",
        .unreviewedLabel = u"LblCuoTiWei",
        .reviewedLabel = u"LblCuoTiYI",
        .unreviewedWidth = 315,
        .unreviewedHeight = 180,
        .reviewedWidth = 315,
        .reviewedHeight = 180,
        .tab = cmd::WrongBookTab,
        .practiceButton = cmd::StartWrongBook,
        .clearButton = cmd::ClearWrongBook,
        .firstToggle = cmd::FirstGroupToggle + 2,
        .filter = &FrmFengmian::WrongFilter,
        .practiceTitle = u"错题复习",
        .emptyList = u"您还没有错题记录！",
        .noUnreviewed = u"您还没有未复习的错题记录！",
        .noReviewed = u"您还没有已复习的错题记录！",
        .modeBoth = shell::StudyMode::AllWrongBook,
        .modeUnreviewed = shell::StudyMode::UnreviewedWrongBook,
        .modeReviewed = shell::StudyMode::ReviewedWrongBook,
        .clearTitle = u"清除我的错题",
        .clearText = { u"您确实要清除未学习的我的错题题目吗？",
            u"您确实要清除已学习的我的错题题目吗？", u"您确实要清除全部我的错题题目吗？" },
    };

    QString text(const char16_t* s) { return QString::fromUtf16(s); }

    // The controls of one panel that the home window's own design does not hold.
    struct CollectionPanelUi {
        CollectionPanelUi(plat::Container& panel, const CollectionTwin& t)
            : face(panel, text(t.faceName))
            , unreviewed(panel, text(t.unreviewedLabel))
            , reviewed(panel, text(t.reviewedLabel))
        {
            for (plat::Label* l : { &unreviewed, &reviewed }) {
                l->setBackStyle(0);
                l->setAlignment(2);
                l->setForeColor(0x0000FF);
                l->setFont({ QStringLiteral("宋体"), 10, true });
            }
        }
        plat::Image face;
        plat::Label unreviewed;
        plat::Label reviewed;
    };

    struct CollectionPanelsUi {
        explicit CollectionPanelsUi(FrmFengmianUi& ui)
            : favourites(ui.PicBiaoZhi, kFavourites)
            , wrongBook(ui.PicCuoTi, kWrongBook)
        {
        }
        CollectionPanelUi& of(const CollectionTwin& t)
        {
            return t.wrongBook ? wrongBook : favourites;
        }
        CollectionPanelUi favourites;
        CollectionPanelUi wrongBook;
    };

    // The panels' own controls of the window's current load, built on first use.
    CollectionPanelsUi& builtParts(shell::System& sys)
    {
        FrmFengmian& f = sys.form<FrmFengmian>();
        FrmFengmianUi& ui = f.ui();
        if (CollectionPanelsUi* parts = f.adopted<CollectionPanelsUi>())
            return *parts;
        return f.adoptControls(std::make_shared<CollectionPanelsUi>(ui));
    }
    FrmFengmianUi& builtUi(shell::System& sys)
    {
        builtParts(sys);
        return sys.form<FrmFengmian>().ui();
    }

    // A count in its design rectangle (twips, scaled): the rectangle is only as high as the
    // face's own small digits, so the label takes the height its font needs, centred on the
    // rectangle, and never clips a digit; a count wider than the rectangle grows both ways.
    void showCount(
        plat::Label& l, const QString& count, double left, double top, double width, double height)
    {
        l.setAutoSize(true);
        l.setCaption(count);
        const double w = std::max(width, l.width());
        const double h = std::max(height, l.height());
        l.setAutoSize(false);
        l.move(left - (w - width) / 2, top - (h - height) / 2, w, h);
    }

    plat::Label& label(shell::System& sys, const CollectionTwin& t, bool reviewedGroup)
    {
        CollectionPanelUi& panel = builtParts(sys).of(t);
        return reviewedGroup ? panel.reviewed : panel.unreviewed;
    }

    // The unreviewed count's label at (7140, 2385), the reviewed one's at (7140, 2835).
    void setCount(
        shell::System& sys, const CollectionTwin& t, bool reviewedGroup, const QString& count)
    {
        const double sx = sys.state.ScaleX;
        const double sy = sys.state.ScaleY;
        plat::Label& l = label(sys, t, reviewedGroup);
        if (reviewedGroup)
            showCount(l, count, 7140 * sx, 2835 * sy, t.reviewedWidth * sx, t.reviewedHeight * sy);
        else
            showCount(
                l, count, 7140 * sx, 2385 * sy, t.unreviewedWidth * sx, t.unreviewedHeight * sy);
    }

    records::ReviewedList readList(
        shell::System& sys, const CollectionTwin& t, const shell::ErrorSite& site)
    {
        const records::RecordsDir dir = records::RecordsDir::of(sys);
        return t.wrongBook ? records::readWrongBook(dir, site) : records::readFavourites(dir, site);
    }

    // The ids the module has questions for (a unit of the module, a question within its size),
    // with their review marks: the practice skips the others, so the counts do too. Each id
    // left out is logged once per run.
    records::ReviewedList inModule(shell::System& sys, const CollectionTwin& t,
        const records::ReviewedList& list, const shell::ErrorSite& site)
    {
        const shell::AppState& st = sys.state;
        const records::RecordsDir dir = records::RecordsDir::of(sys);
        const QString file
            = QFileInfo(t.wrongBook ? records::WrongBookFile(dir) : records::FavouritesFile(dir))
                  .fileName();
        records::ReviewedList kept;
        for (int i = 0; i < list.count(); ++i) {
            const QString& id = list.ids.at(i);
            const int unit = id.left(2).toInt();
            const int question = id.mid(2).toInt();
            const bool known = unit < st.UnitCount
                && unit < static_cast<int>(st.ModuleSettings.size()) && question >= 1
                && question <= st.ModuleSettings[static_cast<size_t>(unit)][2].toInt();
            if (known) {
                kept.ids.append(id);
                kept.review.append(list.review.at(i));
            } else if (sys.firstTimeThisRun(QStringLiteral("not in module ") + file + id)) {
                site.fail(plat::err::SubscriptOutOfRange,
                    file + QStringLiteral(": ") + id
                        + QStringLiteral(" is not a question of this module; not counted"));
            }
        }
        return kept;
    }

    void notice(shell::System& sys, const CollectionTwin& t, const QString& what)
    {
        widgets::ask(sys, text(t.practiceTitle), QStringLiteral("\r\n\r\n\r\n") + what,
            widgets::kMsgIconEmpty);
    }

    // The panel step of the home refresh.
    void preparePanel(shell::System& sys, const CollectionTwin& t, const shell::ErrorSite& site)
    {
        FrmFengmian& f = sys.form<FrmFengmian>();
        FrmFengmianUi& ui = builtUi(sys);
        const double sx = sys.state.ScaleX;
        const double sy = sys.state.ScaleY;
        plat::Image& face = builtParts(sys).of(t).face;
        face.move(0, 0);
        site.check(face.setPicture(sys.skinFile(text(t.face))));

        plat::Label& unreviewed = label(sys, t, false);
        plat::Label& reviewed = label(sys, t, true);
        for (plat::Label* l : { &unreviewed, &reviewed }) {
            l->setAlignment(2);
            l->setFontSize(10 * sx);
        }

        ui.ClickBotn[t.firstToggle].move(5775 * sx, 2235 * sy, 1200 * sx, 450 * sy);
        ui.ClickBotn[t.firstToggle + 1].move(5775 * sx, 2685 * sy, 1200 * sx, 450 * sy);

        f.*t.filter = records::UnreviewedGroup;
        const int j = t.firstToggle - cmd::FirstGroupToggle;
        site.check(ui.ClickBotn[t.firstToggle].setPicture(
            sys.skinFile(QStringLiteral("l2009") + QString::number(j))));
        site.check(ui.ClickBotn[t.firstToggle + 1].setPicture(
            sys.skinFile(QStringLiteral("l2004") + QString::number(j + 1))));

        // The counts of the list as the practice sees it.
        const records::ReviewedList list = inModule(sys, t, readList(sys, t, site), site);
        setCount(sys, t, false, QString::number(list.unreviewedCount()));
        setCount(sys, t, true, QString::number(list.reviewedCount()));
    }

    void toggle(
        shell::System& sys, const CollectionTwin& t, int index, const shell::ErrorSite& site)
    {
        FrmFengmian& f = sys.form<FrmFengmian>();
        QString picture;
        f.*t.filter = toggledFilter(f.*t.filter, index, &picture);
        site.check(f.ui().ClickBotn[index].setPicture(sys.skinFile(picture)));
    }

    void practice(shell::System& sys, const CollectionTwin& t, const shell::ErrorSite& site)
    {
        shell::AppState& st = sys.state;
        const int filter = sys.form<FrmFengmian>().*t.filter;
        if (filter == records::NoGroup)
            return;
        const records::ReviewedList list = readList(sys, t, site);
        if (list.count() == 0) {
            notice(sys, t, text(t.emptyList));
            return;
        }
        const PracticeChoice choice = practiceChoice(t, list, filter);
        if (choice.ids.isEmpty()) {
            notice(sys, t, choice.emptyNotice);
            return;
        }
        // The set holds the questions that could be built; their marks follow the chosen groups.
        flow::prepareExercise(sys,
            { .studyMode = choice.studyMode,
                .setNo = flow::builtSetNo(choice.studyMode),
                .ids = choice.ids.join(QString()) });
        setPracticeMarks(st, list, filter);
        flow::startLianXi(sys);
    }

    void clear(shell::System& sys, const CollectionTwin& t, const shell::ErrorSite& site)
    {
        const int filter = sys.form<FrmFengmian>().*t.filter;
        if (filter < records::UnreviewedGroup || filter > records::BothGroups)
            return;
        if (!widgets::ask(sys, text(t.clearTitle),
                QStringLiteral("\r\n\r\n\r\n") + text(t.clearText[filter - 1]),
                widgets::kMsgIconQuestion))
            return;
        const records::RecordsDir dir = records::RecordsDir::of(sys);
        const auto groups = static_cast<records::ReviewGroups>(filter);
        const records::Cleared cleared = t.wrongBook ? records::clearWrongBook(dir, groups, site)
                                                     : records::clearFavourites(dir, groups, site);
        records::tellLearner(sys, cleared.saved,
            t.wrongBook ? QStringLiteral("错题本的清空") : QStringLiteral("收藏夹的清空"));
        if (!cleared.changed)
            return;
        builtUi(sys);
        if ((filter & records::UnreviewedGroup) != 0)
            setCount(sys, t, false, QStringLiteral("0"));
        if ((filter & records::ReviewedGroup) != 0)
            setCount(sys, t, true, QStringLiteral("0"));
    }

} // namespace

const CollectionTwin& favouritesTwin() { return kFavourites; }
const CollectionTwin& wrongBookTwin() { return kWrongBook; }

const CollectionTwin* twinOfCommand(int index)
{
    for (const CollectionTwin* t : { &kFavourites, &kWrongBook }) {
        if (index == t->tab || index == t->tab - (cmd::UnitsTab - cmd::UnitsStart)
            || index == t->practiceButton || index == t->clearButton || index == t->firstToggle
            || index == t->firstToggle + 1)
            return t;
    }
    return nullptr;
}

int16_t toggledFilter(int16_t filter, int index, QString* picture)
{
    const int j = index - cmd::FirstGroupToggle;
    const int bit = (j % 2 == 0) ? records::UnreviewedGroup : records::ReviewedGroup;
    const bool selected = (filter & bit) == 0;
    if (picture)
        *picture
            = (selected ? QStringLiteral("l2009") : QStringLiteral("l2004")) + QString::number(j);
    return static_cast<int16_t>(selected ? filter + bit : filter - bit);
}

PracticeChoice practiceChoice(
    const CollectionTwin& t, const records::ReviewedList& list, int filter)
{
    PracticeChoice c;
    switch (filter) {
    case records::UnreviewedGroup:
        c = { list.idsOf(records::UnreviewedGroup), t.modeUnreviewed, text(t.noUnreviewed) };
        break;
    case records::ReviewedGroup:
        c = { list.idsOf(records::ReviewedGroup), t.modeReviewed, text(t.noReviewed) };
        break;
    default:
        c = { list.ids, t.modeBoth, text(t.emptyList) };
        break;
    }
    c.ids = c.ids.mid(0, records::kMaxIds);
    return c;
}

void setPracticeMarks(shell::AppState& st, const records::ReviewedList& list, int filter)
{
    const bool reviewedOnly = filter == records::ReviewedGroup;
    for (int k = 1; k <= shell::PerQuestion<int16_t>::kLast; ++k) {
        bool done = reviewedOnly;
        if (k <= st.QuestionCount && filter == records::BothGroups) {
            const auto id = records::idText(st.QuestionIds(k));
            const qsizetype at = id ? list.ids.indexOf(*id) : -1;
            done = at >= 0 && list.reviewedAt(static_cast<int>(at));
        }
        st.DoneBefore(k) = done ? QStringLiteral("T") : QStringLiteral("F");
        st.QuestionState(k) = done ? 4 : 0;
    }
}

} // namespace home

namespace flow {

void buildFavouritesPanels(shell::System& sys) { home::builtUi(sys); }

void favouritesPass(shell::System& sys)
{
    const shell::ErrorSite site(sys.state, QStringLiteral("fengmaincsh"));
    home::preparePanel(sys, home::favouritesTwin(), site);
    home::preparePanel(sys, home::wrongBookTwin(), site);
}

void favouritesCommand(shell::System& sys, int index)
{
    const home::CollectionTwin* t = home::twinOfCommand(index);
    if (!t)
        return;
    const shell::ErrorSite site(sys.state, QStringLiteral("clickbotn"));
    if (index == t->practiceButton)
        home::practice(sys, *t, site);
    else if (index == t->clearButton)
        home::clear(sys, *t, site);
    else if (index == t->firstToggle || index == t->firstToggle + 1)
        home::toggle(sys, *t, index, site);
    // The show commands (6, 7, 18, 19) read nothing: the counts and toggles stay as the last
    // refresh, toggle or clear left them.
}

} // namespace flow
