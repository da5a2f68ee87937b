// The demonstration's scene builder: what each step's record puts on the window. The builds here
// run with the demonstration flag down, so that no pointer is aimed and no step is chained.

#include "demoworld.h"

#include <gtest/gtest.h>

using namespace demotest;
using namespace ModData;

namespace {

// Writes the records and builds step `stepNo` (the load has built step 1).
FrmYanShi& build(World& w, const QStringList& records, int stepNo = 1)
{
    w.ops(records);
    FrmTm::get(); // loaded, as during every demonstration
    FrmYanShi& d = FrmYanShi::get();
    for (int s = 2; s <= stepNo; ++s) {
        FrmYanShi::stepNo = qint16(s);
        d.setData();
    }
    return d;
}

std::string s(const QString& t) { return t.toStdString(); }

} // namespace

TEST(DemoScene, ScenePicturesKeepTheirPictureUnderTheKeepAndHiddenMarks)
{
    World w;
    w.picture(QStringLiteral("100001"), 40, 30);
    w.picture(QStringLiteral("100002"), 10, 10);
    FrmYanShi& d = build(w, {Rec().image(1, 600, 900, QStringLiteral("100001")).form(QStringLiteral("100002")),
                             Rec().image(1, 1200, 300, QStringLiteral("888888")),
                             Rec().at(18, QStringLiteral("0000000000")).at(28, QStringLiteral("100002"))},
                         2);
    EXPECT_TRUE(d.Image1.Visible());
    EXPECT_EQ(d.Image1.Picture().width(), 40); // kept
    EXPECT_DOUBLE_EQ(d.Image1.Left(), 1200);
    EXPECT_DOUBLE_EQ(d.Image1.Top(), 300);
    EXPECT_EQ(d.Picture().width(), 10); // the background, kept by "888888" in step 2
    FrmYanShi::stepNo = 3;
    d.setData();
    EXPECT_FALSE(d.Image1.Visible()); // hidden with its picture and place
    EXPECT_EQ(d.Image1.Picture().width(), 40);
    EXPECT_DOUBLE_EQ(d.Image1.Left(), 1200);
}

TEST(DemoScene, PositionsAreScaled)
{
    World w;
    dScaleX = 0.8;
    dScaleY = 1.25;
    FrmYanShi& d = build(w, {Rec().hot(1000, 2000, 500, 400).second(100, 200, 300, 400).hint(4000, 800, 0)});
    EXPECT_DOUBLE_EQ(d.Label1.Left(), 800);
    EXPECT_DOUBLE_EQ(d.Label1.Top(), 2500);
    EXPECT_DOUBLE_EQ(d.Label1.Width(), 400);
    EXPECT_DOUBLE_EQ(d.Label1.Height(), 500);
    EXPECT_DOUBLE_EQ(d.Label4.Left(), 80);
    EXPECT_DOUBLE_EQ(d.Label4.Height(), 500);
    EXPECT_DOUBLE_EQ(d.LHelp.Left(), 3200);
    EXPECT_DOUBLE_EQ(d.LHelp.Top(), 1000);
    EXPECT_EQ(FrmYanShi::hotSpotWidth, 500); // design twips
}

TEST(DemoScene, TextBoxFontField)
{
    struct Case {
        const char* field;
        double points;
        bool bold, italic, underline;
        const char* font;
        vb::Long fore, back;
    } cases[] = {
        {"0120001213", 12, true, false, false, "黑体", 0xFF0000, 0xC0C0C0},
        {"0000000000", 9, false, false, false, "宋体", 0x000000, 0xFFFFFF},
        {"0105007437", 10.5, true, true, true, "隶书", tk::kWindowText, 0x99FFFF},
        {"0090006125", 9, false, true, true, "Times New Roman", 0x0000FF, 0xD7FFFF},
    };
    for (const Case& c : cases) {
        World w;
        FrmYanShi& d = build(w, {Rec("0020").box(1000, 1000, 2000, 300).shared(QString::fromLatin1(c.field))});
        EXPECT_TRUE(d.Text1.Visible()) << c.field;
        EXPECT_DOUBLE_EQ(d.Text1.FontSize(), c.points) << c.field;
        EXPECT_EQ(d.Text1.FontBold(), c.bold) << c.field;
        EXPECT_EQ(d.Text1.FontItalic(), c.italic) << c.field;
        EXPECT_EQ(d.Text1.FontUnderline(), c.underline) << c.field;
        EXPECT_EQ(s(d.Text1.FontName()), c.font) << c.field;
        EXPECT_EQ(d.Text1.ForeColor(), c.fore) << c.field;
        EXPECT_EQ(d.Text1.BackColor(), c.back) << c.field;
    }
}

