#include "toolkit/timer.h"

#include "toolkit/control.h"
#include "toolkit/realticks.h"

#include <QPointer>
#include <QTimer>

namespace tk {

namespace {
bool g_realTicks = true;
}

void setRealTicks(bool on) { g_realTicks = on; }

Timer::Timer(QObject* parent, int intervalMs, bool enabled) : QObject(parent), timer_(new QTimer(this))
{
    timer_->setTimerType(Qt::CoarseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { fire(); });
    interval_ = intervalMs < 0 ? 0 : intervalMs;
    enabled_ = enabled;
    restart();
}

Timer::~Timer() = default;

void Timer::setInterval(int ms)
{
    interval_ = ms < 0 ? 0 : ms;
    restart();
}

void Timer::setEnabled(bool on)
{
    enabled_ = on;
    restart();
}

void Timer::restart()
{
    timer_->stop();
    if (enabled_ && interval_ > 0 && g_realTicks)
        timer_->start(interval_);
}

bool Timer::fire()
{
    if (!enabled_ || interval_ <= 0 || running_)
        return false;
    running_ = true;
    QPointer<Timer> self(this);
    raiseEvent(this, onTimer);
    if (self)
        running_ = false;
    return true;
}

} // namespace tk
