#include "toolkit/keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace tk {

namespace {

// Virtual-key codes of the X keyboard codes (evdev + 8) of a PC keyboard: the physical keys.
int vkOfScanCode(quint32 code)
{
    static const int mainRows[] = {
        // 9 .. 61
        27, 49, 50, 51, 52, 53, 54, 55, 56, 57, 48, 189, 187, 8, 9,     // Esc 1..0 - = BkSp Tab
        81, 87, 69, 82, 84, 89, 85, 73, 79, 80, 219, 221, 13, 17,       // Q..P [ ] Enter Ctrl
        65, 83, 68, 70, 71, 72, 74, 75, 76, 186, 222, 192, 16, 220,     // A..L ; ' ` Shift \ .
        90, 88, 67, 86, 66, 78, 77, 188, 190, 191,                      // Z..M , . /
    };
    if (code >= 9 && code <= 61)
        return mainRows[code - 9];
    switch (code) {
    case 62: return 16;  // right Shift
    case 64: return 18;  // left Alt
    case 65: return 32;  // Space
    case 66: return 20;  // Caps Lock
    case 67: case 68: case 69: case 70: case 71:
    case 72: case 73: case 74: case 75: case 76: return 112 + int(code - 67); // F1..F10
    case 77: return 144; // Num Lock
    case 78: return 145; // Scroll Lock
    case 94: return 226; // the extra key beside left Shift
    case 95: return 122; // F11
    case 96: return 123; // F12
    case 105: return 17; // right Ctrl
    case 107: return 44; // Print
    case 108: return 18; // right Alt
    case 110: return 36; // Home
    case 111: return 38; // Up
    case 112: return 33; // Page Up
    case 113: return 37; // Left
    case 114: return 39; // Right
    case 115: return 35; // End
    case 116: return 40; // Down
    case 117: return 34; // Page Down
    case 118: return 45; // Insert
    case 119: return 46; // Delete
    case 127: return 19; // Pause
    case 133: return 91; // left Windows key
    case 134: return 92; // right Windows key
    case 135: return 93; // Menu
    default: return 0;
    }
}

// Keypad keys: their own codes with Num Lock on, the navigation codes without.
int vkOfKeypad(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 96 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    case Qt::Key_Enter:
    case Qt::Key_Return: return 13;
    case Qt::Key_Clear: return 12;
    default: return -1; // navigation keys: as on the main block
    }
}

// Keys read from the Qt key alone, on a US layout: a shifted symbol is the key it lies on.
int vkOfQtKey(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 65 + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 48 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Exclam: return 49;
    case Qt::Key_At: return 50;
    case Qt::Key_NumberSign: return 51;
    case Qt::Key_Dollar: return 52;
    case Qt::Key_Percent: return 53;
    case Qt::Key_AsciiCircum: return 54;
    case Qt::Key_Ampersand: return 55;
    case Qt::Key_Asterisk: return 56;
    case Qt::Key_ParenLeft: return 57;
    case Qt::Key_ParenRight: return 48;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: return 0;
    }
}

bool platformGivesScanCodes()
{
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("xcb") || p.startsWith(QLatin1String("wayland"));
}

} // namespace

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int s = 0;
    if (modifiers & Qt::ShiftModifier)
        s |= 1;
    if (modifiers & Qt::ControlModifier)
        s |= 2;
    if (modifiers & Qt::AltModifier)
        s |= 4;
    return s;
}

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode)
{
    if (modifiers & Qt::KeypadModifier) {
        const int vk = vkOfKeypad(qtKey);
        if (vk >= 0)
            return vk;
        return vkOfQtKey(qtKey);
    }
    // Letters follow the layout, as their codes always did.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return vkOfQtKey(qtKey);
    if (nativeScanCode != 0) {
        const int vk = vkOfScanCode(nativeScanCode);
        if (vk != 0)
            return vk;
    }
    return vkOfQtKey(qtKey);
}

KeyInfo keyInfo(const QKeyEvent& event)
{
    const quint32 scan = platformGivesScanCodes() ? event.nativeScanCode() : 0;
    return KeyInfo{virtualKey(event.key(), event.modifiers(), scan), shiftState(event.modifiers()),
                   event.isAutoRepeat()};
}

int keyAscii(const QKeyEvent& event)
{
    const QString t = event.text();
    if (t.isEmpty())
        return 0;
    const ushort c = t.at(0).unicode();
    return c == 127 ? 0 : c; // Delete types no character
}

} // namespace tk
