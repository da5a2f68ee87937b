// Scene builds of the work surface: what one record makes of the window, the step state the
// judges read, the saved tables and the end of a question.

#include "recordbuilder.h"
#include "surfaceworld.h"

#include <gtest/gtest.h>

using testrec::Record;
using testworld::World;
using namespace ModData;

namespace {

std::string s(const QString& q) { return q.toStdString(); }

} // namespace

// The shared block cols 125-134 serves six uses, each tested on its own.
TEST(SceneBuild, SharedBlockUses)
{
    struct Case {
        const char* block;
        bool textBox;
        bool live;
        int popupX, popupY;
        bool frame;
        const char* backMark;
    };
    const Case cases[] = {
        // The font field of a shown text box turns the menu bar on as well: popup (1200, 1421).
        {"0120001421", true, true, 1200, 1421, false, "NONO"},
        {"1030000000", false, true, 10300, 0, true, "NONO"},   // menu choice: frame around the bar
        {"1111100000", false, true, 11111, 0, false, "NONO"},  // "11111" places no frame
        {"0030000450", false, true, 300, 450, false, "NONO"},  // popup position: no frame
        {"Q000200000", false, false, 777, 0, false, "Q0002"},  // back mark reads 0
        {"00000XA261", false, false, 777, 0, false, "NONO"},   // tab field behind zeros reads 0
        {"0000000000", false, false, 777, 0, false, "NONO"},
    };
    for (const testworld::Scale& k : testworld::kScales) {
        World w;
        World::useScale(k);
        for (const auto& c : cases) {
            Record r(QStringLiteral("0001"));
            r.hotSpot(100, 100, 300, 300).shared(QString::fromLatin1(c.block)).dragBound(600, 700);
            if (c.textBox)
                r.textBox(1000, 2000, 1500, 300);
            w.ops({r});
            FrmMain& m = World::surface();
            m.popupX = 777; // what a record with the switch off leaves
            m.popupY = 5;
            World::build(1);
            SCOPED_TRACE(std::string(c.block) + " " + k.name());
            EXPECT_EQ(m.LMainMenu[1].Visible(), c.live);
            EXPECT_EQ(m.LMainMenu[9].Visible(), c.live);
            EXPECT_EQ(m.ImgMenuSys.Visible(), c.live);
            EXPECT_EQ(m.popupX, c.popupX); // design twips: the judge scales them
            EXPECT_EQ(m.popupY, c.popupY);
            EXPECT_EQ(m.Shape2.Left() == 0, c.frame);
            EXPECT_EQ(s(m.backMark), c.backMark);
            if (c.frame) {
                EXPECT_EQ(QRectF(m.Shape2.Left(), m.Shape2.Top(), m.Shape2.Width(), m.Shape2.Height()),
                          k.of(QRectF(0, 405, 9000, 315)));
            }
            if (c.backMark[0] == 'Q') {
                EXPECT_EQ(QRectF(m.LblXXK[0].Left(), m.LblXXK[0].Top(), m.LblXXK[0].Width(), m.LblXXK[0].Height()),
                          k.of(QRectF(600, 700, 1095, 285)));
            } else if (!QString::fromLatin1(c.block).contains(QLatin1Char('X'))) {
                EXPECT_EQ(QPointF(m.LblXXK[0].Left(), m.LblXXK[0].Top()), k.of(QPointF(-1, -1)));
            }
        }
    }
}

TEST(SceneBuild, FontSpecOfTheTextBox)
{
    World w;
    w.ops({Record(QStringLiteral("0001")).textBox(1000, 2000, 1500, 300).shared(QStringLiteral("0120001421"))});
    FrmMain& m = World::build(1);
    EXPECT_TRUE(m.Text1.Visible());
    EXPECT_EQ(m.Text1.Left(), 1000);
    EXPECT_EQ(m.Text1.Width(), 1500);
    EXPECT_DOUBLE_EQ(m.Text1.FontSize(), 12);
    EXPECT_TRUE(m.Text1.FontBold());
    EXPECT_FALSE(m.Text1.FontItalic());
    EXPECT_EQ(s(m.Text1.FontName()), "隶书");
    EXPECT_EQ(m.Text1.ForeColor(), 0xFF);
    EXPECT_EQ(m.Text1.BackColor(), 0xFF0000);
    // The second box always wears the text box's font.
    EXPECT_EQ(s(m.Text3.FontName()), "隶书");
    EXPECT_EQ(m.Text3.BackColor(), 0xFF0000);
}

