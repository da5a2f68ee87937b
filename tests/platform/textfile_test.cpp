#include "common/privileges.h"
#include "platform/textfile.h"
#include "rawfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <memory>
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
        EXPECT_EQ(r.readable(), c.readable) << c.path.toStdString() << " " << c.n;
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
}

namespace {

// Every entry of the folder, files and folders, as named on disk.
QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// The bytes as a file, or (nullptr) a folder with a file in it.
void put(const QString& path, const char* bytes)
{
    if (!bytes) {
        QDir().mkpath(path);
        put(path + "/inside", "x");
        return;
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Collects the names markers are set aside under, for as long as it lives.
struct SetAside {
    SetAside()
    {
        setUnsettledMarkerReporter([this](const QString& path) { kept << QFileInfo(path).fileName(); });
    }
    ~SetAside() { setUnsettledMarkerReporter({}); }
    QStringList kept;
};

} // namespace

// Whatever an earlier set left in the folder, the next settling finishes or undoes it or sets its
// marker aside (reported once, kept for inspection), and later sets are written again. The user
// folder is asked for as "ksdata" whatever its letter case on disk.
TEST(FileSet, NothingAnEarlierSetLeftStopsLaterSets)
{
    struct Entry {
        const char* name;
        const char* bytes; // nullptr: a folder with a file in it
    };
    const struct {
        const char* what;
        const char* folder;      // the user folder on disk
        std::vector<Entry> left; // what the earlier set left beside a.mxy and b.mxy; its marker first
        const char *a, *b;       // a.mxy and b.mxy once settled
        QStringList kept;        // entries left beside a.mxy and b.mxy, also after a new set
        bool setAside;           // the marker was set aside as "fileset.pending.unsettled"
    } cases[] = {
        {"empty marker", "ksdata", {{"fileset.pending", ""}}, "old a", "old b", {}, false},
        {"marker cut short in its list", "ksdata", {{"fileset.pending", "undo\r\na.m"}}, "old a", "old b", {}, false},
        {"marker that is a folder", "ksdata", {{"fileset.pending", nullptr}}, "old a", "old b",
         {"fileset.pending.unsettled"}, true},
        {"finish whose file has become a folder", "ksdata",
         {{"fileset.pending", "finish\r\nf.mxy\r\na.mxy\r\n"}, {"f.mxy", nullptr}, {"f.mxy.pending", "f"},
          {"a.mxy.pending", "mid a"}},
         "mid a", "old b", {"f.mxy", "f.mxy.pending", "fileset.pending.unsettled"}, true},
        {"temporary files of the marker's own rewrite", "ksdata",
         {{"fileset.pending.unsettled", "set aside before"}, {"fileset.pending.Ab3xZ9", "undo\r\n"},
          {"FILESET.PENDING.q1W2e3", "fin"}},
         "old a", "old b", {"fileset.pending.unsettled"}, false},
        {"marker in capitals", "ksdata", {{"FILESET.PENDING", "finish\r\na.mxy\r\n"}, {"a.mxy.pending", "mid a"}},
         "mid a", "old b", {}, false},
        {"user folder in capitals", "KSDATA", {{"fileset.pending", "finish\r\nb.mxy\r\n"}, {"b.mxy.pending", "mid b"}},
         "old a", "mid b", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        ASSERT_TRUE(QDir(root.path()).mkdir(c.folder));
        const QString disk = root.filePath(c.folder);
        const QString asked = root.filePath("ksdata");
        put(disk + "/a.mxy", "old a");
        put(disk + "/b.mxy", "old b");
        for (const Entry& e : c.left)
            put(disk + '/' + e.name, e.bytes);
        const QStringList kept = QStringList{"a.mxy", "b.mxy"} + c.kept;
        const SetAside aside;

        settleFileSet(asked);
        EXPECT_EQ(readRaw(disk + "/a.mxy"), c.a);
        EXPECT_EQ(readRaw(disk + "/b.mxy"), c.b);
        EXPECT_EQ(entries(disk), kept);
        EXPECT_TRUE(writeFileSet(asked, {{asked + "/a.mxy", "new a"}, {asked + "/b.mxy", "new b"}}));
        EXPECT_EQ(readRaw(disk + "/a.mxy"), "new a");
        EXPECT_EQ(readRaw(disk + "/b.mxy"), "new b");
        EXPECT_EQ(entries(disk), kept);

        // Reported once, and kept as it was.
        settleFileSet(asked);
        EXPECT_EQ(aside.kept, c.setAside ? QStringList{"fileset.pending.unsettled"} : QStringList());
        if (c.setAside) {
            const QString unsettled = disk + "/fileset.pending.unsettled";
            if (c.left.front().bytes)
                EXPECT_EQ(readRaw(unsettled), c.left.front().bytes);
            else
                EXPECT_EQ(readRaw(unsettled + "/inside"), "x");
        }
    }
}

namespace {

// Every entry of the folder with its bytes ("->" and the target for a link, "/" for a folder).
QMap<QString, QByteArray> contents(const QString& dir)
{
    QMap<QString, QByteArray> out;
    for (const QString& name : entries(dir)) {
        const QFileInfo info(dir + u'/' + name);
        out.insert(name, info.isSymLink() ? "->" + info.symLinkTarget().toUtf8()
                         : info.isDir()   ? QByteArray("/")
                                          : readRaw(info.filePath()));
    }
    return out;
}

// The entry at path refuses to be replaced from the set's first replacement until the set has met
// the refusal (then it gives in, so that the set's undo can run). The set's hook for as long as
// this lives.
class RefusesUntilMet {
public:
    explicit RefusesUntilMet(const QString& path) : refusal_(path)
    {
        setRewriteHookForTests([this](RewriteStep s) {
            if (s == RewriteStep::Renamed && !engaged_)
                engaged_ = refusal_.engage();
            if (s == RewriteStep::Refused && engaged_ && !met_) {
                met_ = true;
                refusal_.lift();
            }
        });
    }
    ~RefusesUntilMet() { setRewriteHookForTests({}); }
    RefusesUntilMet(const RefusesUntilMet&) = delete;
    RefusesUntilMet& operator=(const RefusesUntilMet&) = delete;
    bool engaged() const { return engaged_; }
    bool met() const { return met_; }

private:
    privileges::Refusal refusal_;
    bool engaged_ = false;
    bool met_ = false;
};

} // namespace

// A file of a set that refuses to be replaced once the set has replaced another never leaves the
// set half applied: it is undone, every file as before, the file it created gone, and later sets
// are written. The refusal holds from the first replacement to the refused one (the folder
// read-only as an ordinary user, the file immutable as root).
TEST(FileSet, AFileThatRefusesToBeReplacedUndoesTheSet)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    put(d + "/a.mxy", "old a");
    put(d + "/b.mxy", "old b");
    const SetAside aside;
    const auto before = contents(d);
    SetResult r;
    {
        const RefusesUntilMet b(d + "/b.mxy");
        r = writeFileSetResult(d, {{d + "/a.mxy", "new a"}, {d + "/c.mxy", "new c"}, {d + "/b.mxy", "new b"}});
        ASSERT_TRUE(b.engaged()) << "the file could not be made to refuse";
        EXPECT_TRUE(b.met());
    }
    EXPECT_EQ(r, SetResult::Undone);
    EXPECT_EQ(contents(d), before) << "every file as before, nothing of the set left";
    EXPECT_TRUE(writeFileSet(d, {{d + "/a.mxy", "new a"}, {d + "/c.mxy", "new c"}}));
    EXPECT_EQ(readRaw(d + "/a.mxy"), "new a");
    EXPECT_EQ(readRaw(d + "/c.mxy"), "new c");
    EXPECT_TRUE(aside.kept.isEmpty());
}

// A marker that can be neither finished nor undone is set aside once and reported, and later sets
// are written: a set an earlier version left "finish"ed whose file cannot take its new bytes, and
// a set killed while it undid itself that cannot give a file its old bytes back (each cannot
// because a folder stands where the file's bytes go).
TEST(FileSet, AMarkerThatCannotBeSettledIsSetAsideOnce)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    put(d + "/a.mxy", "old a");
    put(d + "/b.mxy", "old b");
    const SetAside aside;

    put(d + "/fileset.pending", "finish\r\na.mxy\r\nb.mxy\r\n");
    put(d + "/a.mxy.pending", "mid a");
    ASSERT_TRUE(QDir().mkpath(d + "/b.mxy.pending/x"));
    EXPECT_TRUE(writeFileSet(d, {{d + "/c.mxy", "new c"}}));
    EXPECT_EQ(readRaw(d + "/a.mxy"), "mid a") << "what can be finished is";
    EXPECT_EQ(readRaw(d + "/b.mxy"), "old b");
    EXPECT_EQ(readRaw(d + "/c.mxy"), "new c");
    EXPECT_EQ(aside.kept, QStringList{"fileset.pending.unsettled"});
    ASSERT_TRUE(QDir(d + "/b.mxy.pending").removeRecursively());
    ASSERT_TRUE(QFile::remove(d + "/fileset.pending.unsettled"));

    put(d + "/fileset.pending", "restore\r\na.mxy\r\nb.mxy\r\n/c2.mxy\r\n");
    ASSERT_TRUE(QFile::remove(d + "/a.mxy"));
    ASSERT_TRUE(QDir().mkpath(d + "/a.mxy/x"));
    put(d + "/a.mxy.old", "old a");
    put(d + "/b.mxy.pending", "new b");
    put(d + "/b.mxy.old", "old b");
    put(d + "/c2.mxy", "new c2");
    settleFileSet(d);
    EXPECT_EQ(readRaw(d + "/b.mxy"), "old b");
    EXPECT_FALSE(QFile::exists(d + "/c2.mxy")) << "the file the set created goes";
    EXPECT_FALSE(QFile::exists(d + "/b.mxy.pending"));
    EXPECT_EQ(readRaw(d + "/a.mxy.old"), "old a") << "kept for inspection";
    EXPECT_EQ(aside.kept, (QStringList{"fileset.pending.unsettled", "fileset.pending.unsettled"}));
    EXPECT_TRUE(writeFileSet(d, {{d + "/c.mxy", "newer c"}}));
    settleFileSet(d);
    EXPECT_EQ(aside.kept.size(), 2);
    EXPECT_EQ(readRaw(d + "/c.mxy"), "newer c");
}

// A set keeps the old bytes only of the files it replaces: an ".old" file left beside a file the
// set creates is none of its own. Undone, the set removes the file it created and leaves the stray
// bytes where they were, never in that file; written, it leaves them too.
TEST(FileSet, AStrayOldFileBesideACreatedFileIsNoneOfTheSets)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    put(d + "/a.mxy.old", "stray");
    put(d + "/b.mxy", "old b");

