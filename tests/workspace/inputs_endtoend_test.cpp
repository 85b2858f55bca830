// Every key, drag and context-menu question of the sample module solved in the practice window,
// action by action as a candidate would do it, from the first step to the end marker.

#include "core/system.h"
#include "exercise/frmtm.h"
#include "platform/keys.h"
#include "platform/text.h"
#include "stepengine/answers.h"
#include "stepengine/steprecord.h"
#include "support/headless.h"
#include "support/samplepractice.h"
#include "support/testsupport.h"
#include "support/xdesktop.h"
#include "workspace/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

namespace sm = plat::shiftmask;
namespace fd = stepengine::field;

// One action of the candidate.
struct Action {
    enum Kind {
        Key, // a key with modifiers
        Popup, // a right click on the target area and a choice in the context menu
        Click, // a left click on the target area
        Type, // the step's answer typed over Text1's text and confirmed with Enter
        Band, // a rubber band from the second area into the target area
        Drop, // a drag from the second area into the target area
        Handle, // the drag handle moved to the right, past its target
        Flyout, // a right click on a tool and a click on an item of its flyout
    };
    Kind kind = Click;
    int keyCode = 0;
    int shift = 0;
    const char* path = ""; // Popup
    int hotspot = 0, item = 0; // Flyout
};

Action key(int keyCode, int shift = 0) { return { Action::Key, keyCode, shift }; }
Action popup(const char* path) { return { Action::Popup, 0, 0, path }; }
Action band(int shift = 0) { return { Action::Band, 0, shift }; }
const Action kClick { Action::Click };
const Action kType { Action::Type };
const Action kDrop { Action::Drop };
const Action kHandle { Action::Handle };
Action flyout(int hotspot, int item) { return { Action::Flyout, 0, 0, "", hotspot, item }; }

struct SampleQuestion {
    int unit; // SetNo of study mode 20
    int question;
    const char* text;
    QList<Action> actions; // one per step before the end marker, or fewer when one jumps there
};

const QList<SampleQuestion> kQuestions {
    { 0, 14, "Alt+Ctrl+I 图像大小", { key('I', sm::Ctrl | sm::Alt), kType } },
    { 0, 17, "文档标签 右键 图像大小", { popup("图像大小..."), kType } },
    { 1, 13, "矩形选框 选取", { key('M'), band() } },
    { 1, 14, "椭圆选框 Shift 正圆", { flyout(42, 2), band(sm::Shift) } },
    { 1, 15, "选区 右键 填充", { popup("填充..."), kClick } },
    { 1, 16, "Ctrl+D", { key('D', sm::Ctrl) } },
    { 1, 17, "F5 画笔面板", { key(plat::vk::F1 + 4) } },
    { 1, 19, "B 画笔工具", { key('B') } },
    { 1, 20, "Shift+F5 填充", { key(plat::vk::F1 + 4, sm::Shift), kClick } },
    { 2, 13, "右键 复制图层", { popup("复制图层..."), kClick } },
    { 2, 14, "R3124 删除图层", { popup("删除图层"), kClick } },
    { 2, 15, "Ctrl+J", { key('J', sm::Ctrl) } },
    { 2, 17, "拖到 创建新图层", { kDrop } },
    { 2, 18, "拖到 删除图层, 跳到结束", { kDrop } },
    { 2, 20, "移动工具 右键 选择图层", { popup("选择图层/背景") } },
    { 3, 12, "亮度滑块", { kClick, kHandle, kClick } },
    { 3, 15, "Shift+Ctrl+U", { key('U', sm::Shift | sm::Ctrl) } },
    { 4, 14, "Ctrl+T", { key('T', sm::Ctrl) } },
    { 4, 15, "RA260 水平翻转", { popup("水平翻转") } },
    { 4, 16, "RA173 消除锯齿 浑厚", { popup("消除锯齿/浑厚") } },
};

using testsupport::SamplePractice;

class SampleInputs : public testing::TestWithParam<SampleQuestion> { };

