// The drawn menu bar on the shown surface, through real mouse events: titles, drop-downs and
// submenus with their pictures, the menu-bar step's choice, closing, and rows left over from an
// earlier menu, step or question.

#include "menutab_fixture.h"

#include <gtest/gtest.h>

using namespace menutest;
using testrec::Record;
using testworld::World;
using namespace ModData;

namespace {

// The menu-bar step with choice code `code` (cols 125-129), then a plain step and the end.
QStringList menuQuestion(const QString& code, const QString& popupY = QStringLiteral("00000"))
{
    return {Record(QStringLiteral("7000")).plane(1, 0, 0, QStringLiteral("500001")).shared(code + popupY),
            Record(QStringLiteral("0001")).hotSpot(6000, 6000, 600, 600), Record(QStringLiteral("9999"))};
}

// A script of the candidate's hand: "T4" click on title 4, "R7" on drop-down row 7, "S2" on
// submenu row 2, "I" on the title picture, "t3" / "r3" / "s2" point at them; "P" points at the
// scene picture. Rows are aimed at where they are or, hidden, where they last were.
void play(FrmMain& m, const char* script, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers k = {})
{
    for (const char* p = script; *p;) {
        const char what = *p++;
        int n = 0;
        while (*p >= '0' && *p <= '9')
            n = n * 10 + (*p++ - '0');
        switch (what) {
        case 'T': clickOn(m, m.LMainMenu[n], b, k); break;
        case 'R': clickOn(m, m.LblShuMenu[n], b, k); break;
        case 'S': clickOn(m, m.LblSubSel[n], b, k); break;
        case 'I': clickAt(m, QPointF(m.ImgMenuSys.Left() + 15, m.ImgMenuSys.Top() + m.ImgMenuSys.Height() - 15), b, k); break;
        case 't': pointAt(m, m.LMainMenu[n]); break;
        case 'r': pointAt(m, m.LblShuMenu[n]); break;
        case 's': pointAt(m, m.LblSubSel[n]); break;
        case 'P': moveTo(m, QPointF(9000, 8000)); break;
        default: break;
        }
        while (*p == ' ')
            ++p;
    }
}

int visibleRows(const tk::ControlArray<tk::Label>& rows)
{
    int n = 0;
    for (int j = 1; j <= 20; ++j)
        n += rows[j].Visible() ? 1 : 0;
    return n;
}

} // namespace

