#include "home/frmfengmian.h"

#include "app/frmabout.h"
#include "app/frmupdata.h"
#include "app/exercisestate.h"
#include "app/moddata.h"
#include "bank/banklayout.h"
#include "bank/questionset.h"
#include "bank/value.h"
#include "controls/frmkvmsgbox.h"
#include "exam/frmlogon.h"
#include "exam/frmtm.h"
#include "history/historyfiles.h"
#include "history/idlist.h"
#include "history/randompaper.h"
#include "history/unitprogress.h"
#include "platform/openurl.h"
#include "platform/screenmetrics.h"
#include "platform/textfile.h"
#include "platform/windowpos.h"
#include "surface/frmmain.h"
#include "toolkit/pointers.h"

#include <QCloseEvent>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using ModData::dScaleX;
using ModData::dScaleY;
using ModData::sDanYuan;
using ModData::sSettings;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A picture or file of the data folder: the name with ".mxy".
QString dataFile(const QString& name) { return ModData::sDataPath + name + QStringLiteral(".mxy"); }

QString buttonStrip(int index)
{
    return dataFile(QStringLiteral("l200") + QString::number(index).rightJustified(2, u'0'));
}

// Line 1 of a file, "" when the file has no line.
QString firstLine(const QString& path)
{
    const platform::LineRead r = platform::readLine1(path);
    if (!r.readable())
        vb::raise(vb::notReadError(r.status == platform::ReadStatus::Missing));
    return r.exists ? r.text : QString();
}

QStringList allLines(const QString& path)
{
    platform::LinesRead r = platform::readLines(path);
    if (!r.read())
        vb::raise(vb::notReadError(r.status == platform::ReadStatus::Missing));
    return std::move(r.lines);
}

// A bar of the unit chart, stretched to its height by the panel.
QPixmap barPicture(QColor top, QColor bottom)
{
    QPixmap pm(60, 238);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 60, 0);
    g.setColorAt(0, bottom);
    g.setColorAt(0.5, top);
    g.setColorAt(1, bottom);
    p.fillRect(pm.rect(), g);
    p.setPen(bottom.darker(130));
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

std::function<void()>& endProgram()
{
    static std::function<void()> end;
    return end;
}

std::function<void(const QString&)>& openLink()
{
    static std::function<void(const QString&)> open;
    return open;
}

std::function<void()>& aboutWindow()
{
    static std::function<void()> show;
    return show;
}

} // namespace

