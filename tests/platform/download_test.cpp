#include "common/closedport.h"
#include "app/localhttp.h"
#include "platform/download.h"
#include "platform/httprequest.h"
#include "platform/networkaccess.h"
#include "routedhttp.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList listing(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Limits under which no wait runs out within any run of the tests.
platform::DownloadLimits endlessLimits()
{
    platform::DownloadLimits limits;
    limits.idleMs = limits.totalMs = 24 * 3600 * 1000;
    return limits;
}

platform::DownloadLimits stallLimits()
{
    platform::DownloadLimits limits;
    limits.idleMs = 300;
    return limits;
}

} // namespace

// Every way a download can end, starting over an old file: the file is either the whole new
// reply or the old file untouched, and nothing else is left in the folder.
TEST(Download, EndsWithTheWholeReplyOrTheOldFileUntouched)
{
    RoutedHttp server;
    // Bytes as they come: a zero byte, CR LF and GBK stay as they are.
    const QByteArray reply("RAR\0\r\n\xce\xc4\r\nend", 12);
    server.route(QStringLiteral("/ok.rar"), reply);
    server.route(QStringLiteral("/empty.rar"), QByteArray());
    server.route(QStringLiteral("/gone.rar"), "gone", 404);
    server.route(QStringLiteral("/fail.rar"), "boom", 500);
    server.cut(QStringLiteral("/cut.rar"), "only the first bytes");
    server.stall(QStringLiteral("/stall.rar"));

    const struct {
        const char* path;
        bool ok;
        QByteArray after;
    } cases[] = {
        {"/ok.rar", true, reply},
        {"/empty.rar", true, QByteArray()},
        {"/gone.rar", false, "old"},
        {"/fail.rar", false, "old"},
        {"/cut.rar", false, "old"},
        {"/stall.rar", false, "old"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("file.mxy"));
        writeBytes(target, "old");
        // A short wait for the next bytes only where the reply stalls; elsewhere no time-out can
        // end the download, so one that waited for a time-out instead of the reply's own end
        // would never end, and the test's run limit fails it.
        const platform::DownloadLimits limits =
            QLatin1String(c.path) == QLatin1String("/stall.rar") ? stallLimits() : endlessLimits();
        EXPECT_EQ(platform::downloadToFile(server.address() + QLatin1String(c.path), target, limits), c.ok)
            << c.path;
        EXPECT_EQ(fileBytes(target), c.after) << c.path;
        EXPECT_EQ(listing(dir.path()), QStringList{QStringLiteral("file.mxy")}) << c.path;
    }
}

TEST(Download, ANewFileAppearsOnlyWhenComplete)
{
    RoutedHttp server;
    server.route(QStringLiteral("/new.rar"), "new");
    server.cut(QStringLiteral("/cut.rar"), "half");
    QTemporaryDir dir;
    EXPECT_FALSE(platform::downloadToFile(server.address() + QStringLiteral("/cut.rar"),
                                          dir.filePath(QStringLiteral("a.mxy"))));
    EXPECT_TRUE(listing(dir.path()).isEmpty());
    EXPECT_TRUE(platform::downloadToFile(server.address() + QStringLiteral("/new.rar"),
                                         dir.filePath(QStringLiteral("b.mxy"))));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("b.mxy"))), "new");
}

// Nothing is asked for, and nothing written, when the address or the target is unfit.
TEST(Download, RefusesAddressesAndTargetsItMayNotUse)
{
    RoutedHttp server;
    server.route(QStringLiteral("/x.rar"), "x");
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("x.mxy"));
    const struct {
        QString url;
        QString target;
    } cases[] = {
        {QStringLiteral("file:///etc/hostname"), target},
        {QStringLiteral("ftp://127.0.0.1/x.rar"), target},
        {QStringLiteral("not an address"), target},
        {QString(), target},
        // The program creates no folder.
        {server.address() + QStringLiteral("/x.rar"), dir.filePath(QStringLiteral("missing/x.mxy"))},
        {server.address() + QStringLiteral("/x.rar"), dir.path()},
        {server.address() + QStringLiteral("/x.rar"), QString()},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(platform::downloadToFile(c.url, c.target)) << c.url.toStdString() << " -> "
                                                                << c.target.toStdString();
    }
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_TRUE(listing(dir.path()).isEmpty());
}

TEST(Download, NobodyListeningFailsAtOnce)
{
    QTemporaryDir dir;
    // No time-out can end it: only the refused connection can.
    EXPECT_FALSE(platform::downloadToFile(closedport::address() + QStringLiteral("/x.rar"),
                                          dir.filePath(QStringLiteral("x.mxy")), endlessLimits()));
    EXPECT_TRUE(listing(dir.path()).isEmpty());
}

