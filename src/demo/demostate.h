#pragma once
// Whether a demonstration is really under way. ModData::bYanShiOn says one was asked for; a start
// cancelled before the window came up (the practice left within the starter's two ticks, the
// panel unloaded) may have left it set, and a flag left over must hold nothing up: the surface's
// scene build waits only for a demonstration that is under way.
//
//   if (demo::underWay()) return;      // the surface's timed build waits for the end
//   demo::clearStaleFlag();            // every exercise start, whatever cancels a start

namespace demo {

// The flag is set and the demonstration window is loaded and shown, or the panel's starter is
// armed to bring it up.
bool underWay();

// Clears ModData::bYanShiOn unless a demonstration is under way.
void clearStaleFlag();

} // namespace demo
