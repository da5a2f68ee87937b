// The demonstration's scene builder: the step's operation record read afresh from the exercise
// operation file, its scene built inside the window, the tab strip of tabbed dialogs, and at last
// the pointer aimed at the step's target.

#include "demo/frmyanshi.h"

#include "bank/tabs.h"
#include "bank/value.h"
#include "demo/demostep.h"
#include "exam/frmtm.h"
#include "platform/textfile.h"
#include "surface/tablabels.h"
#include "toolkit/vb.h"

#include <climits>

using namespace ModData;
using demo::record;
using demo::step;
namespace tabs = bank::tabs;

namespace {

QString dataPicture(const QString& id) { return sDataPath + id + QStringLiteral(".mxy"); }

// Exercise file n: data folder & "2888" & the last two characters of "00" & n & ".mxy".
QString exerciseFile(int n)
{
    const QString digits = QStringLiteral("00") + QString::number(n);
    return sDataPath + QStringLiteral("2888") + digits.right(2) + QStringLiteral(".mxy");
}

// Text of the operation-text file for a reference that is not "000".
QString operationText(const bank::TextRef& ref) { return bank::operationText(sOpTextFile, ref.number()); }

// Colours of the text box's font field, 0xBBGGRR; -1 leaves the colour as it was.
vb::Long textColour(int digit)
{
    static constexpr vb::Long colours[] = {0x000000, 0xFF0000, 0x0000FF};
    return digit >= 0 && digit <= 2 ? colours[digit] : -1;
}
vb::Long backColour(int digit)
{
    static constexpr vb::Long colours[] = {0xFFFFFF, 0xFF0000, 0x0000FF, 0xC0C0C0, -1,
                                           0xD7FFFF, 0xE3E0BA, 0x99FFFF, 0xE3E0BB, -1};
    return digit >= 0 && digit <= 9 ? colours[digit] : -1;
}
const QString kFontNames[] = {QStringLiteral("宋体"), QStringLiteral("Times New Roman"),
                              QStringLiteral("黑体"), QStringLiteral("楷体_GB2312"), QStringLiteral("隶书")};

// Columns of the scene pictures: the left of the position pair; the top and the picture id follow.
constexpr int kPlaneCols[] = {0, 18, 34, 50, 135, 151};

struct Depth {
    int& d;
    explicit Depth(int& v) : d(v) { ++d; }
    ~Depth() { --d; }
};

} // namespace

tk::Image* FrmYanShi::imageOf(int number)
{
    tk::Image* const images[] = {&Image1, &Image2, &Image3, &Image4, &Image5};
    return number >= 1 && number <= 5 ? images[number - 1] : nullptr;
}

void FrmYanShi::readRecord()
{
    m_recordMissing = true; // until the step's own line has been read
    const long wanted = long(iTmLine(iTmNo)) + stepNo - 1;
    if (wanted >= 1) {
        const platform::LineRead r = platform::readLineN(sOpFile, int(std::min<long>(wanted, INT_MAX)));
        if (r.readable() && (r.exists || !r.text.isEmpty()))
            opRecord = r.text;
        m_recordMissing = !r.exists;
        return;
    }
    // A line below 1 is never counted to: the whole file is read and its last line kept. It is
    // no line of the step's own either.
    if (const auto line = bank::readOpRecord(sOpFile, int(wanted)))
        opRecord = *line;
}

