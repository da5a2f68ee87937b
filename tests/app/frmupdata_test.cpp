#include "common/closedport.h"
#include "app/programfolders.h"
#include "common/testscope.h"
#include "app/frmupdata.h"
#include "app/moddata.h"
#include "app/modzcb.h"
#include "app/startup.h"
#include "localhttp.h"
#include "platform/programfolder.h"
#include "platform/routedhttp.h"
#include "platform/updaterstart.h"
#include "reportspy.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kBase = QStringLiteral("/up/exmsim/Windows%20XP/");
const QString kListPath = kBase + QStringLiteral("xpdata/288895.txt");
const QString kAdPath = QStringLiteral("/up/ad/ad%20x/170100.rar");
const QString kTitle = QStringLiteral("品牌系统——Windows XP模块");

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void writeFile(const QString& path, const QByteArray& bytes, const QDateTime& modified = {})
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.flush(); // so the close writes nothing after the time is set
    if (modified.isValid()) {
        ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
    }
}

QDateTime minute(int y, int mo, int d, int h, int mi) { return QDateTime(QDate(y, mo, d), QTime(h, mi, 20)); }

struct Box {
    QString text;
    QString title;
    bool yesNo;
};

class UpdateWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        programfolders::layUpdateFolder(dir, server.address());
        ModData::iUpdataShow = 1;
        app::setProgramTitle(kTitle);
        FrmUpdata::setMessageBoxForTests([this](const QString& text, const QString& title, bool yesNo) {
            boxes.push_back({text, title, yesNo});
            return yesNo && answerYes;
        });
        FrmUpdata::setEndProgramForTests([this] { ++ends; });
        platform::setUpdaterStartForTests([this](const QString& path) {
            updaterStarts << path;
            return updaterPresent;
        });
        app::update::setProgramFileNameForTests(QStringLiteral("xpprac"));
    }
    void TearDown() override
    {
        FrmUpdata::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        FrmUpdata::setMessageBoxForTests({});
        FrmUpdata::setEndProgramForTests({});
        platform::setUpdaterStartForTests({});
        app::update::setProgramFileNameForTests({});
        platform::setProgramFolder({});
        ModZCB::setWebServiceAddress({});
        app::setProgramTitle({});
        ModData::resetAll();
    }

    QString path(const char* relative) const { return dir.filePath(QString::fromUtf8(relative)); }

    // The home window's update button: the window opens, and its timer runs the check.
    FrmUpdata& openAndCheck()
    {
        ModData::iUpdataShow = 1;
        FrmUpdata& w = FrmUpdata::get();
        w.Show();
        EXPECT_TRUE(w.Timer1.fire());
        return w;
    }

    // Serves an update list and answers its question with Yes.
    void serveList(const QByteArray& list)
    {
        server.route(kListPath, list);
        answerYes = true;
    }

    QStringList fetchedAfterTheList() const { return server.targets().mid(3); }

    QTemporaryDir dir;
    RoutedHttp server;
    ReportSpy spy;
    std::vector<Box> boxes;
    bool answerYes = false;
    int ends = 0;
    QStringList updaterStarts;
    bool updaterPresent = true;
};

} // namespace

// ---- The list's lines and names ------------------------------------------------------------------

TEST(UpdateList, EntryLinesAndTheirNames)
{
    const struct {
        const char* line;
        bool entry;
        char letter;
        const char* stamp;
        const char* name;
        const char* local;
        const char* server;
    } cases[] = {
        {"D202601010101288890", true, 'D', "202601010101", "288890", "288890.mxy", "288890.rar"},
        {"  K202601010101288862.mxy  ", true, 'K', "202601010101", "288862.mxy", "288862.mxy", "288862.rar"},
        {"M202601010101readme.txt", true, 'M', "202601010101", "readme.txt", "readme.txt", "readme.rar"},
        // The server name drops four characters, whatever the extension's length.
        {"E202601010101archive.tar.gz", true, 'E', "202601010101", "archive.tar.gz", "archive.tar.gz", "archive.ta.rar"},
        {"D202601010101ab123", false, 0, "", "", "", ""},  // 18 characters
        {"202601010101 and more text here", false, 0, "", "", "", ""},
        {"", false, 0, "", "", "", ""},
    };
    for (const auto& c : cases) {
        const auto e = app::update::parseEntry(QString::fromUtf8(c.line));
        ASSERT_EQ(e.has_value(), c.entry) << c.line;
        if (!e)
            continue;
        EXPECT_EQ(e->letter, QChar(c.letter)) << c.line;
        EXPECT_EQ(e->stamp, QString::fromUtf8(c.stamp)) << c.line;
        EXPECT_EQ(e->fileName, QString::fromUtf8(c.name)) << c.line;
        EXPECT_EQ(app::update::localName(e->fileName), QString::fromUtf8(c.local)) << c.line;
        EXPECT_EQ(app::update::serverName(e->fileName), QString::fromUtf8(c.server)) << c.line;
    }
}