TEST_P(SampleInputs, TheQuestionIsSolvedInThePracticeWindow)
{
    const SampleQuestion& sq = GetParam();
    ASSERT_SAMPLE_MODULE();
    SamplePractice p(sq.unit, sq.question);
    shell::AppState& st = p.sys.state;
    testsupport::HeadlessDriver& driver = p.driver;
    workspace::FrmMain& main = p.main;
    auto& ui = main.ui();

    for (const Action& a : sq.actions) {
        const int before = st.CurrentStep;
        const stepengine::StepRecord r(st.StepLine);
        SCOPED_TRACE(
            testing::Message() << "step " << before << " " << r.actionCode().toStdString());
        ASSERT_FALSE(r.isEndOfQuestion());
        switch (a.kind) {
        case Action::Key:
            driver.key(main, a.keyCode, a.shift);
            break;
        case Action::Popup:
            driver.choosePopup(QString::fromUtf8(a.path));
            driver.click(ui.Label1, plat::button::Right);
            break;
        case Action::Click:
            driver.click(ui.Label1);
            break;
        case Action::Type: {
            const auto answer
                = stepengine::acceptedAnswer(st.AnswerTextFile, r.text(fd::AnswerLine));
            ASSERT_TRUE(answer.ok());
            driver.click(ui.Text1);
            driver.key(main, 'A', sm::Ctrl); // over the text the field shows
            driver.type(main, stepengine::alternatives(answer.value()).first);
            driver.key(main, plat::vk::Return);
            break;
        }
        case Action::Band:
        case Action::Drop:
        case Action::Handle: {
            // Pressed on the second area or the handle, moved in steps, seen, released.
            const bool handle = a.kind == Action::Handle;
            plat::Control& source = handle ? static_cast<plat::Control&>(ui.Image5) : ui.Label4;
            const QPointF from = testsupport::HeadlessDriver::centreInForm(source);
            // The handle trails the pointer, so the pointer goes a little past the slider's end.
            const QPointF to = handle ? QPointF(main.DragTargetX * st.ScaleX + 450, from.y())
                                      : testsupport::HeadlessDriver::centreInForm(ui.Label1);
            driver.press(main, from, plat::button::Left, a.shift);
            for (int i = 1; i <= 8; ++i)
                driver.moveTo(main, from + (to - from) * (i / 8.0), a.shift);
            EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(main,
                testsupport::outputDir()
                    + QStringLiteral("/inputs-%1-%2.png").arg(sq.unit).arg(sq.question)));
            driver.release(main, to, plat::button::Left, a.shift);
            break;
        }
        case Action::Flyout:
            driver.click(ui.LblZHU[a.hotspot], plat::button::Right);
            driver.click(ui.Lbl1J[a.item]);
            break;
        }
        ASSERT_NE(st.CurrentStep, before)
            << "the action did not answer the step; Text1 holds " << ui.Text1.text().toStdString();
    }
    EXPECT_TRUE(stepengine::StepRecord(st.StepLine).isEndOfQuestion());
    EXPECT_EQ(st.QuestionState(sq.question) & 4, 4);
    EXPECT_TRUE(p.reports.isEmpty()) << p.reports.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(KeysDragsAndContextMenus, SampleInputs, testing::ValuesIn(kQuestions),
    [](const testing::TestParamInfo<SampleQuestion>& info) {
        return QStringLiteral("unit%1_question%2")
            .arg(info.param.unit)
            .arg(info.param.question)
            .toStdString();
    });

