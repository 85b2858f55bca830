// The panel's rules: the title by study mode, the flag pair, the number pages and their faces,
// the examination clock, the reading of a question line and the input-method menu's binding to
// the layouts.

#include "exercise/panelrules.h"

#include <gtest/gtest.h>

namespace {

using namespace exercise;

TEST(PanelTitle, ByStudyMode)
{
    struct Case {
        int studyMode, setNo, recordNo, question, count;
        const char* id;
        const char* doneBefore;
        const char16_t* title; // nullptr: left as it was
    };
    const Case cases[] = {
        { 0, 2, 2, 7, 40, "0312", "F", u"图像 3套第7题(0412)" }, // examinations show no D
        { 2, 0, 4, 3, 9, "0005", "T", u"图像 错5-3/9(0105)(已完成)" },
        { 5, 0, 0, 2, 10, "0101", "F", u"图像 已2/10(0201)(未完成)" },
        { 6, 0, 0, 2, 10, "0101", "T", u"图像 未2/10(0201)(已完成)" },
        { 8, 0, 20, 3, 40, "0102", "F", u"图像 随0-3(0202)" }, // paper 20 shows 0
        { 8, 0, 29, 1, 40, "1599", "F", u"图像 随9-1(1699)" },
        { 9, 0, 0, 1, 3, "0001", "F", u"图像 藏1/3(0101)(未完成)" },
        { 11, 0, 0, 1, 3, "0001", "", u"图像 藏1/3(0101)(已完成)" }, // only "F" is not done
        { 12, 0, 0, 4, 4, "0204", "F", u"图像 复4/4(0304)(未完成)" },
        { 14, 0, 0, 4, 4, "0204", "F", u"图像 复4/4(0304)(未完成)" },
        { 20, 2, 0, 5, 30, "0205", "F", u"图像 3单元5/30题(未完成)" },
        { 1, 0, 0, 1, 1, "0001", "F", nullptr },
        { 15, 0, 0, 1, 1, "0001", "F", nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.studyMode << " id " << c.id);
        const auto title = panelTitle(
            { c.studyMode, c.setNo, c.recordNo, c.question, c.count, QStringLiteral("图像处理"),
                QString::fromLatin1(c.id), QString::fromLatin1(c.doneBefore) });
        if (c.title == nullptr) {
            EXPECT_FALSE(title.has_value());
            continue;
        }
        ASSERT_TRUE(title.has_value());
        EXPECT_EQ(*title, QString::fromUtf16(c.title));
    }
}

TEST(PanelTitle, CodeIsTheIdPlusOneHundredInFourDigits)
{
    EXPECT_EQ(titleCode(QStringLiteral("0005")), QStringLiteral("0105"));
    EXPECT_EQ(titleCode(QStringLiteral("1840")), QStringLiteral("1940"));
    EXPECT_EQ(titleCode(QString()), QStringLiteral("0100")); // no id reads as 0
    EXPECT_EQ(titleCode(QStringLiteral("9950")), QStringLiteral("0050")); // the last four kept
}

TEST(FlagPair, FlagAndUnflagByState)
{
    struct Case {
        int state;
        bool flagged;
        int afterFlag, afterUnflag;
    };
    const Case cases[] = {
        { 0, false, 2, 0 },
        { 1, false, 3, 1 },
        { 2, true, 2, 0 },
        { 3, true, 3, 1 },
        { 4, false, 6, 4 },
        { 5, false, 7, 5 },
        { 6, true, 6, 4 },
        { 7, true, 7, 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        EXPECT_EQ(isFlagged(c.state), c.flagged);
        EXPECT_EQ(withFlag(c.state), c.afterFlag);
        EXPECT_EQ(withoutFlag(c.state), c.afterUnflag);
    }
}

TEST(NumberPages, LastPageNumbersPerPageAndPaging)
{
    struct Case {
        int count, lastPage;
        bool paging;
        int onFirst, onLast;
    };
    const Case cases[] = {
        { 0, 0, false, 0, 0 }, // never a negative page
        { 1, 0, false, 1, 1 },
        { 7, 0, false, 7, 7 },
        { 40, 0, false, 40, 40 },
        { 41, 1, true, 40, 1 },
        { 80, 1, true, 40, 40 }, // the second page holds 41-80
        { 81, 2, true, 40, 1 },
        { 85, 2, true, 40, 5 },
        { 500, 12, true, 40, 20 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(lastNumberPage(c.count), c.lastPage);
        EXPECT_EQ(pagingShown(c.count), c.paging);
        EXPECT_EQ(numbersOnPage(c.count, 0), c.onFirst);
        EXPECT_EQ(numbersOnPage(c.count, c.lastPage), c.onLast);
        EXPECT_EQ(numbersOnPage(c.count, c.lastPage + 1), 0);
    }
}

TEST(NumberPages, FaceByState)
{
    const char* faces[8]
        = { "l01030", "l01031", "l01032", "l01032", "l01030", "l01031", "l01032", "l01032" };
    for (int state = 0; state < 8; ++state)
        EXPECT_EQ(numberFace(state), QString::fromLatin1(faces[state])) << state;
}

TEST(PanelClock, CaptionAndTheBarOfTheMinutesGone)
{
    struct Case {
        int minutesLeft;
        double track;
        const char16_t* caption;
        double bar;
    };
    const Case cases[] = {
        { 50, 5000, u"剩余50分钟", 0 }, // a fresh examination shows no bar
        { 49, 5000, u"剩余49分钟", 100 },
        { 25, 5000, u"剩余25分钟", 2500 },
        { 1, 5000, u"剩余1分钟", 4900 },
        { 0, 1500, u"剩余0分钟", 1500 }, // time up: the frame is full
        { 41, 1500, u"剩余41分钟", 270 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clockCaption(c.minutesLeft), QString::fromUtf16(c.caption));
        EXPECT_DOUBLE_EQ(clockBarWidth(c.minutesLeft, c.track), c.bar) << c.minutesLeft;
    }
}

TEST(QuestionLine, TextBreaksAndPictures)
{
    struct Case {
        const char16_t* line;
        bool lineBreaks;
        const char16_t* text;
        const char* picture;
        bool bad;
    };
    const Case cases[] = {
        { u"000103第一行|第二行", true, u"第一行\r\n第二行", "", false },
        { u"000103第一行|第二行", false, u"第一行|第二行", "", false }, // the demonstration's note
        { u"031003pictureqp0001参照|图片", true, u"参照|图片", "qp0001", false },
        { u"031003pictureqp0001参照|图片", false, u"参照|图片", "qp0001", false },
        { u"031003Pictureqp0001参照", true, u"Pictureqp0001参照", "", false }, // exact case
        { u"031003picture../..x文字", true, u"文字", "../..x", true },
        { u"031003picturea\\b001文字", true, u"文字", "a\\b001", true },
        { u"031003picture", true, u"", "", true },
        { u"0001", true, u"", "", false }, // a line shorter than its text field
        { u"", true, u"", "", false },
    };
    for (const Case& c : cases) {
        const QString line = QString::fromUtf16(c.line);
        SCOPED_TRACE(line.toStdString());
        const QuestionText t = readQuestionLine(line, c.lineBreaks);
        EXPECT_EQ(t.text, QString::fromUtf16(c.text));
        EXPECT_EQ(t.picture, QString::fromLatin1(c.picture));
        EXPECT_EQ(t.pictureQuestion, *c.picture != 0 || c.bad);
        EXPECT_EQ(t.badPicture, c.bad);
    }
}

TEST(ImeMenuFill, ItemsAreBoundToTheLayoutTheirCaptionNames)
{
    using L = plat::KeyboardLayout;
    auto ids = [](const ImeMenu& m) {
        QStringList out;
        for (const auto& l : m.layouts)
            out << (l ? l->id : QStringLiteral("-"));
        return out;
    };

    // English first and two input methods.
    ImeMenu m = imeMenu({ L { "en", "" }, L { "py", "拼音" }, L { "wb", "五笔" } });
    EXPECT_EQ(m.rows, 3);
    ASSERT_TRUE(m.english.has_value());
    EXPECT_EQ(m.english->id, QStringLiteral("en"));
    EXPECT_EQ(m.captions.mid(0, 3), QStringList({ "拼音", "五笔", "中文3" }));
    EXPECT_EQ(ids(m).mid(0, 3), QStringList({ "py", "wb", "-" }));
    EXPECT_EQ(m.visible,
        std::vector<bool>({ true, true, false, false, false, false, false, false, false, false }));

    // No layout at all: the English item and 中文1 show, neither chooses a layout.
    m = imeMenu({});
    EXPECT_EQ(m.rows, 1);
    EXPECT_FALSE(m.english.has_value());
    EXPECT_EQ(m.captions.value(0), QStringLiteral("中文1"));
    EXPECT_FALSE(m.layouts[0].has_value());
    EXPECT_TRUE(m.visible[0]);
    EXPECT_FALSE(m.visible[1]);

    // An input method listed before English: each item keeps its own layout.
    m = imeMenu({ L { "a", "甲" }, L { "en", " " }, L { "b", "乙" } });
    EXPECT_EQ(m.english->id, QStringLiteral("en"));
    EXPECT_EQ(ids(m).mid(0, 2), QStringList({ "a", "b" }));
    EXPECT_EQ(m.captions.mid(0, 2), QStringList({ "甲", "乙" }));

    // Eleven input methods: ten items captioned, none hidden, twelve rows.
    std::vector<L> many { L { "en", "" } };
    for (int k = 1; k <= 11; ++k)
        many.push_back({ QStringLiteral("im%1").arg(k), QStringLiteral("输入法%1").arg(k) });
    m = imeMenu(many);
    EXPECT_EQ(m.rows, 12);
    EXPECT_EQ(m.captions.value(9), QStringLiteral("输入法10"));
    EXPECT_EQ(ids(m).value(9), QStringLiteral("im10"));
    EXPECT_EQ(std::count(m.visible.begin(), m.visible.end(), true), 10);

    // At most sixteen layouts are asked for.
    std::vector<L> twenty;
    for (int k = 1; k <= 20; ++k)
        twenty.push_back({ QStringLiteral("im%1").arg(k), QStringLiteral("输入法%1").arg(k) });
    EXPECT_EQ(imeMenu(twenty).rows, 17);
}

} // namespace
