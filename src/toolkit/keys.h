#pragma once
// Keys in the program's terms: the Windows virtual-key code of the physical key and the shift
// bits (1 Shift, 2 Ctrl, 4 Alt). Letters are 65-90 and the main digits 48-57 whatever the Shift
// state; Shift+"/" is still 191 and "." 190; the numeric keypad has its own codes 96-111; F1-F12
// are 112-123; Enter 13, Esc 27, Space 32, Delete 46.
//
//   tk::KeyInfo k = tk::keyInfo(*event);
//   if (!k.autoRepeat) Form_KeyUp(k.keyCode, k.shift);
//
// The forms and text boxes already raise KeyDown/KeyUp with these values and drop the releases
// of auto-repeat, so a held key gives one KeyUp.

#include <Qt>
#include <QtGlobal>

class QKeyEvent;

namespace tk {

struct KeyInfo {
    int keyCode = 0;         // Windows virtual-key code, 0 when the key has none
    int shift = 0;           // 1 Shift, 2 Ctrl, 4 Alt
    bool autoRepeat = false; // a repeat of a held key
};

KeyInfo keyInfo(const QKeyEvent& event);

int shiftState(Qt::KeyboardModifiers modifiers);

// The mapping itself. nativeScanCode is the X keyboard code (evdev + 8) when the platform gives
// one (xcb, wayland) and 0 otherwise; without it the Qt key decides, read on a US layout.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode);

// The character code a typed text gives to KeyPress (0 when none).
int keyAscii(const QKeyEvent& event);

} // namespace tk
