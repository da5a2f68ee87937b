#include "common/testscope.h"
#include "platform/networkaccess.h"
#include "toolkit/realticks.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<QObject>& scope()
{
    static std::unique_ptr<QObject> s;
    return s;
}

// What a test queued on the context and never ran goes with the test.
class EndScope : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { scope().reset(); }
};

} // namespace

QObject* testscope::context()
{
    if (!scope())
        scope() = std::make_unique<QObject>();
    return scope().get();
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests drive the window timers through fire(): none ticks by itself in the middle of a test.
    tk::setRealTicks(false);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new EndScope);
    const int result = RUN_ALL_TESTS();
    scope().reset();
    platform::endNetworkAccess();
    return result;
}
