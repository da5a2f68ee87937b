// The paper panel: paper cards in four views, paper starts, new random papers, and the review and
// deletion of a paper from its card.

#include "home/frmfengmian.h"

#include "app/moddata.h"
#include "bank/banklayout.h"
#include "controls/frmkvmsgbox.h"
#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "history/randompaper.h"
#include "platform/textfile.h"
#include "toolkit/pointers.h"

#include <QDateTime>

using ModData::dScaleX;
using ModData::dScaleY;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kCards = 30;
constexpr int kSprintView = 28, kSimulationView = 29, kNewRandomView = 30, kRandomView = 31;

QString picture(const char* id) { return ModData::sDataPath + QString::fromUtf8(id) + QStringLiteral(".mxy"); }

// The n-th numeral of "一二三四五六七八九十"; empty beyond ten.
QString numeral(int n)
{
    static const QString numerals = QStringLiteral("一二三四五六七八九十");
    return n >= 1 && n <= 10 ? numerals.mid(n - 1, 1) : QString();
}

// The last sprint paper for a paper-mix code.
int lastSprintPaper(int paperMix)
{
    if (paperMix >= 4 && paperMix <= 7)
        return 1;
    if (paperMix >= 8 && paperMix <= 11)
        return 3;
    if (paperMix >= 12 && paperMix <= 15)
        return 5;
    return 7;
}

std::function<double()>& randomSource()
{
    static std::function<double()> rnd;
    return rnd;
}

void fail(int number) { throw vb::Error(number, vb::errorText(number)); }

// A wrong-question file that was missing is reported the way a failed copy is (one that could not
// be read stopped the change before anything was written).
void reportMoves(const vb::ErrorTrap& trap, const std::vector<history::CopyResult>& moves)
{
    for (const history::CopyResult r : moves) {
        if (r != history::CopyResult::Copied)
            trap([] { fail(vb::ErrFileNotFound); });
    }
}

// The question ids of generated paper p (20 on) as the list holds them now; nothing when the list
// cannot be read or holds no such paper. A handler that waited compares it with what it read
// before the wait: the paper may have been deleted, or another put before it.
std::optional<QString> generatedPaperLine(int p)
{
    const auto list = history::readGeneratedList(history::UserFolder::ofProgram());
    if (!list || !history::isListedGeneratedPaper(p, history::generatedPaperCount(*list)))
        return std::nullopt;
    return list->value(p - history::kFirstGeneratedPaper);
}

} // namespace

void FrmFengmian::setRandomForTests(std::function<double()> rnd) { randomSource() = std::move(rnd); }

void FrmFengmian::createPaperCards()
{
    for (int p = 0; p < kCards; ++p) {
        ImgShiJuan.create(p);
        for (auto* array : {&LblShiJuanBiao, &LblShiJuanDel, &LblShiJuanTime, &LblShiJuanSSSS, &LblShiJuanScore,
                            &LblShiJuanCCC, &LblShiJuanCuoTi}) {
            tk::Label& l = array->create(p);
            l.setBackStyle(0);
            l.setAutoSize(true);
            l.setFontName(QStringLiteral("宋体"));
        }
        LblShiJuanBiao[p].setFontBold(true);
        LblShiJuanTime[p].setForeColor(6710886);
        LblShiJuanSSSS[p].setForeColor(6710886);
        LblShiJuanSSSS[p].setCaption(QStringLiteral("最好成绩：    分"));
        LblShiJuanScore[p].setFontBold(true);
        LblShiJuanScore[p].setForeColor(15302412);
        LblShiJuanScore[p].setAlignment(2);
        LblShiJuanCCC[p].setCaption(QStringLiteral("错题复习"));
        LblShiJuanCuoTi[p].setForeColor(6710886);
        LblShiJuanDel[p].setForeColor(15302412);
    }
    LblShiJuanCCC.onClick = [this](int index) { LblShiJuanCCC_Click(index); };
    LblShiJuanDel.onClick = [this](int index) { LblShiJuanDel_Click(index); };
    LblNoHis.setBackStyle(0);
    LblNoHis.setAutoSize(true);
    LblNoHis.setFontName(QStringLiteral("宋体"));
    LblNoHis.setForeColor(4210752);
    LblNoHis.setCaption(QStringLiteral("您还没有练习过随机试卷！"));
}