TEST(DemoScene, FontFieldDigitsWithoutAValueLeaveThePreviousStep)
{
    World w;
    // Step 1: bold italic, 黑体, red text on grey; then style 9, font 8, colour 5 and back colours
    // 4 and 9, which have no value.
    const Rec first = Rec("0020").box(1000, 1000, 2000, 300).shared(QStringLiteral("0120003223"));
    FrmYanShi& d = build(w, {first, Rec("0020").box(1000, 1000, 2000, 300).shared(QStringLiteral("0000009854")),
                             Rec("0020").box(1000, 1000, 2000, 300).shared(QStringLiteral("0000008759"))},
                         2);
    for (int stepNo : {2, 3}) {
        FrmYanShi::stepNo = qint16(stepNo);
        d.setData();
        EXPECT_TRUE(d.Text1.FontBold()) << stepNo;
        EXPECT_TRUE(d.Text1.FontItalic()) << stepNo;
        EXPECT_EQ(s(d.Text1.FontName()), "黑体") << stepNo;
        EXPECT_EQ(d.Text1.ForeColor(), 0x0000FF) << stepNo;
        EXPECT_EQ(d.Text1.BackColor(), 0xC0C0C0) << stepNo;
        EXPECT_DOUBLE_EQ(d.Text1.FontSize(), 9) << stepNo; // the size is always set
    }
}

TEST(DemoScene, TextBoxPlacesAndTexts)
{
    World w;
    w.texts({QStringLiteral("初始文本"), QStringLiteral("提示一|提示二")});
    // A position of twenty blanks is not the hidden mark: the box shows at 0, 0, size 0.
    FrmYanShi& d = build(w, {Rec("0020").box(1000, 1000, 2000, 300).initial(1).hint(100, 100, 2),
                             Rec("0020").at(86, QString(20, u' ')).initial(0).hint(100, 100, 0)});
    EXPECT_EQ(d.Text1.Text(), QStringLiteral("初始文本"));
    EXPECT_EQ(d.LHelp.Caption(), QStringLiteral("输入 提示一"));
    EXPECT_EQ(FrmYanShi::hintText, QStringLiteral("提示一|提示二"));
    FrmYanShi::stepNo = 2;
    d.setData();
    EXPECT_TRUE(d.Text1.Visible());
    EXPECT_DOUBLE_EQ(d.Text1.Left(), 0);
    EXPECT_DOUBLE_EQ(d.Text1.Top(), 0);
    EXPECT_DOUBLE_EQ(d.Text1.Width(), 0);
    EXPECT_EQ(d.Text1.Text(), QString());                 // text reference "000"
    EXPECT_EQ(d.LHelp.Caption(), QStringLiteral("输入   ")); // hint reference "000": two blanks
    EXPECT_EQ(FrmYanShi::hintText, QStringLiteral("提示一|提示二")); // not written for "000"
}

TEST(DemoScene, TypingPromptsFromTheHintLine)
{
    struct Case {
        const char* code;
        const char* caption;
        bool box2;
    } cases[] = {
        {"0020", "输入 文件甲", false},
        {"0021", "输入 文件甲", true},
        {"0025", "输入 文件甲", false},
        {"0024", "输入 文件甲|文件乙 并按回车键", false},
        {"0023", "请选中 文件甲|文件乙", false},
        {"0026", "文件甲|文件乙", false},
    };
    for (const Case& c : cases) {
        World w;
        w.texts({QStringLiteral("旧名"), QStringLiteral("文件甲|文件乙")});
        FrmYanShi& d = build(w, {Rec(QString::fromLatin1(c.code)).box(1000, 1000, 2000, 300).initial(1).hint(200, 200, 2)});
        EXPECT_EQ(s(d.LHelp.Caption()), c.caption) << c.code;
        EXPECT_EQ(d.Text2.Visible(), c.box2) << c.code;
        EXPECT_EQ(d.Text1.Visible(), !c.box2) << c.code;
        if (c.box2) {
            EXPECT_EQ(d.Text2.Text(), QStringLiteral("旧名"));
            EXPECT_DOUBLE_EQ(d.Text2.Left(), 1000);
        }
    }
}

