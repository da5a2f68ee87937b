#include "platform/networkaccess.h"
#include "toolkit/realticks.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <utility>

namespace {

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

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests drive the window timers through fire(): none ticks by itself in the middle of a test.
    tk::setRealTicks(false);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path())) {
        std::fprintf(stderr, "no working folder of the tests' own\n");
        return 1;
    }
    ::testing::UnitTest::GetInstance()->listeners().Append(new NothingLeftBehind(work.path()));
    const int result = RUN_ALL_TESTS();
    platform::endNetworkAccess();
    QDir::setCurrent(QDir::tempPath()); // the working folder goes with `work`
    return result;
}
