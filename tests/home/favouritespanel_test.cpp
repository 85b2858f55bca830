// The favourites and wrong-question panels of the home window on the sample module.

#include "home/favouritespanel.h"

#include "exercise/frmtm.h"
#include "home/homefixture.h"
#include "home/homeflow.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "records/learnerrecords.h"
#include "shell/printers.h"

#include <QImage>

using testsupport::SampleHome;

namespace {

QString out(const QString& name) { return testsupport::outputDir() + QStringLiteral("/") + name; }

// The first n question ids of the sample module's units (18, 20, 21, 16 and 16 questions),
// one after the other, starting again after the last.
QString sampleIds(int n)
{
    const int sizes[] = { 18, 20, 21, 16, 16 };
    QStringList ids;
    while (ids.size() < n)
        for (int u = 0; u < 5 && ids.size() < n; ++u)
            for (int q = 1; q <= sizes[u] && ids.size() < n; ++q)
                ids << QStringLiteral("%1%2").arg(u, 2, 10, QChar('0')).arg(q, 2, 10, QChar('0'));
    return ids.join(QString());
}

class CollectionPanels : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_SAMPLE_MODULE();
        h = std::make_unique<SampleHome>();
    }

    void seed(const QString& name, const QString& line)
    {
        testsupport::writeFile(h->recordFile(name), plat::encodeGbk(line + "\r\n"));
    }
    void seedFavourites(const QString& list, const QString& review)
    {
        seed("288862", list);
        seed("288872", review);
    }
    void seedWrongBook(const QString& list, const QString& review)
    {
        seed("288863", list);
        seed("288873", review);
    }
    QString record(const QString& name)
    {
        return plat::decodeGbk(testsupport::readFile(h->recordFile(name)));
    }
    plat::Label& count(const char* name, bool wrongBook = false)
    {
        plat::PictureBox& panel = wrongBook ? h->ui().PicCuoTi : h->ui().PicBiaoZhi;
        for (plat::Control* c : panel.children())
            if (c->name() == QString::fromUtf8(name))
                return dynamic_cast<plat::Label&>(*c);
        ADD_FAILURE() << "no " << name;
        return h->ui().LblCaption;
    }
    // Opens the home window on the favourites (18) or wrong-question (19) panel: the unit
    // panel first, from the start page, then the tab.
    void open(int tab)
    {
        h->home().show();
        h->click(4);
        h->click(tab);
    }
    // A fresh program whose list and review line are given, on the panel of that list, with
    // the toggles pressed.
    void startCase(
        bool wrongBook, const QString& list, const QString& review, const std::vector<int>& presses)
    {
        SetUp();
        if (wrongBook)
            seedWrongBook(list, review);
        else
            seedFavourites(list, review);
        open(wrongBook ? 19 : 18);
        for (int p : presses)
            h->click(p);
    }
    bool pictureIs(int button, const QString& name)
    {
        return h->button(button).picture().image()
            == plat::loadPicture(h->dataFile(name + ".mxy")).value().image();
    }

    std::unique_ptr<SampleHome> h;
};

