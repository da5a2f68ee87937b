#pragma once
// What the menu-bar and tab-strip tests share: a world whose picture folder ("examdata") holds a
// picture for every menu picture name, each filled with the colour of its own number so that a
// test can tell which one a control shows; the surface shown; a hand that moves and clicks at
// surface twips through the window, as the candidate does; and the sample bank's program folder
// with a hand that plays its questions step by step.

#include "bank/exercise.h"
#include "bank/menubar.h"
#include "bank/oprecord.h"
#include "bank/value.h"
#include "judges_fixture.h"
#include "platform/textfile.h"
#include "recordbuilder.h"
#include "surfaceworld.h"
#include "toolkit/toolkit_testutil.h"
#include "toolkit/twips.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <functional>

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

// ---- The sample bank ----

namespace menutest {

// The sample program folder laid out beside the test binary, copied to a folder of the test's
// own, with the program-wide state of a unit exercise on it. `ok()` is false when the sample
// folder has not been laid out.
class SampleWorld {
public:
    SampleWorld()
    {
        testworld::closeWindows();
        ModData::resetAll();
        platform::setScreenSizeOverride(QSize(1024, 768));
        const QString from = QStringLiteral(XP_BUILD_DIR) + QStringLiteral("/program");
        if (!QFileInfo::exists(from + QStringLiteral("/xpdata/288820.mxy")))
            return;
        m_ok = copyFolder(from, m_dir.path());
        program = m_dir.path();
        platform::setProgramFolder(program);
        using namespace ModData;
        dScaleX = 1;
        dScaleY = 1;
        sDataPath = program + QStringLiteral("/xpdata/");
        sOpTextFile = sDataPath + QStringLiteral("288890.mxy");
        iLianXiType = 20;
        iRunMode = 2;
    }
    ~SampleWorld()
    {
        testworld::closeWindows();
        platform::setScreenSizeOverride(QSize());
        platform::setProgramFolder(QString());
    }
    bool ok() const { return m_ok; }

    // Unit u (0-11) as the exercise; the number of its questions.
    int unit(int u)
    {
        using namespace ModData;
        iLianXiSub = qint16(u);
        const QString nn = QStringLiteral("%1").arg(20 + u, 2, 10, QLatin1Char('0'));
        sOpFile = sDataPath + QStringLiteral("2888") + nn + QStringLiteral(".mxy");
        sTmTextFile = sDataPath + QStringLiteral("2888%1.mxy").arg(70 + u);
        const auto lines = platform::readAllLines(sTmTextFile);
        const std::vector<int> offsets = lines ? bank::recordOffsets(*lines) : std::vector<int>{};
        iTmCount = qint16(offsets.size());
        for (int q = 1; q <= int(offsets.size()); ++q) {
            iTmLine(q) = qint16(offsets[q - 1]);
            sTmDone(q) = QStringLiteral("F");
            iTmFlags(q) = 0;
        }
        m_ops = platform::readAllLines(sOpFile).value_or(QStringList());
        return int(offsets.size());
    }
    // The records of question q of the unit, end record included.
    QStringList records(int q) const
    {
        QStringList out;
        for (int i = ModData::iTmLine(q) - 1; i >= 0 && i < m_ops.size(); ++i) {
            out << m_ops[i];
            if (bank::OpRecord(m_ops[i]).run(8, 11) == u"9999")
                break;
        }
        return out;
    }

