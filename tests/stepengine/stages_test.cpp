// The stages of a step load: pictures, panels and hotspots, the answer field and its format, the
// prompts of text steps, the hint, list and location steps and dialog tab strips.

#include "stepengine/stages_fixture.h"

#include "exercise/frmtm.h"
#include "platform/decodeahead.h"
#include "workspace/hotspots.h"
#include "workspace/pickers.h"

#include <QFile>

#include <map>
#include <tuple>

#include <gtest/gtest.h>

using testsupport::Rec;
using testsupport::StagesApp;
namespace fd = stepengine::field;

namespace {

// Pictures are told apart by their width in pixels.
int widthOf(const plat::Control& c)
{
    if (auto* image = dynamic_cast<const plat::Image*>(&c))
        return image->picture().width();
    if (auto* box = dynamic_cast<const plat::Container*>(&c))
        return box->picture().width();
    return -1;
}

Rec withPictures(Rec r, const QString& background, const std::array<QString, 6>& names,
    int left = 600, int top = 300)
{
    r.set(fd::Background, background);
    for (int k = 1; k <= 6; ++k)
        testsupport::picture(r, k, left * k, top * k, names[k - 1]);
    return r;
}

TEST(PictureStage, HideKeepAndTheSevenPicturesOfARevisitedQuestion)
{
    StagesApp app;
    auto& st = app.st;
    // Seven pictures of question 1, a replacement for Image3 and a background of question 2.
    // Image6's name must read as a number that is not 0, or it hides Image6.
    const QStringList names { "bg0001", "pic001", "pic002", "pic003", "pic004", "pic005", "600006",
        "pic03b", "bg0002" };
    for (int i = 0; i < names.size(); ++i)
        app.writePicture(names[i], { 20 + 10 * i, 20 });
    auto width = [&](const QString& name) { return 20 + 10 * int(names.indexOf(name)); };
    const QString keep = stepengine::kKeepPicture, hide = stepengine::kHidePicture;
    app.writeSteps({
        withPictures(
            Rec(), "bg0001", { "pic001", "pic002", "pic003", "pic004", "pic005", "600006" }),
        withPictures(Rec(), keep, { keep, keep, "pic03b", keep, keep, keep }),
        withPictures(Rec(), keep, { keep, hide, keep, keep, keep, "A12345" }), // Image6: a letter
        withPictures(Rec(), keep, { keep, keep, keep, keep, keep, keep }, 900, 450),
        Rec(QStringLiteral("9999")),
        withPictures(Rec(), "bg0002", { hide, hide, hide, hide, hide, hide }), // question 2
    });
    st.QuestionCount = 2;
    st.FirstStepTable(2) = 6;
    auto& ui = app.ui();
    plat::Control* images[]
        = { &ui.Image1, &ui.Image2, &ui.Image3, &ui.Image4, &ui.Image5, &ui.Image6 };

    app.load(1);
    app.load(2);
    app.load(3);
    EXPECT_FALSE(ui.Image2.visible()); // "000000" hides
    EXPECT_EQ(ui.Image2.left(), 1200); // and keeps its place and picture for a later "888888"
    EXPECT_EQ(widthOf(ui.Image2), width("pic002"));
    EXPECT_FALSE(ui.Image6.visible()); // a name that does not read as a number hides Image6
    app.load(4);
    EXPECT_TRUE(ui.Image2.visible());
    EXPECT_EQ(ui.Image2.left(), 1800); // at the keeping record's place
    EXPECT_EQ(ui.Image2.top(), 900);
    EXPECT_EQ(widthOf(ui.Image2), width("pic002"));
    EXPECT_EQ(st.QuestionPictures(1),
        (std::array<QString, 7> {
            "bg0001", "pic001", "pic002", "pic03b", "pic004", "pic005", "600006" }));

    // Another question empties the step pictures; coming back puts all seven up again and
    // resumes at step 4, whose "888888" shows them.
    st.CurrentQuestion = 2;
    app.load(1);
    for (plat::Control* image : images)
        EXPECT_EQ(widthOf(*image), 0);
    EXPECT_EQ(app.main().area().picture().width(), width("bg0002"));
    st.CurrentQuestion = 1;
    app.sys->form<exercise::FrmTm>().DqExam();
    app.driver->advance(100);
    ASSERT_EQ(st.CurrentStep, 4);
    EXPECT_EQ(app.main().area().picture().width(), width("bg0001"));
    const char* expected[] = { "pic001", "pic002", "pic03b", "pic004", "pic005", "600006" };
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(widthOf(*images[k]), width(expected[k])) << "Image" << k + 1;
        EXPECT_TRUE(images[k]->visible()) << "Image" << k + 1;
    }
}

