// The home window's paper panel on the sample module (10 fixed papers): the cards the refresh
// fills, the paper tab's choice of list, the lists, starting a paper, generating, deleting and
// practising the wrong questions of a paper.

#include "core/errorreport.h"
#include "exam/frmlogon.h"
#include "exercise/frmtm.h"
#include "home/homefixture.h"
#include "home/homeflow.h"
#include "home/paperpanel.h"
#include "platform/text.h"
#include "records/learnerrecords.h"
#include "stepengine/steprecord.h"
#include "workspace/frmmain.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using testsupport::SampleHome;

QString out(const QString& name) { return testsupport::outputDir() + QStringLiteral("/") + name; }

QString idsFrom(int first, int count = 40)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += QStringLiteral("%1").arg(first + i, 4, 10, QLatin1Char('0'));
    return s;
}

class PaperPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_SAMPLE_MODULE();
        QDir().mkpath(h.dir.path() + QStringLiteral("/ksdata"));
    }
    void writeRecord(const QString& name, const QStringList& lines)
    {
        ASSERT_TRUE(plat::writeLines(h.recordFile(name), lines).ok());
    }
    QByteArray bytes(const QString& name) { return testsupport::readFile(h.recordFile(name)); }
    // A history of `lines` lines: row r holds time "2026-0m-dd 10:0r:33" and score `best(r)`.
    void writeHistory(int lines, const std::function<QString(int)>& best)
    {
        QStringList l;
        for (int n = 1; n <= lines; ++n) {
            const int r = (n - 1) / 3;
            l << (n % 3 == 1 ? QStringLiteral("2026-11-%1 10:%2:33")
                                   .arg(r % 28 + 1, 2, 10, QLatin1Char('0'))
                                   .arg(r, 2, 10, QLatin1Char('0'))
                    : n % 3 == 2 ? best(r)
                                 : QStringLiteral("E"));
        }
        writeRecord(QStringLiteral("288892"), l);
    }
    // `count` random papers 20.. (the sample's fixed papers 0.. over again) with their wrong
    // files (paper 20 + k: k + 1 ids from 0101 on) and history rows.
    void writeRandomPapers(int count)
    {
        const QStringList fixed = plat::readLines(h.dataFile("288891.mxy")).valueOr({});
        QStringList papers;
        for (int k = 0; k < count; ++k) {
            papers << fixed.value(2 + k % 10);
            writeRecord(QStringLiteral("18%1").arg(24) + QString::number(20 + k),
                { idsFrom(101 + k, k + 1) });
        }
        papers << QString();
        writeRecord(QStringLiteral("288891"), papers);
        writeHistory(93, [](int r) { return QString::number(r); });
    }
    void show()
    {
        h.home().show();
        h.click(5); // the start page's papers button: the paper tab
    }
    home::PaperPanelUi& panel()
    {
        home::PaperPanelUi* p = home::paperPanel(*h.sys);
        EXPECT_NE(p, nullptr);
        return *p;
    }
    QList<int> shownRows()
    {
        QList<int> rows;
        for (int r = 0; r < 30; ++r) {
            const bool card = panel().ImgShiJuan[r].visible();
            EXPECT_EQ(h.button(70 + r).visible(), card) << r;
            EXPECT_EQ(panel().LblShiJuanCCC[r].visible(), card) << r;
            EXPECT_EQ(panel().LblShiJuanTime[r].visible(), card) << r;
            if (card)
                rows << r;
        }
        return rows;
    }

    SampleHome h;
};