FrmFengmian::FrmFengmian()
{
    setBorderless();

    picShouYe.onMouseDown = [this](int b, int s, float x, float y) { picShouYe_MouseDown(b, s, x, y); };
    LblMove.setBackStyle(0);
    LblMove.onMouseDown = [this](int b, int s, float x, float y) { lblMove_MouseDown(b, s, x, y); };
    LblCaption.setBackStyle(0);
    LblCaption.setAutoSize(true);
    LblCaption.setForeColor(0xFFFFFF);
    LblCaption.setFontName(QStringLiteral("宋体"));
    LblCaption.setFontBold(true);

    for (int i : {0, 1, 2, 3, 17, 18, 19, 20, 21}) {
        tk::Label& l = LblInfo.create(i);
        l.setBackStyle(0);
        l.setAutoSize(i <= 3);
    }
    LblInfo.onClick = [this](int index) { LblInfo_Click(index); };

    // Panel contents that lie below the panels' buttons.
    createPaperCards();
    for (tk::Label* counter : {&LblBiaoZhiWei, &LblBiaoZhiYI, &LblCuoTiWei, &LblCuoTiYI}) {
        counter->setBackStyle(0);
        counter->setForeColor(255);
        counter->setFontName(QStringLiteral("宋体"));
        counter->setFontBold(true);
    }
    LlbHelpCAP.setBackStyle(0);
    LlbHelpCAP.setAutoSize(true);
    LlbHelpCAP.setFontName(QStringLiteral("宋体"));
    LlbHelpCAP.setFontBold(true);
    LlbHelpCAP.setForeColor(0xE97F0C);

    // The buttons, each in the container the index table puts it in.
    auto containerOf = [this](int i) -> QWidget* {
        if (i >= 13 && i <= 19)
            return &PicTOP;
        if (i == 20 || (i >= 37 && i <= 39) || (i >= 47 && i <= 69))
            return &PicTiKu;
        if (i == 21 || (i >= 26 && i <= 31) || i >= 70)
            return &PicKaCH;
        if (i == 22 || i == 23 || i == 40 || i == 41)
            return &PicBiaoZhi;
        if (i == 24 || i == 25 || i == 42 || i == 43)
            return &PicCuoTi;
        if (i >= 32 && i <= 36)
            return &PicHelp;
        return this;
    };
    for (int i = 0; i <= 99; ++i) {
        tavoButton& b = ClickBotn.create(i);
        b.setFontName(QStringLiteral("宋体"));
        if (QWidget* c = containerOf(i); c != this) {
            b.setParent(c);
            b.ZOrder(0);
            b.show();
        }
    }
    ClickBotn.onClick = [this](int index) { ClickBotn_Click(index); };

    ImgUnitD.setStretch(true);
    ImgUnitD.setPicture(barPicture(QColor(0x7c, 0xd0, 0x5a), QColor(0x2f, 0x8a, 0x2a)));
    ImgUnitD.Move(0, 0, 0, 0);
    ImgUnitC.setStretch(true);
    ImgUnitC.setPicture(barPicture(QColor(0xff, 0xb0, 0x50), QColor(0xd0, 0x60, 0x10)));
    ImgUnitC.Move(0, 0, 0, 0);
    for (int i = 0; i <= 4; ++i) {
        tk::Label& l = LblUnitDQCAP.create(i);
        l.setBackStyle(0);
        l.setAutoSize(true);
        l.setFontName(QStringLiteral("宋体"));
    }
    LblUnitDQCAP[1].setFontBold(true);

    PicAd.setBackColor(0xFFFFFF);
    LblAD.setBackStyle(0);
    LblAD.setAutoSize(true);
    LblAD.onClick = [this] { LblAD_Click(); };

    // The top bar and the panels cover the window's own buttons whenever they are shown.
    for (tk::PictureBox* c : {&PicTOP, &PicTiKu, &PicKaCH, &PicBiaoZhi, &PicCuoTi, &PicHelp, &PicAd})
        c->ZOrder(0);

    TimFH.onTimer = [this] { TimFH_Timer(); };
}

FrmFengmian::~FrmFengmian() = default;

void FrmFengmian::setEndProgramForTests(std::function<void()> end) { endProgram() = std::move(end); }

void FrmFengmian::setOpenLinkForTests(std::function<void(const QString&)> open)
{
    openLink() = std::move(open);
}

void FrmFengmian::setShowAboutForTests(std::function<void()> show) { aboutWindow() = std::move(show); }

void FrmFengmian::showAbout()
{
    if (aboutWindow())
        aboutWindow()();
    else
        FrmAbout::get().Show(true);
}

// Links from settings and downloads open only when they are http or https; what opens is the
// address as the browser gets it.
void FrmFengmian::openLinkChecked(const QString& link)
{
    const QString address = platform::webLink(link);
    if (address.isEmpty())
        return;
    if (openLink())
        openLink()(address);
    else
        platform::openWebLink(address);
}

// ---- Window build ------------------------------------------------------------------------------

void FrmFengmian::Form_Load()
{
    const vb::ErrorTrap trap(QStringLiteral("fmload"));
    trap([] {
        dScaleX = platform::twipsPerPixelX() / 15.0;
        dScaleY = platform::twipsPerPixelY() / 15.0;
    });
    const double sx = dScaleX;
    const double sy = dScaleY;
    trap([&] { setWidth(12000 * sx); });
    trap([&] { setHeight(9000 * sy); });
    trap([&] { loadIcon(dataFile(QStringLiteral("l62011"))); });
    trap([&] { loadPicture(dataFile(QStringLiteral("l20060"))); });
    trap([&] { picShouYe.Move(0, 0); });
    trap([&] { picShouYe.loadPicture(dataFile(QStringLiteral("l20051"))); });
    trap([&] { PicTOP.Move(0, 0, 12000, 1650); });
    trap([&] { PicTOP.loadPicture(dataFile(QStringLiteral("l20052"))); });
    PicTOP.hide();
    trap([&] { LblMove.Move(0, 0, 10455 * sx, 675 * sy); });
    trap([&] { PicTiKu.Move(0, 1650 * sy, 12000 * sx, 6900 * sy); });
    trap([&] { PicTiKu.loadPicture(dataFile(QStringLiteral("l20053"))); });
    PicTiKu.hide();
    for (tk::PictureBox* p : {&PicKaCH, &PicBiaoZhi, &PicCuoTi, &PicHelp}) {
        trap([&] { p->Move(PicTiKu.Left(), PicTiKu.Top(), PicTiKu.Width(), PicTiKu.Height()); });
        p->setPicture(PicTiKu.Picture());
        p->hide();
    }
    fillAdStrip();
    // Centred on the screen.
    trap([&] {
        const QSize screen = platform::screenSizeTwips();
        Move((screen.width() - Width()) / 2, (screen.height() - Height()) / 2);
    });
    FengMainCsh();
}

