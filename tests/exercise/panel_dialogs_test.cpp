// What the panel opens: the demonstration, the view-answer notice of an examination, the
// input-method menu and the input-method option.

#include "core/errorreport.h"
#include "demo/frmyanshi.h"
#include "exercise/frmczts.h"
#include "exercise/frmime.h"
#include "exercise/frmpicture.h"
#include "exercise/panelapp.h"
#include "platform/keys.h"
#include "records/learnerrecords.h"
#include "records/recordfiles.h"
#include "records/recordio.h"
#include "widgets/msgbox.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using testsupport::PanelApp;

TEST(DemonstrationStart, TwoTicksLaterBothWindowsAreHiddenNotUnloaded)
{
    PanelApp app;
    app.prepareLines(
        { QStringLiteral("000101先做这一步|再做那一步"), QStringLiteral("000201第二题") }, 2);
    app.open();
    auto& tm = app.tm();
    auto& main = app.main();
    auto& demo = app.sys.form<demo::FrmYanShi>();
    app.st.ResumeStep(1) = 1;
    EXPECT_EQ(app.text(), QStringLiteral("先做这一步\r\n再做那一步"));

    app.driver.click(app.ui().CmdGN[exercise::cmd::Demonstration].control());
    EXPECT_EQ(app.st.DemoActive, -1);
    // The note keeps the text in one run.
    EXPECT_EQ(app.text(), QStringLiteral("先做这一步|再做那一步"));
    EXPECT_TRUE(app.ui().TimStartYS.enabled());

    app.driver.advance(100); // the first tick only counts
    EXPECT_TRUE(tm.visible());
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(demo.visible());

    app.driver.advance(100);
    EXPECT_FALSE(tm.visible());
    EXPECT_FALSE(main.visible());
    EXPECT_TRUE(tm.isLoaded());
    EXPECT_TRUE(main.isLoaded());
    EXPECT_TRUE(demo.visible());
    EXPECT_FALSE(app.ui().TimStartYS.enabled());
    EXPECT_EQ(tm.DemoStartTicks, 0);
    EXPECT_EQ(app.st.DemoActive, -1);
    EXPECT_EQ(app.st.CurrentQuestion, 1); // the exercise's state stays as it was
}

TEST(DemonstrationStart, AfterTheDemonstrationTheQuestionResumesWhereThePracticeLeftIt)
{
    ASSERT_SAMPLE_MODULE();
    PanelApp app;
    app.prepareSample();
    app.open();
    app.st.ResumeStep(1) = 2;
    app.driver.click(app.ui().CmdGN[exercise::cmd::Demonstration].control());
    app.driver.advance(200);
    auto& demo = app.sys.form<demo::FrmYanShi>();
    ASSERT_TRUE(demo.visible());
    EXPECT_EQ(app.st.PanelMode, 1);

    app.driver.key(demo, plat::vk::Escape); // the candidate stops it
    app.driver.advance(1000);
    EXPECT_FALSE(demo.isLoaded());
    EXPECT_TRUE(app.tm().visible());
    EXPECT_TRUE(app.main().visible());
    EXPECT_EQ(app.st.DemoActive, 0);
    EXPECT_EQ(app.st.PanelMode, 2);
    EXPECT_EQ(app.st.CurrentStep, 2);
    EXPECT_EQ(app.st.ResumeStep(1), 2);
    EXPECT_EQ(app.text(), app.fileText(1));
}

TEST(DemonstrationStart, APictureQuestionHidesItsPictureWindowFirst)
{
    PanelApp app;
    app.prepareLines({ QStringLiteral("000101pictureqp0001看图|照做") }, 1);
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::gray);
    ASSERT_TRUE(img.save(app.sys.skinFile(QStringLiteral("qp0001")), "BMP"));
    app.open();
    auto& ui = app.ui();
    app.driver.click(ui.Image2.control());
    auto& picture = app.sys.form<exercise::FrmPicture>();
    ASSERT_TRUE(picture.visible());
    app.driver.click(ui.CmdGN[exercise::cmd::Demonstration].control());
    EXPECT_FALSE(picture.visible());
    EXPECT_EQ(ui.Image2.caption(), QStringLiteral("显示图片"));
    EXPECT_TRUE(ui.Image2.visible());
    EXPECT_EQ(app.text(), QStringLiteral("看图|照做"));
}