TEST_F(PaperPanelTest, CardsShowTitleTimeBestScoreAndWrongCount)
{
    writeHistory(60, [](int r) { return r == 2 ? QStringLiteral("82.5") : QStringLiteral("0"); });
    writeRecord("182402", { idsFrom(1, 7) });
    writeRecord("182401", { QString(30, '1') });
    show();
    auto& p = panel();
    EXPECT_EQ(h.home().LastSprintRow, 3);
    EXPECT_EQ(p.LblShiJuanBiao[0].caption(), "冲刺试卷一");
    EXPECT_EQ(p.LblShiJuanBiao[3].caption(), "冲刺试卷四");
    EXPECT_EQ(p.LblShiJuanBiao[4].caption(), "模拟试卷一");
    EXPECT_EQ(p.LblShiJuanBiao[9].caption(), "模拟试卷六");
    EXPECT_EQ(p.LblShiJuanBiao[20].caption(), "随机试卷一");
    EXPECT_EQ(p.LblShiJuanTime[2].caption(), "最后考试时间：2026-11-03 10:02");
    EXPECT_EQ(p.LblShiJuanTime[25].caption(), "最后考试时间：您还未考试！"); // beyond 60 lines
    EXPECT_EQ(p.LblShiJuanScore[2].caption(), "82.5");
    EXPECT_EQ(p.LblShiJuanScore[25].caption(), "0");
    EXPECT_EQ(p.LblShiJuanCuoTi[2].caption(), "(7)");
    EXPECT_EQ(p.LblShiJuanCuoTi[1].caption(), "(7)");
    EXPECT_EQ(p.LblShiJuanCuoTi[0].caption(), "(0)");
    EXPECT_EQ(p.LblShiJuanDel[3].caption(), "");
    EXPECT_EQ(p.LblShiJuanDel[20].caption(), "删除试卷");
    EXPECT_EQ(shownRows(), (QList<int> { 0, 1, 2, 3 }));
    EXPECT_FALSE(h.button(28).enabled());
    // Every card of the list lies inside the panel, each label on its card.
    for (int r = 0; r <= 3; ++r) {
        const auto& card = p.ImgShiJuan[r];
        EXPECT_LE(card.top() + card.height(), h.ui().PicKaCH.height()) << r;
        for (auto* l : { &p.LblShiJuanBiao[r], &p.LblShiJuanCuoTi[r], &p.LblShiJuanScore[r] })
            EXPECT_LE(l->left() + l->width(), card.left() + card.width()) << r;
    }
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(h.home(), out("paperpanel-sprint.png")));
    // Only the line that is not whole ids is reported.
    ASSERT_EQ(h.reports.size(), 1) << h.reports.join('\n').toStdString();
    EXPECT_TRUE(h.reports[0].contains("182401"));
}

TEST_F(PaperPanelTest, PaperTabOpensTheMockListOnlyWhenEverySprintRowPassed)
{
    struct Case {
        const char* what;
        QString row2;
        QString row0;
        QList<int> rows;
    };
    const Case cases[] = {
        { "75 passes", "75", "0", { 4, 5, 6, 7, 8, 9 } },
        { "74.5 fails", "74.5", "100", { 0, 1, 2, 3 } },
    };
    for (const Case& c : cases) {
        writeHistory(90, [&](int r) {
            return r == 0 ? c.row0 : r == 2 ? c.row2 : r <= 3 ? QStringLiteral("90") : QString("0");
        });
        h.restart();
        show();
        EXPECT_EQ(shownRows(), c.rows) << c.what;
    }
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(h.home(), out("paperpanel-mock.png")));
}

TEST_F(PaperPanelTest, RandomPageAndRandomListWithAndWithoutPapers)
{
    show();
    auto& p = panel();
    h.click(30);
    EXPECT_TRUE(shownRows().isEmpty());
    EXPECT_TRUE(p.ImgSuiJi.visible());
    EXPECT_TRUE(h.button(21).visible());
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(h.home(), out("paperpanel-randompage.png")));
    h.click(31);
    EXPECT_TRUE(shownRows().isEmpty());
    EXPECT_TRUE(p.LblNoHis.visible());
    EXPECT_FALSE(p.ImgSuiJi.visible());
    EXPECT_FALSE(h.button(21).visible());
    EXPECT_TRUE(
        testsupport::HeadlessDriver::saveRendering(h.home(), out("paperpanel-norandom.png")));

    writeRandomPapers(3);
    h.restart();
    show();
    h.click(31);
    EXPECT_EQ(shownRows(), (QList<int> { 20, 21, 22 }));
    EXPECT_FALSE(panel().LblNoHis.visible());
    EXPECT_EQ(panel().LblShiJuanCuoTi[22].caption(), "(3)");
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(h.home(), out("paperpanel-random.png")));
}

