// The demonstration window on questions written for the case: each arrival's action, typing,
// the pause of key steps, the carry, the drop-down replay, the ways a run ends and what it
// leaves behind.

#include "stepengine/stages_fixture.h"

#include "demo/frmyanshi.h"
#include "exercise/frmtm.h"
#include "platform/keys.h"
#include "workspace/frmmain.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testsupport::Rec;
namespace fd = stepengine::field;

struct PlayerApp : testsupport::StagesApp {
    PlayerApp() { st.LogPath = dir.filePath(QStringLiteral("run.txt")); }

    // Steps numbered in characters 1-3; `end` closes the question with its "9999".
    void writeQuestion(QList<Rec> steps, bool end = true)
    {
        if (end)
            steps << Rec(QStringLiteral("9999"));
        for (int i = 0; i < steps.size(); ++i)
            steps[i].num({ 1, 3 }, i + 1);
        writeSteps(steps);
    }
    demo::FrmYanShiUi& dui() { return demo().ui(); }
    // Menu 1 of family 3: an item group "a|b|c|d" at entry position 2.
    void writeMenuFile()
    {
        QStringList lines(15, QStringLiteral("0"));
        lines[3] = QStringLiteral("a|b|c|d");
        ASSERT_TRUE(plat::writeLines(sys->programFile(QStringLiteral("sMenu.sys")), lines).ok());
    }
    void start()
    {
        st.DemoActive = -1;
        demo().show();
    }
    // Advances until `done` holds, 100 ms at a time; the time it took, or -1.
    int until(const std::function<bool()>& done, int limitMs = 60000)
    {
        for (int t = 0; t <= limitMs; t += 100) {
            if (done())
                return t;
            driver->advance(100);
        }
        return -1;
    }
    bool closed() { return !demo().isLoaded(); }
    QString log() const
    {
        QFile f(st.LogPath);
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    }
};

Rec click(const char* code, int left, int top, QChar next = u'0')
{
    return Rec(QString::fromLatin1(code)).target(left, top, 600, 300, next);
}

// What each kind of arrival does, one row each.
struct ArrivalCase {
    const char* name;
    Rec step;
    std::function<bool(PlayerApp&)> after; // holds right after the first arrival
};

TEST(Arrival, EachRowActsOnceThePointerArrives)
{
    const ArrivalCase cases[] = {
        { "click goes on", click("0001", 3000, 3000),
            [](PlayerApp& a) { return a.demo().DemoStep == 2; } },
        { "double-click goes on", click("0002", 3000, 3000),
            [](PlayerApp& a) { return a.demo().DemoStep == 2; } },
        { "button 9xxx goes on", click("9201", 3000, 3000),
            [](PlayerApp& a) { return a.demo().DemoStep == 2; } },
        { "rubber band starts its second leg with the marquee",
            click("0040", 6000, 6000).area2(1500, 1500, 600, 600),
            [](PlayerApp& a) {
                return a.demo().DragLeg == -1 && a.dui().Shape6.visible()
                    && a.dui().Shape4.left() == -100 && a.dui().ImgICO.visible();
            } },
        { "area drag starts its second leg without a marquee",
            click("0050", 6000, 6000).area2(1500, 1500, 600, 600),
            [](PlayerApp& a) { return a.demo().DragLeg == -1 && !a.dui().Shape6.visible(); } },
        { "location list opens",
            [] {
                Rec r(QStringLiteral("K205"));
                return testsupport::textBox(r, 1500, 1500, 3900, 330);
            }(),
            [](PlayerApp& a) {
                return a.dui().PicList.height() == 3720 && a.dui().ImgLiN[5].visible();
            } },
        { "context menu is drawn", click("3123", 3000, 3000),
            [](PlayerApp& a) {
                return a.dui().LRightMMenu.visible() && a.dui().TimerRM.enabled()
                    && !a.dui().Timer2.enabled();
            } },
        { "typing starts",
            [] {
                Rec r(QStringLiteral("0020"));
                return testsupport::textBox(r, 1500, 1500, 1500, 285).set(fd::AnswerLine, "001");
            }(),
            [](PlayerApp& a) { return a.dui().Timer1.enabled() && !a.dui().Timer2.enabled(); } },
        { "drag handle is carried",
            [] {
                Rec r(QStringLiteral("8001"));
                testsupport::picture(r, 5, 1500, 1500, QStringLiteral("hd0001"));
                return r.num(fd::DragTargetX, 6000);
            }(),
            [](PlayerApp& a) { return a.dui().Timer3.enabled() && !a.dui().Timer2.enabled(); } },
        { "menu path without items goes on",
            Rec(QStringLiteral("7000")).set(fd::Descriptor3, QStringLiteral("H050000000")),
            [](PlayerApp& a) { return a.demo().DemoStep == 2; } },
    };
    for (const ArrivalCase& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerApp a;
        a.writeMenuFile();
        a.writeAnswers({ "001abcd" });
        a.writePicture(QStringLiteral("hd0001"));
        a.writeQuestion({ c.step, click("0001", 200, 200) });
        a.start();
        ASSERT_EQ(a.demo().DemoStep, 1);
        const int ring = int(a.dui().Shape5.left());
        const int t = a.until([&] { return int(a.dui().Shape5.left()) != ring; }, 5000);
        ASSERT_GE(t, 0) << "the pointer never arrived";
        EXPECT_TRUE(c.after(a));
    }
}

