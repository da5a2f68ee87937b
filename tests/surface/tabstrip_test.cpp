// Tab strips of the surface's dialogs, through real mouse events: the tab labels of every
// built-in layout over the dialog picture, the tab prompt, the choice of the target tab, the
// re-stacking of two rows and the step-back spot.

#include "bank/tabs.h"
#include "menutab_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace menutest;
using testrec::Record;
using testworld::World;
using namespace ModData;

namespace {

constexpr int kOriginX = 600; // the dialog picture Image2, design twips
constexpr int kOriginY = 900;

// A tab step: the dialog in Image2 showing its own page "500002", the hot spot and the hint
// text 1; cols 130-134 from `tabSpec` ("X", layout, current, target, image number).
Record tabStep(const QString& tabSpec, const QString& head = QStringLiteral("00000"))
{
    return Record(QStringLiteral("0001")).plane(2, kOriginX, kOriginY, QStringLiteral("500002"))
        .hotSpot(3000, 4500, 900, 300).hint(300, 8000, 1).shared(head + tabSpec);
}

class TabWorld : public ShownWorld {
public:
    TabWorld()
    {
        texts({QStringLiteral("单击“确定”按钮")});
        numberedPicture(data, QStringLiteral("500002"), 400, 400);
        for (QChar letter : QStringLiteral("ABCDEFGIJ")) {
            const bank::tabs::TabLayout layout(*bank::tabs::builtInLayout(letter));
            for (int i = 1; i <= layout.count(); ++i)
                numberedPicture(data, layout.pagePicture(i), 400, 400);
        }
    }
};

QRectF expectedTab(QChar letter, int tab, int chosenRow, double sx = 1, double sy = 1)
{
    const bank::tabs::TabLayout layout(*bank::tabs::builtInLayout(letter));
    return *layout.tabRect(tab, kOriginX * sx, kOriginY * sy, sx, sy, chosenRow);
}

} // namespace

