#include "common/closedport.h"
#include "app/moddata.h"
#include "reportspy.h"
#include "app/modzcb.h"
#include "localhttp.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"
#include "toolkit/vb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}


// One report through the reporter, and how long it took. Its wait is given up within two
// seconds when it ends at the latest on the first turn of the event loop after them: a busy
// machine may bring that turn late, and a wait that blocks the loop brings none.
struct TimedReport {
    TimedReport()
    {
        QElapsedTimer clock;
        QTimer two;
        two.setSingleShot(true);
        two.setTimerType(Qt::PreciseTimer);
        QObject::connect(&two, &QTimer::timeout, [&] { twoSecondsSeen = clock.elapsed(); });
        clock.start();
        two.start(2000);
        vb::report(QStringLiteral("clickbotn"), 9, QStringLiteral("Subscript out of range"));
        ms = clock.elapsed();
    }
    qint64 latestEnd() const { return std::max<qint64>(2000, twoSecondsSeen) + 100; }

    qint64 ms = 0;
    qint64 twoSecondsSeen = -1; // when the event loop first ran after two seconds
};

class ErrorReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ModData::resetAll();
        ModData::sKeMu = QStringLiteral("Windows XP");
        ModData::sTkVer = QStringLiteral("201501010101");
        ModData::sOsVer = QStringLiteral("6.1");
        ModData::sErrLogFile = dir.filePath(QStringLiteral("20260101120000.txt"));
    }
    void TearDown() override
    {
        ModZCB::setWebServiceAddress({});
        vb::setReporter({});
        platform::setUnsettledMarkerReporter({});
        vb::setClock({});
        ModData::resetAll();
    }
    QTemporaryDir dir;
};

} // namespace

TEST(ErrorReportQuery, KeysInOrderAndEveryValueEncoded)
{
    const struct {
        const char* tag;
        long number;
        const char* text;
        const char* expected;
    } cases[] = {
        {"fmload", 53, "File not found",
         "/up/error/submit.asp?pronm=Windows%20XP&pver=201501010101&osver=6.1&errsub=fmload"
         "&errno=53&errdescript=File%20not%20found"},
        {"tkup", -2147012889, "a&b=c d",
         "/up/error/submit.asp?pronm=Windows%20XP&pver=201501010101&osver=6.1&errsub=tkup"
         "&errno=-2147012889&errdescript=a%26b%3Dc%20d"},
        // Chinese text goes as its GBK bytes: 文 is CE C4, 件 is BC FE.
        {"x?y#", 0, "文件", "/up/error/submit.asp?pronm=Windows%20XP&pver=201501010101&osver=6.1"
                           "&errsub=x%3Fy%23&errno=0&errdescript=%CE%C4%BC%FE"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModZCB::errorReportQuery(QStringLiteral("Windows XP"),
                                           QStringLiteral("201501010101"), QStringLiteral("6.1"),
                                           QString::fromUtf8(c.tag), c.number,
                                           QString::fromUtf8(c.text), QString()),
                  QString::fromLatin1(c.expected));
}

TEST(RunLog, RecordLayoutIsFiveLinesWithTheEntryTrimmed)
{
    const QString entry = ModZCB::runLogEntry(QStringLiteral("readInfo"), -5,
                                              QStringLiteral("Bad  "), QStringLiteral("6.1"),
                                              QStringLiteral("201501010101"));
    EXPECT_EQ(entry, QStringLiteral("软件运行提示:readInfoBad  \r\n系统版本:6.1,软件版本:201501010101,-5\r\n"));
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    EXPECT_EQ(ModZCB::runLogRecord(when, QStringLiteral("  ") + entry),
              QStringLiteral("\r\n2026-03-04 05:06:07\r\n软件运行提示:readInfoBad  \r\n"
                             "系统版本:6.1,软件版本:201501010101,-5\r\n\r\n"));
}

TEST_F(ErrorReport, ReachesTheServerAndAppendsTheEntryInGbk)
{
    LocalHttp server;
    ModZCB::setWebServiceAddress(server.address() + u'/');
    vb::setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(13, 14, 15)); });

    ModZCB::reportError(QStringLiteral("fmload"), 53, QStringLiteral("文件 & =x"), QString());
    ModZCB::reportError(QStringLiteral("upload"), -1, QStringLiteral("b"), QString());

    ASSERT_EQ(server.targets().size(), 2);
    EXPECT_EQ(server.targets().at(0),
              QStringLiteral("/up/error/submit.asp?pronm=Windows%20XP&pver=201501010101&osver=6.1"
                             "&errsub=fmload&errno=53&errdescript=%CE%C4%BC%FE%20%26%20%3Dx"));
    const QByteArray expected = platform::encodeGbk(QStringLiteral(
        "\r\n2026-12-10 13:14:15\r\n软件运行提示:fmload文件 & =x\r\n系统版本:6.1,软件版本:201501010101,53\r\n\r\n"
        "\r\n2026-12-10 13:14:15\r\n软件运行提示:uploadb\r\n系统版本:6.1,软件版本:201501010101,-1\r\n\r\n"));
    EXPECT_EQ(fileBytes(ModData::sErrLogFile), expected);
}