TEST(Arrival, AClickJumpsByItsOwnCodeOnly)
{
    for (const auto& [code, next] : { std::pair { "0001", 2 + 1 }, std::pair { "0002", 2 } }) {
        PlayerApp a;
        a.writeQuestion(
            { click(code, 3000, 3000, u'3'), click("0001", 200, 200), click("0001", 400, 400) });
        a.start();
        ASSERT_GE(a.until([&] { return a.demo().DemoStep != 1; }, 5000), 0);
        EXPECT_EQ(a.demo().DemoStep, next) << code;
    }
}

TEST(Arrival, AStepNoRuleHandlesLeavesThePointerStanding)
{
    PlayerApp a;
    a.writeQuestion({ click("1000", 3000, 3000) });
    a.start();
    const int x = a.demo().PointerX, y = a.demo().PointerY;
    a.driver->advance(3000);
    EXPECT_EQ(a.demo().DemoStep, 1);
    EXPECT_EQ(a.demo().PointerX, x);
    EXPECT_EQ(a.demo().PointerY, y);
    EXPECT_TRUE(a.log().contains(QStringLiteral("1000"))) << a.log().toStdString();
    a.driver->key(a.demo(), plat::vk::Escape); // the user still ends it
    EXPECT_GE(a.until([&] { return a.closed(); }, 400), 0);
}

TEST(Arrival, AMenuThatNamesNothingLeavesThePointerStanding)
{
    const std::pair<const char*, const char*> cases[] = {
        { "3000", "names no menu" }, // menu number 0
        { "3221", "has no entry" }, // item 1 of "a|-|c" is a separator
        { "3229", "has no entry" }, // past the last piece
        { "3201", "has no entry" }, // entry position 0
    };
    for (const auto& [code, logged] : cases) {
        SCOPED_TRACE(code);
        PlayerApp a;
        QStringList lines(30, QStringLiteral("0"));
        lines[18] = QStringLiteral("a|-|c"); // menu 2 of family 3, entry position 2
        ASSERT_TRUE(plat::writeLines(a.sys->programFile(QStringLiteral("sMenu.sys")), lines).ok());
        a.writeQuestion({ click(code, 3000, 3000) });
        a.start();
        ASSERT_GE(a.until([&] { return !a.dui().Timer2.enabled(); }, 5000), 0);
        const int x = a.demo().PointerX;
        a.driver->advance(2000);
        EXPECT_EQ(a.demo().PointerX, x);
        EXPECT_FALSE(a.dui().TimerRM.enabled());
        EXPECT_EQ(a.demo().DemoStep, 1);
        EXPECT_TRUE(a.log().contains(QString::fromLatin1(logged))) << a.log().toStdString();
    }
}

struct TypingCase {
    const char* code;
    const char* preset; // answer line 1
    const char* answerLine;
    const char* typedText; // what the box shows when typing has ended
    int ticks; // typing ticks of 500 ms
};

