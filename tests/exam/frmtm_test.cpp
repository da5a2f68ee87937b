// The question panel: its set-up, showing a question, collapse and restore, the unload guard.

#include "../surface/surfaceworld.h"
#include "exam/frmpicture.h"

#include <gtest/gtest.h>

using testworld::World;
using namespace ModData;

namespace {

std::string s(const QString& q) { return q.toStdString(); }

QRectF rectOf(const tk::Form& f) { return QRectF(f.Left(), f.Top(), f.Width(), f.Height()); }

// Shows question n of an exercise of `count` questions on a loaded panel.
FrmTm& show(int n)
{
    FrmTm& p = FrmTm::get();
    iTmNo = qint16(n);
    p.DqExam();
    return p;
}

} // namespace

TEST(QuestionPanel, TitleOfTheExerciseKind)
{
    struct Case {
        int kind, sub, paper;
        const char* done;
        const char* title;
    };
    const Case cases[] = {
        {20, 0, 0, "F", "Wi 1单元3/12题(未完成)"},
        {8, 11, 20, "F", "Wi 随0-3(0105)"},
        {0, 4, 4, "T", "Wi 5套第3题(0105)"},
        {12, 7, 0, "", "Wi 复3/12(0105)(已完成)"},
    };
    World w;
    iTmCount = 12;
    World::surface();
    for (const auto& c : cases) {
        iLianXiType = qint16(c.kind);
        iLianXiSub = qint16(c.sub);
        iSelIndex = qint16(c.paper);
        iTmCode(3) = 5;
        sTmDone(3) = QString::fromLatin1(c.done);
        EXPECT_EQ(s(show(3).LblBiao.Caption()), c.title);
    }
    // A kind without a title leaves the caption as it was.
    iLianXiType = 3;
    FrmTm::get().LblBiao.setCaption(QStringLiteral("<b>kept</b>"));
    EXPECT_EQ(s(show(3).LblBiao.Caption()), "<b>kept</b>");
}

TEST(QuestionPanel, UnfinishedListFlagsAndMode)
{
    World w;
    iTmCount = 4;
    World::surface();
    iTmFlags(1) = 1;
    iTmFlags(2) = 4;
    iTmFlags(3) = 0;
    iTmFlags(4) = 7;
    iRunMode = 1;
    FrmTm& p = show(2);
    EXPECT_EQ(s(p.LblUnit.Caption()), "未完成的题目 1 3");
    EXPECT_EQ(iTmFlags(2), 5); // opened
    EXPECT_EQ(iRunMode, 2);    // a hint ends when a question is shown
    show(2);
    EXPECT_EQ(iTmFlags(2), 5);
    iRunMode = 3;
    show(4);
    EXPECT_EQ(iRunMode, 3);
    EXPECT_EQ(iTmFlags(4), 7);
    // Hovering shows the whole list as a tooltip, also after the surface rewrote it.
    p.LblUnit.setCaption(QStringLiteral("未完成的题目 3"));
    p.LblUnit_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(s(p.LblUnit.ToolTipText()), "未完成的题目 3");
}

TEST(QuestionPanel, MarkButtonsAndPreviousNext)
{
    World w;
    iTmCount = 3;
    World::surface();
    for (int flags = 0; flags <= 7; ++flags) {
        iTmFlags(2) = qint16(flags);
        FrmTm& p = show(2);
        const bool marked = flags == 2 || flags == 3 || flags == 6 || flags == 7;
        EXPECT_EQ(p.CmdGN[3].Visible(), !marked) << flags;
        EXPECT_EQ(p.CmdGN[11].Visible(), marked) << flags;
    }
    struct Case {
        int n, count;
        bool previous, next;
    };
    const Case cases[] = {{1, 1, false, false}, {1, 3, false, true}, {2, 3, true, true}, {3, 3, true, false},
                          {1, 0, false, false}};
    for (const auto& c : cases) {
        iTmCount = qint16(c.count);
        FrmTm& p = show(c.n);
        EXPECT_EQ(p.CmdGN[0].Enabled(), c.previous) << c.n << "/" << c.count;
        EXPECT_EQ(p.CmdGN[1].Enabled(), c.next) << c.n << "/" << c.count;
    }
}

TEST(QuestionPanel, QuestionTexts)
{
    struct Case {
        int n;
        const char* text;
        bool pictureButton;
    };
    const Case cases[] = {
        {1, "打开\r\n我的电脑", false},
        {2, "看图|回答", true},
        {3, "", true},  // "picture" and a name only: an empty text, the button
        {2, "看图|回答", true},
        {5, "", false}, // a line the file does not hold: nothing of the previous question
        {4, "<i>纯文本</i>", false},
    };
    World w;
    w.questions({QStringLiteral("000103打开|我的电脑"), QStringLiteral("000203picture123456看图|回答"),
                 QStringLiteral("000303picture654321"), QStringLiteral("000403<i>纯文本</i>")});
    w.picture(QStringLiteral("123456"), 64, 48);
    w.picture(QStringLiteral("654321"), 32, 24);
    iTmCount = 5;
    World::surface();
    for (const auto& c : cases) {
        FrmPicture::get().Show(); // an open picture window closes at every question
        FrmTm& p = show(c.n);
        EXPECT_EQ(s(p.RtbTM.Text()), c.text) << c.n;
        EXPECT_EQ(p.Image2.Visible(), c.pictureButton) << c.n;
        EXPECT_FALSE(FrmPicture::get().Visible()) << c.n;
        if (c.pictureButton) {
            EXPECT_EQ(s(p.Image2.Caption()), "显示图片");
            EXPECT_EQ(FrmPicture::get().Image1.Picture().width(), c.n == 3 ? 32 : 64);
        }
    }
    // No question-text file at all.
    QFile::remove(w.data + QStringLiteral("288870.mxy"));
    EXPECT_EQ(s(show(2).RtbTM.Text()), "");
    EXPECT_FALSE(FrmTm::get().Image2.Visible());
}