// ---- Panel build ---------------------------------------------------------------------------------

void FrmFengmian::buildPaperPanel(const history::UserFolder& folder)
{
    const vb::ErrorTrap trap(QStringLiteral("fengmaincsh"));
    const double sx = dScaleX;
    const double sy = dScaleY;

    for (int i = 28; i <= 31; ++i)
        trap([&] { ClickBotn[i].Move(15 * sx, (15 + 750 * (i - 28)) * sy, 2700 * sx, 750 * sy); });

    iChongCiLast = vb::Integer(lastSprintPaper(ModData::iPaperMix));
    const int last = iChongCiLast;

    // Titles, rows and the cards each list shows when its view opens.
    int cardTop[kCards] = {};
    for (int p = 0; p < kCards; ++p) {
        QString title;
        long colour = 3355443;
        int row = 0;
        if (p <= last) {
            title = QStringLiteral("冲刺试卷") + numeral(p + 1);
            colour = 15302412;
            row = p / 2;
        } else if (p < 20) {
            title = QStringLiteral("模拟试卷") + numeral(p - last);
            row = (p - last - 1) / 2;
        } else {
            title = QStringLiteral("随机试卷") + numeral(p - 19);
            row = (p - 20) / 2;
        }
        cardTop[p] = 120 + 1350 * row;
        LblShiJuanBiao[p].setCaption(title);
        LblShiJuanBiao[p].setForeColor(colour);
        ImgShiJuan[p].setVisible(p <= last);
        LblShiJuanDel[p].setCaption(p < 20 ? QString() : QStringLiteral("删除试卷"));
    }

    // Paper results table: a file that cannot be read leaves every record untaken.
    sShiJuanHis = history::prefilledResults();
    trap([&] {
        const auto table = history::readResults(folder);
        if (!table || !folder.has(history::historyFileName(history::kPaperResults)))
            fail(vb::ErrFileNotFound);
        sShiJuanHis = *table;
    });

    // The best score lies over the blanks of "最好成绩：    分". A score that would run into the "分"
    // (four characters, or three wide ones, at some fonts) gets as many more blanks as put the
    // unit after it; one that fits leaves the designed text.
    auto placeScoreUnit = [](tk::Label& caption, const tk::Label& score) {
        const QString head = QStringLiteral("最好成绩：");
        const QFontMetrics fm(caption.font());
        const int scoreEnd = score.x() + score.width() - caption.x(); // pixels from the caption's left
        QString blanks(4, u' ');
        while (fm.horizontalAdvance(head + blanks) < scoreEnd && blanks.size() < 64)
            blanks += u' ';
        caption.setCaption(head + blanks + QStringLiteral("分"));
    };
    QCursor hand;
    const bool haveHand = trap([&] { hand = tk::loadCursor(picture("9l0015")); });
    for (int p = 0; p < kCards; ++p) {
        const double x = 2880 + 4560 * (p % 2);
        const double y = cardTop[p];
        trap([&] { ImgShiJuan[p].Move(x * sx, y * sy, 4410 * sx, 1200 * sy); });
        trap([&] { ImgShiJuan[p].loadPicture(picture("l20065")); });
        trap([&] { LblShiJuanBiao[p].Move((x + 120) * sx, (y + 210) * sy); });
        trap([&] { LblShiJuanBiao[p].setFontSize(10 * sx); });
        trap([&] { LblShiJuanTime[p].setFontSize(9 * sx); });
        const double small = LblShiJuanTime[p].FontSize();
        trap([&] { LblShiJuanDel[p].Move((x + 1800) * sx, (y + 225) * sy); });
        LblShiJuanDel[p].setFontSize(small);
        for (tk::Label* l : {&LblShiJuanDel[p], &LblShiJuanCCC[p]}) {
            l->setMousePointer(99);
            if (haveHand)
                l->setMouseIcon(hand);
        }
        trap([&] { LblShiJuanTime[p].Move((x + 120) * sx, (y + 555) * sy); });
        LblShiJuanTime[p].setCaption(QStringLiteral("最后考试时间：") + sShiJuanHis.value(3 * p).left(16));
        trap([&] { ClickBotn[70 + p].Move((x + 3000) * sx, (y + 630) * sy, 1275 * sx, 450 * sy); });
        trap([&] { LblShiJuanSSSS[p].Move((x + 120) * sx, (y + 870) * sy); });
        LblShiJuanSSSS[p].setFontSize(small);
        trap([&] { LblShiJuanScore[p].Move((x + 1140) * sx, (y + 870) * sy); });
        LblShiJuanScore[p].setFontSize(small);
        LblShiJuanScore[p].setCaption(sShiJuanHis.value(3 * p + 1));
        trap([&] { placeScoreUnit(LblShiJuanSSSS[p], LblShiJuanScore[p]); });
        trap([&] { LblShiJuanCCC[p].Move((x + 1800) * sx, (y + 870) * sy); });
        LblShiJuanCCC[p].setFontSize(small);
        LblShiJuanCCC[p].setForeColor(224);
        trap([&] { LblShiJuanCuoTi[p].Move((x + 2520) * sx, (y + 870) * sy); });
        LblShiJuanCuoTi[p].setFontSize(small);

        // Wrong-question count: no file of that name is none; one that cannot be read is reported.
        int wrong = 0;
        const QString name = history::paperWrongFileName(p);
        if (folder.has(name)) {
            trap([&] {
                const auto line = history::readFirstLine(folder, name);
                if (!line)
                    fail(vb::ErrPathFileAccess);
                wrong = int(vb::trim(*line).size() / 4);
            });
        }
        LblShiJuanCuoTi[p].setCaption(QStringLiteral("(") + QString::number(wrong) + QStringLiteral(")"));
    }
    paperCardsFollow();

    trap([&] { ImgSuiJi.Move(2730 * sx, 90 * sy); });
    trap([&] { ImgSuiJi.loadPicture(picture("l20066")); });
    ImgSuiJi.hide();
    ClickBotn[21].setVisible(ImgSuiJi.Visible());
    trap([&] { LblNoHis.Move(4680 * sx, 2160 * sy); });
    trap([&] { LblNoHis.setFontSize(20 * sx); });
    LblNoHis.hide();

    ClickBotn_Click(kSprintView);
}

