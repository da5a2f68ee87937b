// History files that exist, in any letter case, but cannot be read (no read permission, a folder
// in their place) are never taken as missing or empty: a save that needs one writes nothing of its
// set and says so. The permission cases run as an unprivileged user in a child process, so that
// they bite when the tests run as root too.

#include "bank/exercise.h"
#include "common/privileges.h"
#include "history/handin.h"
#include "history/historyfiles.h"
#include "history/leavepractice.h"
#include "history/randompaper.h"
#include "history/testfiles.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace history;
namespace k = bank::kind;

namespace {

using Folder = QMap<QString, QByteArray>; // entry name -> bytes ("/" for a folder)

Folder snapshot(const QString& dir)
{
    Folder f;
    for (const QString& name : QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        f.insert(name, QFileInfo(dir + u'/' + name).isDir() ? QByteArray("/") : testfiles::readRaw(dir + u'/' + name));
    return f;
}

// A user folder under the name given, open to the unprivileged user, with a history in it.
QString userFolder(const QTemporaryDir& root, const char* name)
{
    QFile::setPermissions(root.path(), QFileDevice::Permissions(0x7755));
    QDir(root.path()).mkdir(name);
    const QString dir = root.filePath(name);
    QFile::setPermissions(dir, QFileDevice::Permissions(0x7777));
    const std::pair<const char*, QByteArray> files[] = {
        {"288862", "0101\r\n"},
        {"288872", "T\r\n"},
        {"288863", "0140\r\n"},
        {"288873", "F\r\n"},
        {"288892", "2026-01-01 08:00:00\r\n50\r\nE\r\n2026-01-02 08:00:00\r\n97.5\r\nE\r\n\r\n"},
        {"288893", "TTF\r\nFF\r\n\r\n"},
        {"288891", "L20\r\nL21\r\nL22\r\n"},
        {"182420", "0101\r\n"},
        {"182421", "0202\r\n"},
        {"182422", "0303\r\n"},
    };
    for (const auto& [number, bytes] : files) {
        const QString path = dir + u'/' + number + ".mxy";
        testfiles::writeRaw(path, bytes);
        QFile::setPermissions(path, QFileDevice::Permissions(0x6666));
    }
    return dir;
}

QString paperLine()
{
    QString ids;
    for (int q = 1; q <= kPaperQuestions; ++q)
        ids += bank::idText(100 + q);
    return ids;
}

int code(platform::SetResult r) { return 1 + int(r); }

} // namespace

// The hand-in, leaving a practice, a new random paper and a paper's deletion, with one file they
// need unreadable: nothing is written, and the save says so, whatever the user folder's letter
// case on disk.
TEST(UnreadableHistory, ASaveThatNeedsAnUnreadableFileWritesNothing)
{
    enum class Op { HandIn, HandInRandom, LeaveWholeUnit, LeaveUnit, NewPaper, Deletion };
    const struct {
        const char* what;
        const char* folder; // on disk; asked for as "ksdata"
        const char* file;   // the unreadable one
        bool permission;    // no read permission; else a folder in its place
        Op op;
    } cases[] = {
        {"hand-in, results unreadable, folder in capitals", "KSDATA", "288892", true, Op::HandIn},
        {"hand-in, a folder in the results' place", "ksdata", "288892", false, Op::HandIn},
        {"hand-in, own wrong list unreadable", "ksdata", "288863", true, Op::HandIn},
        {"leave, unit progress unreadable, folder in capitals", "KSDATA", "288893", true, Op::LeaveWholeUnit},
        {"leave, a folder in the unit progress' place", "ksdata", "288893", false, Op::LeaveWholeUnit},
        {"leave, marked flags unreadable, folder in capitals", "KSDATA", "288872", true, Op::LeaveUnit},
        {"leave, a folder in the marked list's place", "ksdata", "288862", false, Op::LeaveUnit},
        {"hand-in of a random paper, its list unreadable", "KSDATA", "288891", true, Op::HandInRandom},
        {"new paper, a moved paper's wrong questions unreadable", "KSDATA", "182421", true, Op::NewPaper},
        {"deletion, a later paper's wrong questions unreadable", "ksdata", "182422", true, Op::Deletion},
        {"deletion, a folder in a later paper's wrong questions' place", "ksdata", "182422", false, Op::Deletion},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        const QString disk = userFolder(root, c.folder);
        const QString unreadable = disk + u'/' + c.file + ".mxy";
        if (c.permission) {
            QFile::setPermissions(unreadable, {});
        } else {
            QFile::remove(unreadable);
            QDir().mkpath(unreadable + "/inside");
        }
        const Folder before = snapshot(disk);
        const QString asked = root.filePath("ksdata");

        const int ran = privileges::asUnprivileged([&] {
            const UserFolder folder = UserFolder::open(asked);
            if (c.op == Op::HandIn || c.op == Op::HandInRandom) {
                const bool random = c.op == Op::HandInRandom;
                const int paper = random ? 21 : 0;
                const auto ids = random ? readHandedInPaperIds(folder, QString(), k::RandomPaper, 0, paper)
                                        : std::optional<QString>(paperLine());
                const HandInInput in{random ? k::RandomPaper : k::FixedPaper, 0, paper, {{101, 5}, {102, 1}, {103, 6}},
                                     ids, "2026-02-01 09:00:00", QDateTime::currentDateTime()};
                const HandInOutcome out = handInPaper(in, readHandInFiles(folder));
                return code(writeHandInOutcome(folder, paper, out)) + (out.unreadable ? 10 : 0);
            }
            if (c.op == Op::NewPaper || c.op == Op::Deletion) {
                const auto change = c.op == Op::NewPaper
                                        ? newPaperChange(folder, paperLine(), QDateTime::currentDateTime())
                                        : deletionChange(folder, 20);
                return change ? code(writeSet(folder, change->files)) : 10 + code(platform::SetResult::Undone);
            }
            const LeaveInput in{c.op == Op::LeaveWholeUnit ? k::WholeUnit : k::UnitLearned, 1, 0,
                                {{101, 5}, {102, 3}}};
            const LeaveOutcome out = leavePractice(in, readLeaveFiles(folder, in));
            return code(writeLeaveOutcome(folder, in, out)) + (out.unreadable ? 10 : 0);
        });
        EXPECT_EQ(ran, 10 + code(platform::SetResult::Undone));
        EXPECT_EQ(snapshot(disk), before) << "every file as it was, nothing of a set left";
    }
}

// Leaving a practice that changes nothing writes nothing: in a user folder that cannot be written
// to, the leave succeeds; one that changes something is refused there with every file as it was.
TEST(UnreadableHistory, AnUnchangedLeaveInAReadOnlyFolderSucceeds)
{
    QTemporaryDir root;
    const QString disk = userFolder(root, "KSDATA");
    // Writable again before the temporary folder goes, whoever runs the test.
    const struct Reopen {
        QString path;
        ~Reopen() { QFile::setPermissions(path, QFileDevice::Permissions(0x7777)); }
    } reopen{disk};
    QFile::setPermissions(disk, QFileDevice::Permissions(0x5555));
    const Folder before = snapshot(disk);
    const QString asked = root.filePath("ksdata");
    auto leave = [&](const Questions& questions) {
        return privileges::asUnprivileged([&] {
            const UserFolder folder = UserFolder::open(asked);
            const LeaveInput in{k::UnitLearned, 1, 0, questions};
            return code(writeLeaveOutcome(folder, in, leavePractice(in, readLeaveFiles(folder, in))));
        });
    };
    // Question 0101 is still marked: the marked store stays as it is.
    EXPECT_EQ(leave({{101, 6}, {102, 1}}), code(platform::SetResult::Written));
    // Question 0102 marked now: the store would change.
    EXPECT_EQ(leave({{101, 6}, {102, 2}}), code(platform::SetResult::Undone));
    EXPECT_EQ(snapshot(disk), before);
}
