#include "platform/programfolder.h"
#include "platform/updaterstart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ProgramFolder {
    ProgramFolder() { platform::setProgramFolder(dir.path()); }
    ~ProgramFolder()
    {
        platform::setProgramFolder({});
        platform::setUpdaterStartForTests({});
        platform::setOpenFolderForTests({});
    }
    QTemporaryDir dir;
};

} // namespace

// The update program is a file of the program folder, found whatever the letter case of its name;
// a real start runs it detached, in the program folder.
TEST(UpdaterStart, StartsTheProgramFolderUpdaterWhenItIsThere)
{
    ProgramFolder folder;
    EXPECT_FALSE(platform::startUpdater());

    const QString script = folder.dir.filePath(QStringLiteral("KVITPK.RAR"));
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\necho started > ran.txt\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(platform::startUpdater());
    const QString marker = folder.dir.filePath(QStringLiteral("ran.txt"));
    // As long as a busy machine takes; the test's own time limit ends a hang.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 240000));
}

TEST(UpdaterStart, TestsReceiveThePathInsteadOfAStart)
{
    ProgramFolder folder;
    QStringList started;
    platform::setUpdaterStartForTests([&](const QString& path) {
        started << path;
        return false;
    });
    EXPECT_FALSE(platform::startUpdater());
    EXPECT_EQ(started, QStringList{folder.dir.filePath(QStringLiteral("kvitpk.rar"))});
}

TEST(OpenFolder, OnlyAFolderIsOpened)
{
    ProgramFolder folder;
    // A plain file or a missing path never reaches the desktop.
    EXPECT_FALSE(platform::openFolder(folder.dir.filePath(QStringLiteral("missing"))));
    QFile f(folder.dir.filePath(QStringLiteral("file.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(platform::openFolder(f.fileName()));
}