TEST(SceneBuild, KeepAndHiddenMarks)
{
    World w;
    w.picture(QStringLiteral("100001"));
    w.picture(QStringLiteral("100002"), 40, 30);
    w.picture(QStringLiteral("200001"), 60, 20);
    w.ops({Record(QStringLiteral("0001")).form(QStringLiteral("200001")).plane(1, 150, 300, QStringLiteral("100001"))
               .plane(2, 45, 60, QStringLiteral("100002")),
           Record(QStringLiteral("0001")).plane(1, 900, 600, QStringLiteral("888888")).planeHidden(2, QStringLiteral("100001"))});
    FrmMain& m = World::build(1);
    const qint64 key1 = m.Image1.Picture().pixmap().cacheKey();
    ASSERT_FALSE(m.Image1.Picture().isNull());
    EXPECT_EQ(s(sTmPic(1, 2)), "100002");

    World::build(2);
    // Keep: placed anew, picture and saved entry as they were.
    EXPECT_EQ(m.Image1.Picture().pixmap().cacheKey(), key1);
    EXPECT_EQ(m.Image1.Left(), 900);
    EXPECT_TRUE(m.Image1.Visible());
    EXPECT_EQ(s(sTmPic(1, 1)), "100001");
    // Hidden: hidden, and nothing else of it changes.
    EXPECT_FALSE(m.Image2.Visible());
    EXPECT_EQ(m.Image2.Left(), 45);
    EXPECT_EQ(m.Image2.Picture().width(), 40);
    EXPECT_EQ(s(sTmPic(1, 2)), "100002");
    // Keep mark in the form picture column (the records' default) keeps the picture.
    EXPECT_EQ(m.Picture().width(), 60);
    EXPECT_EQ(s(sTmPic(1, 0)), "200001");
}

TEST(SceneBuild, StepOneEmptiesThePlanesButNotTheFormPicture)
{
    World w;
    w.picture(QStringLiteral("300001"), 30, 30);
    w.ops({Record(QStringLiteral("0001")).plane(1, 15, 15, QStringLiteral("888888")).plane(5, 10, 20, QStringLiteral("888888")),
           Record(QStringLiteral("0001"))});
    FrmMain& m = World::surface();
    for (tk::Image* img : {&m.Image1, &m.Image2, &m.Image3, &m.Image4, &m.Image5})
        img->loadPicture(w.data + QStringLiteral("300001.mxy"));
    m.loadPicture(w.data + QStringLiteral("300001.mxy"));

    World::build(2); // a later step keeps them
    EXPECT_FALSE(m.Image3.Picture().isNull());

    World::build(1);
    for (tk::Image* img : {&m.Image1, &m.Image2, &m.Image3, &m.Image4, &m.Image5})
        EXPECT_TRUE(img->Picture().isNull());
    EXPECT_TRUE(m.Image1.Visible()); // shown at its place with no picture
    EXPECT_FALSE(m.Picture().isNull());
    // The drag base is the drag picture's placed position.
    EXPECT_EQ(m.dragBaseLeft, 10);
    EXPECT_EQ(m.dragBaseTop, 20);
}

TEST(SceneBuild, SavedStepAndSavedPictureTables)
{
    World w;
    iTmCount = 3;
    iTmNo = 3;
    iTmLine(3) = 4;
    w.picture(QStringLiteral("400000"));
    w.picture(QStringLiteral("400001"));
    w.ops({Record(), Record(), Record(QStringLiteral("9999")), // question 1, lines 1-3
           Record(QStringLiteral("0001")).form(QStringLiteral("400000")).plane(1, 30, 0, QStringLiteral("400001"))
               .plane(4, 0, 45, QStringLiteral("499999")), // missing picture: saved all the same
           Record(QStringLiteral("0001")).plane(3, 90, 90, QStringLiteral("400003")).planeHidden(4, QStringLiteral("455555")),
           Record(QStringLiteral("9999"))});
    World::build(1);
    EXPECT_EQ(iTmStep(3), 1);
    World::build(2);
    EXPECT_EQ(iTmStep(3), 2);
    const char* const expected[] = {"400000", "400001", "", "400003", "499999", ""};
    for (int k = 0; k <= 5; ++k)
        EXPECT_EQ(s(sTmPic(3, k)), expected[k]) << "plane " << k;
    EXPECT_EQ(s(sTmPic(1, 0)), "");
    EXPECT_EQ(iTmStep(1), 1);
}