// A reply longer than the download's bound fails as a failed download does, as soon as its
// announced length or its bytes pass the bound: the old file stays whole, nothing else is left,
// and no more of a huge reply is read. A reply of exactly the bound is stored.
TEST(Download, AReplyLongerThanItsBoundFailsAndLeavesTheOldFile)
{
    platform::DownloadLimits limits;
    limits.maxBytes = 64 * 1024;
    const qint64 huge = qint64(256) << 20;
    const struct {
        const char* name;
        qint64 length;
        bool announced;
        bool ok;
    } cases[] = {
        {"the bound, announced", limits.maxBytes, true, true},
        {"the bound, no length", limits.maxBytes, false, true},
        {"one byte more, announced", limits.maxBytes + 1, true, false},
        {"one byte more, no length", limits.maxBytes + 1, false, false},
        {"256 MB, announced", huge, true, false},
        {"256 MB, no length", huge, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttp server;
        server.stream(c.length, c.announced);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("170100.mxy"));
        writeBytes(target, "old");
        EXPECT_EQ(platform::downloadToFile(server.address() + QStringLiteral("/ad.rar"), target, limits), c.ok);
        EXPECT_EQ(fileBytes(target), c.ok ? QByteArray(c.length, 'x') : QByteArray("old"));
        EXPECT_EQ(listing(dir.path()), QStringList{QStringLiteral("170100.mxy")});
        EXPECT_LT(server.streamedBytes(), 64 << 20) << "the rest is not read";
    }
}

// The network access object ended before the application goes, as the program's and the tests'
// mains end it: a request after that gets a fresh one and is fetched whole.
TEST(Download, AfterTheNetworkAccessEndedARequestGetsAFreshOne)
{
    LocalHttp server;
    server.stream(100, true);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("x.mxy"));
    ASSERT_TRUE(platform::downloadToFile(server.address() + QStringLiteral("/x.rar"), target));
    platform::endNetworkAccess();
    QFile::remove(target);
    ASSERT_TRUE(platform::downloadToFile(server.address() + QStringLiteral("/x.rar"), target));
    EXPECT_EQ(fileBytes(target), QByteArray(100, 'x'));
}

// A redirect is followed only to the same host and port: one to anywhere else ends a download or a
// request as a failed one, and nothing is asked of the other server.
TEST(Download, FollowsRedirectsOnlyToTheSameHostAndPort)
{
    RoutedHttp server;
    RoutedHttp elsewhere;
    server.route(QStringLiteral("/new.rar"), "new");
    elsewhere.route(QStringLiteral("/new.rar"), "elsewhere");
    server.redirect(QStringLiteral("/same.rar"), server.address() + QStringLiteral("/new.rar"));
    server.redirect(QStringLiteral("/relative.rar"), QStringLiteral("/new.rar"));
    server.redirect(QStringLiteral("/other.rar"), elsewhere.address() + QStringLiteral("/new.rar"));
    server.redirect(QStringLiteral("/chain.rar"), QStringLiteral("/other.rar"), 301);

    const struct {
        const char* path;
        bool ok;
    } cases[] = {{"/same.rar", true}, {"/relative.rar", true}, {"/other.rar", false}, {"/chain.rar", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const QString url = server.address() + QLatin1String(c.path);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("file.mxy"));
        writeBytes(target, "old");
        EXPECT_EQ(platform::downloadToFile(url, target), c.ok);
        EXPECT_EQ(fileBytes(target), c.ok ? QByteArray("new") : QByteArray("old"));
        EXPECT_EQ(listing(dir.path()), QStringList{QStringLiteral("file.mxy")});

        platform::HttpRequest request;
        QSignalSpy finished(&request, &platform::HttpRequest::finished);
        ASSERT_TRUE(request.send(url));
        ASSERT_TRUE(finished.wait(5000));
        EXPECT_EQ(request.isComplete(), c.ok);
        EXPECT_EQ(request.hasFailed(), !c.ok);
        EXPECT_EQ(request.body(), c.ok ? QByteArray("new") : QByteArray());
    }
    EXPECT_TRUE(elsewhere.targets().isEmpty());
}

TEST(Download, RedirectRule)
{
    const struct {
        const char* from;
        const char* to;
        bool allowed;
    } cases[] = {
        {"http://127.0.0.1:18086/a", "http://127.0.0.1:18086/b?x=1", true},
        {"http://Example.org/a", "http://example.ORG:80/b", true},
        {"https://example.org/a", "https://example.org:443/b", true},
        {"http://example.org:8080/a", "https://example.org:8080/b", true},
        {"http://127.0.0.1:18086/a", "http://127.0.0.1:18087/a", false},
        {"http://127.0.0.1:18086/a", "http://localhost:18086/a", false},
        {"http://127.0.0.1:18086/a", "http://127.0.0.2:18086/a", false},
        {"http://example.org/a", "https://example.org/a", false}, // port 443
        {"https://example.org:8443/a", "http://example.org:8443/a", false},
        {"http://example.org/a", "ftp://example.org:80/a", false},
        {"http://example.org/a", "file:///etc/hostname", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::isRedirectAllowed(QUrl(QLatin1String(c.from)), QUrl(QLatin1String(c.to))), c.allowed)
            << c.from << " -> " << c.to;
    }
}
