#pragma once
// What the menu-bar and tab-strip tests share: a world whose picture folder ("examdata") holds a
// picture for every menu picture name, each filled with the colour of its own number so that a
// test can tell which one a control shows; the surface shown; and a hand that moves and clicks
// at surface twips through the window, as the candidate does.

#include "bank/menubar.h"
#include "recordbuilder.h"
#include "surfaceworld.h"
#include "toolkit/toolkit_testutil.h"
#include "toolkit/twips.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QWindow>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRectF& r, std::ostream* os)
{
    *os << '(' << r.left() << ", " << r.top() << ", " << r.width() << " x " << r.height() << ')';
}
inline void PrintTo(const QPointF& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }
QT_END_NAMESPACE

namespace menutest {

// Writes picture `name` (six digits, no extension) of w x h pixels into `folder`, filled with the
// colour whose number is the name's.
inline void numberedPicture(const QString& folder, const QString& name, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(QRgb(0xFF000000u | name.toUInt())));
    img.save(folder + name + QStringLiteral(".mxy"), "PNG");
}

// The name of the numbered picture a control shows; empty for none.
inline QString shownPicture(const tk::Image& img)
{
    if (img.Picture().isNull())
        return {};
    const QRgb rgb = img.Picture().toImage().pixel(0, 0) & 0xFFFFFFu;
    return QStringLiteral("%1").arg(rgb, 6, 10, QLatin1Char('0'));
}

inline QRectF rect(const tk::Control& c) { return QRectF(c.Left(), c.Top(), c.Width(), c.Height()); }

// Menu pictures of every title: titles 870 x 330 twips (reaching 60 twips below the title
// label), drop-downs and submenus as tall as their rows, highlights of one row.
inline void writeMenuPictures(const QString& folder)
{
    namespace mb = bank::menubar;
    auto name = [](const QString& file) { return file.left(6); };
    for (int s = 1; s <= 9; ++s) {
        numberedPicture(folder, name(mb::hoveredTitlePicture(s)), 58, 22);
        numberedPicture(folder, name(mb::openTitlePicture(s)), 58, 22);
        const mb::RowLayout rows = mb::dropDownRows(s, 0, 1);
        numberedPicture(folder, name(mb::dropDownPicture(s)), 165,
                        tk::toPixels(rows.tops[qMax(0, rows.count - 1)] + 360));
        for (int r = 1; r <= rows.count; ++r)
            numberedPicture(folder, name(mb::dropDownRowPicture(s, r)), 161, 22);
        for (const mb::Submenu& sub : mb::submenus(s)) {
            const mb::RowLayout subRows = mb::submenuRows(sub, 0, 1);
            numberedPicture(folder, name(mb::submenuPicture(s, sub.ordinal)), 141,
                            tk::toPixels(subRows.tops[qMax(0, subRows.count - 1)] + 360));
            for (int t = 1; t <= subRows.count; ++t)
                numberedPicture(folder, name(mb::submenuRowPicture(mb::openSubmenuCode(s, sub.ordinal, sub.row), t)),
                                137, 22);
        }
    }
}

// A world whose surface is shown, for real mouse events.
class ShownWorld : public testworld::World {
public:
    // The surface shown and exposed, with the scene of step `stepNo` built on it.
    FrmMain& shown(int stepNo = 1)
    {
        FrmMain& m = surface();
        m.Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m));
        return build(stepNo);
    }
    // The same, for the operation records `records` of question 1.
    FrmMain& shown(const QStringList& records)
    {
        ops(records);
        return shown();
    }
};

// The same with the menu pictures in the picture folder and a scene picture "500001" that covers
// all of the form but a strip on its right and bottom.
class MenuWorld : public ShownWorld {
public:
    MenuWorld()
    {
        QDir(platform::programFolder()).mkdir(QStringLiteral("examdata"));
        examdata = platform::programFolder() + QStringLiteral("/examdata/");
        writeMenuPictures(examdata);
        picture(QStringLiteral("500001"), 780, 560, Qt::gray);
    }
    QString examdata;
};

// ---- The candidate's hand, at surface twips ----

inline QPoint pixel(QPointF twips) { return QPoint(tk::toPixels(twips.x()), tk::toPixels(twips.y())); }
inline QPointF centreOf(const tk::Control& c) { return rect(c).center(); }

inline void moveTo(FrmMain& m, QPointF at) { QTest::mouseMove(m.windowHandle(), pixel(at)); }
inline void clickAt(FrmMain& m, QPointF at, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers k = {})
{
    moveTo(m, at);
    QTest::mousePress(m.windowHandle(), b, k, pixel(at));
    QTest::mouseRelease(m.windowHandle(), b, k, pixel(at));
}
inline void pointAt(FrmMain& m, const tk::Control& c) { moveTo(m, centreOf(c)); }
inline void clickOn(FrmMain& m, const tk::Control& c, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers k = {})
{
    clickAt(m, centreOf(c), b, k);
}

} // namespace menutest
