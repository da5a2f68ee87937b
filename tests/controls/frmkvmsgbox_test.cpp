#include "app/moddata.h"
#include "controls/frmkvmsgbox.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MessageBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModData::resetAll();
        ModData::dScaleX = ModData::dScaleY = 1;
    }
    void TearDown() override
    {
        FrmKVMSGBOX::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModData::resetAll();
    }

    // Shows the box modally the way every caller does and acts on it from inside the modal loop.
    // Returns whether the box closed itself; one that did not is closed here so nothing hangs.
    bool ask(const std::function<void(FrmKVMSGBOX&)>& act)
    {
        ModData::iMsgAnswer = 0;
        FrmKVMSGBOX& box = FrmKVMSGBOX::get();
        box.LblTitle.setCaption(QStringLiteral("系统提示"));
        box.LblPrompt.setCaption(QStringLiteral("\r\n你要退出吗？"));
        bool closedByBox = false;
        QTimer::singleShot(0, &box, [&] {
            act(box);
            closedByBox = !FrmKVMSGBOX::isLoaded();
            FrmKVMSGBOX::unloadIfLoaded();
        });
        box.Show(true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return closedByBox;
    }
};

void click(tavoButton& b)
{
    QTest::mousePress(&b.ImgBack, Qt::LeftButton, {}, {3, 3});
    QTest::mouseRelease(&b.ImgBack, Qt::LeftButton, {}, {3, 3});
}

} // namespace

TEST_F(MessageBox, OnlyConfirmAnswersOne)
{
    const struct {
        const char* how;
        std::function<void(FrmKVMSGBOX&)> act;
        bool closes;
        int answer;
    } cases[] = {
        {"confirm", [](FrmKVMSGBOX& b) { click(b.LblClick[1]); }, true, 1},
        {"cancel", [](FrmKVMSGBOX& b) { click(b.LblClick[0]); }, true, 0},
        {"close button", [](FrmKVMSGBOX& b) { click(b.LblClick[3]); }, true, 0},
        {"window close", [](FrmKVMSGBOX& b) { b.close(); }, true, 0},
        {"confirm released elsewhere",
         [](FrmKVMSGBOX& b) {
             QTest::mousePress(&b.LblClick[1].ImgBack, Qt::LeftButton, {}, {3, 3});
             QTest::mouseRelease(&b.LblClick[1].ImgBack, Qt::LeftButton, {}, {-300, 200});
         },
         true, 1},
        {"Enter", [](FrmKVMSGBOX& b) { QTest::keyClick(&b, Qt::Key_Return); }, false, 0},
        {"Escape", [](FrmKVMSGBOX& b) { QTest::keyClick(&b, Qt::Key_Escape); }, false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ask(c.act), c.closes) << c.how;
        EXPECT_EQ(ModData::iMsgAnswer, c.answer) << c.how;
    }
}

TEST_F(MessageBox, LaidOutAtItsDesignSize)
{
    FrmKVMSGBOX& box = FrmKVMSGBOX::get();
    EXPECT_EQ(box.Width(), 5550);
    EXPECT_EQ(box.Height(), 3750);
    EXPECT_EQ(box.width(), 370);
    EXPECT_EQ(box.height(), 250);
    const struct {
        int index;
        double left, top, width, height;
        bool visible;
    } buttons[] = {{1, 2460, 2880, 1350, 450, true}, {0, 3960, 2880, 1350, 450, true},
                   {3, 5130, 90, 330, 330, true},    {2, 4560, 120, 330, 330, false}};
    for (const auto& b : buttons) {
        const tavoButton& btn = box.LblClick[b.index];
        EXPECT_EQ(btn.Left(), b.left) << b.index;
        EXPECT_EQ(btn.Top(), b.top) << b.index;
        EXPECT_EQ(btn.Width(), b.width) << b.index;
        EXPECT_EQ(btn.Height(), b.height) << b.index;
        EXPECT_EQ(btn.Visible(), b.visible) << b.index;
    }
    EXPECT_EQ(box.LblPrompt.Left(), 1200);
    EXPECT_EQ(box.LblPrompt.Width(), 4080);
    EXPECT_EQ(box.lblMove.Width(), 4500);
}

TEST_F(MessageBox, SecondUseStartsFromTheDesign)
{
    ask([](FrmKVMSGBOX& b) {
        QPixmap icon(32, 32);
        icon.fill(Qt::red);
        b.Image1.setPicture(icon);
        click(b.LblClick[0]);
    });
    FrmKVMSGBOX& again = FrmKVMSGBOX::get();
    EXPECT_TRUE(again.Image1.Picture().isNull());
    EXPECT_EQ(again.LblTitle.Caption(), QStringLiteral("禾川明泽提示信息"));
    EXPECT_EQ(again.LblPrompt.Caption(), QStringLiteral("你要清除全部题目吗？"));
}