// Every layout places its tabs over the dialog picture and its step-back spot beside them; the
// labels beyond the layout's count stay off the surface.
TEST(TabStrip, LayoutsOverTheDialog)
{
    // Design twips from the dialog's corner, current tab 1: a layout of two rows has tabs 1-4 300
    // twips lower, next to the page, and tab 4 1215 twips wide; the last tab reaches the strip's
    // end. The step-back spot comes last.
    struct Layout {
        char letter;
        std::vector<QRectF> tabs;
        QRectF back;
    };
    const Layout layouts[] = {
        {'A',
         {{150, 840, 1290, 285}, {1440, 840, 1560, 285}, {3000, 840, 1230, 285}, {4230, 840, 1215, 285},
          {150, 540, 1380, 285}, {1530, 540, 1380, 285}, {2910, 540, 1365, 285}, {4275, 540, 1155, 285}},
         {4395, 5880, 1095, 285}},
        {'B', {{150, 570, 810, 285}, {960, 570, 780, 285}}, {3720, 960, 1095, 285}},
        {'C', {{150, 555, 1050, 285}, {1200, 555, 900, 285}, {2100, 555, 930, 285}}, {4710, 4845, 1095, 285}},
        {'D',
         {{165, 825, 1185, 270}, {1350, 825, 1185, 270}, {2535, 825, 1890, 270}, {4425, 825, 1215, 270},
          {165, 525, 1365, 270}, {1530, 525, 1365, 270}, {2895, 525, 1365, 270}, {4260, 525, 1350, 270}},
         {4560, 5865, 1095, 285}},
        {'E',
         {{150, 555, 1140, 285}, {1290, 555, 810, 285}, {2100, 555, 810, 285}, {2910, 555, 810, 285},
          {3720, 555, 810, 285}, {4530, 555, 750, 285}},
         {3810, 5325, 1080, 270}},
        {'F', {{150, 555, 705, 270}, {855, 555, 765, 270}}, {5265, 1365, 1095, 285}},
        {'G', {{135, 555, 945, 270}, {1080, 555, 840, 270}}, {4335, 5340, 1095, 285}},
        {'I', {{135, 585, 1005, 285}, {1140, 585, 1095, 285}}, {4980, 5355, 1080, 270}},
        {'J', {{150, 585, 780, 285}, {930, 585, 810, 285}, {1740, 585, 810, 285}, {2550, 585, 765, 285}},
         {4560, 1260, 1080, 270}},
        {'H', {}, {0, 0, 0, 0}},
    };
    // Every layout at scale 1, two of them at scales whose factors differ on the two axes.
    const struct {
        double sx, sy;
        const char* letters;
    } scales[] = {{1, 1, "ABCDEFGIJH"}, {1.5, 1.25, "A"}, {1.2, 0.8, "E"}};
    TabWorld w;
    for (const auto& scale : scales) {
        for (const Layout& c : layouts) {
            if (!std::strchr(scale.letters, c.letter))
                continue;
            const double sx = scale.sx, sy = scale.sy;
            SCOPED_TRACE(std::string(1, c.letter) + " " + std::to_string(sx) + " x " + std::to_string(sy));
            dScaleX = sx;
            dScaleY = sy;
            FrmMain& m = w.shown({tabStep(QStringLiteral("X") + QLatin1Char(c.letter) + QStringLiteral("112"))});
            const int originX = qRound(kOriginX * sx), originY = qRound(kOriginY * sy);
            auto placed = [&](const QRectF& r) {
                return QRectF(originX + r.left() * sx, originY + r.top() * sy, r.width() * sx, r.height() * sy);
            };
            const int count = int(c.tabs.size());
            EXPECT_EQ(m.tabCount, count);
            EXPECT_EQ(m.tabOriginX, originX);
            EXPECT_EQ(m.tabOriginY, originY);
            for (int i = 1; i <= count; ++i)
                EXPECT_EQ(rect(m.LblXXK[i]), placed(c.tabs[std::size_t(i - 1)])) << "tab " << i;
            for (int i = count + 1; i <= 13; ++i)
                EXPECT_EQ(rect(m.LblXXK[i]), QRectF(-1 * sx, -1 * sy, 1, 1)) << "tab " << i;
            EXPECT_EQ(rect(m.LblXXK[0]), placed(c.back));
        }
    }
    dScaleX = 1;
    dScaleY = 1;

    // By hand: layout A's tabs 1, 4 and 8 and layout D's tab 4; the rows of tabs 1-4 next to
    // the page (current tab 1), tabs 5-8 above them.
    FrmMain& m = w.shown({tabStep(QStringLiteral("XA112"))});
    EXPECT_EQ(rect(m.LblXXK[1]), QRectF(750, 900 + 540 + 300, 1290, 285));
    EXPECT_EQ(rect(m.LblXXK[4]), QRectF(600 + 4230, 900 + 540 + 300, 1215, 285));
    EXPECT_EQ(rect(m.LblXXK[8]), QRectF(600 + 4275, 900 + 540, 1155, 285));
    EXPECT_EQ(rect(m.LblXXK[0]), QRectF(600 + 4395, 900 + 5880, 1095, 285));
    w.shown({tabStep(QStringLiteral("XD112"))});
    EXPECT_EQ(m.LblXXK[4].Width(), 1215);
}