// ---- Views ---------------------------------------------------------------------------------------

void FrmFengmian::paperView(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    LblNoHis.hide();
    for (int i = kSprintView; i <= kRandomView; ++i)
        ClickBotn[i].setEnabled(true);
    ClickBotn[index].setEnabled(false);

    int first = 0, last = -1;
    const char* startPicture = "l20048";
    if (index == kSprintView) {
        last = iChongCiLast;
        startPicture = "l20047";
    } else if (index == kSimulationView) {
        first = iChongCiLast + 1;
        last = std::min<int>(ModData::iPaperMix, 20) - 1;
    } else if (index == kRandomView) {
        first = 20;
        last = 19 + std::min<int>(iSuiJiCount, history::kMaxGeneratedPapers);
    }
    for (int p = 0; p < kCards; ++p) {
        const bool shown = p >= first && p <= last;
        ImgShiJuan[p].setVisible(shown);
        if (shown)
            trap([&] { ClickBotn[70 + p].loadPicture(picture(startPicture)); });
    }
    ImgSuiJi.setVisible(index == kNewRandomView);
    LblNoHis.setVisible(index == kRandomView && iSuiJiCount == 0);
    ClickBotn[21].setVisible(ImgSuiJi.Visible());
    paperCardsFollow();
}

// Every label of a card and its start button show while the card's background does.
void FrmFengmian::paperCardsFollow()
{
    for (int p = 0; p < kCards; ++p) {
        const bool shown = ImgShiJuan[p].Visible();
        for (auto* array : {&LblShiJuanBiao, &LblShiJuanDel, &LblShiJuanTime, &LblShiJuanSSSS, &LblShiJuanScore,
                            &LblShiJuanCCC, &LblShiJuanCuoTi})
            (*array)[p].setVisible(shown);
        ClickBotn[70 + p].setVisible(shown);
    }
}

