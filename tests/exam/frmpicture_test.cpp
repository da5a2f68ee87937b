// The question picture window: fit round the picture, centring, the red frame, the picture
// button's open and close, hiding, dragging.

#include "dialogfixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using dialogfixture::World;
using namespace ModData;

namespace {

QPixmap solid(int w, int h, QColor colour)
{
    QPixmap pm(w, h);
    pm.fill(colour);
    return pm;
}

QRectF rectOf(const tk::Form& f) { return {f.Left(), f.Top(), f.Width(), f.Height()}; }

} // namespace

TEST(PictureWindow, FitsRoundThePictureCentredWithARedFrame)
{
    World world;
    const struct {
        int w, h;
        QRectF rect; // on a 1024 x 768 screen (15360 x 11520 twips)
    } cases[] = {
        {300, 200, {5370, 4200, 4620, 3120}},
        {1, 1, {7612.5, 5692.5, 135, 135}},
        {1200, 900, {-1380, -1050, 18120, 13620}}, // larger than the screen: centred all the same
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        FrmPicture& win = FrmPicture::get();
        EXPECT_FALSE(win.Visible()) << "a reference loads it hidden";
        win.Image1.setPicture(solid(c.w, c.h, Qt::green));
        win.Show();
        ASSERT_TRUE(win.Timer1.fire());
        EXPECT_FALSE(win.Timer1.Enabled()) << "one-shot";
        EXPECT_EQ(rectOf(win), c.rect);
        EXPECT_TRUE(win.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(win.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(win.Image1.Left(), 60);
        EXPECT_EQ(win.Image1.Top(), 60);

        const QImage shot = win.grab().toImage();
        ASSERT_EQ(shot.size(), QSize(c.w + 8, c.h + 8));
        for (QPoint frame : {QPoint(0, 0), QPoint(3, 3), QPoint(c.w + 4, c.h + 7), QPoint(c.w + 7, 2)})
            EXPECT_EQ(shot.pixelColor(frame), QColor(Qt::red)) << frame.x() << "," << frame.y();
        EXPECT_EQ(shot.pixelColor(4, 4), QColor(Qt::green));
        EXPECT_EQ(shot.pixelColor(c.w + 3, c.h + 3), QColor(Qt::green));
        FrmPicture::unloadIfLoaded();
        tktest::flushDeletes();
    }
}

TEST(PictureWindow, KeepsItsPlaceUntilTheTimerThenCentresAgain)
{
    World world;
    FrmPicture& win = FrmPicture::get();
    win.Image1.setPicture(solid(300, 200, Qt::green));
    win.Show();
    win.Timer1.fire();
    win.Hide();
    win.Move(30, 45);                                   // dragged away before it was closed
    win.Image1.setPicture(solid(100, 50, Qt::blue)); // the next question's picture
    win.Show();
    EXPECT_EQ(rectOf(win), QRectF(30, 45, 4620, 3120)) << "before the timer";
    win.Timer1.setEnabled(true);
    win.Timer1.fire();
    EXPECT_EQ(rectOf(win), QRectF((15360 - 1620) / 2, (11520 - 870) / 2, 1620, 870));
}

// A question picture beyond what the program decodes (here 20000 pixels wide) is refused at its
// load: the window goes on showing, and fitting round, the picture it had.
TEST(PictureWindow, APictureBeyondTheDecodeBoundLeavesTheShownPictureAndItsFit)
{
    World world;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("l20099.mxy"));
    ASSERT_TRUE(solid(20000, 1, Qt::blue).save(path, "PNG"));
    FrmPicture& win = FrmPicture::get();
    win.Image1.setPicture(solid(300, 200, Qt::green));
    try {
        win.Image1.loadPicture(path);
        ADD_FAILURE() << "loaded";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::ErrInvalidPicture);
    }
    win.Show();
    ASSERT_TRUE(win.Timer1.fire());
    EXPECT_EQ(rectOf(win), QRectF(5370, 4200, 4620, 3120));
    EXPECT_EQ(win.Image1.Picture().toImage().pixelColor(0, 0), QColor(Qt::green));
}