    // Killed while it undid itself, b.mxy replaced and a.mxy created.
    put(d + "/fileset.pending", "restore\r\n/a.mxy\r\nb.mxy\r\n");
    put(d + "/a.mxy", "new a");
    put(d + "/b.mxy", "new b");
    put(d + "/b.mxy.old", "old b");
    settleFileSet(d);
    EXPECT_FALSE(QFile::exists(d + "/a.mxy")) << "the file the set created holds: " << readRaw(d + "/a.mxy").toStdString();
    EXPECT_EQ(readRaw(d + "/b.mxy"), "old b");
    EXPECT_EQ(entries(d), (QStringList{"a.mxy.old", "b.mxy"}));
    EXPECT_EQ(readRaw(d + "/a.mxy.old"), "stray");

    // Undone as it runs, b.mxy refusing to be replaced (as above).
    SetResult r;
    {
        const RefusesUntilMet b(d + "/b.mxy");
        r = writeFileSetResult(d, {{d + "/a.mxy", "new a"}, {d + "/b.mxy", "new b"}});
        ASSERT_TRUE(b.engaged());
    }
    EXPECT_EQ(r, SetResult::Undone);
    EXPECT_FALSE(QFile::exists(d + "/a.mxy")) << "the file the set created holds: " << readRaw(d + "/a.mxy").toStdString();
    EXPECT_EQ(entries(d), (QStringList{"a.mxy.old", "b.mxy"}));
    EXPECT_EQ(readRaw(d + "/a.mxy.old"), "stray");