// The view-answer notice of an examination, answered from inside its modal run.
struct ViewAnswer {
    PanelApp app { 0, 1.0, true };
    exercise::FrmCZTS& notice = app.sys.form<exercise::FrmCZTS>();
    ViewAnswer()
    {
        app.prepareNumbered(3);
        app.st.StudyMode = 0;
        app.st.PanelMode = 3;
        app.st.ExamStartTime = QStringLiteral("2026-12-10 09:00:00");
        app.open();
        app.st.CurrentStep = 4;
    }
    // Clicks the view-answer button; `inside` runs while the notice is shown.
    void open(const std::function<void(exercise::FrmCZTS&)>& inside)
    {
        app.driver.answerModal([&](plat::Form&) { inside(notice); });
        app.driver.click(app.ui().CmdGN[exercise::cmd::ViewAnswer].control());
    }
};

TEST(ViewAnswerSwitch, NoKeepsTheNoticeOpenAndTheExaminationAsItWas)
{
    ViewAnswer v;
    auto& app = v.app;
    app.messageBoxes().answers = { false };
    bool stillShown = false;
    v.open([&](exercise::FrmCZTS& n) {
        app.driver.click(n.ui().Command2.control());
        stillShown = n.visible();
        app.driver.click(n.ui().Command1.control());
    });
    EXPECT_TRUE(stillShown);
    ASSERT_EQ(app.messageBoxes().shown.size(), 1U);
    EXPECT_EQ(app.messageBoxes().shown[0].title, QStringLiteral("不建议您立即看答案"));
    EXPECT_FALSE(v.notice.isLoaded());
    EXPECT_EQ(app.st.PanelMode, 3);
    EXPECT_EQ(app.st.ExamStartTime, QStringLiteral("2026-12-10 09:00:00"));
    EXPECT_TRUE(app.ui().CmdGN[exercise::cmd::ViewAnswer].visible());
    EXPECT_FALSE(app.ui().TimStartYS.enabled());
}

TEST(ViewAnswerSwitch, YesTurnsThePaperIntoPracticeAndDemonstratesFromStepOne)
{
    ViewAnswer v;
    auto& app = v.app;
    auto& ui = app.ui();
    app.messageBoxes().answers = { true };
    v.open([&](exercise::FrmCZTS& n) { app.driver.click(n.ui().Command2.control()); });
    EXPECT_FALSE(v.notice.isLoaded());
    EXPECT_EQ(app.st.PanelMode, 2);
    EXPECT_EQ(app.st.ExamStartTime, QStringLiteral("-1"));
    EXPECT_EQ(app.st.PanelCanClose, 0);
    EXPECT_EQ(app.st.DemoActive, -1);
    EXPECT_EQ(app.st.CurrentStep, 1);
    testsupport::expectButtonSet(ui, false);
    EXPECT_TRUE(ui.TimeKS.enabled()); // the countdown goes on

    app.driver.advance(200); // the demonstration's two ticks
    EXPECT_FALSE(app.tm().visible());
    EXPECT_FALSE(app.main().visible());
    EXPECT_TRUE(app.sys.form<demo::FrmYanShi>().visible());

    // The paper's later scoring records the time and keeps the best score it had.
    const records::RecordsDir dir = records::RecordsDir::of(app.sys);
    const shell::ErrorSite site(app.st, QStringLiteral("test"));
    ASSERT_TRUE(records::recordScoring(
        dir, 0, QStringLiteral("2026-12-10 08:00:00"), 60, QDateTime::currentDateTime(), site));
    ASSERT_TRUE(records::recordScoring(
        dir, 0, app.st.ExamStartTime, 97.5, QDateTime::currentDateTime(), site));
    EXPECT_EQ(records::readExamHistory(dir, site).bestScore(0), QStringLiteral("60"));
}

// The examination's faces of the flag pair give way to practice's with the module's skins.
TEST(ViewAnswerSwitch, YesGivesTheFlagPairPracticesFaces)
{
    ASSERT_SAMPLE_MODULE();
    PanelApp app(0, 1.0, true);
    app.prepareSamplePaper();
    app.open();
    auto& ui = app.ui();
    struct Faces {
        int button;
        const char* examination;
        const char* practice;
    };
    const Faces faces[] = {
        { exercise::cmd::Flag, "l01053", "l01003" },
        { exercise::cmd::RemoveFlag, "l01054", "l01011" },
    };
    auto expectFaces = [&](bool examination) {
        for (const Faces& f : faces) {
            const char* name = examination ? f.examination : f.practice;
            const auto face = plat::loadPicture(app.sys.skinFile(QLatin1String(name)));
            ASSERT_TRUE(face.ok()) << name;
            EXPECT_EQ(ui.CmdGN[f.button].picture().image(), face.value().image()) << name;
        }
    };
    expectFaces(true);
    app.messageBoxes().answers = { true };
    auto& notice = app.sys.form<exercise::FrmCZTS>();
    app.driver.answerModal([&](plat::Form&) { app.driver.click(notice.ui().Command2.control()); });
    app.driver.click(ui.CmdGN[exercise::cmd::ViewAnswer].control());
    ASSERT_EQ(app.st.PanelMode, 2);
    expectFaces(false);
    testsupport::expectButtonSet(ui, false);
}