// While the learner works on a step, the pictures the next line puts up decode on a worker: its
// load finds them ready. Names that hide or keep an image load nothing, nor do the panels of a
// line whose stage does not run.
TEST(PictureStage, TheNextLinesPicturesDecodeWhileTheStepIsOnShow)
{
    StagesApp app;
    const QString keep = stepengine::kKeepPicture, hide = stepengine::kHidePicture;
    for (const char* name : { "bg0001", "bg0002", "pic001", "pic002", "000000", "700007", "dialog",
             "104008", "104002" })
        app.writePicture(name);
    for (const char* name : { "X00001", "X00002", "X04502", "450099" })
        app.writeExamPicture(name, { 26, 26 });
    // The next line: screen pictures, the two-column toolbox with a variant look of hotspot 45,
    // and tab 8's page of dialog D (104008) in Image1.
    Rec next = withPictures(Rec(), "bg0002", { "pic001", hide, keep, "pic002", hide, "700007" });
    next.set(fd::PanelCode, "BB").set(fd::DragTargetY, "A4502").set(fd::TabCode, "XD821");
    app.writeSteps({
        withPictures(Rec(), "bg0001", { hide, hide, hide, hide, hide, "000000" }),
        next,
        // Panels switched off: the one-column toolbox and the pressed look are not read.
        withPictures(Rec(), keep, { keep, keep, keep, keep, keep, keep })
            .set(fd::PanelCode, "b7")
            .set(fd::DragTargetY, "A4500"),
        // A tab step of an unknown dialog letter shows the page of the last tab step's dialog.
        Rec().set(fd::TabCode, "XZ211"),
    });
    auto decoded = [&](const QString& file) {
        plat::Result<plat::Picture> p = plat::loadPicture(file);
        return p.ok() && p.value().isDecoded();
    };
    auto skin = [&](const char* name) { return app.sys->skinFile(name); };
    auto exam = [&](const char* name) {
        return app.sys->programFile(QStringLiteral("examdata/%1.mxy").arg(name));
    };
    auto lookAhead = [&] {
        app.driver->processEvents();
        plat::waitForDecodingAhead();
    };

    app.main().show();
    app.driver->processEvents(); // painted: what a step asks for after painting runs next
    app.load(1);
    lookAhead();
    for (const char* name : { "bg0002", "pic001", "pic002", "700007", "104008" })
        EXPECT_TRUE(decoded(skin(name))) << name;
    for (const char* name : { "X00002", "X04502" })
        EXPECT_TRUE(decoded(exam(name))) << name;
    EXPECT_FALSE(decoded(skin("000000"))); // hides Image2 and Image5 of the next line

    plat::clearPictureCache();
    app.load(2);
    lookAhead();
    for (const char* name : { "X00001", "450099" })
        EXPECT_FALSE(decoded(exam(name))) << name;

    app.load(3);
    lookAhead();
    EXPECT_TRUE(decoded(skin("104002")));

    // The last line has no next one to read.
    app.load(4);
    lookAhead();
    EXPECT_TRUE(app.main().visible());
}

TEST(PictureStage, TheDragHandlesHomeIsStoredAsDisplayed)
{
    StagesApp app;
    auto& st = app.st;
    st.ScaleX = 0.8;
    st.ScaleY = 1.2;
    app.writePicture(QStringLiteral("handle"));
    Rec r(QStringLiteral("8001"));
    testsupport::picture(r, 5, 1200, 600, QStringLiteral("handle"));
    app.writeSteps({ r.num(fd::DragTargetX, 2000) });
    app.load(1);
    // The drag checks compare the handle's place with the target times the scale, so the home
    // is kept in the same unit: where the handle is shown.
    EXPECT_EQ(app.ui().Image5.left(), 960);
    EXPECT_EQ(app.main().HandleLeft, 960);
    EXPECT_EQ(app.main().HandleTop, 720);
    EXPECT_EQ(app.main().DragTargetX, 2000); // the target stays unscaled
}

// A step picture that passes the checks at load but will not decode leaves its area blank: the
// run log says so, once for the run however often the step loads.
TEST(PictureStage, APictureThatWillNotDecodeIsLoggedOnce)
{
    StagesApp app;
    auto& st = app.st;
    st.LogPath = app.dir.filePath(QStringLiteral("run.txt"));
    app.writePicture(QStringLiteral("good01"));
    app.writePicture(QStringLiteral("bad001"), { 64, 64 });
    // The image data of the bad picture damaged, its length, chunks and end left whole.
    QFile bad(app.sys->skinFile(QStringLiteral("bad001")));
    ASSERT_TRUE(bad.open(QIODevice::ReadWrite));
    QByteArray bytes = bad.readAll();
    const qsizetype data = bytes.indexOf("IDAT") + 4;
    ASSERT_GT(data, 4);
    for (qsizetype i = data; i < data + 8; ++i)
        bytes[i] = char(~bytes[i]);
    ASSERT_TRUE(bad.seek(0));
    ASSERT_EQ(bad.write(bytes), bytes.size());
    bad.close();
    const QString keep = stepengine::kKeepPicture;
    app.writeSteps({
        withPictures(Rec(), "good01", { "bad001", "good01", keep, keep, keep, keep }),
        withPictures(Rec(), keep, { "bad001", keep, keep, keep, keep, keep }),
    });
    for (int step : { 1, 2, 1 })
        app.load(step);
    EXPECT_TRUE(app.ui().Image1.picture().image().isNull());
    EXPECT_FALSE(app.ui().Image2.picture().image().isNull());
    const QString log = plat::decodeGbk(testsupport::readFile(st.LogPath));
    EXPECT_EQ(log.count(QStringLiteral("bad001")), 1) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("will not decode"))) << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("good01"))) << log.toStdString();
}