    EXPECT_TRUE(writeFileSet(d, {{d + "/a.mxy", "new a"}, {d + "/b.mxy", "new b"}}));
    EXPECT_EQ(readRaw(d + "/a.mxy"), "new a");
    EXPECT_EQ(readRaw(d + "/a.mxy.old"), "stray");
    EXPECT_EQ(entries(d), (QStringList{"a.mxy", "a.mxy.old", "b.mxy"}));
}

// Nothing of a set is written through a symbolic link: a dangling link under the marker's name is
// set aside, a link under a ".pending" name is replaced, a link in a file's place refuses the set.
TEST(FileSet, NothingIsWrittenThroughALink)
{
    QTemporaryDir root;
    const QString d = root.filePath("ksdata");
    ASSERT_TRUE(QDir().mkpath(d));
    const QString outside = root.filePath("outside.mxy");
    put(d + "/a.mxy", "old a");
    put(root.filePath("victim.mxy"), "keep");
    ASSERT_TRUE(QFile::link(outside, d + "/fileset.pending"));
    ASSERT_TRUE(QFile::link(root.filePath("victim.mxy"), d + "/a.mxy.pending"));
    const SetAside aside;

    EXPECT_TRUE(writeFileSet(d, {{d + "/a.mxy", "new a"}}));
    EXPECT_EQ(readRaw(d + "/a.mxy"), "new a");
    EXPECT_FALSE(QFileInfo(d + "/a.mxy").isSymLink());
    EXPECT_FALSE(QFileInfo::exists(outside)) << "the marker was written through the link";
    EXPECT_EQ(readRaw(root.filePath("victim.mxy")), "keep");
    EXPECT_EQ(aside.kept, QStringList{"fileset.pending.unsettled"});
    EXPECT_TRUE(QFileInfo(d + "/fileset.pending.unsettled").isSymLink());

    ASSERT_TRUE(QFile::link(root.filePath("victim.mxy"), d + "/b.mxy"));
    EXPECT_EQ(writeFileSetResult(d, {{d + "/a.mxy", "newer a"}, {d + "/b.mxy", "new b"}}), SetResult::Undone);
    EXPECT_EQ(readRaw(d + "/a.mxy"), "new a");
    EXPECT_EQ(readRaw(root.filePath("victim.mxy")), "keep");
    EXPECT_EQ(entries(d), (QStringList{"a.mxy", "b.mxy", "fileset.pending.unsettled"}));
}

