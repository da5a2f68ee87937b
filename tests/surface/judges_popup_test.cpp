// Popup menus of popup-menu steps: what the menu shows for a block of the menu definition file,
// where it opens, and which choice completes the step. The candidate's hand stands in for the
// modal menu; one test goes through the real modal menu.

#include "common/testscope.h"
#include "judges_fixture.h"
#include "menufile.h"
#include "platform/programfolder.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <map>

using namespace judgetest;
using testrec::Record;
using testworld::World;
using namespace ModData;

namespace {

using menufile::block;

// A popup-menu step on the hot spot, then the end record.
FrmMain& popupStep(World& w, const char* code, const char* shared = "0000000000")
{
    w.ops({Record(QString::fromLatin1(code)).hotSpot(1500, 1500, 1500, 900).shared(QString::fromLatin1(shared)),
           Record(QStringLiteral("9999"))});
    return shown();
}

void rightPress(FrmMain& m) { click(m.Label1, {10, 20}, Qt::RightButton); }

} // namespace

TEST(PopupMenu, EntriesOfABlockAndTheChoiceThatCompletes)
{
    struct Case {
        const char* code;
        std::pair<int, const char*> line; // block line and its text, besides the common ones
        const char* pick;
        QStringList entries;
        bool advances;
    };
    const QStringList plain{QStringLiteral("复制"), QStringLiteral("粘贴")};
    const QStringList withSep{QStringLiteral("打开"), QStringLiteral("-"), QStringLiteral("删除")};
    QStringList twelve;
    for (int i = 0; i < 12; ++i)
        twelve << QStringLiteral("i%1").arg(i);
    const QStringList ten = twelve.mid(0, 10);
    const QStringList cascade{QStringLiteral("新建/文件夹"), QStringLiteral("新建/快捷方式")};
    const Case cases[] = {
        {"3121", {4, "复制|粘贴"}, "粘贴", plain, true},
        {"3120", {4, "复制|粘贴"}, "复制", plain, true},
        {"3121", {4, "复制|粘贴"}, "复制", plain, false},
        {"3131", {4, "复制|粘贴"}, "粘贴", plain, false}, // section 3 is absent
        {"3101", {4, "复制|粘贴"}, "粘贴", plain, false}, // no array has section 0
        {"3021", {4, "复制|粘贴"}, "粘贴", plain, true},  // block 0 reads the file's first lines
        {"3122", {4, "打开|-|删除"}, "删除", withSep, true}, // the separator keeps position 1
        {"3121", {4, "打开|-|删除"}, "-", withSep, false},   // and cannot be chosen
        {"3129", {4, "i0|i1|i2|i3|i4|i5|i6|i7|i8|i9|i10|i11"}, "i9", ten, true},
        {"3111", {2, "新建"}, "新建/快捷方式", cascade, true},
        {"3110", {2, "新建"}, "新建/快捷方式", cascade, false},
        {"3191", {15, "属性|帮助"}, "帮助", {QStringLiteral("属性"), QStringLiteral("帮助")}, true},
        {"3141", {7, "c|d"}, "d", {QStringLiteral("c"), QStringLiteral("d")}, true},
        {"3121", {7, "c|d"}, "d", {QStringLiteral("c"), QStringLiteral("d")}, false}, // another section
    };
    for (const Case& c : cases) {
        World w;
        QStringList b = block({c.line});
        b[2] = QStringLiteral("文件夹|快捷方式"); // the item list of cascade 1, read when it is present
        menufile::write({{{1, 1}, b}});
        FrmMain& m = popupStep(w, c.code);
        PopupHand hand;
        hand.install(m);
        hand.pick = QString::fromUtf8(c.pick);
        rightPress(m);
        SCOPED_TRACE(std::string(c.code) + " pick " + c.pick);
        EXPECT_EQ(hand.openings, 1);
        EXPECT_EQ(hand.paths(), c.entries);
        EXPECT_EQ(iStepNo, c.advances ? 2 : 1);
    }
}