TEST(PanelStage, PanelCodesToolboxPictureHotspotsAndOverlay)
{
    StagesApp app;
    app.writeExamPicture(QStringLiteral("X00001"), { 60, 600 });
    app.writeExamPicture(QStringLiteral("X00002"), { 90, 400 });
    app.writeExamPicture(QStringLiteral("X04502"), { 25, 25 });
    app.writeExamPicture(QStringLiteral("450099"), { 26, 26 });
    struct Case {
        const char* code;
        const char* overlay;
        bool menu, tool, toolbox;
        int toolboxWidth; // the toolbox picture after the step (kept by a skipped stage)
        int hotspot41Left;
        int overlayWidth; // 0: hidden
    };
    const Case cases[] = {
        { "B7", "00000", true, true, true, 60, 90, 0 },
        { "BB", "A4502", true, true, true, 90, 450, 25 }, // a variant look of hotspot 45
        { "b7", "A4500", false, false, false, 90, 450, 25 }, // no panels, overlay untouched
        { "F7", "00000", false, false, false, 90, 450, 25 },
        { "A4", "A4501", false, false, true, 60, 90, 26 }, // 00 and 01: the pressed look
        { "A0", "00000", false, false, false, 60, 90, 0 }, // no panel, but the overlay stage runs
    };
    QList<Rec> recs;
    for (const Case& c : cases)
        recs << Rec().set(fd::PanelCode, c.code).set(fd::DragTargetY, c.overlay);
    app.writeSteps(recs);
    auto& ui = app.ui();
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.code);
        app.load(i + 1);
        EXPECT_EQ(ui.PicMenu.visible(), c.menu);
        EXPECT_EQ(ui.PicTool.visible(), c.tool);
        EXPECT_EQ(ui.PicHui.visible(), c.toolbox);
        EXPECT_EQ(ui.PicHui.picture().width(), c.toolboxWidth);
        EXPECT_EQ(ui.LblZHU[41].left(), c.hotspot41Left);
        EXPECT_EQ(ui.ImgHui2.visible(), c.overlayWidth != 0);
        if (c.overlayWidth != 0) {
            EXPECT_EQ(ui.ImgHui2.picture().width(), c.overlayWidth);
            EXPECT_EQ(ui.ImgHui2.left(), ui.LblZHU[45].left());
            EXPECT_EQ(ui.ImgHui2.top(), ui.LblZHU[45].top());
        }
    }
}

TEST(HotspotLayout, BothToolboxFormsAtAnyScaleInBothWindows)
{
    // The two-column toolbox by its rule: two tools a row from (60, 390) at a pitch of 390 by
    // 345, 60 more between the groups, 41 and 42 swapped, and the foot cells of their own.
    auto twoColumns = [](int i) -> workspace::HotspotCell {
        const std::map<int, workspace::HotspotCell> foot { { 63, { 120, 4455, 420, 420 } },
            { 64, { 180, 5190, 585, 330 } }, { 65, { 540, 4380, 255, 255 } },
            { 66, { 300, 4635, 435, 435 } }, { 67, { 105, 4935, 165, 165 } } };
        if (foot.count(i))
            return foot.at(i);
        int left = 60 + 390 * ((i - 41) % 2);
        const int gap = i >= 59 ? 180 : i >= 55 ? 120 : i >= 47 ? 60 : 0;
        if (i == 41 || i == 42)
            left = i == 41 ? 450 : 60;
        return { left, 390 + 345 * ((i - 41) / 2) + gap, 390, 345 };
    };
    for (int i = 41; i <= 67; ++i) {
        const auto got = workspace::hotspotCell(i, true), want = twoColumns(i);
        EXPECT_EQ(std::tie(got.left, got.top, got.width, got.height),
            std::tie(want.left, want.top, want.width, want.height))
            << "hotspot " << i;
    }

    struct Case {
        const char* panelCode;
        double scaleX, scaleY;
        bool demo;
        int hotspot;
        double left, top, width, height;
    };
    const Case cases[] = {
        { "B7", 2, 2, false, 26, 10500, 240, 600, 540 },
        { "BB", 2, 2, false, 45, 120, 2160, 780, 690 },
        { "BB", 2, 2, false, 46, 900, 2160, 780, 690 },
        { "BB", 1, 1.5, false, 61, 60, 6030, 390, 517.5 },
        { "B7", 1, 1, false, 63, 90, 8160, 390, 345 }, // the one-column foot again
        { "B7", 1, 1, false, 0, -120, 240, 15, 375 }, // hotspot 0 keeps its Top and Height
        { "B7", 1, 1, true, 21, 225, 990, 630, 375 }, // on the window: the panel's origin added
        { "B7", 1, 1, true, 41, 150, 1815, 390, 345 },
        { "BB", 1, 1, true, 41, 510, 1815, 390, 345 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
            << c.panelCode << " hotspot " << c.hotspot << (c.demo ? " demonstration" : ""));
        StagesApp app;
        app.st.ScaleX = c.scaleX;
        app.st.ScaleY = c.scaleY;
        app.writeExamPicture(QStringLiteral("X00001"), { 60, 600 });
        app.writeExamPicture(QStringLiteral("X00002"), { 90, 400 });
        // A two-column step first: a one-column step must restore every cell.
        app.writeSteps({ Rec().set(fd::PanelCode, "BB"), Rec().set(fd::PanelCode, c.panelCode) });
        QRectF got;
        if (c.demo) {
            app.st.DemoActive = -1;
            app.loadDemo(1);
            app.loadDemo(2);
            const auto& h = app.demo().ui().LblZHU[c.hotspot];
            got = { h.left(), h.top(), h.width(), h.height() };
        } else {
            app.load(1);
            app.load(2);
            const auto& h = app.ui().LblZHU[c.hotspot];
            got = { h.left(), h.top(), h.width(), h.height() };
        }
        EXPECT_EQ(got, QRectF(c.left, c.top, c.width, c.height));
    }
}

