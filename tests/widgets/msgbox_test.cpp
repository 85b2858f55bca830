// The skinned message box: its answers, its fresh start on every use and its layout.

#include "support/skins.h"
#include "support/systemapp.h"
#include "support/testsupport.h"
#include "widgets/msgbox.h"

#include "platform/keys.h"

#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

using widgets::FrmMTMSGBOX;

namespace {

using testsupport::buttonStrip;
using testsupport::skinPicture;

class MsgBoxTest : public ::testing::Test {
protected:
    MsgBoxTest()
    {
        auto& st = app.sys->state;
        st.ProductInfo[0] = QStringLiteral("全国专业技术人员计算机应用能力考试");
        st.ProductInfo[9] = QStringLiteral("练习系统");
        st.ModuleName = QStringLiteral("图像处理");
        QImage back = skinPicture(370, 250, QColor(235, 240, 248));
        QPainter(&back).fillRect(0, 0, 370, 36, QColor(30, 90, 170));
        app.writeSkin(QStringLiteral("l20069"), back);
        app.writeSkin(QStringLiteral("l20067"), skinPicture(24, 24, QColor(240, 180, 30), "K"));
        app.writeSkin(QStringLiteral("l20071"), skinPicture(48, 48, QColor(50, 120, 220), "?"));
        app.writeSkin(QStringLiteral("l20072"), skinPicture(48, 48, QColor(230, 150, 30), "!"));
        app.writeSkin(QStringLiteral("l20000"), buttonStrip(90, 30, QStringLiteral("取消")));
        app.writeSkin(QStringLiteral("l20001"), buttonStrip(90, 30, QStringLiteral("确定")));
        app.writeSkin(QStringLiteral("l20002"), buttonStrip(22, 22, QStringLiteral("-")));
        app.writeSkin(QStringLiteral("l20003"),
            buttonStrip(22, 22, QStringLiteral("×"), QColor(200, 60, 50)));
    }

    FrmMTMSGBOX& box() { return app.sys->form<FrmMTMSGBOX>(); }

    // Answers the next box with a click on button `index`, noting what the box showed.
    void answerWith(int index)
    {
        app.driver->answerModal([this, index](plat::Form&) {
            auto& ui = box().ui();
            shownTitle = ui.LblTitle.caption();
            shownPrompt = ui.LblPrompt.caption();
            iconShown = !ui.Image1.picture().isNull();
            topMost = box().hWnd()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            app.driver->click(ui.LblClick[index].control());
        });
    }

    testsupport::SystemApp app;
    QString shownTitle, shownPrompt;
    bool iconShown = false, topMost = false;
};

TEST_F(MsgBoxTest, OnlyTheConfirmButtonConfirms)
{
    struct Case {
        int button;
        bool confirmed;
    };
    for (const Case c : { Case { 1, true }, Case { 0, false }, Case { 3, false } }) {
        app.sys->state.MsgResult = 7;
        answerWith(c.button);
        EXPECT_EQ(widgets::ask(*app.sys, "退出", "确定要退出吗？", widgets::kMsgIconQuestion),
            c.confirmed)
            << c.button;
        EXPECT_EQ(app.sys->state.MsgResult, c.confirmed ? 1 : 0) << c.button;
        EXPECT_FALSE(box().isLoaded()) << c.button;
    }
    EXPECT_EQ(app.driver->unansweredModals(), 0);
}

TEST_F(MsgBoxTest, EachUseStartsFresh)
{
    answerWith(1);
    ASSERT_TRUE(widgets::ask(*app.sys, "删除", "删除这套试卷？", widgets::kMsgIconQuestion));
    EXPECT_TRUE(iconShown);
    EXPECT_TRUE(topMost);

    answerWith(3);
    EXPECT_FALSE(widgets::ask(*app.sys, "提示", "没有错题。", 0));
    EXPECT_EQ(shownTitle, "提示");
    EXPECT_EQ(shownPrompt, "没有错题。");
    EXPECT_FALSE(iconShown); // the first use's icon is gone with the first use
    EXPECT_TRUE(topMost);
}

TEST_F(MsgBoxTest, KeysDoNotCloseTheBox)
{
    bool stillShown = false;
    app.driver->answerModal([&](plat::Form& f) {
        for (int key : { plat::vk::Return, plat::vk::Escape, plat::vk::Space })
            app.driver->key(f, key);
        stillShown = f.visible();
        app.driver->click(box().ui().LblClick[1].control());
    });
    EXPECT_TRUE(widgets::ask(*app.sys, "退出", "确定要退出吗？", widgets::kMsgIconQuestion));
    EXPECT_TRUE(stillShown);
}

TEST_F(MsgBoxTest, LayoutFollowsTheScale)
{
    for (double scale : { 1.0, 1.25 }) {
        app.sys->state.ScaleX = scale;
        app.sys->state.ScaleY = scale;
        box().unload();
        auto& ui = box().ui();
        EXPECT_DOUBLE_EQ(box().width(), 5550 * scale);
        EXPECT_DOUBLE_EQ(box().width() - ui.LblClick[3].left(), 420 * scale);
        EXPECT_DOUBLE_EQ(ui.LblClick[1].width(), 1350 * scale);
        EXPECT_FALSE(ui.LblClick[2].visible());
    }
}

TEST_F(MsgBoxTest, Rendering)
{
    QString path = testsupport::outputDir() + QStringLiteral("/msgbox.png");
    bool saved = false;
    app.driver->answerModal([&](plat::Form& f) {
        saved = testsupport::HeadlessDriver::saveRendering(f, path);
        app.driver->click(box().ui().LblClick[0].control());
    });
    // A prompt longer than its area is cut at the bottom edge.
    QString prompt = QStringLiteral("\r\n\r\n\r\n确定要清空收藏夹吗？");
    for (int i = 0; i < 12; ++i)
        prompt += QStringLiteral("\r\n第%1行：清空后不能恢复。").arg(i + 1);
    EXPECT_FALSE(widgets::ask(*app.sys, "清空收藏夹", prompt, widgets::kMsgIconQuestion));
    EXPECT_TRUE(saved);
}

} // namespace
