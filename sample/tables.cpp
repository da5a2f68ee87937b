#include "tables.h"

#include <QStringList>

namespace sample {

namespace {

const char* const kDropTable[9] = {"3212241", "24231", "631", "616", "45111", "21", "641", "22", "2"};
const char* const kSubTable[9] = {"", "720000", "290000", "134000730000812000920000", "A30000", "",
                                  "160000240000340000712000", "", ""};
const QString kRowKeys = QStringLiteral("123456789ABCDEFGHIJKLMNOPQ");

QString pad(int v, int width)
{
    return QStringLiteral("%1").arg(v, width, 10, QLatin1Char('0'));
}

} // namespace

int Submenu::rowCount() const
{
    return sample::rowCount(groups);
}

QVector<int> dropGroups(int set)
{
    QVector<int> groups;
    if (set < 1 || set > 9)
        return groups;
    for (const char* c = kDropTable[set - 1]; *c; ++c)
        groups.append(*c - '0');
    return groups;
}

QVector<Submenu> submenus(int set)
{
    QVector<Submenu> out;
    if (set < 1 || set > 9)
        return out;
    const QString entry = QString::fromLatin1(kSubTable[set - 1]);
    for (int i = 0; i + 6 <= entry.size(); i += 6) {
        Submenu s;
        s.ordinal = out.size() + 1;
        s.row = kRowKeys.indexOf(entry[i]) + 1;
        for (int k = 1; k < 6; ++k) {
            const int n = kRowKeys.indexOf(entry[i + k]) + 1;
            if (n > 0)
                s.groups.append(n);
        }
        out.append(s);
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

QVector<int> rowTops(const QVector<int>& groups)
{
    QVector<int> tops;
    int top = kMenuFirstRow;
    for (int g = 0; g < groups.size(); ++g) {
        if (g > 0)
            top += kMenuGroupGap;
        for (int r = 0; r < groups[g]; ++r) {
            tops.append(top);
            top += kMenuRowHeight;
        }
    }
    return tops;
}

// Names are built by concatenation: "%1" followed by digits would read as a placeholder %10.
QString hoveredTitlePicture(int set) { return u'7' + QString::number(set) + QStringLiteral("0099.mxy"); }
QString openTitlePicture(int set) { return u'7' + QString::number(set) + QStringLiteral("0088.mxy"); }
QString dropDownPicture(int set) { return u'7' + QString::number(set) + QStringLiteral("0000.mxy"); }
QString dropRowPicture(int set, int row)
{
    return u'7' + QString::number(set) + QStringLiteral("00") + pad(row, 2) + QStringLiteral(".mxy");
}
QString submenuPicture(int set, int ordinal)
{
    return u'7' + QString::number(set) + QString::number(ordinal) + QStringLiteral("000.mxy");
}
QString submenuRowPicture(int set, int ordinal, int row)
{
    return u'7' + QString::number(set) + QString::number(ordinal) + pad(row, 3) + QStringLiteral(".mxy");
}

int TabLayout::width(int tab) const
{
    if (twoRows() && tab == 4)
        return 1215;
    if (tab < 1 || tab >= lefts.size())
        return 0;
    const int w = lefts[tab] - lefts[tab - 1];
    return w < 0 ? 990 : w;
}

QString surfaceLayoutString(QChar letter)
{
    static const QStringList layouts = {
        QStringLiteral("A8054028512100101501210021440121003300012100442301210050150121006153012100729101210084275000000543000000000000000000000000000000000000000004395588010950285"),
        QStringLiteral("B2057028538001401503800150960000000174000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000003720096010950285"),
        QStringLiteral("C3055528537000201503800031200460357210000000030300000000000000000000000000000000000000000000000000000000000000000000000000000000000000000004710484510950285"),
        QStringLiteral("D8052527032002001653200211350320022253546035644253200160165320017153032001828953200194260000000561000000000000000000000000000000000000000004560586510950285"),
        QStringLiteral("E6055528546001101504600121290460013210046001429104600153720460016453000000052800000000000000000000000000000000000000000000000000000000000003810532510800270"),
        QStringLiteral("F2055527032100101504600670855000000162000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000005265136510950285"),
        QStringLiteral("G2055527038015901354600521080000000192000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000004335534010950285"),
        QStringLiteral(" "),
        QStringLiteral("I2058528538003901354600611140000000223500000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000004980535510800270"),
        QStringLiteral("J4058528546007901503200280930460080174032006125500000003315000000000000000000000000000000000000000000000000000000000000000000000000000000004560126010800270"),
    };
    const int i = letter.unicode() - u'A';
    return i >= 0 && i < layouts.size() ? layouts[i] : QString();
}

QString demoLayoutAString()
{
    return QStringLiteral("A6058528532100501504602380930321006174046023925503800643360460240432000000051900000000000000000000000000000000000000000000000000000000000005910406510800270");
}

TabLayout parseLayout(const QString& s)
{
    TabLayout t;
    if (s.size() < 155)
        return t;
    auto num = [&](int from, int to) { return s.mid(from - 1, to - from + 1).toInt(); };
    t.letter = s[0];
    const QChar c = s[1];
    t.count = c.isDigit() ? c.digitValue() : (c >= u'A' && c <= u'D' ? 10 + (c.unicode() - u'A') : 0);
    t.top = num(3, 6);
    t.height = num(7, 9);
    for (int i = 1; i <= t.count; ++i) {
        t.pages.append(s.mid(10 * i - 1, 6));
        t.lefts.append(num(10 * i + 6, 10 * i + 9));
    }
    t.lefts.append(num(10 * (t.count + 1) + 6, 10 * (t.count + 1) + 9));
    t.backSpot = QRect(num(140, 143), num(144, 147), num(148, 151), num(152, 155));
    return t;
}

} // namespace sample