TEST(SceneBuild, EndRecordCompletesTheQuestion)
{
    struct Case {
        int mode;
        int flagsBefore, flagsAfter;
        bool success;
    };
    const Case cases[] = {
        {2, 2, 6, true},  // marked: becomes marked and completed
        {2, 5, 5, true},  // already complete: unchanged, labels still rewritten
        {3, 1, 5, false}, // mock examination: no success label, the hint stays hidden
        {1, 0, 4, true},
    };
    for (const auto& c : cases) {
        World w;
        iTmCount = 4;
        iTmFlags(2) = 7;
        iTmFlags(3) = 1;
        iTmFlags(4) = 4;
        w.ops({Record(QStringLiteral("0001")).hotSpot(10, 10, 300, 300).hint(500, 500, 0), Record(QStringLiteral("9999"))});
        FrmMain& m = World::surface();
        FrmTm& p = FrmTm::get();
        iRunMode = qint16(c.mode);
        World::build(1);
        iTmFlags(1) = qint16(c.flagsBefore);
        p.LblUnit.setCaption(QStringLiteral("x"));
        p.LblBiao.setCaption(QStringLiteral("Wi (未完成)/(未完成)"));
        World::build(2);
        SCOPED_TRACE(c.mode * 100 + c.flagsBefore);
        EXPECT_EQ(iTmFlags(1), c.flagsAfter);
        EXPECT_EQ(m.LblSuccess.Visible(), c.success);
        EXPECT_FALSE(m.LHelp.Visible());
        EXPECT_FALSE(m.Shape1.Visible());
        EXPECT_FALSE(m.Shape2.Visible());
        EXPECT_FALSE(m.Shape4.Visible());
        const QString list = c.flagsAfter > 3 ? QStringLiteral("未完成的题目 3") : QStringLiteral("未完成的题目 1 3");
        EXPECT_EQ(s(p.LblUnit.Caption()), s(list));
        EXPECT_EQ(s(p.LblBiao.Caption()), "Wi (已完成)/(已完成)");
    }
}

TEST(SceneBuild, EndRecordLeavesATitleWithoutStateAlone)
{
    World w;
    w.ops({Record(QStringLiteral("9999"))});
    World::surface();
    iRunMode = 3;
    FrmTm::get().LblBiao.setCaption(QStringLiteral("Wi 5套第7题(0410)"));
    World::build(1);
    EXPECT_EQ(s(FrmTm::get().LblBiao.Caption()), "Wi 5套第7题(0410)");
    EXPECT_FALSE(World::surface().LblSuccess.Visible());
}

TEST(SceneBuild, TypingHints)
{
    struct Case {
        const char* code;
        int hintRef;
        const char* expected;
        bool frameHidden; // in hint mode, with a visible hot spot
    };
    const Case cases[] = {
        {"0024", 0, "输入    并按回车键", true},
        {"0020", 1, "输入 文件夹", true},
        {"0021", 2, "输入 新建", true},
        {"0025", 2, "输入 新建", true},
        {"0023", 3, "请选中 readme", true},
        {"0026", 2, "输入 新建 并点击红色方框处", false},
        {"0027", 1, "文件夹|folder", true},
        {"0001", 1, "文件夹|folder", false},
    };
    for (const auto& c : cases) {
        World w;
        World::surface(); // its load shows a question, which turns mode 1 into 2
        iRunMode = 1;
        w.texts({QStringLiteral("文件夹|folder"), QStringLiteral("新建"), QStringLiteral("readme"), QStringLiteral("answer")});
        w.ops({Record(QString::fromLatin1(c.code)).hotSpot(100, 100, 500, 300).textBox(2000, 2000, 1500, 300)
                   .hint(300, 400, c.hintRef).answer(4)}); // an answer the empty boxes do not match
        FrmMain& m = World::build(1);
        SCOPED_TRACE(c.code);
        EXPECT_EQ(s(m.LHelp.Caption()), c.expected);
        EXPECT_EQ(s(m.savedHint), c.hintRef ? s(QStringList{QStringLiteral("文件夹|folder"), QStringLiteral("新建"),
                                                            QStringLiteral("readme")}[c.hintRef - 1])
                                            : "  ");
        EXPECT_EQ(!m.Shape1.Visible(), c.frameHidden);
        EXPECT_TRUE(m.LHelp.Visible());
    }
}

