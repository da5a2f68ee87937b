#pragma once
// Places where a handler lets other events run before it returns: the error report's wait, a
// modal window or box, a popup menu, a download. Whatever runs meanwhile can end an exercise,
// unload a window or change the history, so a handler that goes on after such a wait holds
// nothing from before it.
//
// Tests put a probe in that runs at the start of every such wait (enteringWait), so that they
// can act inside the first wait of any handler.
//
// The error report's wait does not take the candidate's input: clicks and keys made during it
// are held back and delivered, in order, once the wait is over (InputHold). Timers, painting and
// the window manager's requests go on as before. A modal window or menu opened inside the wait
// (a time-up box, say) takes its input as usual.

#include <functional>

namespace platform {

enum class WaitKind {
    ErrorReport, // the error report's wait for the web service
    WebRequest,  // any other wait for a web answer
    Download,    // a file download
    ModalWindow, // a window of the program shown modally
    StandardBox, // a standard message box
    PopupMenu,   // a popup menu
};

// Called at the start of every wait; runs the probe of the tests, if any. The probe does not run
// again for waits that start inside itself.
void enteringWait(WaitKind kind);
void setWaitProbeForTests(std::function<void(WaitKind)> probe);

// While one lives, user input (mouse buttons, moves, wheel, keys) to the program's windows is
// held back; it is delivered, in order, when the last one ends, to the windows still shown.
// Input to a modal window or popup opened after the hold began is not held.
class InputHold {
public:
    InputHold();
    ~InputHold();
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;
};

// True while an InputHold lives (input is being held back).
bool isHoldingInput();

} // namespace platform