// The exercise ends while the menu is open: a choice made then, of the menu itself or of a
// cascade, judges nothing and never brings the surface back.
TEST(PopupMenu, AChoiceAfterTheSurfaceWasUnloadedDoesNothing)
{
    World w;
    QStringList b = block({{4, "复制|粘贴"}});
    b[1] = QStringLiteral("新建");
    b[2] = QStringLiteral("文件夹|快捷方式");
    menufile::write({{{1, 1}, b}});
    FrmMain& m = popupStep(w, "3121");
    PopupHand hand;
    hand.install(m);
    hand.pick = QStringLiteral("粘贴");
    hand.beforeChoice = [&] {
        bTmCanClose = true;
        FrmMain::unloadIfLoaded();
        for (const PopupHand::Entry& e : hand.entries)
            if (e.path == QStringLiteral("新建/快捷方式"))
                e.action->trigger(); // the cascade's item that step "3111" would take
    };
    // The right button goes down on the hot spot (raised as the window raises it; a real press
    // would stay down for the next test, its window gone).
    tk::raiseEvent(&m.Label1, m.Label1.onMouseDown, 2, 0, 150.0f, 300.0f);
    tktest::flushDeletes();
    EXPECT_EQ(hand.openings, 1);
    EXPECT_EQ(iStepNo, 1);
    EXPECT_FALSE(FrmMain::isLoaded());
}

TEST(PopupMenu, CascadeWithoutItemsAndAbsentSections)
{
    World w;
    menufile::write({{{1, 1}, block({{2, "新建"}, {3, "0"}, {10, "x|y"}})},
              {{1, 2}, block({{7, "排列图标"}, {13, "发送到"}, {14, "软盘"}})},
              {{2, 1}, block({{4, "set2"}})}});
    w.ops({Record(QStringLiteral("3160")).hotSpot(1500, 1500, 1500, 900), Record(QStringLiteral("3240")).hotSpot(1500, 1500, 1500, 900),
           Record(QStringLiteral("4120")).hotSpot(1500, 1500, 1500, 900), Record(QStringLiteral("9999"))});
    FrmMain& m = shown();
    PopupHand hand;
    hand.install(m);
    hand.pick = QStringLiteral("x");
    rightPress(m);
    EXPECT_EQ(hand.paths(), QStringList({QStringLiteral("新建/0"), QStringLiteral("x"), QStringLiteral("y")}));
    ASSERT_EQ(iStepNo, 2);
    // The next block shows nothing of the first one.
    hand.pick = QStringLiteral("排列图标");
    rightPress(m);
    EXPECT_EQ(hand.paths(), QStringList({QStringLiteral("排列图标"), QStringLiteral("发送到/软盘")}));
    ASSERT_EQ(iStepNo, 3);
    // Set 2 reads its own block.
    hand.pick = QStringLiteral("set2");
    rightPress(m);
    EXPECT_EQ(hand.paths(), QStringList({QStringLiteral("set2")}));
    EXPECT_EQ(iStepNo, 4);
}

// Without a menu file every section shows with empty entries; nothing fails.
TEST(PopupMenu, MissingMenuFile)
{
    World w;
    FrmMain& m = popupStep(w, "3121");
    PopupHand hand;
    hand.install(m);
    rightPress(m);
    EXPECT_EQ(hand.paths(), QStringList({"/", "", "/", "", "/", "", "/", "/", ""}));
    EXPECT_EQ(iStepNo, 1);
}