// Opening a title lays its rows out from the table; row 1 is narrower; the submenu rows of a
// drop-down opened earlier close with it, whichever way the drop-down is opened.
TEST(DrawnMenu, DropDownRowsUnderTheTitle)
{
    MenuWorld w;
    FrmMain& m = w.shown(menuQuestion(QStringLiteral("10300")));

    play(m, "T1");
    ASSERT_TRUE(m.menuOpen);
    EXPECT_EQ(rect(m.ImgMenuSel).topLeft(), QPointF(390, 690));
    const int tops[] = {30, 360, 690, 1065, 1395, 1770, 2145, 2475, 2850, 3180, 3555, 3885, 4215, 4545, 4920};
    for (int j = 1; j <= 15; ++j) {
        SCOPED_TRACE(j);
        EXPECT_TRUE(m.LblShuMenu[j].Visible());
        EXPECT_EQ(rect(m.LblShuMenu[j]), QRectF(420, 690 + tops[j - 1], j == 1 ? 1215 : 2415, 330));
    }
    EXPECT_EQ(visibleRows(m.LblShuMenu), 15);

    struct Case {
        const char* script;
        int dropRows, subRows;
    };
    const Case cases[] = {
        {"T4 R7", 13, 3},  // row 7 of title 4 carries a submenu of 3 rows
        {"T4 R1", 13, 7},  // 3 + 4
        {"T7 R7", 11, 3},  // 1 + 2
        {"T4 R7 T2", 12, 0}, // another title: the submenu rows close with the old drop-down
        {"T4 R7 T4", 13, 0}, // the same title again: opened afresh, no toggle
        {"T4 R7 I", 13, 0},  // through the title picture
        {"T6", 3, 0},
        {"T9", 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        play(m, "P");
        play(m, c.script);
        EXPECT_EQ(visibleRows(m.LblShuMenu), c.dropRows);
        EXPECT_EQ(visibleRows(m.LblSubSel), c.subRows);
    }
}

// At another screen scale the titles, the drop-down and the row tops scale; the row labels keep
// their sizes; a submenu overlaps the drop-down by one scaled pixel.
TEST(DrawnMenu, AtAnotherScreenScale)
{
    MenuWorld w;
    dScaleX = 1.2;
    dScaleY = 1.25;
    FrmMain& m = w.shown(menuQuestion(QStringLiteral("40702")));
    play(m, "T4 R7");
    EXPECT_EQ(rect(m.LMainMenu[4]), QRectF(3000 * 1.2, 420 * 1.25, 870 * 1.2, 270 * 1.25));
    EXPECT_EQ(rect(m.ImgMenuSel).topLeft(), QPointF(3600, 862.5));
    const int offsets[] = {30, 360, 690, 1020, 1350, 1680, 2055}; // rows 1-7 of title 4
    for (int j = 1; j <= 7; ++j)
        EXPECT_EQ(rect(m.LblShuMenu[j]), QRectF(3636, 862.5 + offsets[j - 1] * 1.25, j == 1 ? 1215 : 2415, 330)) << j;
    EXPECT_EQ(m.ImgSubMenu.Left(), m.ImgMenuSel.Left() + m.ImgMenuSel.Width() - 18);
    EXPECT_EQ(rect(m.LblSubSel[2]), QRectF(m.ImgSubMenu.Left() + 36, m.LblShuMenu[7].Top() + 360 * 1.25, 2055, 330));
    play(m, "S2");
    EXPECT_EQ(iStepNo, 2);
}

// Every state of the menu bar shows its own picture of the picture folder, at its own place.
TEST(DrawnMenu, PicturesFollowThePointer)
{
    MenuWorld w;
    FrmMain& m = w.shown(menuQuestion(QStringLiteral("10300")));
    struct Case {
        const char* script;
        tk::Image FrmMain::*control;
        const char* picture;
        double left, top; // -1: at the place named in the check below
        int menuSet;
    };
    const Case cases[] = {
        {"t3", &FrmMain::ImgMenuSys, "730099", 2130, 420, 3},
        {"t9", &FrmMain::ImgMenuSys, "790099", 7350, 420, 9},
        {"T4", &FrmMain::ImgMenuSys, "740088", 3000, 420, 4},
        {"", &FrmMain::ImgMenuSel, "740000", 3000, 690, 4},
        {"r3", &FrmMain::ImgShuMenu, "740003", 3030, 690 + 690, 4},
        {"R7", &FrmMain::ImgSubMenu, "742000", -1, -1, 4},
        {"s2", &FrmMain::ImgSubSel, "742002", -1, -1, 4},
        {"R8", &FrmMain::ImgSubMenu, "743000", -1, -1, 4},
        {"T5 R10", &FrmMain::ImgSubMenu, "751000", -1, -1, 5},
        {"s3", &FrmMain::ImgSubSel, "751003", -1, -1, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        play(m, c.script);
        const tk::Image& img = m.*c.control;
        EXPECT_EQ(shownPicture(img), c.picture);
        EXPECT_EQ(m.menuSet, c.menuSet);
        if (c.left >= 0) {
            EXPECT_EQ(rect(img).topLeft(), QPointF(c.left, c.top));
        }
    }
    // A submenu overlaps the drop-down's right edge by one pixel, level with its row; its rows
    // start 30 below its top edge; a highlight lies on its row.
    EXPECT_EQ(m.ImgSubMenu.Left(), m.ImgMenuSel.Left() + m.ImgMenuSel.Width() - 15);
    EXPECT_EQ(m.ImgSubMenu.Top(), m.LblShuMenu[10].Top());
    EXPECT_EQ(rect(m.LblSubSel[1]), QRectF(m.ImgSubMenu.Left() + 30, m.ImgSubMenu.Top() + 30, 2055, 330));
    EXPECT_EQ(rect(m.ImgSubSel).topLeft(), rect(m.LblSubSel[3]).topLeft());
}

// The menu-bar step advances on the drop-down row or submenu row of its choice code and on nothing
// else; the choice may come with the opening of its row's submenu.
TEST(DrawnMenu, ChoiceCodes)
{
    struct Case {
        const char* code;
        const char* script;
        int stepAfter;
    };
    const Case cases[] = {
        {"10300", "T1 R3", 2},
        {"10300", "T2 R3", 1},         // the same row of another title
        {"10300", "T1 R4 R2", 1},
        {"40702", "T4 R7", 1},         // the submenu opens; the choice is in it
        {"40702", "T4 R7 S2", 2},
        {"40702", "T4 R8 S2", 1},      // row 2 of another submenu
        {"40702", "T4 R7 S3", 1},
        {"40700", "T4 R7", 2},         // a row with a submenu, its submenu not chosen
        {"51003", "T5 R10 S3", 2},     // row key "A" is row 10
        {"51003", "T5 R1 S3", 1},
        {"40702", "t4 I R7 S2", 2},    // opened through the title picture
        {"00000", "T1 R1", 1},         // titles live, but no choice code
        {"00000", "T1 R3", 1},
        // Rows that were closed: the submenu of row 7 closed with its drop-down, so its rows are
        // no choice where they were, even with the drop-down of the same title open again.
        {"40702", "T4 R7 T4 S2", 1},
        {"40702", "T4 R7 I S2", 1},
    };
    MenuWorld w;
    FrmMain& m = w.shown();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.script);
        w.ops(menuQuestion(QString::fromLatin1(c.code), QStringLiteral("00001")));
        play(m, "P");
        World::build(1);
        play(m, c.script);
        EXPECT_EQ(iStepNo, c.stepAfter);
        if (c.stepAfter == 2) {
            // Closed by the choice, the next step's hot spot shown.
            EXPECT_FALSE(m.menuOpen);
            EXPECT_EQ(visibleRows(m.LblShuMenu) + visibleRows(m.LblSubSel), 0);
            EXPECT_TRUE(m.ImgMenuSel.Picture().isNull());
            EXPECT_TRUE(m.Label1.Visible());
        }
    }
}

