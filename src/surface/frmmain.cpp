#include "surface/frmmain.h"

#include "app/moddata.h"
#include "bank/menubar.h"
#include "bank/oprecord.h"
#include "demo/demostate.h"
#include "exam/frmtm.h"
#include "exam/questionshow.h"
#include "platform/programfolder.h"
#include "platform/screenmetrics.h"
#include "platform/textfile.h"
#include "platform/windowpos.h"
#include "surface/popupfill.h"
#include "surface/tablabels.h"
#include "toolkit/vb.h"

using namespace ModData;

namespace {

// A build of a step can run a typing judge that advances and builds the next step inside it.
// Questions have fewer than a hundred steps, so a deeper nesting is a loop in the data.
constexpr int kMaxBuildNesting = 100;

// The record as it stands now: a judge run from inside the build may have read the next one.
bank::OpRecord current() { return bank::OpRecord(sOpRecord); }

// Every statement of a build goes on after an error, with nothing reported.
template <class F>
void step(F&& f)
{
    vb::attempt(std::forward<F>(f));
}

QString scenePicture(const QString& id) { return sDataPath + id + QStringLiteral(".mxy"); }

// Name of an exercise file: data folder & "2888" & the last two digits of "00" & n & ".mxy".
QString exerciseFile(int n)
{
    const QString digits = QStringLiteral("00") + QString::number(n);
    return sDataPath + QStringLiteral("2888") + digits.right(2) + QStringLiteral(".mxy");
}

int planeLeftCol(int k)
{
    static constexpr int cols[] = {0, 18, 34, 50, 135, 151};
    return cols[k];
}

} // namespace

