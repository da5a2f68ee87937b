#include "app/tickstopwatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace {

std::function<quint32()>& tickSource()
{
    static std::function<quint32()> source;
    return source;
}

// Milliseconds between two readings of the 32-bit counter, the later one second.
qint64 ticksBetween(quint32 earlier, quint32 later) { return qint64(quint32(later - earlier)); }

} // namespace

P_Cls_Tick::P_Cls_Tick(QObject* parent) : QObject(parent)
{
    startTick_ = lastTick_ = tickCount();
}

void P_Cls_Tick::setTickSourceForTests(std::function<quint32()> source)
{
    tickSource() = std::move(source);
}

quint32 P_Cls_Tick::tickCount()
{
    if (tickSource())
        return tickSource()();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return quint32(quint64(ms.count()));
}

qint64 P_Cls_Tick::CrossedTick() const { return ticksBetween(startTick_, tickCount()); }

bool P_Cls_Tick::InitTick(bool bResetPauseAndStop)
{
    if (busy_)
        return false;
    startTick_ = lastTick_ = tickCount();
    busy_ = true;
    if (bResetPauseAndStop) {
        pause_ = false;
        emit HavePause(false);
        stop_ = false;
    }
    emit Busy(true);
    return true;
}

void P_Cls_Tick::OverTick()
{
    busy_ = false;
    emit Busy(false);
}

void P_Cls_Tick::setOPause(bool on)
{
    pause_ = on;
    emit HavePause(on);
}

void P_Cls_Tick::setOStop(bool on)
{
    stop_ = on;
    emit HaveStop(on);
}

bool P_Cls_Tick::delay(qint64 ms)
{
    const quint32 noted = tickCount();
    QElapsedTimer elapsed;
    elapsed.start();
    const int slice = int(std::clamp<qint64>(ms, 1, 10));
    for (;;) {
        QEventLoop loop;
        QTimer::singleShot(slice, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        // Once the application is quitting every local loop returns at once, with -1, or with
        // the quit's code when the quit came while this one ran.
        if (loop.exec() != 0)
            return false;
        // Either clock ends the delay: the counter, or the time really spent.
        if (ticksBetween(noted, tickCount()) >= ms || elapsed.elapsed() >= ms)
            return true;
    }
}

void P_Cls_Tick::WaitPauseOrStop(qint64 lWaitTime)
{
    // A handler that runs during the wait may delete the stopwatch: then the wait simply ends.
    QPointer<P_Cls_Tick> self(this);
    // Once the application quits, the wait ends: the delay cannot run events any more.
    while (self && pause_ && !stop_) {
        if (QCoreApplication::closingDown() || !delay(lWaitTime))
            return;
    }
}

bool P_Cls_Tick::DoTickEvents(qint64 lTicks, bool bWaitPauseOrStopForOver,
                              qint64 lWaitPauseOrStopWaitTime)
{
    if (ticksBetween(lastTick_, tickCount()) < lTicks)
        return false;
    lastTick_ = tickCount();
    QPointer<P_Cls_Tick> self(this);
    emit TickOk();
    if (self && bWaitPauseOrStopForOver)
        WaitPauseOrStop(lWaitPauseOrStopWaitTime);
    QCoreApplication::processEvents();
    return true;
}
