// The judging rules of the practice window: releases on the target area, typed and selected
// answers, and the hotspot the hint frame goes to.

#include "workspace/checks.h"

#include "platform/text.h"
#include "stepengine/answers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using workspace::checks::Release;
namespace checks = workspace::checks;

constexpr int kLeft = 1, kRight = 2, kMiddle = 4;
constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

TEST(ReleaseOnTargetArea, ButtonAndModifierMaskMustBeExactlyTheCodes)
{
    struct Case {
        int code;
        QChar next;
        int button, shift;
        Release expected;
    };
    const Case cases[] = {
        { 1, u'0', kLeft, 0, Release::Advance },
        { 1, u'0', kLeft, kCtrl, Release::Nothing }, // a plain click only
        { 1, u'0', kRight, 0, Release::Nothing }, { 9201, u'0', kLeft, kCtrl, Release::Advance },
        { 9201, u'0', kLeft, 0, Release::Nothing },
        { 9101, u'0', kLeft, kShift + kCtrl, Release::Nothing }, // the whole mask counts
        { 9301, u'0', kLeft, kShift + kCtrl, Release::Advance },
        { 9401, u'0', kLeft, kAlt, Release::Advance }, { 9002, u'0', kRight, 0, Release::Advance },
        { 9004, u'0', kMiddle, 0, Release::Advance }, { 9002, u'0', kLeft, 0, Release::Nothing },
        { 9999, u'3', kLeft, 0, Release::Nothing }, // the end marker never matches
        { 3, u'0', kRight, kShift, Release::Advance }, // keys not tested
        { 3, u'0', kLeft, 0, Release::Nothing },
        { 4312, u'0', kRight, kCtrl, Release::ContextMenu },
        { 4312, u'0', kLeft, 0, Release::Nothing }, { 6000, u'0', kRight, 0, Release::ContextMenu },
        { 6001, u'0', kRight, 0, Release::Nothing }, // a key step
        { 22, u'0', kLeft, kShift, Release::ConfirmAnswer },
        { 26, u'5', kLeft, 0, Release::ConfirmAnswer }, // the jump code is not used
        { 28, u'0', kRight, 0, Release::Nothing },
        { 20, u'5', kRight, kAlt, Release::Advance }, // a step judged elsewhere still jumps
        { 7000, u'5', kLeft, 0, Release::Advance },
        { 0, u'B', kMiddle, 0, Release::Advance }, // letter codes read as 0
        { 20, u'0', kLeft, 0, Release::Nothing },
        { 2, u'5', kLeft, 0, Release::Nothing }, // a double-click step waits for it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " next " << QString(c.next).toStdString()
                                        << " button " << c.button << " shift " << c.shift);
        EXPECT_EQ(checks::judgeRelease(c.code, c.next, c.button, c.shift), c.expected);
    }
}