// Layout A with current tab 2 and target tab 6: the tab the candidate clicks comes forward with its
// row; only the target brings up the step's own page, the hint and the hot spot.
TEST(TabStrip, ChoosingTabsOfTwoRows)
{
    TabWorld w;
    FrmMain& m = w.shown({tabStep(QStringLiteral("XA262")), Record(QStringLiteral("9999"))});
    struct Case {
        int click;       // 0: as the step begins
        int rowInFront;  // the row lying next to the page
        const char* page;
        bool target;
    };
    const Case cases[] = {
        {0, 1, "121002", false},
        {6, 2, "500002", true},
        {3, 1, "121003", false},
        {8, 2, "121008", false},
        {6, 2, "500002", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.click);
        if (c.click)
            clickOn(m, m.LblXXK[c.click]);
        for (int i = 1; i <= 8; ++i)
            EXPECT_EQ(rect(m.LblXXK[i]), expectedTab(u'A', i, c.rowInFront)) << "tab " << i;
        EXPECT_EQ(shownPicture(m.Image2), c.page);
        if (c.target) {
            EXPECT_EQ(m.LHelp.Caption(), QStringLiteral("单击“确定”按钮"));
            EXPECT_TRUE(m.Label1.Visible());
            EXPECT_EQ(rect(m.Label1), QRectF(3000, 4500, 900, 300));
            EXPECT_EQ(rect(m.Shape1), rect(m.Label1));
        } else {
            EXPECT_EQ(m.LHelp.Caption(), QStringLiteral("请选择第6个选项卡"));
            EXPECT_EQ(m.Label1.Width(), 1);
            EXPECT_EQ(m.Label1.Height(), 1);
            if (c.click) { // at the build the red frame of a 1 x 1 twip hot spot is put away
                EXPECT_EQ(rect(m.Shape1), rect(m.LblXXK[6]));
            }
        }
        EXPECT_EQ(iStepNo, 1); // a tab never advances the step
    }
}

// The tab prompt names the target tab in decimal digits; a step that begins on its target tab
// shows its hint and hot spot at once; a hint reference "000" leaves two blanks, not an earlier
// step's hint.
TEST(TabStrip, PromptAndStepsBeginningOnTheTarget)
{
    struct Case {
        const char* field;
        int hintRef;
        const char* caption;
        double hotWidth;
    };
    const Case cases[] = {
        {"XA1A2", 1, "请选择第10个选项卡", 1},
        {"XD1D2", 1, "请选择第13个选项卡", 1},
        {"XE132", 1, "请选择第3个选项卡", 1},
        {"XE332", 1, "单击“确定”按钮", 900},
        {"XE332", 0, "  ", 900},
    };
    TabWorld w;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        FrmMain& m = w.shown({tabStep(QString::fromLatin1(c.field)).hintRef(c.hintRef)});
        EXPECT_EQ(m.LHelp.Caption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(m.Label1.Width(), c.hotWidth);
    }
    // Choosing the target of a step whose hint reference is "000".
    FrmMain& m = w.shown({tabStep(QStringLiteral("XE132")).hintRef(0)});
    clickOn(m, m.LblXXK[3]);
    EXPECT_EQ(m.LHelp.Caption(), QStringLiteral("  "));
    EXPECT_EQ(m.Label1.Width(), 900);
}

// The step-back spot goes back the number of steps of the back mark (0 or a non-digit: one),
// one step without a back mark, never below step 1, and builds the scene again. A tab step with a
// back mark has the spot at the record's place, not the layout's.
TEST(TabStrip, StepBackSpot)
{
    struct Case {
        int step;
        const char* head; // cols 125-129
        const char* tab;  // cols 130-134
        int stepAfter;
        bool spotAtRecord;
    };
    const Case cases[] = {
        {3, "Q0002", "00000", 1, true},
        {4, "Q0002", "00000", 2, true},
        {3, "Q0009", "00000", 1, true},
        {3, "Q0000", "00000", 2, true},
        {3, "Q000x", "00000", 2, true},
        {3, "00000", "XB112", 2, false}, // the layout's spot of a tab step without a back mark
        {1, "00000", "XB112", 1, false}, // at step 1: stays, built again
        {4, "Q0003", "XB212", 1, true},  // a tab step with a back mark
    };
    TabWorld w;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        QStringList ops;
        for (int s = 1; s <= 5; ++s)
            ops << (s == c.step ? QString(tabStep(QString::fromLatin1(c.tab), QString::fromLatin1(c.head)).dragBound(7500, 7800))
                                : QString(Record(QStringLiteral("0001")).hotSpot(100, 100, 300, 300)));
        ops << Record(QStringLiteral("9999"));
        FrmMain& m = w.shown(ops);
        World::build(c.step);
        if (c.spotAtRecord)
            EXPECT_EQ(rect(m.LblXXK[0]), QRectF(7500, 7800, 1095, 285));
        else
            EXPECT_EQ(rect(m.LblXXK[0]), QRectF(600 + 3720, 900 + 960, 1095, 285));
        iTmStep(1) = 0;
        clickOn(m, m.LblXXK[0]);
        EXPECT_EQ(iStepNo, c.stepAfter);
        EXPECT_EQ(iTmStep(1), c.stepAfter); // the scene of that step was built
    }
}