TEST_F(PaperPanelTest, StartingAPaperLoadsItsSlotAndOpensTheLoginWithoutWritingRecords)
{
    writeRandomPapers(3);
    const QByteArray history = bytes("288892");
    const QStringList paperFile = plat::readLines(h.dataFile("288891.mxy")).valueOr({});
    ASSERT_GE(paperFile.size(), 7);
    struct Case {
        int row;
        int16_t mode, setNo;
        QString slot;
        QString ids;
    };
    const Case cases[] = {
        { 4, 0, 4, "04", paperFile[6] },
        { 22, 8, 11, "19", paperFile[4] },
    };
    for (const Case& c : cases) {
        h.restart();
        show();
        h.click(c.row < 20 ? 29 : 31);
        auto& st = h.st();
        st.QuestionState(7) = 6;
        h.click(70 + c.row);
        EXPECT_FALSE(h.home().isLoaded()) << c.row;
        EXPECT_TRUE(h.sys->form<exam::FrmLogon>().visible()) << c.row;
        EXPECT_EQ(st.StudyMode, c.mode);
        EXPECT_EQ(st.SetNo, c.setNo);
        EXPECT_EQ(st.RecordNo, c.row);
        EXPECT_EQ(st.PanelMode, 3);
        EXPECT_EQ(st.QuestionCount, 40);
        EXPECT_EQ(st.CurrentQuestion, 1);
        EXPECT_EQ(st.DoneBefore(40), "F");
        EXPECT_TRUE(st.QuestionState(7) == 0 || st.QuestionState(7) == 2)
            << "reset (or a favourite)";
        EXPECT_TRUE(st.StepFile.endsWith("2888" + c.slot + ".mxy")) << st.StepFile.toStdString();
        QString built;
        for (int i = 1; i <= 40; ++i)
            built += *records::idText(st.QuestionIds(i));
        EXPECT_EQ(built, c.ids) << c.row;
        h.sys->form<exam::FrmLogon>().unload();
    }
    EXPECT_EQ(bytes("288892"), history);
    EXPECT_FALSE(QFileInfo::exists(h.recordFile("182404")));
}

TEST_F(PaperPanelTest, ANewRandomPaperIsFortyDistinctIdsAndShiftsTheOlderPapers)
{
    struct Case {
        int before;
    };
    for (const int before : { 0, 3, 10 }) {
        SCOPED_TRACE(before);
        QDir(h.dir.path() + "/ksdata").removeRecursively();
        QDir().mkpath(h.dir.path() + "/ksdata");
        if (before > 0)
            writeRandomPapers(before);
        h.restart();
        show();
        ASSERT_EQ(h.home().RandomPaperCount, before);
        const QStringList oldPapers = plat::readLines(h.recordFile("288891")).valueOr({});
        const QStringList oldHistory = plat::readLines(h.recordFile("288892")).valueOr({});
        const shell::ErrorSite site(h.st(), "test");
        ASSERT_TRUE(
            home::createRandomPaper(*h.sys, before, home::seededSource(2026 + before), site));
        auto& st = h.st();
        EXPECT_EQ(st.StudyMode, 8);
        EXPECT_EQ(st.SetNo, 11);
        EXPECT_EQ(st.RecordNo, 20);
        EXPECT_EQ(st.QuestionCount, 40);

        const QStringList papers = plat::readLines(h.recordFile("288891")).valueOr({});
        ASSERT_EQ(papers.size(), 10);
        const QString line = papers[0];
        ASSERT_EQ(line.size(), 160);
        QSet<QString> ids;
        for (int i = 0; i < 40; ++i) {
            const QString id = line.mid(4 * i, 4);
            ids.insert(id);
            EXPECT_LT(id.left(2).toInt(), st.UnitCount);
            EXPECT_EQ(*records::idText(st.QuestionIds(i + 1)), id);
        }
        EXPECT_EQ(ids.size(), 40);
        for (int k = 1; k <= 9; ++k)
            EXPECT_EQ(papers[k], k <= before ? oldPapers[k - 1] : QString()) << k;

        const QStringList history = plat::readLines(h.recordFile("288892")).valueOr({});
        ASSERT_GE(history.size(), 90);
        EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                        .match(history[60])
                        .hasMatch());
        EXPECT_EQ(history[61], "0");
        EXPECT_EQ(history[62], "E");
        if (before > 0) {
            EXPECT_EQ(history[63], oldHistory[60]) << "row 21 takes the old row 20";
            EXPECT_EQ(history[87], oldHistory[84]) << "row 29 takes the old row 28";
        }
        EXPECT_EQ(plat::readLines(h.recordFile("182420")).valueOr({ "x" }), QStringList { "" });
        if (before == 10) {
            // The oldest paper is gone from the list; its wrong file moved to number 30.
            EXPECT_EQ(plat::readLines(h.recordFile("182430")).valueOr({}),
                QStringList { idsFrom(110, 10) });
            EXPECT_EQ(plat::readLines(h.recordFile("182421")).valueOr({}),
                QStringList { idsFrom(101, 1) });
        }
    }
}