TEST_F(CollectionPanels, BothPanelsShowTheirCountsAndRender)
{
    seedFavourites("000100020003010101020201", "TFTFFT");
    seedWrongBook("0301030203030304", "TT"); // two ids without a review character
    open(18);
    EXPECT_TRUE(h->ui().PicBiaoZhi.visible());
    EXPECT_FALSE(h->button(18).enabled());
    EXPECT_EQ(count("LblBiaoZhiWei").caption(), "3");
    EXPECT_EQ(count("LblBiaoZhiYI").caption(), "3");
    EXPECT_EQ(h->home().FavouriteFilter, 1);
    EXPECT_TRUE(pictureIs(40, "l20090"));
    EXPECT_TRUE(pictureIs(41, "l20041"));
    testsupport::HeadlessDriver::saveRendering(h->home(), out("home-favourites.png"));

    h->click(19);
    EXPECT_TRUE(h->ui().PicCuoTi.visible());
    EXPECT_FALSE(h->ui().PicBiaoZhi.visible());
    EXPECT_EQ(count("LblCuoTiWei", true).caption(), "2");
    EXPECT_EQ(count("LblCuoTiYI", true).caption(), "2");
    testsupport::HeadlessDriver::saveRendering(h->home(), out("home-wrongbook.png"));

    // The red count digits are drawn on the face: the unreviewed count's rectangle holds red.
    const QImage shot = testsupport::HeadlessDriver::render(h->home());
    const plat::Label& l = count("LblCuoTiWei", true);
    const QRect r(static_cast<int>((h->ui().PicCuoTi.left() + l.left()) / 15),
        static_cast<int>((h->ui().PicCuoTi.top() + l.top()) / 15), static_cast<int>(l.width() / 15),
        static_cast<int>(l.height() / 15));
    int red = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            red += (c.red() > 180 && c.green() < 80 && c.blue() < 80) ? 1 : 0;
        }
    EXPECT_GT(red, 5);
    EXPECT_TRUE(h->reports.isEmpty()) << h->reports.join("\n").toStdString();
}

// Ids the module has no question for (a unit past the last, a question past its unit's size)
// are skipped by the practice; the counts leave them out too, and each is logged.
TEST_F(CollectionPanels, IdsOutsideTheModuleAreNotCounted)
{
    // 0019: unit 0 has 18 questions; 0700: no unit 7; 0000: no question 0.
    seedFavourites("0001001907000000", "FTFF");
    open(18);
    EXPECT_EQ(count("LblBiaoZhiWei").caption(), "1");
    EXPECT_EQ(count("LblBiaoZhiYI").caption(), "0");
    const QString log = h->reports.join("\n");
    for (const char* id : { "0019", "0700", "0000" })
        EXPECT_TRUE(log.contains(QStringLiteral("288862.mxy: %1").arg(id))) << log.toStdString();
    EXPECT_EQ(h->reports.size(), 3);
}

// Two runs of the program in one process: each logs an id outside the module once, however
// often its panel is refreshed, as each start of the program does.
TEST_F(CollectionPanels, EachRunLogsAnIdOutsideTheModuleOnce)
{
    seedFavourites("00019901", "FF");
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        if (run == 2)
            h->restart();
        h->reports.clear();
        open(18);
        h->home().FengMainCsh(); // a second refresh, as after deleting a random paper
        EXPECT_EQ(count("LblBiaoZhiWei").caption(), "1");
        EXPECT_EQ(h->reports.filter(QStringLiteral("288862.mxy: 9901")).size(), 1)
            << h->reports.join("\n").toStdString();
    }
}

TEST_F(CollectionPanels, TogglesFlipTheirGroupAndFace)
{
    open(18);
    const struct {
        int press;
        int filter;
        int button;
        const char* face;
    } steps[] = {
        { 40, 0, 40, "l20040" },
        { 40, 1, 40, "l20090" },
        { 41, 3, 41, "l20091" },
        { 40, 2, 40, "l20040" },
        { 41, 0, 41, "l20041" },
    };
    for (const auto& s : steps) {
        h->click(s.press);
        EXPECT_EQ(h->home().FavouriteFilter, s.filter) << s.press;
        EXPECT_TRUE(pictureIs(s.button, QString::fromUtf8(s.face))) << s.face;
    }
    EXPECT_EQ(h->home().WrongFilter, 1);
    h->click(19);
    h->click(43);
    EXPECT_EQ(h->home().WrongFilter, 3);
    EXPECT_TRUE(pictureIs(43, "l20093"));
    EXPECT_EQ(h->home().FavouriteFilter, 0);
}

// With both toggles off, practice and clear do nothing at all.
TEST_F(CollectionPanels, NoGroupChosenDoesNothing)
{
    seedFavourites("00010002", "TF");
    open(18);
    h->click(40);
    ASSERT_EQ(h->home().FavouriteFilter, 0);
    bool asked = false;
    h->sys->modalDriver = [&](plat::Form&) { asked = true; };
    h->click(22);
    h->click(23);
    EXPECT_FALSE(asked);
    EXPECT_TRUE(h->home().visible());
    EXPECT_EQ(record("288862"), "00010002\r\n");
}

