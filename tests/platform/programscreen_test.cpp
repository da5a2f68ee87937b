#include "platform/programfolder.h"
#include "platform/screenmetrics.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace platform;

TEST(ProgramFolder, IsTheProgramFilesFolderUnlessSetForTests)
{
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath());
    setProgramFolder("/tmp/prog/");
    EXPECT_EQ(programFolder(), "/tmp/prog");
    EXPECT_EQ(programPath("ksdata/288892.mxy"), "/tmp/prog/ksdata/288892.mxy");
    setProgramFolder({});
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath());
}

TEST(ScreenMetrics, FifteenTwipsAPixelAndScaleOne)
{
    EXPECT_EQ(twipsPerPixelX(), 15);
    EXPECT_EQ(twipsPerPixelY(), 15);
    EXPECT_EQ(screenScaleX(), 1.0);
    EXPECT_EQ(screenScaleY(), 1.0);
    EXPECT_FALSE(screenSizePixels().isEmpty());
    setScreenSizeOverride(QSize(1024, 600));
    EXPECT_EQ(screenSizePixels(), QSize(1024, 600));
    EXPECT_EQ(screenSizeTwips(), QSize(15360, 9000));
    setScreenSizeOverride({});
}
