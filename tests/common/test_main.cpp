#include "common/testscope.h"
#include "platform/networkaccess.h"
#include "toolkit/realticks.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

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

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Tests write only inside their own temporary folders. Each test binary works in a fresh empty
// folder of its own; whatever a test leaves there (a file written through an empty or relative
// path) fails that test, and is removed so that the next test starts clean.
class NothingLeftBehind : public ::testing::EmptyTestEventListener {
public:
    explicit NothingLeftBehind(QString folder) : folder_(std::move(folder)) {}

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const QStringList left = entries(folder_);
        if (left.isEmpty())
            return;
        ADD_FAILURE() << "the test left files in the working folder: "
                      << left.join(QStringLiteral(", ")).toStdString();
        for (const QString& name : left) {
            const QString path = QDir(folder_).filePath(name);
            if (!QDir(path).removeRecursively())
                QFile::remove(path);
        }
    }

private:
    QString folder_;
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
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path())) {
        std::fprintf(stderr, "no working folder of the tests' own\n");
        return 1;
    }
    ::testing::UnitTest::GetInstance()->listeners().Append(new NothingLeftBehind(work.path()));
    const int result = RUN_ALL_TESTS();
    scope().reset();
    platform::endNetworkAccess();
    QDir::setCurrent(QDir::tempPath()); // the working folder goes with `work`
    return result;
}