TEST(TextFieldStage, PresetTextSelectionAndFormat)
{
    StagesApp app;
    auto& st = app.st;
    st.ScaleX = 0.8;
    app.writeAnswers({ "001one", "002two", "03", "004x", "005", "006", "007abc|def" });
    struct Case {
        const char* preset;
        const char* format;
        bool field; // the record has a field
        const char* text;
        int selLength;
        double points;
        int alignment;
        bool bold, italic, underline;
        const char* face;
        uint32_t fore, back;
    };
    const Case cases[] = {
        { "007", "0120R01329", true, "abc", 3, 12, 1, true, false, false, "楷体_GB2312", 0x0000FF,
            0xE1FFFF },
        // Style 8, face 5, fore colour 8: each left as the step before left it.
        { "000", "0000M08588", true, "", 0, 9, 2, true, false, false, "楷体_GB2312", 0x0000FF,
            0xE0E3BA },
        { "001", "0000000000", true, "one", 3, 9, 0, false, false, false, "宋体", 0x000000,
            0xFFFFFF },
        { "003", "0105r07412", true, "", 0, 10.5, 1, true, true, true, "隶书", 0xFF0000,
            0x0000FF }, // a line of three characters gives the empty text
        // No field: hidden, and the text and format of the step before stay in it, but for the
        // size that every load gives the answer fields first.
        { "001", "0000000000", false, "", 0, 9, 1, true, true, true, "隶书", 0xFF0000, 0x0000FF },
        // A negative size is no size: the field keeps its 9 points; the rest of the code applies.
        { "001", "0-50000000", true, "one", 3, 9, 0, false, false, false, "宋体", 0x000000,
            0xFFFFFF },
    };
    QList<Rec> recs;
    for (const Case& c : cases) {
        Rec r(QStringLiteral("0001"));
        if (c.field)
            testsupport::textBox(r, 1500, 900, 3000, 300);
        recs << r.set(fd::PresetLine, c.preset).set(fd::Descriptor3, c.format);
    }
    app.writeSteps(recs);
    auto& t = app.ui().Text1;
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.format);
        app.load(i + 1);
        EXPECT_EQ(t.visible(), c.field);
        EXPECT_EQ(t.text(), QString::fromUtf8(c.text));
        EXPECT_EQ(t.selStart(), 0);
        EXPECT_EQ(t.selLength(), c.selLength);
        EXPECT_DOUBLE_EQ(t.font().size, c.points * 0.8);
        EXPECT_EQ(t.alignment(), c.alignment);
        EXPECT_EQ(std::tie(t.font().bold, t.font().italic, t.font().underline),
            std::tie(c.bold, c.italic, c.underline));
        EXPECT_EQ(t.font().name, QString::fromUtf8(c.face));
        EXPECT_EQ(t.foreColor(), c.fore);
        EXPECT_EQ(t.backColor(), c.back);
    }
    EXPECT_EQ(t.left(), 1200); // the field's rectangle, scaled
}