FrmMain::FrmMain()
{
    setBorderless(true);

    LHelp.setBackColor(8454143);
    LHelp.setForeColor(255);
    LHelp.setFontName(QStringLiteral("宋体"));
    LHelp.setFontSize(10.5);
    LHelp.setFontBold(true);
    LHelp.setAutoSize(true);
    Shape1.setBorderColor(255);
    Shape1.setBorderWidth(2);
    Shape2.setBorderColor(65535);
    Shape2.setBorderWidth(2);
    Shape4.setBorderColor(65280);
    Shape4.setBorderWidth(2);
    Shape6.setBorderStyle(3);
    Shape6.hide();
    LblSuccess.setBackStyle(0);
    LblSuccess.setCaption(QStringLiteral("操作成功！"));
    LblSuccess.setForeColor(255);
    LblSuccess.setFontName(QStringLiteral("宋体"));
    LblSuccess.setFontSize(72);
    LblSuccess.Move(2640, 3840, 7200, 1515);
    LblSuccess.hide();
    lblMove.setBackStyle(0);
    Label1.setBackStyle(0);
    Label4.setBackStyle(0);
    Text2.setText(QStringLiteral("新建文件夹"));
    for (int i = 0; i <= 13; ++i)
        LblXXK.create(i).setBackStyle(0);
    for (int i = 1; i <= 20; ++i)
        LblSubSel.create(i).setBackStyle(0);
    for (int i = 1; i <= 20; ++i)
        LblShuMenu.create(i).setBackStyle(0);
    for (int i = 1; i <= 9; ++i)
        LMainMenu.create(i).setBackStyle(0);

    // Popup menu tree: element 0 of every item array exists with the window; the set-up adds 1-10.
    static constexpr int kSections[] = {1, 1, 2, 2, 3, 3, 4, 5, 4}; // cascade, list, ... in order
    static constexpr bool kCascade[] = {true, false, true, false, true, false, true, true, false};
    // Menu items raise their events as the controls do: counted on the surface, and nothing once
    // it is unloaded (an exercise may end while its menu is open).
    for (int s = 0; s < 9; ++s) {
        const int n = kSections[s];
        if (kCascade[s]) {
            sTavoMain[n] = wm100.addMenu(QString());
            QAction* a = sTavoMain[n]->addAction(QString());
            sTavoSub[n][0] = a;
            QObject::connect(a, &QAction::triggered, this, [this, n] { tk::raiseEvent(this, [&] { sTavoSub_Click(n, 0); }); });
        } else {
            QAction* a = wm100.addAction(QString());
            sTavoInde[n][0] = a;
            QObject::connect(a, &QAction::triggered, this, [this, n] { tk::raiseEvent(this, [&] { sTavoInde_Click(n, 0); }); });
        }
    }

    // Events.
    Timer2.onTimer = [this] { Timer2_Timer(); };
    Timer3.onTimer = [this] { Timer3_Timer(); };
    lblMove.onMouseDown = [this](int b, int s, float x, float y) { lblMove_MouseDown(b, s, x, y); };
    Label1.onMouseDown = [this](int b, int s, float x, float y) { Label1_MouseDown(b, s, x, y); };
    Label1.onMouseMove = [this](int b, int s, float x, float y) { Label1_MouseMove(b, s, x, y); };
    Label1.onMouseUp = [this](int b, int s, float x, float y) { Label1_MouseUp(b, s, x, y); };
    Label1.onDblClick = [this] { Label1_DblClick(); };
    Label4.onMouseDown = [this](int b, int s, float x, float y) { Label4_MouseDown(b, s, x, y); };
    Label4.onMouseMove = [this](int b, int s, float x, float y) { Label4_MouseMove(b, s, x, y); };
    Label4.onMouseUp = [this](int b, int s, float x, float y) { Label4_MouseUp(b, s, x, y); };
    Image1.onMouseMove = [this](int b, int s, float x, float y) { Image1_MouseMove(b, s, x, y); };
    Image2.onMouseMove = [this](int b, int s, float x, float y) { Image2_MouseMove(b, s, x, y); };
    Image3.onMouseMove = [this](int b, int s, float x, float y) { Image3_MouseMove(b, s, x, y); };
    Image4.onMouseMove = [this](int b, int s, float x, float y) { Image4_MouseMove(b, s, x, y); };
    Image5.onMouseMove = [this](int b, int s, float x, float y) { Image5_MouseMove(b, s, x, y); };
    Image5.onMouseUp = [this](int b, int s, float x, float y) { Image5_MouseUp(b, s, x, y); };
    Text1.onChange = [this] { Text1_Change(); };
    Text2.onChange = [this] { Text2_Change(); };
    Text3.onChange = [this] { Text3_Change(); };
    Text1.onGotFocus = [this] { Text1_GotFocus(); };
    Text1.onKeyUp = [this](int k, int s) { Text1_KeyUp(k, s); };
    Text1.onMouseUp = [this](int b, int s, float x, float y) { Text1_MouseUp(b, s, x, y); };
    LMainMenu.onMouseMove = [this](int i, int b, int s, float x, float y) { LMainMenu_MouseMove(i, b, s, x, y); };
    LMainMenu.onMouseUp = [this](int i, int b, int s, float x, float y) { LMainMenu_MouseUp(i, b, s, x, y); };
    ImgMenuSys.onClick = [this] { ImgMenuSys_Click(); };
    LblShuMenu.onMouseMove = [this](int i, int b, int s, float x, float y) { LblShuMenu_MouseMove(i, b, s, x, y); };
    LblShuMenu.onMouseUp = [this](int i, int b, int s, float x, float y) { LblShuMenu_MouseUp(i, b, s, x, y); };
    LblSubSel.onMouseMove = [this](int i, int b, int s, float x, float y) { LblSubSel_MouseMove(i, b, s, x, y); };
    LblSubSel.onMouseUp = [this](int i, int b, int s, float x, float y) { LblSubSel_MouseUp(i, b, s, x, y); };
    LblXXK.onClick = [this](int i) { LblXXK_Click(i); };

    restack();
}

// The control arrays are created after the single controls and would lie above the hot spots.
// From the top: the hot spot and the second hot spot, the menu titles, the drop-down rows, the
// submenu rows, the tab labels; then the menu pictures and scene pictures as declared. Nothing
// raises a control later, so the order holds through every scene build.
void FrmMain::restack()
{
    for (auto* labels : {&LblXXK, &LblSubSel, &LblShuMenu, &LMainMenu})
        for (int i : labels->indexes())
            (*labels)[i].ZOrder(0);
    Label4.ZOrder(0);
    Label1.ZOrder(0);
}

FrmMain::~FrmMain() = default;

// ---- Set-up ------------------------------------------------------------------------------------

