#include "platform/osversion.h"

#include <gtest/gtest.h>

TEST(OsVersion, MajorMinorOfReleaseTexts)
{
    const struct {
        const char* release;
        const char* expected;
    } cases[] = {
        {"6.1.0-18-amd64", "6.1"}, {"5.10.0", "5.10"}, {"10.0", "10.0"},
        {"04.007-x", "4.7"},       {"6", "Unknown"},   {"", "Unknown"},
        {"abc", "Unknown"},        {"6.x", "Unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::majorMinorOf(QString::fromLatin1(c.release)),
                  QString::fromLatin1(c.expected))
            << c.release;
}

TEST(OsVersion, ThisMachineGivesMajorDotMinor)
{
    EXPECT_TRUE(platform::osVersion().contains(u'.'));
}
