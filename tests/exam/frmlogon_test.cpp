// The simulated examination log-on: its two pages, the entries and what they store, the ID-card
// key filter, the progress bar and the hand-over to the panel, and the exit.

#include "paperfixture.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using paperfixture::Paper;
using namespace ModData;

namespace {

QRectF rectOf(const tk::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// Types the text into the box as the candidate would, key by key.
void type(tk::TextBox& box, const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(box.editor(), c.toLatin1());
}

} // namespace

TEST(LogOn, LaidOutAndNamesTheExerciseFilesAgain)
{
    const struct {
        double sx, sy;
        int paper;
        const char* opFile;
        const char* textFile;
    } cases[] = {
        {1, 1, 4, "288804.mxy", "288854.mxy"},       // fixed paper p: pair p and p + 50
        {1.25, 0.8, 0, "288800.mxy", "288850.mxy"},
        {1, 1, 23, "288819.mxy", "288869.mxy"},      // random paper: kind 8 + sub-kind 11
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper);
        Paper world(c.paper);
        dScaleX = c.sx;
        dScaleY = c.sy;
        sOpFile = sTmTextFile = sOpTextFile = QStringLiteral("launcher");
        FrmLogon& w = FrmLogon::get();
        EXPECT_EQ(sOpFile, world.data + QLatin1String(c.opFile));
        EXPECT_EQ(sTmTextFile, world.data + QLatin1String(c.textFile));
        EXPECT_EQ(sOpTextFile, world.data + QStringLiteral("288890.mxy"));

        const double sx = c.sx, sy = c.sy;
        EXPECT_EQ(w.BackColor(), 0x808040);
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(w.WindowState(), 2);
        EXPECT_EQ(rectOf(w.Picture1), QRectF(0, 0, 12000, 9000));
        EXPECT_EQ(rectOf(w.Picture2), QRectF(0, 0, 12000, 9000));
        EXPECT_FALSE(w.Picture1.Picture().isNull());
        EXPECT_FALSE(w.Picture2.Picture().isNull());
        EXPECT_EQ(rectOf(w.TxtZwh), QRectF(5070 * sx, 4440 * sy, 3255, 360));
        EXPECT_EQ(rectOf(w.TxtSFZ), QRectF(5070 * sx, 4905 * sy, 3255, 360));
        EXPECT_EQ(rectOf(w.CmdLog), QRectF(4275 * sx, 5640 * sy, 1335, 495));
        EXPECT_EQ(rectOf(w.CmdExit), QRectF(6660 * sx, 5640 * sy, 1335, 495));
        const struct {
            const tk::Label& label;
            double left, top;
        } labels[] = {{w.LblName, 4080 * sx, 2610 * sy}, {w.LblZwh, 4080 * sx, 2940 * sy},
                      {w.LblCC, 4080 * sx, 3300 * sy},   {w.LblKm, 2505 * sx, 4215 * sy},
                      {w.LblSfz, 2505 * sx, 4590 * sy},  {w.LblDah, 2505 * sx, 4950 * sy},
                      {w.LblDate, 2505 * sx, 5250 * sy}};
        for (const auto& l : labels) {
            EXPECT_EQ(l.label.Left(), l.left);
            EXPECT_EQ(l.label.Top(), l.top);
            EXPECT_EQ(l.label.BackStyle(), 0);
            EXPECT_TRUE(l.label.AutoSize());
            EXPECT_TRUE(l.label.FontBold());
        }
        EXPECT_EQ(rectOf(w.P2), QRectF(1110 * sx, 7980 * sy, 10335 * sx, 180));
        EXPECT_EQ(rectOf(w.LJD), QRectF(0, 0, 255, 375));
        EXPECT_EQ(w.LJD.BackColor(), 0xFF0000);
        EXPECT_EQ(w.CmdLog.MousePointer(), 99);
        EXPECT_EQ(w.TxtZwh.Text(), QStringLiteral("18"));
        EXPECT_EQ(w.TxtSFZ.Text(), FrmLogon::initialIdText());
    }
}