void FrmFengmian::FengMainCsh()
{
    const vb::ErrorTrap trap(QStringLiteral("fengmaincsh"));
    const double sx = dScaleX;
    const double sy = dScaleY;
    // The user folder of the build: a set of history files that a kill interrupted is finished or
    // undone before any is read.
    const history::UserFolder folder = history::UserFolder::ofProgram();

    // Bank version.
    QString versionLine;
    trap([&] { versionLine = firstLine(dataFile(QStringLiteral("288895"))); });
    ModData::sTkVer = vb::trim(versionLine);

    // Footer captions 1 to 3.
    trap([&] { LblInfo[1].setCaption(QStringLiteral("官方网站：") + sSettings(16)); });
    trap([&] { LblInfo[2].setCaption(QStringLiteral("客服电话：") + sSettings(10)); });
    trap([&] { LblInfo[3].setCaption(QStringLiteral("客服QQ：") + sSettings(11)); });

    // Input-method option.
    QString ime;
    trap([&] {
        const QString name = history::historyFileName(history::kImeOption);
        const auto line = history::readFirstLine(folder, name);
        if (!line || !folder.has(name))
            vb::raise(vb::notReadError(line.has_value()));
        ime = *line;
    });
    trap([&] { ModData::bAutoIme = vb::val(ime) != 0; });

    setCaption(QStringLiteral("模拟考试练习系统"));
    trap([&] { LblCaption.Move(240 * sx, 120 * sy); });
    trap([&] { LblCaption.setFontSize(10 * sx); });

    // Footer caption 0 shows the version line as it stands in the file.
    trap([&] { LblInfo[0].setCaption(QStringLiteral("   题库版本：V") + versionLine); });
    trap([&] { LblCaption.setCaption(ModData::sProName + QStringLiteral("——")); });

    // Hand pointer over every button and link.
    QCursor hand;
    const bool haveHand = trap([&] { hand = tk::loadCursor(dataFile(QStringLiteral("9l0015"))); });
    for (int i = 0; i <= 99; ++i) {
        trap([&] { ClickBotn[i].setMousePointer(99); });
        if (haveHand)
            ClickBotn[i].setMouseIcon(hand);
    }
    for (int i : LblInfo.indexes()) {
        if (i == 2)
            continue;
        LblInfo[i].setMousePointer(99);
        if (haveHand)
            LblInfo[i].setMouseIcon(hand);
    }

    // Footer labels.
    for (int i = 0; i <= 3; ++i) {
        trap([&] { LblInfo[i].setTop(8670 * sy); });
        trap([&] { LblInfo[i].setFontSize(9 * sx); });
        trap([&] { LblInfo[i].setForeColor(vb::clng(vb::val(sSettings(29)))); });
    }
    for (int i = 0; i <= 3; ++i)
        trap([&] { LblInfo[i].setLeft(vb::val(sSettings(30 + i)) * sx); });

    // Bank layout: paper-mix code and unit count from line 1.
    QStringList layout;
    trap([&] { layout = allLines(bank::bankLayoutPath(ModData::sDataPath)); });
    const bank::BankLayoutHead head = bank::parseLayoutHead(layout.value(0));
    ModData::iPaperMix = vb::Integer(head.paperMix);
    // One unit button for each unit: a count the buttons cannot show is a damaged bank file, and
    // the bank's units cannot be practised.
    unitCountDamaged_ = head.unitCount < 0 || head.unitCount > bank::kMaxUnits;
    ModData::iDanYuanCount = vb::Integer(unitCountDamaged_ ? 0 : head.unitCount);
    trap([&] {
        if (unitCountDamaged_)
            throw vb::Error(vb::ErrFileNotFound, vb::errorText(vb::ErrFileNotFound));
    });

    // Generated papers: the lines before the first blank one, never more than the list may hold.
    trap([&] {
        const auto list = history::readGeneratedList(folder);
        if (!list || !folder.has(history::historyFileName(history::kGeneratedPapers)))
            vb::raise(vb::notReadError(list.has_value()));
        iSuiJiCount = vb::Integer(history::generatedPaperCount(*list));
    });

    // Button pictures.
    for (int i = 0; i <= 48; ++i)
        trap([&] { ClickBotn[i].loadPicture(buttonStrip(i)); });

    // Minimise and exit, on the window and on the top bar at the same place.
    const double w = Width();
    trap([&] { ClickBotn[2].Move(w - 825 * sx, 90 * sy, 330 * sx, 330 * sy); });
    trap([&] { ClickBotn[3].Move(w - 420 * sx, 90 * sy, 330 * sx, 330 * sy); });
    trap([&] { ClickBotn[13].Move(ClickBotn[2].Left(), ClickBotn[2].Top(), ClickBotn[2].Width(), ClickBotn[2].Height()); });
    trap([&] { ClickBotn[14].Move(ClickBotn[3].Left(), ClickBotn[3].Top(), ClickBotn[3].Width(), ClickBotn[3].Height()); });
    for (int i : {0, 1, 44, 45, 46})
        ClickBotn[i].hide();

    // Start page layout.
    if (vb::trim(sSettings(34)) == u"2") {
        trap([&] { ClickBotn[4].Move(2400 * sx, 3000 * sy, 2250 * sx, 2250 * sy); });
        trap([&] { ClickBotn[5].Move(6900 * sx, 3000 * sy, 2250 * sx, 2250 * sy); });
        ClickBotn[6].hide();
        ClickBotn[7].hide();
        for (int i = 17; i <= 21; ++i) {
            trap([&] {
                LblInfo[i].Move((1440 + ((i + 1) % 2) * 1590) * sx, (6840 + ((i - 17) / 2) * 600) * sy, 1380 * sx,
                                300 * sy);
            });
            LblInfo[i].setCaption(QString());
        }
        trap([&] { LblInfo[21].Move(480 * sx, 6570 * sy, 2820 * sx, LblInfo[21].Height()); });
    } else {
        for (int i = 4; i <= 7; ++i)
            trap([&] { ClickBotn[i].Move((750 + (i - 4) * 2700) * sx, 3840 * sy, 2250 * sx, 2400 * sy); });
        for (int i = 17; i <= 21; ++i)
            LblInfo[i].hide();
    }

    // Bottom row: update, help, web site.
    for (int i : {8, 11, 12}) {
        trap([&] {
            const double left = i == 8 ? 7800 : 7800 + (i - 9) * 960;
            ClickBotn[i].Move(left * sx, 7320 * sy, 540 * sx, 825 * sy);
        });
    }

    // Tabs of the top bar.
    for (int i = 15; i <= 19; ++i)
        trap([&] { ClickBotn[i].Move((225 + (i - 15) * 1305) * sx, 435 * sy, 1230 * sx, 1200 * sy); });

    // Start and clear buttons of the panels.
    trap([&] { ClickBotn[20].Move(9000 * sx, 5880 * sy, 1800 * sx, 600 * sy); });
    trap([&] { ClickBotn[21].Move(9750 * sx, 5850 * sy, 1800 * sx, 600 * sy); });
    trap([&] { ClickBotn[22].Move(8880 * sx, 2310 * sy, 1800 * sx, 600 * sy); });
    trap([&] { ClickBotn[23].Move(6240 * sx, 3300 * sy, 1200 * sx, 375 * sy); });
    trap([&] { ClickBotn[24].Move(ClickBotn[22].Left(), ClickBotn[22].Top(), 1800 * sx, 600 * sy); });
    trap([&] { ClickBotn[25].Move(ClickBotn[23].Left(), ClickBotn[23].Top(), 1200 * sx, 375 * sy); });

    // Unit progress upkeep: the file brought into line with the unit question counts of line 2 of
    // the bank layout (never rewritten when the bank gives no counts), then the unit table.
    const auto counts = bank::unitQuestionCounts(layout);
    history::ProgressUpkeep upkeep;
    trap([&] { upkeep = history::upkeepUnitProgress(folder, counts, ModData::iDanYuanCount); });
    for (size_t u = 0; u < upkeep.rows.size(); ++u) {
        const bank::UnitRow& row = upkeep.rows[u];
        trap([&] {
            sDanYuan(int(u), 2) = QString::number(row.count);
            sDanYuan(int(u), 3) = QString::number(row.notLearned);
            sDanYuan(int(u), 4) = row.progress;
        });
    }
    trap([&] {
        if (counts && !upkeep.rewritten)
            throw vb::Error(vb::ErrPathFileAccess, vb::errorText(vb::ErrPathFileAccess));
    });

    buildUnitPanel();
    buildPaperPanel(folder);
    buildStorePanel(folder, bank::Store::Marked);
    buildStorePanel(folder, bank::Store::OwnWrong);
    buildHelpPanel();
}

