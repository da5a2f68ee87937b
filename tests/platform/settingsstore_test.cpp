#include "common/namedpipe.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace reg = platform::registry;

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        reg::setStoreFile(dir.filePath(QStringLiteral("store.ini")));
    }
    void TearDown() override { reg::setStoreFile({}); }
    QTemporaryDir dir;
};

TEST_F(SettingsStore, ValuesLandUnderTheirKeyWithTypeAndBytes)
{
    long h = 0;
    ASSERT_EQ(reg::createKey(reg::CurrentUser, QStringLiteral("Software\\tavo"), h), reg::Success);
    EXPECT_EQ(reg::setValue(h, QStringLiteral("ProPath05"), reg::TypeSz, "C:/x***"), reg::Success);
    EXPECT_EQ(reg::setValue(h, QStringLiteral("a/b\\c%"), reg::TypeBinary, QByteArray("\x01\x00", 2)),
              reg::Success);
    EXPECT_EQ(reg::closeKey(h), reg::Success);

    const auto v = reg::readValue(reg::CurrentUser, QStringLiteral("Software/tavo"),
                                  QStringLiteral("ProPath05"));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, reg::TypeSz);
    EXPECT_EQ(v->data, QByteArray("C:/x***"));
    const auto odd = reg::readValue(reg::CurrentUser, QStringLiteral("Software\\tavo"),
                                    QStringLiteral("a/b\\c%"));
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->data, QByteArray("\x01\x00", 2));
    // Another root is another key.
    EXPECT_FALSE(reg::readValue(reg::LocalMachine, QStringLiteral("Software\\tavo"),
                                QStringLiteral("ProPath05")));
}

TEST_F(SettingsStore, FailuresGiveErrorCodes)
{
    long h = 0;
    EXPECT_EQ(reg::createKey(0x12345u, QStringLiteral("Software"), h), reg::InvalidHandle);
    EXPECT_EQ(reg::setValue(987654, QStringLiteral("x"), reg::TypeSz, "y"), reg::InvalidHandle);
    EXPECT_EQ(reg::closeKey(987654), reg::InvalidHandle);

    // A store that cannot be written: its folder is a file.
    reg::setStoreFile(dir.filePath(QStringLiteral("store.ini")) + QStringLiteral("/inner.ini"));
    QFile blocker(dir.filePath(QStringLiteral("store.ini")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(reg::createKey(reg::CurrentUser, QStringLiteral("Software\\tavo"), h),
              reg::AccessDenied);
}

// A store that is there but cannot be read (a named pipe, a file far longer than any store) gives
// no value, at once, and takes none: it is never overwritten.
TEST_F(SettingsStore, AStoreThatCannotBeReadIsNeitherWaitedOnNorOverwritten)
{
    const QString store = dir.filePath(QStringLiteral("store.ini"));
    long h = 0;
    ASSERT_EQ(reg::createKey(reg::CurrentUser, QStringLiteral("Software\\tavo"), h), reg::Success);
    ASSERT_EQ(reg::setValue(h, QStringLiteral("v"), reg::TypeSz, "x"), reg::Success);
    ASSERT_TRUE(QFile::remove(store));
    ASSERT_TRUE(namedpipe::make(store));
    {
        const namedpipe::BlockGuard guard({store});
        EXPECT_FALSE(reg::readValue(reg::CurrentUser, QStringLiteral("Software\\tavo"), QStringLiteral("v")));
        EXPECT_EQ(reg::setValue(h, QStringLiteral("v"), reg::TypeSz, "y"), reg::AccessDenied);
        EXPECT_EQ(reg::createKey(reg::CurrentUser, QStringLiteral("Software\\other"), h), reg::AccessDenied);
        EXPECT_FALSE(guard.freed()) << "the store's pipe was waited on";
    }
    EXPECT_FALSE(QFileInfo(store).isFile()) << "the pipe was replaced";

    ASSERT_TRUE(QFile::remove(store));
    QFile big(store);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("[HKEY_CURRENT_USER]\r\n");
    big.close();
    ASSERT_EQ(::truncate(QFile::encodeName(store).constData(), platform::kProgramFileBytes + 1), 0);
    EXPECT_EQ(reg::createKey(reg::CurrentUser, QStringLiteral("Software\\tavo"), h), reg::AccessDenied);
    EXPECT_EQ(QFileInfo(store).size(), platform::kProgramFileBytes + 1) << "the damaged store was overwritten";
}
