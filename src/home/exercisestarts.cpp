// The home window's exercise starts: unit practice, the marked and wrong-question stores, the
// exercise launcher shared with the paper panel, and the home window's message box.
//
// Each start may wait (an error report, a notice): a start that resumes reads what it needs
// again and starts nothing once its window was closed under the wait.

#include "home/frmfengmian.h"

#include "app/exercisestate.h"
#include "app/moddata.h"
#include "bank/banklayout.h"
#include "bank/questionset.h"
#include "bank/value.h"
#include "controls/frmkvmsgbox.h"
#include "demo/demostate.h"
#include "exam/frmlogon.h"
#include "exam/frmtm.h"
#include "history/historyfiles.h"
#include "history/idlist.h"
#include "surface/frmmain.h"

using ModData::sDanYuan;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString dataFile(const QString& name) { return ModData::sDataPath + name + QStringLiteral(".mxy"); }

} // namespace

// ---- Message box -------------------------------------------------------------------------------

int FrmFengmian::askBox(const QString& tag, const QString& title, const QString& pictureName,
                        const QString& prompt)
{
    // The picture is read first: its report may wait, and whatever runs meanwhile may show and
    // close the box; the box is taken only afterwards.
    tk::Picture picture;
    const vb::ErrorTrap trap(tag);
    trap([&] { picture = tk::Picture::fromFile(dataFile(pictureName)); });
    return FrmKVMSGBOX::ask(title, picture, prompt);
}

void FrmFengmian::showNotice(const QString& title, const QString& prompt)
{
    if (isUnloaded()) // a handler resumed after the window was closed under its wait
        return;
    askBox(QStringLiteral("clickbotn"), title, QStringLiteral("l20072"), prompt);
}

// ---- Exercise starts ---------------------------------------------------------------------------

bool FrmFengmian::refuseDamagedBank(const QString& noticeTitle)
{
    if (!unitCountDamaged_)
        return false;
    vb::ErrorTrap(QStringLiteral("clickbotn"))([] { throw vb::Error(vb::ErrFileNotFound, vb::errorText(vb::ErrFileNotFound)); });
    showNotice(noticeTitle, kCrLf + kCrLf + kCrLf + QStringLiteral("题库文件无法读取，本次练习未能开始！"));
    return true;
}

void FrmFengmian::unitStart()
{
    if (refuseDamagedBank(QStringLiteral("章节练习")))
        return;
    const int u = iSelUnit;
    bank::UnitRow row;
    if (u >= 0 && u < bank::kMaxUnits) {
        vb::attempt([&] {
            row.count = bank::roundToInt(bank::numericValue(sDanYuan(u, 2)));
            row.notLearned = bank::roundToInt(bank::numericValue(sDanYuan(u, 3)));
            row.progress = sDanYuan(u, 4);
        });
    }
    const bank::StartDecision d = bank::unitStart(u, iUnitScope, row, ModData::iDanYuanCount);
    if (d.what == bank::StartDecision::What::Notice)
        showNotice(d.notice.title, d.notice.prompt);
    else if (d.what == bank::StartDecision::What::Start && InitShiTi(d.set, QStringLiteral("章节练习")))
        startLianXi();
}

void FrmFengmian::storeStart(int index)
{
    const bank::Store store = index == 22 ? bank::Store::Marked : bank::Store::OwnWrong;
    const int scope = index == 22 ? iBiaoZhiScope : iCuoTiScope;
    if (scope == 0)
        return;
    // A missing file is an empty list; one that cannot be read starts nothing.
    const auto lines = history::readStore(history::UserFolder::ofProgram(), store);
    if (!lines) {
        showNotice(store == bank::Store::Marked ? QStringLiteral("收藏题目练习") : QStringLiteral("错题复习"),
                   kCrLf + kCrLf + kCrLf + QStringLiteral("考试记录无法读取，本次练习未能开始！"));
        return;
    }
    const bank::StartDecision d = bank::storeStart(store, scope, lines->list, lines->flags);
    if (d.what == bank::StartDecision::What::Notice)
        showNotice(d.notice.title, d.notice.prompt);
    else if (d.what == bank::StartDecision::What::Start &&
             InitShiTi(d.set, store == bank::Store::Marked ? QStringLiteral("收藏题目练习") : QStringLiteral("错题复习")))
        startLianXi();
}

// ---- Exercise launcher -------------------------------------------------------------------------

bool FrmFengmian::InitShiTi(const bank::QuestionSet& set, const QString& noticeTitle)
{
    const vb::ErrorTrap trap(QStringLiteral("initshiti"));
    // A marked list that cannot be read is reported and marks nothing; the leave reads the store
    // again, writes nothing of it while it still cannot be read, and takes none of the exercise's
    // questions out of it (their marks were never shown).
    std::optional<QString> marked;
    trap([&] {
        const auto line =
            history::readStoreLine(history::UserFolder::ofProgram(), history::historyFileName(history::kMarkedList));
        if (!line)
            throw vb::Error(vb::ErrPathFileAccess, vb::errorText(vb::ErrPathFileAccess));
        marked = *line;
    });
    // The report's wait may have let the candidate start another exercise: its files and state
    // are never overwritten by a launcher that resumes on the closed window.
    if (isUnloaded())
        return false;
    bank::LaunchResult r;
    const bool ran = trap([&] { r = bank::prepareExercise(ModData::sDataPath, set, marked); });
    if (ran && r.ok()) {
        app::applyExercise(r.setup);
        // Questions the bank no longer holds were left out; the candidate is told how many.
        if (r.leftOut > 0)
            showNotice(noticeTitle, kCrLf + kCrLf + kCrLf + QStringLiteral("有") + QString::number(r.leftOut) +
                                        QStringLiteral("道题目已不在题库中，本次练习不含这些题目。"));
        return true;
    }
    if (ran && r.error == bank::BuildError::NothingLeft) {
        showNotice(noticeTitle, kCrLf + kCrLf + kCrLf + QStringLiteral("这些题目都已不在题库中，本次练习未能开始！"));
        return false;
    }
    // Nothing starts with questions the bank files do not hold.
    const bool writeFailed = r.error == bank::BuildError::WriteFailed;
    trap([&] {
        const int number = writeFailed ? vb::ErrPathFileAccess : vb::ErrFileNotFound;
        throw vb::Error(number, vb::errorText(number));
    });
    showNotice(noticeTitle, kCrLf + kCrLf + kCrLf +
                                (writeFailed ? QStringLiteral("练习文件无法写入，本次练习未能开始！")
                                             : QStringLiteral("题库文件无法读取，本次练习未能开始！")));
    return false;
}

void FrmFengmian::startLianXi()
{
    if (isUnloaded()) // closed while the handler waited: another exercise runs already
        return;
    const vb::ErrorTrap trap(QStringLiteral("startlianxi"));
    // The question panel refuses the window manager's close for the whole exercise, whatever an
    // earlier exercise's end left.
    ModData::bTmCanClose = false;
    // A demonstration start that was cancelled before it came up must not hold this exercise's
    // surface empty.
    demo::clearStaleFlag();
    trap([&] { unload(); });
    if (bank::isMockPaper(ModData::iLianXiType)) {
        ModData::iLeftMinutes = 50;
        trap([] { FrmLogon::get().Show(); });
        return;
    }
    trap([] { FrmTm::get().TimerREDO.setEnabled(true); });
    trap([] { FrmTm::get().TimKsModel.setEnabled(true); });
    trap([] { FrmTm::get().Show(); });
    trap([] { FrmMain::get().Show(); });
}