TEST(Typing, CountsAndThePresetPrefix)
{
    const TypingCase cases[] = {
        { "0020", "000", "002", "abcd", 4 }, // four characters, four ticks
        { "0020", "003", "002", "abcd", 2 }, // the preset "ab" stays, two more ticks
        { "0020", "004", "002", "abcd", 4 }, // "xy" is no prefix: typed afresh
        { "0020", "000", "009", "", 1 }, // an answer line past the file's end types nothing
        { "0023", "000", "005", "", 1 }, // select text: ends on its first tick
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.code << " preset " << c.preset << " answer " << c.answerLine);
        PlayerApp a;
        a.writeAnswers({ "001", "002abcd|ABCD", "003ab", "004xy",
            QStringLiteral("005") + QString(400, u'z') });
        Rec r(QString::fromLatin1(c.code));
        testsupport::textBox(r, 1500, 1500, 1500, 285)
            .set(fd::PresetLine, QString::fromLatin1(c.preset))
            .set(fd::AnswerLine, QString::fromLatin1(c.answerLine));
        a.writeQuestion({ r, click("0001", 200, 200) });
        a.start();
        ASSERT_GE(a.until([&] { return a.dui().Timer1.enabled(); }, 5000), 0);
        int ticks = 0;
        while (a.demo().DemoStep == 1 && ticks < 50) {
            a.driver->advance(500);
            ++ticks;
        }
        EXPECT_EQ(ticks, c.ticks);
        EXPECT_EQ(a.demo().DemoStep, 2);
        if (QString::fromLatin1(c.code) != QStringLiteral("0023")) {
            // The next step's load presets no text, so the box still shows what was typed.
            EXPECT_EQ(a.dui().Text1.text(), QString::fromLatin1(c.typedText));
        }
    }
}

TEST(Typing, IntoTheSecondBoxAndThenToTheTargetArea)
{
    PlayerApp a;
    a.writeAnswers({ "001abc" });
    Rec second(QStringLiteral("0021"));
    testsupport::textBox(second, 1500, 1500, 1500, 285).set(fd::AnswerLine, "001");
    Rec confirm = click("0022", 6000, 6000, u'5');
    testsupport::textBox(confirm, 1500, 1500, 1500, 285).set(fd::AnswerLine, "001");
    a.writeQuestion({ second, confirm, click("0001", 200, 200) });
    a.start();
    ASSERT_GE(a.until([&] { return a.demo().DemoStep == 2; }, 10000), 0);
    EXPECT_EQ(a.dui().Text2.text(), QStringLiteral("abc"));
    // 0022: typed, then a glide to the target area, whose arrival goes on (not a jump).
    ASSERT_GE(a.until([&] { return a.dui().Text1.text() == QStringLiteral("abc"); }, 10000), 0);
    EXPECT_TRUE(a.dui().Timer2.enabled());
    EXPECT_EQ(a.demo().TargetX, 6300);
    ASSERT_GE(a.until([&] { return a.demo().DemoStep != 2; }, 5000), 0);
    EXPECT_EQ(a.demo().DemoStep, 3);
}

TEST(Pause, AKeyStepGoesOnAfterFiveTicks)
{
    PlayerApp a;
    a.writeQuestion({ Rec(QStringLiteral("6284")), click("0001", 200, 200) });
    a.start();
    const int x = a.demo().PointerX;
    EXPECT_TRUE(a.dui().Timer4.enabled());
    EXPECT_FALSE(a.dui().Timer2.enabled());
    a.driver->advance(800);
    EXPECT_EQ(a.demo().DemoStep, 1);
    a.driver->advance(200);
    EXPECT_EQ(a.demo().DemoStep, 2);
    EXPECT_EQ(a.demo().PointerX, x);
}

TEST(Carry, TheHandleEndsCentredOnThePointerNearItsTarget)
{
    for (const bool horizontal : { true, false }) {
        PlayerApp a;
        a.writePicture(QStringLiteral("hd0001"), { 20, 20 });
        Rec r(QStringLiteral("8001"));
        testsupport::picture(r, 5, 1500, 1500, QStringLiteral("hd0001"));
        r.num(horizontal ? fd::DragTargetX : fd::DragTargetY, 6000);
        a.writeQuestion({ r, click("0001", 200, 200) });
        a.start();
        ASSERT_GE(a.until([&] { return a.dui().Timer3.enabled(); }, 5000), 0);
        // The coordinate the step does not give stays at the handle's centre.
        const int along = horizontal ? a.demo().TargetY : a.demo().TargetX;
        int x = 0, y = 0;
        ASSERT_GE(a.until(
                      [&] {
                          x = a.demo().PointerX, y = a.demo().PointerY;
                          return a.demo().DemoStep == 2;
                      },
                      30000),
            0);
        const auto& h = a.dui().Image5;
        EXPECT_NEAR(h.left() + h.width() / 2, x, 1);
        EXPECT_NEAR(h.top() + h.height() / 2, y, 1);
        const int reached = horizontal ? x : y;
        EXPECT_LE(std::abs(reached - 6000), 1.5 * a.demo().GlideStep + 1);
        EXPECT_LE(std::abs((horizontal ? y : x) - along), 1.5 * a.demo().GlideStep + 1);
    }
}

