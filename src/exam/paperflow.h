#pragma once
// What the mock-paper windows (log-on, hand-in, score) share: their quiet steps, the paths they
// read from, their notices, and the docking of the question panel on the work surface.

#include "toolkit/vberror.h"

#include <QString>
#include <utility>

namespace paperflow {

// One step of a procedure that traps nothing: a failure skips it and the next one runs.
template <class F>
void step(F&& f)
{
    vb::attempt(std::forward<F>(f));
}

// A picture of the data folder: sDataPath & id & ".mxy".
QString dataPicture(const char* id);
// The user folder: the program folder's "ksdata".
QString userDir();

// A notice in the program's own message box: the title and, three lines down, the text. Modal;
// returns when the candidate has closed it.
void notice(const QString& title, const QString& text);

// The panel at the surface's bottom-right corner, with the panel's current size.
void dockPanel();

// From the final hand-in until the score window leads on (home, or a review): the windows of the
// paper still on their way out (input-method dialog, hint window, demonstration) bring nothing of
// it back.
bool paperOver();

} // namespace paperflow