TEST(LogOn, PagesUntilAndAfterThePageSetUp)
{
    Paper world;
    FrmLogon& w = FrmLogon::get();
    tktest::showExposed(w);
    // Until the page set-up both pages show, the confirmation page on top.
    EXPECT_TRUE(w.Picture1.isVisible());
    EXPECT_TRUE(w.Picture2.isVisible());
    EXPECT_EQ(w.childAt(w.Picture2.geometry().center()), &w.Picture2);

    EXPECT_TRUE(w.Timer1.fire());
    EXPECT_TRUE(w.Picture1.isVisible());
    EXPECT_FALSE(w.Picture2.isVisible());
    EXPECT_FALSE(w.Timer1.Enabled());
    EXPECT_FALSE(w.Timer2.Enabled());
    EXPECT_EQ(FrmLogon::fillNumber().size(), 18);
    EXPECT_NE(FrmLogon::fillNumber(), FrmLogon::initialIdText());
}

TEST(LogOn, EntriesAreFilledUpOrCutAndStored)
{
    const QString fill = FrmLogon::fillNumber();
    const struct {
        QString seat, id;
        QString zwh, sfz;
    } cases[] = {
        {QString(), QString(), QStringLiteral("00"), fill},
        {QStringLiteral("5"), QStringLiteral("123456789012345678"), QStringLiteral("05"),
         QStringLiteral("123456789012345678")},
        {QStringLiteral("123"), QStringLiteral("12345678901234567"), QStringLiteral("23"),
         fill.left(1) + QStringLiteral("12345678901234567")},
        // The ID box keeps digits and an X only as the 18th character, however the text came.
        {QStringLiteral(" 7 "), QStringLiteral(" 234567890123456X"), QStringLiteral("07"),
         fill.left(3) + QStringLiteral("234567890123456")},
        {QStringLiteral("ab"), QStringLiteral("12ab"), QStringLiteral("ab"), fill.left(16) + QStringLiteral("12")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seat.toStdString() + "/" + c.id.toStdString());
        Paper world;
        FrmLogon& w = FrmLogon::get();
        w.Timer1.fire();
        w.TxtZwh.setText(c.seat); // the seat number is not filtered
        w.TxtSFZ.setText(c.id);
        w.CmdLog_Click();
        EXPECT_EQ(sKsZwh, c.zwh);
        EXPECT_EQ(sKsSfz, c.sfz);
        EXPECT_EQ(sKsCC, QStringLiteral("18"));
        EXPECT_EQ(sKsDah, QStringLiteral("888888"));
        EXPECT_FALSE(bTmCanClose);

        // The confirmation page shows them.
        EXPECT_FALSE(w.Picture1.isVisibleTo(&w));
        EXPECT_TRUE(w.Picture2.isVisibleTo(&w));
        EXPECT_EQ(w.LblName.Caption(), QStringLiteral("张三"));
        EXPECT_EQ(w.LblZwh.Caption(), c.zwh);
        EXPECT_EQ(w.LblCC.Caption(), QStringLiteral("18"));
        EXPECT_EQ(w.LblKm.Caption(), QStringLiteral("Windows XP"));
        EXPECT_EQ(w.LblSfz.Caption(), c.sfz);
        EXPECT_EQ(w.LblDah.Caption(), QStringLiteral("888888"));
        EXPECT_EQ(w.LblDate.Caption(), QStringLiteral("2026年12月10日"));
        EXPECT_TRUE(w.Timer2.Enabled());
        EXPECT_EQ(sKsStartTime, QStringLiteral("2026-12-10 13:00:00")) << "set at the hand-over, not at the click";
    }
}

TEST(LogOn, IdCardKeyFilter)
{
    const struct {
        QString before;
        int key;
        bool passes;
    } cases[] = {
        {QString(), '0', true},
        {QString(), '9', true},
        {QString(), 8, true}, // Backspace
        {QString(), 'x', false},
        {QString(), 'X', false},
        {QString(), 'a', false},
        {QString(), ' ', false},
        {QString(), '-', false},
        {QStringLiteral("1234567890123456"), 'x', false}, // 16 characters
        {QStringLiteral("12345678901234567"), 'x', true}, // the 18th
        {QStringLiteral("12345678901234567"), 'X', true},
        {QStringLiteral("12345678901234567"), 'y', false},
    };
    Paper world;
    FrmLogon& w = FrmLogon::get();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before.toStdString() + " + " + std::to_string(c.key));
        w.TxtSFZ.setText(c.before);
        int key = c.key;
        w.TxtSFZ_KeyPress(key);
        EXPECT_EQ(key, c.passes ? c.key : 0);
    }
}