TEST(SceneBuild, RenameAndSecondBoxTakeTheTextBoxPlace)
{
    World w;
    w.texts({QStringLiteral("旧名称")});
    w.ops({Record(QStringLiteral("0021")).textBox(1200, 2400, 1800, 285).initialText(1),
           Record(QStringLiteral("0027")).textBox(300, 600, 900, 285).initialText(1),
           Record(QStringLiteral("0001")).textBox(300, 600, 900, 285)});
    FrmMain& m = World::build(1);
    EXPECT_TRUE(m.Text2.Visible());
    EXPECT_FALSE(m.Text1.Visible());
    EXPECT_FALSE(m.Text3.Visible());
    EXPECT_EQ(s(m.Text2.Text()), "旧名称");
    EXPECT_EQ(QRectF(m.Text2.Left(), m.Text2.Top(), m.Text2.Width(), m.Text2.Height()), QRectF(1200, 2400, 1800, 285));
    World::build(2);
    EXPECT_TRUE(m.Text3.Visible());
    EXPECT_FALSE(m.Text2.Visible());
    EXPECT_EQ(m.Text3.Left(), 300);
    World::build(3);
    EXPECT_TRUE(m.Text1.Visible());
    EXPECT_FALSE(m.Text3.Visible());
    EXPECT_EQ(s(m.Text1.Text()), ""); // "000": an empty box
    // A key override "P" in col 86 reads 0 there: no text box.
    w.ops({Record(QStringLiteral("6013")).keyOverride(2, 65)});
    World::build(1);
    EXPECT_FALSE(m.Text1.Visible());
    EXPECT_FALSE(m.Text2.Visible());
}

// The guard reads the placed hot spot: a hot spot of 10 twips or less, as the screen scale makes
// it, has no red frame.
TEST(SceneBuild, RedFrameGuardAndVisibility)
{
    struct Case {
        const char* name;
        int mode;
        const char* code;
        int w, h;      // hot spot of the record, design twips
        bool frame[2]; // at kScales[0] (1 x 1) and kScales[1] (1.25 x 1.5)
        bool point;    // the hot spot becomes 1 x 1 twip, whatever the scale
    };
    const Case cases[] = {
        {"hint mode", 1, "0001", 500, 300, {true, true}, false},
        {"practice", 2, "0001", 500, 300, {false, false}, false},
        {"10 twips wide", 1, "0001", 10, 300, {false, true}, false},
        {"8 twips wide", 1, "0001", 8, 300, {false, false}, false},
        {"7 twips high", 1, "0001", 500, 7, {false, true}, false},
        {"6 twips high", 1, "0001", 500, 6, {false, false}, false},
        {"11 twips", 1, "0001", 11, 11, {true, true}, false},
        {"height 0: a point", 1, "0001", 500, 0, {false, false}, true},
        {"menu-bar step", 1, "7000", 500, 300, {false, false}, true},
        {"picture drag", 1, "8002", 500, 300, {false, false}, true},
        {"typing", 1, "0020", 500, 300, {false, false}, false},
    };
    for (std::size_t scale = 0; scale < std::size(testworld::kScales); ++scale) {
        const testworld::Scale& k = testworld::kScales[scale];
        for (const auto& c : cases) {
            World w;
            World::useScale(k);
            World::surface();
            iRunMode = qint16(c.mode);
            Record r(QString::fromLatin1(c.code));
            r.hint(0, 0, 0);
            r.hotSpot(100, 200, c.w, c.h);
            w.ops({r});
            FrmMain& m = World::build(1);
            SCOPED_TRACE(std::string(c.name) + " " + k.name());
            const bool frame = c.frame[scale];
            const QRectF hotSpot = c.point ? QRectF(k.of(QPointF(100, 200)), QSizeF(1, 1)) : k.of(QRectF(100, 200, c.w, c.h));
            EXPECT_EQ(m.Shape1.Visible(), frame);
            EXPECT_EQ(m.LHelp.Visible(), c.mode == 1);
            EXPECT_EQ(m.Shape2.Visible(), c.mode == 1);
            EXPECT_EQ(m.Shape4.Visible(), c.mode == 1);
            EXPECT_FALSE(m.LblSuccess.Visible());
            EXPECT_EQ(QRectF(m.Label1.Left(), m.Label1.Top(), m.Label1.Width(), m.Label1.Height()), hotSpot);
            if (frame) {
                EXPECT_EQ(QRectF(m.Shape1.Left(), m.Shape1.Top(), m.Shape1.Width(), m.Shape1.Height()), hotSpot);
            } else if (hotSpot.width() <= 10 || hotSpot.height() <= 10) {
                EXPECT_EQ(m.Shape1.Width(), 1); // the guard also shrinks it
                EXPECT_EQ(m.Shape1.Left(), -2);
            }
        }
    }
}