// ---- Unit panel --------------------------------------------------------------------------------

std::vector<bank::UnitRow> FrmFengmian::unitRows() const
{
    std::vector<bank::UnitRow> rows;
    const int n = std::clamp<int>(ModData::iDanYuanCount, 0, 41);
    for (int u = 0; u < n; ++u) {
        bank::UnitRow r;
        vb::attempt([&] {
            r.count = bank::roundToInt(bank::numericValue(sDanYuan(u, 2)));
            r.notLearned = bank::roundToInt(bank::numericValue(sDanYuan(u, 3)));
            r.progress = sDanYuan(u, 4);
        });
        rows.push_back(r);
    }
    return rows;
}

void FrmFengmian::buildUnitPanel()
{
    const vb::ErrorTrap trap(QStringLiteral("fengmaincsh"));
    const double sx = dScaleX;
    const double sy = dScaleY;
    const int unitCount = ModData::iDanYuanCount;

    trap([&] { PicUnitLeft.loadPicture(dataFile(QStringLiteral("l20054"))); });
    trap([&] { PicUnitLeft.Move(0, PicTiKu.Height() - PicUnitLeft.Height() - 30 * sy); });

    for (int i = 50; i <= 69; ++i) {
        tavoButton& b = ClickBotn[i];
        const int u = i - 50;
        trap([&] { b.Move(15 * sx, (870 + (i % 10) * 525) * sy, 2700 * sx, 525 * sy); });
        trap([&] { b.setFontSize(9 * sx); });
        b.setForeColor(0);
        trap([&] { b.setCaption(bank::fitUnitCaption(u, sDanYuan(u, 1))); });
        trap([&] { b.loadPicture(dataFile(QStringLiteral("l20045"))); });
        if (i >= 60)
            b.hide();
    }

    trap([&] { ClickBotn[49].Move(15 * sx, 0, 2700 * sx, 870 * sy); });
    trap([&] { ClickBotn[49].loadPicture(dataFile(QStringLiteral("l20044"))); });
    iSelUnit = -1;

    // Unit page buttons; page 1 shown as chosen.
    for (int i : {47, 48}) {
        tavoButton& b = ClickBotn[i];
        trap([&] { b.Move((i == 47 ? 150 : 1365) * sx, 6270 * sy, 1185 * sx, 555 * sy); });
        b.setForeColor(0xFFFFFF);
        trap([&] { b.setFontSize(9 * sx); });
        trap([&] { b.loadPicture(dataFile(i == 47 ? QStringLiteral("l20086") : QStringLiteral("l20046"))); });
    }
    ClickBotn[47].setCaption(QStringLiteral("1-10单元"));
    ClickBotn[48].setCaption(QStringLiteral("11-") + QString::number(unitCount) + QStringLiteral("单元"));
    if (unitCount <= 10) {
        ClickBotn[48].setEnabled(false);
        ClickBotn[48].setCaption(QString());
        ClickBotn[47].setCaption(QStringLiteral("1-") + QString::number(unitCount) + QStringLiteral("单元"));
    }

    // Chart and scope buttons.
    trap([&] { ImgUnitGezi.Move(2730 * sx, 1680 * sy); });
    trap([&] { ImgUnitGezi.loadPicture(dataFile(QStringLiteral("l20055"))); });
    trap([&] { ImgUnitD.Move(5910 * sx, ImgUnitD.Top(), 900 * sx, ImgUnitD.Height()); });
    trap([&] { ImgUnitC.Move(7410 * sx, ImgUnitC.Top(), 900 * sx, ImgUnitC.Height()); });
    iUnitScope = 0;
    for (int i = 37; i <= 39; ++i)
        trap([&] { ClickBotn[i].Move((4485 + (i - 37) * 1500) * sx, 5700 * sy, 900 * sx, 375 * sy); });
    trap([&] { ClickBotn[37].loadPicture(buttonStrip(87)); });

    // Title picture and captions.
    trap([&] { imgPicIII.Move(3150 * sx, 420 * sy); });
    trap([&] { imgPicIII.loadPicture(dataFile(QStringLiteral("l20064"))); });
    trap([&] { LblUnitDQCAP[1].Move(4245 * sx, 630 * sy); });
    trap([&] { LblUnitDQCAP[1].setFontSize(12 * sx); });
    trap([&] { LblUnitDQCAP[0].Move(4245 * sx, 975 * sy); });
    trap([&] { LblUnitDQCAP[0].setFontSize(10 * sx); });
    LblUnitDQCAP[0].setCaption(QStringLiteral("学习进度信息"));
    trap([&] { LblUnitDQCAP[2].Move(4590 * sx, 1740 * sy); });
    trap([&] { LblUnitDQCAP[3].setLeft(ImgUnitD.Left() + 240 * sx); });
    trap([&] { LblUnitDQCAP[4].setLeft(ImgUnitC.Left() + 240 * sx); });

    ClickBotn_Click(bank::kAllUnitsButton);

    // The paper panel shows the same left strip.
    trap([&] { PicKaCHLeft.Move(PicUnitLeft.Left(), PicUnitLeft.Top()); });
    PicKaCHLeft.setPicture(PicUnitLeft.Picture());
}