// A file whose bytes are already on disk is left out of its set; a set with nothing left writes
// nothing, so an unchanged set succeeds in a folder nothing can be written to (read-only as an
// ordinary user, immutable as root), and a changed one is refused there with every file as it was.
TEST(FileSet, OnlyFilesThatChangeAreWritten)
{
    QTemporaryDir dir;
    const QString d = dir.filePath("ksdata");
    ASSERT_TRUE(QDir().mkpath(d));
    put(d + "/a.mxy", "same a");
    put(d + "/b.mxy", "old b");
    privileges::Refusal folder(d);
    ASSERT_TRUE(folder.engage()) << "the folder could not be made to refuse";
    const auto before = contents(d);

    EXPECT_EQ(writeFileSetResult(d, {{d + "/a.mxy", "same a"}, {d + "/B.MXY", "old b"}}), SetResult::Written);
    EXPECT_EQ(writeFileSetResult(d, {{d + "/a.mxy", "same a"}, {d + "/b.mxy", "new b"}}), SetResult::Undone);
    EXPECT_EQ(contents(d), before);
    folder.lift();
    EXPECT_TRUE(writeFileSet(d, {{d + "/a.mxy", "same a"}, {d + "/b.mxy", "new b"}}));
    EXPECT_EQ(readRaw(d + "/b.mxy"), "new b");
}

// A set that can be neither finished nor undone (its first file, already replaced, refuses to take
// its old bytes back, and the second refuses to be replaced) says so: Mixed, its marker set aside
// and reported once, and later sets of other files are written. Both refuse from the first
// replacement to the failed undoing of the first (the folder read-only as an ordinary user, the
// files immutable as root).
TEST(FileSet, ASetThatCanBeNeitherFinishedNorUndoneSaysSo)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    put(d + "/a.mxy", "old a");
    put(d + "/b.mxy", "old b");
    const SetAside aside;
    privileges::Refusal a(d + "/a.mxy"), b(d + "/b.mxy");
    int renamed = 0;
    bool engaged = false;
    setRewriteHookForTests([&](RewriteStep s) {
        if (s != RewriteStep::Renamed)
            return;
        if (++renamed == 1) {
            engaged = a.engage() && b.engage();
        } else if (renamed == 2) {
            a.lift();
            b.lift();
        }
    });
    const SetResult r = writeFileSetResult(d, {{d + "/a.mxy", "new a"}, {d + "/b.mxy", "new b"}});
    setRewriteHookForTests({});
    ASSERT_TRUE(engaged) << "the files could not be made to refuse";
    EXPECT_EQ(r, SetResult::Mixed);
    EXPECT_EQ(readRaw(d + "/a.mxy"), "new a");
    EXPECT_EQ(readRaw(d + "/b.mxy"), "old b");
    EXPECT_EQ(readRaw(d + "/a.mxy.old"), "old a") << "kept for inspection";
    EXPECT_EQ(aside.kept, QStringList{"fileset.pending.unsettled"});
    EXPECT_TRUE(writeFileSet(d, {{d + "/c.mxy", "new c"}}));
    settleFileSet(d);
    EXPECT_EQ(aside.kept.size(), 1);
}