TEST_F(CollectionPanels, PracticeStartsTheChosenGroup)
{
    const struct {
        const char* name;
        bool wrongBook;
        QString list;
        QString review;
        std::vector<int> presses; // toggles after the refresh (filter 1)
        int mode;
        int setNo;
        QStringList ids;
        QStringList doneBefore;
    } cases[] = {
        { "unreviewed favourites", false, "000100020003", "TFF", {}, 10, 9, { "0002", "0003" },
            { "F", "F" } },
        { "reviewed favourites", false, "000100020003", "TFT", { 40, 41 }, 11, 8,
            { "0001", "0003" }, { "T", "T" } },
        { "all favourites", false, "000100020003", "TFT", { 41 }, 9, 10, { "0001", "0002", "0003" },
            { "T", "F", "T" } },
        { "all favourites, short review line", false, "000100020003", "T", { 41 }, 9, 10,
            { "0001", "0002", "0003" }, { "T", "F", "F" } },
        { "unreviewed wrong questions", true, "01010102", "FT", {}, 13, 6, { "0101" }, { "F" } },
        { "reviewed wrong questions", true, "01010102", "FT", { 42, 43 }, 14, 5, { "0102" },
            { "T" } },
        { "all wrong questions", true, "01010102", "FT", { 43 }, 12, 7, { "0101", "0102" },
            { "F", "T" } },
    };
    for (const auto& c : cases) {
        startCase(c.wrongBook, c.list, c.review, c.presses);
        h->click(c.wrongBook ? 24 : 22);

        shell::AppState& st = h->st();
        EXPECT_FALSE(h->home().isLoaded()) << c.name; // the exercise took over
        EXPECT_TRUE(h->sys->form<exercise::FrmTm>().visible()) << c.name;
        EXPECT_EQ(st.StudyMode, c.mode) << c.name;
        EXPECT_EQ(st.SetNo, c.setNo) << c.name;
        EXPECT_EQ(st.PanelMode, 2) << c.name;
        ASSERT_EQ(st.QuestionCount, c.ids.size()) << c.name;
        for (int i = 1; i <= c.ids.size(); ++i) {
            EXPECT_EQ(*records::idText(st.QuestionIds(i)), c.ids[i - 1]) << c.name << i;
            EXPECT_EQ(st.DoneBefore(i), c.doneBefore[i - 1]) << c.name << i;
            // Done when reviewed; favourites start flagged as well.
            const int done = c.doneBefore[i - 1] == "T" ? 4 : 0;
            const int flagged = c.wrongBook ? 0 : 2;
            EXPECT_EQ(st.QuestionState(i) & ~1, done + flagged) << c.name << i;
        }
        EXPECT_TRUE(h->reports.isEmpty()) << c.name << h->reports.join("\n").toStdString();
    }
}

TEST_F(CollectionPanels, PracticeHoldsAtMostFiveHundredQuestions)
{
    seedFavourites(sampleIds(600), QString(600, 'F'));
    open(18);
    h->click(41); // both groups
    h->click(22);
    EXPECT_EQ(h->st().StudyMode, 9);
    EXPECT_EQ(h->st().QuestionCount, 500);
    EXPECT_EQ(*records::idText(h->st().QuestionIds(500)), sampleIds(500).right(4));
}

