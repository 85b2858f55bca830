// The practice window judging the candidate's actions on small questions: the target area,
// the answer fields, the keyboard layout on focus and the hint frame.

#include "workspace/practicequestion.h"

#include "core/errorreport.h"
#include "exercise/frmtm.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/services.h"
#include "support/fakeservices.h"
#include "support/testsupport.h"
#include "workspace/frmmain.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using testsupport::Rec;
using workspace::FrmMain;
using workspace::FrmMainUi;
namespace fd = stepengine::field;

namespace {

constexpr int kLeft = plat::button::Left, kRight = plat::button::Right;
constexpr int kShift = plat::shiftmask::Shift, kCtrl = plat::shiftmask::Ctrl;

// A question in the practice window: its steps, numbered in characters 1-3, an answer file,
// and the window shown on step 1.
struct Question : testsupport::PracticeQuestion {
    explicit Question(QList<Rec> steps, const QStringList& answers = {})
    {
        load(std::move(steps), answers);
    }
    // The answer field as the text-field stage leaves it: shown, focused, empty.
    plat::TextBox& field(plat::TextBox& t)
    {
        t.setVisible(true);
        EXPECT_TRUE(t.setFocus().ok());
        return t;
    }
    testsupport::FakeKeyboardLayouts& layouts()
    {
        return static_cast<testsupport::FakeKeyboardLayouts&>(*sys->services().keyboardLayouts);
    }
};

Rec onTarget(const char* code, QChar next = u'0')
{
    return Rec(QString::fromLatin1(code)).target(3000, 3000, 1500, 600, next);
}

TEST(TargetArea, AReleaseAdvancesOnlyWithTheButtonAndKeysOfTheStep)
{
    struct Case {
        const char* code;
        QChar next;
        int button, shift;
        int stepAfter;
    };
    const Case cases[] = {
        { "0001", u'0', kLeft, 0, 2 },
        { "0001", u'0', kLeft, kCtrl, 1 },
        { "9201", u'0', kLeft, kCtrl, 2 },
        { "9101", u'0', kLeft, kShift + kCtrl, 1 },
        { "9101", u'3', kLeft, kShift, 3 }, // a matched click jumps by the target's code
        { "0003", u'0', kRight, kShift, 2 },
        { "0003", u'0', kLeft, 0, 1 },
        { "0020", u'3', kRight, 0, 3 }, // any release jumps when the target names a step
        { "7000", u'3', kLeft, 0, 3 },
        { "0020", u'0', kLeft, 0, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.code << " button " << c.button << " shift " << c.shift);
        Question q({ onTarget(c.code, c.next), onTarget("0001"), onTarget("0001") });
        q.driver->click(q.ui.Label1, c.button, c.shift);
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(TargetArea, ADoubleClickStepJumpsOnTheDoubleClickAloneAndItsLastReleaseIsNotJudged)
{
    // Step 3 is a plain click: the double-click's trailing release would complete it.
    Question q({ onTarget("0002", u'3'), onTarget("0001"), onTarget("0001") });
    q.driver->click(q.ui.Label1);
    EXPECT_EQ(q.step(), 1);
    q.driver->doubleClick(q.ui.Label1);
    EXPECT_EQ(q.step(), 3);
}

TEST(TargetArea, HoverAdvancesOnTheFirstMoveAndThePointerFollowsTheStep)
{
    {
        Question q(
            { onTarget("0030"), onTarget("0001").set(fd::CursorSpec, QStringLiteral("S0003")) });
        q.driver->moveTo(q.main, testsupport::HeadlessDriver::centreInForm(q.ui.Label1));
        EXPECT_EQ(q.step(), 2);
        EXPECT_EQ(q.ui.Label1.mousePointer(), 3);
    }

    struct Case {
        const char* code;
        const char* field; // the record's pointer field
        int pointer;
    };
    const Case cases[] = {
        { "0001", "S0015", 15 },
        { "0001", "X0003", 0 },
        { "0001", "s0003", 0 },
        { "0041", "S0003", 0 }, // rubber bands keep the default over the target area
        { "0052", "M0007", 0 },
        { "0001", "M0007", plat::kCustomPointer },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.field);
        Question p({ onTarget(c.code).set(fd::CursorSpec, QString::fromLatin1(c.field)) });
        p.writeCursor(QStringLiteral("ico07.CUR"));
        p.ui.Label1.setMousePointer(5).ignore();
        p.driver->moveTo(p.main, testsupport::HeadlessDriver::centreInForm(p.ui.Label1));
        EXPECT_EQ(p.ui.Label1.mousePointer(), c.pointer);
        EXPECT_EQ(p.step(), 1);
        if (c.pointer == plat::kCustomPointer) {
            EXPECT_FALSE(p.ui.Label1.mouseIcon().isNull());
        }
    }
}

// A menu file whose menus 4-3, 5-2 and 6-1 each have a submenu "级联" (a, b, c) at entry
// position 1 and the items 拷贝 and 粘贴 at position 2; every other line is "0" (absent).
void writeMenuFile(Question& q)
{
    QStringList lines(540, QStringLiteral("0"));
    for (int first : { 166, 286, 406 }) { // (family block × 9 + menu − 1) × 15 + 1
        lines[first] = QStringLiteral("级联");
        lines[first + 1] = QStringLiteral("a|b|c");
        lines[first + 2] = QStringLiteral("拷贝|粘贴");
    }
    EXPECT_TRUE(plat::writeLines(q.sys->programFile(QStringLiteral("sMenu.sys")), lines).ok());
}

TEST(TargetArea, ARightReleaseOpensTheStepsContextMenuOncePerRelease)
{
    struct Case {
        const char* code;
        const char* descriptor; // characters 86-90
        int button;
        int popups;
        int menuNo;
        int stepAfter;
    };
    const Case cases[] = {
        { "4312", "00000", kLeft, 0, 0, 1 }, { "4312", "00000", kRight, 1, 3, 1 },
        { "4312", "R4312", kRight, 1, 3, 1 }, // named twice in one record: still one popup
        { "0001", "RA105", kRight, 1, 1, 1 }, { "0001", "RA105", kLeft, 0, 0, 2 },
        { "0003", "R5201", kRight, 1, 2, 2 }, // the popup, then the right click advances
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.descriptor << " " << c.button);
        Question q({ onTarget(c.code).set(fd::MenuOfDescriptor, QString::fromLatin1(c.descriptor)),
            onTarget("0001") });
        writeMenuFile(q);
        q.driver->click(q.ui.Label1, c.button);
        EXPECT_EQ(q.driver->popupLog().size(), c.popups);
        EXPECT_EQ(q.main.MenuNo, c.menuNo);
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(TargetArea, AReleaseWhosePopupAdvancedIsNotJudgedOnTheNextStep)
{
    // Step 2 is a plain right click: the same release would complete it too.
    Question q({ onTarget("4312").set(fd::MenuOfDescriptor, QStringLiteral("R4312")),
        onTarget("9002"), onTarget("0001") });
    writeMenuFile(q);
    q.driver->choosePopup(QStringLiteral("级联/c")); // 4312: entry 1, item 2
    q.driver->click(q.ui.Label1, kRight);
    EXPECT_EQ(q.driver->popupLog().size(), 1);
    EXPECT_EQ(q.step(), 2);
}

TEST(TypedAnswers, Text1IsComparedAtEveryChange)
{
    struct Case {
        const char* code;
        const char* typed;
        int stepAfter;
    };
    const Case cases[] = {
        { "0020", "ab", 1 }, { "0020", "abc", 2 }, { "0020", " ABC ", 2 }, { "0025", "abc", 1 },
        { "0025", " ABC", 2 }, { "0022", "abc", 1 }, // waits for Enter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " '" << c.typed << "'");
        Question q({ Rec(QString::fromLatin1(c.code)).set(fd::AnswerLine, QStringLiteral("002")),
                       Rec(QStringLiteral("0001")) },
            { QStringLiteral("001xyz"), QStringLiteral("002ABC") });
        q.field(q.ui.Text1);
        q.driver->type(q.main, QString::fromLatin1(c.typed));
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(TypedAnswers, AMatchAdvancesOnceEvenWhenTheNextStepAcceptsTheSameText)
{
    const Rec same = Rec(QStringLiteral("0020")).set(fd::AnswerLine, QStringLiteral("001"));
    Question q({ same, Rec(same).set(fd::ActionCode, QStringLiteral("0025")), same },
        { QStringLiteral("001ABC") });
    q.field(q.ui.Text1);
    q.driver->type(q.main, QStringLiteral("ABC"));
    EXPECT_EQ(q.step(), 2);
}

TEST(TypedAnswers, APresetThatIsAlreadyTheAnswerCompletesTheStepOnce)
{
    struct Case {
        const char* code;
        int stepAfter;
    };
    const Case cases[] = {
        { "0020", 2 }, { "0025", 2 }, { "0021", 2 }, // Text2 takes the preset from Text1
        { "0027", 2 }, // and so does Text3
        { "0022", 1 }, // waits for Enter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        // Step 2 presets the same answer: a second advance would complete it too.
        const Rec field = Rec(QString::fromLatin1(c.code))
                              .num(fd::TextLeft, 3000)
                              .num(fd::TextTop, 3000)
                              .num(fd::TextWidth, 1500)
                              .num(fd::TextHeight, 300)
                              .set(fd::PresetLine, QStringLiteral("001"))
                              .set(fd::AnswerLine, QStringLiteral("001"));
        Question q({ field, Rec(field).set(fd::ActionCode, QStringLiteral("0001")),
                       Rec(QStringLiteral("0001")) },
            { QStringLiteral("001ABC") });
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(TypedAnswers, EnterJudgesTheConfirmStepsAndAWrongEnterEmptiesTheField)
{
    struct Case {
        const char* code;
        const char* answer;
        const char* typed;
        int key;
        int stepAfter;
        const char* left; // the field's text afterwards, when the step stays
    };
    const Case cases[] = {
        { "0022", "ab", "a b", plat::vk::Return, 2, "" },
        { "0022", "a b", "ab", plat::vk::Return, 1, "" },
        { "0028", "a b", "a b", plat::vk::Return, 2, "" },
        { "0028", "10|10.0", "9", plat::vk::Return, 1, "" },
        { "0024", "图层 1", "图层 1", plat::vk::Return, 2, "" },
        { "0022", "ab", "xy", plat::vk::Tab, 1, "xy" }, // only Enter judges
        { "0020", "ab", "xy", plat::vk::Return, 1, "xy" }, // not a confirm step
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " '" << c.typed << "' key " << c.key);
        Question q({ Rec(QString::fromLatin1(c.code)).set(fd::AnswerLine, QStringLiteral("001")),
                       Rec(QStringLiteral("0001")) },
            { QStringLiteral("001") + QString::fromUtf8(c.answer) });
        q.field(q.ui.Text1).setText(QString::fromUtf8(c.typed));
        q.driver->key(q.main, c.key);
        EXPECT_EQ(q.step(), c.stepAfter);
        if (c.stepAfter == 1) {
            EXPECT_EQ(q.ui.Text1.text(), QString::fromUtf8(c.left));
        }
    }
}

TEST(TypedAnswers, AClickOnTheTargetAreaConfirmsTheTypedAnswer)
{
    struct Case {
        const char* code;
        const char* typed;
        int button;
        int stepAfter;
        const char* answerLine = "001";
    };
    const Case cases[] = {
        { "0026", " ABC ", kLeft, 2 },
        { "0026", "XYZ", kLeft, 2 },
        { "0026", "abc|xyz", kLeft, 1 },
        { "0022", "abc", kRight, 1 },
        { "0028", "abc", kLeft, 2 },
        { "0022", "  ", kLeft, 2, "000" }, // no answer line: the empty answer
        { "0022", "abc", kLeft, 1, "000" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " '" << c.typed << "' " << c.answerLine);
        Question q({ onTarget(c.code, u'3').set(fd::AnswerLine, QString::fromLatin1(c.answerLine)),
                       onTarget("0001"), onTarget("0001") },
            { QStringLiteral("001abc|xyz") });
        q.ui.Text1.setText(QString::fromLatin1(c.typed));
        q.driver->click(q.ui.Label1, c.button);
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(TypedAnswers, TheSecondAndThirdFieldsAndTheSelection)
{
    struct Case {
        const char* code;
        const char* text;
        int stepAfter;
    };
    const Case cases[] = {
        { "0021", "a|b", 2 }, // Text2: the whole answer
        { "0021", "a", 1 },
        { "0027", " B ", 2 }, // Text3: either alternative, case ignored
        { "0027", "xy", 1 },
        { "0023", "Layer 1", 2 }, // the selection: from the hint line
        { "0023", "layer 1", 2 },
        { "0023", "Layer", 1 },
        { "0001", "Layer 1", 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " '" << c.text << "'");
        Question q({ Rec(QString::fromLatin1(c.code))
                           .set(fd::AnswerLine, QStringLiteral("001"))
                           .set(fd::HintLine, QStringLiteral("002")),
                       Rec(QStringLiteral("0001")) },
            { QStringLiteral("001a|b"), QStringLiteral("002Layer 1") });
        const QString code = QString::fromLatin1(c.code), text = QString::fromLatin1(c.text);
        if (code == QStringLiteral("0021")) {
            q.field(q.ui.Text2).setText(text); // as pasted
        } else if (code == QStringLiteral("0027")) {
            q.field(q.ui.Text3);
            q.driver->type(q.main, text);
        } else {
            // The candidate has selected `text` at the start of the field and lets go.
            q.field(q.ui.Text1).setText(text + QStringLiteral(" 图层"));
            q.ui.Text1.setSelStart(0);
            q.ui.Text1.setSelLength(static_cast<int>(text.size()));
            q.sys->notePress();
            q.ui.Text1.MouseUp(kLeft, 0, 0, 0);
        }
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

TEST(TypedAnswers, AnUnusableAnswerLineMatchesNothingAndIsReported)
{
    struct Case {
        const char* line;
        bool fileExists;
        QByteArray damaged {}; // the answer file's bytes instead, after the load
    };
    const Case cases[] = {
        { "009", true }, // beyond the end: never the last line
        { "0x1", true }, { "001", false },
        { "001", true, QByteArray("001ab\x81 c\r\n002abc\r\n") }, // a lead byte without its trail
        { "001", true, QByteArray("001ab\0c\r\n002abc\r\n", 14) }, // a control character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line + c.damaged.toHex().toStdString());
        Question q({ Rec(QStringLiteral("0020")).set(fd::AnswerLine, QString::fromLatin1(c.line)),
                       Rec(QStringLiteral("0001")) },
            { QStringLiteral("001abc"), QStringLiteral("002abc") });
        if (!c.fileExists)
            QFile::remove(q.sys->state.AnswerTextFile);
        if (!c.damaged.isEmpty())
            testsupport::writeFile(q.sys->state.AnswerTextFile, c.damaged);
        q.field(q.ui.Text1);
        q.driver->type(q.main, QStringLiteral("ab"));
        // Another failure in between does not make the same fault new again.
        shell::fail(q.sys->state, QStringLiteral("elsewhere"), { 5, QStringLiteral("other") });
        q.driver->type(q.main, QStringLiteral("c"));
        EXPECT_EQ(q.step(), 1);
        // Once for the run, not at every keystroke.
        EXPECT_EQ(q.reports.filter(QRegularExpression(QStringLiteral("^checkanswer "))).size(), 1)
            << q.reports.join(u'\n').toStdString();
    }
}

TEST(AnswerFields, FocusSwitchesTheKeyboardLayoutWhenAskedAndHandsA0027StepToText3)
{
    struct Case {
        const char* code;
        int useIme;
        QStringList activated;
        bool text3Focused;
    };
    const Case cases[] = {
        { "0020", 1, { "zh" }, false },
        { "0020", 0, {}, false },
        { "0027", 1, { "zh", "zh" }, true }, // Text1, then Text3
        { "0027", 0, {}, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " UseIme " << c.useIme);
        // An answer the empty field does not match, so that the load leaves the step open.
        Question q({ Rec(QString::fromLatin1(c.code)).set(fd::AnswerLine, QStringLiteral("001")) },
            { QStringLiteral("001abc") });
        ASSERT_EQ(q.step(), 1);
        q.layouts().layouts = { { QStringLiteral("zh"), QStringLiteral("中文") } };
        q.sys->state.UseIme = static_cast<int16_t>(c.useIme);
        q.sys->state.KeyboardLayout = QStringLiteral("zh");
        q.ui.Text3.setVisible(true);
        q.field(q.ui.Text1);
        EXPECT_EQ(q.layouts().activated, c.activated);
        EXPECT_EQ(q.main.focusedControl() == &q.ui.Text3, c.text3Focused);
    }
}

TEST(HintFrame, FramesTheHotspotTheDescriptorsNameWhileHintsShow)
{
    struct Case {
        const char* at96;
        const char* at86;
        const char* at125;
        int menu, tool, toolbox; // hotspot framed by each frame, 0 none
    };
    const Case cases[] = {
        { "H051003000", "0000000000", "0000000000", 5, 0, 0 },
        { "H450000000", "0000000000", "0000000000", 0, 0, 45 },
        { "H210000000", "0000000000", "0000000000", 0, 21, 0 },
        { "0000000000", "0000000000", "0000000000", 0, 0, 0 },
        { "H680000000", "0000000000", "0000000000", 0, 0, 0 },
        { "H050000000", "H450000000", "0000000000", 5, 0, 45 },
        { "H050000000", "0000000000", "H070000000", 7, 0, 0 }, // the later descriptor wins
        { "0000000000", "0000000000", "D050100abc", 0, 0, 0 }, // only "H" at 125
        { "D050100abc", "0000000000", "0000000000", 5, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at96 << " " << c.at86 << " " << c.at125);
        Question q({ Rec(QStringLiteral("7000")) });
        for (int n : { 5, 7, 21, 45 })
            q.ui.LblZHU[n].move(10 * n, 20 * n, 300 + n, 200 + n);
        // The frames of an earlier step.
        for (plat::Shape* s : { &q.ui.ShapeMenu, &q.ui.ShapeTool, &q.ui.ShapeHui })
            s->setVisible(true);
        q.sys->state.StepLine = Rec(QStringLiteral("7000"))
                                    .set(fd::Descriptor2, QString::fromLatin1(c.at96))
                                    .set(fd::Descriptor1, QString::fromLatin1(c.at86))
                                    .set(fd::Descriptor3, QString::fromLatin1(c.at125))
                                    .line;
        q.ui.LHelp.setVisible(true);
        q.ui.TimerDisFK.setEnabled(true);
        q.driver->advance(100);
        EXPECT_FALSE(q.ui.TimerDisFK.enabled());
        const std::pair<plat::Shape*, int> frames[] = { { &q.ui.ShapeMenu, c.menu },
            { &q.ui.ShapeTool, c.tool }, { &q.ui.ShapeHui, c.toolbox } };
        for (auto [frame, hotspot] : frames) {
            SCOPED_TRACE(frame->name().toStdString());
            EXPECT_EQ(frame->visible(), hotspot != 0);
            if (hotspot != 0) {
                const plat::Label& spot = q.ui.LblZHU[hotspot];
                EXPECT_EQ(QRectF(frame->left(), frame->top(), frame->width(), frame->height()),
                    QRectF(spot.left(), spot.top(), spot.width(), spot.height()));
            }
        }
    }
}

TEST(HintFrame, HiddenHintsPlaceTheFrameAndTheHintsButtonShowsIt)
{
    Question q({ Rec(QStringLiteral("7000")).set(fd::Descriptor2, QStringLiteral("H450000000")) });
    q.ui.LblZHU[45].move(100, 900, 400, 300);
    q.ui.LHelp.setVisible(false);
    q.driver->advance(100); // the tick switched on by the load
    EXPECT_FALSE(q.ui.ShapeHui.visible());
    EXPECT_EQ(q.ui.ShapeHui.top(), 900);
    q.sys->form<exercise::FrmTm>().CmdGN_Click(exercise::cmd::StepHints);
    q.driver->advance(100);
    EXPECT_TRUE(q.ui.ShapeHui.visible());
}

TEST(StepPictures, AClickJumpsByThePicturesCodeWhateverTheStep)
{
    struct Case {
        const char* code;
        QChar next; // character 55, Image3's NextStepCode
        int stepAfter;
    };
    const Case cases[] = {
        { "0020", u'B', 11 }, { "0001", u'4', 4 },
        { "0001", u'0', 1 }, // "0" makes the picture inert
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << QString(c.next).toStdString());
        QList<Rec> steps { Rec(QString::fromLatin1(c.code))
                               .set(fd::AnswerLine, QStringLiteral("001"))
                               .imageNext(3, c.next) };
        for (int s = 2; s <= 11; ++s)
            steps << Rec(QStringLiteral("0001"));
        Question q(steps, { QStringLiteral("001abc") });
        q.writePicture(QStringLiteral("pic003"), { 40, 30 });
        ASSERT_TRUE(q.ui.Image3.setPicture(q.sys->skinFile(QStringLiteral("pic003"))).ok());
        q.ui.Image3.move(6000, 6000, 600, 450);
        q.ui.Image3.setVisible(true);
        q.driver->click(q.ui.Image3);
        EXPECT_EQ(q.step(), c.stepAfter);
    }
}

} // namespace