TEST(TextPromptStage, EachTextStepWrapsItsHint)
{
    StagesApp app;
    app.st.PanelMode = 1;
    app.writeAnswers(
        { "001", "002", "003", "004", "005abc|ABC", "006", "007pre|x", "008", "009zzz" });
    struct Case {
        const char* code;
        bool hintsOn;
        const char* caption;
        bool frame;
        int selLength; // of the preset "pre"
    };
    const Case cases[] = {
        { "0020", true, "输入 abc或  ABC", false, 0 },
        { "0022", true, "输入 abc或  ABC 并按回车键或点红色方框处", true, 0 },
        { "0022", false, "输入 abc或  ABC 并按回车键或点红色方框处", false, 0 },
        { "0023", true, "请选中 abc或  ABC", false, 0 },
        { "0024", true, "输入 abc或  ABC 并按回车键", false, 0 },
        { "0026", true, "输入 abc或  ABC 并点击红色方框处", true, 0 },
        { "0028", true, "abc或  ABC", false, 3 },
        { "0001", true, "abc\r\nABC", true, 3 }, // no text step: the hint's two lines
    };
    QList<Rec> recs;
    for (const Case& c : cases) {
        Rec r(QString::fromLatin1(c.code));
        testsupport::textBox(r, 1500, 900, 3000, 300);
        testsupport::hint(r, 6000, 4000, 5);
        recs
            << r.target(3000, 3000, 900, 450).set(fd::PresetLine, "007").set(fd::AnswerLine, "009");
    }
    app.writeSteps(recs);
    auto& ui = app.ui();
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << c.code << (c.hintsOn ? "" : " hints off"));
        app.st.PanelMode = c.hintsOn ? 1 : 2;
        app.load(i + 1);
        ASSERT_EQ(app.st.CurrentStep, i + 1); // no preset completed the step
        EXPECT_EQ(ui.LHelp.caption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(ui.Shape1.visible(), c.frame);
        EXPECT_EQ(ui.Text1.selLength(), c.selLength);
        EXPECT_EQ(app.main().SavedHint, QStringLiteral("abc|ABC"));
    }

    // The demonstration gives "0025" no prompt and "0028" the edit bar's.
    Rec noPrompt = recs[0], cellEntry = recs[0];
    app.writeSteps({ noPrompt.set(fd::ActionCode, "0025"), cellEntry.set(fd::ActionCode, "0028") });
    app.st.DemoActive = -1;
    app.loadDemo(1);
    auto& d = app.demo().ui();
    EXPECT_EQ(d.LHelp.caption(), QStringLiteral("abc或  ABC"));
    EXPECT_FALSE(d.Text4.visible());
    app.loadDemo(2);
    EXPECT_EQ(d.LHelp.caption(),
        QStringLiteral("在单元格或编辑栏中输入 abc或  ABC 并按回车键或点编辑区或点“√”"));
    EXPECT_TRUE(d.Text4.visible());
    EXPECT_EQ(app.demo().TypedAnswer, QStringLiteral("abc|ABC"));
}

TEST(HintStage, PlaceTextSavedHintAndFrames)
{
    StagesApp app;
    auto& st = app.st;
    st.ScaleX = 0.8;
    st.ScaleY = 1.25;
    app.writeAnswers({ "001", "002", "003", "004", "005", "006", "007", "008", "009", "010", "011",
        "012一|二|三" });
    Rec first, placed;
    testsupport::hint(first, 600, 400, 12);
    testsupport::hint(placed, 900, 800, 0);
    app.writeSteps({ first, Rec(), placed, Rec() });
    auto& ui = app.ui();
    st.PanelMode = 1; // after the windows load: every question display turns hints off
    auto& saved = app.main().SavedHint;

    app.load(1);
    EXPECT_EQ(ui.LHelp.caption(), QStringLiteral("一\r\n二\r\n三"));
    EXPECT_EQ(saved, QStringLiteral("一|二|三"));
    EXPECT_EQ(QPointF(ui.LHelp.left(), ui.LHelp.top()), QPointF(480, 500));
    EXPECT_TRUE(ui.LHelp.visible());
    EXPECT_TRUE(ui.Shape2.visible());

    app.load(2); // no hint of its own: the previous one stays where it was
    EXPECT_EQ(ui.LHelp.caption(), QStringLiteral("一\r\n二\r\n三"));
    EXPECT_EQ(ui.LHelp.left(), 480);

    app.load(3); // a place and "000": an empty hint there, the saved text stays
    EXPECT_EQ(ui.LHelp.caption(), QString());
    EXPECT_EQ(ui.LHelp.left(), 720);
    EXPECT_EQ(saved, QStringLiteral("一|二|三"));

    st.PanelMode = 2;
    app.load(4);
    for (const plat::Control* c : std::initializer_list<const plat::Control*> {
             &ui.LHelp, &ui.Shape1, &ui.Shape2, &ui.Shape4 })
        EXPECT_FALSE(c->visible()) << c->name().toStdString();
}

// A list step's record: items of answer line 4, the field's rectangle, preset and right index.
Rec listStep(const char* preset, const char* right)
{
    Rec r(QStringLiteral("L004"));
    testsupport::textBox(r, 1500, 900, 3000, 1200);
    return r.set(fd::PresetLine, preset).set(fd::AnswerLine, right);
}

