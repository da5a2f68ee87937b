// The desktop tests' program: each run has an X server and a window manager of its own, started
// before the application and stopped after it. Listing the tests needs neither.

#include "platform/networkaccess.h"
#include "toolkit/realticks.h"
#include "xdesktop.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>

// The desktop platform talks to the session bus through libdbus, which keeps a buffer to the end.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

// A test that ends while it holds the button (a failed assertion between the press and the
// release) lets it go, so that no press of a later test is lost to it.
class LetGoAtTheEnd : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { xdesk::letGo(); }
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QString error;
    if (!xdesk::start(&error)) {
        std::fprintf(stderr, "no desktop for the tests: %s\n", qPrintable(error));
        return 1;
    }
    // The program's timers are driven by the tests, as everywhere else.
    tk::setRealTicks(false);
    ::testing::UnitTest::GetInstance()->listeners().Append(new LetGoAtTheEnd);
    int result = 1;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
        platform::endNetworkAccess();
    }
    xdesk::stop();
    return result;
}
