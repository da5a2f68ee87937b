#pragma once
// Tab strips of simulated dialogs: the ten built-in tab layouts "A" to "J" and the geometry of
// their tab labels and step-back spot. Pure data and arithmetic for the work surface and the
// demonstration.
//
// A layout is a 155-character string (layout "H" is a single blank): 1 letter; 2 tab count (tab
// digit); 3-6 top and 7-9 height of the tab labels; for tab i = 1-13, 10i to 10i+5 its page
// picture id and 10i+6 to 10i+9 its left (the left after the last tab is the strip's right end);
// 140-143, 144-147, 148-151, 152-155 left, top, width, height of the step-back spot. Lengths are
// design twips relative to the picture that shows the dialog (the tab origin).

#include <QRectF>
#include <QString>
#include <optional>

namespace bank::tabs {

inline constexpr int kMaxTabs = 13;          // tab labels 1-13; label 0 is the step-back spot
inline constexpr int kNegativeWidth = 990;   // width of a tab whose next left is smaller
inline constexpr int kWideFourthTab = 1215;  // tab 4 of a two-row strip
inline constexpr int kTwoRowCount = 8;       // a strip of this many tabs or more has two rows
inline constexpr int kRowShift = 300;        // the chosen row lies this much lower
// The step-back spot of a back-marked step: 1095 x 285 at the record's drag bound.
inline constexpr int kBackSpotWidth = 1095;
inline constexpr int kBackSpotHeight = 285;

// The demonstration has a layout "A" of its own; the other letters are shared.
enum class Table { Surface, Demo };

// The built-in layout of a letter "A"-"J"; nothing for any other letter (the caller keeps the
// layout it had).
std::optional<QString> builtInLayout(QChar letter, Table table = Table::Surface);

// The tab prompt: "请选择第" & n & "个选项卡".
QString tabPrompt(int targetTab);

// The row of tab i in a two-row strip: 1 for tabs 1-4 (and 0), 2 above.
inline int rowOfTab(int tab) { return tab > 4 ? 2 : 1; }

class TabLayout {
public:
    TabLayout() = default;
    explicit TabLayout(QString text) : m_text(std::move(text)) {}
    const QString& text() const { return m_text; }

    int count() const;       // character 2 by the tab digit rule, 0-13
    int labelTop() const;    // characters 3-6
    int labelHeight() const; // characters 7-9
    bool twoRows() const { return count() >= kTwoRowCount; }

    // Page picture id of tab i (1-13); empty for another i, which names no page.
    QString pagePicture(int tab) const;
    // Left of tab i (1-14: the left after tab 13 follows its picture id); 0 for another i.
    int tabLeft(int tab) const;
    // Width of tab i: the next tab's left minus its own, 990 when that is negative; 1215 for
    // tab 4 of a two-row strip. 0 for a tab outside 1-13.
    int tabWidth(int tab) const;

    // Label i (1 to count) in window twips, the tab image standing at (ox, oy). In a two-row strip
    // the row holding `chosenRow` lies kRowShift lower, next to the page. Nothing for a label
    // outside 1 to count.
    std::optional<QRectF> tabRect(int tab, double ox, double oy, double sx, double sy,
                                  int chosenRow = 1) const;
    // The step-back spot (label 0) as the layout places it.
    QRectF backSpotRect(double ox, double oy, double sx, double sy) const;

private:
    int field(int a, int b) const;
    QString m_text;
};

// The step-back spot of a back-marked step, on the surface itself at the drag bound (x, y).
inline QRectF backMarkSpotRect(int x, int y, double sx, double sy)
{
    return QRectF(x * sx, y * sy, kBackSpotWidth * sx, kBackSpotHeight * sy);
}

} // namespace bank::tabs
