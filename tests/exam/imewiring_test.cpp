// The panel's input-method menu as the candidate uses it: the items built from the installed
// layouts at the panel's load, the menu opened by the "EN" label just above and left of it, a
// choice that hands the focus to the surface's text box and switches to the chosen layout, and the
// input-method button that collapses the panel and opens the dialog.

#include "common/testscope.h"
#include "dialogfixture.h"
#include "exam/imemenu.h"
#include "platform/keyboardlayout.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QTimer>

using dialogfixture::World;
using namespace ModData;

namespace {

constexpr qint32 kEnglish = 0x04090409;
constexpr qint32 kImeA = qint32(0xE0010804);
constexpr qint32 kImeB = qint32(0xE0020804);

// A program folder whose system lists English, then input methods "A" and "B"; the layouts the
// surface switches to are recorded.
class ImeWorld : public World {
public:
    ImeWorld()
    {
        platform::setKeyboardLayoutServices(
            {[] { return std::vector<platform::KeyboardLayout>{{kEnglish, {}}, {kImeA, "A"}, {kImeB, "B"}}; },
             [this](qint32 h) { activated << h; }});
    }
    ~ImeWorld() { platform::setKeyboardLayoutServices({}); }

    QList<qint32> activated;
};

// The panel loaded with the surface shown and its typing box out, as during a typing step.
FrmTm& panelWithTypingBox()
{
    FrmTm& p = panelfixture::Panel::panel();
    FrmMain& m = FrmMain::get();
    m.Show();
    m.Text1.show();
    return p;
}

bool hasFocus(FrmMain& m) { return m.focusWidget() && (m.focusWidget() == &m.Text1 || m.Text1.isAncestorOf(m.focusWidget())); }

} // namespace

TEST(ImeWiring, MenuItemsFromTheInstalledLayouts)
{
    ImeWorld world;
    FrmTm& p = panelWithTypingBox();
    EXPECT_EQ(p.mEng->text(), QStringLiteral("英语（美国）"));
    EXPECT_TRUE(p.mEng->isVisible());
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(p.mCn[k]->isVisible(), k <= 2);
    }
    EXPECT_EQ(p.mCn[1]->text(), QStringLiteral("A"));
    EXPECT_EQ(p.mCn[2]->text(), QStringLiteral("B"));
    EXPECT_EQ(p.imeMenu.nextItem, 3);
}

TEST(ImeWiring, AChoiceSwitchesTheSurfaceToItsLayout)
{
    const struct {
        const char* what;
        int item; // 0 mEng, K mCnK
        qint32 layout;
    } cases[] = {
        {"English", 0, kEnglish},
        {"first input method", 1, kImeA},
        {"second input method", 2, kImeB},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ImeWorld world;
        bAutoIme = true;
        lImeHkl = 0;
        FrmTm& p = panelWithTypingBox();
        FrmMain& m = FrmMain::get();
        m.Hide();

        QAction* item = c.item == 0 ? p.mEng : p.mCn[std::size_t(c.item)];
        QPoint openedAt;
        int opened = 0;
        p.showPopup = [&](QMenu& menu, const QPoint& at) {
            ++opened;
            openedAt = at;
            EXPECT_EQ(&menu, &p.mIme);
            item->trigger();
        };
        p.LblIME_Click();

        ASSERT_EQ(opened, 1);
        // Right edge at the label's left (4230 twips), top 3 x 300 twips above the label's top
        // (2760) on the main page (450).
        const QPoint corner = p.mapToGlobal(QPoint(4230 / 15, (2760 - 900 + 450) / 15));
        EXPECT_EQ(openedAt, corner - QPoint(p.mIme.sizeHint().width(), 0));
        EXPECT_EQ(lImeHkl, c.layout);
        EXPECT_TRUE(m.Visible()) << "the surface is shown again";
        EXPECT_TRUE(hasFocus(m));
        EXPECT_EQ(world.activated, QList<qint32>{c.layout});
    }
}

TEST(ImeWiring, OptionOffTheMenuStaysShutAndAChoiceSwitchesNothing)
{
    ImeWorld world;
    bAutoIme = false;
    lImeHkl = 0;
    FrmTm& p = panelWithTypingBox();
    int opened = 0;
    p.showPopup = [&](QMenu&, const QPoint&) { ++opened; };
    p.LblIME_Click();
    EXPECT_EQ(opened, 0);

    p.mCn[2]->trigger(); // the item still stores its layout
    EXPECT_EQ(lImeHkl, kImeB);
    EXPECT_TRUE(hasFocus(FrmMain::get()));
    EXPECT_TRUE(world.activated.isEmpty());
}

TEST(ImeWiring, HiddenTypingBoxTheChoiceIsKeptAndNothingFails)
{
    ImeWorld world;
    bAutoIme = true;
    FrmTm& p = panelWithTypingBox();
    FrmMain::get().Text1.hide();
    p.mCn[1]->trigger();
    EXPECT_EQ(lImeHkl, kImeA);
    EXPECT_TRUE(FrmMain::get().Visible());
    EXPECT_TRUE(world.activated.isEmpty());
}

TEST(ImeWiring, InputMethodButtonCollapsesThePanelAndOpensTheDialogModally)
{
    for (bool option : {true, false}) {
        SCOPED_TRACE(option);
        ImeWorld world;
        bAutoIme = option;
        FrmTm& p = panelWithTypingBox();
        bool collapsed = false, modal = false;
        QTimer::singleShot(0, testscope::context(), [&] {
            collapsed = p.FrmZXH.Visible() && p.Width() == p.FrmZXH.Width();
            modal = FrmIME::isLoaded() && FrmIME::get().isVisible() && FrmIME::get().isModal();
            FrmIME::unloadIfLoaded();
        });
        p.CmdEn_Click();
        tktest::flushDeletes();
        EXPECT_TRUE(collapsed);
        EXPECT_TRUE(modal);
        EXPECT_FALSE(p.FrmZXH.Visible()) << "closing the dialog brings the panel back";
    }
}

// The exercise ends while the menu is open (its windows unloaded): a choice made then does
// nothing, and never brings the surface back.
TEST(ImeWiring, AChoiceAfterTheExerciseEndedDoesNothing)
{
    ImeWorld world;
    bAutoIme = true;
    lImeHkl = 0;
    FrmTm& p = panelWithTypingBox();
    p.showPopup = [&](QMenu&, const QPoint&) {
        bTmCanClose = true;
        FrmMain::unloadIfLoaded();
        FrmTm::unloadIfLoaded();
        p.mCn[1]->trigger();
    };
    p.LblIME_Click();
    tktest::flushDeletes();
    EXPECT_FALSE(FrmMain::isLoaded());
    EXPECT_FALSE(FrmTm::isLoaded());
    EXPECT_EQ(lImeHkl, 0);
    EXPECT_TRUE(world.activated.isEmpty());
}