// The papers tab opens the sprint view while one of sprint papers 1 to the last is below 75.
void FrmFengmian::paperPreselect()
{
    bool allPassed = true;
    for (int c = 1; c <= std::max<int>(1, iChongCiLast) && allPassed; ++c)
        if (bank::numericValue(sShiJuanHis.value(3 * c + 1)) < 75)
            allPassed = false;
    ClickBotn_Click(allPassed ? kSimulationView : kSprintView);
}

// ---- Starts --------------------------------------------------------------------------------------

void FrmFengmian::paperStart(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    const int p = index - 70;
    QString line;
    bool listUnreadable = false;
    if (p < 20) {
        trap([&] {
            const auto layout = platform::readAllLines(bank::bankLayoutPath(ModData::sDataPath));
            if (!layout)
                fail(vb::ErrFileNotFound);
            line = bank::fixedPaperIds(*layout, p);
        });
    } else {
        trap([&] {
            const auto list = history::readGeneratedList(history::UserFolder::ofProgram());
            if (!list) {
                listUnreadable = true;
                fail(vb::ErrPathFileAccess);
            }
            line = list->value(p - 20);
        });
    }
    // A paper without questions never starts.
    if (bank::wholeIdCount(line) == 0) {
        showNotice(QStringLiteral("模拟考试"), kCrLf + kCrLf + kCrLf +
                                                   (listUnreadable ? QStringLiteral("考试记录无法读取，本次考试未能开始！")
                                                                   : QStringLiteral("题库文件无法读取，本次练习未能开始！")));
        return;
    }
    if (!InitShiTi(bank::paperStart(p, line).set, QStringLiteral("模拟考试")) || isUnloaded())
        return;
    // The launcher may have waited: a generated paper still in its slot starts, one that was
    // deleted or moved meanwhile does not (its score would land on another paper's record).
    if (p >= history::kFirstGeneratedPaper && generatedPaperLine(p) != line)
        return;
    startLianXi();
}

void FrmFengmian::newRandomPaper()
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    const QString title = QStringLiteral("随机试卷");
    auto stop = [&](const QString& text) { showNotice(title, kCrLf + kCrLf + kCrLf + text); };

    std::function<double()> rnd = randomSource();
    if (!rnd) {
        vb::randomize();
        rnd = [] { return double(vb::rnd()); };
    }
    std::vector<int> counts;
    for (const bank::UnitRow& row : unitRows())
        counts.push_back(row.count);
    if (refuseDamagedBank(title))
        return;
    const auto ids = history::drawRandomPaper(ModData::iDanYuanCount, counts, rnd);
    if (!ids) {
        stop(QStringLiteral("题库中的题目不足，无法生成随机试卷！"));
        return;
    }

    if (!InitShiTi(bank::paperStart(history::kFirstGeneratedPaper, *ids).set, title) || isUnloaded())
        return;

    // Every history file the new paper moves is read and decided before anything is written, and
    // only now, after the launcher's waits: a paper deleted or added meanwhile is in the files
    // this change is made from. A file that cannot be read stops it all.
    const history::UserFolder folder = history::UserFolder::ofProgram();
    const auto change = history::newPaperChange(folder, *ids, QDateTime::currentDateTime());
    if (!change) {
        trap([] { fail(vb::ErrPathFileAccess); });
        stop(QStringLiteral("考试记录无法读取，本次考试未能开始！"));
        return;
    }

    // The list, the results and the wrong-question files as one unit: the hand-in reads the
    // paper's questions from the list, and paper 20's record must be the new paper's.
    if (history::writeSet(folder, change->files) != platform::SetResult::Written) {
        trap([] { fail(vb::ErrPathFileAccess); });
        stop(QStringLiteral("考试记录无法写入，本次考试未能开始！"));
        return;
    }
    reportMoves(trap, change->moves);
    startLianXi();
}

