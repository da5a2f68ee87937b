#include "platform/textfile.h"
#include "rawfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

using rawfiles::readRaw;
using rawfiles::writeRaw;

TEST(TextFile, GbkRoundTripKeepsCrLfAndWritesNoByteOrderMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.mxy");
    const QString text = QStringLiteral("未完成的题目 1 2\r\nabc\r\n");
    ASSERT_TRUE(writeWholeFile(path, text));
    const QByteArray raw = readRaw(path);
    EXPECT_EQ(raw, QByteArray("\xCE\xB4\xCD\xEA\xB3\xC9\xB5\xC4\xCC\xE2\xC4\xBF 1 2\r\nabc\r\n"));
    auto lines = readAllLines(path);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (QStringList{QStringLiteral("未完成的题目 1 2"), "abc"}));
}

TEST(TextFile, LineNFollowsTheReadFromTheTopRule)
{
    QTemporaryDir dir;
    const QString three = writeRaw(dir, "3.mxy", "one\r\ntwo\r\nthree\r\n");
    const QString empty = writeRaw(dir, "e.mxy", "");
    struct Case { QString path; int n; bool readable; bool exists; QString text; };
    const Case cases[] = {
        {three, 1, true, true, "one"},
        {three, 3, true, true, "three"},
        {three, 4, true, false, "three"},   // beyond the end: the last line read
        {three, 400, true, false, "three"},
        {empty, 1, true, false, ""},
        {dir.filePath("missing.mxy"), 1, false, false, ""},
    };
    for (const Case& c : cases) {
        const LineRead r = readLineN(c.path, c.n);
        EXPECT_EQ(r.readable, c.readable) << c.path.toStdString() << " " << c.n;
        EXPECT_EQ(r.exists, c.exists) << c.path.toStdString() << " " << c.n;
        EXPECT_EQ(r.text, c.text) << c.path.toStdString() << " " << c.n;
    }
}

// A lone lead byte of a double-byte character at the very end reads as an undecodable character,
// as it does before a line end, and the whole-file reader and the line-n reader keep that line.
TEST(TextFile, UnfinishedCharacterAtTheEndKeepsItsLine)
{
    QTemporaryDir dir;
    const QString path = writeRaw(dir, "cut.mxy", "\xFE\r\x81");
    const QString bad(QChar::ReplacementCharacter);
    EXPECT_EQ(decodeGbk("a\x81"), "a" + bad);
    EXPECT_EQ(decodeGbk("\x81\n"), bad + "\n");
    EXPECT_EQ(decodeGbk("\xCE\xB4"), QStringLiteral("未"));
    const auto lines = readAllLines(path);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (QStringList{bad, bad}));
    const LineRead second = readLineN(path, 2);
    EXPECT_TRUE(second.exists);
    EXPECT_EQ(second.text, bad);
}

TEST(TextFile, SplitLinesTakesEveryLineEnd)
{
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (QStringList{"a", ""}));
    EXPECT_TRUE(splitLines("").isEmpty());
}

TEST(TextFile, RewriteIntoMissingFolderFailsAndCreatesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nofolder/x.mxy");
    EXPECT_FALSE(writeWholeFile(path, "x\r\n"));
    EXPECT_FALSE(QDir(dir.filePath("nofolder")).exists());
    EXPECT_FALSE(appendToFile(path, "x\r\n"));
}

// A set of files is written whole or not at all, and the next settling finishes or undoes a set
// that stopped part-way, whichever the marker says.
TEST(FileSet, WrittenWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString a = writeRaw(dir, "a.mxy", "old a\r\n");
    const QString b = writeRaw(dir, "b.mxy", "old b\r\n");
    const QString marker = dir.filePath(kFileSetMarker);

    ASSERT_TRUE(writeFileSet(dir.path(), {{a, "new a\r\n"}, {b, "new b\r\n"}, {dir.filePath("c.mxy"), "c\r\n"}}));
    EXPECT_EQ(readRaw(a), "new a\r\n");
    EXPECT_EQ(readRaw(b), "new b\r\n");
    EXPECT_EQ(readRaw(dir.filePath("c.mxy")), "c\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.mxy", "b.mxy", "c.mxy"}));

    // One file of the set cannot be replaced (a folder stands under its name): none is.
    QDir().mkpath(dir.filePath("d.mxy"));
    EXPECT_FALSE(writeFileSet(dir.path(), {{a, "x\r\n"}, {dir.filePath("d.mxy"), "x\r\n"}}));
    EXPECT_EQ(readRaw(a), "new a\r\n");
    // A file outside the folder is refused.
    EXPECT_FALSE(writeFileSet(dir.path(), {{a, "x\r\n"}, {dir.filePath("d.mxy/e.mxy"), "x\r\n"}}));
    EXPECT_EQ(readRaw(a), "new a\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.mxy", "b.mxy", "c.mxy"}));

    // Interrupted before the set counted as written: undone.
    writeRaw(dir, kFileSetMarker, "undo\r\na.mxy\r\nb.mxy\r\n");
    writeRaw(dir, "a.mxy.pending", "half");
    settleFileSet(dir.path());
    EXPECT_EQ(readRaw(a), "new a\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.mxy", "b.mxy", "c.mxy"}));

    // Interrupted after: finished (a was already renamed, b not yet).
    writeRaw(dir, kFileSetMarker, "finish\r\na.mxy\r\nb.mxy\r\n../c.mxy\r\n");
    writeRaw(dir, "b.mxy.pending", "newer b\r\n");
    settleFileSet(dir.path());
    EXPECT_EQ(readRaw(a), "new a\r\n");
    EXPECT_EQ(readRaw(b), "newer b\r\n");
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.mxy", "b.mxy", "c.mxy"}));

    // A set that cannot be finished yet stays marked, and no new set is written over its marker.
    QDir().mkpath(dir.filePath("f.mxy/inside"));
    writeRaw(dir, kFileSetMarker, "finish\r\nf.mxy\r\n");
    writeRaw(dir, "f.mxy.pending", "f\r\n");
    settleFileSet(dir.path());
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_FALSE(writeFileSet(dir.path(), {{a, "x\r\n"}}));
    EXPECT_EQ(readRaw(a), "new a\r\n");
    QDir(dir.filePath("f.mxy")).removeRecursively();
    settleFileSet(dir.path());
    EXPECT_EQ(readRaw(dir.filePath("f.mxy")), "f\r\n");
    EXPECT_FALSE(QFile::exists(marker));
}