// Odd tab fields: layout H has no tabs and a spot of no size; a tab image number outside 1-5 moves
// no origin and changes no picture; current tab 0 shows the record's own page; an unknown layout
// letter keeps the last layout; a target beyond the layout's tabs cannot be chosen.
TEST(TabStrip, OddTabSpecs)
{
    TabWorld w;
    FrmMain& m = w.shown({tabStep(QStringLiteral("XB212"))});
    ASSERT_EQ(shownPicture(m.Image2), "380015");

    w.shown({tabStep(QStringLiteral("XH122"))});
    EXPECT_EQ(m.tabCount, 0);
    EXPECT_EQ(rect(m.LblXXK[0]), QRectF(kOriginX, kOriginY, 0, 0));
    EXPECT_EQ(rect(m.LblXXK[1]), QRectF(-1, -1, 1, 1));
    EXPECT_EQ(m.Label1.Width(), 1);

    w.shown({tabStep(QStringLiteral("XB127")).plane(2, 2000, 2000, QStringLiteral("500002"))});
    EXPECT_EQ(m.tabOriginX, kOriginX);
    EXPECT_EQ(shownPicture(m.Image2), "500002");
    clickOn(m, m.LblXXK[2]);
    EXPECT_EQ(shownPicture(m.Image2), "500002");

    w.shown({tabStep(QStringLiteral("XB022"))});
    EXPECT_EQ(shownPicture(m.Image2), "500002");

    w.shown({tabStep(QStringLiteral("XZ132"))});
    EXPECT_EQ(m.tabCount, 2); // layout B still
    EXPECT_EQ(m.LHelp.Caption(), QStringLiteral("请选择第3个选项卡"));

    w.shown({tabStep(QStringLiteral("XB1D2"))});
    EXPECT_EQ(m.LHelp.Caption(), QStringLiteral("请选择第13个选项卡"));
    clickOn(m, m.LblXXK[2]);
    clickOn(m, m.LblXXK[1]);
    EXPECT_EQ(m.Label1.Width(), 1);
    EXPECT_EQ(iStepNo, 1);
}

// Every question of the sample bank with a tab step or a back-marked step is completed by the
// candidate's hand on the shown surface; at a back-marked step the hand first goes back. The
// first dialog of two rows of tabs is saved before and after the choice of its target tab when
// XP_SURFACE_SHOTS names a folder.
TEST(TabStrip, SampleBankQuestions)
{
    SampleWorld w;
    if (!w.ok())
        GTEST_SKIP() << "the sample program folder has not been laid out";
    bool twoRows = false;
    const int played = playSampleQuestions(
        w, [](const bank::OpRecord& r) { return r.hasTabSpec() || r.col(125) == u'Q'; },
        [&twoRows](FrmMain& s) {
            const std::optional<bank::TabSpec> tab = bank::OpRecord(sOpRecord).tabSpec();
            if (twoRows || !tab || s.tabCount < 8 || tab->currentTab == tab->targetTab)
                return;
            twoRows = true;
            EXPECT_EQ(s.LHelp.Caption(), bank::tabs::tabPrompt(tab->targetTab));
            saveShot(s, QStringLiteral("tabs-before"));
            clickOn(s, s.LblXXK[tab->targetTab]);
            // The target's row now lies next to the page, the other row above it.
            const int other = tab->targetTab > 4 ? 1 : 5;
            EXPECT_EQ(s.LblXXK[tab->targetTab].Top(), s.LblXXK[other].Top() + 300);
            saveShot(s, QStringLiteral("tabs-after"));
        });
    EXPECT_GT(played, 0);
    EXPECT_TRUE(twoRows);
}