// ---- Review and deletion -------------------------------------------------------------------------

bool FrmFengmian::confirm(const QString& tag, const QString& title, const QString& prompt)
{
    return askBox(tag, title, QStringLiteral("l20071"), prompt) == 1;
}

void FrmFengmian::LblShiJuanCCC_Click(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("lblshijuancc"));
    // A generated paper is known by its ids: after a wait, the review goes on only while the same
    // paper is in the slot.
    const std::optional<QString> paper =
        index >= history::kFirstGeneratedPaper ? generatedPaperLine(index) : std::optional<QString>(QString());
    QString line;
    bool unreadable = false;
    trap([&] {
        const QString name = history::paperWrongFileName(index);
        if (name.isEmpty())
            return;
        const auto read = history::readFirstLine(history::UserFolder::ofProgram(), name);
        if (!read) {
            unreadable = true;
            fail(vb::ErrPathFileAccess);
        }
        line = vb::trim(*read);
    });
    if (isUnloaded())
        return;
    // A record that cannot be read is no paper without wrong questions.
    if (unreadable) {
        showNotice(QStringLiteral("错题复习"),
                   kCrLf + kCrLf + kCrLf + QStringLiteral("考试记录无法读取，本次错题复习未能开始！"));
        return;
    }
    if (bank::wholeIdCount(line) == 0) {
        askBox(QStringLiteral("lblshijuancc"), QStringLiteral("没有生成错题"), QStringLiteral("l20071"),
               kCrLf + kCrLf + kCrLf + QStringLiteral("你可能是还没有做本套试题，或者上次得分为0。") + kCrLf +
                   QStringLiteral("请点“开始考试”做本套试题。"));
        return;
    }
    if (!InitShiTi(bank::paperWrongReviewSet(index, line), QStringLiteral("错题复习")) || isUnloaded())
        return;
    if (index >= history::kFirstGeneratedPaper && generatedPaperLine(index) != paper)
        return; // the paper left its slot meanwhile: its leave would empty another paper's file
    startLianXi();
}

void FrmFengmian::LblShiJuanDel_Click(int index)
{
    if (!history::isListedGeneratedPaper(index, iSuiJiCount))
        return;
    const std::optional<QString> paper = generatedPaperLine(index);
    if (!confirm(QStringLiteral("lblshijuandel"), QStringLiteral("删除试卷"), kCrLf + kCrLf + kCrLf + QStringLiteral("您确实要删除本套随机试题吗？")) ||
        isUnloaded())
        return;
    // The box waited: the paper is deleted only if it is still the one in the slot.
    if (generatedPaperLine(index) != paper)
        return;
    deleteGeneratedPaper(index);
}

void FrmFengmian::deleteGeneratedPaper(int paper)
{
    const vb::ErrorTrap trap(QStringLiteral("lblshijuandel"));
    // Nothing moves unless every file of the change could be read, and then all of it moves at once;
    // the candidate is told when nothing moved.
    const history::UserFolder folder = history::UserFolder::ofProgram();
    const auto change = history::deletionChange(folder, paper);
    const bool written = change && history::writeSet(folder, change->files) == platform::SetResult::Written;
    if (written) {
        reportMoves(trap, change->moves);
    } else {
        trap([] { fail(vb::ErrPathFileAccess); });
        if (!isUnloaded())
            showNotice(QStringLiteral("删除试卷"),
                       kCrLf + kCrLf + kCrLf +
                           (change ? QStringLiteral("考试记录无法写入，本套试卷未能删除！")
                                   : QStringLiteral("考试记录无法读取，本套试卷未能删除！")));
    }
    // The files are a whole set again; the panels are rebuilt only on a window still open.
    if (!isUnloaded())
        FengMainCsh();
}
