// The question-set builder: ids become a slot of question and step lines copied from the units'
// files; bad ids are skipped and reported with the built ids kept in step with the lines.

#include "home/homeflow.h"
#include "home/questionset.h"
#include "home/unitmodule.h"
#include "platform/text.h"
#include "support/systemapp.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <gtest/gtest.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

// Unit 2 of three questions with 3, 5 and 4 steps; step line n of the unit reads "S2-n"; unit 3
// has a question whose step lines run past the end of its step file.
class SlotTest : public ::testing::Test {
protected:
    SlotTest()
    {
        st.SkinPath = app.sys->state.SkinPath;
        writeFile(data("288872"),
            plat::encodeGbk(
                QStringLiteral("0201 3第一题\r\n0202 5第二题：选区\r\n0203 4第三题|两行\r\n")));
        QByteArray steps;
        for (int n = 1; n <= 12; ++n)
            steps += "S2-" + QByteArray::number(n) + "\r\n";
        writeFile(data("288822"), steps);
        writeFile(data("288873"), "0301 2ok\r\n0302 9short\r\n");
        writeFile(data("288823"), "S3-1\r\nS3-2\r\nS3-3\r\n");
        app.sys->state.errorSink = [this](QString tag, int, QString description, QString) {
            reports << tag + QStringLiteral(": ") + description;
        };
    }
    QString data(const QString& name) const { return st.SkinPath + name + QStringLiteral(".mxy"); }

    testsupport::SystemApp app;
    shell::AppState& st = app.sys->state;
    QStringList reports;
};

TEST_F(SlotTest, OneIdCopiesItsQuestionLineAndItsStepLines)
{
    EXPECT_EQ(flow::InitShiTi(*app.sys, QStringLiteral("0203"), 19), 1);
    EXPECT_EQ(st.QuestionCount, 1);
    EXPECT_EQ(st.QuestionIds(1), QStringLiteral("0203"));
    EXPECT_EQ(readFile(data("288869")), plat::encodeGbk(QStringLiteral("0203 4第三题|两行\r\n")));
    EXPECT_EQ(readFile(data("288819")), QByteArray("S2-9\r\nS2-10\r\nS2-11\r\nS2-12\r\n"));
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'\n').toStdString();
}

TEST_F(SlotTest, AFixedPaperFillsItsOwnSlotAndRepeatsAreCopiedTwice)
{
    EXPECT_EQ(flow::InitShiTi(*app.sys, QStringLiteral("02010201"), 7), 2);
    EXPECT_EQ(
        readFile(data("288807")), QByteArray("S2-1\r\nS2-2\r\nS2-3\r\nS2-1\r\nS2-2\r\nS2-3\r\n"));
    EXPECT_EQ(plat::splitLines(plat::decodeGbk(readFile(data("288857")))).size(), 2);
}

TEST_F(SlotTest, BadIdsAreSkippedAndReportedWithTheIdsKeptAligned)
{
    struct Case {
        QString ids;
        QStringList built;
        int rejected;
    };
    const Case cases[] = {
        { QStringLiteral("02x3"), {}, 1 }, // not digits
        { QStringLiteral("2001"), {}, 1 }, // unit 20
        { QStringLiteral("0200"), {}, 1 }, // question 0
        { QStringLiteral("0204"), {}, 1 }, // beyond the unit's questions
        { QStringLiteral("0501"), {}, 1 }, // no such unit files
        { QStringLiteral("0302"), {}, 1 }, // its step lines are not all there
        { QStringLiteral("0301020"), { QStringLiteral("0301") }, 1 }, // a tail is no id
        { QStringLiteral("0204020102x30202"), { QStringLiteral("0201"), QStringLiteral("0202") },
            2 },
        { QString(), {}, 0 },
    };
    for (const Case& c : cases) {
        reports.clear();
        const int built = flow::InitShiTi(*app.sys, c.ids, 19);
        EXPECT_EQ(built, c.built.size()) << c.ids.toStdString();
        EXPECT_EQ(st.QuestionCount, c.built.size()) << c.ids.toStdString();
        const QStringList lines = plat::splitLines(plat::decodeGbk(readFile(data("288869"))));
        ASSERT_EQ(lines.size(), c.built.size()) << c.ids.toStdString();
        for (int i = 1; i <= c.built.size(); ++i) {
            EXPECT_EQ(st.QuestionIds(i), c.built[i - 1]) << c.ids.toStdString();
            EXPECT_TRUE(lines[i - 1].startsWith(c.built[i - 1])) << c.ids.toStdString();
        }
        EXPECT_EQ(reports.size(), c.rejected) << c.ids.toStdString();
        for (const QString& r : reports)
            EXPECT_TRUE(r.startsWith(QStringLiteral("initshiti"))) << r.toStdString();
    }
}

TEST_F(SlotTest, LinesAreCopiedByteForByte)
{
    // A GBK line with a byte pair that does not decode and no CR before its LF.
    const QByteArray odd
        = QByteArray("0201 1") + plat::encodeGbk(QStringLiteral("图层")) + "\x81\x20x";
    writeFile(data("288872"), odd + "\n");
    writeFile(data("288822"), QByteArray("S\xb2\xe3-1\r\n"));
    EXPECT_EQ(flow::InitShiTi(*app.sys, QStringLiteral("0201"), 19), 1);
    EXPECT_EQ(readFile(data("288869")), odd + "\r\n");
    EXPECT_EQ(readFile(data("288819")), QByteArray("S\xb2\xe3-1\r\n"));
}

TEST_F(SlotTest, AtMostFiveHundredQuestions)
{
    QString ids;
    for (int i = 0; i < 510; ++i)
        ids += QStringLiteral("0201");
    EXPECT_EQ(flow::InitShiTi(*app.sys, ids, 19), 500);
    EXPECT_EQ(st.QuestionCount, 500);
    EXPECT_EQ(reports.size(), 10);
}

} // namespace

namespace {

// The practice window keeps a step file it has read while the file stays the same; a slot
// rebuilt for the next exercise, even at once and with the same size, is read afresh.
TEST(SlotReload, ARebuiltSlotIsReadAfresh)
{
    testsupport::UnitModule m({ 2 });
    shell::AppState& st = m.st;
    st.StudyMode = 6;
    st.SetNo = 13;
    st.CurrentQuestion = 1;
    st.CurrentStep = 1;
    st.FirstStepTable(1) = 1;
    auto& main = m.app.sys->form<workspace::FrmMain>();
    for (const char* id : { "0001", "0002", "0001" }) {
        ASSERT_EQ(flow::InitShiTi(*m.app.sys, QString::fromLatin1(id), 19), 1);
        main.setData();
        EXPECT_EQ(st.StepLine, QStringLiteral("step %1").arg(QString::fromLatin1(id).toInt()));
    }
    // A slot that has gone is reported, not played from memory.
    QFile::remove(st.SkinPath + "288819.mxy");
    m.reports.clear();
    main.setData();
    EXPECT_TRUE(m.reports.join(u'\n').contains(QStringLiteral("setdata")));
}

} // namespace