void FrmFengmian::unitPage(int page)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    const bool first = page == 1;
    trap([&] { ClickBotn[47].loadPicture(dataFile(first ? QStringLiteral("l20086") : QStringLiteral("l20046"))); });
    trap([&] { ClickBotn[48].loadPicture(dataFile(first ? QStringLiteral("l20046") : QStringLiteral("l20086"))); });
    for (int i = 50; i <= 69; ++i)
        ClickBotn[i].setVisible(first == (i < 60));
    for (int i = std::max(50, 50 + int(ModData::iDanYuanCount)); i <= 69; ++i)
        ClickBotn[i].hide();
}

void FrmFengmian::unitPick(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    const double sy = dScaleY;
    iSelUnit = vb::Integer(index - 50);
    bank::UnitSummary s;
    if (index == bank::kAllUnitsButton) {
        LblUnitDQCAP[1].setCaption(QStringLiteral("所有题库中题目"));
        s = bank::allUnitsSummary(unitRows(), ModData::iDanYuanCount);
    } else {
        unitPage(index < 60 ? 1 : 2);
        const int u = index - 50;
        trap([&] {
            LblUnitDQCAP[1].setCaption(QStringLiteral("第") + QString::number(u + 1) + QStringLiteral("单元 ") +
                                       sDanYuan(u, 1));
        });
        trap([&] {
            s.total = bank::roundToInt(bank::numericValue(sDanYuan(u, 2)));
            s.notLearned = bank::roundToInt(bank::numericValue(sDanYuan(u, 3)));
        });
    }
    LblUnitDQCAP[2].setCaption(QString::number(s.total) + QStringLiteral("题"));
    LblUnitDQCAP[3].setCaption(QString::number(s.learned()) + QStringLiteral("题"));
    LblUnitDQCAP[4].setCaption(QString::number(s.notLearned) + QStringLiteral("题"));

    // Bars: with no questions there is nothing to divide by, and both keep their heights.
    const bank::UnitBars bars = bank::unitBars(s);
    trap([&] {
        if (!bars.valid)
            throw vb::Error(vb::ErrOverflow, vb::errorText(vb::ErrOverflow));
        ImgUnitC.setHeight(bars.notLearnedHeight * sy);
    });
    trap([&] {
        if (!bars.valid)
            throw vb::Error(vb::ErrOverflow, vb::errorText(vb::ErrOverflow));
        ImgUnitD.setHeight(bars.learnedHeight * sy);
    });
    trap([&] { ImgUnitC.setTop(bank::kBarBase * sy - ImgUnitC.Height()); });
    trap([&] { ImgUnitD.setTop(bank::kBarBase * sy - ImgUnitD.Height()); });
    trap([&] { LblUnitDQCAP[3].setTop(ImgUnitD.Top() - 240 * sy); });
    trap([&] { LblUnitDQCAP[4].setTop(ImgUnitC.Top() - 240 * sy); });

    for (int i = 49; i <= 69; ++i)
        ClickBotn[i].setEnabled(true);
    ClickBotn[index].setEnabled(false);
}