TEST_F(PaperPanelTest, GeneratingFromOneUnitOrATooSmallBank)
{
    show();
    auto& st = h.st();
    const shell::ErrorSite site(st, "test");
    st.UnitCount = 1;
    st.ModuleSettings[0][2] = "40";
    ASSERT_TRUE(home::createRandomPaper(*h.sys, 0, home::seededSource(9), site));
    const QString line = plat::readLines(h.recordFile("288891")).valueOr({ "" }).first();
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(line.mid(4 * i, 2), "00");

    st.ModuleSettings[0][2] = "39";
    const QByteArray papers = bytes("288891");
    QString prompt;
    h.answerBox(true, &prompt);
    EXPECT_FALSE(home::createRandomPaper(*h.sys, 1, home::seededSource(9), site));
    EXPECT_TRUE(prompt.contains("不足40道")) << prompt.toStdString();
    EXPECT_EQ(bytes("288891"), papers);
    st.UnitCount = 0;
    h.answerBox(true);
    EXPECT_FALSE(home::createRandomPaper(*h.sys, 1, home::seededSource(9), site));
}

// The question set of a new random paper cannot be written into the module folder: no paper is
// recorded (no list line, no history row, no shift), and the message names the folder instead
// of the question bank.
TEST_F(PaperPanelTest, ARandomPaperWhoseSetCannotBeBuiltWritesNoRecord)
{
    writeRandomPapers(3);
    const QStringList names { "288891", "288892", "182420", "182421", "182422" };
    QList<QByteArray> before;
    for (const QString& n : names)
        before << bytes(n);
    show();
    // A folder where the set's step file goes: the atomic save cannot replace it.
    const QString stepFile = h.sys->skinFile(stepengine::stepFileName(19, 0));
    QFile::remove(stepFile);
    ASSERT_TRUE(QDir().mkpath(stepFile));
    const shell::ErrorSite site(h.st(), "test");
    QString prompt;
    h.answerBox(true, &prompt);
    EXPECT_FALSE(home::createRandomPaper(*h.sys, 3, home::seededSource(5), site));
    QDir(stepFile).removeRecursively();
    EXPECT_TRUE(prompt.contains("无法写入模块文件夹")) << prompt.toStdString();
    EXPECT_FALSE(prompt.contains("题库")) << prompt.toStdString();
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(bytes(names[i]), before[i]) << names[i].toStdString();
    EXPECT_FALSE(QFileInfo::exists(h.recordFile("182423")));
}

