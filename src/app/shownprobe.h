#pragma once
// A probe for start-up measurements, off unless the environment variable XP_EXIT_WHEN_SHOWN is
// set: the first time the watched window has been exposed and painted, the process prints
// "shown <CLOCK_MONOTONIC nanoseconds>" on standard output and ends at once. bench/ scripts
// time the whole process with it, from exec to a window the user can see.
//
//   app::exitWhenShown([] { return FrmFengmian::isLoaded() ? &FrmFengmian::get() : nullptr; });

#include <functional>

class QWidget;

namespace app {

// Does nothing unless XP_EXIT_WHEN_SHOWN is set. watched is asked at each window exposure which
// top-level widget counts (nullptr: none yet).
void exitWhenShown(std::function<QWidget*()> watched);

} // namespace app