TEST_F(CollectionPanels, AnEmptyChoiceShowsItsNotice)
{
    const struct {
        const char* name;
        bool wrongBook;
        QString list;
        QString review;
        std::vector<int> presses;
        const char* notice;
    } cases[] = {
        { "no favourites", false, "", "", {}, "您还没有已收藏题目！" },
        // A review line without its list promises nothing to practise.
        { "empty list, review line left", false, "", "TTF", { 41 }, "您还没有已收藏题目！" },
        { "no unreviewed favourite", false, "00010002", "TT", {}, "您没有未复习的收藏题目！" },
        { "no reviewed favourite", false, "00010002", "FF", { 40, 41 },
            "您没有已复习的收藏题目！" },
        { "no wrong question", true, "", "", {}, "您还没有错题记录！" },
        { "no unreviewed wrong question", true, "0101", "T", {}, "您还没有未复习的错题记录！" },
        { "no reviewed wrong question", true, "0101", "", { 42, 43 },
            "您还没有已复习的错题记录！" },
    };
    for (const auto& c : cases) {
        startCase(c.wrongBook, c.list, c.review, c.presses);
        const int modeBefore = h->st().StudyMode;
        QString prompt;
        QString title;
        h->answerBox(true, &prompt, &title);
        h->click(c.wrongBook ? 24 : 22);
        EXPECT_EQ(title, c.wrongBook ? "错题复习" : "收藏题目练习") << c.name;
        EXPECT_EQ(prompt, "\r\n\r\n\r\n" + QString::fromUtf8(c.notice)) << c.name;
        EXPECT_TRUE(h->home().visible()) << c.name;
        EXPECT_EQ(h->st().StudyMode, modeBefore) << c.name;
    }
}

TEST_F(CollectionPanels, ClearingAGroupAfterConfirmation)
{
    const struct {
        const char* name;
        bool wrongBook;
        std::vector<int> presses;
        bool confirm;
        const char* question;
        QString list; // afterwards
        QString review;
        const char* unreviewed; // labels afterwards
        const char* reviewed;
    } cases[] = {
        { "unreviewed favourites", false, {}, true, "您确实要清除未复习的收藏题目吗？", "01020305",
            "TT", "0", "2" },
        { "reviewed favourites", false, { 40, 41 }, true, "您确实要清除已复习的收藏题目吗？",
            "00010007", "FF", "2", "0" },
        { "all favourites", false, { 41 }, true, "您确实要清除全部收藏题目吗？", "", "", "0", "0" },
        { "cancelled", false, { 41 }, false, "您确实要清除全部收藏题目吗？", "0001010203050007",
            "FTTF", "2", "2" },
        { "unreviewed wrong questions", true, {}, true, "您确实要清除未学习的我的错题题目吗？",
            "01020305", "TT", "0", "2" },
        { "reviewed wrong questions", true, { 42, 43 }, true,
            "您确实要清除已学习的我的错题题目吗？", "00010007", "FF", "2", "0" },
        { "all wrong questions", true, { 43 }, true, "您确实要清除全部我的错题题目吗？", "", "",
            "0", "0" },
    };
    for (const auto& c : cases) {
        startCase(c.wrongBook, "0001010203050007", "FTTF", c.presses);
        QString prompt;
        QString title;
        h->answerBox(c.confirm, &prompt, &title);
        h->click(c.wrongBook ? 25 : 23);
        EXPECT_EQ(title, c.wrongBook ? "清除我的错题" : "清除收藏的题目") << c.name;
        EXPECT_EQ(prompt, "\r\n\r\n\r\n" + QString::fromUtf8(c.question)) << c.name;
        EXPECT_EQ(record(c.wrongBook ? "288863" : "288862"), c.list + "\r\n") << c.name;
        EXPECT_EQ(record(c.wrongBook ? "288873" : "288872"), c.review + "\r\n") << c.name;
        EXPECT_EQ(count(c.wrongBook ? "LblCuoTiWei" : "LblBiaoZhiWei", c.wrongBook).caption(),
            QString::fromUtf8(c.unreviewed))
            << c.name;
        EXPECT_EQ(count(c.wrongBook ? "LblCuoTiYI" : "LblBiaoZhiYI", c.wrongBook).caption(),
            QString::fromUtf8(c.reviewed))
            << c.name;
    }
}

