// Tab strips of simulated dialogs on the work surface: the tab labels LblXXK(1-13) over the tabs
// of the dialog picture, laid out from one of the built-in tab layouts (bank::tabs), the choice of
// the target tab that brings up the step's hot spot, the re-stacking of a strip of two rows, and
// the step-back spot LblXXK(0). Each statement goes on after an error (vb::attempt), with nothing
// reported.

#include "surface/frmmain.h"

#include "app/moddata.h"
#include "bank/oprecord.h"
#include "bank/tabs.h"
#include "bank/value.h"

using namespace ModData;
namespace tabs = bank::tabs;

namespace {

// Picture column of the scene images 1-5 in the operation record; 0 for another number.
int pictureCol(int image)
{
    static constexpr int cols[] = {0, 28, 44, 60, 145, 161};
    return image >= 1 && image <= 5 ? cols[image] : 0;
}

bool validTab(int index) { return index >= 0 && index <= tabs::kMaxTabs; }

} // namespace

// The scene image that shows the dialog, or nothing for a number outside 1-5.
tk::Image* FrmMain::tabImageControl()
{
    switch (tabImage) {
    case 1: return &Image1;
    case 2: return &Image2;
    case 3: return &Image3;
    case 4: return &Image4;
    case 5: return &Image5;
    default: return nullptr;
    }
}

// Loads the page picture of a tab into the dialog's image. No picture for a tab that names none.
void FrmMain::showTabPage(int tab)
{
    tk::Image* img = tabImageControl();
    const QString id = tabs::TabLayout(tabLayout).pagePicture(tab);
    if (!img || id.isEmpty())
        return;
    vb::attempt([&] { img->loadPicture(sDataPath + id + QStringLiteral(".mxy")); });
}

// The hot spot appears with its size from the record, the hint with the step's text.
void FrmMain::revealTabHotSpot()
{
    vb::attempt([&] { LHelp.setCaption(savedHint); });
    vb::attempt([&] { Label1.setHeight(hotSpotHeight * dScaleY); });
    vb::attempt([&] { Label1.setWidth(hotSpotWidth * dScaleX); });
    vb::attempt([&] { Shape1.Move(Label1.Left(), Label1.Top(), Label1.Width(), Label1.Height()); });
}

// The hot spot shrinks to a point and the red frame marks the tab still to choose.
void FrmMain::promptForTargetTab()
{
    vb::attempt([&] { LHelp.setCaption(tabs::tabPrompt(targetTab)); });
    vb::attempt([&] {
        Label1.setWidth(1);
        Label1.setHeight(1);
    });
    if (validTab(targetTab)) {
        const tk::Label& t = LblXXK[targetTab];
        vb::attempt([&] { Shape1.Move(t.Left(), t.Top(), t.Width(), t.Height()); });
    }
}

// Placement of a tab step, after the scene images, the hot spot and the hint are set.
void FrmMain::placeTabStrip()
{
    const bank::OpRecord rec(sOpRecord);
    const std::optional<bank::TabSpec> field = rec.tabSpec();
    if (!field)
        return;
    const double sx = dScaleX;
    const double sy = dScaleY;
    const int current = field->currentTab;
    targetTab = qint16(field->targetTab);
    vb::attempt([&] { LHelp.setCaption(tabs::tabPrompt(targetTab)); });
    if (const std::optional<QString> layout = tabs::builtInLayout(field->layout))
        tabLayout = *layout;
    const tabs::TabLayout layout(tabLayout);

    tabImage = qint16(field->imagePlane);
    if (tk::Image* img = tabImageControl()) {
        vb::attempt([&] { tabOriginX = vb::cint(img->Left()); });
        vb::attempt([&] { tabOriginY = vb::cint(img->Top()); });
        if (current != targetTab)
            showTabPage(current);
    }

    tabCount = qint16(layout.count());
    for (int i = 0; i <= tabCount; ++i) {
        tk::Label& t = LblXXK[i];
        vb::attempt([&] { t.setHeight(layout.labelHeight() * sy); });
        vb::attempt([&] { t.setWidth(1); });
        vb::attempt([&] { t.setLeft(-1 * sx); });
        vb::attempt([&] { t.setTop(layout.labelTop() * sy + tabOriginY); });
        vb::attempt([&] { t.setCaption(QString()); });
    }
    for (int i = 1; i <= tabCount; ++i) {
        tk::Label& t = LblXXK[i];
        vb::attempt([&] { t.setLeft(layout.tabLeft(i) * sx + tabOriginX); });
        vb::attempt([&] { t.setWidth(layout.tabWidth(i) * sx); });
    }
    if (layout.twoRows()) {
        chosenRow = qint16(tabs::rowOfTab(current));
        DoubleXXK();
    }
    vb::attempt([&] {
        const QRectF spot = layout.backSpotRect(tabOriginX, tabOriginY, sx, sy);
        LblXXK[0].Move(spot.left(), spot.top(), spot.width(), spot.height());
    });

    if (current == targetTab)
        revealTabHotSpot();
    else
        promptForTargetTab();
}

// Two rows of tabs: the row holding the chosen tab lies next to the page, the other above it.
void FrmMain::DoubleXXK()
{
    const tabs::TabLayout layout(tabLayout);
    const int count = qBound(0, int(tabCount), tabs::kMaxTabs);
    for (int i = 1; i <= count; ++i) {
        int top = layout.labelTop();
        if (tabs::rowOfTab(i) == chosenRow)
            top += tabs::kRowShift;
        vb::attempt([&] { LblXXK[i].setTop(top * dScaleY + tabOriginY); });
    }
}

void FrmMain::LblXXK_Click(int index)
{
    if (!validTab(index))
        return;
    if (index == 0) {
        // The step-back spot: back the number of steps of the back mark, or one, never below 1.
        if (backMark.startsWith(u'Q')) {
            const int n = qMax(1, bank::digitValue(backMark.back()));
            iStepNo = qint16(qMax(1, iStepNo - n));
        } else if (iStepNo > 1) {
            iStepNo = qint16(iStepNo - 1);
        }
        HiddeMenu();
        setData();
        return;
    }

    showTabPage(index);
    if (tabCount >= tabs::kTwoRowCount) {
        chosenRow = qint16(tabs::rowOfTab(index));
        DoubleXXK();
    }
    if (index == targetTab) {
        if (tk::Image* img = tabImageControl()) {
            const int c = pictureCol(tabImage);
            const QString id = bank::OpRecord(sOpRecord).run(c, c + 5);
            vb::attempt([&] { img->loadPicture(sDataPath + id + QStringLiteral(".mxy")); });
        }
        vb::attempt([&] { Label1.show(); });
        revealTabHotSpot();
    } else {
        promptForTargetTab();
    }
}