// Only a plain left click opens a title or chooses a row; any other click only hides the hot spot.
TEST(DrawnMenu, OnlyPlainLeftClicksCount)
{
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers mods;
    };
    const Case cases[] = {
        {Qt::RightButton, {}},
        {Qt::MiddleButton, {}},
        {Qt::LeftButton, Qt::ShiftModifier},
        {Qt::LeftButton, Qt::ControlModifier},
        {Qt::LeftButton, Qt::AltModifier},
    };
    MenuWorld w;
    FrmMain& m = w.shown(menuQuestion(QStringLiteral("40702")));
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.button) * 100 + int(c.mods >> 24));
        play(m, "P");
        ASSERT_TRUE(m.Label1.Visible());
        play(m, "T4", c.button, c.mods);
        EXPECT_FALSE(m.menuOpen);
        EXPECT_FALSE(m.Label1.Visible());
        play(m, "T4");
        play(m, "R7", c.button, c.mods);
        EXPECT_EQ(visibleRows(m.LblSubSel), 0);
        play(m, "R7");
        play(m, "S2", c.button, c.mods);
        EXPECT_EQ(iStepNo, 1);
    }
    play(m, "S2");
    EXPECT_EQ(iStepNo, 2);
}

// The pointer on the scene closes every menu and brings the hot spot back; the pointer may cross
// the menu pictures themselves. Pointing at another title while a drop-down is open changes
// nothing.
TEST(DrawnMenu, ClosingAndPointingWhileOpen)
{
    MenuWorld w;
    FrmMain& m = w.shown(menuQuestion(QStringLiteral("40702")));

    const QPointF places[] = {
        QPointF(9000, 8000),  // the scene picture
        QPointF(11900, 30),   // the form itself, beside the scene picture
    };
    for (const QPointF& at : places) {
        play(m, "T4 R7 s2");
        ASSERT_EQ(visibleRows(m.LblSubSel), 3);
        // Across the gap between two groups of rows: still open.
        moveTo(m, QPointF(m.LblShuMenu[6].Left() + 100, m.LblShuMenu[7].Top() - 20));
        ASSERT_TRUE(m.menuOpen);
        moveTo(m, at);
        EXPECT_FALSE(m.menuOpen);
        EXPECT_EQ(visibleRows(m.LblShuMenu) + visibleRows(m.LblSubSel), 0);
        for (tk::Image* img : {&m.ImgMenuSys, &m.ImgMenuSel, &m.ImgShuMenu, &m.ImgSubMenu, &m.ImgSubSel}) {
            EXPECT_TRUE(img->Picture().isNull());
            EXPECT_EQ(img->Width(), 0);
        }
        EXPECT_TRUE(m.Label1.Visible());
    }

    play(m, "T2");
    play(m, "t5");
    EXPECT_EQ(m.menuSet, 2);
    EXPECT_EQ(shownPicture(m.ImgMenuSys), "720088");
    EXPECT_EQ(m.ImgMenuSys.Left(), 1260);
    EXPECT_EQ(visibleRows(m.LblShuMenu), 12);
    play(m, "T5");
    EXPECT_EQ(m.menuSet, 5);
    EXPECT_EQ(shownPicture(m.ImgMenuSel), "750000");
    EXPECT_EQ(visibleRows(m.LblShuMenu), 12);
}