// Letters are compared as written; any other letter, a lower-case one too, keeps the folder of
// the entry line before it (the program folder before the first).
TEST_F(UpdateWindow, FolderLettersAndTheFolderTheyKeep)
{
    const struct {
        char letter;
        const char* local;
        const char* server;
    } lines[] = {
        {'x', "288890.mxy", "288890.rar"},
        {'D', "xpdata/288890.mxy", "xpdata/288890.rar"},
        {'d', "xpdata/288890.mxy", "xpdata/288890.rar"},
        {'K', "ksdata/288890.mxy", "ksdata/288890.rar"},
        {'k', "ksdata/288890.mxy", "ksdata/288890.rar"},
        {'E', "examdata/288890.mxy", "examdata/288890.rar"},
        {'m', "examdata/288890.mxy", "examdata/288890.rar"},
        {'M', "288890.mxy", "288890.rar"},
    };
    auto folder = app::update::Folder::Program;
    for (const auto& l : lines) {
        const auto entry = app::update::parseEntry(QLatin1Char(l.letter) + QStringLiteral("202601010101288890"));
        ASSERT_TRUE(entry.has_value());
        const auto plan = app::update::planEntry(*entry, folder);
        EXPECT_EQ(plan.targetPath, path(l.local)) << l.letter;
        EXPECT_EQ(plan.address, server.address() + kBase + QLatin1String(l.server)) << l.letter;
        EXPECT_TRUE(plan.newer) << l.letter;
        EXPECT_FALSE(plan.program || plan.refused) << l.letter;
    }
}

// ---- Load ----------------------------------------------------------------------------------------

TEST_F(UpdateWindow, LoadLaysOutTheWindowAndFetchesTheAdvertisement)
{
    server.route(kAdPath, QByteArray("AD\0text", 7));
    for (const double scale : {1.0, 1.25}) {
        ModData::dScaleX = ModData::dScaleY = scale;
        spy.reports.clear();
        server.clearTargets();
        FrmUpdata& w = FrmUpdata::get();

        EXPECT_FALSE(w.isVisible()); // the opener's show makes it visible
        EXPECT_TRUE(w.Timer1.Enabled());
        EXPECT_EQ(w.Timer1.Interval(), 100);
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(w.Width(), 5550 * scale);
        EXPECT_EQ(w.Height(), 3750 * scale);
        EXPECT_EQ(w.Caption(), QStringLiteral("模拟考试练习系统"));

        const struct {
            tk::Label* label;
            double left, top, size;
            vb::Long colour;
            QString text;
        } labels[] = {
            {&w.Label4, 600, 150, 10, 0xFFFFFF, QStringLiteral("新版本检测——XP操作")},
            {&w.Label3, 360, 960, 9, tk::kButtonText, QStringLiteral("当前题库版本是：")},
            {&w.LblVer, 1800, 960, 9, tk::kButtonText, QStringLiteral("202601010000")},
            {&w.Label1, 360, 1440, 9, tk::kButtonText, QStringLiteral("最新题库版本是：202601010000")},
            {&w.Label2, 360, 1920, 14, 0x0000FF, QStringLiteral("已是最新版本，无需升级。")},
        };
        for (const auto& l : labels) {
            EXPECT_EQ(l.label->Caption(), l.text);
            EXPECT_EQ(l.label->Left(), l.left * scale) << l.text.toStdString();
            EXPECT_EQ(l.label->Top(), l.top * scale) << l.text.toStdString();
            EXPECT_DOUBLE_EQ(l.label->FontSize(), l.size * scale) << l.text.toStdString();
            EXPECT_EQ(l.label->ForeColor(), l.colour) << l.text.toStdString();
            EXPECT_EQ(l.label->BackStyle(), 0);
        }
        EXPECT_EQ(w.Command1.Left(), 3480 * scale);
        EXPECT_EQ(w.Command1.Top(), 2880 * scale);
        EXPECT_EQ(w.Command1.Width(), 1350 * scale);
        EXPECT_EQ(w.Command1.Height(), 450 * scale);
        EXPECT_EQ(w.lblMove.Width(), 5580 * scale);
        EXPECT_EQ(w.lblMove.Height(), 540 * scale);

        EXPECT_EQ(server.targets(), QStringList{kAdPath});
        EXPECT_EQ(fileBytes(path("ksdata/170100.mxy")), QByteArray("AD\0text", 7));
        // This folder has no skin pictures: each costs one report under the load's tag.
        EXPECT_FALSE(spy.reports.isEmpty());
        for (const QString& r : spy.reports)
            EXPECT_EQ(r, QStringLiteral("upload:53"));

        w.Command1_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(FrmUpdata::isLoaded());
    }
}

