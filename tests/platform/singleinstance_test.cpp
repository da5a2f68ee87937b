#include "platform/singleinstance.h"

#include <QFileInfo>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, SecondHolderOfTheSameFolderIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden);
    {
        platform::SingleInstance first(folder.path());
        EXPECT_FALSE(first.previousInstance());
        // Within one process QLockFile refuses a second lock of the same file as well.
        platform::SingleInstance second(folder.path());
        EXPECT_TRUE(second.previousInstance());

        QTemporaryDir other;
        platform::SingleInstance elsewhere(other.path());
        EXPECT_FALSE(elsewhere.previousInstance());
    }
    platform::SingleInstance again(folder.path());
    EXPECT_FALSE(again.previousInstance());
    // The lock is never kept in the program folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    EXPECT_FALSE(platform::SingleInstance::lockPath(folder.path()).startsWith(folder.path()));
}
