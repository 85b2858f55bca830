// The about box: its layout, what it reads at load, its clicks and its buttons.

#include "shell/aboutbox.h"
#include "support/skins.h"
#include "support/systemapp.h"
#include "support/testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

using shell::FrmAbout;

namespace {

using testsupport::buttonStrip;
using testsupport::skinPicture;

class AboutTest : public ::testing::Test {
protected:
    AboutTest()
    {
        auto& st = app.sys->state;
        st.ProductInfo[0] = QStringLiteral("全国专业技术人员计算机应用能力考试");
        st.ProductInfo[9] = QStringLiteral("练习系统");
        st.ProductInfo[7] = QStringLiteral("示例软件工作室");
        st.ModuleName = QStringLiteral("图像处理");
        st.ModuleShortName = QStringLiteral("图像处理练习");
        st.BankVersionText = [this] { return bankText; };
        QImage back = skinPicture(420, 280, QColor(240, 244, 250));
        QPainter(&back).fillRect(0, 0, 420, 36, QColor(30, 90, 170));
        app.writeSkin(QStringLiteral("l20070"), back);
        app.writeSkin(QStringLiteral("l20067"), skinPicture(24, 24, QColor(240, 180, 30), "K"));
        app.writeSkin(QStringLiteral("l20001"), buttonStrip(90, 30, QStringLiteral("确定")));
        app.writeSkin(QStringLiteral("l20003"),
            buttonStrip(22, 22, QStringLiteral("×"), QColor(200, 60, 50)));
    }

    FrmAbout& about() { return app.sys->form<FrmAbout>(); }

    testsupport::SystemApp app;
    QString bankText = QStringLiteral("题库版本：V201501011200");
};

TEST_F(AboutTest, MeasuresItsDesignInPixelsAt96Dpi)
{
    about().show();
    const QRect win = about().hWnd()->geometry();
    EXPECT_EQ(win.size(), QSize(420, 280));
    const QRect close = about().ui().LblClick[0].control().widget()->geometry();
    EXPECT_EQ(close.size(), QSize(22, 22));
    EXPECT_EQ(win.width() - close.left(), 28);
    EXPECT_TRUE(about().hWnd()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Centred on the 1280 × 1024 screen.
    EXPECT_EQ(win.topLeft(), QPoint((1280 - 420) / 2, (1024 - 280) / 2));
}

TEST_F(AboutTest, ShowsTheHomeWindowsBankVersionTextAsItWasAtLoad)
{
    auto& label = about().ui().Label1[0];
    EXPECT_EQ(label.caption(), bankText);
    bankText = QStringLiteral("题库版本：V201601011200");
    about().show();
    EXPECT_EQ(label.caption(), QStringLiteral("题库版本：V201501011200"));
    about().unload();
    EXPECT_EQ(about().ui().Label1[0].caption(), bankText);
}

TEST_F(AboutTest, WithoutAHomeWindowTheBankVersionIsEmpty)
{
    app.sys->state.BankVersionText = nullptr;
    EXPECT_EQ(about().ui().Label1[0].caption(), QString());
}

TEST_F(AboutTest, OnlyTheWorkFolderLabelAnswersAClick)
{
    about().show();
    for (int i : { 0, 1, 4, 6 })
        app.driver->click(about().ui().Label1[i]);
    EXPECT_TRUE(app.shell().opened.isEmpty());
    app.driver->click(about().ui().Label1[3]);
    EXPECT_EQ(app.shell().opened, QStringList { app.sys->programDir() });
}

TEST_F(AboutTest, BothButtonsUnloadTheBox)
{
    for (int i : { 0, 1 }) {
        app.driver->answerModal(
            [&](plat::Form&) { app.driver->click(about().ui().LblClick[i].control()); });
        about().show(true);
        EXPECT_FALSE(about().isLoaded()) << i;
    }
    EXPECT_EQ(app.driver->unansweredModals(), 0);
}

TEST_F(AboutTest, ALongModuleNameGrowsItsLabelPastTheEdge)
{
    app.sys->state.ModuleShortName = QString(60, QChar(0x56fe));
    auto& label = about().ui().Label1[4];
    EXPECT_GT(label.left() + label.width(), about().width());
}

TEST_F(AboutTest, Rendering)
{
    app.sys->state.ModuleShortName = QStringLiteral("图像处理练习模块");
    about().show();
    EXPECT_TRUE(testsupport::HeadlessDriver::saveRendering(
        about(), testsupport::outputDir() + QStringLiteral("/aboutbox.png")));
    // The module's name is there to read.
    const QImage shot = testsupport::HeadlessDriver::render(about());
    EXPECT_GT(
        testsupport::inkIn(shot, testsupport::HeadlessDriver::pixelRect(about().ui().Label1[4])),
        40);
}

} // namespace

// A skin picture that would not load used to be dropped without a word: the learner saw a blank
// face and the run log said nothing. Now each file is logged, once however often windows load.
TEST_F(AboutTest, AMissingSkinPictureIsLoggedOncePerFile)
{
    const QString log = app.dir.path() + QStringLiteral("/run.txt");
    auto mentions = [&](const char* name) {
        return QString::fromLatin1(testsupport::readFile(log)).count(QLatin1String(name));
    };
    // Before the run log exists nothing is written, and nothing is taken as told.
    about().show();
    about().unload();
    EXPECT_FALSE(QFileInfo::exists(log));

    app.sys->state.LogPath = log;
    ASSERT_TRUE(QFile::remove(app.sys->skinFile(QStringLiteral("l20001"))));
    for (int load = 0; load < 3; ++load) {
        about().show();
        about().unload();
    }
    EXPECT_EQ(mentions("l62011"), 1); // the window icon, never written
    EXPECT_EQ(mentions("l20001"), 1); // the confirm button's face, removed
    EXPECT_EQ(mentions("l20070"), 0); // present
    EXPECT_EQ(mentions("l20067"), 0);
}