TEST(SceneBuild, HiddenHotSpotKeepsItsSizeAndSecondHotSpotFollows)
{
    World w;
    w.ops({Record(QStringLiteral("0001")).hotSpot(100, 200, 400, 300).second(50, 60, 70, 80),
           Record(QStringLiteral("0001"))});
    FrmMain& m = World::build(1);
    EXPECT_TRUE(m.Label4.Visible());
    EXPECT_EQ(QRectF(m.Shape4.Left(), m.Shape4.Top(), m.Shape4.Width(), m.Shape4.Height()), QRectF(50, 60, 70, 80));
    World::build(2);
    EXPECT_FALSE(m.Label1.Visible());
    EXPECT_EQ(m.hotSpotWidth, 400);
    EXPECT_EQ(m.hotSpotHeight, 300);
    // Not placed: a visible 1 x 1 twip label at left -1, its top kept; the green frame follows.
    EXPECT_TRUE(m.Label4.Visible());
    EXPECT_EQ(QRectF(m.Label4.Left(), m.Label4.Top(), m.Label4.Width(), m.Label4.Height()), QRectF(-1, 60, 1, 1));
    EXPECT_EQ(m.Shape4.Left(), -1);
}

TEST(SceneBuild, HintKeepsItsPlaceUnderTheHiddenMark)
{
    World w;
    World::surface();
    iRunMode = 1;
    w.texts({QStringLiteral("单击开始")});
    w.ops({Record(QStringLiteral("0001")).hint(1500, 2500, 1), Record(QStringLiteral("0001"))});
    FrmMain& m = World::build(1);
    EXPECT_EQ(s(m.LHelp.Caption()), "单击开始");
    World::build(2);
    EXPECT_EQ(m.LHelp.Left(), 1500);
    EXPECT_EQ(m.LHelp.Top(), 2500);
    EXPECT_EQ(s(m.LHelp.Caption()), "单击开始");
    EXPECT_EQ(s(m.savedHint), "单击开始");
}

TEST(SceneBuild, HotSpotPointer)
{
    struct Case {
        const char* field;
        int pointer;
    };
    // "" stands for a shown text box 150 twips wide: its width digits "00150" give the default.
    const Case cases[] = {{"S0011", 11}, {"M0003", 99}, {"", 0}, {"S0077", 0}};
    World w;
    for (const auto& c : cases) {
        Record r(QStringLiteral("0001"));
        r.hotSpot(0, 0, 100, 100);
        if (*c.field)
            r.pointer(QString::fromLatin1(c.field));
        else
            r.textBox(300, 300, 150, 285);
        w.ops({r});
        FrmMain& m = World::build(1);
        EXPECT_EQ(m.Label1.MousePointer(), c.pointer) << c.field; // a missing cursor file keeps 99
    }
}

