#include "bank/menubar.h"

#include "bank/value.h"

#include <cmath>

namespace bank::menubar {

namespace {
constexpr std::array<QStringView, kTitles> kSurfaceDropDowns{
    u"3212241", u"24231", u"631", u"616", u"45111", u"21", u"641", u"22", u"2"};
constexpr std::array<QStringView, kTitles> kDemoDropDowns{
    u"3212241", u"24231", u"631", u"616", u"4511", u"21", u"641", u"22", u"2"};
constexpr std::array<QStringView, kTitles> kSubmenus{
    u"", u"720000", u"290000", u"134000730000812000920000", u"A30000", u"",
    u"160000240000340000712000", u"", u""};
constexpr int kRecordLength = 6;

bool validSet(int set) { return set >= 1 && set <= kTitles; }

// The last `width` digits, left-padded with zeros: Right("00" & n, width).
QString lastDigits(qint64 n, int width)
{
    return QString::number(n).rightJustified(width, u'0').right(width);
}

RowLayout layRows(double menuTop, QStringView groups, bool digits, double sy, bool wholeTwips)
{
    auto fix = [wholeTwips](double v) { return wholeTwips ? std::nearbyint(v) : v; };
    RowLayout l;
    l.tops[0] = fix(menuTop + kFirstRowOffset * sy);
    for (int j = 1; j < kMaxRows; ++j)
        l.tops[j] = fix(l.tops[j - 1] + kRowPitch * sy);
    int count = 0;
    for (QChar c : groups) {
        const int n = digits ? digitValue(c) : rowKeyValue(c);
        if (!digits && n == 0)
            continue;
        count += n;
        for (int j = count; j < kMaxRows; ++j) // rows count + 1 to 20
            l.tops[j] = fix(l.tops[j] + kGroupGap * sy);
    }
    l.count = qMin(count, kMaxRows);
    return l;
}
} // namespace

int rowKeyValue(QChar c)
{
    const qsizetype at = kRowKeys.indexOf(c);
    return at < 0 ? 0 : int(at) + 1;
}

QStringView dropDownEntry(int set, Table table)
{
    if (!validSet(set))
        return {};
    return (table == Table::Demo ? kDemoDropDowns : kSurfaceDropDowns)[set - 1];
}

QStringView submenuEntry(int set) { return validSet(set) ? kSubmenus[set - 1] : QStringView(); }

int dropDownRowCount(int set, Table table)
{
    int count = 0;
    for (QChar c : dropDownEntry(set, table))
        count += digitValue(c);
    return qMin(count, kMaxRows);
}

int Submenu::rowCount() const
{
    int count = 0;
    for (QChar c : groups)
        count += rowKeyValue(c);
    return qMin(count, kMaxRows);
}

std::vector<Submenu> submenus(int set)
{
    std::vector<Submenu> out;
    const QStringView entry = submenuEntry(set);
    int ordinal = 0;
    for (qsizetype at = 0; at < entry.size(); at += kRecordLength) {
        const QStringView record = entry.mid(at, kRecordLength);
        out.push_back({++ordinal, rowKeyValue(record[0]), record.mid(1).toString()});
    }
    return out;
}

std::optional<Submenu> submenuOfRow(int set, int row)
{
    std::optional<Submenu> found;
    for (Submenu& s : submenus(set))
        if (s.row == row)
            found = std::move(s);
    return found;
}

std::optional<QRectF> title(int i, double sx, double sy)
{
    if (i < 1 || i > kTitles)
        return std::nullopt;
    return QRectF((kTitleLeft + (i - 1) * kTitlePitch) * sx, kTitleTop * sy, kTitleWidth * sx,
                  kTitleHeight * sy);
}

RowLayout dropDownRows(int set, double menuTop, double sy, Table table, bool wholeTwips)
{
    return layRows(menuTop, dropDownEntry(set, table), true, sy, wholeTwips);
}

RowLayout submenuRows(const Submenu& submenu, double menuTop, double sy)
{
    return layRows(menuTop, submenu.groups, false, sy, false);
}

namespace {
QString pictureName(const QString& code) { return QStringLiteral("7") + code + QStringLiteral(".mxy"); }
QString setDigits(int set) { return QString::number(set); }
} // namespace

QString hoveredTitlePicture(int set) { return pictureName(setDigits(set) + QStringLiteral("0099")); }
QString openTitlePicture(int set) { return pictureName(setDigits(set) + QStringLiteral("0088")); }
QString dropDownPicture(int set) { return pictureName(setDigits(set) + QStringLiteral("0000")); }

QString dropDownRowPicture(int set, int row)
{
    return pictureName(setDigits(set) + QStringLiteral("00") + lastDigits(row, 2));
}

QString submenuPicture(int set, int ordinal)
{
    return pictureName(setDigits(set) + QString::number(ordinal) + QStringLiteral("000"));
}

QString submenuRowPicture(qint32 openCode, int subRow)
{
    return pictureName(QString::number(openCode).left(2) + lastDigits(subRow, 3));
}

bool dropDownChoiceMatches(qint32 choice, int set, int row)
{
    return choice != 0 && choice % 100 == 0 && choice / 10000 == set
           && (choice % 10000) / 100 == row;
}

bool submenuChoiceMatches(qint32 choice, int set, qint32 openCode, int subRow)
{
    const QString spelt =
        QString::number(set) + QString::number(openCode).right(2) + lastDigits(subRow, 2);
    return spelt == QString::number(choice);
}

} // namespace bank::menubar