TEST(ImeMenu, ChoosesTheLayoutItsItemNamesOnlyWhileTheOptionIsOn)
{
    PanelApp app;
    app.layouts().layouts = { { QStringLiteral("en-US"), QString() },
        { QStringLiteral("zh-py"), QStringLiteral("拼音输入法") },
        { QStringLiteral("zh-wb"), QStringLiteral("五笔输入法") } };
    app.openNumbered(3);
    auto& tm = app.tm();
    EXPECT_EQ(tm.mCn[1]->caption, QStringLiteral("拼音输入法"));
    EXPECT_TRUE(tm.mCn[2]->visible);
    EXPECT_FALSE(tm.mCn[3]->visible);
    EXPECT_EQ(tm.Ime.rows, 3);

    // Off: nothing pops up and the choice stays.
    app.st.UseIme = 0;
    app.st.KeyboardLayout = QStringLiteral("kept");
    app.driver.click(app.ui().LblIME);
    EXPECT_TRUE(app.driver.popupLog().isEmpty());
    EXPECT_EQ(app.st.KeyboardLayout, QStringLiteral("kept"));

    app.st.UseIme = -1;
    struct Case {
        const char16_t* item;
        const char* layout;
    };
    for (const Case c : { Case { u"五笔输入法", "zh-wb" }, Case { u"英语（美国）", "en-US" },
             Case { u"拼音输入法", "zh-py" } }) {
        app.driver.choosePopup(QString::fromUtf16(c.item));
        app.main().setWindowState(1);
        app.driver.click(app.ui().LblIME);
        EXPECT_EQ(app.st.KeyboardLayout, QString::fromLatin1(c.layout));
        EXPECT_EQ(app.main().windowState(), 0);
    }
    // The menu stands above its label: right-aligned on the label's left edge, three rows of
    // 300 twips above the label's top.
    ASSERT_EQ(app.driver.popupPlaces().size(), 3u);
    const std::optional<plat::PopupPlace> place = app.driver.popupPlaces().back();
    ASSERT_TRUE(place);
    const auto& ui = app.ui();
    EXPECT_TRUE(place->rightAligned);
    EXPECT_DOUBLE_EQ(place->x, ui.FrmZhuYa.left() + ui.LblIME.left());
    EXPECT_DOUBLE_EQ(place->y, ui.FrmZhuYa.top() + ui.LblIME.top() - 900);
}

// The answer field's focus handler activates the layout chosen. A field that holds the focus
// already gets no new focus from the choice, and the layout is activated all the same.
TEST(ImeMenu, AChoiceActivatesItsLayoutAlsoWhenTheFieldHasTheFocus)
{
    PanelApp app;
    app.layouts().layouts = { { QStringLiteral("en-US"), QString() },
        { QStringLiteral("zh-py"), QStringLiteral("拼音输入法") },
        { QStringLiteral("zh-wb"), QStringLiteral("五笔输入法") } };
    app.openNumbered(3);
    app.st.UseIme = -1;
    auto& field = app.main().ui().Text1;
    field.setVisible(true);
    // The first choice gives the field the focus, the second finds it there.
    app.driver.choosePopup(QStringLiteral("五笔输入法"));
    app.driver.click(app.ui().LblIME);
    EXPECT_EQ(app.main().focusedControl(), &field);
    app.driver.choosePopup(QStringLiteral("拼音输入法"));
    app.driver.click(app.ui().LblIME);
    EXPECT_EQ(app.layouts().activated, QStringList({ "zh-wb", "zh-py" }));
    EXPECT_EQ(app.main().focusedControl(), &field);
}

TEST(ImeMenu, WithoutInputMethodsTheSecondItemChoosesNone)
{
    PanelApp app;
    app.openNumbered(3);
    auto& tm = app.tm();
    EXPECT_EQ(tm.mCn[1]->caption, QStringLiteral("中文1"));
    EXPECT_TRUE(tm.mCn[1]->visible);
    EXPECT_FALSE(tm.mCn[2]->visible);
    app.st.UseIme = -1;
    app.st.KeyboardLayout = QStringLiteral("old");
    app.driver.choosePopup(QStringLiteral("中文1"));
    app.driver.click(app.ui().LblIME);
    EXPECT_EQ(app.st.KeyboardLayout, QString());
}

// The option dialog, opened from the panel on a records folder of the test's own.
struct ImeOption {
    PanelApp app { 0, 1.0, true };
    exercise::FrmIME& dialog = app.sys.form<exercise::FrmIME>();
    QString file() const { return records::ImeOptionFile(records::RecordsDir::of(app.sys)); }
    ImeOption() { app.openNumbered(3); }
};