TEST(DemoScene, HotSpotRedFrameAndMenuBar)
{
    struct Case {
        const char* name;
        Rec rec;
        bool frameShown;
        bool menuBar;
        QRectF menuFrame; // Shape2
    } cases[] = {
        {"a click", Rec("0001").hot(1000, 1000, 600, 300).hint(0, 0, 0), true, false, {-2, 1, 1, 1}},
        {"hot spot 0 high", Rec("0001").hot(1000, 1000, 600, 0).hint(0, 0, 0), false, false, {-2, 1, 1, 1}},
        {"a menu-bar step", Rec("7000").hot(1000, 1000, 600, 300).hint(0, 0, 0).shared(QStringLiteral("3010000000")),
         false, true, {0, 405, 9000, 315}},
        {"11111", Rec("0001").hot(1000, 1000, 600, 300).hint(0, 0, 0).shared(QStringLiteral("1111100000")), true, true,
         {-2, 1, 1, 1}},
        {"a step-back mark", Rec("0001").hot(1000, 1000, 600, 300).hint(0, 0, 0).shared(QStringLiteral("Q0001")), true,
         false, {-2, 1, 1, 1}},
        {"a popup position", Rec("3121").hot(1000, 1000, 600, 300).hint(0, 0, 0).shared(QStringLiteral("0200003000")),
         true, true, {-2, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        World w;
        FrmYanShi& d = build(w, {c.rec});
        EXPECT_EQ(d.Shape1.Visible(), c.frameShown) << c.name;
        if (c.frameShown) {
            EXPECT_DOUBLE_EQ(d.Shape1.Left(), 1000) << c.name;
            EXPECT_DOUBLE_EQ(d.Shape1.Width(), 600) << c.name;
        } else {
            EXPECT_DOUBLE_EQ(d.Shape1.Left(), -2) << c.name;
            EXPECT_DOUBLE_EQ(d.Label1.Width(), 1) << c.name;
            EXPECT_DOUBLE_EQ(d.Label1.Height(), 1) << c.name;
        }
        EXPECT_EQ(d.LMainMenu[1].Visible(), c.menuBar) << c.name;
        EXPECT_EQ(d.LMainMenu[9].Visible(), c.menuBar) << c.name;
        EXPECT_EQ(d.ImgMenuSys.Visible(), c.menuBar) << c.name;
        EXPECT_EQ(QRectF(d.Shape2.Left(), d.Shape2.Top(), d.Shape2.Width(), d.Shape2.Height()), c.menuFrame) << c.name;
    }
}

TEST(DemoScene, TitlesOfTheMenuBarStandAtTheDemonstrationsOwnOrigin)
{
    World w;
    FrmYanShi& d = build(w, {Rec("0001")});
    EXPECT_DOUBLE_EQ(d.LMainMenu[1].Left(), 435);
    EXPECT_DOUBLE_EQ(d.LMainMenu[3].Left(), 435 + 2 * 870);
    EXPECT_DOUBLE_EQ(d.LMainMenu[3].Top(), 420);
    EXPECT_DOUBLE_EQ(d.LMainMenu[3].Width(), 870);
    EXPECT_DOUBLE_EQ(d.LMainMenu[3].Height(), 270);
}

TEST(DemoScene, SecondHotSpotAndItsFrame)
{
    World w;
    FrmYanShi& d = build(w, {Rec("0051").second(500, 600, 700, 800), Rec("0001")}, 1);
    EXPECT_TRUE(d.Label4.Visible());
    EXPECT_EQ(QRectF(d.Shape4.Left(), d.Shape4.Top(), d.Shape4.Width(), d.Shape4.Height()), QRectF(500, 600, 700, 800));
    FrmYanShi::stepNo = 2;
    d.setData();
    // No second hot spot: a 1 x 1 spot at -1, its top and visibility kept.
    EXPECT_TRUE(d.Label4.Visible());
    EXPECT_EQ(QRectF(d.Label4.Left(), d.Label4.Top(), d.Label4.Width(), d.Label4.Height()), QRectF(-1, 600, 1, 1));
    EXPECT_DOUBLE_EQ(d.Shape4.Left(), -1);
}

TEST(DemoScene, TimedStepStartsTheDragTimerAndTheNextStepStopsIt)
{
    World w;
    FrmYanShi& d = build(w, {Rec("8888"), Rec("0001")});
    EXPECT_TRUE(d.Timer3.Enabled());
    EXPECT_EQ(FrmYanShi::opCode, 8888);
    FrmYanShi::stepNo = 2;
    d.setData();
    EXPECT_FALSE(d.Timer3.Enabled());
}

TEST(DemoScene, FieldsOfTheStep)
{
    World w;
    FrmYanShi& d = build(w, {Rec("8003").bound(4000, 0).hot(100, 100, 300, 200)});
    EXPECT_EQ(FrmYanShi::dragBoundX, 4000);
    EXPECT_EQ(FrmYanShi::dragBoundY, 0);
    EXPECT_EQ(FrmYanShi::hotSpotWidth, 300);
    EXPECT_EQ(FrmYanShi::hotSpotHeight, 200);
    EXPECT_FALSE(FrmYanShi::dragFlag);
    EXPECT_EQ(FrmYanShi::typedCount, 0);
    EXPECT_EQ(FrmYanShi::tickCount, 0);
    EXPECT_EQ(d.Shape5.BorderColor(), 255);
    // The exercise files are named from the exercise kind and sub-kind again.
    iLianXiType = 0;
    iLianXiSub = 7;
    d.setData();
    EXPECT_EQ(sOpFile, w.data + QStringLiteral("288807.mxy"));
    EXPECT_EQ(sTmTextFile, w.data + QStringLiteral("288857.mxy"));
}
