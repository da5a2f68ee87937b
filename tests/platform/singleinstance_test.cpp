#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace {

// Sets an environment variable for the life of the object, then puts the old value back.
class EnvSetting {
public:
    EnvSetting(const char* name, std::optional<QByteArray> value) : name_(name)
    {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~EnvSetting()
    {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

QStringList everything(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

TEST(SingleInstance, SecondHolderOfTheSameFolderIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QStringList before = everything(folder.path());
    {
        platform::SingleInstance first(folder.path());
        EXPECT_FALSE(first.previousInstance());
        platform::SingleInstance second(folder.path());
        EXPECT_TRUE(second.previousInstance());

        QTemporaryDir other;
        platform::SingleInstance elsewhere(other.path());
        EXPECT_FALSE(elsewhere.previousInstance());
    }
    platform::SingleInstance again(folder.path());
    EXPECT_FALSE(again.previousInstance());
    // Nothing is ever written into the program folder.
    EXPECT_EQ(everything(folder.path()), before);
}

// The lock belongs to the folder alone: a second copy with another environment, or naming the
// folder by another path, meets the first copy's lock.
TEST(SingleInstance, AnotherEnvironmentOrPathMeetsTheSameLock)
{
    QTemporaryDir folder, runtimeA, runtimeB, tempA, tempB, links;
    ASSERT_TRUE(folder.isValid() && runtimeA.isValid() && runtimeB.isValid() && tempA.isValid() &&
                tempB.isValid() && links.isValid());
    const QString link = links.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QFile::link(folder.path(), link));

    const struct {
        const char* name;
        std::optional<QByteArray> runtime; // XDG_RUNTIME_DIR of the second copy; none: unset
        QByteArray temp;                   // TMPDIR of the second copy
        QString path;                      // how the second copy names the folder
    } cases[] = {
        {"same environment", runtimeA.path().toLocal8Bit(), tempA.path().toLocal8Bit(), folder.path()},
        {"other runtime folder", runtimeB.path().toLocal8Bit(), tempA.path().toLocal8Bit(), folder.path()},
        {"no runtime folder, other temp", std::nullopt, tempB.path().toLocal8Bit(), folder.path()},
        {"through a link", runtimeA.path().toLocal8Bit(), tempA.path().toLocal8Bit(), link},
        {"with a trailing slash", runtimeB.path().toLocal8Bit(), tempB.path().toLocal8Bit(), folder.path() + u'/'},
    };
    for (const auto& c : cases) {
        std::optional<platform::SingleInstance> first;
        {
            const EnvSetting runtime("XDG_RUNTIME_DIR", runtimeA.path().toLocal8Bit());
            const EnvSetting temp("TMPDIR", tempA.path().toLocal8Bit());
            first.emplace(folder.path());
        }
        ASSERT_FALSE(first->previousInstance()) << c.name;
        {
            const EnvSetting runtime("XDG_RUNTIME_DIR", c.runtime);
            const EnvSetting temp("TMPDIR", c.temp);
            platform::SingleInstance second(c.path);
            EXPECT_TRUE(second.previousInstance()) << c.name;
        }
        first.reset();
    }
    // Nothing in any of the folders either copy could have used.
    for (const QTemporaryDir* d : {&folder, &runtimeA, &runtimeB, &tempA, &tempB})
        EXPECT_TRUE(everything(d->path()).isEmpty()) << d->path().toStdString();
}