TEST(ImeOptionDialog, ShowsTheOptionAsTheFileHoldsIt)
{
    struct Case {
        const char* line; // nullptr: no file
        bool on;
        const char* fileAfter; // nullptr: no file
    };
    const Case cases[] = {
        { "1", true, "1" },
        { " 1", false, " 1" }, // only exactly "1" sets the box
        { "2", false, "2" },
        { "x", false, "x" },
        { "0", false, "0" },
        { nullptr, false, nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line ? c.line : "(none)");
        ImeOption o;
        if (c.line)
            testsupport::writeFile(o.file(), QByteArray(c.line) + "\r\n");
        o.app.st.UseIme = 0;
        bool checked = false;
        o.app.driver.answerModal([&](plat::Form&) {
            checked = o.dialog.ui().Check1.value();
            o.app.driver.click(o.dialog.ui().LblClick[1].control());
        });
        o.app.driver.click(o.app.ui().CmdEn.control());
        EXPECT_EQ(checked, c.on);
        EXPECT_EQ(o.app.st.UseIme, c.on ? -1 : 0);
        if (c.fileAfter) {
            EXPECT_EQ(plat::readLines(o.file()).value().value(0), QString::fromLatin1(c.fileAfter));
        } else {
            EXPECT_FALSE(QFile::exists(o.file()));
        }
    }
}

TEST(ImeOptionDialog, TheBoxWritesTheOptionAndClosingUnfoldsThePanel)
{
    ImeOption o;
    auto& app = o.app;
    auto& tm = app.tm();
    auto& main = app.main();
    main.move(900, 600);
    bool foldedWhileOpen = false;
    app.driver.answerModal([&](plat::Form&) {
        foldedWhileOpen = app.ui().FrmZXH.visible() && tm.left() == main.left();
        auto& box = o.dialog.ui().Check1;
        app.driver.click(box.control());
        EXPECT_EQ(plat::readLines(o.file()).value().value(0), QStringLiteral("1"));
        EXPECT_EQ(app.st.UseIme, -1);
        app.driver.click(box.control());
        EXPECT_EQ(plat::readLines(o.file()).value().value(0), QStringLiteral("0"));
        EXPECT_EQ(app.st.UseIme, 0);
        main.setWindowState(1);
        app.driver.click(o.dialog.ui().LblClick[0].control());
    });
    app.driver.click(app.ui().CmdEn.control());
    EXPECT_TRUE(foldedWhileOpen);
    EXPECT_FALSE(o.dialog.isLoaded());
    EXPECT_FALSE(app.ui().FrmZXH.visible());
    EXPECT_EQ(main.windowState(), 0);
    EXPECT_EQ(tm.width(), 4980);
    EXPECT_EQ(tm.height(), 3630);
    EXPECT_EQ(tm.left() + tm.width(), main.left() + main.width());
    EXPECT_EQ(tm.top() + tm.height(), main.top() + main.height());
}

// An option that cannot be saved would be lost at the next start: it is reported, the learner
// is told, and the option and the box stay as they were.
TEST(ImeOptionDialog, AWriteFailureIsSaidAndTheOptionStaysAsItWas)
{
    for (const int useIme : { 0, -1 }) {
        SCOPED_TRACE(useIme);
        ImeOption o;
        auto& app = o.app;
        // A folder that takes no file: the save cannot replace the option's file.
        records::io::setFaultHook([](const QString& path) {
            return path.endsWith(QStringLiteral("288890.mxy"))
                ? records::io::Failure::FolderNotWritable
                : records::io::Failure::None;
        });
        app.st.UseIme = static_cast<int16_t>(useIme);
        QString told;
        bool boxAfter = useIme == 0;
        app.driver.answerModal([&](plat::Form&) {
            auto& box = o.dialog.ui().Check1; // cleared: the file cannot be read
            app.driver.answerModal([&](plat::Form&) {
                auto& msg = app.sys.form<widgets::FrmMTMSGBOX>().ui();
                told = msg.LblPrompt.caption();
                app.driver.click(msg.LblClick[1].control());
            });
            app.driver.click(box.control());
            boxAfter = box.value();
            app.driver.click(o.dialog.ui().LblClick[0].control());
        });
        app.driver.click(app.ui().CmdEn.control());
        EXPECT_EQ(app.st.UseIme, useIme);
        EXPECT_EQ(boxAfter, useIme != 0);
        EXPECT_TRUE(told.contains(QStringLiteral("无法保存"))) << told.toStdString();
        EXPECT_EQ(app.driver.unansweredModals(), 0);
        EXPECT_FALSE(app.reports.filter(QRegularExpression(QStringLiteral("^frmime "))).isEmpty())
            << app.reports.join(u'\n').toStdString();
        records::io::setFaultHook({});
    }
}

} // namespace
