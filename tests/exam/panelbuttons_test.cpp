// The question panel's function buttons, number pages and practice/examination button sets.

#include "common/testscope.h"
#include "panelfixture.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <string>

using panelfixture::Panel;
using namespace ModData;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

QColor pictureColour(const tavoButton& b) { return b.Picture().toImage().pixelColor(0, 0); }

} // namespace

TEST(PanelButtons, MoveRestartMarkUnmark)
{
    struct Case {
        const char* what;
        int count, no, flagsBefore, stepBefore;
        int button;
        int noAfter;
        int flagsAfter; // of the question shown afterwards
        bool markShown; // CmdGN(3) visible, CmdGN(11) the opposite
    };
    const Case cases[] = {
        {"previous", 5, 3, 0, 1, 0, 2, 1, true},
        {"previous on question 1 stays", 5, 1, 1, 1, 0, 1, 1, true},
        {"next", 5, 4, 0, 1, 1, 5, 1, true},
        {"next on the last question stays", 5, 5, 1, 1, 1, 5, 1, true},
        {"next with no questions keeps question 1", 0, 1, 0, 1, 1, 1, 1, true},
        {"restart keeps completed", 5, 2, 5, 4, 2, 2, 5, true},
        {"restart of a marked completed question", 5, 2, 7, 3, 2, 2, 7, false},
        {"mark 4 gives 6", 5, 2, 4, 1, 3, 2, 6, false},
        {"mark 1 gives 3", 5, 2, 1, 1, 3, 2, 3, false},
        {"mark on marked stays", 5, 2, 7, 1, 3, 2, 7, false},
        {"unmark 6 gives 4", 5, 2, 6, 1, 11, 2, 4, true},
        {"unmark 3 gives 1", 5, 2, 3, 1, 11, 2, 1, true},
        {"unmark on unmarked stays", 5, 2, 5, 1, 11, 2, 5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Panel world(c.count);
        FrmTm& panel = Panel::panel();
        for (int q = 1; q <= 5; ++q)
            iTmFlags(q) = 0;
        iTmNo = qint16(c.no);
        iTmFlags(c.no) = qint16(c.flagsBefore);
        iTmStep(c.no) = qint16(c.stepBefore);
        panel.DqExam();
        iTmFlags(c.no) = qint16(c.flagsBefore); // as it was before the question was shown

        panel.CmdGN_Click(c.button);

        EXPECT_EQ(iTmNo, c.noAfter);
        EXPECT_EQ(iTmFlags(c.noAfter), c.flagsAfter);
        EXPECT_EQ(panel.CmdGN[3].Visible(), c.markShown);
        EXPECT_EQ(panel.CmdGN[11].Visible(), !c.markShown);
        if (c.button == 2) {
            EXPECT_EQ(iTmStep(c.no), 1);
            EXPECT_EQ(iStepNo, 1);
        }
        if (c.button <= 2 && c.count > 0) { // the question shown is the one moved to
            EXPECT_EQ(s(panel.RtbTM.Text()), s(QStringLiteral("第%1题").arg(c.noAfter)));
        }
    }
}

TEST(PanelButtons, MarkAndUnmarkThroughTheMouse)
{
    Panel world(3);
    FrmTm& panel = Panel::panel();
    iTmFlags(1) = 5;
    QTest::mouseClick(&panel.CmdGN[3], Qt::LeftButton);
    EXPECT_EQ(iTmFlags(1), 7);
    EXPECT_FALSE(panel.CmdGN[3].Visible());
    EXPECT_TRUE(panel.CmdGN[11].Visible());
    QTest::mouseClick(&panel.CmdGN[11], Qt::LeftButton);
    EXPECT_EQ(iTmFlags(1), 5);
    EXPECT_TRUE(panel.CmdGN[3].Visible());
    EXPECT_FALSE(panel.CmdGN[11].Visible());
}

TEST(PanelButtons, HintInformationPageAndHintWindowButton)
{
    Panel world(3);
    FrmTm& panel = Panel::panel();
    FrmMain& surface = FrmMain::get();
    for (tk::Control* c : std::initializer_list<tk::Control*>{&surface.LHelp, &surface.Shape1,
                                                             &surface.Shape4, &surface.Shape2})
        c->hide();

    panel.CmdGN_Click(6);
    EXPECT_EQ(iRunMode, 1);
    EXPECT_TRUE(surface.LHelp.Visible());
    EXPECT_TRUE(surface.Shape1.Visible());
    EXPECT_TRUE(surface.Shape4.Visible());
    EXPECT_TRUE(surface.Shape2.Visible());
    panel.CmdGN_Click(1); // the hint lasts until the next question is shown
    EXPECT_EQ(iRunMode, 2);

    EXPECT_FALSE(panel.FrmKSXX.Visible());
    panel.CmdGN_Click(9);
    EXPECT_TRUE(panel.FrmKSXX.Visible());
    panel.CmdKSFH_Click();
    EXPECT_FALSE(panel.FrmKSXX.Visible());

    // The hint window: the question picture closes, the hint window opens modally.
    FrmPicture::get().Show();
    panel.Image2.setCaption(QStringLiteral("隐藏图片"));
    bool hintShownModal = false;
    QTimer::singleShot(0, testscope::context(), [&] {
        hintShownModal = FrmCZTS::isLoaded() && FrmCZTS::get().isModalShown();
        FrmCZTS::get().Command1_Click();
    });
    panel.CmdGN_Click(10);
    EXPECT_TRUE(hintShownModal);
    EXPECT_FALSE(FrmCZTS::isLoaded());
    EXPECT_FALSE(FrmPicture::get().Visible());
    EXPECT_EQ(s(panel.Image2.Caption()), s(QStringLiteral("显示图片")));
}

TEST(PanelButtons, HandInWaitsHiddenAtTheScreenCorner)
{
    Panel world(40);
    iLianXiType = 0;
    iRunMode = 3;
    FrmTm& panel = Panel::panel();
    FrmMain& surface = FrmMain::get();
    surface.Show();
    panel.Show();
    bool waitedHidden = false;
    QTimer::singleShot(0, testscope::context(), [&] {
        waitedHidden = FrmEnd1::isLoaded() && FrmEnd1::get().isModalShown() && !panel.Visible() &&
                       panel.Left() == 0 && panel.Top() == 0;
        FrmEnd1::get().Command2_Click(); // back to the paper
    });
    panel.CmdGN_Click(8);
    EXPECT_TRUE(waitedHidden);
    EXPECT_FALSE(FrmEnd1::isLoaded());
    EXPECT_TRUE(panel.Visible());
    EXPECT_EQ(panel.Left(), surface.Left() + surface.Width() - panel.Width());
    EXPECT_EQ(panel.Top(), surface.Top() + surface.Height() - panel.Height());
}

TEST(PanelButtons, PracticeOrExaminationButtonsByMode)
{
    struct Case {
        int mode;
        bool practice; // PicUnit and buttons 5-7 shown, 8-10 hidden
    };
    for (const Case c : {Case{1, true}, Case{2, true}, Case{3, false}}) {
        SCOPED_TRACE(c.mode);
        Panel world(3);
        FrmTm& panel = Panel::panel();
        iRunMode = qint16(c.mode);
        panel.TimKsModel.setEnabled(true);
        ASSERT_TRUE(panel.TimKsModel.fire());
        EXPECT_EQ(panel.PicUnit.Visible(), c.practice);
        for (int i = 5; i <= 7; ++i)
            EXPECT_EQ(panel.CmdGN[i].Visible(), c.practice) << i;
        for (int i = 8; i <= 10; ++i)
            EXPECT_EQ(panel.CmdGN[i].Visible(), !c.practice) << i;
        EXPECT_FALSE(panel.TimKsModel.Enabled());
    }
}

namespace {

// The captions of the visible number buttons, in button order.
std::vector<int> shownNumbers(FrmTm& panel)
{
    std::vector<int> shown;
    for (int i = 1; i <= 40; ++i)
        if (panel.CmTNO[i].Visible())
            shown.push_back(panel.CmTNO[i].Caption().toInt());
    return shown;
}

std::vector<int> range(int first, int last)
{
    std::vector<int> r;
    for (int k = first; k <= last; ++k)
        r.push_back(k);
    return r;
}

} // namespace

TEST(NumberPages, FillingAndPaging)
{
    struct Case {
        const char* what;
        int count;
        int startPage;
        int button; // 4 open, -1 previous page, +1 next page
        int page;   // iSelPage afterwards
        int lastPage;
        int first, last; // numbers shown (first > last: none)
        bool pageButtons;
        bool pageOpen;
    };
    const Case cases[] = {
        {"40 questions", 40, 0, 4, 0, 0, 1, 40, false, true},
        {"12 questions", 12, 0, 4, 0, 0, 1, 12, false, true},
        {"45, page 0", 45, 0, 4, 0, 1, 1, 40, true, true},
        {"45, next page", 45, 0, +1, 1, 1, 41, 45, true, true},
        {"45, next on the last page", 45, 1, +1, 1, 1, 41, 45, true, true},
        {"45, previous page", 45, 1, -1, 0, 1, 1, 40, true, true},
        {"45, previous on page 0", 45, 0, -1, 0, 1, 1, 40, true, true},
        {"80, next page", 80, 0, +1, 1, 1, 41, 80, true, true},
        {"81, last page", 81, 1, +1, 2, 2, 81, 81, true, true},
        {"a page left beyond this exercise", 45, 3, 4, 1, 1, 41, 45, true, true},
        {"no questions", 0, 0, 4, 0, -1, 1, 0, false, false},
        {"a count beyond the question tables", 600, 20, 4, 12, 12, 481, 500, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Panel world(std::min(c.count, 500));
        iTmCount = qint16(c.count);
        FrmTm& panel = Panel::panel();
        panel.iSelPage = qint16(c.startPage);
        panel.iSelLastPage = qint16(c.count / 40 - (c.count % 40 == 0 ? 1 : 0));
        if (c.button == 4)
            panel.CmdGN_Click(4);
        else if (c.button < 0)
            panel.CmdSelLast_Click();
        else
            panel.CmdSelNext_Click();

        EXPECT_EQ(panel.iSelPage, c.page);
        EXPECT_EQ(panel.iSelLastPage, c.lastPage);
        EXPECT_EQ(shownNumbers(panel), range(c.first, c.last));
        EXPECT_EQ(panel.CmdSelLast.Visible(), c.pageButtons);
        EXPECT_EQ(panel.CmdSelNext.Visible(), c.pageButtons);
        EXPECT_EQ(panel.FrmSelect.Visible(), c.pageOpen);
    }
}

TEST(NumberPages, PicturesFollowTheFlags)
{
    const int flags[] = {0, 1, 5, 4, 2, 3, 6, 7};
    const QColor expected[] = {panelfixture::kNotOpened, panelfixture::kOpened, panelfixture::kOpened,
                               panelfixture::kNotOpened, panelfixture::kMarked, panelfixture::kMarked,
                               panelfixture::kMarked, panelfixture::kMarked};
    Panel world(48);
    FrmTm& panel = Panel::panel();
    // Page 1 shows questions 41 to 48 on buttons 1 to 8; buttons 1 to 8 first wear a picture
    // of the wrong kind, so every load is seen.
    for (int i = 0; i < 8; ++i) {
        iTmFlags(41 + i) = qint16(flags[i]);
        panel.CmTNO[i + 1].setPicture(QPixmap::fromImage(QImage(8, 4, QImage::Format_RGB32)));
    }
    panel.iSelPage = 1;
    panel.dqYeMian();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(pictureColour(panel.CmTNO[i + 1]), expected[i]) << "flags " << flags[i];
}

TEST(NumberPages, ChoosingANumberShowsThatQuestion)
{
    Panel world(45);
    FrmTm& panel = Panel::panel();
    panel.iSelPage = 1;
    panel.dqYeMian();
    ASSERT_TRUE(panel.FrmSelect.Visible());
    QTest::mouseClick(&panel.CmTNO[5], Qt::LeftButton);
    EXPECT_EQ(iTmNo, 45);
    EXPECT_FALSE(panel.FrmSelect.Visible());
    EXPECT_EQ(iTmFlags(45), 1); // opened by the display
    EXPECT_EQ(s(panel.RtbTM.Text()), s(QStringLiteral("第45题")));
    EXPECT_FALSE(panel.CmdGN[1].Enabled());

    panel.CmdGN_Click(4);
    ASSERT_TRUE(panel.FrmSelect.Visible());
    panel.CmdSelFH_Click();
    EXPECT_FALSE(panel.FrmSelect.Visible());
    EXPECT_EQ(iTmNo, 45);
}
