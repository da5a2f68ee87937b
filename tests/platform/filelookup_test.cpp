#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {
void touch(const QString& path, const QByteArray& bytes = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
std::string s(const std::optional<QString>& p) { return p ? p->toStdString() : "(none)"; }
} // namespace

TEST(FileLookup, FindsTheFileWhateverTheLetterCase)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    touch(d + "/L20060.MXY");
    touch(d + "/288890.mxy");
    touch(d + "/未完成.mxy");
    QDir(d).mkdir("ExamData");
    struct Case { QString name; std::optional<QString> found; };
    const Case cases[] = {
        {"l20060.mxy", d + "/L20060.MXY"},
        {"L20060.MXY", d + "/L20060.MXY"},
        {"L20060.mxy", d + "/L20060.MXY"},
        {"288890.MXY", d + "/288890.mxy"},
        {"未完成.MXY", d + "/未完成.mxy"},
        {"l20061.mxy", std::nullopt},
        {"examdata", std::nullopt}, // a folder is no file
    };
    for (const Case& c : cases)
        EXPECT_EQ(s(findInFolder(d, c.name)), s(c.found)) << c.name.toStdString();
    EXPECT_EQ(s(findInFolder(d, "examdata", EntryKind::Folder)), s(d + "/ExamData"));
}

TEST(FileLookup, RefusesNamesThatLeaveTheFolder)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    QDir(d).mkdir("a");
    touch(d + "/a/b");
    touch(d + "/x");
    for (const QString name : {"../x", "a/b", "a\\b", "/etc/passwd", "", ".", ".."}) {
        EXPECT_FALSE(findInFolder(d + "/a", name).has_value()) << name.toStdString();
        EXPECT_FALSE(pathForWrite(d, name).has_value()) << name.toStdString();
    }
    EXPECT_FALSE(findFile(d + "/a/../x").has_value());
    EXPECT_FALSE(findFile("").has_value());
}

TEST(FileLookup, FoldersAndWholePathsIgnoreCaseAndTakeBackslashes)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    QDir(d).mkpath("Data/Sub");
    touch(d + "/Data/Sub/L01046.MXY");
    EXPECT_EQ(s(findInFolder(d + "/data/sub/", "l01046.mxy")), s(d + "/Data/Sub/L01046.MXY"));
    EXPECT_EQ(s(findFile(d + "\\DATA\\sub\\l01046.mxy")), s(d + "/Data/Sub/L01046.MXY"));
    EXPECT_FALSE(findInFolder(d + "/nofolder", "l01046.mxy").has_value());
}

TEST(FileLookup, PathForWriteKeepsTheExistingNameElseTakesTheNameAsGiven)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    touch(d + "/288893.MXY");
    EXPECT_EQ(s(pathForWrite(d, "288893.mxy")), s(d + "/288893.MXY"));
    EXPECT_EQ(s(pathForWrite(d, "288862.mxy")), s(d + "/288862.mxy"));
    EXPECT_EQ(s(pathForWrite(d + "/288862.mxy")), s(d + "/288862.mxy"));
    EXPECT_EQ(s(pathForWrite(d + "/nofolder", "a.mxy")), s(d + "/nofolder/a.mxy"));
}

TEST(FileLookup, SeesFilesThatAppearOrGoRightAfterALookup)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    touch(d + "/A.MXY");
    EXPECT_TRUE(findInFolder(d, "a.mxy").has_value());
    EXPECT_FALSE(findInFolder(d, "b.mxy").has_value());
    touch(d + "/B.MXY"); // within the same clock tick as the listing, most likely
    EXPECT_EQ(s(findInFolder(d, "b.mxy")), s(d + "/B.MXY"));
    QFile::remove(d + "/A.MXY");
    EXPECT_FALSE(findInFolder(d, "a.mxy").has_value());
    QFile::rename(d + "/B.MXY", d + "/c.Mxy");
    EXPECT_FALSE(findInFolder(d, "b.mxy").has_value());
    EXPECT_EQ(s(findInFolder(d, "C.MXY")), s(d + "/c.Mxy"));
}

TEST(FileLookup, TextFilesAreReadAndRewrittenWhateverTheLetterCase)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    touch(d + "/288892.MXY", "old\r\n");
    EXPECT_EQ(readAllLines(d + "/288892.mxy"), QStringList{"old"});
    EXPECT_EQ(readLineN(d + "/288892.mxy", 1).text, "old");
    ASSERT_TRUE(writeWholeFile(d + "/288892.mxy", "new\r\n"));
    ASSERT_TRUE(appendToFile(d + "/288892.mxy", "more\r\n"));
    EXPECT_EQ(QDir(d).entryList(QDir::Files), QStringList{"288892.MXY"}); // no second file
    EXPECT_EQ(readAllLines(d + "/288892.MXY"), (QStringList{"new", "more"}));
    EXPECT_FALSE(readAllLines(d + "/288893.mxy").has_value());
}
