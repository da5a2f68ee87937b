#pragma once
// FrmStart: the start-up window. Its load refuses a second copy of the program, reads the settings,
// fixes the screen scale and shows a small splash; its one-shot timer then hands over to the home
// window, fixes the run log's name and unloads the start-up window.

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

#include <functional>

class FrmStart : public tk::FormT<FrmStart> {
    Q_OBJECT
public:
    FrmStart();

    void readInfo();
    void UpdataExe();
    QString GetOSVersionOF();
    void Timer1_Timer();

    bool handOverPending() const { return handOverPending_; }

    // How a refused second copy ends: at once, nothing else running. Tests put their own.
    static void setEndProgramForTests(std::function<void()> end);
    // The program folder's lock is taken once and held for the whole run; tests that start the
    // program on folders of their own let it go.
    static void releaseInstanceLockForTests();

    tk::Label Label1{this};
    tk::Timer Timer1{this, 100, false};

protected:
    void Form_Load() override;
    // A close from the window system is refused: only the hand-over closes the start window.
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    bool handOverPending_ = false;
};

namespace app {

// The message a second copy of the program shows before it ends.
QString alreadyRunningText(); // "考试练习系统已在运行。..."

// Shows that message in a standard information box titled "系统提示". On a platform without a
// screen (offscreen) nobody could answer the box: the text also goes to standard error and the
// box closes itself as soon as it is shown.
void showAlreadyRunning();

} // namespace app
