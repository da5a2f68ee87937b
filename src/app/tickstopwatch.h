#pragma once
// P_Cls_Tick: a stopwatch on the system's millisecond tick counter for loops that must act every
// so many milliseconds and stay responsive. The owner's loop calls DoTickEvents; it tells when a
// period has passed (TickOk), can hold the loop while paused, and lets the program's events run.
//
//   P_Cls_Tick tick;
//   QObject::connect(&tick, &P_Cls_Tick::TickOk, [&] { ++frames; });
//   tick.InitTick(true);
//   while (!tick.oStop())
//       tick.DoTickEvents(40, true, 20);   // every 40 ms; waits here while oPause is set
//   tick.OverTick();
//
// The counter is 32 bits of milliseconds, as the system counter is; elapsed times are taken
// modulo 2^32, so a run across the counter's sign change or its wrap still measures right.
// No window of the program uses the class.

#include <QObject>
#include <functional>

class P_Cls_Tick : public QObject {
    Q_OBJECT
public:
    explicit P_Cls_Tick(QObject* parent = nullptr);

    // Milliseconds since the start tick (CrossedTicks gives the same).
    qint64 CrossedTick() const;
    qint64 CrossedTicks() const { return CrossedTick(); }

    // Starts the stopwatch; false, changing nothing, while it runs already. With
    // bResetPauseAndStop the pause flag is cleared (HavePause(false)) and the stop flag cleared
    // without an event.
    bool InitTick(bool bResetPauseAndStop);
    void OverTick();

    // Holds, letting events run in slices of at most lWaitTime ms (10 ms at the most), while
    // oPause is set and oStop is not, and the application is not quitting.
    void WaitPauseOrStop(qint64 lWaitTime);

    // False at once when less than lTicks ms passed since the last period ended; otherwise ends
    // the period, raises TickOk, waits while paused when asked, lets pending events run once
    // and returns true.
    bool DoTickEvents(qint64 lTicks, bool bWaitPauseOrStopForOver, qint64 lWaitPauseOrStopWaitTime);

    bool oPause() const { return pause_; }
    void setOPause(bool on); // stores and raises HavePause, changed or not
    bool oStop() const { return stop_; }
    void setOStop(bool on); // stores and raises HaveStop, changed or not
    bool isBusy() const { return busy_; }

    // The tick counter; tests put their own. An empty function restores the system's.
    static void setTickSourceForTests(std::function<quint32()> source);

signals:
    void TickOk();
    void Busy(bool busyNow);
    void HavePause(bool paused);
    void HaveStop(bool stopped);

private:
    static quint32 tickCount();
    // Lets events run for ms milliseconds of the tick counter: true, or false at once when the
    // application is quitting.
    bool delay(qint64 ms);

    quint32 startTick_;
    quint32 lastTick_;
    bool pause_ = false;
    bool stop_ = false;
    bool busy_ = false;
};