    QString program;

private:
    static bool copyFolder(const QString& from, const QString& to)
    {
        QDir src(from);
        QDir().mkpath(to);
        for (const QFileInfo& f : src.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString target = to + QLatin1Char('/') + f.fileName();
            if (f.isDir() ? !copyFolder(f.filePath(), target) : !QFile::copy(f.filePath(), target))
                return false;
        }
        return true;
    }
    QTemporaryDir m_dir;
    QStringList m_ops;
    bool m_ok = false;
};

// The popup menu's entry for section g, item i of the tree.
inline QAction* popupEntry(FrmMain& m, int section, int item)
{
    static constexpr int kArray[] = {0, 1, 1, 2, 2, 3, 3, 4, 5, 4}; // cascade or list number
    static constexpr bool kCascade[] = {false, true, false, true, false, true, false, true, true, false};
    if (section < 1 || section > 9 || item < 0 || item > 10)
        return nullptr;
    return kCascade[section] ? m.sTavoSub[kArray[section]][item] : m.sTavoInde[kArray[section]][item];
}

// Does what the step on the surface asks, as the candidate would: chooses the target tab of a tab
// step first, then clicks, presses, keys, chooses from the drawn menu bar or the popup menu.
// Returns false for a step kind the hand does not know.
inline bool playStep(FrmMain& m)
{
    const bank::OpRecord rec(ModData::sOpRecord);
    if (const std::optional<bank::TabSpec> tab = rec.tabSpec(); tab && tab->currentTab != tab->targetTab)
        clickOn(m, m.LblXXK[tab->targetTab]);
    const QString code = rec.run(8, 11);
    const int c = code.toInt();
    const QPointF hot = centreOf(m.Label1);
    if (code == u"7000") {
        const qint32 choice = m.popupX;
        clickOn(m, m.LMainMenu[choice / 10000]);
        clickOn(m, m.LblShuMenu[choice / 100 % 100]);
        if (choice % 100)
            clickOn(m, m.LblSubSel[choice % 100]);
    } else if (code == u"0001") {
        clickAt(m, hot);
    } else if (code == u"0002") {
        moveTo(m, hot);
        QTest::mouseDClick(m.windowHandle(), Qt::LeftButton, {}, pixel(hot));
    } else if (code == u"0003") {
        clickAt(m, hot, Qt::RightButton);
    } else if (code.startsWith(u'9')) { // 9bss: button ss with Shift state b
        const int b = code.mid(2).toInt();
        const Qt::MouseButton button = b == 2 ? Qt::RightButton : b == 4 ? Qt::MiddleButton : Qt::LeftButton;
        clickAt(m, hot, button, judgetest::modifiersOf(code.mid(1, 1).toInt()));
    } else if (code.startsWith(u'6')) { // 6bkk: key kk with Shift state b
        const std::optional<judgetest::QtKey> k = judgetest::qtKeyOf(code.mid(2).toInt());
        if (!k)
            return false;
        judgetest::key(m, k->key, k->modifiers | judgetest::modifiersOf(code.mid(1, 1).toInt()));
    } else if (code.startsWith(u'3') || code.startsWith(u'4')) { // popup menu: block, section, item
        QAction* entry = popupEntry(m, c / 10 % 10, c % 10);
        m.showPopup = [entry](QMenu&, const QPoint&) {
            if (entry)
                entry->trigger();
        };
        clickAt(m, hot, Qt::RightButton);
    } else if (code == u"8888") {
        m.Timer3.fire();
    } else {
        return false;
    }
    return true;
}

// Plays question q from step 1 to its end record, as the question panel starts it. At a back-
// marked step the candidate first tries the step-back spot and then plays on from where it leads.
// `beforeStep` runs before each step is played. Returns the steps the hand could not do, empty
// when the question was completed.
inline QStringList playQuestion(FrmMain& m, int q, const std::function<void(FrmMain&)>& beforeStep = {})
{
    using namespace ModData;
    iTmNo = qint16(q);
    iStepNo = 1;
    m.Timer2.setEnabled(true);
    m.Timer2.fire();
    QStringList problems;
    bool wentBack = false;
    for (int action = 0; action < 60 && bank::OpRecord(sOpRecord).run(8, 11) != u"9999"; ++action) {
        const int before = iStepNo;
        if (!wentBack && bank::OpRecord(sOpRecord).col(125) == u'Q') {
            wentBack = true;
            const int expected = qMax(1, before - qMax(1, bank::digitValue(sOpRecord.at(128))));
            clickOn(m, m.LblXXK[0]);
            if (iStepNo != expected)
                problems << QStringLiteral("step %1: the step-back spot led to step %2").arg(before).arg(iStepNo);
            continue;
        }
        if (beforeStep)
            beforeStep(m);
        if (!playStep(m)) {
            problems << QStringLiteral("step %1: code %2 unknown to the hand").arg(before).arg(sOpRecord.mid(7, 4));
            break;
        }
        // A press step may be followed by a step that the rest of the same click completes.
        if (iStepNo <= before) {
            problems << QStringLiteral("step %1 (%2) not completed").arg(before).arg(sOpRecord.mid(7, 4));
            break;
        }
    }
    if ((iTmFlags(q) & 4) == 0 || !m.LblSuccess.Visible())
        problems << QStringLiteral("not marked completed");
    return problems;
}

// Plays, on the shown surface, every question of the sample bank that has a record `wanted` picks.
// Returns how many it played.
inline int playSampleQuestions(SampleWorld& w, const std::function<bool(const bank::OpRecord&)>& wanted,
                               const std::function<void(FrmMain&)>& beforeStep)
{
    FrmMain& m = FrmMain::get();
    m.Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&m));
    int played = 0;
    for (int u = 0; u <= 11; ++u) {
        const int count = w.unit(u);
        for (int q = 1; q <= count; ++q) {
            const QStringList records = w.records(q);
            if (std::none_of(records.begin(), records.end(), [&](const QString& r) { return wanted(bank::OpRecord(r)); }))
                continue;
            SCOPED_TRACE(QStringLiteral("unit %1 question %2").arg(u).arg(q).toStdString());
            ++played;
            EXPECT_EQ(playQuestion(m, q, beforeStep), QStringList());
        }
    }
    return played;
}

// Saves what the surface shows as a PNG under the folder named by XP_SURFACE_SHOTS, if set.
inline void saveShot(FrmMain& m, const QString& name)
{
    const QString dir = qEnvironmentVariable("XP_SURFACE_SHOTS");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(m.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG"));
    }
}

} // namespace menutest