void FrmMain::Form_Load()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    step([&] { loadIcon(scenePicture(QStringLiteral("l62011"))); });

    // Maximised on a small screen; 800 x 600 pixels, centred, on a larger one. The maximised
    // window's normal size is the whole screen, so that showing it normal keeps it filling it.
    const QSize screen = platform::screenSizeTwips();
    step([&] { Move(0, 0, screen.width(), screen.height()); });
    step([&] { setWindowState(2); });
    step([&] { Move(0, 0); });
    if (float(screen.height()) / 15 > float(650 * sy)) {
        step([&] { setWindowState(0); });
        step([&] { setWidth(12000 * sx); });
        step([&] { setHeight(9000 * sy); });
        step([&] { setLeft((screen.width() - Width()) / 2); });
        step([&] { setTop((screen.height() - Height()) / 2); });
    }
    step([&] { dockPanel(); });
    step([&] { Label1.setCaption(QString()); });
    step([&] { ImgLogo.Move(10200 * sx, 8235 * sy, 1740 * sx, 345 * sy); });
    step([&] { ImgLogo.loadPicture(scenePicture(QStringLiteral("l62009"))); });
    step([&] {
        for (int q = 1; q <= 40; ++q)
            iTmStep(q) = 1;
    });
    step([&] { pictureFolder = platform::programFolder() + QStringLiteral("/examdata/"); });

    // Drawn menu bar: closed, on set 1.
    menuLeft = bank::menubar::kTitleLeft;
    menuTop = bank::menubar::kTitleTop;
    menuPitch = bank::menubar::kTitlePitch;
    menuSet = 1;
    menuOpen = false;
    for (tk::Image* img : {&ImgMenuSys, &ImgMenuSel, &ImgShuMenu, &ImgSubMenu, &ImgSubSel})
        img->setPicture(QPixmap());
    for (int i = 1; i <= 9; ++i) {
        tk::Label& t = LMainMenu[i];
        step([&] { t.Move((menuLeft + (i - 1) * menuPitch) * sx, menuTop * sy, 870 * sx, 270 * sy); });
        t.setCaption(QString());
        t.hide();
    }
    ImgMenuSys.setVisible(LMainMenu[1].Visible());
    for (int i = 1; i <= 20; ++i) {
        LblShuMenu[i].setCaption(QString());
        LblShuMenu[i].hide();
        LblSubSel[i].setCaption(QString());
        LblSubSel[i].hide();
    }
    for (int set = 1; set <= 9; ++set) {
        dropDownTable[set] = bank::menubar::dropDownEntry(set).toString();
        subMenuTable[set] = bank::menubar::submenuEntry(set).toString();
    }

    // Popup menu tree: elements 1 to 10 of the nine item arrays, hidden until a menu is filled.
    auto wire = [this](QAction* a, bool cascade, int n, int k) {
        a->setVisible(false);
        if (cascade)
            QObject::connect(a, &QAction::triggered, this, [this, n, k] { tk::raiseEvent(this, [&] { sTavoSub_Click(n, k); }); });
        else
            QObject::connect(a, &QAction::triggered, this, [this, n, k] { tk::raiseEvent(this, [&] { sTavoInde_Click(n, k); }); });
    };
    surface::addPopupElements(wm100, {sTavoMain, sTavoSub, sTavoInde}, wire);

    step([&] { lblMove.Move(1440 * sx, 0, 9495 * sx, 375 * sy); });
    step([&] { LblSuccess.setFontSize(72 * sx); });
    step([&] { LblSuccess.Move(2640 * sx, 3840 * sy); });
    LblSuccess.hide();
}

// The surface closes only when the program unloads it: a close from the window system (Alt+F4
// caught by the desktop, a window manager's close button) would leave the panel mid-exercise with
// nothing behind it.
void FrmMain::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode == FromControlMenu)
        cancel = 1;
}

// Panel's bottom-right corner on the surface's, with the panel's own current size.
void FrmMain::dockPanel()
{
    FrmTm& panel = FrmTm::get();
    panel.setLeft(Left() + Width() - panel.Width());
    panel.setTop(Top() + Height() - panel.Height());
}

void FrmMain::lblMove_MouseDown(int button, int, float, float)
{
    const double pixelsHigh = platform::screenSizeTwips().height() / 15.0;
    if (float(pixelsHigh) < float(650 * dScaleY))
        return;
    dockPanel();
    if (button == 1)
        platform::dragWindow(this);
}

