#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "history/testfiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace history;

namespace {
void killSelf(int)
{
    ::kill(::getpid(), SIGKILL);
}

// In the child: a file-size limit far below the new file makes the write raise SIGXFSZ while the
// new content is only half on disk, and that turns into SIGKILL, so the process dies between the
// temporary file and the rename, as it would at a power cut or a kill from outside.
[[noreturn]] void rewriteAndDieMidway(const QString& userDir)
{
    ::alarm(60); // a child that never reaches the write dies of SIGALRM and the test fails
    struct sigaction sa {};
    sa.sa_handler = killSelf;
    ::sigaction(SIGXFSZ, &sa, nullptr);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    QStringList table = prefilledResults();
    for (QString& entry : table)
        entry = QString(200, u'9'); // 90 lines of 200 characters: far more than 4096 bytes
    testfiles::writeResults(userDir, table);
    ::_exit(0);
}
} // namespace

TEST(AtomicWriteDeathTest, AKilledRewriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    QStringList table = recordPaperResult(prefilledResults(), 3, "2026-01-02 03:04:05", 87.5, {});
    ASSERT_EQ(testfiles::writeResults(dir.path(), table), platform::SetResult::Written);
    const QString path = testfiles::userFile(dir.path(), kPaperResults);
    const QByteArray before = testfiles::readRaw(path);

    EXPECT_EXIT(rewriteAndDieMidway(dir.path()), ::testing::KilledBySignal(SIGKILL), "");

    // Opening the folder settles what the kill left.
    EXPECT_EQ(readResults(testfiles::folder(dir.path()))->at(10), "87.5");
    EXPECT_EQ(testfiles::readRaw(path), before);
    // The folder is still usable: the next rewrite goes through.
    table = recordPaperResult(table, 3, "2026-01-03 00:00:00", 100, {});
    ASSERT_EQ(testfiles::writeResults(dir.path(), table), platform::SetResult::Written);
    EXPECT_EQ(readResults(testfiles::folder(dir.path()))->at(10), "100");
}
