#include "platform/networkaccess.h"
#include "toolkit/realticks.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests drive the window timers through fire(): none ticks by itself in the middle of a test.
    tk::setRealTicks(false);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    platform::endNetworkAccess();
    return result;
}