void FrmFengmian::unitScope(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    iUnitScope = vb::Integer(index - 37);
    for (int i = 37; i <= 39; ++i)
        trap([&] { ClickBotn[i].loadPicture(buttonStrip(i == index ? i + 50 : i)); });
}

// ---- Button dispatcher -------------------------------------------------------------------------

void FrmFengmian::ClickBotn_Click(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    switch (index) {
    case 2:
    case 13:
        trap([&] { setWindowState(1); });
        break;
    case 3:
    case 14:
        exitConfirmation();
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        showPage(index + 12);
        break;
    case 11:
        showPage(11);
        break;
    case 8:
        ModData::iUpdataShow = 1;
        trap([] { FrmUpdata::get().Show(); });
        break;
    case 12:
        trap([&] { openLinkChecked(sSettings(2)); });
        break;
    case 15:
    case 16:
    case 17:
    case 18:
    case 19:
        showPage(index);
        break;
    case 20:
        PicAd.show();
        unitStart();
        break;
    case 21:
        PicAd.show();
        newRandomPaper();
        break;
    case 22:
        PicAd.show();
        storeStart(index);
        break;
    case 24:
        storeStart(index);
        break;
    case 23:
    case 25:
        storeClear(index);
        break;
    case 28:
    case 29:
    case 30:
    case 31:
        paperView(index);
        break;
    case 32:
    case 33:
    case 34:
    case 35:
    case 36:
        helpPage(index);
        break;
    case 37:
    case 38:
    case 39:
        unitScope(index);
        break;
    case 40:
    case 41:
    case 42:
    case 43:
        storeScope(index);
        break;
    case 47:
    case 48:
        iSelUnit = vb::Integer((index - 47) * 10);
        ClickBotn_Click(iSelUnit + 50);
        unitPage(index - 46);
        break;
    default:
        if (index >= bank::kAllUnitsButton && index <= 69)
            unitPick(index);
        else if (index >= 70 && index <= 99)
            paperStart(index);
        break;
    }
}