// The panel goes with the surface whatever moves it: the drag by the strip, the window manager,
// another program or the program itself. A move event comes only with a change of place (the
// platform drops a report of the place the window already has), so a panel moved or collapsed on
// its own stays where it is while the surface stays.
void FrmMain::moveEvent(QMoveEvent* event)
{
    tk::FormT<FrmMain>::moveEvent(event);
    tk::raiseEvent(this, [this] {
        if (FrmTm::isLoaded())
            dockPanel();
    });
}

// The panel stays above everything, the surface comes to the top of the ordinary windows.
void FrmMain::zOrderPair()
{
    step([] { FrmTm::get().setTopmost(true); });
    step([this] { raiseTop(); });
    // A display without a window manager keeps no topmost windows: the panel is raised again.
    step([] {
        FrmTm& panel = FrmTm::get();
        if (panel.isVisible())
            panel.raise();
    });
}

// ---- Scene build -------------------------------------------------------------------------------

void FrmMain::readRecord()
{
    m_recordBeyondFile = true; // until the step's own line has been read
    const int q = iTmNo;
    const long wanted = long(iTmLine(q)) + iStepNo - 1;
    if (wanted >= 1) {
        const platform::LineRead r = platform::readLineN(sOpFile, int(std::min<long>(wanted, INT_MAX)));
        m_recordBeyondFile = !r.exists;
        if (r.readable() && (r.exists || !r.text.isEmpty()))
            sOpRecord = r.text;
        return;
    }
    // A line below 1 reads the whole file and gives its last line.
    m_recordBeyondFile = false;
    if (const auto line = bank::readOpRecord(sOpFile, int(wanted)))
        sOpRecord = *line;
    else
        m_recordBeyondFile = true;
}