TEST(PictureWindow, ButtonOpensAndClosesAndCaptionTellsWhich)
{
    World world;
    QWidget holder;
    tavoButton button(&holder);
    button.setCaption(QStringLiteral("显示图片"));
    FrmPicture::get().Image1.setPicture(solid(40, 30, Qt::green));

    const struct {
        bool open;
        const char* caption;
    } clicks[] = {{true, "隐藏图片"}, {false, "显示图片"}, {true, "隐藏图片"}, {false, "显示图片"}};
    for (const auto& c : clicks) {
        exam::pictureButtonClick(button);
        EXPECT_EQ(FrmPicture::get().Visible(), c.open);
        EXPECT_EQ(button.Caption(), QString::fromUtf8(c.caption));
        if (c.open) {
            ASSERT_TRUE(FrmPicture::get().Timer1.Enabled()) << "the fit follows the show";
            FrmPicture::get().Timer1.fire();
            EXPECT_EQ(FrmPicture::get().Width(), 40 * 15 + 120);
        }
    }

    // Whoever hides it (next question, demonstration, hint window, leaving) resets the button.
    exam::pictureButtonClick(button);
    exam::hidePicture(button);
    EXPECT_FALSE(FrmPicture::get().Visible());
    EXPECT_EQ(button.Caption(), QStringLiteral("显示图片"));
    exam::pictureButtonClick(button);
    EXPECT_TRUE(FrmPicture::get().Visible()) << "one click opens it again";
}

// A close from the window system hides the window as the button does: the caption says so and
// the next click shows the same picture, not an empty window.
TEST(PictureWindow, AWindowSystemCloseHidesItAndResetsTheButton)
{
    World world;
    FrmTm& p = panelfixture::Panel::panel();
    FrmPicture::get().Image1.setPicture(solid(40, 30, Qt::green));
    p.Image2.setCaption(QStringLiteral("显示图片"));
    p.Image2_Click();
    FrmPicture& win = FrmPicture::get();
    ASSERT_TRUE(win.Visible());
    win.close();
    tktest::flushDeletes();
    ASSERT_TRUE(FrmPicture::isLoaded());
    EXPECT_FALSE(win.Visible());
    EXPECT_EQ(p.Image2.Caption(), QStringLiteral("显示图片"));
    p.Image2_Click();
    EXPECT_TRUE(FrmPicture::get().Visible());
    EXPECT_EQ(p.Image2.Caption(), QStringLiteral("隐藏图片"));
    EXPECT_EQ(FrmPicture::get().Image1.Picture().toImage().pixelColor(0, 0), QColor(Qt::green));
}

TEST(PictureWindow, LeftPressOnFrameOrPictureDrags)
{
    World world;
    FrmPicture& win = FrmPicture::get();
    win.Image1.setPicture(solid(120, 80, Qt::green));
    ASSERT_TRUE(tktest::showExposed(win));
    win.Timer1.fire();
    const struct {
        const char* where;
        QWidget* handle;
        QPoint at;
        Qt::MouseButton button;
        QPoint moved;
    } cases[] = {
        {"frame, left", &win, {2, 2}, Qt::LeftButton, {30, 20}},
        {"picture, left", &win.Image1, {50, 40}, Qt::LeftButton, {-25, 15}},
        {"frame, right", &win, {2, 2}, Qt::RightButton, {0, 0}},
        {"picture, right", &win.Image1, {50, 40}, Qt::RightButton, {0, 0}},
        {"picture, middle", &win.Image1, {50, 40}, Qt::MiddleButton, {0, 0}},
    };
    for (const auto& c : cases) {
        const QPoint by = c.moved == QPoint(0, 0) ? QPoint(30, 20) : c.moved;
        EXPECT_EQ(dialogfixture::dragBy(*c.handle, c.at, by, c.button), c.moved) << c.where;
    }
}
