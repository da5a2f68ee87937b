#include "app/shownprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <time.h>

namespace app {

namespace {

class ShownProbe : public QObject {
public:
    explicit ShownProbe(std::function<QWidget*()> watched) : watched_(std::move(watched)) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || fired_)
            return false;
        auto* window = qobject_cast<QWindow*>(object);
        QWidget* w = watched_();
        if (!window || !w || w->windowHandle() != window)
            return false;
        fired_ = true;
        // After the exposure has been painted and flushed.
        QTimer::singleShot(0, [] {
            timespec t{};
            clock_gettime(CLOCK_MONOTONIC, &t);
            std::printf("shown %lld\n", (long long)t.tv_sec * 1000000000LL + t.tv_nsec);
            std::fflush(nullptr);
            std::_Exit(0);
        });
        return false;
    }

private:
    std::function<QWidget*()> watched_;
    bool fired_ = false;
};

} // namespace

void exitWhenShown(std::function<QWidget*()> watched)
{
    if (qEnvironmentVariableIsEmpty("XP_EXIT_WHEN_SHOWN") || !QCoreApplication::instance())
        return;
    auto* probe = new ShownProbe(std::move(watched));
    probe->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(probe);
}

} // namespace app