TEST(LogOn, TypedIdCardNumberNeverPassesEighteenCharacters)
{
    Paper world;
    FrmLogon& w = FrmLogon::get();
    tktest::showExposed(w);
    w.Timer1.fire();
    w.TxtSFZ.setText(QString());
    w.TxtSFZ.SetFocus();
    type(w.TxtSFZ, QStringLiteral("x1a2 3-"));
    EXPECT_EQ(w.TxtSFZ.Text(), QStringLiteral("123"));
    type(w.TxtSFZ, QStringLiteral("45678901234567X9"));
    EXPECT_EQ(w.TxtSFZ.Text(), QStringLiteral("12345678901234567X"));
    QTest::keyClick(w.TxtSFZ.editor(), Qt::Key_Backspace);
    EXPECT_EQ(w.TxtSFZ.Text(), QStringLiteral("12345678901234567"));
    type(w.TxtSFZ, QStringLiteral("123"));
    EXPECT_EQ(w.TxtSFZ.Text(), QStringLiteral("123456789012345671"));

    // The seat number has no filter, but three characters at most.
    w.TxtZwh.setText(QString());
    w.TxtZwh.SetFocus();
    type(w.TxtZwh, QStringLiteral("a1b2"));
    EXPECT_EQ(w.TxtZwh.Text(), QStringLiteral("a1b"));
}

// Text that does not come as key presses (an input method's commit, a paste) is held to the same
// rule: digits, and an "X" only as the 18th character; everything else is discarded.
TEST(LogOn, IdCardBoxKeepsDigitsAndXHoweverTheyArrive)
{
    const struct {
        const char* what;
        QString before, arriving, after;
    } cases[] = {
        {"letters and punctuation among digits", QStringLiteral("12"), QStringLiteral("3a4-5 6"), QStringLiteral("123456")},
        {"full-width digits and Chinese", QString(), QStringLiteral("１２三4"), QStringLiteral("4")},
        {"X too early", QStringLiteral("1"), QStringLiteral("X2x"), QStringLiteral("12")},
        {"X as the 18th", QStringLiteral("12345678901234567"), QStringLiteral("X"), QStringLiteral("12345678901234567X")},
        {"x as the 18th", QStringLiteral("1234567890123456"), QStringLiteral("7x"), QStringLiteral("12345678901234567x")},
        {"digits only stay", QString(), QStringLiteral("110105"), QStringLiteral("110105")},
    };
    Paper world;
    FrmLogon& w = FrmLogon::get();
    tktest::showExposed(w);
    w.Timer1.fire();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Committed by an input method.
        w.TxtSFZ.setText(c.before);
        w.TxtSFZ.SetFocus();
        auto* line = qobject_cast<QLineEdit*>(w.TxtSFZ.editor());
        ASSERT_NE(line, nullptr);
        line->end(false);
        QInputMethodEvent commit;
        commit.setCommitString(c.arriving);
        QCoreApplication::sendEvent(line, &commit);
        EXPECT_EQ(w.TxtSFZ.Text(), c.after);
        // Pasted.
        w.TxtSFZ.setText(c.before);
        line->end(false);
        line->insert(c.arriving);
        EXPECT_EQ(w.TxtSFZ.Text(), c.after);
    }
    // Typed keys still go through the key filter first.
    w.TxtSFZ.setText(QString());
    type(w.TxtSFZ, QStringLiteral("9a8"));
    EXPECT_EQ(w.TxtSFZ.Text(), QStringLiteral("98"));
}

TEST(LogOn, ProgressBarHandsOverOnTheSeventhTick)
{
    Paper world;
    FrmLogon& w = FrmLogon::get();
    w.Timer1.fire();
    w.CmdLog_Click();
    const int widths[] = {1755, 3255, 4755, 6255, 7755, 9255};
    for (int width : widths) {
        ASSERT_TRUE(w.Timer2.fire());
        EXPECT_EQ(w.LJD.Width(), width);
        EXPECT_TRUE(FrmLogon::isLoaded());
        EXPECT_FALSE(FrmTm::isLoaded());
    }
    iTmNo = 9;
    vb::setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(14, 6, 0)); });
    ASSERT_TRUE(w.Timer2.fire());
    EXPECT_EQ(w.LJD.Width(), 10755);
    EXPECT_FALSE(FrmLogon::isLoaded());
    EXPECT_FALSE(w.Timer2.Enabled());
    EXPECT_EQ(sKsStartTime, QStringLiteral("2026-12-10 14:06:00"));
    EXPECT_EQ(iTmNo, 1);
    ASSERT_TRUE(FrmTm::isLoaded());
    EXPECT_TRUE(FrmTm::get().isVisible());
    EXPECT_TRUE(FrmMain::get().isVisible());
    EXPECT_EQ(iTmFlags(1), 1) << "question 1 shown";
    EXPECT_FALSE(FrmTm::get().unload()) << "the panel stays for the whole paper";
}