// A mock paper and a favourites practice build their set into the module folder. When that
// folder cannot take the set, the message says so; only a bank that lacks files is sent to be
// upgraded.
TEST_F(PaperPanelTest, ASetThatCannotBeStartedNamesItsRealCause)
{
    show();
    const QString paperSteps = h.sys->skinFile(stepengine::stepFileName(0, 0));
    const QString favouriteSteps = h.sys->skinFile(stepengine::stepFileName(19, 0));
    const QString unitQuestions = h.dataFile(QStringLiteral("288870.mxy"));
    const QByteArray unitBytes = testsupport::readFile(unitQuestions);
    const QString blocked = QStringLiteral("无法写入模块文件夹");
    const QString missing = QStringLiteral("题库文件缺失或不完整");
    const auto login = [&] { return QList<plat::Form*> { &h.sys->form<exam::FrmLogon>() }; };
    const auto practice = [&] {
        return QList<plat::Form*> { &h.sys->form<exercise::FrmTm>(),
            &h.sys->form<workspace::FrmMain>() };
    };
    const struct {
        const char* name;
        QString folderInPlace; // a folder where the set's step file goes
        bool unitMissing; // the questions of unit 0 are not in the module
        std::function<void()> start;
        const QString& said;
        const QString& notSaid;
        std::function<QList<plat::Form*>()> wouldOpen; // the windows a started set shows
    } cases[] = {
        { "mock paper, folder cannot be written", paperSteps, false,
            [&] { home::startPaper(*h.sys, home::cmd::FirstPaper); }, blocked, missing, login },
        { "mock paper, unit missing", {}, true,
            [&] { home::startPaper(*h.sys, home::cmd::FirstPaper); }, missing, blocked, login },
        { "favourites, folder cannot be written", favouriteSteps, false,
            [&] {
                h.st().setStudyMode(shell::StudyMode::AllFavourites);
                h.st().SetNo = 19 - h.st().StudyMode;
                flow::InitShiTi(*h.sys, QStringLiteral("01010102"), 19);
                flow::startLianXi(*h.sys);
            },
            blocked, missing, practice },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.folderInPlace.isEmpty()) {
            QFile::remove(c.folderInPlace);
            ASSERT_TRUE(QDir().mkpath(c.folderInPlace));
        }
        if (c.unitMissing) {
            ASSERT_TRUE(QFile::remove(unitQuestions));
        }
        QString prompt;
        h.answerBox(true, &prompt);
        c.start();
        if (!c.folderInPlace.isEmpty())
            QDir(c.folderInPlace).removeRecursively();
        if (c.unitMissing)
            testsupport::writeFile(unitQuestions, unitBytes);
        EXPECT_TRUE(prompt.contains(c.said)) << prompt.toStdString();
        EXPECT_FALSE(prompt.contains(c.notSaid)) << prompt.toStdString();
        for (plat::Form* f : c.wouldOpen())
            EXPECT_FALSE(f->visible()) << qPrintable(f->name());
        EXPECT_TRUE(h.home().visible());
    }
}

TEST_F(PaperPanelTest, DeletingARandomPaperMovesTheLaterOnesUp)
{
    const QStringList fixed = plat::readLines(h.dataFile("288891.mxy")).valueOr({});
    ASSERT_GE(fixed.size(), 5);
    struct Case {
        int count, row;
        QStringList papers; // the list afterwards
    };
    const Case cases[] = {
        { 3, 20, { fixed[3], fixed[4] } },
        { 3, 22, { fixed[2], fixed[3] } },
        { 1, 20, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1 papers, row %2").arg(c.count).arg(c.row).toStdString());
        QDir(h.dir.path() + "/ksdata").removeRecursively();
        QDir().mkpath(h.dir.path() + "/ksdata");
        writeRandomPapers(c.count);
        writeRecord("182405", { idsFrom(1, 2) });
        const QStringList history = plat::readLines(h.recordFile("288892")).valueOr({});
        h.restart();
        show();
        h.click(31);
        QString prompt;
        h.answerBox(true, &prompt);
        h.driver->click(panel().LblShiJuanDel[c.row]);
        EXPECT_TRUE(prompt.endsWith("您确实要删除本套随机试题吗？"));
        QStringList expected = c.papers;
        expected << QString();
        EXPECT_EQ(plat::readLines(h.recordFile("288891")).valueOr({}), expected);
        const QStringList after = plat::readLines(h.recordFile("288892")).valueOr({});
        ASSERT_EQ(after.size(), 91);
        EXPECT_EQ(after[90], "") << "90 lines and a final line break";
        EXPECT_EQ(after.mid(0, 60), history.mid(0, 60)) << "fixed papers untouched";
        for (int r = 20; r < 20 + c.count - 1; ++r) {
            const int from = r < c.row ? r : r + 1;
            EXPECT_EQ(after.mid(3 * r, 3), history.mid(3 * from, 3)) << r;
            EXPECT_EQ(plat::readLines(h.recordFile("1824" + QString::number(r))).valueOr({}),
                QStringList { idsFrom(101 + from - 20, from - 19) })
                << r;
        }
        EXPECT_EQ(
            plat::readLines(h.recordFile("182405")).valueOr({}), QStringList { idsFrom(1, 2) });
        // The home window is rebuilt: one paper fewer.
        EXPECT_EQ(h.home().RandomPaperCount, c.count - 1);
    }
}

TEST_F(PaperPanelTest, CancelledOrMisplacedDeletionChangesNoFile)
{
    writeRandomPapers(3);
    writeRecord("182405", { idsFrom(1, 2) });
    const QStringList names { "288891", "288892", "182420", "182421", "182422", "182405" };
    QList<QByteArray> before;
    for (const QString& n : names)
        before << bytes(n);
    show();
    h.click(31);
    h.answerBox(false);
    h.driver->click(panel().LblShiJuanDel[21]);
    // A fixed row's empty delete label and a row beyond the list do nothing, not even ask.
    home::LblShiJuanDel_Click(*h.sys, 5);
    home::LblShiJuanDel_Click(*h.sys, 24);
    EXPECT_EQ(h.driver->unansweredModals(), 0);
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(bytes(names[i]), before[i]) << names[i].toStdString();

    // Confirmed while the history cannot be read (far too large): it is kept whole under
    // another name before the deletion starts it again, and the learner is told where.
    {
        QFile big(h.recordFile("288892"));
        ASSERT_TRUE(big.open(QIODevice::ReadWrite));
        ASSERT_TRUE(big.resize(plat::kMaxDataFileBytes + 1));
    }
    auto& boxes = h.messageBoxes();
    boxes.shown.clear();
    h.answerBox(true);
    h.driver->click(panel().LblShiJuanDel[20]);
    QString told;
    for (const auto& shown : boxes.shown)
        told += shown.text;
    EXPECT_FALSE(h.reports.isEmpty());
    const QFileInfoList kept = QFileInfo(h.recordFile("288892"))
                                   .dir()
                                   .entryInfoList({ QStringLiteral("288892.mxy.damaged-*") });
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].size(), plat::kMaxDataFileBytes + 1);
    EXPECT_TRUE(told.contains(kept[0].fileName())) << told.toStdString();
    EXPECT_LT(QFileInfo(h.recordFile("288892")).size(), 10000);
    EXPECT_EQ(h.home().RandomPaperCount, 2) << "the deletion went through";
}