TEST(TypedAnswers, EachFieldComparesInItsOwnWay)
{
    enum Rule { LiveIgnoringCase, LiveKeepingCase, Enter, Whole, Selection };
    struct Case {
        Rule rule;
        const char* typed;
        const char* answer;
        bool matches;
    };
    const Case cases[] = {
        { LiveIgnoringCase, "abc", "ABC", true },
        { LiveIgnoringCase, "  AbC ", "ABC", true },
        { LiveIgnoringCase, "ab", "ABC", false },
        { LiveKeepingCase, "abc", "ABC", false },
        { LiveKeepingCase, " ABC  ", "ABC", true },
        { LiveIgnoringCase, "10", "10|10.0|10.00", true },
        { LiveIgnoringCase, "10.0|10.00", "10|10.0|10.00", true }, // a further "|" stays
        { LiveIgnoringCase, "10.0", "10|10.0|10.00", false },
        { LiveIgnoringCase, "", "abc|", true }, // an empty alternative
        { LiveIgnoringCase, "abc|xyz", "abc|xyz", false },
        { LiveIgnoringCase, "XYZ", "abc|xyz", true },
        { Enter, "a b", "ab", true }, // only printable ASCII, spaces dropped
        { Enter, "ab", "a b", false },
        { Enter, "a b", "a b", true }, // or the text as typed
        { Enter, "图层 1", "图层 1", true },
        { Enter, "A\tB", "ab", true },
        { Enter, "abd", "abc|abd", true },
        { Whole, "a|b", "a|b", true }, // not split
        { Whole, "a", "a|b", false },
        { Whole, "b", "a|b", false },
        { Whole, " A|b ", "A|b", true },
        { Whole, "a|b", "A|b", false },
        { Selection, "Layer 1", "Layer 1", true }, // capitals in the answer can be selected
        { Selection, "layer 1", "Layer 1", true },
        { Selection, "Layer", "Layer 1", false },
        { Selection, "LAYER 1", " Layer 1 ", true }, // the answer is trimmed
        { Selection, "layer 1 ", "Layer 1", false }, // the selection is taken as it stands
        { Selection, "", "", true },
        { Selection, "a", "a|b", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rule << " '" << c.typed << "' '" << c.answer << "'");
        const QString typed = QString::fromUtf8(c.typed), answer = QString::fromUtf8(c.answer);
        bool got = false;
        switch (c.rule) {
        case LiveIgnoringCase:
            got = checks::liveMatch(typed, answer, false);
            break;
        case LiveKeepingCase:
            got = checks::liveMatch(typed, answer, true);
            break;
        case Enter:
            got = checks::enterMatch(typed, answer);
            break;
        case Whole:
            got = checks::wholeMatch(typed, answer);
            break;
        case Selection:
            got = checks::selectionMatch(typed, answer);
            break;
        }
        EXPECT_EQ(got, c.matches);
    }
}

TEST(HintFrame, HotspotNamedByADescriptor)
{
    struct Case {
        const char* descriptor;
        std::optional<int> hotspot;
    };
    const Case cases[] = {
        { "H051003000", 5 },
        { "H450000000", 45 },
        { "H210000000", 21 },
        { "HX50000000", 5 }, // a letter before the digit: the digit alone
        { "HS50000000", std::nullopt },
        { "HZ50000000", std::nullopt }, // 105
        { "H000000000", std::nullopt },
        { "H670000000", 67 },
        { "H680000000", std::nullopt }, // past the last hotspot
        { "H700000000", std::nullopt },
        { "H710000000", std::nullopt },
        { "D050100abcd", 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.descriptor);
        EXPECT_EQ(checks::framedHotspot(QString::fromLatin1(c.descriptor)), c.hotspot);
    }
}

TEST(AnswerFile, AFieldGivesItsLinesTextOrNoAnswerAtAll)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("288890.mxy"));
    ASSERT_TRUE(plat::writeLines(
        file, { QStringLiteral("001abc|xyz"), QStringLiteral("002图层 1"), QStringLiteral("00") })
                    .ok());
    struct Case {
        const char* field;
        bool fileExists;
        std::optional<const char*> answer; // none: no answer, so no match
    };
    const Case cases[] = {
        { "001", true, "abc|xyz" },
        { "002", true, "图层 1" },
        { "003", true, "" }, // a line shorter than its number
        { "004", true, std::nullopt }, // beyond the end: never the last line
        { "0x1", true, std::nullopt },
        { "   ", true, std::nullopt },
        { "000", false, "" }, // no line named: the file is not needed
        { "001", false, std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.field << "' file " << c.fileExists);
        const QString path = c.fileExists ? file : dir.filePath(QStringLiteral("none.mxy"));
        const auto got = stepengine::acceptedAnswer(path, QString::fromLatin1(c.field));
        ASSERT_EQ(got.ok(), c.answer.has_value());
        if (c.answer) {
            EXPECT_EQ(got.value(), QString::fromUtf8(*c.answer));
        }
    }
}

} // namespace