void FrmMain::setData()
{
    struct Depth {
        int& d;
        explicit Depth(int& v) : d(v) { ++d; }
        ~Depth() { --d; }
    } depth(m_buildDepth);

    const double sx = dScaleX;
    const double sy = dScaleY;

    // 1-2
    step([&] { LblSuccess.hide(); });
    endSecondHotSpotDrag(); // a rubber band or drag does not outlive its step
    zOrderPair();
    // 3. File names of the exercise.
    step([&] {
        const int n = iLianXiType + iLianXiSub;
        sOpFile = exerciseFile(n);
        sTmTextFile = exerciseFile(n + 50);
    });
    // 4
    step([&] { Text1.setFontSize(9 * sx); });
    step([&] { Text2.setFontSize(9 * sx); });
    // 5. Drawn menu closed, titles laid out again and hidden.
    for (tk::Image* img : {&ImgMenuSys, &ImgMenuSel, &ImgShuMenu, &ImgSubMenu, &ImgSubSel})
        img->setPicture(QPixmap());
    for (int i = 1; i <= 9; ++i) {
        step([&] {
            tk::Label& t = LMainMenu[i];
            t.Move(((i - 1) * 870 + 390) * sx, 420 * sy, 870 * sx, 270 * sy);
            t.setCaption(QString());
            t.hide();
        });
    }
    step([&] { ImgMenuSys.setVisible(LMainMenu[1].Visible()); });
    hideMenuRows(); // no row of an earlier scene stays a live area
    // 6
    step([&] { readRecord(); });
    // 7. Tab labels parked off the surface.
    surface::parkTabLabels(LblXXK, sx, sy);
    // 8. Step 1 starts on empty planes 1-5; the form picture stays.
    if (iStepNo == 1) {
        for (tk::Image* img : {&Image1, &Image2, &Image3, &Image4, &Image5})
            img->setPicture(QPixmap());
    }
    // 9
    step([&] { iTmStep(iTmNo) = iStepNo; });
    // 10. Form picture.
    {
        const QString id = current().run(12, 17);
        if (id != bank::kKeepMark) {
            step([&] { loadPicture(scenePicture(id)); });
            step([&] { sTmPic(iTmNo, 0) = id; });
        }
    }
    // 11. Planes 1-5.
    tk::Image* const images[] = {nullptr, &Image1, &Image2, &Image3, &Image4, &Image5};
    for (int k = 1; k <= 5; ++k) {
        tk::Image& img = *images[k];
        const bank::OpRecord rec = current();
        const int c = planeLeftCol(k);
        if (rec.isHiddenMark(c)) {
            img.hide();
            continue;
        }
        step([&] { img.setLeft(rec.value(c, c + 4) * sx); });
        step([&] { img.setTop(rec.value(c + 5, c + 9) * sy); });
        if (k == 5) {
            step([&] { dragBaseLeft = vb::clng(rec.value(c, c + 4) * sx); });
            step([&] { dragBaseTop = vb::cint(rec.value(c + 5, c + 9) * sy); });
        }
        const QString id = rec.run(c + 10, c + 15);
        if (id != bank::kKeepMark) {
            step([&] { img.loadPicture(scenePicture(id)); });
            step([&] { sTmPic(iTmNo, k) = id; });
        }
        img.show();
    }
    // 12. Drag bound, design twips.
    step([&] { dragBoundX = vb::cint(current().value(167, 171)); });
    step([&] { dragBoundY = vb::cint(current().value(172, 176)); });

    // 13. Text box. Its new text and its focus run its handlers (typing judges) at once.
    if (current().textBoxShown()) {
        step([&] { Text1.show(); });
        step([&] { Text1.setLeft(current().value(86, 90) * sx); });
        step([&] { Text1.setTop(current().value(91, 95) * sy); });
        step([&] { Text1.setWidth(current().value(96, 100) * sx); });
        step([&] { Text1.setHeight(current().value(101, 105) * sy); });
        step([&] {
            const bank::TextRef ref = current().initialText();
            Text1.setText(ref.none() ? QString() : bank::operationText(sOpTextFile, ref));
        });
        step([&] { Text1.SetFocus(); });
        step([&] { Text1.setSelStart(0); });
        step([&] { Text1.setSelLength(0); });
        const bank::FontSpec f = current().fontSpec();
        step([&] { Text1.setFontSize((f.points ? *f.points : 9) * sx); });
        if (f.bold) {
            step([&] { Text1.setFontBold(*f.bold); });
            step([&] { Text1.setFontItalic(*f.italic); });
            step([&] { Text1.setFontUnderline(*f.underline); });
        }
        if (f.family)
            step([&] { Text1.setFontName(*f.family); });
        if (f.textColour)
            step([&] { Text1.setForeColor(long(*f.textColour)); });
        if (f.backColour)
            step([&] { Text1.setBackColor(long(*f.backColour)); });
    } else {
        step([&] { Text1.hide(); });
        step([&] { Text2.hide(); });
    }

    // 14. Hint label: placed, or left where and as it was.
    {
        const bank::OpRecord rec = current();
        if (rec.hintPlaced()) {
            step([&] { LHelp.setLeft(rec.value(112, 116) * sx); });
            step([&] { LHelp.setTop(rec.value(117, 121) * sy); });
            const bank::TextRef ref = rec.hintText();
            QString hint = QStringLiteral("  ");
            if (!ref.none())
                step([&] { hint = bank::operationText(sOpTextFile, ref); });
            step([&] { LHelp.setCaption(hint); });
            savedHint = hint;
        }
    }
    // 15. The hint and its frames show only in exercise mode 1.
    {
        const bool hintMode = iRunMode == 1;
        for (tk::Control* c : std::initializer_list<tk::Control*>{&LHelp, &Shape1, &Shape2, &Shape4})
            c->setVisible(hintMode);
    }
    // 16. Menu-bar switch.
    popupY = 0;
    {
        const bank::OpRecord rec = current();
        const bool live = rec.menuBarLive();
        if (live) {
            step([&] { popupX = rec.int32(125, 129); });
            step([&] { popupY = rec.int32(130, 134); });
        }
        for (int i = 1; i <= 9; ++i)
            step([&] { LMainMenu[i].setVisible(live); });
        ImgMenuSys.setVisible(live);
    }
    // 17. Hot spot.
    {
        const bank::OpRecord rec = current();
        if (!rec.hotSpotHidden()) {
            Label1.show();
            step([&] { Label1.setLeft(rec.value(66, 70) * sx); });
            step([&] { Label1.setTop(rec.value(71, 75) * sy); });
            step([&] {
                hotSpotWidth = vb::cint(rec.value(76, 80));
                Label1.setWidth(hotSpotWidth * sx);
            });
            step([&] {
                hotSpotHeight = vb::cint(rec.value(81, 85));
                if (hotSpotHeight != 0) {
                    Label1.setAutoSize(false);
                    Label1.setHeight(hotSpotHeight * sy);
                } else {
                    Label1.setAutoSize(true);
                }
            });
        } else {
            Label1.hide();
            Shape1.hide();
        }
        if (hotSpotHeight == 0) {
            step([&] { Label1.setWidth(1); });
            step([&] { Label1.setHeight(1); });
            Shape1.hide();
        }
    }
    // 18. Tab strip, or the red frame around the hot spot.
    if (current().hasTabSpec())
        step([&] { placeTabStrip(); });
    else
        step([&] { Shape1.Move(Label1.Left(), Label1.Top(), Label1.Width(), Label1.Height()); });
    // 19. Back mark and step-back spot.
    {
        const bank::OpRecord rec = current();
        if (rec.col(125) == u'Q') {
            backMark = rec.run(125, 129);
            step([&] {
                tk::Label& spot = LblXXK[0];
                spot.setHeight(285 * sy);
                spot.setWidth(1095 * sx);
                spot.setLeft(rec.value(167, 171) * sx);
                spot.setTop(rec.value(172, 176) * sy);
                spot.setCaption(QString());
            });
        } else {
            backMark = QStringLiteral("NONO");
        }
    }
    // 20. Second hot spot and its green frame.
    {
        const bank::OpRecord rec = current();
        if (rec.secondHotSpotPlaced()) {
            Label4.show();
            step([&] {
                Label4.Move(rec.value(177, 181) * sx, rec.value(182, 186) * sy,
                            rec.value(187, 191) * sx, rec.value(192, 196) * sy);
            });
        } else {
            step([&] {
                Label4.setWidth(1);
                Label4.setHeight(1);
                Label4.setLeft(-1);
            });
        }
        step([&] { Shape4.Move(Label4.Left(), Label4.Top(), Label4.Width(), Label4.Height()); });
    }
    // 21-23. Operation code; the menu-bar step's hot spot is a point; the timed step's timer.
    step([&] { opCode = vb::cint(current().value(8, 11)); });
    if (opCode == 7000) {
        step([&] { Label1.setWidth(1); });
        step([&] { Label1.setHeight(1); });
    }
    Timer3.setEnabled(opCode == 8888);
    timedQuestion = iTmNo;
    timedStep = iStepNo;
    // 24. End of question, or the red frame follows the hint.
    if (current().run(8, 11) == u"9999")
        endOfQuestion();
    else
        Shape1.setVisible(LHelp.Visible());
    // 25. Rename box and second box take the text box's place.
    for (tk::TextBox* box : {&Text2, &Text3}) {
        const QString code = box == &Text2 ? QStringLiteral("0021") : QStringLiteral("0027");
        if (current().run(8, 11) == code) {
            Shape1.hide();
            step([&] { box->setText(Text1.Text()); });
            step([&] { box->setLeft(Text1.Left()); });
            step([&] { box->setTop(Text1.Top()); });
            step([&] { box->setHeight(Text1.Height()); });
            step([&] { box->setWidth(Text1.Width()); });
            box->show();
            Text1.hide();
        } else {
            box->hide();
        }
    }
    // 26
    step([&] {
        Text3.setFontName(Text1.FontName());
        Text3.setFontSize(Text1.FontSize());
        Text3.setFontBold(Text1.FontBold());
        Text3.setFontItalic(Text1.FontItalic());
        Text3.setFontUnderline(Text1.FontUnderline());
        Text3.setForeColor(Text1.ForeColor());
        Text3.setBackColor(Text1.BackColor());
    });
    // 27. Typing hints.
    {
        const QString code = current().run(8, 11);
        const QString caption = LHelp.Caption();
        const QString h = caption.left(caption.indexOf(QLatin1Char('|')));
        if (code == u"0020" || code == u"0021" || code == u"0025") {
            Shape1.hide();
            LHelp.setCaption(QStringLiteral("输入 ") + h);
        } else if (code == u"0024") {
            Shape1.hide();
            LHelp.setCaption(QStringLiteral("输入 ") + h + QStringLiteral(" 并按回车键"));
        } else if (code == u"0023") {
            step([&] { Text1.setSelLength(0); });
            Shape1.hide();
            LHelp.setCaption(QStringLiteral("请选中 ") + h);
            step([&] { Text1.setSelLength(0); });
        } else if (code == u"0026") {
            step([&] { Text1.setSelLength(0); });
            LHelp.setCaption(QStringLiteral("输入 ") + h + QStringLiteral(" 并点击红色方框处"));
        }
    }
    // 28. Picture-drag steps: both hot spots are points.
    if (current().run(8, 9) == u"80") {
        step([&] {
            Label1.setWidth(1);
            Label1.setHeight(1);
            Label4.setWidth(1);
            Label4.setHeight(1);
        });
    }
    // 29. Yellow frame around the menu bar of the scene picture.
    step([&] {
        if (current().menuBarFrame())
            Shape2.Move(0, 405 * sy, 9000 * sx, 315 * sy);
        else
            Shape2.Move(-2, 1, 1, 1);
    });
    // 30. No red frame around a hidden or tiny hot spot.
    if (Label1.Height() <= 10 || Label1.Width() <= 10 || !Label1.Visible()) {
        Shape1.hide();
        step([&] { Shape1.Move(-2, Shape1.Top(), 1, 1); });
    }
    // 31-34
    zOrderPair();
    Shape2.setVisible(LHelp.Visible());
    setHotSpotPointer();
    zOrderPair();
}

