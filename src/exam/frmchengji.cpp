#include "exam/frmchengji.h"

#include "app/moddata.h"
#include "app/settingslist.h"
#include "bank/questionset.h"
#include "controls/frmkvmsgbox.h"
#include "app/exercisestate.h"
#include "exam/frmtm.h"
#include "exam/paperflow.h"
#include "history/handin.h"
#include "history/historyfiles.h"
#include "home/frmfengmian.h"
#include "platform/screenmetrics.h"
#include "platform/textfile.h"
#include "surface/frmmain.h"
#include "toolkit/vb.h"

using namespace ModData;
using paperflow::dataPicture;
using paperflow::step;

namespace {

constexpr int kBackColour = 0xFEF9F6;
constexpr int kQuestions = history::kPaperQuestions;

// The questions of the exercise as the history code takes them.
history::Questions exerciseQuestions()
{
    history::Questions questions;
    const int count = std::clamp(int(iTmCount), 0, 500);
    for (int q = 1; q <= count; ++q)
        questions.push_back({iTmCode(q), iTmFlags(q)});
    return questions;
}

// The text a result button shows: from character 7, or from character 20 after "picture" and
// the picture's name.
QString questionText(const QString& line)
{
    const QString text = vb::mid(line, 7);
    return text.startsWith(QStringLiteral("picture")) ? vb::mid(line, 20) : text;
}

void notice(const QString& prompt) { paperflow::notice(QStringLiteral("本次错题复习"), prompt); }

} // namespace