// A file of three lines; the record of a line beyond it is the last one.
TEST(SceneBuild, RecordLinesOutsideTheFileAndBrokenData)
{
    World w;
    w.ops({Record(QStringLiteral("0001")), Record(QStringLiteral("0002")), QStringLiteral("abc")});
    FrmMain& m = World::build(2);
    EXPECT_EQ(m.opCode, 2);
    EXPECT_FALSE(m.recordBeyondFile());
    World::build(9);
    EXPECT_EQ(s(sOpRecord), "abc"); // a short, garbled record builds a scene of nothing
    EXPECT_TRUE(m.recordBeyondFile());
    EXPECT_EQ(m.opCode, 0);

    // No operation file: the previous record stays.
    QFile::remove(w.data + QStringLiteral("288820.mxy"));
    sOpRecord = Record(QStringLiteral("0003"));
    World::build(1);
    EXPECT_EQ(m.opCode, 3);

    // No exercise file pair at all (exercise kind without files): nothing breaks.
    iLianXiType = 77;
    iTmNo = 0; // outside the tables: those statements do nothing
    World::build(1);
    EXPECT_EQ(s(sOpFile), s(w.data + QStringLiteral("288877.mxy")));
}

// Every place and size a record gives is design twips: left and width at the horizontal scale,
// top and height at the vertical one; font sizes at the horizontal scale.
TEST(SceneBuild, PlacementsFollowTheScreenScale)
{
    auto rectOf = [](const tk::Control& c) { return QRectF(c.Left(), c.Top(), c.Width(), c.Height()); };
    for (const testworld::Scale& k : testworld::kScales) {
        SCOPED_TRACE(k.name());
        World w;
        World::useScale(k);
        w.picture(QStringLiteral("100001"));
        w.texts({QStringLiteral("旧名称")});
        w.ops({Record(QStringLiteral("0001")).plane(1, 150, 300, QStringLiteral("100001"))
                   .plane(5, 600, 450, QStringLiteral("100001")).textBox(1200, 2400, 1800, 300)
                   .hint(1500, 2700, 1).hotSpot(3000, 3600, 900, 600).second(4500, 4800, 1200, 900)
                   .shared(QStringLiteral("0120001421")),
               Record(QStringLiteral("0021")).textBox(1200, 2400, 1800, 300).initialText(1),
               Record(QStringLiteral("0027")).textBox(300, 600, 900, 285).initialText(1)});
        World::surface();
        iRunMode = 1;
        FrmMain& m = World::build(1);
        EXPECT_EQ(QPointF(m.Image1.Left(), m.Image1.Top()), k.of(QPointF(150, 300)));
        EXPECT_EQ(QPointF(m.Image5.Left(), m.Image5.Top()), k.of(QPointF(600, 450)));
        EXPECT_EQ(QPointF(m.dragBaseLeft, m.dragBaseTop), k.of(QPointF(600, 450)));
        EXPECT_EQ(rectOf(m.Text1), k.of(QRectF(1200, 2400, 1800, 300)));
        EXPECT_DOUBLE_EQ(m.Text1.FontSize(), 12 * k.x);
        EXPECT_DOUBLE_EQ(m.Text3.FontSize(), 12 * k.x);
        EXPECT_EQ(QPointF(m.LHelp.Left(), m.LHelp.Top()), k.of(QPointF(1500, 2700)));
        EXPECT_EQ(rectOf(m.Label1), k.of(QRectF(3000, 3600, 900, 600)));
        EXPECT_EQ(rectOf(m.Shape1), k.of(QRectF(3000, 3600, 900, 600)));
        EXPECT_EQ(rectOf(m.Label4), k.of(QRectF(4500, 4800, 1200, 900)));
        EXPECT_EQ(rectOf(m.Shape4), k.of(QRectF(4500, 4800, 1200, 900)));
        // The rename box and the second box take the text box's place, as placed.
        World::build(2);
        EXPECT_EQ(rectOf(m.Text2), k.of(QRectF(1200, 2400, 1800, 300)));
        World::build(3);
        EXPECT_EQ(rectOf(m.Text3), k.of(QRectF(300, 600, 900, 285)));
    }
}