TEST(EndOfRun, TheLastStepClosesTheWindowAndHandsBack)
{
    PlayerApp a;
    a.writeQuestion({ click("0001", 3000, 3000) });
    a.sys->form<workspace::FrmMain>().show();
    a.sys->form<exercise::FrmTm>().show();
    a.sys->form<workspace::FrmMain>().hide();
    a.sys->form<exercise::FrmTm>().hide();
    a.start();
    ASSERT_GE(a.until([&] { return a.demo().DemoStep == 2; }, 5000), 0);
    EXPECT_EQ(a.dui().LHelp.caption(), QStringLiteral("操作成功！"));
    a.driver->advance(300);
    EXPECT_FALSE(a.closed());
    a.driver->advance(100);
    EXPECT_TRUE(a.closed());
    EXPECT_EQ(a.st.DemoActive, 0);
    EXPECT_EQ(a.demo().DemoStep, 1);
    EXPECT_TRUE(a.sys->form<workspace::FrmMain>().visible());
    EXPECT_TRUE(a.sys->form<exercise::FrmTm>().visible());
    EXPECT_TRUE(a.sys->form<exercise::FrmTm>().ui().TimerREDO.enabled());
}

// The window manager's close (Alt+F4 on the borderless window) in the middle of a run ends it as
// its own end does: the practice windows come back and no run stays flagged on.
TEST(EndOfRun, TheWindowManagersCloseHandsBackToo)
{
    PlayerApp a;
    a.writeQuestion({ click("0001", 3000, 3000, u'1') });
    a.sys->form<workspace::FrmMain>().show();
    a.sys->form<exercise::FrmTm>().show();
    a.sys->form<workspace::FrmMain>().hide();
    a.sys->form<exercise::FrmTm>().hide();
    a.start();
    a.driver->advance(1000);
    ASSERT_FALSE(a.closed());
    a.demo().hWnd()->close();
    EXPECT_TRUE(a.closed());
    EXPECT_EQ(a.st.DemoActive, 0);
    EXPECT_EQ(a.demo().DemoStep, 1);
    EXPECT_TRUE(a.sys->form<workspace::FrmMain>().visible());
    EXPECT_TRUE(a.sys->form<exercise::FrmTm>().visible());
    // Nothing of the run goes on behind the returned windows.
    a.driver->advance(2000);
    EXPECT_TRUE(a.closed());
}

TEST(EndOfRun, AJumpLoopEndsByEscWithin400Ms)
{
    PlayerApp a;
    // A click that jumps to itself, forever; its ring blinks on the shared counter meanwhile.
    a.writeQuestion({ click("0001", 3000, 3000, u'1') });
    a.start();
    a.driver->advance(5000);
    ASSERT_FALSE(a.closed());
    a.driver->key(a.demo(), plat::vk::Escape);
    EXPECT_GE(a.until([&] { return a.closed(); }, 400), 0);
}

TEST(EndOfRun, KeysAndDoubleClicksThatEndIt)
{
    struct Ending {
        const char* name;
        std::function<void(PlayerApp&)> act;
        bool ends;
    };
    const Ending endings[] = {
        { "Enter", [](PlayerApp& a) { a.driver->key(a.demo(), plat::vk::Return); }, true },
        { "Shift+Enter",
            [](PlayerApp& a) { a.driver->key(a.demo(), plat::vk::Return, plat::shiftmask::Shift); },
            true },
        { "Space", [](PlayerApp& a) { a.driver->key(a.demo(), plat::vk::Space); }, true },
        { "Tab", [](PlayerApp& a) { a.driver->key(a.demo(), plat::vk::Tab); }, false },
        { "letter", [](PlayerApp& a) { a.driver->key(a.demo(), 'A'); }, false },
        { "double-click on a step picture",
            [](PlayerApp& a) { a.driver->doubleClick(a.dui().Image1); }, true },
    };
    for (const Ending& e : endings) {
        SCOPED_TRACE(e.name);
        PlayerApp a;
        a.writePicture(QStringLiteral("pic001"), { 400, 300 });
        Rec r = click("1000", 3000, 3000); // stands: nothing else ends the run
        testsupport::picture(r, 1, 0, 1500, QStringLiteral("pic001"));
        a.writeQuestion({ r });
        a.start();
        e.act(a);
        EXPECT_EQ(a.until([&] { return a.closed(); }, 1000) >= 0, e.ends);
    }
}