void FrmMain::endOfQuestion()
{
    step([] {
        if (iTmFlags(iTmNo) < 4)
            iTmFlags(iTmNo) = vb::cint(iTmFlags(iTmNo) + 4);
    });
    Shape1.hide();
    Shape4.hide();
    Shape2.hide();
    if (iRunMode != 3) {
        LblSuccess.show();
        LHelp.hide();
    }
    step([] {
        FrmTm& panel = FrmTm::get();
        panel.LblUnit.setCaption(exam::unfinishedList(iTmCount, [](int i) {
            // A question beyond the table is listed, as an unreadable flag always was.
            int flags = 0;
            vb::attempt([&] { flags = iTmFlags(i); });
            return flags;
        }));
        QString title = panel.LblBiao.Caption();
        title.replace(QStringLiteral("(未完成)"), QStringLiteral("(已完成)"));
        panel.LblBiao.setCaption(title);
    });
}

void FrmMain::setHotSpotPointer()
{
    step([&] { Label1.setMousePointer(0); });
    const bank::PointerSpec p = current().hotSpotPointer();
    if (p.kind == bank::PointerSpec::Kind::Standard) {
        step([&] { Label1.setMousePointer(int(current().value(99, 100))); });
    } else if (p.kind == bank::PointerSpec::Kind::Custom) {
        step([&] { Label1.setMousePointer(99); });
        const QString name = p.cursorFileName();
        if (!name.isEmpty())
            step([&] { Label1.loadMouseIcon(platform::programPath(name)); });
    }
}

// ---- Step advance ------------------------------------------------------------------------------

void FrmMain::doNext()
{
    if (current().run(8, 11) == u"9999") {
        if (iTmFlags(iTmNo) < 4)
            iTmFlags(iTmNo) = vb::cint(iTmFlags(iTmNo) + 4);
    } else if (!m_recordBeyondFile && m_buildDepth < kMaxBuildNesting) {
        iStepNo = vb::cint(iStepNo + 1);
        HiddeMenu();
        setData();
    }
    zOrderPair();
}

// The surface's timers do nothing while a demonstration plays or is about to: the scene waits
// for its end. A flag left set by a start that never came up holds nothing.
void FrmMain::Timer2_Timer()
{
    if (demo::underWay())
        return;
    step([this] { setData(); });
    Timer2.setEnabled(false);
}

// A tick acts only on the timed step that armed the timer. Once the candidate is on another question
// or step the timer stops; during a demonstration it waits.
void FrmMain::Timer3_Timer()
{
    if (demo::underWay())
        return;
    if (opCode != 8888 || iTmNo != timedQuestion || iStepNo != timedStep) {
        Timer3.setEnabled(false);
        return;
    }
    doNext();
}

void FrmMain::stopTimedStep() { Timer3.setEnabled(false); }

