// The question panel's function buttons, its number page and its candidate information page,
// and the timer that shows the practice or the examination buttons.

#include "app/moddata.h"
#include "exam/datapicture.h"
#include "exam/frmczts.h"
#include "exam/frmend.h"
#include "exam/frmpicture.h"
#include "exam/frmtm.h"
#include "surface/frmmain.h"
#include "toolkit/vb.h"

#include <algorithm>

using namespace ModData;

namespace {

template <class F>
void step(F&& f)
{
    vb::attempt(std::forward<F>(f));
}

bool isMarkedFlags(int f) { return f == 2 || f == 3 || f == 6 || f == 7; }
bool isUnmarkedFlags(int f) { return f == 0 || f == 1 || f == 4 || f == 5; }

} // namespace

void FrmTm::CmdGN_Click(int index)
{
    switch (index) {
    case 0: // previous
        iTmNo = qint16(std::max(iTmNo - 1, 1));
        DqExam();
        break;
    case 1: // next; an exercise without questions stays on question 1
        iTmNo = qint16(std::max(std::min(iTmNo + 1, int(iTmCount)), 1));
        DqExam();
        break;
    case 2: // restart: back to step 1, flags and saved pictures as they are
        step([] { iTmStep(iTmNo) = 1; });
        DqExam();
        break;
    case 3: // mark
        step([] {
            const int f = iTmFlags(iTmNo);
            if (isUnmarkedFlags(f))
                iTmFlags(iTmNo) = qint16(f + 2);
        });
        CmdGN[11].show();
        CmdGN[3].hide();
        break;
    case 4:
        dqYeMian();
        break;
    case 5:
        leavePractice();
        break;
    case 6: { // hint on the surface until the next question is shown
        iRunMode = 1;
        FrmMain& surface = FrmMain::get();
        surface.LHelp.show();
        surface.Shape1.show();
        surface.Shape4.show();
        surface.Shape2.show();
        handBack();
        break;
    }
    case 7:
        startDemo();
        break;
    case 8: // hand in: the panel waits hidden at the screen's corner until a back button docks it
        step([this] { Move(0, 0); });
        Hide();
        step([] { FrmEnd1::get().Show(true); });
        break;
    case 9:
        FrmKSXX.show();
        break;
    case 10:
        exam::hidePicture(Image2);
        step([] { FrmCZTS::get().Show(true); });
        break;
    case 11: // unmark
        step([] {
            const int f = iTmFlags(iTmNo);
            if (isMarkedFlags(f))
                iTmFlags(iTmNo) = qint16(f - 2);
        });
        CmdGN[3].show();
        CmdGN[11].hide();
        break;
    default:
        break;
    }
}

// Fills the number page for page iSelPage and opens it when it shows at least one button.
void FrmTm::dqYeMian()
{
    const int n = std::clamp(int(iTmCount), 0, int(decltype(iTmFlags)::upper()));
    const bool paged = n >= 41;
    CmdSelLast.setVisible(paged);
    CmdSelNext.setVisible(paged);
    if (!paged)
        for (int i = n + 1; i <= 40; ++i)
            CmTNO[i].hide();
    iSelLastPage = qint16(n / 40 - (n % 40 == 0 ? 1 : 0));
    // A page left from a longer exercise never shows numbers beyond this one's questions.
    iSelPage = qint16(std::clamp(int(iSelPage), 0, std::max(0, int(iSelLastPage))));

    const int first = iSelPage * 40;
    const int m = first + 40 > n ? n % 40 : 40;
    for (int i = 1; i <= m; ++i) {
        const int k = first + i;
        tavoButton& b = CmTNO[i];
        b.setCaption(QString::number(k));
        const int f = iTmFlags(k);
        step([&] { b.loadPicture(exam::dataPicture(f % 2 == 0 ? "l01030" : "l01031")); });
        if (isMarkedFlags(f))
            step([&] { b.loadPicture(exam::dataPicture("l01032")); });
        FrmSelect.show();
        b.show();
    }
    for (int i = m + 1; i <= 40; ++i)
        CmTNO[i].hide();
}

void FrmTm::CmTNO_Click(int index)
{
    const int k = iSelPage * 40 + index;
    if (k < 1 || k > iTmCount)
        return; // no question behind this button
    iTmNo = qint16(k);
    FrmSelect.hide();
    DqExam();
}

void FrmTm::CmdSelFH_Click() { FrmSelect.hide(); }

void FrmTm::CmdSelLast_Click()
{
    iSelPage = qint16(std::max(iSelPage - 1, 0));
    dqYeMian();
}

void FrmTm::CmdSelNext_Click()
{
    iSelPage = qint16(std::min(iSelPage + 1, int(iSelLastPage)));
    dqYeMian();
}

void FrmTm::CmdKSFH_Click() { FrmKSXX.hide(); }

// Practice buttons (return, hint, demonstration) with the unfinished list; examination buttons
// (hand in, candidate information, hint window) in a mock examination.
void FrmTm::TimKsModel_Timer()
{
    PicUnit.setVisible(iRunMode != 3);
    for (int i = 5; i <= 7; ++i)
        CmdGN[i].setVisible(PicUnit.Visible());
    for (int i = 8; i <= 10; ++i)
        CmdGN[i].setVisible(!PicUnit.Visible());
    TimKsModel.setEnabled(false);
}
