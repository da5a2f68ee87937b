// The question panel's return button: leaving a practice exercise saves what it taught into the
// history files, lets the panel go and hands over to the home window on the exercise's page.
// What is saved is decided by the history code; the panel reads the exercise, asks, and writes.

#include "app/moddata.h"
#include "app/settingslist.h"
#include "exam/frmpicture.h"
#include "exam/frmtm.h"
#include "exam/paperflow.h"
#include "exam/standardbox.h"
#include "history/leavepractice.h"
#include "home/frmfengmian.h"
#include "surface/frmmain.h"
#include "toolkit/vb.h"

#include <algorithm>

using namespace ModData;

namespace {

// Questions 1 to iTmCount of the exercise, never beyond the question tables.
history::LeaveInput exerciseLeft()
{
    history::LeaveInput in;
    in.exerciseKind = iLianXiType;
    in.subKind = iLianXiSub;
    in.selIndex = iSelIndex;
    in.marksRead = bTmMarksRead;
    const int count = std::clamp(int(iTmCount), 0, int(decltype(iTmCode)::upper()));
    for (int q = 1; q <= count; ++q)
        in.questions.push_back({iTmCode(q), iTmFlags(q)});
    return in;
}

bool candidateDropsAnswered()
{
    exam::BoxRequest ask;
    ask.prompt = history::dropAnsweredQuestionText();
    ask.title = app::programTitle(sSettings, sKeMu);
    ask.buttons = exam::BoxButtons::YesNo;
    ask.questionIcon = true;
    ask.defaultNo = true;
    return exam::standardBox(ask) == exam::BoxAnswer::Yes;
}

} // namespace

void FrmTm::leavePractice()
{
    // A demonstration asked for and not up yet never comes, not even while the candidate answers.
    TimStartYS.setEnabled(false);
    bYanShiOn = false;
    vb::attempt([this] { exam::hidePicture(Image2); });
    vb::attempt([this] { LblZXH_Click(); });

    // Unit progress, review flags and the marked-question store; then, in a paper's
    // wrong-question review, what the candidate agrees to drop from that paper's file.
    // A save that fails leaves its files as they were, asks nothing more and is told.
    history::LeaveInput in = exerciseLeft();
    QString unsaved = QStringLiteral("练习记录无法写入，本次练习的结果未能保存！");
    vb::attempt([&] {
        const history::UserFolder folder = history::UserFolder::ofProgram();
        const history::LeaveOutcome out = history::leavePractice(in, history::readLeaveFiles(folder, in));
        switch (history::writeLeaveOutcome(folder, in, out)) {
        case platform::SetResult::Written: break;
        case platform::SetResult::Undone: return;
        case platform::SetResult::Mixed:
            unsaved = QStringLiteral("练习记录只写入了一部分，本次练习的结果未能完整保存！");
            return;
        }
        unsaved.clear();
        if (history::leavingAsks(in) && candidateDropsAnswered()) {
            in.dropAnswered = true;
            history::LeaveOutcome drop;
            // The question waited: the folder is opened again and the paper's file read as it is now.
            const history::UserFolder again = history::UserFolder::ofProgram();
            drop.paperWrong = history::leavePractice(in, history::readLeaveFiles(again, in)).paperWrong;
            drop.unreadable = !drop.paperWrong;
            if (history::writeLeaveOutcome(again, in, drop) != platform::SetResult::Written)
                unsaved = QStringLiteral("错题记录无法写入，本次答对的题目仍留在错题复习中！");
        }
    });

    TimeKS.setEnabled(false);
    TimerREDO.setEnabled(false);
    bTmCanClose = true;
    FrmMain::unloadIfLoaded();
    unload();

    iFengmianPage = qint16(history::homePageAfterLeaving(in.exerciseKind));
    FrmFengmian& home = FrmFengmian::get();
    if (iFengmianPage != 0)
        home.TimFH.setEnabled(true);
    home.Show();
    // Told over the home window, as its own notices are; nothing runs on after it.
    if (!unsaved.isEmpty())
        paperflow::notice(QStringLiteral("保存练习记录"), unsaved);
}
