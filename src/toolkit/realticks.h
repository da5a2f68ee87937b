#pragma once
// Whether the window timers tick by themselves. On by default; the test programs switch it off
// so that no timer a window left enabled can tick in the middle of a test's gesture on a busy
// machine: there a timer ticks only through its fire(). A change applies to every timer from its
// next start on (Enabled or Interval set); a timer already counting finishes its count.
//
//   tk::setRealTicks(false);   // the test program's main, before any window is loaded

namespace tk {

void setRealTicks(bool on);

} // namespace tk
