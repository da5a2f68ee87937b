#pragma once
// What the judge tests share: the surface shown for real mouse and key events, the candidate's
// hand (click, double click, press, drag, keys, typing), record columns the record builder has
// no field for, and a hand that picks an entry of the popup menu instead of the modal menu.

#include "recordbuilder.h"
#include "surfaceworld.h"
#include "toolkit/keys.h"
#include "toolkit/toolkit_testutil.h"
#include "toolkit/twips.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <optional>

namespace judgetest {

// Writes text into a record line from column col on (columns from 1).
inline QString withCols(QString line, int col, const QString& text)
{
    line.replace(col - 1, text.size(), text);
    return line;
}
// The key override: "P" in col 86, Shift state col 88, key number cols 89-90.
inline QString withKeyOverride(const QString& line, int shift, int key)
{
    return withCols(line, 86, QStringLiteral("P0%1%2").arg(shift).arg(key, 2, 10, QLatin1Char('0')));
}
inline QString withDragPointer(const QString& line, const QString& field) { return withCols(line, 101, field); }
inline QString dragOnly(const QString& line) { return withCols(line, 6, QStringLiteral("EE")); }

// The surface shown and exposed, then the scene of step `stepNo` built on it, as the question
// panel has it built (the text box can take the focus).
inline FrmMain& shown(int stepNo = 1)
{
    FrmMain& m = testworld::World::surface();
    m.Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&m));
    return testworld::World::build(stepNo);
}

// A point of a control, in pixels of the control, from twips of the control.
inline QPoint px(double xTwips, double yTwips) { return QPoint(tk::toPixels(xTwips), tk::toPixels(yTwips)); }
inline QPoint centre(const tk::Control& c) { return px(c.Width() / 2, c.Height() / 2); }

inline void click(QWidget& w, QPoint at, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
{
    tktest::press(w, at, b, m);
    tktest::release(w, at, b, m);
}
inline void doubleClick(QWidget& w, QPoint at)
{
    QTest::mouseDClick(w.window()->windowHandle(), Qt::LeftButton, {}, tktest::inWindow(w, at));
}

// The Qt key and modifiers of a Windows virtual-key code, as the toolkit reads keys.
struct QtKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};
inline std::optional<QtKey> qtKeyOf(int virtualKey)
{
    auto find = [&](int first, int last, Qt::KeyboardModifiers m) -> std::optional<QtKey> {
        for (int k = first; k <= last; ++k)
            if (tk::virtualKey(k, m, 0) == virtualKey)
                return QtKey{Qt::Key(k), m};
        return std::nullopt;
    };
    for (auto m : {Qt::KeyboardModifiers{}, Qt::KeyboardModifiers(Qt::KeypadModifier)})
        for (auto range : {std::pair{int(Qt::Key_Space), int(Qt::Key_AsciiTilde)},
                           std::pair{int(Qt::Key_Escape), int(Qt::Key_Direction_R)}})
            if (auto k = find(range.first, range.second, m))
                return k;
    return std::nullopt;
}
inline Qt::KeyboardModifiers modifiersOf(int shift)
{
    Qt::KeyboardModifiers m;
    if (shift & 1)
        m |= Qt::ShiftModifier;
    if (shift & 2)
        m |= Qt::ControlModifier;
    if (shift & 4)
        m |= Qt::AltModifier;
    return m;
}
// A key pressed and released on the surface window: it goes where the window sends keys.
inline void key(FrmMain& m, Qt::Key k, Qt::KeyboardModifiers mods = {})
{
    QTest::keyClick(m.windowHandle(), k, mods);
}

// Types text into the box with the keyboard focus: ASCII key by key ("\b" Backspace, "\r"
// Enter), anything else as the input method commits it.
inline void type(FrmMain& m, const QString& text)
{
    for (const QChar ch : text) {
        if (ch == u'\b') {
            QTest::keyClick(m.windowHandle(), Qt::Key_Backspace);
        } else if (ch == u'\r') {
            QTest::keyClick(m.windowHandle(), Qt::Key_Return);
        } else if (ch.unicode() >= 32 && ch.unicode() < 127) {
            QTest::keyClick(m.windowHandle(), char(ch.unicode()));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(ch);
            QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : m.focusWidget(), &commit);
        }
    }
}

// The point of a one-line box at the boundary before character `index`.
inline QPoint boundaryPoint(tk::TextBox& box, int index)
{
    auto* ed = qobject_cast<QLineEdit*>(box.editor());
    int first = -1, last = -1;
    for (int x = 0; ed && x < ed->width(); ++x) {
        if (ed->cursorPositionAt(QPoint(x, ed->height() / 2)) == index) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return QPoint((first + last) / 2, box.editor()->height() / 2);
}

// In place of the modal popup menu: remembers where the menu was asked to show and what it
// showed, and picks the entry `pick` chooses, as the candidate's hand would.
struct PopupHand {
    struct Entry {
        QString path; // "caption/item" inside a cascade, "item" in the menu itself
        QAction* action;
    };
    int openings = 0;
    QPoint at;
    QList<Entry> entries; // visible entries in menu order, separators as "-"
    QString pick;         // path of the entry to choose; none chooses nothing
    std::function<void()> beforeChoice; // runs while the menu is open, before the choice

    void install(FrmMain& m)
    {
        m.showPopup = [this](QMenu& menu, const QPoint& globalPos) {
            ++openings;
            at = globalPos;
            entries.clear();
            for (QAction* a : menu.actions()) {
                if (!a->isVisible())
                    continue;
                if (QMenu* sub = a->menu()) {
                    for (QAction* s : sub->actions())
                        if (s->isVisible())
                            entries.append({a->text() + QLatin1Char('/') + (s->isSeparator() ? QStringLiteral("-") : s->text()), s});
                } else {
                    entries.append({a->isSeparator() ? QStringLiteral("-") : a->text(), a});
                }
            }
            for (const Entry& e : entries)
                if (e.path == pick && !e.action->isSeparator()) { // a separator cannot be chosen
                    if (beforeChoice)
                        beforeChoice();
                    e.action->trigger();
                    break;
                }
        };
    }
    QStringList paths() const
    {
        QStringList p;
        for (const Entry& e : entries)
            p << e.path;
        return p;
    }
};

} // namespace judgetest