FrmChengji::FrmChengji()
{
    setBorderless();
    setBackColor(kBackColour);

    Picture1.Move(0, 0, 12000, 9000);
    Picture1.setBackColor(tk::kWindowBack);
    for (tavoButton* b : {&Command3, &Command1, &Command2})
        b->useProgramDesign();
    Frame1.setBorderStyle(0);
    Frame1.setBackColor(tk::kWindowBack);
    for (int q = 1; q <= kQuestions; ++q)
        CmTNO.create(q).useProgramDesign();
    LblTiMuYQ.setBackStyle(0);
    LblTiMuYQ.setFontName(QStringLiteral("宋体"));
    LblTiMuYQ.setFontSize(10.5);
    Label1.setBackStyle(0);
    Label1.setAutoSize(true);
    Label1.setFontName(QStringLiteral("宋体"));
    Label1.setFontSize(12);
    Label1.setFontBold(true);
    Label1.setCaption(QStringLiteral("得分：0分"));

    Timer1.onTimer = [this] { Timer1_Timer(); };
    CmTNO.onClick = [this](int index) { CmTNO_Click(index); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
}

void FrmChengji::Form_Load()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    // 1. The paper is over: the surface goes; the panel refuses (it stays for the reviews).
    step([] { FrmMain::unloadIfLoaded(); });
    step([] { FrmTm::unloadIfLoaded(); });

    // 2. The window, maximised.
    step([&] { loadIcon(dataPicture("l62011")); });
    step([&] { setCaption(app::programTitle(sSettings, sKeMu)); });
    step([&] {
        const QSize screen = platform::screenSizeTwips();
        Move(0, 0, screen.width(), screen.height());
    });
    step([&] { setWindowState(2); });
    Command3.show();
    step([&] { Picture1.loadPicture(dataPicture("9l0058")); });

    // 3. Buttons and the score line.
    step([&] { Command3.Move(3480 * sx, 4080 * sy, 1920 * sx, 450 * sy); });
    step([&] { Command1.Move(Command3.Left() + Command3.Width() + 120 * sx, 4080 * sy, Command3.Width(), Command3.Height()); });
    step([&] { Command2.Move(Command1.Left() + Command1.Width() + 120 * sx, 4080 * sy, 870 * sx, Command3.Height()); });
    step([&] { Command3.loadPicture(dataPicture("l01036")); });
    step([&] { Command1.loadPicture(dataPicture("l01035")); });
    step([&] { Command2.loadPicture(dataPicture("l01037")); });
    step([&] { Label1.Move(5010 * sx, 5040 * sy); });

    // 4 to 9, 12. Score the paper and write its history.
    history::HandInOutcome out;
    step([&] {
        history::HandInInput in;
        in.exerciseKind = iLianXiType;
        in.subKind = iLianXiSub;
        in.selIndex = iSelIndex;
        in.questions = exerciseQuestions();
        // The folder settled before the first of its files is read, the paper's own line included.
        const history::UserFolder folder = history::UserFolder::ofProgram();
        in.paperIds = history::readHandedInPaperIds(folder, sDataPath, iLianXiType, iLianXiSub, iSelIndex);
        in.startTime = sKsStartTime;
        in.now = vb::now();
        out = history::handInPaper(in, history::readHandInFiles(folder));
        const platform::SetResult saved = history::writeHandInOutcome(folder, iSelIndex, out);
        historySaved = saved == platform::SetResult::Written;
        historyPartly = saved == platform::SetResult::Mixed;
    });

    // 7. The result buttons: four rows of ten.
    for (int q = 1; q <= kQuestions; ++q) {
        step([&] {
            tavoButton& b = CmTNO[q];
            b.setCaption(QString::number(q));
            b.Move(((q - 1) % 10) * 480 * sx, ((q - 1) / 10) * 480 * sy, 450 * sx, 450 * sy);
            const bool done = q - 1 < int(out.done.size()) && out.done[size_t(q - 1)];
            vb::attempt([&] { b.loadPicture(dataPicture(done ? "l01033" : "l01034")); });
            b.setFontBold(true);
            b.setForeColor(0);
        });
    }

    // 10. The result buttons' frame and the question text below it, centred on the page.
    step([&] {
        const tavoButton& last = CmTNO[kQuestions];
        Frame1.setWidth(last.Left() + last.Width());
        Frame1.setHeight(last.Top() + last.Height());
        Frame1.Move((Picture1.Width() - Frame1.Width()) / 2, 5520 * sy);
    });
    step([&] { LblTiMuYQ.setWidth(9855 * sx); });
    step([&] { LblTiMuYQ.setHeight(855 * sy); });
    step([&] { LblTiMuYQ.Move((Picture1.Width() - LblTiMuYQ.Width()) / 2, Frame1.Top() + Frame1.Height() + 360 * sy); });

    // 11. Score line.
    step([&] { Label1.setCaption(history::scoreLine(iLianXiType, iLianXiSub, out.score)); });

    // 13. Scored: the start time is spent.
    sKsStartTime = QStringLiteral("-1");

    // 14. The question texts of the result buttons.
    step([&] {
        const QStringList lines = platform::readAllLines(sTmTextFile).value_or(QStringList());
        for (int q = 1; q <= kQuestions; ++q)
            sTiMuText[size_t(q)] = q - 1 < lines.size() ? questionText(lines.at(q - 1)) : QString();
    });
}

void FrmChengji::tellIfUnsaved()
{
    if (historySaved || unsavedTold)
        return;
    unsavedTold = true;
    paperflow::notice(QStringLiteral("保存成绩"),
                      historyPartly ? QStringLiteral("考试记录只写入了一部分，本次考试的成绩未能完整保存！")
                                    : QStringLiteral("考试记录无法写入，本次考试的成绩未能保存！"));
}

void FrmChengji::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode == FromControlMenu)
        cancel = -1;
}

void FrmChengji::Timer1_Timer()
{
    step([&] { Picture1.Move((Width() - Picture1.Width()) / 2, (Height() - Picture1.Height()) / 2); });
    Timer1.setEnabled(false);
}

void FrmChengji::CmTNO_Click(int index)
{
    if (index < 1 || index > kQuestions)
        return;
    LblTiMuYQ.setCaption(QStringLiteral("第") + QString::number(index) + QStringLiteral("题： ") +
                         sTiMuText[size_t(index)]);
}