// A server that takes the request and never answers: the report gives up after 1 to 2 seconds,
// and the program's other events run meanwhile.
TEST_F(ErrorReport, SilentServerIsWaitedForOneToTwoSecondsAndOtherEventsRun)
{
    ModZCB::installErrorReporter(); // the real hook: its own request's failure must not come back
    LocalHttp silent;
    silent.hold();
    ModZCB::setWebServiceAddress(silent.address());

    bool otherWindowTicked = false;
    QTimer other;
    other.setSingleShot(true);
    other.setInterval(20);
    QObject::connect(&other, &QTimer::timeout, [&] { otherWindowTicked = true; });
    other.start();

    TimedReport report;

    EXPECT_EQ(silent.heldCount(), 1);
    EXPECT_GE(report.ms, 1000);
    EXPECT_LE(report.ms, report.latestEnd());
    EXPECT_TRUE(otherWindowTicked);
    EXPECT_EQ(ModData::sErrProc, QStringLiteral("clickbotn"));
    const QString log = platform::decodeGbk(fileBytes(ModData::sErrLogFile));
    EXPECT_EQ(log.count(QStringLiteral("软件运行提示:")), 1);
    EXPECT_TRUE(log.contains(QStringLiteral("软件运行提示:clickbotnSubscript out of range\r\n")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\r\n\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n"))
                    .match(log)
                    .hasMatch());
}

// Services that take the request and keep sending, each on a thread of its own as a service
// elsewhere is: fast, with a huge length announced or none, or slow enough that only the time-out
// ends the request. Whatever they send, the report is given up within two seconds (at the latest
// on the first turn of the event loop after them), takes no more of the answer than its bound
// and what is on its way, and writes its entry once.
TEST_F(ErrorReport, AServiceThatKeepsSendingIsGivenUpWithinTwoSeconds)
{
    ModZCB::installErrorReporter();
    const struct {
        const char* name;
        std::function<void(LocalHttp&)> setup;
    } services[] = {
        {"fast, 4 GB announced", [](LocalHttp& s) { s.stream(qint64(4) << 30, true, 1 << 20); }},
        {"fast, no length", [](LocalHttp& s) { s.stream(qint64(4) << 30, false, 1 << 20); }},
        {"2 KB every 10 ms", [](LocalHttp& s) { s.stream(qint64(4) << 30, false, 2048, 10); }},
    };
    int entries = 0;
    for (const auto& c : services) {
        SCOPED_TRACE(c.name);
        LocalHttpThread service(c.setup);
        ModZCB::setWebServiceAddress(service.address());
        const TimedReport report;
        EXPECT_LE(report.ms, report.latestEnd());
        EXPECT_LT(service.streamedBytes(), 32 << 20);
        const QString log = platform::decodeGbk(fileBytes(ModData::sErrLogFile));
        EXPECT_EQ(log.count(QStringLiteral("软件运行提示:clickbotn")), ++entries);
    }
}

// A report whose request plainly failed (nobody listens, or the address cannot even be sent)
// still writes its entry once, and its own failure is not reported again.
TEST_F(ErrorReport, FailedRequestStillWritesTheEntryOnce)
{
    ModZCB::installErrorReporter();
    for (const QString& address : {closedport::address(), closedport::address(QStringLiteral("ftp"))}) {
        QFile::remove(ModData::sErrLogFile);
        ModZCB::setWebServiceAddress(address);
        vb::report(QStringLiteral("clickbotn"), 9, QStringLiteral("Subscript out of range"));
        EXPECT_EQ(ModData::sErrProc, QStringLiteral("clickbotn"));
        const QString log = platform::decodeGbk(fileBytes(ModData::sErrLogFile));
        EXPECT_EQ(log.count(QStringLiteral("软件运行提示:")), 1) << address.toStdString();
        EXPECT_TRUE(log.contains(QStringLiteral("软件运行提示:clickbotnSubscript out of range\r\n")));
    }
}

TEST_F(ErrorReport, ReportNestedInTheWaitKeepsTheOuterEntryIntact)
{
    ModZCB::installErrorReporter();
    LocalHttp server;
    server.hold(); // the outer report waits until its request has reached the server
    ModZCB::setWebServiceAddress(server.address());

    QTimer other;
    other.setInterval(0);
    QObject::connect(&other, &QTimer::timeout, [&] {
        if (server.heldCount() == 0)
            return;
        other.stop();
        server.release();
        vb::ErrorTrap(QStringLiteral("lblinfo"))([] { vb::raise(vb::ErrFileNotFound); });
    });
    other.start();

    vb::report(QStringLiteral("startload"), 481, QStringLiteral("Invalid picture"));
    EXPECT_EQ(ModData::sErrProc, QStringLiteral("lblinfo")); // the state moved on, the entry did not

    const QString log = platform::decodeGbk(fileBytes(ModData::sErrLogFile));
    const qsizetype inner = log.indexOf(QStringLiteral("软件运行提示:lblinfoFile not found\r\n系统版本:6.1,软件版本:201501010101,53\r\n"));
    const qsizetype outer = log.indexOf(QStringLiteral("软件运行提示:startloadInvalid picture\r\n系统版本:6.1,软件版本:201501010101,481\r\n"));
    EXPECT_GE(inner, 0);
    EXPECT_GT(outer, inner); // the inner request ended first
}

// A history file set whose marker could not be settled is reported once, after the settling (which
// runs inside reads and writes of the history) has returned.
TEST_F(ErrorReport, UnsettledHistorySetIsReportedOnceAfterTheSettling)
{
    ModZCB::installErrorReporter();
    LocalHttp server;
    ModZCB::setWebServiceAddress(server.address());
    QTemporaryDir user;
    ASSERT_TRUE(QDir(user.path()).mkpath(QStringLiteral("fileset.pending/x")));

    platform::settleFileSet(user.path());
    EXPECT_TRUE(server.targets().isEmpty()) << "not from inside the settling";
    QTRY_COMPARE(server.targets().size(), 1);
    EXPECT_TRUE(server.targets().front().contains(QStringLiteral("errsub=settlefileset&errno=75")));
    platform::settleFileSet(user.path());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(server.targets().size(), 1);
    const QString log = platform::decodeGbk(fileBytes(ModData::sErrLogFile));
    EXPECT_EQ(log.count(QStringLiteral("软件运行提示:settlefileset")), 1);
}

TEST_F(ErrorReport, NoLogPathOrNoFolderWritesNothingAndRaisesNothing)
{
    LocalHttp server;
    ModZCB::setWebServiceAddress(server.address());
    for (const QString& path : {QString(), dir.filePath(QStringLiteral("ksdata/x.txt"))}) {
        ModData::sErrLogFile = path;
        EXPECT_NO_THROW(ModZCB::reportError(QStringLiteral("t"), 1, QStringLiteral("x"), QString()));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(WebRequest, OnlyA2xxReplyIsText)
{
    LocalHttp ok(200, platform::encodeGbk(QStringLiteral("  201512311200 版本\r\n  ")));
    EXPECT_EQ(ModZCB::getHtmlStr(ok.address() + QStringLiteral("/up/list.txt"), 2),
              QStringLiteral("201512311200 版本\r\n"));

    ReportSpy spy;
    for (int status : {404, 500, 302}) {
        LocalHttp bad(status, "error page");
        EXPECT_EQ(ModZCB::getHtmlStr(bad.address() + QStringLiteral("/x"), 0), ModZCB::timeoutText())
            << status;
    }
    EXPECT_EQ(ModZCB::getHtmlStr(closedport::address() + QStringLiteral("/x"), 0),
              ModZCB::timeoutText());
    EXPECT_TRUE(spy.reports.isEmpty());
}

// A request that has plainly failed ends the wait at once, whatever its time-out: asked with a
// time-out of a minute, none of them lets a guard half as long go off.
TEST(WebRequest, PlainlyFailedRequestEndsTheWaitAtOnce)
{
    LocalHttp notFound(404, "error page");
    LocalHttp failing(500, "error page");
    const struct {
        const char* name;
        QString url;
    } cases[] = {
        {"connection refused", closedport::address() + QStringLiteral("/x")},
        {"no such host", QStringLiteral("http://no-such-host.invalid/x")},
        {"not found", notFound.address() + QStringLiteral("/x")},
        {"server error", failing.address() + QStringLiteral("/x")},
        {"cannot be sent", QStringLiteral("ftp://127.0.0.1/x")},
    };
    ReportSpy spy;
    for (const auto& c : cases) {
        int guardsGoneOff = 0;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] { ++guardsGoneOff; });
        guard.start(30000);
        EXPECT_EQ(ModZCB::getHtmlStr(c.url, 60), ModZCB::timeoutText()) << c.name;
        EXPECT_EQ(guardsGoneOff, 0) << c.name;
    }
    EXPECT_EQ(spy.reports, QStringList{QStringLiteral("getHtmlStr:5")}); // only the one not sent
}

TEST(WebRequest, AddressThatCannotBeSentIsReportedOnce)
{
    ReportSpy spy;
    for (const char* url : {"ftp://127.0.0.1/x", "", "not a url"}) {
        spy.reports.clear();
        EXPECT_EQ(ModZCB::getHtmlStr(QString::fromLatin1(url), 0), ModZCB::timeoutText()) << url;
        EXPECT_EQ(spy.reports, QStringList{QStringLiteral("getHtmlStr:5")}) << url;
    }
}

TEST(RegistryWrite, ValuesByType)
{
    QTemporaryDir dir;
    namespace reg = platform::registry;
    reg::setStoreFile(dir.filePath(QStringLiteral("r.ini")));
    const QString key = QStringLiteral("Software\\tavo");
    auto stored = [&](const char* name) {
        return reg::readValue(reg::CurrentUser, key, QString::fromLatin1(name));
    };

    // Text keeps as many bytes as it has characters: 5 double-byte characters lose 5 bytes.
    QVariant text = QStringLiteral("中文字符串") + QString(75, u'*');
    long length = 0;
    EXPECT_EQ(ModZCB::regWriteValue(ModZCB::HKEY_CURRENT_USER_ROOT, key, QStringLiteral("sz"), 1,
                                    text, length), 0);
    EXPECT_EQ(length, 80);
    EXPECT_EQ(stored("sz")->data, platform::encodeGbk(text.toString()).left(80));

    QVariant number = QStringLiteral("258");
    length = 0;
    EXPECT_EQ(ModZCB::regWriteValue(ModZCB::HKEY_CURRENT_USER_ROOT, key, QStringLiteral("dw"), 4,
                                    number, length), 0);
    EXPECT_EQ(length, 4);
    EXPECT_EQ(number, QVariant(vb::Long(258)));
    EXPECT_EQ(stored("dw")->data, QByteArray("\x02\x01\x00\x00", 4));

    QVariant bin = 258.0;
    length = 1;
    EXPECT_EQ(ModZCB::regWriteValue(ModZCB::HKEY_CURRENT_USER_ROOT, key, QStringLiteral("bin"), 3,
                                    bin, length), 0);
    EXPECT_EQ(stored("bin")->data, QByteArray("\x02", 1));

    QVariant other = QStringLiteral("x");
    EXPECT_EQ(ModZCB::regWriteValue(ModZCB::HKEY_CURRENT_USER_ROOT, key, QStringLiteral("multi"), 7,
                                    other, length), 0);
    EXPECT_FALSE(stored("multi"));

    QVariant notNumber = QStringLiteral("abc");
    try {
        ModZCB::regWriteValue(ModZCB::HKEY_CURRENT_USER_ROOT, key, QStringLiteral("dw2"), 4,
                              notNumber, length);
        ADD_FAILURE() << "a text that is no number must raise";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::ErrTypeMismatch);
    }
    EXPECT_NE(ModZCB::regWriteValue(0x7, key, QStringLiteral("x"), 1, text, length), 0);
    reg::setStoreFile({});
}