// Real windows under a display, e.g.
//   xvfb-run -a env QT_QPA_PLATFORM=xcb tests_workspace --gtest_filter='RealDisplay.*'
// The right click is sent as a Qt event; the context menu is the real popup, and its entries
// are chosen by clicks on their places while the popup runs.
TEST(RealDisplay, ARightClickOpensTheContextMenuAndItsEntryAdvances)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    // "使用横排文字工具右击文字，将消除锯齿的方式设置为“浑厚”。"
    SamplePractice p(4, 16);
    p.sys.popupDriver = nullptr; // the real popup, not the scripted answers

    QStringList shown; // the entries of each popup, in turn
    auto clickEntry = [](QMenu& menu, const QString& text) {
        for (QAction* a : menu.actions()) {
            if (a->text() != text)
                continue;
            const QPoint at = menu.actionGeometry(a).center();
            QMouseEvent press(QEvent::MouseButtonPress, at, menu.mapToGlobal(at), Qt::LeftButton,
                Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&menu, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, at, menu.mapToGlobal(at),
                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&menu, &release);
        }
    };
    const QStringList choices { QStringLiteral("消除锯齿"), QStringLiteral("浑厚") };
    QMenu* last = nullptr;
    std::function<void(int)> poll = [&](int tries) {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu && menu != last && menu->isVisible() && shown.size() < choices.size()) {
            last = menu;
            QStringList texts;
            for (QAction* a : menu->actions())
                texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
            shown << texts.join(u'|');
            const QString shot = testsupport::outputDir()
                + QStringLiteral("/contextmenu-xcb-%1.png").arg(shown.size());
            QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
            clickEntry(*menu, choices[shown.size() - 1]);
        }
        if (shown.size() < choices.size() && tries < 50)
            QTimer::singleShot(100, [&poll, tries] { poll(tries + 1); });
    };
    QTimer::singleShot(200, [&] { poll(0); });
    p.driver.click(p.main.ui().Label1, plat::button::Right);

    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0],
        QStringLiteral(
            "编辑文字|拼写检查...|查找和替换文本...|-|栅格化文字|创建工作路径|转换为形状|"
            "水平|垂直|-|仿粗体|仿斜体|消除锯齿"));
    EXPECT_EQ(shown[1], QStringLiteral("无|锐利|犀利|浑厚|平滑"));
    EXPECT_TRUE(stepengine::StepRecord(p.sys.state.StepLine).isEndOfQuestion());
}

// A key combination and a typed answer in a real window: the keys go as Qt key events to the
// widget that really has the focus, which the click into the field gave it.
TEST(RealDisplay, AKeyAndATypedAnswerSolveAQuestionInARealWindow)
{
    SKIP_WITHOUT_DISPLAY();
    ASSERT_SAMPLE_MODULE();
    // Alt+Ctrl+I opens 图像大小, then the width is typed and confirmed with Enter.
    SamplePractice p(0, 14);
    shell::AppState& st = p.sys.state;
    workspace::FrmMain& main = p.main;
    auto& ui = main.ui();
    p.driver.key(main, 'I', sm::Ctrl | sm::Alt);
    ASSERT_EQ(st.CurrentStep, 2);

    const auto answer = stepengine::acceptedAnswer(
        st.AnswerTextFile, stepengine::StepRecord(st.StepLine).text(fd::AnswerLine));
    ASSERT_TRUE(answer.ok());
    p.driver.click(ui.Text1);
    // Under a window manager the window's activation, and the focus with it, comes when the
    // manager gets to it: wait for it within a bound that only a lost activation exceeds.
    QElapsedTimer waited;
    waited.start();
    while (QApplication::focusWidget() != ui.Text1.widget() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(QApplication::focusWidget(), ui.Text1.widget());
    p.driver.key(main, 'A', sm::Ctrl);
    p.driver.type(main, QStringLiteral("1"));
    p.driver.key(main, plat::vk::Return); // a wrong answer empties the field
    EXPECT_EQ(st.CurrentStep, 2);
    EXPECT_TRUE(ui.Text1.text().isEmpty());
    p.driver.type(main, stepengine::alternatives(answer.value()).first);
    QGuiApplication::primaryScreen()->grabWindow(0).save(
        testsupport::outputDir() + QStringLiteral("/typing-xcb.png"));
    p.driver.key(main, plat::vk::Return);
    EXPECT_TRUE(stepengine::StepRecord(st.StepLine).isEndOfQuestion());
    EXPECT_TRUE(p.reports.isEmpty()) << p.reports.join(u'\n').toStdString();
}

} // namespace
