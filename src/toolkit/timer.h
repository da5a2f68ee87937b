#pragma once
// The window timer: Interval in milliseconds and Enabled. Setting Enabled true (re)starts the
// count, also when it was running; setting Interval while enabled restarts it with the new
// interval; Interval 0 never ticks. A one-shot timer is one whose handler disables it first.
// A tick never runs the handler inside itself: a tick that comes while the handler still runs
// (in a modal window of the handler, say) is skipped.
//
//   tk::Timer Timer2{this, 100};            // parent form, interval, off
//   Timer2.onTimer = [this] { Timer2_Timer(); };
//   FrmMain::get().Timer2.setEnabled(true);
//
// Tests do not wait for ticks: fire() runs the handler as a tick would, and only when the timer
// is enabled with an interval above 0 (it returns whether it ran).

#include <QObject>
#include <functional>

class QTimer;

namespace tk {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, int intervalMs = 0, bool enabled = false);
    ~Timer() override;

    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);

    bool fire();

    std::function<void()> onTimer;

private:
    void restart();

    QTimer* timer_;
    int interval_ = 0;
    bool enabled_ = false;
    bool running_ = false;
};

} // namespace tk
