#pragma once
// A program folder of its own for the demonstration tests, on the surface's test world, with the
// menu pictures folder and the menu definition file. Operation records are written column by
// column with Rec. The demonstration is started the way the panel's starter does it, and driven
// by firing its timers.

#include "demo/frmyanshi.h"
#include "surface/surfaceworld.h"

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace demotest {

// An operation record: a click step with nothing placed (planes hidden, no hot spot, no text box,
// hint not placed, shared block "0000000000", no second hot spot, background kept).
class Rec {
public:
    explicit Rec(const QString& code = QStringLiteral("0001"))
    {
        m_line = QStringLiteral("0000001") + code.leftJustified(4, u' ', true) + QStringLiteral("888888");
        m_line += QString(196 - m_line.size(), u'0');
        for (int k : {18, 34, 50, 135, 151})
            at(k + 10, QStringLiteral("888888"));
    }
    // Text at column `col` (from 1), over what stands there.
    Rec& at(int col, const QString& text)
    {
        if (m_line.size() < col - 1 + text.size())
            m_line = m_line.leftJustified(col - 1 + text.size(), u'0');
        m_line.replace(col - 1, text.size(), text);
        return *this;
    }
    Rec& num(int col, int value, int width = 5)
    {
        return at(col, QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')));
    }
    Rec& form(const QString& id) { return at(12, id); }
    // Scene picture k (1-5) at (l, t) with picture id.
    Rec& image(int k, int l, int t, const QString& id)
    {
        static constexpr int cols[] = {0, 18, 34, 50, 135, 151};
        return num(cols[k], l).num(cols[k] + 5, t).at(cols[k] + 10, id);
    }
    Rec& hot(int l, int t, int w, int h) { return num(66, l).num(71, t).num(76, w).num(81, h); }
    Rec& box(int l, int t, int w, int h) { return num(86, l).num(91, t).num(96, w).num(101, h); }
    Rec& initial(int ref) { return num(106, ref, 3); }
    Rec& answer(int ref) { return num(109, ref, 3); }
    Rec& hint(int l, int t, int ref) { return num(112, l).num(117, t).num(122, ref, 3); }
    Rec& shared(const QString& ten) { return at(125, ten); }
    Rec& bound(int x, int y) { return num(167, x).num(172, y); }
    Rec& second(int l, int t, int w, int h) { return num(177, l).num(182, t).num(187, w).num(192, h); }
    // A hot spot or second hot spot centred on (x, y), 200 x 100.
    Rec& hotAt(int x, int y) { return hot(x - 100, y - 50, 200, 100); }
    Rec& secondAt(int x, int y) { return second(x - 100, y - 50, 200, 100); }

    QString line() const { return m_line; }
    operator QString() const { return m_line; }

private:
    QString m_line;
};

// The surface's test world (unit 0's exercise files in a data folder of its own) with the menu
// pictures folder, a question text, and the demonstration's fields back to their start values.
// The demonstration window is unloaded before the other windows when the world ends.
class World : public testworld::World {
public:
    explicit World(QSize screen = QSize(1024, 768)) : testworld::World(screen)
    {
        FrmYanShi::resetFields();
        folder = platform::programFolder();
        QDir(folder).mkdir(QStringLiteral("examdata"));
        questions({QStringLiteral("000199演示的题目")});
    }
    ~World()
    {
        ModData::bYanShiOn = false;
        FrmYanShi::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void menuFile(const QStringList& lines) const { writeLines(folder + QStringLiteral("/sMenu.sys"), lines); }
    // A picture of w x h pixels in the folder `in` (the data folder when empty).
    void picture(const QString& id, int w = 20, int h = 10, const QString& in = {}) const
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        img.save((in.isEmpty() ? data : in) + id + QStringLiteral(".mxy"), "PNG");
    }

    // The demonstration started as the panel's starter starts it: surface and panel hidden, the
    // flag set, the window shown (its load builds step 1 and aims the pointer).
    static FrmYanShi& start()
    {
        FrmMain& surface = FrmMain::get();
        FrmTm& panel = FrmTm::get();
        surface.setVisible(false);
        panel.setVisible(false);
        ModData::bYanShiOn = true;
        FrmYanShi& w = FrmYanShi::get();
        w.Show();
        ModData::bYanShiOn = true;
        return w;
    }

    QString folder;
};

// Fires a timer up to `max` times while it stays on; returns how many times it fired.
inline int fireWhileOn(tk::Timer& t, int max = 100)
{
    int n = 0;
    while (n < max && FrmYanShi::isLoaded() && t.Enabled()) {
        t.fire();
        ++n;
    }
    return n;
}

inline QRectF rectOf(const tk::Control& c) { return QRectF(c.Left(), c.Top(), c.Width(), c.Height()); }

// How many elements first to last of a control array are visible.
template <class T>
int visibleCount(const tk::ControlArray<T>& a, int first, int last)
{
    int n = 0;
    for (int i = first; i <= last; ++i)
        n += a[i].Visible();
    return n;
}

// The order in which timers that fall due at the same moment fire: the window's timer order, or
// its reverse (which of two is first is the platform's choice).
enum class Order { Declared, Reversed };

// Drives the running demonstration as time would, in moments of 100 ms. A timer fires when a whole
// number of its intervals has passed since it was last switched on: switching a timer on, also
// when it is on already, starts its count anew, as the toolkit timer does. A timer switched on
// during a moment waits for its interval from then. Returns the ticks of 100 ms it took until the
// demonstration ended, or -1 when it had not ended after maxTicks.
inline int runToEnd(int maxTicks = 5000, const std::function<void(FrmYanShi&)>& eachTick = {},
                    Order order = Order::Declared)
{
    struct Count {
        int starts = 0;  // switch-ons seen
        long since = 0;  // ms at the last switch-on
    };
    std::map<const demo::Timer*, Count> counts;
    const auto timersOf = [order](FrmYanShi& w) {
        std::vector<demo::Timer*> all{&w.Timer1, &w.Timer2, &w.Timer3, &w.Timer4, &w.Timer5, &w.Timer6,
                                      &w.Timer7, &w.Timer8, &w.Timer9, &w.TimerRM, &w.TimerRS, &w.TimEnd};
        if (order == Order::Reversed)
            std::reverse(all.begin(), all.end());
        return all;
    };
    // Switch-ons since the last look start their timers' counts at `now`.
    const auto look = [&](FrmYanShi& w, long now) {
        for (demo::Timer* t : timersOf(w)) {
            Count& c = counts[t];
            if (t->starts() != c.starts) {
                c.starts = t->starts();
                c.since = now;
            }
        }
    };
    if (FrmYanShi::isLoaded())
        look(FrmYanShi::get(), 0);
    for (int tick = 1; tick <= maxTicks; ++tick) {
        if (!FrmYanShi::isLoaded() || !ModData::bYanShiOn)
            return tick - 1;
        const long now = long(tick) * 100;
        FrmYanShi& w = FrmYanShi::get();
        if (eachTick)
            eachTick(w);
        if (!FrmYanShi::isLoaded())
            continue;
        look(w, now);
        std::vector<demo::Timer*> due;
        for (demo::Timer* t : timersOf(w)) {
            const long passed = now - counts[t].since;
            if (t->Enabled() && t->Interval() > 0 && passed > 0 && passed % t->Interval() == 0)
                due.push_back(t);
        }
        for (demo::Timer* t : due) {
            if (!FrmYanShi::isLoaded())
                break;
            if (t->starts() != counts[t].starts)
                continue; // switched on again during this moment: its count starts now
            t->fire();
            if (FrmYanShi::isLoaded())
                look(w, now);
        }
    }
    return FrmYanShi::isLoaded() && ModData::bYanShiOn ? -1 : maxTicks;
}

} // namespace demotest