// The surface goes back to the question's saved pictures and step, and builds it once.
TEST(QuestionPanel, ShowingRestoresTheSurface)
{
    World w;
    iTmCount = 2;
    w.picture(QStringLiteral("500000"), 70, 50);
    w.picture(QStringLiteral("500002"), 33, 22);
    FrmMain& m = World::surface();
    m.Timer2.setEnabled(false);
    m.Hide();
    m.setWindowState(2);
    sTmPic(2, 0) = QStringLiteral("500000");
    sTmPic(2, 2) = QStringLiteral("500002");
    sTmPic(2, 3) = QStringLiteral("missing");
    iTmStep(2) = 4;
    show(2);
    EXPECT_EQ(m.Picture().width(), 70);
    EXPECT_EQ(m.Image2.Picture().width(), 33);
    EXPECT_TRUE(m.Image3.Picture().isNull()); // not loadable: as it was
    EXPECT_EQ(iStepNo, 4);
    EXPECT_TRUE(m.Timer2.Enabled());
    EXPECT_TRUE(m.Visible());
    EXPECT_EQ(m.WindowState(), 0);
}

TEST(QuestionPanel, FixedPaperInPracticeArrangesItsButtons)
{
    struct Case {
        int kind, mode;
        bool timer;
    };
    const Case cases[] = {{0, 2, true}, {0, 3, false}, {8, 2, false}, {20, 1, false}};
    World w;
    World::surface();
    for (const auto& c : cases) {
        iLianXiType = qint16(c.kind);
        iRunMode = qint16(c.mode);
        FrmTm::get().TimKsModel.setEnabled(false);
        show(1);
        EXPECT_EQ(FrmTm::get().TimKsModel.Enabled(), c.timer) << c.kind << " " << c.mode;
    }
}

TEST(QuestionPanel, LoadSetUp)
{
    struct Case {
        int count;
        int lastPage;
        bool pageButtons;
        int firstHidden; // first number button hidden, 41 for none
    };
    const Case cases[] = {{12, 0, false, 13}, {40, 0, false, 41}, {41, 1, true, 41}, {80, 1, true, 41},
                          {81, 2, true, 41}};
    for (const auto& c : cases) {
        World w;
        iTmCount = qint16(c.count);
        iTmFlags(1) = 2;
        iTmStep(300) = 9;
        iLeftMinutes = 7;
        FrmTm& p = FrmTm::get();
        SCOPED_TRACE(c.count);
        EXPECT_EQ(p.iSelLastPage, c.lastPage);
        EXPECT_EQ(p.CmdSelLast.Visible(), c.pageButtons);
        EXPECT_EQ(p.CmdSelNext.Visible(), c.pageButtons);
        for (int i = 1; i <= 40; ++i)
            EXPECT_EQ(p.CmTNO[i].Visible(), i < c.firstHidden) << i;
        EXPECT_EQ(s(p.CmTNO[40].Caption()), "40");
        EXPECT_EQ(iTmFlags(1), 3);
        EXPECT_EQ(iTmStep(300), 1);
        EXPECT_EQ(s(p.LblTime.Caption()), "剩余50分钟");
        EXPECT_EQ(p.LblTimeJD.Width(), 0);
        EXPECT_FALSE(p.FrmSelect.Visible());
        EXPECT_FALSE(p.FrmKSXX.Visible());
        EXPECT_EQ(rectOf(p).size(), QSizeF(4980, 3630));
    }
}

TEST(QuestionPanel, MarkPicturesOfTheMockExamination)
{
    for (int mode : {2, 3}) {
        World w;
        w.picture(QStringLiteral("l01003"), 58, 22);
        w.picture(QStringLiteral("l01053"), 232, 22);
        iRunMode = qint16(mode);
        FrmTm& p = FrmTm::get();
        EXPECT_EQ(p.CmdGN[3].Picture().width(), mode == 3 ? 232 : 58);
    }
}

TEST(QuestionPanel, CollapseAndRestore)
{
    World w;
    FrmMain& m = World::surface();
    FrmTm& p = FrmTm::get();
    m.Move(600, 450);
    p.LblZXH_Click();
    const QRectF bar(600, 450 + 9000 - 870, 810, 870);
    EXPECT_EQ(rectOf(p), bar);
    EXPECT_TRUE(p.FrmZXH.Visible());
    p.LblZXH_Click();
    EXPECT_EQ(rectOf(p), bar);
    p.Move(30, 30); // the bar dragged away
    m.Hide();
    p.Command2_Click();
    EXPECT_EQ(rectOf(p), QRectF(600 + 12000 - 4980, 450 + 9000 - 3630, 4980, 3630));
    EXPECT_FALSE(p.FrmZXH.Visible());
    EXPECT_TRUE(m.Visible());
    // The restore spot's border: on over the spot, off over the bar.
    p.Command2_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(p.Command2.BorderStyle(), 1);
    p.FrmZXH_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(p.Command2.BorderStyle(), 0);
}

TEST(QuestionPanel, UnloadGuard)
{
    World w;
    FrmTm& p = FrmTm::get();
    bTmCanClose = false;
    EXPECT_FALSE(FrmTm::unloadIfLoaded());
    EXPECT_TRUE(FrmTm::isLoaded());
    EXPECT_EQ(&FrmTm::get(), &p);
    bTmCanClose = true;
    EXPECT_TRUE(FrmTm::unloadIfLoaded());
    EXPECT_FALSE(FrmTm::isLoaded());
}