void FrmYanShi::setData()
{
    Depth depth(m_chainDepth);
    const double sx = dScaleX;
    const double sy = dScaleY;

    // The panel above everything, this window among the ordinary ones.
    step([] { FrmTm::get().setTopmost(true); });
    step([&] { setTopmost(false); });
    Shape5.setBorderColor(255);
    CSH();
    typedCount = 0;
    step([] {
        const int n = iLianXiType + iLianXiSub;
        sOpFile = exerciseFile(n);
        sTmTextFile = exerciseFile(n + 50);
    });
    step([&] { Text1.setFontSize(9 * sx); });
    step([&] { Text2.setFontSize(9 * sx); });
    tickCount = 0;
    Shape6.setWidth(10);
    Shape6.setHeight(10);
    dragFlag = false;
    // The drawn menu bar closed and laid out again, hidden.
    for (tk::Image* img : {&ImgMenuSys, &ImgMenuSel, &ImgShuMenu, &ImgSubMenu, &ImgSubSel})
        img->setPicture(QPixmap());
    for (int i = 1; i <= 9; ++i) {
        step([&] {
            tk::Label& t = LMainMenu[i];
            t.Move(((i - 1) * menuPitch + menuLeft) * sx, menuTop * sy, 870 * sx, 270 * sy);
            t.setCaption(QString());
            t.hide();
        });
    }
    ImgMenuSys.setVisible(LMainMenu[1].Visible());
    step([&] { readRecord(); });
    if (m_recordMissing) {
        // No line of its own: the demonstration ends instead of building a line again.
        startEnd();
        return;
    }
    // Tab labels parked.
    surface::parkTabLabels(LblXXK, sx, sy);
    const bank::OpRecord rec = record();
    // Background.
    if (rec.run(12, 17) != bank::kKeepMark)
        step([&] { loadPicture(dataPicture(rec.run(12, 17))); });
    // Scene pictures.
    for (int k = 1; k <= 5; ++k) {
        tk::Image& img = *imageOf(k);
        const int c = kPlaneCols[k];
        if (rec.isHiddenMark(c)) {
            img.hide();
            continue;
        }
        step([&] { img.setLeft(vb::cint(rec.value(c, c + 4)) * sx); });
        step([&] { img.setTop(vb::cint(rec.value(c + 5, c + 9)) * sy); });
        const QString id = rec.run(c + 10, c + 15);
        if (id != bank::kKeepMark)
            step([&] { img.loadPicture(dataPicture(id)); });
        img.show();
    }
    step([&] { dragBoundX = vb::cint(rec.value(167, 171)); });
    step([&] { dragBoundY = vb::cint(rec.value(172, 176)); });
    // Text box.
    if (rec.run(86, 105) != u"00000000000000000000") {
        Text1.show();
        step([&] { Text1.setLeft(vb::cint(rec.value(86, 90)) * sx); });
        step([&] { Text1.setTop(vb::cint(rec.value(91, 95)) * sy); });
        step([&] { Text1.setWidth(vb::cint(rec.value(96, 100)) * sx); });
        step([&] { Text1.setHeight(vb::cint(rec.value(101, 105)) * sy); });
        step([&] {
            const bank::TextRef ref = rec.initialText();
            Text1.setText(ref.none() ? QString() : operationText(ref));
        });
        step([&] { Text1.SetFocus(); });
        step([&] { Text1.setSelStart(0); });
        step([&] { Text1.setSelLength(int(Text1.Text().size())); });
        // Font field: size, style, name, text colour, back colour.
        const QString font = rec.run(125, 134);
        step([&] {
            const double tenths = bank::runValue(QStringView(font).mid(1, 3));
            Text1.setFontSize((tenths == 0 ? 9 : tenths / 10) * sx);
        });
        const auto digitAt = [&](int i) { return i <= font.size() ? bank::digitValue(font.at(i - 1)) : 0; };
        if (const int style = digitAt(7); style <= 7) {
            Text1.setFontBold(style & 1);
            Text1.setFontItalic(style & 2);
            Text1.setFontUnderline(style & 4);
        }
        if (const int name = digitAt(8); name <= 4)
            step([&] { Text1.setFontName(kFontNames[name]); });
        if (const vb::Long c = textColour(digitAt(9)); c >= 0)
            step([&] { Text1.setForeColor(c); });
        if (const vb::Long c = backColour(digitAt(10)); c >= 0)
            step([&] { Text1.setBackColor(c); });
    } else {
        Text1.hide();
        Text2.hide();
    }
    // Hint label: placed, or left where and as it was.
    if (!rec.isHiddenMark(112)) {
        LHelp.show();
        step([&] { LHelp.setLeft(vb::cint(rec.value(112, 116)) * sx); });
        step([&] { LHelp.setTop(vb::cint(rec.value(117, 121)) * sy); });
        const bank::TextRef ref = rec.hintText();
        if (ref.none()) {
            LHelp.setCaption(QStringLiteral("  "));
        } else {
            step([&] {
                hintText = operationText(ref);
                LHelp.setCaption(hintText);
            });
        }
    }
    // The demonstration runs in exercise mode 1: hint and frames shown.
    for (tk::Control* c : std::initializer_list<tk::Control*>{&LHelp, &Shape1, &Shape4})
        c->setVisible(iRunMode == 1);
    // Drawn menu bar.
    {
        const QString s = rec.run(125, 134);
        const bool shown = rec.value(125, 134) != 0 && s != bank::kHiddenMark;
        for (int i = 1; i <= 9; ++i)
            LMainMenu[i].setVisible(shown);
        ImgMenuSys.setVisible(LMainMenu[1].Visible());
    }
    // Hot spot.
    if (rec.hotSpotHidden()) {
        Label1.hide();
        Shape1.hide();
    } else {
        Label1.show();
        step([&] { Label1.setLeft(vb::cint(rec.value(66, 70)) * sx); });
        step([&] { Label1.setTop(vb::cint(rec.value(71, 75)) * sy); });
        step([&] {
            hotSpotWidth = vb::cint(rec.value(76, 80));
            Label1.setWidth(hotSpotWidth * sx);
        });
        step([&] {
            hotSpotHeight = vb::cint(rec.value(81, 85));
            if (hotSpotHeight != 0)
                Label1.setHeight(hotSpotHeight * sy);
        });
    }
    if (hotSpotHeight == 0) {
        Label1.setWidth(1);
        Label1.setHeight(1);
        Shape1.hide();
    } else {
        Shape1.Move(Label1.Left(), Label1.Top(), Label1.Width(), Label1.Height());
    }
    // Tab strip, or the red frame on the hot spot.
    if (rec.hasTabSpec())
        step([&] { buildTabStrip(); });
    else
        Shape1.Move(Label1.Left(), Label1.Top(), Label1.Width(), Label1.Height());
    // Second hot spot; its frame also takes back the second-leg mark.
    if (!rec.isHiddenMark(187)) {
        Label4.show();
        step([&] {
            Label4.Move(vb::cint(rec.value(177, 181)) * sx, vb::cint(rec.value(182, 186)) * sy,
                        vb::cint(rec.value(187, 191)) * sx, vb::cint(rec.value(192, 196)) * sy);
        });
    } else {
        Label4.setWidth(1);
        Label4.setHeight(1);
        Label4.setLeft(-1);
    }
    Shape4.Move(Label4.Left(), Label4.Top(), Label4.Width(), Label4.Height());
    // Operation code.
    step([&] { opCode = vb::cint(rec.value(8, 11)); });
    if (opCode == 7000) {
        Label1.setWidth(1);
        Label1.setHeight(1);
    }
    Timer3.setEnabled(opCode == 8888);
    // End record: shown, not acted out.
    const QString code = rec.run(8, 11);
    if (code == u"9999") {
        LHelp.setCaption(QStringLiteral("操作成功！"));
        Shape1.hide();
        startEnd();
        return;
    }
    Shape1.setVisible(LHelp.Visible());
    if (code == u"0021") {
        step([&] {
            Text2.setText(Text1.Text());
            Text2.setLeft(Text1.Left());
            Text2.setTop(Text1.Top());
            Text2.setHeight(Text1.Height());
            Text2.setWidth(Text1.Width());
        });
        Text2.show();
        Text1.hide();
    } else {
        Text2.hide();
    }
    // Typing prompts from the step's hint.
    if (code == u"0020" || code == u"0021" || code == u"0025") {
        Shape1.hide();
        typingText = LHelp.Caption();
        const qsizetype bar = typingText.indexOf(u'|');
        LHelp.setCaption(QStringLiteral("输入 ") + (bar < 0 ? typingText : typingText.left(bar)));
    } else if (code == u"0024") {
        Shape1.hide();
        LHelp.setCaption(QStringLiteral("输入 ") + LHelp.Caption() + QStringLiteral(" 并按回车键"));
    } else if (code == u"0023") {
        step([&] { Text1.setSelLength(0); });
        Shape1.hide();
        LHelp.setCaption(QStringLiteral("请选中 ") + LHelp.Caption());
    }
    // Menu-bar frame.
    {
        const QString a = rec.run(125, 129);
        if (rec.value(125, 129) > 0 && a != u"11111" && rec.run(130, 134) == u"00000")
            Shape2.Move(0, 405 * sy, 9000 * sx, 315 * sy);
        else
            Shape2.Move(-2, 1, 1, 1);
    }
    // No red frame on an empty hot spot. A tab step's hot spot waits as a point while the
    // frame marks the tab to choose: that frame stays.
    const bool tabStep = rec.col(130) == u'X' && rec.col(132) != rec.col(133);
    if (!tabStep && (Label1.Height() <= 10 || Label1.Width() <= 10 || !Label1.Visible())) {
        Shape1.hide();
        Shape1.setWidth(1);
        Shape1.setHeight(1);
        Shape1.setLeft(-2);
    }
    step([] { FrmTm::get().setTopmost(true); });
    step([&] { raiseTop(); });
    Shape2.setVisible(LHelp.Visible());
    CSH();
    MuBiaoWei();
}