// Cut off, or longer than any advertisement: the previous file stays as it was.
TEST_F(UpdateWindow, AFailedAdvertisementKeepsThePreviousFile)
{
    const QByteArray longest(app::update::kAdvertisementMaxBytes, 'a');
    const struct {
        const char* name;
        bool cut;
        QByteArray sent;
        QByteArray kept;
    } cases[] = {
        {"cut off", true, "half an ad", "previous ad"},
        {"one byte too long", false, longest + 'a', "previous ad"},
        {"the longest kept", false, longest, longest},
    };
    for (const auto& c : cases) {
        writeFile(path("ksdata/170100.mxy"), "previous ad");
        if (c.cut)
            server.cut(kAdPath, c.sent);
        else
            server.route(kAdPath, c.sent);
        FrmUpdata::get();
        EXPECT_EQ(fileBytes(path("ksdata/170100.mxy")), c.kept) << c.name;
        EXPECT_EQ(QDir(path("ksdata")).entryList(QDir::Files), QStringList{QStringLiteral("170100.mxy")}) << c.name;
        FrmUpdata::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// ---- The check without an update -------------------------------------------------------------------

// Without an update the window stays and says why: up to date only for a real list that is not
// newer; a check that failed says so.
TEST_F(UpdateWindow, NoNewerListAsksNothingAndSaysWhy)
{
    const QString upToDate = QStringLiteral("已是最新版本，无需升级。");
    const QString failed = QStringLiteral("无法连接升级服务器，请稍后再试。");
    const QString notAList = QStringLiteral("升级信息无法读取，请稍后再试。");
    const struct {
        const char* name;
        int status;
        QByteArray body;
        QString said;
    } cases[] = {
        {"same version", 200, "202601010000\r\nD202701010101288890\r\n", upToDate},
        {"older version", 200, "202512312359\r\nD202701010101288890\r\n", upToDate},
        {"failure text", 200, "error: no list", failed},
        {"the time-out text itself", 200, ModZCB::timeoutText().toUtf8(), failed},
        {"no reply", 404, "not here", failed},
        {"server error", 500, "202701010000\r\n", failed},
        {"not a list", 200, "<html>moved</html>", notAList},
        {"empty reply", 200, "", notAList},
        {"a notice, no version", 200, "2099 maintenance notice\r\n", notAList},
        {"eleven digits", 200, "20270101000\r\nD202701010101288890\r\n", notAList},
        {"a newer list longer than any list", 200,
         "202701010000\r\n" + QByteArray(app::update::kListMaxBytes, 'x'), failed},
    };
    for (const auto& c : cases) {
        server.route(kListPath, c.body, c.status);
        server.clearTargets();
        FrmUpdata& w = openAndCheck();
        EXPECT_TRUE(boxes.empty()) << c.name;
        EXPECT_TRUE(w.isVisible()) << c.name;
        EXPECT_FALSE(w.Timer1.Enabled()) << c.name;
        EXPECT_EQ(w.Label2.Caption(), c.said) << c.name;
        EXPECT_EQ(w.Label1.Caption(), QStringLiteral("最新题库版本是：202601010000")) << c.name;
        EXPECT_EQ(server.targets(), (QStringList{kAdPath, kListPath})) << c.name;
        EXPECT_FALSE(QFile::exists(path("ksdata/288895.mxy"))) << c.name;
        EXPECT_FALSE(QFile::exists(path("xpdata/288895.mxy"))) << c.name;
        EXPECT_EQ(ends, 0) << c.name;
        // Only Command1 closes it; the next open loads it afresh and checks again.
        QTest::mouseClick(&w.Command1, Qt::LeftButton, {}, QPoint(3, 3));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(FrmUpdata::isLoaded()) << c.name;
    }
}

// Nobody listens where the update server should be.
TEST_F(UpdateWindow, AnUnreachableServerIsACheckThatFailed)
{
    ModZCB::setWebServiceAddress(closedport::address());
    FrmUpdata& w = openAndCheck();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Label2.Caption(), QStringLiteral("无法连接升级服务器，请稍后再试。"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ends, 0);
}

// A newer list that cannot be fetched as a file (its user folder missing, or the file not
// written) is reported under "tkup", and the window says the update could not be fetched.
TEST_F(UpdateWindow, ANewerListThatCannotBeFetchedIsReportedAndSaid)
{
    const struct {
        const char* name;
        bool userFolder;
        const char* report;
    } cases[] = {
        {"user folder missing", false, "tkup:76"},
        {"list file not written", true, "tkup:53"},
    };
    for (const auto& c : cases) {
        QDir(path("ksdata")).removeRecursively();
        if (c.userFolder) {
            QDir(dir.path()).mkdir(QStringLiteral("ksdata"));
            QDir(path("ksdata")).mkdir(QStringLiteral("288895.mxy")); // a folder where the file goes
        }
        serveList("202701010000\r\nD202701010101288890\r\n");
        spy.reports.clear();
        boxes.clear();
        FrmUpdata& w = openAndCheck();
        EXPECT_TRUE(spy.reports.contains(QString::fromUtf8(c.report))) << c.name << ": " << spy.reports.join(u' ').toStdString();
        EXPECT_EQ(w.Label2.Caption(), QStringLiteral("升级文件无法下载，请稍后再试。")) << c.name;
        EXPECT_TRUE(w.isVisible()) << c.name;
        EXPECT_TRUE(boxes.empty()) << c.name;
        EXPECT_FALSE(QFile::exists(path("xpdata/288895.mxy"))) << c.name;
        EXPECT_EQ(ends, 0) << c.name;
        w.Command1_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(UpdateWindow, TheTimerHidesAWindowOpenedWithoutTheUpdateButton)
{
    server.route(kListPath, "202601010000\r\n");
    FrmUpdata& w = FrmUpdata::get();
    w.Show();
    ModData::iUpdataShow = 0;
    w.Timer1_Timer();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1.Enabled());
}

// The candidate closes the window while the list request still waits.
TEST_F(UpdateWindow, ClosedWhileTheListRequestWaitsTheCheckEnds)
{
    serveList("202701010000\r\nD202701010101288890\r\n");
    ModData::iUpdataShow = 1;
    FrmUpdata::get().Show();
    QTimer::singleShot(0, testscope::context(), [] { FrmUpdata::get().Command1_Click(); });
    FrmUpdata::get().Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(FrmUpdata::isLoaded());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(server.targets(), (QStringList{kAdPath, kListPath}));
    EXPECT_EQ(ends, 0);
}

// ---- A newer list ---------------------------------------------------------------------------------

TEST_F(UpdateWindow, NewerListAnsweredNoLeavesTheWindowHiddenUntilShownAgain)
{
    const struct {
        const char* bank;
        QByteArray list;
    } cases[] = {
        {"202601010000", "202601010001\r\nD202701010101288890\r\n"},
        {"", "201001010000\r\nD202701010101288890\r\n"}, // no bank version file: any list is newer
        // A bank version that is none never holds an update back.
        {"2099 maintenance notice", "202601010001\r\nD202701010101288890\r\n"},
        {"20990101", "202601010001\r\nD202701010101288890\r\n"},
    };
    for (const auto& c : cases) {
        ModData::sTkVer = QString::fromUtf8(c.bank);
        server.route(kListPath, c.list);
        server.clearTargets();
        boxes.clear();
        FrmUpdata& w = openAndCheck();
        ASSERT_EQ(boxes.size(), 1u) << c.bank;
        EXPECT_EQ(boxes[0].text, QStringLiteral("题库有新文件，是否要进行升级？"));
        EXPECT_EQ(boxes[0].title, QStringLiteral("升级软件"));
        EXPECT_TRUE(boxes[0].yesNo);
        EXPECT_TRUE(FrmUpdata::isLoaded());
        EXPECT_FALSE(w.isVisible());
        EXPECT_FALSE(w.Timer1.Enabled());
        // The list was fetched a second time, as a file; no entry was.
        EXPECT_EQ(server.targets(), (QStringList{kAdPath, kListPath, kListPath})) << c.bank;
        EXPECT_EQ(fileBytes(path("ksdata/288895.mxy")), c.list);
        EXPECT_FALSE(QFile::exists(path("xpdata/288890.mxy")));
        EXPECT_EQ(ends, 0);

        // The update button again: the same window, shown as it was, without a new check.
        FrmUpdata::get().Show();
        EXPECT_TRUE(w.isVisible());
        EXPECT_FALSE(w.Timer1.fire());
        EXPECT_EQ(server.targets().size(), 3);
        w.Command1_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(UpdateWindow, AcceptedUpdateFetchesEveryNewerEntryIntoItsFolder)
{
    writeFile(path("xpdata/288890.mxy"), "old 288890", minute(2025, 6, 1, 10, 0));
    writeFile(path("xpdata/288891.mxy"), "same minute", minute(2026, 1, 1, 12, 30));
    writeFile(path("xpdata/288892.mxy"), "newer here", minute(2026, 3, 1, 0, 0));
    writeFile(path("xpdata/288895.mxy"), "202601010000\r\n");
    const QByteArray list = "202606010000\r\n"
                            "D202606011000288890\r\n"
                            "D202601011230288891\r\n"      // the local file's own minute
                            "D202602011230288892\r\n"      // older than the local file
                            "K201801010101288862.mxy\r\n"  // no local file
                            "x202601010101288863\r\n"      // other letter: the folder before
                            "\r\n"
                            "D202601010101ab123\r\n"       // 18 characters: no entry
                            "202606010000 a second version line\r\n"
                            "E202601010101710000.mxy\r\n"
                            "M202601010101readme.txt\r\n";
    serveList(list);
    const struct {
        const char* server;
        const char* local;
        QByteArray bytes;
    } fetched[] = {
        {"xpdata/288890.rar", "xpdata/288890.mxy", "new 288890"},
        {"ksdata/288862.rar", "ksdata/288862.mxy", "marked"},
        {"ksdata/288863.rar", "ksdata/288863.mxy", "marked texts"},
        {"examdata/710000.rar", "examdata/710000.mxy", QByteArray("BM\0\0picture", 11)},
        {"readme.rar", "readme.txt", "read me"},
    };
    QStringList expected;
    for (const auto& f : fetched) {
        server.route(kBase + QLatin1String(f.server), f.bytes);
        expected << kBase + QLatin1String(f.server);
    }

    openAndCheck();

    EXPECT_EQ(fetchedAfterTheList(), expected);
    for (const auto& f : fetched)
        EXPECT_EQ(fileBytes(path(f.local)), f.bytes) << f.local;
    EXPECT_EQ(fileBytes(path("xpdata/288891.mxy")), "same minute");
    EXPECT_EQ(fileBytes(path("xpdata/288892.mxy")), "newer here");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("已更新5/5文件。请重新打开软件！"));
    EXPECT_EQ(boxes[1].title, kTitle);
    EXPECT_FALSE(boxes[1].yesNo);
    // The list is now the installed bank version.
    EXPECT_EQ(fileBytes(path("xpdata/288895.mxy")), list);
    EXPECT_FALSE(QFile::exists(path("uprun.dll")));
    EXPECT_TRUE(updaterStarts.isEmpty());
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(spy.reports.filter(QStringLiteral("tkup")).isEmpty());
}

TEST_F(UpdateWindow, AcceptedUpdateWithNothingNewerStillEnds)
{
    writeFile(path("xpdata/288890.mxy"), "current", minute(2026, 5, 1, 0, 0));
    const QByteArray list = "202606010000\r\nD202601010101288890\r\n";
    serveList(list);
    openAndCheck();
    EXPECT_TRUE(fetchedAfterTheList().isEmpty());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("已更新0/0文件。请重新打开软件！"));
    EXPECT_EQ(fileBytes(path("xpdata/288895.mxy")), list);
    EXPECT_EQ(ends, 1);
}

// A download that fails leaves the old file whole, and the bank keeps its old version so that
// the next check fetches what is missing.
TEST_F(UpdateWindow, AFailedDownloadLeavesTheOldFileAndTheOldBankVersion)
{
    for (const bool cutOff : {false, true}) {
        writeFile(path("xpdata/288890.mxy"), "old 288890", minute(2025, 6, 1, 10, 0));
        writeFile(path("xpdata/288895.mxy"), "202601010000\r\n");
        QFile::remove(path("ksdata/288862.mxy"));
        serveList("202606010000\r\nD202606011000288890\r\nK201801010101288862\r\n");
        if (cutOff)
            server.cut(kBase + QStringLiteral("xpdata/288890.rar"), "half of it");
        else
            server.route(kBase + QStringLiteral("xpdata/288890.rar"), "gone", 404);
        server.route(kBase + QStringLiteral("ksdata/288862.rar"), "marked");
        boxes.clear();
        ends = 0;

        openAndCheck();

        EXPECT_EQ(fileBytes(path("xpdata/288890.mxy")), "old 288890") << cutOff;
        EXPECT_EQ(fileBytes(path("ksdata/288862.mxy")), "marked") << cutOff;
        EXPECT_EQ(QDir(path("xpdata")).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{QStringLiteral("288890.mxy"), QStringLiteral("288895.mxy")}))
            << cutOff;
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].text, QStringLiteral("已更新1/2文件。请重新打开软件！"));
        EXPECT_EQ(fileBytes(path("xpdata/288895.mxy")), "202601010000\r\n");
        EXPECT_EQ(ends, 1);
        FrmUpdata::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A name from the list never leaves its folder: such an entry is counted but never fetched.
TEST_F(UpdateWindow, ANameThatLeavesItsFolderIsRefused)
{
    const QString outside = QFileInfo(dir.path()).dir().filePath(QStringLiteral("evil_o_update.txt"));
    QFile::remove(outside);
    serveList("202606010000\r\n"
              "D202606011000..\\..\\evil_o_update.txt\r\n"
              "K202606011000../../evil_o_update.txt\r\n"
              "K202606011000288862\r\n");
    server.route(kBase + QStringLiteral("ksdata/288862.rar"), "marked");
    openAndCheck();
    EXPECT_EQ(fetchedAfterTheList(), QStringList{kBase + QStringLiteral("ksdata/288862.rar")});
    EXPECT_FALSE(QFile::exists(outside));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("已更新1/3文件。请重新打开软件！"));
    EXPECT_EQ(ends, 1);
}

// An entry naming the running program orders its replacement only when the new program file
// arrived whole in this update: it goes beside the running one under "_bak", and the update
// program is started. A "_bak" file left from before is deleted first, never handed on.
TEST_F(UpdateWindow, TheRunningProgramIsReplacedOnlyByAFileFetchedNow)
{
    const struct {
        const char* name;
        const char* line;
        int status;           // of the program file on the server
        bool updaterThere;
        const char* bak;      // the "_bak" path of the entry, relative to the program folder
        bool ordered;
        const char* server;   // what is fetched after the list
        const char* message;
    } cases[] = {
        {"older", "M202001010101XPPRAC.EXE", 200, true, "xpprac_bak", false, "", "已更新0/0文件。请重新打开软件！"},
        {"newer", "M202701010101XPPRAC.EXE", 200, true, "xpprac_bak", true, "XPPRAC.rar", "已更新1/1文件。请重新打开软件！"},
        {"user folder", "K202701010101xpprac.exe", 200, true, "ksdata/xpprac_bak", true, "ksdata/xpprac.rar", "已更新1/1文件。请重新打开软件！"},
        {"newer, not fetched", "M202701010101xpprac.exe", 404, true, "xpprac_bak", false, "xpprac.rar", "已更新0/1文件。请重新打开软件！"},
        // "xpprac" becomes "xpprac.mxy": another file, which this server does not have.
        {"no update program", "M202701010101xpprac", 404, true, "xpprac_bak", false, "xpprac.rar", "已更新0/1文件。请重新打开软件！"},
        {"update program missing", "M202701010101xpprac.exe", 200, false, "xpprac_bak", true, "xpprac.rar", "已更新1/1文件。请重新打开软件！"},
    };
    for (const auto& c : cases) {
        writeFile(path("xpprac"), "running", minute(2026, 1, 1, 0, 0));
        writeFile(path("xpprac_bak"), "old program");
        writeFile(path("ksdata/xpprac_bak"), "old program");
        QFile::remove(path("uprun.dll"));
        serveList("202606010000\r\n" + QByteArray(c.line) + "\r\n");
        if (*c.server)
            server.route(kBase + QLatin1String(c.server), "new program", c.status);
        server.clearTargets();
        boxes.clear();
        updaterStarts.clear();
        spy.reports.clear();
        updaterPresent = c.updaterThere;
        ends = 0;

        openAndCheck();

        EXPECT_EQ(fileBytes(path("xpprac")), "running") << c.name;
        EXPECT_EQ(fetchedAfterTheList(), *c.server ? QStringList{kBase + QLatin1String(c.server)} : QStringList())
            << c.name;
        if (c.ordered) {
            EXPECT_EQ(fileBytes(path(c.bak)), "new program") << c.name;
            EXPECT_EQ(fileBytes(path("uprun.dll")), (path(c.bak) + QStringLiteral("\r\n")).toUtf8()) << c.name;
            EXPECT_EQ(updaterStarts, QStringList{path("kvitpk.rar")}) << c.name;
        } else {
            EXPECT_FALSE(QFile::exists(path("uprun.dll"))) << c.name;
            EXPECT_TRUE(updaterStarts.isEmpty()) << c.name;
        }
        // The old "_bak" of the entry's folder is gone unless the new program took its place;
        // the other folder's is not the entry's business.
        if (std::string(c.name) != "no update program") {
            EXPECT_NE(fileBytes(path(c.bak)), "old program") << c.name;
        }
        ASSERT_EQ(boxes.size(), 2u) << c.name;
        EXPECT_EQ(boxes[1].text, QString::fromUtf8(c.message)) << c.name;
        EXPECT_EQ(spy.reports.contains(QStringLiteral("tkup:53")), !c.updaterThere) << c.name;
        EXPECT_EQ(ends, 1) << c.name;
        FrmUpdata::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A name with sub-folders that stay inside the entry's folder is fetched into that sub-folder
// (found ignoring letter case; the program creates none); ".." and absolute names stay refused.
TEST_F(UpdateWindow, NamesWithSubFoldersStayInsideTheirFolder)
{
    QDir(path("examdata")).mkpath(QStringLiteral("pics/small"));
    const QString outside = QFileInfo(dir.path()).dir().filePath(QStringLiteral("evil_o_update.txt"));
    QFile::remove(outside);
    serveList("202606010000\r\n"
              "E202606011000pics\\x.mxy\r\n"
              "E202606011000PICS/Small\\y\r\n"
              "D202606011000nothere\\z.mxy\r\n"
              "E202606011000pics\\..\\..\\..\\evil_o_update.txt\r\n"
              "E202606011000\\evil_o_update.txt\r\n"
              "E202606011000/tmp/evil_o_update.txt\r\n"
              "E202606011000C:\\evil_o_update.txt\r\n"
              "E202606011000pics\\\\double.txt\r\n");
    server.route(kBase + QStringLiteral("examdata/pics/x.rar"), "x picture");
    server.route(kBase + QStringLiteral("examdata/PICS/Small/y.rar"), "y picture");

    openAndCheck();

    // Nothing is asked for a sub-folder that is not there: that entry is attempted, not fetched.
    EXPECT_EQ(fetchedAfterTheList(), (QStringList{kBase + QStringLiteral("examdata/pics/x.rar"),
                                                  kBase + QStringLiteral("examdata/PICS/Small/y.rar")}));
    EXPECT_EQ(fileBytes(path("examdata/pics/x.mxy")), "x picture");
    EXPECT_EQ(fileBytes(path("examdata/pics/small/y.mxy")), "y picture");
    EXPECT_FALSE(QFileInfo::exists(path("xpdata/nothere")));
    EXPECT_FALSE(QFile::exists(outside));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/evil_o_update.txt")));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("已更新2/8文件。请重新打开软件！"));
}