void FrmFengmian::showPage(int tab)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    PicTOP.setVisible(tab != 15);
    PicTiKu.setVisible(tab == 16);
    PicKaCH.setVisible(tab == 17);
    PicBiaoZhi.setVisible(tab == 18);
    PicCuoTi.setVisible(tab == 19);
    PicHelp.setVisible(tab == 11);
    if (tab != 11) {
        for (int i = 15; i <= 19; ++i)
            ClickBotn[i].setEnabled(true);
        if (tab != 15)
            ClickBotn[tab].setEnabled(false);
    }
    if (tab == 16)
        ClickBotn_Click(bank::preselectUnitButton(unitRows(), ModData::iDanYuanCount));
    if (tab == 17)
        paperPreselect();
    PicAd.setVisible(tab != 15);
}

void FrmFengmian::TimFH_Timer()
{
    ClickBotn_Click(ModData::iFengmianPage);
    TimFH.setEnabled(false);
}

void FrmFengmian::exitConfirmation()
{
    if (askBox(QStringLiteral("clickbotn"), QStringLiteral("退出系统"), QStringLiteral("l20071"),
               kCrLf + kCrLf + kCrLf + QStringLiteral("您确实要退出学习软件吗？")) != 1)
        return;
    if (endProgram()) {
        endProgram()();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

// The window manager's close (its close button, Alt+F4) asks as the exit button does: the
// window never closes and leaves the program running without one.
void FrmFengmian::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (isUnloaded())
        return;
    tk::raiseEvent(this, [this] { exitConfirmation(); });
}

void FrmFengmian::lblMove_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
}

void FrmFengmian::picShouYe_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
}
