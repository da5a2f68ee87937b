// A whole-file rewrite that dies between writing its temporary file and renaming it leaves the old
// file whole: a forked child starts the rewrite, stops itself at that moment and is killed.

#include "platform/textfile.h"
#include "rawfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

using rawfiles::readRaw;

TEST(TextFileRewrite, ProcessKilledMidRewriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("288892.mxy");
    const QString oldText = QStringLiteral("您还未考试！\r\n0\r\nE\r\n");
    ASSERT_TRUE(writeWholeFile(path, oldText));
    const QByteArray oldBytes = readRaw(path);

    QString newText;
    for (int i = 0; i < 20000; ++i)
        newText += QStringLiteral("2024-01-02 03:04:05\r\n97.5\r\nE\r\n");

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        setRewriteHookForTests([](RewriteStep s) {
            if (s == RewriteStep::TempWritten)
                raise(SIGSTOP);
        });
        writeWholeFile(path, newText);
        _exit(0); // never reached: the parent kills the child while it is stopped
    }

    int status = 0;
    ASSERT_EQ(waitpid(child, &status, WUNTRACED), child);
    ASSERT_TRUE(WIFSTOPPED(status)) << "the child did not reach the moment before the rename";
    // The child holds the temporary file with the whole new text; the rename has not happened.
    const qint64 newSize = encodeGbk(newText).size();
    bool tempFileWritten = false;
    const QString fdDir = QStringLiteral("/proc/%1/fd").arg(child);
    for (const QString& fd : QDir(fdDir).entryList(QDir::Files | QDir::System)) {
        const QFileInfo target(fdDir + "/" + fd);
        if (target.symLinkTarget().startsWith(dir.path()) && target.size() == newSize)
            tempFileWritten = true;
    }
    EXPECT_TRUE(tempFileWritten);
    EXPECT_EQ(readRaw(path), oldBytes);

    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    EXPECT_EQ(readRaw(path), oldBytes);
    EXPECT_EQ(readAllLines(path), (QStringList{QStringLiteral("您还未考试！"), "0", "E"}));

    // The next rewrite of the same file goes through.
    ASSERT_TRUE(writeWholeFile(path, "1\r\n"));
    EXPECT_EQ(readRaw(path), QByteArray("1\r\n"));
}
