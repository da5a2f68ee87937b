#include "bank/tabs.h"

#include "bank/oprecord.h"
#include "bank/value.h"

#include <array>

namespace bank::tabs {

namespace {
// clang-format off
const std::array<QStringView, 10> kLayouts{
    u"A8054028512100101501210021440121003300012100442301210050150121006153012100729101210084275000000543000000000000000000000000000000000000000004395588010950285",
    u"B2057028538001401503800150960000000174000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000003720096010950285",
    u"C3055528537000201503800031200460357210000000030300000000000000000000000000000000000000000000000000000000000000000000000000000000000000000004710484510950285",
    u"D8052527032002001653200211350320022253546035644253200160165320017153032001828953200194260000000561000000000000000000000000000000000000000004560586510950285",
    u"E6055528546001101504600121290460013210046001429104600153720460016453000000052800000000000000000000000000000000000000000000000000000000000003810532510800270",
    u"F2055527032100101504600670855000000162000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000005265136510950285",
    u"G2055527038015901354600521080000000192000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000004335534010950285",
    u" ",
    u"I2058528538003901354600611140000000223500000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000004980535510800270",
    u"J4058528546007901503200280930460080174032006125500000003315000000000000000000000000000000000000000000000000000000000000000000000000000000004560126010800270",
};
constexpr QStringView kDemoLayoutA =
    u"A6058528532100501504602380930321006174046023925503800643360460240432000000051900000000000000000000000000000000000000000000000000000000000005910406510800270";
// clang-format on
} // namespace

std::optional<QString> builtInLayout(QChar letter, Table table)
{
    if (letter < u'A' || letter > u'J')
        return std::nullopt;
    if (letter == u'A' && table == Table::Demo)
        return kDemoLayoutA.toString();
    return kLayouts[letter.unicode() - u'A'].toString();
}

QString tabPrompt(int targetTab)
{
    return QStringLiteral("请选择第") + QString::number(targetTab) + QStringLiteral("个选项卡");
}

int TabLayout::field(int a, int b) const
{
    if (a < 1 || a > m_text.size())
        return 0;
    return toInt16(runValue(QStringView(m_text).mid(a - 1, b - a + 1)));
}

int TabLayout::count() const { return tabDigit(m_text.size() >= 2 ? m_text.at(1) : QChar()); }
int TabLayout::labelTop() const { return field(3, 6); }
int TabLayout::labelHeight() const { return field(7, 9); }

QString TabLayout::pagePicture(int tab) const
{
    if (tab < 1 || tab > kMaxTabs)
        return {};
    return m_text.mid(10 * tab - 1, 6);
}

int TabLayout::tabLeft(int tab) const
{
    if (tab < 1 || tab > kMaxTabs + 1)
        return 0;
    return field(10 * tab + 6, 10 * tab + 9);
}

int TabLayout::tabWidth(int tab) const
{
    if (tab < 1 || tab > kMaxTabs)
        return 0;
    if (tab == 4 && twoRows())
        return kWideFourthTab;
    const int w = tabLeft(tab + 1) - tabLeft(tab);
    return w < 0 ? kNegativeWidth : w;
}

std::optional<QRectF> TabLayout::tabRect(int tab, double ox, double oy, double sx, double sy,
                                         int chosenRow) const
{
    if (tab < 1 || tab > count())
        return std::nullopt;
    int top = labelTop();
    if (twoRows() && rowOfTab(tab) == chosenRow)
        top += kRowShift;
    return QRectF(tabLeft(tab) * sx + ox, top * sy + oy, tabWidth(tab) * sx, labelHeight() * sy);
}

QRectF TabLayout::backSpotRect(double ox, double oy, double sx, double sy) const
{
    return QRectF(field(140, 143) * sx + ox, field(144, 147) * sy + oy, field(148, 151) * sx,
                  field(152, 155) * sy);
}

} // namespace bank::tabs
