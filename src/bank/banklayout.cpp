#include "bank/banklayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace bank {

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Digits in the given base from position i on, blanks skipped.
double radixValue(const QString& t, qsizetype i, int base)
{
    double v = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (isBlank(c))
            continue;
        const char16_t u = c.toUpper().unicode();
        int d = -1;
        if (u >= u'0' && u <= u'9')
            d = u - u'0';
        else if (u >= u'A' && u <= u'F')
            d = u - u'A' + 10;
        if (d < 0 || d >= base)
            break;
        v = v * base + d;
    }
    return v;
}
} // namespace

double numericValue(const QString& text)
{
    // Collect the characters of the leading number, blanks left out, then let the C library
    // read them.
    QString t;
    t.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            t.append(c);
    if (t.size() >= 2 && t.at(0) == u'&') {
        const QChar k = t.at(1).toUpper();
        if (k == u'H')
            return radixValue(t, 2, 16);
        if (k == u'O')
            return radixValue(t, 2, 8);
        return 0;
    }
    std::string s;
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-'))
        s += char(t.at(i++).unicode());
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c >= u'0' && c <= u'9') {
            s += char(c.unicode());
            digits = true;
        } else if (c == u'.' && !point) {
            s += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    // An exponent only when digits follow it.
    if (i + 1 < t.size() && (t.at(i).toUpper() == u'E' || t.at(i).toUpper() == u'D')) {
        qsizetype j = i + 1;
        std::string e = "e";
        if (j < t.size() && (t.at(j) == u'+' || t.at(j) == u'-'))
            e += char(t.at(j++).unicode());
        bool expDigits = false;
        for (; j < t.size() && t.at(j) >= u'0' && t.at(j) <= u'9' && e.size() < 8; ++j) {
            e += char(t.at(j).unicode());
            expDigits = true;
        }
        if (expDigits)
            s += e;
    }
    const double v = std::strtod(s.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

int roundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value);
    if (r >= double(INT_MAX))
        return INT_MAX;
    if (r <= double(INT_MIN))
        return INT_MIN;
    return int(r);
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

QString bankLayoutPath(const QString& dataDir)
{
    return joinPath(dataDir, QString::fromLatin1(kBankLayoutNumber) + QStringLiteral(".mxy"));
}

BankLayoutHead parseLayoutHead(const QString& line1)
{
    const QString t = line1.trimmed();
    return {roundToInt(numericValue(t.mid(0, 2))), roundToInt(numericValue(t.mid(2, 2)))};
}

std::optional<std::vector<int>> unitQuestionCounts(const QStringList& layoutLines)
{
    if (layoutLines.size() < 2)
        return std::nullopt;
    const QString& line = layoutLines.at(1);
    std::vector<int> counts(kMaxUnitCounts, 0);
    bool any = false;
    for (qsizetype i = 0; i < line.size() && i / 2 < kMaxUnitCounts; i += 2) {
        const int n = std::clamp(roundToInt(numericValue(line.mid(i, 2))), 0, 99);
        counts[size_t(i / 2)] = n;
        any = any || n > 0;
    }
    if (!any)
        return std::nullopt;
    return counts;
}

QString fixedPaperIds(const QStringList& layoutLines, int paper)
{
    if (paper < 0 || paper > 19 || paper + 2 >= layoutLines.size())
        return {};
    return layoutLines.at(paper + 2);
}

} // namespace bank
