#include "tables.h"

namespace sample {

namespace menubar = bank::menubar;

namespace {

QVector<int> tops(const menubar::RowLayout& rows)
{
    QVector<int> out;
    for (int j = 0; j < rows.count; ++j)
        out.append(qRound(rows.tops[j]));
    return out;
}

} // namespace

int Submenu::rowCount() const
{
    return sample::rowCount(groups);
}

QVector<int> dropGroups(int set)
{
    QVector<int> groups;
    for (QChar c : menubar::dropDownEntry(set))
        groups.append(c.isDigit() ? c.digitValue() : 0);
    return groups;
}

QVector<Submenu> submenus(int set)
{
    QVector<Submenu> out;
    for (const menubar::Submenu& s : menubar::submenus(set)) {
        Submenu sub{s.ordinal, s.row, {}};
        for (QChar c : s.groups)
            if (menubar::rowKeyValue(c) > 0)
                sub.groups.append(menubar::rowKeyValue(c));
        out.append(sub);
    }
    return out;
}

int rowCount(const QVector<int>& groups)
{
    int n = 0;
    for (int g : groups)
        n += g;
    return n;
}

QVector<int> dropRowTops(int set)
{
    return tops(menubar::dropDownRows(set, 0, 1));
}

QVector<int> submenuRowTops(int set, int ordinal)
{
    for (const menubar::Submenu& s : menubar::submenus(set))
        if (s.ordinal == ordinal)
            return tops(menubar::submenuRows(s, 0, 1));
    return {};
}

QString hoveredTitlePicture(int set) { return menubar::hoveredTitlePicture(set); }
QString openTitlePicture(int set) { return menubar::openTitlePicture(set); }
QString dropDownPicture(int set) { return menubar::dropDownPicture(set); }
QString dropRowPicture(int set, int row) { return menubar::dropDownRowPicture(set, row); }
QString submenuPicture(int set, int ordinal) { return menubar::submenuPicture(set, ordinal); }

QString submenuRowPicture(int set, int ordinal, int row)
{
    for (const menubar::Submenu& s : menubar::submenus(set))
        if (s.ordinal == ordinal)
            return menubar::submenuRowPicture(menubar::openSubmenuCode(set, ordinal, s.row), row);
    return {};
}

QString surfaceLayoutString(QChar letter)
{
    return bank::tabs::builtInLayout(letter, bank::tabs::Table::Surface).value_or(QString());
}

QString demoLayoutAString()
{
    return bank::tabs::builtInLayout(u'A', bank::tabs::Table::Demo).value_or(QString());
}

TabLayout parseLayout(const QString& layoutString)
{
    const bank::tabs::TabLayout l(layoutString);
    TabLayout t;
    t.count = l.count();
    t.top = l.labelTop();
    t.height = l.labelHeight();
    for (int i = 1; i <= t.count; ++i) {
        t.pages.append(l.pagePicture(i));
        t.lefts.append(l.tabLeft(i));
        t.widths.append(l.tabWidth(i));
    }
    t.backSpot = l.backSpotRect(0, 0, 1, 1).toRect();
    return t;
}

} // namespace sample