TEST_F(PaperPanelTest, WrongQuestionPracticeOfAPaper)
{
    show();
    auto& st = h.st();
    // No file: the notice, and the exercise state stays.
    st.StudyMode = 20;
    st.RecordNo = 7;
    QString title, prompt;
    h.answerBox(true, &prompt, &title);
    h.driver->click(panel().LblShiJuanCCC[3]);
    EXPECT_EQ(title, "没有生成错题");
    EXPECT_TRUE(prompt.contains("你可能是还没有做本套试题，或者上次得分为0。"));
    EXPECT_EQ(st.StudyMode, 20);
    EXPECT_EQ(st.RecordNo, 7);
    EXPECT_TRUE(h.home().visible());

    // A file that cannot be read (here: far too large for a record) says so instead.
    {
        QFile big(h.recordFile("182403"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(plat::kMaxDataFileBytes + 1));
    }
    h.answerBox(true, &prompt, &title);
    h.driver->click(panel().LblShiJuanCCC[3]);
    EXPECT_TRUE(prompt.contains("无法读取")) << prompt.toStdString();
    EXPECT_FALSE(h.reports.isEmpty());
    EXPECT_EQ(st.StudyMode, 20);
    QFile::remove(h.recordFile("182403"));

    // Ids 0003 and 0105 (with blanks around them): a practice of two questions.
    writeRecord("182403", { "  00030105  " });
    h.restart();
    show();
    h.st().DoneBefore(1) = "T";
    h.driver->click(panel().LblShiJuanCCC[3]);
    EXPECT_FALSE(h.home().isLoaded());
    EXPECT_EQ(h.st().StudyMode, 2);
    EXPECT_EQ(h.st().SetNo, 17);
    EXPECT_EQ(h.st().RecordNo, 3);
    EXPECT_EQ(h.st().PanelMode, 2);
    EXPECT_EQ(h.st().QuestionCount, 2);
    EXPECT_EQ(*records::idText(h.st().QuestionIds(1)), "0003");
    EXPECT_EQ(*records::idText(h.st().QuestionIds(2)), "0105");
    EXPECT_EQ(h.st().DoneBefore(1), "F");
    EXPECT_TRUE(h.sys->form<exercise::FrmTm>().visible());
}

} // namespace