// A clear whose save fails (a full disk) tells the learner so and why; the files and the
// panel's counts stay as they were.
TEST_F(CollectionPanels, AClearThatCannotBeSavedIsToldAndKeepsTheCounts)
{
    for (const bool wrongBook : { false, true }) {
        SCOPED_TRACE(wrongBook ? "wrong book" : "favourites");
        startCase(wrongBook, "0001010203050007", "FTTF", { wrongBook ? 43 : 41 });
        auto& boxes = h->messageBoxes();
        boxes.shown.clear();
        h->answerBox(true);
        records::io::setFaultHook([](const QString&) { return records::io::Failure::FolderFull; });
        h->click(wrongBook ? 25 : 23);
        records::io::setFaultHook({});
        ASSERT_EQ(boxes.shown.size(), 1u);
        const QString told = boxes.shown[0].text;
        EXPECT_TRUE(told.startsWith(wrongBook ? QStringLiteral("错题本的清空没有保存")
                                              : QStringLiteral("收藏夹的清空没有保存")))
            << told.toStdString();
        EXPECT_TRUE(told.contains(QStringLiteral("磁盘已满"))) << told.toStdString();
        EXPECT_EQ(record(wrongBook ? "288863" : "288862"), "0001010203050007\r\n");
        EXPECT_EQ(record(wrongBook ? "288873" : "288872"), "FTTF\r\n");
        EXPECT_EQ(count(wrongBook ? "LblCuoTiWei" : "LblBiaoZhiWei", wrongBook).caption(), "2");
        EXPECT_EQ(count(wrongBook ? "LblCuoTiYI" : "LblBiaoZhiYI", wrongBook).caption(), "2");
    }
}

// A practice of the unreviewed favourites ends back on the favourites panel, whose counts show
// the question done in it as reviewed; the wrong-question book likewise.
TEST_F(CollectionPanels, APracticeReturnsToItsPanelWithTheNewCounts)
{
    const struct {
        bool wrongBook;
        const char* unreviewedLabel;
        const char* reviewedLabel;
        QString review; // afterwards
    } cases[] = {
        { false, "LblBiaoZhiWei", "LblBiaoZhiYI", "TFTF" },
        { true, "LblCuoTiWei", "LblCuoTiYI", "TFTF" },
    };
    for (const auto& c : cases) {
        startCase(c.wrongBook, "0001000200030004", "TFFF", {});
        h->click(c.wrongBook ? 24 : 22); // unreviewed: 0002, 0003, 0004
        ASSERT_EQ(h->st().QuestionCount, 3);
        h->st().QuestionState(2) |= 4; // 0003 done
        flow::EndLianXi(*h->sys);
        h->driver->advance(100); // the home window replays its page
        EXPECT_EQ(record(c.wrongBook ? "288873" : "288872"), c.review + "\r\n");
        EXPECT_TRUE((c.wrongBook ? h->ui().PicCuoTi : h->ui().PicBiaoZhi).visible());
        EXPECT_EQ(count(c.unreviewedLabel, c.wrongBook).caption(), "2");
        EXPECT_EQ(count(c.reviewedLabel, c.wrongBook).caption(), "2");
        // A favourites practice leaves every question flagged: the list keeps all four.
        if (!c.wrongBook) {
            EXPECT_EQ(record("288862"), "0001000200030004\r\n");
        }
    }
}

// The panels' own controls belong to one load of the home window: each load has its own, and
// leaving for an exercise takes them away with the window.
TEST_F(CollectionPanels, EachLoadBuildsThePanelsOnce)
{
    seedFavourites("00010002", "TF");
    open(18);
    const auto named = [&](const char* name) {
        int n = 0;
        for (plat::Control* c : h->ui().PicBiaoZhi.children())
            n += c->name() == QString::fromUtf8(name) ? 1 : 0;
        return n;
    };
    h->home().FengMainCsh(); // a second refresh, as after deleting a random paper
    EXPECT_EQ(named("LblBiaoZhiWei"), 1);
    EXPECT_EQ(named("ImgBiaoZhiBack"), 1);

    h->home().closeForExercise();
    testsupport::HeadlessDriver::processEvents();
    seedFavourites("000100020003", "TTF");
    open(18);
    EXPECT_EQ(named("LblBiaoZhiWei"), 1);
    EXPECT_EQ(count("LblBiaoZhiYI").caption(), "2");
}

} // namespace