// The reviews' hand-over: the surface and the panel shown, the panel docked at the surface's
// bottom-right corner, the paper's clock off.
void FrmChengji::showPanelOnSurface()
{
    step([] { FrmMain::get().Show(); });
    step([] { FrmTm::get().Show(); });
    step(paperflow::dockPanel);
    step([] { FrmTm::get().TimeKS.setEnabled(false); });
}

void FrmChengji::Command1_Click()
{
    // The whole paper again, in practice: its kind, number, ids and flags stay as the exam left
    // them.
    iRunMode = 2;
    bTmCanClose = false;
    for (int q = 1; q <= kQuestions; ++q)
        sTmDone(q) = QStringLiteral("F");
    unload();
    step([] { FrmTm::get().TimKsModel.setEnabled(true); });
    step([] { FrmTm::get().LblUnit.setCaption(QString()); });
    iTmNo = 1;
    step([] { FrmTm::get().TimerREDO.setEnabled(true); });
    showPanelOnSurface();
}

void FrmChengji::Command2_Click()
{
    step([] { FrmMain::unloadIfLoaded(); });
    // No exercise runs any more: the panel kept for the reviews goes too, so that nothing of the
    // paper (its clock above all) outlives it, and the next exercise loads a panel of its own.
    if (FrmTm::isLoaded())
        FrmTm::get().TimeKS.setEnabled(false);
    bTmCanClose = true;
    step([] { FrmTm::unloadIfLoaded(); });
    unload();
    iFengmianPage = 17;
    step([] { FrmFengmian::get().TimFH.setEnabled(true); });
    step([] { FrmFengmian::get().Show(); });
}

void FrmChengji::Command3_Click()
{
    iRunMode = 2;
    InitShiTi();
}

void FrmChengji::InitShiTi()
{
    const history::UserFolder folder = history::UserFolder::ofProgram();
    const std::optional<QString> wrongLine =
        history::readFirstLine(folder, history::paperWrongFileName(iSelIndex));
    // A record that cannot be read is no paper without wrong questions.
    if (!wrongLine) {
        notice(QStringLiteral("考试记录无法读取，本次错题复习未能开始！"));
        return;
    }
    const bank::QuestionSet set = bank::paperWrongReviewSet(iSelIndex, *wrongLine);
    if (bank::wholeIdCount(set.ids) == 0) {
        notice(QStringLiteral("本次考试没有错题！"));
        return;
    }
    // As the home window's launcher: a marked list that cannot be read marks nothing (the leave
    // writes nothing of the store while it still cannot be read, and takes nothing out of it).
    const std::optional<QString> marked = history::readStoreLine(folder, history::historyFileName(history::kMarkedList));
    bank::LaunchResult r;
    step([&] { r = bank::prepareExercise(sDataPath, set, marked); });
    if (!r.ok()) {
        // As the home window's start of the same review says it.
        switch (r.error) {
        case bank::BuildError::WriteFailed: notice(QStringLiteral("练习文件无法写入，本次练习未能开始！")); break;
        case bank::BuildError::NothingLeft: notice(QStringLiteral("这些题目都已不在题库中，本次练习未能开始！")); break;
        default: notice(QStringLiteral("题库文件无法读取，本次练习未能开始！")); break;
        }
        return;
    }
    app::applyExercise(r.setup);

    // The panel's number buttons beyond the review's questions.
    for (int i = iTmCount + 1; i <= kQuestions; ++i)
        step([&] { FrmTm::get().CmTNO[i].hide(); });
    step([] { FrmTm::get().TimKsModel.setEnabled(true); });
    step([] { FrmTm::get().LblUnit.setCaption(QString()); });
    iTmNo = 1;
    step([] { FrmTm::get().TimerREDO.setEnabled(true); });
    unload();
    showPanelOnSurface();
}
