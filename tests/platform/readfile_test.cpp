// The one reader of the program's files: only a regular file within its kind's bound is read;
// anything else standing under the name is a file that cannot be read, found out at once and
// never taken for a missing one.

#include "common/namedpipe.h"
#include "platform/textfile.h"
#include "rawfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace platform;

namespace {

const char* statusName(ReadStatus s)
{
    switch (s) {
    case ReadStatus::Read: return "Read";
    case ReadStatus::Missing: return "Missing";
    case ReadStatus::Unreadable: return "Unreadable";
    case ReadStatus::TooLarge: return "TooLarge";
    }
    return "?";
}

// Every way the program reads a text file, as one status each; the readers given no bound
// hold the file to kTextFileBytes.
struct Reads {
    ReadStatus bytes, lines, lineN;
    bool allLines, lineNReadable;
};
Reads readEveryWay(const QString& path, qint64 bound = kTextFileBytes)
{
    const LineRead n = readLineN(path, 1, bound);
    Reads r{readFile(path, bound).status, readLines(path, bound).status, n.status, readLines(path, bound).read(),
            n.readable()};
    if (bound == kTextFileBytes) {
        const LineRead d = readLineN(path, 1);
        EXPECT_EQ(d.status, n.status);
        EXPECT_EQ(d.readable(), n.readable());
        EXPECT_EQ(readAllLines(path).has_value(), r.allLines);
    }
    return r;
}

// A sparse file of the given length, line 1 at its start.
void sparse(const QString& path, qint64 length)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write("line 1\r\n"), 8);
    f.close();
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), off_t(length)), 0);
}

} // namespace

// A named pipe (or a link to one, or one under the name in another letter case) where a file of
// the user folder or the data folder is expected, a folder and a dangling link: each read returns
// at once, as a file that cannot be read. Only a name under which nothing stands is missing.
TEST(OneReader, AnythingButARegularFileCannotBeReadAndIsNeverMissing)
{
    QTemporaryDir root;
    const QString ks = root.filePath("ksdata");
    const QString data = root.filePath("xpdata");
    ASSERT_TRUE(QDir().mkpath(ks) && QDir().mkpath(data) && QDir().mkpath(root.filePath("xpdata/l20000.mxy")));
    ASSERT_TRUE(namedpipe::make(ks + "/288891.mxy"));
    ASSERT_TRUE(namedpipe::make(data + "/288895.mxy"));
    ASSERT_TRUE(QFile::link(data + "/288895.mxy", ks + "/170100.mxy"));
    ASSERT_TRUE(QFile::link(root.filePath("gone.mxy"), ks + "/288890.mxy"));
    const namedpipe::BlockGuard guard({ks + "/288891.mxy", data + "/288895.mxy"});

    const struct {
        const char* name;
        QString path;
        ReadStatus status;
    } rows[] = {
        {"a pipe in the user folder", ks + "/288891.mxy", ReadStatus::Unreadable},
        {"a pipe asked in another letter case", ks + "/288891.MXY", ReadStatus::Unreadable},
        {"a pipe in the data folder", data + "/288895.mxy", ReadStatus::Unreadable},
        {"a link to a pipe", ks + "/170100.mxy", ReadStatus::Unreadable},
        {"a dangling link", ks + "/288890.mxy", ReadStatus::Unreadable},
        {"a folder", data + "/L20000.mxy", ReadStatus::Unreadable},
        {"nothing there", ks + "/288892.mxy", ReadStatus::Missing},
        {"no such folder", root.filePath("none/288892.mxy"), ReadStatus::Missing},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const Reads got = readEveryWay(r.path);
        EXPECT_STREQ(statusName(got.bytes), statusName(r.status));
        EXPECT_STREQ(statusName(got.lines), statusName(r.status));
        EXPECT_STREQ(statusName(got.lineN), statusName(r.status));
        EXPECT_FALSE(got.allLines);
        EXPECT_FALSE(got.lineNReadable);
    }
    EXPECT_FALSE(guard.freed()) << "a read waited for a writer of a pipe";
}

// A file longer than its kind's bound is damaged: it cannot be read (it is not missing), however
// little of it a read needs, and not a byte past the bound is read. A file at the bound is read.
// A file that grows past its bound after it was opened cannot be read either.
TEST(OneReader, AFileLongerThanItsBoundCannotBeRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("288891.mxy");

    sparse(path, kTextFileBytes + 1); // the bound of every text read that is given none
    Reads got = readEveryWay(path);
    EXPECT_STREQ(statusName(got.bytes), "TooLarge");
    EXPECT_STREQ(statusName(got.lines), "TooLarge");
    EXPECT_STREQ(statusName(got.lineN), "TooLarge") << "line 1 lies at the start, the file is damaged all the same";
    EXPECT_FALSE(got.allLines);
    EXPECT_FALSE(got.lineNReadable);

    sparse(path, kUserFileBytes + 1);
    got = readEveryWay(path, kUserFileBytes);
    EXPECT_STREQ(statusName(got.bytes), "TooLarge");
    EXPECT_STREQ(statusName(got.lines), "TooLarge");
    EXPECT_STREQ(statusName(got.lineN), "TooLarge");

    sparse(path, kUserFileBytes);
    got = readEveryWay(path, kUserFileBytes);
    EXPECT_STREQ(statusName(got.bytes), "Read");
    EXPECT_STREQ(statusName(got.lineN), "Read");
    EXPECT_TRUE(got.lineNReadable);
    EXPECT_EQ(readLineN(path, 1, kUserFileBytes).text, QStringLiteral("line 1"));

    // Grown since it was opened: the read stops one byte past the bound.
    rawfiles::writeRaw(dir, "grows.mxy", "ab\r\n");
    OpenedFile opened(dir.filePath("grows.mxy"), 1000);
    ASSERT_EQ(opened.status(), ReadStatus::Read);
    ASSERT_EQ(::truncate(QFile::encodeName(dir.filePath("grows.mxy")).constData(), 5000), 0);
    const FileBytes grown = opened.readAll();
    EXPECT_STREQ(statusName(grown.status), "TooLarge");
    EXPECT_TRUE(grown.bytes.isEmpty());
}