// ---- Tab strip -------------------------------------------------------------------------------------

void FrmYanShi::buildTabStrip()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    const bank::OpRecord rec = record();
    const int current = bank::tabDigit(rec.col(132));
    targetTab = qint16(bank::tabDigit(rec.col(133)));
    tabImage = qint16(bank::digitValue(rec.col(134)));
    LHelp.setCaption(tabs::tabPrompt(targetTab));
    if (const auto layout = tabs::builtInLayout(rec.col(131), tabs::Table::Demo))
        tabLayout = *layout;
    const tabs::TabLayout layout(tabLayout);
    const QString page = layout.pagePicture(current);
    // The dialog shows the current tab's page first.
    if (tk::Image* img = imageOf(tabImage)) {
        step([&] { tabLeft = vb::cint(img->Left()); });
        step([&] { tabTop = vb::cint(img->Top()); });
        if (current != targetTab)
            step([&] { img->loadPicture(dataPicture(page)); });
    }
    // Tab labels.
    tabCount = qint16(layout.count());
    for (int i = 0; i <= tabCount; ++i) {
        tk::Label& t = LblXXK[i];
        t.setHeight(layout.labelHeight() * sy);
        t.setWidth(1);
        t.setLeft(-1 * sx);
        t.setTop(layout.labelTop() * sy + tabTop);
        t.setCaption(QString());
    }
    for (int i = 1; i <= tabCount; ++i) {
        tk::Label& t = LblXXK[i];
        t.setLeft(layout.tabLeft(i) * sx + tabLeft);
        int w = layout.tabLeft(i + 1) - layout.tabLeft(i);
        if (w < 0)
            w = tabs::kNegativeWidth;
        t.setWidth(w * sx);
    }
    // Two rows.
    if (tabCount >= tabs::kTwoRowCount) {
        LblXXK[4].setWidth(tabs::kWideFourthTab * sx);
        frontTabRow = qint16(tabs::rowOfTab(current));
        DoubleXXK();
    }
    // Step-back spot.
    {
        const QRectF spot = layout.backSpotRect(tabLeft, tabTop, sx, sy);
        LblXXK[0].Move(spot.left(), spot.top(), spot.width(), spot.height());
    }
    // No tab to change: the hot spot as recorded; otherwise the frame marks the tab.
    if (current == targetTab) {
        Label1.setWidth(hotSpotWidth * sx);
        Label1.setHeight(hotSpotHeight * sy);
        LHelp.setCaption(hintText);
        Shape1.Move(Label1.Left(), Label1.Top(), Label1.Width(), Label1.Height());
    } else {
        Label1.setWidth(1);
        Label1.setHeight(1);
        step([&] {
            const tk::Label& t = LblXXK[targetTab];
            Shape1.Move(t.Left(), t.Top(), t.Width(), t.Height());
        });
    }
}

void FrmYanShi::DoubleXXK()
{
    const double sy = dScaleY;
    const int t = tabs::TabLayout(tabLayout).labelTop();
    for (int i = 1; i <= tabCount; ++i)
        step([&] { LblXXK[i].setTop(t * sy + tabTop); });
    const int first = frontTabRow == 2 ? 5 : 1;
    const int last = frontTabRow == 2 ? tabCount : 4;
    for (int i = first; i <= last; ++i)
        step([&] { LblXXK[i].setTop((t + 300) * sy + tabTop); });
}
