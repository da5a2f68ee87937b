#include "common/closedport.h"
#include "common/testscope.h"
#include "app/frmabout.h"
#include "app/moddata.h"
#include "app/modzcb.h"
#include "home/frmfengmian.h"
#include "platform/programfolder.h"
#include "platform/updaterstart.h"
#include "reportspy.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir(QStringLiteral("xpdata"));
        QDir(dir.path()).mkdir(QStringLiteral("ksdata"));
        platform::setProgramFolder(dir.path());
        // Whatever the home window reports while it loads stays on this machine.
        ModZCB::setWebServiceAddress(closedport::address());
        ModData::resetAll();
        ModData::sDataPath = dir.path() + QStringLiteral("/xpdata/");
        ModData::sKeMu = QStringLiteral("Windows XP");
        ModData::sProName = QStringLiteral("XP操作");
        ModData::sSettings(0) = QStringLiteral("品牌");
        ModData::sSettings(9) = QStringLiteral("模拟考试练习系统");
        ModData::sSettings(7) = QStringLiteral("某某软件公司");
        ModData::dScaleX = ModData::dScaleY = 1;
        platform::setOpenFolderForTests([this](const QString& folder) {
            opened << folder;
            return true;
        });
    }
    void TearDown() override
    {
        FrmAbout::unloadIfLoaded();
        FrmFengmian::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setOpenFolderForTests({});
        platform::setProgramFolder({});
        ModZCB::setWebServiceAddress({});
        vb::setReporter({});
        ModData::resetAll();
    }
    QTemporaryDir dir;
    QStringList opened;
};

} // namespace

