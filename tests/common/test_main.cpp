#include "common/testscope.h"
#include "platform/networkaccess.h"
#include "toolkit/realticks.h"

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<QObject>& scope()
{
    static std::unique_ptr<QObject> s;
    return s;
}

// What a test queued on the context and never ran goes with the test; the program's fonts that a
// test put in (substitutes, the application font) go too.
class EndScope : public ::testing::EmptyTestEventListener {
public:
    EndScope() : font_(QApplication::font()) {}

private:
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        scope().reset();
        for (const QString& family : QFont::substitutions())
            QFont::removeSubstitutions(family);
        if (QApplication::font() != font_)
            QApplication::setFont(font_);
    }
    QFont font_;
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