// Without a popup position the menu opens at the pointer on a right press; with one, at that
// place of the surface on a left press: design twips, at the screen scale.
TEST(PopupMenu, WhereAndOnWhichButtonItOpens)
{
    struct Case {
        const char* shared;
        Qt::MouseButton button;
        bool opens;
        QPointF place; // where it opens, design twips of the surface (atPointer: the press point)
        bool atPointer;
    };
    const Case cases[] = {
        {"0000000000", Qt::RightButton, true, {}, true},
        {"0000000000", Qt::LeftButton, false, {}, false},
        {"0030000450", Qt::LeftButton, true, {300, 450}, false},
        {"0030000450", Qt::RightButton, false, {}, false},
    };
    for (const testworld::Scale& k : testworld::kScales) {
        for (const Case& c : cases) {
            World w;
            World::useScale(k);
            menufile::write({{{1, 1}, block({{4, "a|b"}})}});
            FrmMain& m = popupStep(w, "3121", c.shared);
            PopupHand hand;
            hand.install(m);
            hand.pick = QStringLiteral("b");
            click(m.Label1, {10, 20}, c.button);
            SCOPED_TRACE(std::string(c.shared) + (c.button == Qt::LeftButton ? " left " : " right ") + k.name());
            EXPECT_EQ(hand.openings, c.opens ? 1 : 0);
            EXPECT_EQ(iStepNo, c.opens ? 2 : 1);
            if (c.opens) {
                // At scale 1.25 x 1.5 the place (300, 450) is pixel (25, 45) of the surface.
                EXPECT_EQ(hand.at, c.atPointer ? m.Label1.mapToGlobal(QPoint(10, 20))
                                               : m.mapToGlobal((k.of(c.place) / 15).toPoint()));
            }
        }
    }
}

// The real menu: modal, and the chosen item's handler has run when the press returns.
TEST(PopupMenu, RealModalMenu)
{
    World w;
    menufile::write({{{1, 1}, block({{4, "复制|粘贴"}})}});
    FrmMain& m = popupStep(w, "3121");
    bool sawMenu = false;
    QTimer::singleShot(0, testscope::context(), [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            m.wm100.close(); // never left waiting
            return;
        }
        sawMenu = true;
        for (QAction* a : menu->actions())
            if (a->isVisible() && a->text() == QStringLiteral("粘贴"))
                menu->setActiveAction(a);
        QTest::keyClick(menu, Qt::Key_Return);
        if (menu->isVisible())
            menu->close();
    });
    rightPress(m);
    EXPECT_TRUE(sawMenu);
    EXPECT_EQ(iStepNo, 2);
}

// Every separator item shows as a separator line of the menu, also at the start or end of the
// menu or of a submenu, and two in a row: none is collapsed away, and none carries the text "-"
// (the menu draws a separator with text as a titled section, the text on the line).
TEST(PopupMenu, EverySeparatorIsShown)
{
    World w;
    menufile::write({{{1, 1}, block({{4, "-|打开|-|-|删除|-"}, {5, "新建"}, {6, "-|文件夹|-"}, {15, "属性|-"}})}});
    FrmMain& m = popupStep(w, "3121");
    QStringList shown; // visible entries, separators as "-" when they take room in their menu
    m.showPopup = [&](QMenu& menu, const QPoint&) {
        const std::function<void(QMenu&, const QString&)> list = [&](QMenu& in, const QString& prefix) {
            for (QAction* a : in.actions()) {
                if (!a->isVisible())
                    continue;
                if (QMenu* sub = a->menu())
                    list(*sub, a->text() + QLatin1Char('/'));
                else if (a->isSeparator() && !a->text().isEmpty())
                    shown << prefix + QStringLiteral("titled ") + a->text();
                else if (a->isSeparator())
                    shown << prefix + (in.actionGeometry(a).height() > 0 ? QStringLiteral("-") : QStringLiteral("(collapsed)"));
                else
                    shown << prefix + a->text();
            }
        };
        list(menu, QString());
    };
    rightPress(m);
    EXPECT_EQ(shown, QStringList({"-", "打开", "-", "-", "删除", "-", "新建/-", "新建/文件夹", "新建/-", "属性", "-"}));
}