TEST(ListStage, ItemsPresetBorderAndAPresetThatCompletes)
{
    StagesApp app;
    app.writeAnswers({ "001", "002", "003", "004a||b|" });
    app.writeSteps({ listStep("002", "009"), listStep("007", "009"), Rec(), listStep("003", "003"),
        Rec(QStringLiteral("0001")).num({ 1, 3 }, 5) });
    auto& ui = app.ui();
    auto& list = ui.LstLA;
    auto& chosen = ui.LblXXK[0];

    app.load(1);
    ASSERT_EQ(list.listCount(), 4); // "a", "", "b", ""
    EXPECT_EQ(list.list(0), QStringLiteral("a"));
    EXPECT_EQ(list.list(1), QString());
    EXPECT_EQ(list.list(3), QString());
    EXPECT_EQ(list.listIndex(), 2);
    EXPECT_EQ(chosen.caption(), QStringLiteral("b"));
    EXPECT_EQ(chosen.width(), 3000);
    EXPECT_TRUE(list.visible());
    EXPECT_FALSE(ui.Text1.visible());
    EXPECT_EQ(QRectF(list.left(), list.top(), list.width(), list.height()),
        QRectF(1500, 900, 3000, 1200));
    const QRectF strips[] = { { 1500, 900, 15, 1200 }, { 4485, 900, 15, 1200 },
        { 1500, 900, 3000, 15 }, { 1500, 2085, 3000, 15 } };
    int i = 0;
    for (const plat::PictureBox* s : { &ui.PicLeft, &ui.PicRight, &ui.PicTop, &ui.PicBottom }) {
        EXPECT_TRUE(s->visible());
        EXPECT_EQ(QRectF(s->left(), s->top(), s->width(), s->height()), strips[i++]);
    }

    app.load(2); // a preset beyond the items selects nothing and names nothing
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(chosen.caption(), QString());
    EXPECT_EQ(app.st.CurrentStep, 2);

    app.load(3);
    EXPECT_FALSE(list.visible());
    EXPECT_FALSE(ui.PicBottom.visible());
    EXPECT_EQ(chosen.caption(), QString());

    app.load(4); // the preset is the right item: the next step is on screen when the load ends
    EXPECT_EQ(app.st.CurrentStep, 5);
    EXPECT_EQ(app.st.StepLine.left(3), QStringLiteral("005"));
    EXPECT_FALSE(list.visible());
    EXPECT_EQ(chosen.caption(), QString());
}

// A location step "K" x nn at the field's place.
Rec locationStep(const char* code, int step)
{
    Rec r(QString::fromLatin1(code));
    testsupport::textBox(r, 1500, 1200, 3000, 300);
    return r.num({ 1, 3 }, step);
}

TEST(LocationStage, PresetRowStaysOrCompletesOnceAfterTheLoad)
{
    StagesApp app;
    auto& st = app.st;
    st.ScaleX = 0.8;
    st.ScaleY = 1.25;
    app.writeSteps({ locationStep("K305", 1), locationStep("K505", 2), locationStep("K213", 3),
        Rec(QStringLiteral("9999")).num({ 1, 3 }, 4) });
    auto& ui = app.ui();
    app.load(1);
    EXPECT_EQ(st.CurrentStep, 1);
    EXPECT_TRUE(ui.PicList.visible());
    EXPECT_EQ(QPointF(ui.PicList.left(), ui.PicList.top()), QPointF(1200, 1500));
    EXPECT_EQ(ui.PicList.height(), 330 * 1.25); // closed, like frmCsh closes it
    EXPECT_EQ(ui.ImgSelAD.left(), -120 * 0.8); // row 3
    EXPECT_EQ(ui.ImgSelAD.picture().width(), workspace::locationRow(3).highlightWidth);

    app.load(2); // preset row 5 is the target: step 3 loads once this load has finished
    EXPECT_EQ(st.CurrentStep, 3);
    EXPECT_EQ(st.ResumeStep(1), 3);
    EXPECT_TRUE(ui.PicList.visible()); // the next location step keeps its picker
    EXPECT_EQ(ui.ImgSelAD.left(), -120 * 0.8); // row 2

    app.load(4);
    EXPECT_FALSE(ui.PicList.visible());
}

// A tab step: "X", dialog letter, shown tab, tab to click, host image.
Rec tabStep(const QString& tab, int hostLeft = 600, int hostTop = 450)
{
    Rec r;
    testsupport::picture(r, 1, hostLeft, hostTop, QStringLiteral("dialog"));
    return r.set(fd::TabCode, tab).target(3000, 3000, 900, 450);
}