// Rows left behind by a scene build (a step back, another question) are no choice: the pointer on
// them closes them like the scene below. The rows of an open drop-down or submenu choose whether
// or not its picture could be loaded.
TEST(DrawnMenu, RowsLeftBehindNeverChoose)
{
    {
        SCOPED_TRACE("step back with the drop-down open");
        MenuWorld w;
        // Step 2 shows the menu bar over a dialog of tab layout B, whose step-back spot lies
        // beside the drop-down of title 1.
        w.ops({Record(QStringLiteral("7000")).plane(1, 0, 0, QStringLiteral("500001")).shared(QStringLiteral("1030000001")),
               Record(QStringLiteral("7000")).plane(1, 0, 0, QStringLiteral("500001")).shared(QStringLiteral("10300XB111")),
               Record(QStringLiteral("9999"))});
        FrmMain& m = w.shown(2);
        play(m, "T1");
        const QPointF row3 = centreOf(m.LblShuMenu[3]);
        clickOn(m, m.LblXXK[0]);
        EXPECT_EQ(iStepNo, 1);
        EXPECT_EQ(visibleRows(m.LblShuMenu), 0);
        clickAt(m, row3);
        EXPECT_EQ(iStepNo, 1);
    }
    {
        SCOPED_TRACE("another question with the drop-down open");
        MenuWorld w;
        iTmCount = 2;
        iTmLine(2) = 4;
        QStringList ops = menuQuestion(QStringLiteral("40702"));
        ops += menuQuestion(QStringLiteral("40702"));
        w.ops(ops);
        FrmMain& m = w.shown();
        play(m, "T4 R7");
        const QPointF sub2 = centreOf(m.LblSubSel[2]);
        const QPointF row7 = centreOf(m.LblShuMenu[7]);
        iTmNo = 2;
        iStepNo = 1;
        m.Timer2.setEnabled(true);
        m.Timer2.fire();
        clickAt(m, sub2);
        EXPECT_EQ(iStepNo, 1);
        clickAt(m, row7);
        EXPECT_EQ(iStepNo, 1);
        EXPECT_EQ(visibleRows(m.LblShuMenu) + visibleRows(m.LblSubSel), 0);
        play(m, "T4 R7 S2"); // the menu of this question chooses
        EXPECT_EQ(iStepNo, 2);
    }
    struct Missing {
        const char* picture;
        const char* choice;
        const char* script;
    } missing[] = {{"710000", "10300", "T1 R3"}, {"742000", "40702", "T4 R7 S2"}};
    for (const Missing& c : missing) {
        SCOPED_TRACE(std::string("menu picture missing: ") + c.picture);
        MenuWorld w;
        QFile::remove(w.examdata + QLatin1String(c.picture) + QStringLiteral(".mxy"));
        FrmMain& m = w.shown(menuQuestion(QLatin1String(c.choice)));
        play(m, c.script);
        EXPECT_EQ(iStepNo, 2);
    }
}

// Handlers called with an index outside their arrays do nothing and never fail.
TEST(DrawnMenu, IndexesOutsideTheArrays)
{
    MenuWorld w;
    FrmMain& m = w.shown(menuQuestion(QStringLiteral("10300")));
    play(m, "T1");
    for (int i : {-1, 0, 10, 21, 32767}) {
        m.LMainMenu_MouseMove(i, 0, 0, 0, 0);
        m.LMainMenu_MouseUp(i, 1, 0, 0, 0);
        m.LblShuMenu_MouseMove(i, 0, 0, 0, 0);
        m.LblShuMenu_MouseUp(i, 1, 0, 0, 0);
        m.LblSubSel_MouseMove(i, 0, 0, 0, 0);
        m.LblSubSel_MouseUp(i, 1, 0, 0, 0);
        m.LblXXK_Click(i == 0 ? 14 : i);
    }
    EXPECT_EQ(iStepNo, 1);
    EXPECT_EQ(m.menuSet, 1);
}

// Every question of the sample bank with a menu-bar step is completed by the candidate's hand on
// the shown surface. The first drop-down with a submenu is saved as a picture when
// XP_SURFACE_SHOTS names a folder.
TEST(DrawnMenu, SampleBankQuestions)
{
    SampleWorld w;
    if (!w.ok())
        GTEST_SKIP() << "the sample program folder has not been laid out";
    bool shot = false;
    const int played = playSampleQuestions(
        w, [](const bank::OpRecord& r) { return r.run(8, 11) == u"7000"; },
        [&shot](FrmMain& s) {
            const qint32 choice = s.popupX;
            if (shot || bank::OpRecord(sOpRecord).run(8, 11) != u"7000" || choice % 100 == 0)
                return;
            shot = true;
            clickOn(s, s.LMainMenu[choice / 10000]);
            clickOn(s, s.LblShuMenu[choice / 100 % 100]);
            pointAt(s, s.LblSubSel[choice % 100]);
            EXPECT_FALSE(s.ImgSubMenu.Picture().isNull());
            EXPECT_FALSE(s.ImgSubSel.Picture().isNull());
            saveShot(s, QStringLiteral("menubar-submenu"));
            moveTo(s, QPointF(6000, 8500)); // the scene: everything closes again
        });
    EXPECT_GT(played, 0);
    EXPECT_TRUE(shot);
}