TEST_F(AboutWindow, LoadLaysOutTheTextsOfTheSettingsAndTheFolder)
{
    for (const double scale : {1.0, 1.2}) {
        ModData::dScaleX = ModData::dScaleY = scale;
        ReportSpy spy;
        FrmAbout& w = FrmAbout::get();

        EXPECT_EQ(w.Caption(), QStringLiteral("品牌模拟考试练习系统——Windows XP模块"));
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(w.Width(), 6300 * scale);
        EXPECT_EQ(w.Height(), 4200 * scale);

        const struct {
            int index;
            double left, top, size;
            vb::Long colour;
            bool bold;
            QString text;
        } labels[] = {
            {1, 480, 720, 10, 15302412, false, QStringLiteral("品牌模拟考试练习系统")},
            {2, 600, 180, 10, 0xFFFFFF, false, QStringLiteral("品牌模拟考试练习系统")},
            {4, 480, 1080, 12, 0x0000FF, true, QStringLiteral("── XP操作")},
            {0, 480, 1500, 10, tk::kButtonText, false, QString()}, // the home window is not loaded
            {3, 480, 1800, 10, tk::kButtonText, false, QStringLiteral("系统工作目录: ") + dir.path()},
            {6, 480, 3600, 10, tk::kButtonText, false, QStringLiteral("某某软件公司")},
        };
        for (const auto& l : labels) {
            const tk::Label& label = w.Label1[l.index];
            EXPECT_EQ(label.Caption(), l.text) << l.index;
            EXPECT_EQ(label.Left(), l.left * scale) << l.index;
            EXPECT_EQ(label.Top(), l.top * scale) << l.index;
            EXPECT_DOUBLE_EQ(label.FontSize(), l.size * scale) << l.index;
            EXPECT_EQ(label.ForeColor(), l.colour) << l.index;
            EXPECT_EQ(label.FontBold(), l.bold) << l.index;
        }
        EXPECT_EQ(w.Label1[3].Width(), 5490 * scale);
        EXPECT_EQ(w.Label1[3].Height(), 540 * scale);
        EXPECT_EQ(w.Label1[3].MousePointer(), 99);
        EXPECT_EQ(w.Label1[3].MouseIcon().shape(), Qt::PointingHandCursor);

        // The close mark keeps 420 scaled twips from the right edge.
        EXPECT_EQ(w.LblClick[0].Left(), w.Width() - 420 * scale);
        EXPECT_EQ(w.LblClick[0].Top(), 90 * scale);
        EXPECT_EQ(w.LblClick[0].Width(), 330 * scale);
        EXPECT_EQ(w.LblClick[1].Left(), 4680 * scale);
        EXPECT_EQ(w.LblClick[1].Top(), 3480 * scale);
        EXPECT_EQ(w.LblClick[1].Width(), 1350 * scale);
        EXPECT_EQ(w.LblClick[1].Height(), 450 * scale);

        // The separator and its white shadow, 15 scaled twips right of and below it.
        EXPECT_EQ(w.Line1[4].BorderColor(), 8421504);
        EXPECT_EQ(w.Line1[4].X1(), 360 * scale);
        EXPECT_EQ(w.Line1[4].Y1(), 2385 * scale);
        EXPECT_EQ(w.Line1[4].X2(), 5760 * scale);
        EXPECT_EQ(w.Line1[3].BorderColor(), 0xFFFFFF);
        EXPECT_NEAR(w.Line1[3].X1(), 375 * scale, 1e-9);
        EXPECT_NEAR(w.Line1[3].Y2(), 2400 * scale, 1e-9);

        // Missing skin pictures leave their controls empty and are never reported.
        EXPECT_TRUE(spy.reports.isEmpty());
        w.LblClick_Click(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(FrmAbout::isLoaded());
    }
}

TEST_F(AboutWindow, EmptySettingsLeaveTheirPartsEmpty)
{
    ModData::sSettings(0).clear();
    ModData::sSettings(7).clear();
    ModData::sProName.clear();
    FrmAbout& w = FrmAbout::get();
    EXPECT_EQ(w.Caption(), QStringLiteral("模拟考试练习系统——Windows XP模块"));
    EXPECT_EQ(w.Label1[1].Caption(), QStringLiteral("模拟考试练习系统"));
    EXPECT_EQ(w.Label1[4].Caption(), QStringLiteral("── "));
    EXPECT_EQ(w.Label1[6].Caption(), QString());
}

// The footer line of the home window as it was when the about window opened.
TEST_F(AboutWindow, CopiesTheHomeFootersCaptionOnceAtLoad)
{
    FrmFengmian::get().LblInfo[0].setCaption(QStringLiteral("   题库版本：V202601010000"));
    FrmAbout& w = FrmAbout::get();
    EXPECT_EQ(w.Label1[0].Caption(), QStringLiteral("   题库版本：V202601010000"));
    FrmFengmian::get().LblInfo[0].setCaption(QStringLiteral("changed"));
    EXPECT_EQ(w.Label1[0].Caption(), QStringLiteral("   题库版本：V202601010000"));
}

TEST_F(AboutWindow, OnlyTheFolderLineOpensTheProgramFolder)
{
    FrmAbout& w = FrmAbout::get();
    for (int index : {0, 1, 2, 4, 6})
        w.Label1_Click(index);
    EXPECT_TRUE(opened.isEmpty());
    QTest::mouseClick(&w.Label1[3], Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened, QStringList{dir.path()});
    EXPECT_TRUE(FrmAbout::isLoaded());
}

// Shown modally as the home window shows it; a click on either image button ends the show.
TEST_F(AboutWindow, EitherImageButtonEndsTheModalShow)
{
    for (int index : {0, 1}) {
        FrmAbout& w = FrmAbout::get();
        // Should the click not arrive, the show still ends, and the test says so.
        bool gaveUp = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            gaveUp = true;
            FrmAbout::unloadIfLoaded();
        });
        guard.start(10000);
        QTimer::singleShot(0, testscope::context(), [&w, index] {
            QTest::mouseClick(&w.LblClick[index], Qt::LeftButton, {}, QPoint(3, 3));
        });
        w.Show(true);
        EXPECT_FALSE(gaveUp) << index;
        EXPECT_FALSE(FrmAbout::isLoaded()) << index;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
