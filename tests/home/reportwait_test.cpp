// The error report's wait runs the program's other events, but the candidate's clicks made
// during it are held back and delivered, in order, once the handler that reported has returned:
// nothing they start runs under that handler. The reports go through the real reporter, to a
// server that holds its answer until the click has been made.

#include "app/localhttp.h"
#include "app/modzcb.h"
#include "bank/exercise.h"
#include "homefixture.h"

#include <QTest>

using namespace hometest;

class ReportWait : public HomeTest {
protected:
    void SetUp() override
    {
        HomeTest::SetUp();
        if (IsSkipped())
            return;
        ModZCB::setWebServiceAddress(server.address());
        server.hold();
    }
    void TearDown() override
    {
        vb::setReporter({});
        ModZCB::setWebServiceAddress({});
        HomeTest::TearDown();
    }

    // The real reporter, noting for each report whether the home window still existed.
    void reportThroughTheRealReporter(const QPointer<FrmFengmian>& home)
    {
        vb::setReporter([this, home](const QString& tag, long number, const QString& text) {
            reports << tag + u':' + QString::number(number);
            homeThere << !home.isNull();
            ModZCB::reportError(tag, number, text, QString());
        });
    }
    // Once the first report waits for its answer: the server answers from then on, and the
    // candidate clicks.
    void duringTheFirstWait(std::function<void()> click)
    {
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [this, click] {
            if (server.heldCount() == 0)
                return;
            poll.stop();
            waited = true;
            server.release();
            click();
        });
        poll.start();
    }

    LocalHttp server;
    QTimer poll;
    QStringList reports;
    QList<bool> homeThere;
    bool waited = false;
};

TEST_F(ReportWait, StartClickedWhileTheUnitPickReportsFreesNothingUnderThePick)
{
    makeBank({3, 0}); // the second unit has no questions: its pick reports twice
    FrmFengmian& w = FrmFengmian::get();
    w.Show();
    w.ClickBotn_Click(4); // the question-bank panel
    ASSERT_TRUE(w.PicTiKu.isVisible());
    QPointer<FrmFengmian> home(&w);
    reportThroughTheRealReporter(home);
    BoxAnswer box;
    // The empty unit itself is not started: the candidate picks the first unit (its button is
    // enabled again by picking all units) and starts that.
    duringTheFirstWait([&w] {
        QTest::mouseClick(&w.ClickBotn[bank::kAllUnitsButton], Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(&w.ClickBotn[50], Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(&w.ClickBotn[20], Qt::LeftButton, {}, QPoint(10, 10));
    });

    QTest::mouseClick(&w.ClickBotn[51], Qt::LeftButton, {}, QPoint(10, 10));

    EXPECT_TRUE(waited);
    EXPECT_EQ(reports.count(QStringLiteral("clickbotn:6")), 2) << reports.join(u' ').toStdString();
    EXPECT_EQ(w.iSelUnit, 1);              // the pick finished before any click of its wait ran
    EXPECT_TRUE(FrmFengmian::isLoaded());
    QTRY_VERIFY(!FrmFengmian::isLoaded()); // then the clicks: the start went on, the exercise runs
    EXPECT_FALSE(homeThere.contains(false));
    EXPECT_TRUE(FrmTm::isLoaded());
    QTRY_VERIFY(!home); // gone once the start had returned
}

// The random paper's launcher reports (the marked list cannot be read) and waits; meanwhile the
// candidate clicks to open the question bank and start the first unit. The clicks wait for the
// launcher: the random paper starts, and the clicks, meant for the home window that has gone
// since, start nothing over it.
TEST_F(ReportWait, ClicksMadeWhileTheRandomPaperReportsStartNothingOverIt)
{
    makeBank({30, 30, 30, 30});
    // The marked list cannot be read (a folder stands in its place): every launch reports.
    QFile::remove(userPath(QStringLiteral("288862.mxy")));
    ASSERT_TRUE(QDir().mkdir(userPath(QStringLiteral("288862.mxy"))));
    FrmFengmian& w = FrmFengmian::get();
    w.Show();
    w.ClickBotn_Click(5);  // the paper panel
    w.ClickBotn_Click(30); // its new random paper view
    ASSERT_TRUE(w.ClickBotn[21].isVisible());
    QPointer<FrmFengmian> home(&w);
    reportThroughTheRealReporter(home);
    BoxAnswer box;
    const int kindBefore = ModData::iLianXiType;
    int kindDuringWait = -1;
    duringTheFirstWait([&] {
        for (int button : {4, 50, 20})
            QTest::mouseClick(&w.ClickBotn[button], Qt::LeftButton, {}, QPoint(10, 10));
        kindDuringWait = ModData::iLianXiType;
    });

    QTest::mouseClick(&w.ClickBotn[21], Qt::LeftButton, {}, QPoint(10, 10));
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();

    EXPECT_TRUE(waited);
    EXPECT_EQ(kindDuringWait, kindBefore); // nothing the clicks start ran in the wait
    EXPECT_EQ(reports, QStringList{QStringLiteral("initshiti:75")});
    EXPECT_FALSE(homeThere.contains(false));
    EXPECT_FALSE(FrmFengmian::isLoaded());
    EXPECT_TRUE(FrmLogon::isLoaded()); // the paper waits for its log-on
    EXPECT_FALSE(FrmTm::isLoaded());   // and no unit practice runs
    EXPECT_EQ(ModData::iLianXiType, bank::kind::RandomPaper);
    EXPECT_EQ(ModData::iSelIndex, 20);
    EXPECT_EQ(readLines(userPath(QStringLiteral("288891.mxy"))).value(0).size(), 160);
    EXPECT_TRUE(box.titles.isEmpty()) << box.titles.join(u' ').toStdString();
    ASSERT_TRUE(home);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(home);
}