TEST(TabStripStage, TheFourteenDialogsLayOutTheirTabsAndBackButton)
{
    struct Dialog {
        char letter;
        int count, rowTop, height;
        std::vector<int> lefts;
        int endEdge; // 0: two rows, whose last tabs are 1050 wide
        QRectF back;
    };
    const Dialog dialogs[] = {
        { 'A', 4, 540, 300, { 150, 930, 1770, 2550 }, 3480, { 4530, 6090, 1080, 270 } },
        { 'B', 3, 555, 300, { 150, 1050, 2280 }, 3570, { 4935, 6000, 1170, 270 } },
        { 'C', 3, 555, 285, { 150, 1200, 2070 }, 3000, { 4710, 4845, 1095, 285 } },
        { 'D', 12, 510, 285,
            { 150, 1335, 2190, 3225, 4080, 5115, 150, 1125, 2130, 3135, 4140, 5145 }, 0,
            { 5070, 5925, 1080, 270 } },
        { 'E', 3, 555, 285, { 150, 1560, 3030 }, 4200, { 4800, 6135, 1080, 270 } },
        { 'F', 6, 555, 285, { 150, 1290, 2100, 2910, 3720, 4530 }, 5280,
            { 5025, 4965, 1080, 270 } },
        { 'G', 2, 585, 285, { 150, 1080 }, 2310, { 4980, 5355, 1080, 270 } },
        { 'H', 4, 555, 285, { 150, 1380, 2280, 3570 }, 4770, { 5250, 4650, 1080, 270 } },
        { 'I', 3, 555, 285, { 150, 990, 2280 }, 3120, { 6690, 5235, 1080, 270 } },
        { 'J', 4, 540, 300, { 150, 1005, 1800, 2670 }, 3660, { 4170, 5415, 1080, 270 } },
        { 'K', 4, 570, 300, { 150, 915, 1770, 2550 }, 3315, { 4560, 1260, 1080, 270 } },
        { 'L', 5, 540, 300, { 120, 870, 1590, 2295, 3060 }, 3720, { 4455, 6285, 1095, 285 } },
        { 'M', 4, 540, 300, { 120, 1020, 1920, 3165 }, 4470, { 6465, 5010, 1080, 270 } },
        { 'N', 2, 540, 300, { 150, 990 }, 1950, { 6420, 60, 330, 330 } },
    };
    StagesApp app;
    app.writePicture(QStringLiteral("dialog"), { 300, 200 });
    QList<Rec> recs;
    for (const Dialog& d : dialogs)
        recs << tabStep(QStringLiteral("X") + QChar(d.letter) + QStringLiteral("111"));
    app.writeSteps(recs);
    auto& f = app.main().fields;
    auto& tabs = app.ui().LblXXK;
    const double hostLeft = 600, hostTop = 450;
    for (int i = 0; i < int(std::size(dialogs)); ++i) {
        const Dialog& d = dialogs[i];
        SCOPED_TRACE(testing::Message() << "dialog " << d.letter);
        app.load(i + 1);
        EXPECT_EQ(f.TabSpec.left(1), QString(QChar(d.letter)));
        EXPECT_EQ(f.TabCount, d.count);
        for (int k = 1; k <= d.count; ++k) {
            const bool rowEnd = k == d.count || (d.endEdge == 0 && k == 6);
            const double width = rowEnd ? (d.endEdge ? d.endEdge - d.lefts[k - 1] : 1050)
                                        : d.lefts[k] - d.lefts[k - 1];
            // The shown tab 1 lies in the upper row of a two-row strip: 300 lower.
            const double top = d.rowTop + (d.count > 9 && k <= 6 ? 300 : 0);
            EXPECT_EQ(QRectF(tabs[k].left(), tabs[k].top(), tabs[k].width(), tabs[k].height()),
                QRectF(hostLeft + d.lefts[k - 1], hostTop + top, width, d.height))
                << "tab " << k;
        }
        EXPECT_EQ(tabs[d.count + 1].width(), 1); // the rest stay parked
        EXPECT_EQ(QRectF(tabs[0].left(), tabs[0].top(), tabs[0].width(), tabs[0].height()),
            d.back.translated(hostLeft, hostTop));
    }
}