TEST(EndOfRun, AStepOutsideTheQuestionEndsTheRun)
{
    PlayerApp a;
    // No end marker: the file ends after the question's only step.
    a.writeQuestion({ click("0001", 3000, 3000) }, false);
    a.start();
    EXPECT_GE(a.until([&] { return a.closed(); }, 5000), 0);
    EXPECT_EQ(a.st.DemoActive, 0);
}

TEST(Window, OpensWhereThePracticeWindowLayAndShowsTheNote)
{
    for (const int state : { 0, 2 }) {
        PlayerApp a;
        a.writeQuestion({ click("0001", 3000, 3000) });
        auto& main = a.sys->form<workspace::FrmMain>();
        main.show();
        main.setWindowState(state);
        if (state == 0)
            main.move(1500, 900);
        main.hide();
        a.sys->form<exercise::FrmTm>().ui().RtbTM.setText(
            QStringLiteral("  一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十  "));
        a.start();
        auto& d = a.demo();
        EXPECT_EQ(d.width(), 12000);
        if (state == 0) {
            EXPECT_EQ(d.left(), 1500);
            EXPECT_EQ(d.top(), 900);
        } else {
            EXPECT_EQ(d.left(), (a.sys->screenWidthTwips() - 12000) / 2);
        }
        const auto& note = a.dui().ImgLogo;
        EXPECT_EQ(note.caption().size(), 30); // trimmed
        EXPECT_GE(note.height(), 3 * 180 + 15); // 30 \ 14 + 1 lines at least
        EXPECT_EQ(a.st.PanelMode, 1);
    }
}

TEST(DropDownReplay, PlacesAndStands)
{
    struct Case {
        const char* name;
        const char* descriptor;
        std::function<void(PlayerApp&)> check;
    };
    const Case cases[] = {
        { "menu 5, item 3, then the next step", "H050300000",
            [](PlayerApp& a) {
                // Where the drop-down hung while the pointer went to its item.
                auto& u = a.dui();
                EXPECT_EQ(u.Pic1J.left(), u.LblZHU[5].left() + u.PicMenu.left());
                EXPECT_EQ(u.Pic1J.top(), u.LblZHU[5].top() + u.LblZHU[5].height());
                EXPECT_EQ(a.demo().DemoStep, 2);
            } },
        { "the last menu title opens at a fixed left", "H110100000",
            [](PlayerApp& a) { EXPECT_EQ(a.dui().Pic1J.left(), 8490); } },
        { "an options-bar button without a drop-down stands", "H220100000",
            [](PlayerApp& a) {
                EXPECT_FALSE(a.dui().Pic1J.visible());
                EXPECT_EQ(a.demo().DemoStep, 1);
                EXPECT_TRUE(a.log().contains(QStringLiteral("hotspot 22")));
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerApp a;
        a.writeExamPicture(QStringLiteral("050077"), { 200, 300 });
        a.writeExamPicture(QStringLiteral("110077"), { 200, 300 });
        a.writeQuestion({ Rec(QStringLiteral("7000"))
                              .set(fd::PanelCode, QStringLiteral("A7"))
                              .set(fd::Descriptor3, QString::fromLatin1(c.descriptor)),
            click("0001", 200, 200) });
        a.start();
        bool opened = false;
        a.until(
            [&] {
                opened = opened || (a.dui().Pic1J.visible() && a.dui().Timer6.enabled());
                return a.demo().DemoStep != 1;
            },
            8000);
        EXPECT_EQ(opened, QString::fromLatin1(c.descriptor) != QStringLiteral("H220100000"));
        c.check(a);
    }
}

TEST(DropDownReplay, AMissingDropDownPictureShowsNoOldOne)
{
    PlayerApp a;
    a.writeExamPicture(QStringLiteral("050077"), { 200, 300 }, Qt::red);
    a.writeQuestion({ Rec(QStringLiteral("7000")).set(fd::Descriptor3, "H050300000"),
        Rec(QStringLiteral("7000")).set(fd::Descriptor3, "H060300000"), click("0001", 200, 200) });
    a.start();
    ASSERT_GE(a.until([&] { return a.demo().DemoStep == 2 && a.dui().Pic1J.visible(); }, 10000), 0);
    EXPECT_TRUE(a.dui().Pic1J.picture().image().isNull()); // menu 6 has no picture
    EXPECT_GT(a.dui().Pic1J.height(), 0); // an empty drop-down the size of its items
}

} // namespace
