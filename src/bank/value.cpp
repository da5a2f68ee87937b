#include "bank/value.h"

#include <cmath>

namespace bank {

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

double roundHalfEven(double v)
{
    if (std::isnan(v))
        return 0;
    return std::nearbyint(v); // the default rounding mode rounds halves to even
}

double clampTo(double v, double lo, double hi)
{
    if (std::isnan(v))
        return 0;
    return v < lo ? lo : (v > hi ? hi : v);
}
} // namespace

double runValue(QStringView run)
{
    qsizetype i = 0;
    const qsizetype n = run.size();
    while (i < n && isBlank(run[i]))
        ++i;
    bool negative = false;
    if (i < n && (run[i] == u'+' || run[i] == u'-')) {
        negative = run[i] == u'-';
        ++i;
    }
    double value = 0;
    bool any = false;
    while (i < n && isDigit(run[i])) {
        value = value * 10 + (run[i].unicode() - u'0');
        any = true;
        ++i;
    }
    if (i < n && run[i] == u'.') {
        ++i;
        double scale = 0.1;
        while (i < n && isDigit(run[i])) {
            value += (run[i].unicode() - u'0') * scale;
            scale /= 10;
            any = true;
            ++i;
        }
    }
    if (!any || std::isinf(value))
        return any ? (negative ? -HUGE_VAL : HUGE_VAL) : 0;
    return negative ? -value : value;
}

int digitValue(QChar c) { return isDigit(c) ? c.unicode() - u'0' : 0; }

qint16 toInt16(double v) { return static_cast<qint16>(clampTo(roundHalfEven(v), -32768, 32767)); }

qint32 toInt32(double v)
{
    return static_cast<qint32>(clampTo(roundHalfEven(v), -2147483648.0, 2147483647.0));
}

qint16 toCoord(double v) { return static_cast<qint16>(clampTo(roundHalfEven(v), 0, 32767)); }

} // namespace bank