TEST(TabStripStage, ShownTabExpectedTabAndBackButton)
{
    StagesApp app;
    auto& st = app.st;
    st.LogPath = app.dir.path() + QStringLiteral("/run.log");
    app.writeAnswers({ "001", "002", "003", "004选择|确定" });
    app.writePicture(QStringLiteral("dialog"), { 300, 200 });
    app.writePicture(QStringLiteral("104008"), { 310, 200 });
    Rec hinted = tabStep("XA111");
    testsupport::hint(hinted, 6000, 4000, 4);
    app.writeSteps({
        hinted, // dialog A, the expected tab shown: the step proper
        tabStep("XDB11"), // dialog D, tab 11 shown ("B"), tab 1 to click
        tabStep("XD821"), // the worked example: tab 8 shown, tab 2 to click
        tabStep("XA211"), // tab 2's page is missing
        tabStep("XZ111")
            .set(fd::BackCode, "Q0002")
            .num(fd::DragTargetX, 4000)
            .num(fd::DragTargetY, 300),
        Rec(), // a plain step parks the tabs again
        tabStep(QStringLiteral("XA12３"), 900, 700), // a full-width host digit names no image
    });
    auto& ui = app.ui();
    st.PanelMode = 1; // after the windows load: every question display turns hints off
    auto& f = app.main().fields;
    auto rect
        = [](const plat::Control& c) { return QRectF(c.left(), c.top(), c.width(), c.height()); };

    app.load(1);
    EXPECT_EQ(ui.LHelp.caption(), QStringLiteral("选择\r\n确定")); // the saved hint
    EXPECT_EQ(rect(ui.Label1), QRectF(3000, 3000, 900, 450));
    EXPECT_EQ(rect(ui.Shape1), rect(ui.Label1));
    EXPECT_TRUE(ui.Shape1.visible());
    EXPECT_EQ(ui.Image1.picture().width(), 300); // no page: the step's own picture
    EXPECT_EQ(f.BackCode, QStringLiteral("NONO"));

    app.load(2);
    EXPECT_EQ(f.TabRowOrder, 2);
    EXPECT_EQ(ui.LblXXK[1].top(), 450 + 510); // tab 1 in the upper row
    EXPECT_EQ(rect(ui.Shape1), rect(ui.LblXXK[1]));

    app.load(3);
    EXPECT_EQ(ui.Image1.picture().width(), 310); // page 104008
    EXPECT_EQ(f.TabRowOrder, 2);
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(ui.LblXXK[k].top(), 450 + (k <= 6 ? 510 : 810)) << "tab " << k;
    EXPECT_EQ(rect(ui.Shape1), QRectF(600 + 1335, 450 + 510, 855, 285)); // frames tab 2
    EXPECT_EQ(ui.LHelp.caption(), QStringLiteral("请选择第2个选项卡"));
    EXPECT_EQ(rect(ui.Label1).size(), QSizeF(1, 1));
    EXPECT_FALSE(ui.Shape1.visible()); // the frame check: no place to click yet
    EXPECT_EQ(ui.LblXXK[6].width(), 1050);
    EXPECT_EQ(ui.LblXXK[12].width(), 1050);

    app.load(4); // the missing page keeps the picture and is written to the run log
    EXPECT_EQ(ui.Image1.picture().width(), 300);
    EXPECT_TRUE(QString::fromLocal8Bit(testsupport::readFile(st.LogPath)).contains("101002"));

    app.load(5); // an unknown letter keeps dialog A; a "Q" step puts its own back button
    EXPECT_EQ(f.TabSpec.left(1), QStringLiteral("A"));
    EXPECT_EQ(f.BackCode, QStringLiteral("Q0002"));
    EXPECT_EQ(rect(ui.LblXXK[0]), QRectF(4000, 300, 1095, 285));

    app.load(6);
    EXPECT_EQ(ui.LblXXK[1].width(), 1);
    EXPECT_EQ(rect(ui.LblXXK[0]), QRectF(4000, 300, 1095, 285)); // the back button stays
    EXPECT_EQ(f.BackCode, QStringLiteral("NONO"));

    app.load(7);
    EXPECT_EQ(f.TabHostImage, 0);
    EXPECT_EQ(f.TabHostLeft, 600); // the last tab step's host
    EXPECT_EQ(f.TabHostTop, 450);
}

TEST(DemonstrationStages, WhereTheDemonstrationsCopyDiffers)
{
    StagesApp app;
    auto& st = app.st;
    st.DemoActive = -1;
    app.writeAnswers({ "001", "002", "003", "004", "005", "006", "007abc|def" });
    app.writePicture(QStringLiteral("dialog"), { 300, 200 });
    app.writeExamPicture(QStringLiteral("X04502"), { 25, 25 });
    Rec text(QStringLiteral("0001")), location(QStringLiteral("K505"));
    testsupport::textBox(text, 1500, 900, 3000, 300);
    testsupport::textBox(location, 1500, 1200, 3000, 300);
    app.writeSteps({
        tabStep("XD111").area2(600, 600, 900, 450),
        Rec().set(fd::PanelCode, "A3").set(fd::DragTargetY, "A4502"), // no toolbox shown
        location.num({ 1, 3 }, 3),
        text.set(fd::PresetLine, "007").num({ 1, 3 }, 4),
        Rec(QStringLiteral("9999")),
    });
    auto& d = app.demo().ui(); // loads the panel too, which starts every question at step 1
    st.ResumeStep(1) = 2;

    app.loadDemo(1);
    EXPECT_FALSE(d.Shape4.visible()); // a tab step hides the second area's frame
    EXPECT_EQ(d.LblXXK[13].width(), 1485); // the fixed widths go to other tabs than in practice
    EXPECT_EQ(d.LblXXK[7].width(), 1050);
    EXPECT_EQ(d.LblXXK[6].width(), 990);
    EXPECT_EQ(d.LblXXK[12].width(), 990);

    app.loadDemo(2); // the overlay lies on the window itself: it shows without the toolbox
    EXPECT_FALSE(d.PicHui.visible());
    EXPECT_TRUE(d.ImgHui2.visible());
    EXPECT_EQ(QPointF(d.ImgHui2.left(), d.ImgHui2.top()), QPointF(150, 1425 + 1770));

    app.loadDemo(3); // the preset row is the target: the next step loads after this load
    EXPECT_EQ(app.demo().DemoStep, 4);
    EXPECT_EQ(st.StepLine.left(3), QStringLiteral("004"));
    EXPECT_EQ(d.Text1.text(), QStringLiteral("abc"));
    EXPECT_EQ(d.Text1.selStart(), 3); // the caret after the preset, nothing selected
    EXPECT_EQ(d.Text1.selLength(), 0);
    EXPECT_EQ(app.demo().TypedAnswer, QStringLiteral("007abc|def")); // the whole line
    EXPECT_EQ(st.ResumeStep(1), 2); // the demonstration never moves the practice window's step
}

} // namespace
