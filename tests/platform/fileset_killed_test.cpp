// A set of files written into a user folder asked for in another letter case than it has on disk,
// or over a marker an earlier set left in capitals, with the process killed at each point where
// the set can be cut short in turn: a forked child writes the set, stops itself at that point and
// is killed. Once the folder is settled through the name asked, every file holds its old bytes or
// every file its new ones, and nothing of the set is left behind.

#include "common/privileges.h"
#include "platform/textfile.h"
#include "rawfiles.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

using Folder = QMap<QString, QByteArray>; // entry name -> bytes

Folder snapshot(const QString& dir)
{
    Folder f;
    for (const QString& name :
         QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        f.insert(name, rawfiles::readRaw(dir + u'/' + name));
    return f;
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

enum class Ran { Stopped, Written, Refused };

// Writes the set in a child that stops itself at the k-th point and is killed there. With a
// refusal, its last file refuses to be replaced once the others have been (see Refusal).
Ran writeKilledAt(const QString& asked, int k, privileges::Refusal* refusal = nullptr)
{
    const std::vector<FileWrite> set{{asked + "/288862.mxy", "0101010201030104\r\n"},
                                     {asked + "/288872.mxy", "TFTF\r\n"},
                                     {asked + "/288892.mxy", QByteArray("2026-02-01 09:00:00\r\n97.5\r\nE\r\n")}};
    const pid_t child = fork();
    if (child == 0) {
        ::alarm(60);
        int seen = 0, renamed = 0;
        setRewriteHookForTests([&](RewriteStep s) {
            // Where it holds the whole folder, held from the second replacement to the refusal
            // only, so that the set can be written up to there and undone after.
            if (refusal && privileges::Refusal::holdsFolder()) {
                if (s == RewriteStep::Renamed && ++renamed == 2 && !refusal->engage())
                    _exit(125);
                if (s == RewriteStep::Refused)
                    refusal->lift();
            }
            if (++seen == k)
                raise(SIGSTOP);
        });
        _exit(writeFileSet(asked, set) ? 0 : 1);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, WUNTRACED), child);
    if (WIFSTOPPED(status)) {
        kill(child, SIGKILL);
        EXPECT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status));
        return Ran::Stopped;
    }
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 125) << "the file could not be made to refuse";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Ran::Written : Ran::Refused;
}

} // namespace

TEST(FileSetKilled, EveryFileOldOrEveryFileNewWhateverTheLetterCase)
{
    const struct {
        const char* what;
        const char* folder; // the user folder on disk; it is asked for as "ksdata"
        const char* leftMarker; // a marker an earlier set left, or nullptr
    } cases[] = {
        {"user folder in capitals", "KSDATA", nullptr},
        {"marker left in capitals", "ksdata", "FILESET.PENDING"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto prepare = [&](const QTemporaryDir& root) {
            QDir(root.path()).mkdir(c.folder);
            const QString disk = root.filePath(c.folder);
            put(disk + "/288862.mxy", "01010102\r\n");
            put(disk + "/288872.mxy", "TF\r\n");
            put(disk + "/288892.mxy", "2026-01-01 08:00:00\r\n50\r\nE\r\n");
            if (c.leftMarker)
                put(disk + '/' + c.leftMarker, "undo\r\n288862.mxy\r\n");
            return disk;
        };
        QTemporaryDir startRoot, doneRoot;
        Folder before = snapshot(prepare(startRoot));
        if (c.leftMarker)
            before.remove(c.leftMarker); // an earlier set's marker goes at the next settling
        const QString done = prepare(doneRoot);
        if (writeKilledAt(doneRoot.filePath("ksdata"), 0) != Ran::Written) {
            ADD_FAILURE() << "the set was not written at all";
            continue;
        }
        const Folder after = snapshot(done);
        ASSERT_NE(before, after);
        EXPECT_EQ(after.keys(), before.keys());

        int points = 0, sawBefore = 0, sawAfter = 0;
        for (int k = 1;; ++k) {
            QTemporaryDir root;
            const QString disk = prepare(root);
            if (writeKilledAt(root.filePath("ksdata"), k) != Ran::Stopped)
                break;
            ++points;
            settleFileSet(root.filePath("ksdata")); // what the next read does first
            const Folder now = snapshot(disk);
            EXPECT_TRUE(now == before || now == after) << "killed at point " << k;
            sawBefore += now == before;
            sawAfter += now == after;
            ASSERT_LT(k, 100);
        }
        // The marker written twice, three files written, three renamed.
        EXPECT_GE(points, 10);
        EXPECT_GT(sawBefore, 0);
        EXPECT_GT(sawAfter, 0);
    }
}

// The same set with its last file refusing to be replaced (immutable as root), so it can never be
// finished: whether it runs to its end or is killed at any point, including while it undoes
// itself, every file holds its old bytes once the folder is settled, and nothing of the set is
// left. As an ordinary user the folder is read-only from the second replacement to the refusal
// only (that is how permissions refuse a file): a kill before its marker says "restore" leaves a
// set the settling may finish, every file new; a kill while it undoes itself, every file old.
TEST(FileSetKilled, ASetThatCannotBeFinishedIsUndoneWhereverItIsKilled)
{
    auto prepare = [](const QTemporaryDir& root) {
        QDir(root.path()).mkdir("KSDATA");
        const QString disk = root.filePath("KSDATA");
        put(disk + "/288862.mxy", "01010102\r\n");
        put(disk + "/288872.mxy", "TF\r\n");
        put(disk + "/288892.mxy", "2026-01-01 08:00:00\r\n50\r\nE\r\n");
        return disk;
    };
    QTemporaryDir startRoot, doneRoot;
    const QString start = prepare(startRoot);
    const Folder before = snapshot(start);
    const QString done = prepare(doneRoot);
    ASSERT_EQ(writeKilledAt(doneRoot.filePath("ksdata"), 0), Ran::Written);
    const Folder after = snapshot(done);
    const bool folderWide = privileges::Refusal::holdsFolder();
    {
        privileges::Refusal refusal(start + "/288892.mxy");
        ASSERT_TRUE(folderWide || refusal.engage()) << "the file could not be made to refuse";
        EXPECT_EQ(writeKilledAt(startRoot.filePath("ksdata"), 0, &refusal), Ran::Refused);
    }
    EXPECT_EQ(snapshot(start), before);

    int points = 0;
    QList<bool> undone; // at each point
    for (int k = 1;; ++k) {
        QTemporaryDir root;
        const QString disk = prepare(root);
        privileges::Refusal refusal(disk + "/288892.mxy");
        ASSERT_TRUE(folderWide || refusal.engage());
        const Ran ran = writeKilledAt(root.filePath("ksdata"), k, &refusal);
        if (folderWide)
            refusal.lift();
        if (ran != Ran::Stopped)
            break;
        ++points;
        settleFileSet(root.filePath("ksdata"));
        const Folder now = snapshot(disk);
        undone << (now == before);
        if (folderWide)
            EXPECT_TRUE(now == before || now == after) << "killed at point " << k;
        else
            EXPECT_EQ(now, before) << "killed at point " << k;
        ASSERT_LT(k, 100);
    }
    // The marker written twice, three new files and three old ones written, two files replaced,
    // one refused; then the marker rewritten and the two files given back.
    EXPECT_GE(points, 20);
    // Killed while it undid itself (the marker says "restore"; the first file given back, then the
    // second): every file old, wherever the test runs.
    EXPECT_EQ(undone.mid(undone.size() - 2), (QList<bool>{true, true}));
}
