// Start-up cost: the application object, and a form created, shown and exposed.
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another. Besides the benchmark's
// own figures it prints the one-off cold start: the application object, then the first form
// until the platform exposed it.

#include "toolkit/form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

class EmptyForm : public tk::FormT<EmptyForm> {
public:
    EmptyForm() { Move(0, 0, 12000, 9000); }
};

// Shows the form and lets events run until the platform exposed it (at most 5 seconds).
bool showUntilExposed(EmptyForm& f)
{
    f.Show();
    QElapsedTimer limit;
    limit.start();
    while (!(f.windowHandle() && f.windowHandle()->isExposed())) {
        if (limit.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void closeForm()
{
    EmptyForm::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_ShowEmptyForm(benchmark::State& state)
{
    for (auto _ : state) {
        if (!showUntilExposed(EmptyForm::get())) {
            state.SkipWithError("the window was never exposed");
            break;
        }
        state.PauseTiming();
        closeForm();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowEmptyForm)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const double appMs = double(clock.nsecsElapsed()) / 1e6;
    const bool exposed = showUntilExposed(EmptyForm::get());
    const double firstMs = double(clock.nsecsElapsed()) / 1e6;
    closeForm();
    std::printf("cold start on %s: application %.2f ms, first form exposed at %.2f ms%s\n",
                qPrintable(QGuiApplication::platformName()), appMs, firstMs, exposed ? "" : " (never exposed)");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return exposed ? 0 : 1;
}