TEST(LogOn, ExitAsksAndOnlyYesGoesHome)
{
    for (exam::BoxAnswer answer : {exam::BoxAnswer::No, exam::BoxAnswer::Yes}) {
        Paper world;
        sKsZwh = QStringLiteral("07");
        sKsSfz = QStringLiteral("earlier");
        world.answer = answer;
        FrmLogon& w = FrmLogon::get();
        w.Timer1.fire();
        w.TxtZwh.setText(QStringLiteral("3"));
        w.TxtSFZ.setText(QStringLiteral("42"));
        w.CmdExit_Click();
        ASSERT_EQ(world.asked.size(), 1u);
        const exam::BoxRequest& r = world.asked.front();
        EXPECT_EQ(r.prompt, QStringLiteral("确实要退出考试系统吗？"));
        EXPECT_EQ(r.title, QStringLiteral("职称计算机电脑技能"));
        EXPECT_EQ(r.buttons, exam::BoxButtons::YesNo);
        EXPECT_TRUE(r.questionIcon);
        EXPECT_TRUE(r.defaultNo);
        EXPECT_EQ(sKsZwh, QStringLiteral("07"));
        EXPECT_EQ(sKsSfz, QStringLiteral("earlier"));
        if (answer == exam::BoxAnswer::No) {
            EXPECT_TRUE(FrmLogon::isLoaded());
            EXPECT_EQ(w.TxtZwh.Text(), QStringLiteral("3"));
            EXPECT_EQ(w.TxtSFZ.Text(), QStringLiteral("42"));
            EXPECT_FALSE(FrmFengmian::isLoaded());
        } else {
            EXPECT_FALSE(FrmLogon::isLoaded());
            ASSERT_TRUE(FrmFengmian::isLoaded());
            EXPECT_TRUE(FrmFengmian::get().isVisible());
            EXPECT_FALSE(FrmTm::isLoaded());
        }
    }
}

// A close from the window system (its close button, Alt+F4 taken by a desktop) asks as the exit
// button does; on the confirmation page it is refused. Either way a window stays.
TEST(LogOn, AWindowSystemCloseIsTheExitButton)
{
    const struct {
        const char* what;
        bool confirmationPage;
        exam::BoxAnswer answer;
        bool asked, home;
    } cases[] = {
        {"log-on page, No", false, exam::BoxAnswer::No, true, false},
        {"log-on page, Yes", false, exam::BoxAnswer::Yes, true, true},
        {"confirmation page", true, exam::BoxAnswer::Yes, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Paper world;
        world.answer = c.answer;
        FrmLogon& w = FrmLogon::get();
        tktest::showExposed(w);
        w.Timer1.fire();
        if (c.confirmationPage)
            w.CmdLog_Click();
        w.close();
        tktest::flushDeletes();
        ASSERT_EQ(world.asked.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(world.asked[0].prompt, QStringLiteral("确实要退出考试系统吗？"));
        }
        EXPECT_EQ(FrmLogon::isLoaded(), !c.home);
        if (!c.home) {
            EXPECT_TRUE(w.isVisible());
        }
        EXPECT_EQ(FrmFengmian::isLoaded() && FrmFengmian::get().isVisible(), c.home);
        EXPECT_FALSE(FrmTm::isLoaded());
    }
}

TEST(LogOn, ANewPaperLoadsTheWindowAfresh)
{
    Paper world;
    {
        FrmLogon& w = FrmLogon::get();
        w.Timer1.fire();
        w.TxtZwh.setText(QStringLiteral("9"));
        w.CmdLog_Click();
        for (int i = 0; i < 7; ++i)
            w.Timer2.fire();
    }
    tktest::flushDeletes();
    FrmLogon& again = FrmLogon::get();
    EXPECT_EQ(again.TxtZwh.Text(), QStringLiteral("18"));
    EXPECT_EQ(again.LJD.Width(), 255);
    EXPECT_TRUE(again.Timer1.Enabled());
}
