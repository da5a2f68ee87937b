#include "toolkit/vb.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTime>
#include <QList>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace vb {

// ---- Numbers read from text --------------------------------------------------------------------

namespace {

bool isValBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Reads a number from position i on; blanks are skipped between its characters. On success sets
// value and leaves i after the last character taken. Returns false when no number starts there.
struct NumberReader {
    const QString& s;
    bool blanksInside = true; // Val skips blanks between the characters of a number too
    qsizetype i = 0;

    void skipLeadingBlanks()
    {
        while (i < s.size() && isValBlank(s.at(i)))
            ++i;
    }
    void skipBlanks()
    {
        if (!blanksInside)
            return;
        while (i < s.size() && isValBlank(s.at(i)))
            ++i;
    }
    bool atDigit(int base)
    {
        skipBlanks();
        if (i >= s.size())
            return false;
        const int d = digitValue(s.at(i));
        return d >= 0 && d < base;
    }
    static int digitValue(QChar c)
    {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            return u - u'0';
        if (u >= u'a' && u <= u'f')
            return 10 + (u - u'a');
        if (u >= u'A' && u <= u'F')
            return 10 + (u - u'A');
        return -1;
    }

    // "&H" or "&O" and digits. Values up to 16 bits read as Integer, up to 32 bits as Long.
    bool readRadix(double& value)
    {
        skipBlanks();
        if (i + 1 >= s.size() || s.at(i) != u'&')
            return false;
        const QChar kind = s.at(i + 1).toUpper();
        const int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (base == 0)
            return false;
        i += 2;
        quint64 v = 0;
        while (atDigit(base)) {
            v = v * base + quint64(digitValue(s.at(i)));
            if (v > 0xFFFFFFFFull)
                raise(ErrOverflow);
            ++i;
        }
        if (v <= 0xFFFFu)
            value = double(qint16(quint16(v)));
        else
            value = double(qint32(quint32(v)));
        return true;
    }

    // Optional sign, digits with an optional point, optional exponent.
    bool readDecimal(double& value)
    {
        QByteArray text;
        skipBlanks();
        if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-')) {
            text.append(char(s.at(i).unicode()));
            ++i;
        }
        bool digits = false;
        while (atDigit(10)) {
            text.append(char(s.at(i).unicode()));
            digits = true;
            ++i;
        }
        skipBlanks();
        if (i < s.size() && s.at(i) == u'.') {
            text.append('.');
            ++i;
            while (atDigit(10)) {
                text.append(char(s.at(i).unicode()));
                digits = true;
                ++i;
            }
        }
        if (!digits)
            return false;
        skipBlanks();
        if (i < s.size() && (s.at(i).toUpper() == u'E' || s.at(i).toUpper() == u'D')) {
            const qsizetype mark = i;
            ++i;
            QByteArray exponent("e");
            skipBlanks();
            if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-')) {
                exponent.append(char(s.at(i).unicode()));
                ++i;
            }
            bool expDigits = false;
            while (atDigit(10)) {
                exponent.append(char(s.at(i).unicode()));
                expDigits = true;
                ++i;
            }
            if (expDigits)
                text.append(exponent);
            else
                i = mark; // "1E" is the number 1 followed by other text
        }
        value = std::strtod(text.constData(), nullptr);
        if (!std::isfinite(value))
            raise(ErrOverflow);
        return true;
    }

    bool read(double& value)
    {
        skipLeadingBlanks();
        return readRadix(value) || readDecimal(value);
    }
};

} // namespace

double val(const QString& text)
{
    NumberReader r{text};
    double v = 0;
    if (!r.read(v))
        return 0;
    return v == 0 ? 0.0 : v; // no negative zero
}

namespace {
// The whole text as one number, blanks allowed only around it.
std::optional<double> wholeText(const QString& text)
{
    NumberReader r{text, false};
    double v = 0;
    try {
        if (!r.read(v))
            return std::nullopt;
    } catch (const Error&) {
        return std::nullopt;
    }
    r.skipLeadingBlanks();
    if (r.i != text.size())
        return std::nullopt;
    return v == 0 ? 0.0 : v;
}
} // namespace

bool isNumeric(const QString& text) { return wholeText(text).has_value(); }

double cdbl(const QString& text)
{
    const auto v = wholeText(text);
    if (!v)
        raise(ErrTypeMismatch);
    return *v;
}

// ---- Whole numbers ------------------------------------------------------------------------------

double roundHalfEven(double x)
{
    if (!std::isfinite(x))
        return x;
    const double f = std::floor(x);
    const double d = x - f;
    if (d < 0.5)
        return f;
    if (d > 0.5)
        return f + 1;
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

namespace {
template <class T>
T wholeNumber(double x)
{
    const double r = roundHalfEven(x);
    if (!(r >= double(std::numeric_limits<T>::min()) && r <= double(std::numeric_limits<T>::max())))
        raise(ErrOverflow); // NaN lands here too
    return static_cast<T>(r);
}
} // namespace

Integer cint(double x) { return wholeNumber<Integer>(x); }
Long clng(double x) { return wholeNumber<Long>(x); }
Integer cint(const QString& text) { return cint(cdbl(text)); }
Long clng(const QString& text) { return clng(cdbl(text)); }

Long idiv(double a, double b)
{
    const qint64 x = clng(a);
    const qint64 y = clng(b);
    if (y == 0)
        raise(ErrDivisionByZero);
    return clng(double(x / y)); // -2147483648 \ -1 overflows, as it does in the runtime
}

Long mod(double a, double b)
{
    const qint64 x = clng(a);
    const qint64 y = clng(b);
    if (y == 0)
        raise(ErrDivisionByZero);
    return Long(x % y);
}

// ---- Numbers written as text --------------------------------------------------------------------

QString cstr(double x)
{
    if (x == 0 || !std::isfinite(x))
        return x == 0 ? QStringLiteral("0") : QString::number(x);
    QString t = QString::number(x, 'g', 15); // shortest form of at most 15 significant digits
    const qsizetype e = t.indexOf(u'e');
    if (e >= 0) {
        // "1e+15" -> "1E+15", "1e-05" -> "1E-05": the exponent has at least two digits.
        QString mantissa = t.left(e);
        QString exponent = t.mid(e + 1);
        const QChar sign = exponent.at(0);
        QString digits = exponent.mid(1);
        while (digits.size() > 2 && digits.startsWith(u'0'))
            digits.remove(0, 1);
        if (digits.size() < 2)
            digits.prepend(u'0');
        return mantissa + u'E' + sign + digits;
    }
    return t;
}

QString str(double x)
{
    QString t = cstr(x);
    if (t.startsWith(QLatin1String("0.")))
        t.remove(0, 1);
    else if (t.startsWith(QLatin1String("-0.")))
        t.remove(1, 1);
    return x < 0 ? t : QLatin1Char(' ') + t;
}

// ---- Strings ------------------------------------------------------------------------------------

QString ltrim(const QString& s)
{
    qsizetype a = 0;
    while (a < s.size() && s.at(a) == u' ')
        ++a;
    return s.mid(a);
}

QString rtrim(const QString& s)
{
    qsizetype b = s.size();
    while (b > 0 && s.at(b - 1) == u' ')
        --b;
    return s.left(b);
}

QString trim(const QString& s) { return ltrim(rtrim(s)); }

qsizetype len(const QString& s) { return s.size(); }

QString left(const QString& s, qsizetype n)
{
    if (n < 0)
        raise(ErrInvalidCall);
    return s.left(n);
}

QString right(const QString& s, qsizetype n)
{
    if (n < 0)
        raise(ErrInvalidCall);
    return n >= s.size() ? s : s.right(n);
}

QString mid(const QString& s, qsizetype start)
{
    if (start < 1)
        raise(ErrInvalidCall);
    return start > s.size() ? QString() : s.mid(start - 1);
}

QString mid(const QString& s, qsizetype start, qsizetype length)
{
    if (start < 1 || length < 0)
        raise(ErrInvalidCall);
    return start > s.size() ? QString() : s.mid(start - 1, length);
}

qsizetype instr(const QString& s, const QString& find) { return instr(1, s, find); }

qsizetype instr(qsizetype start, const QString& s, const QString& find)
{
    if (start < 1)
        raise(ErrInvalidCall);
    if (s.isEmpty() || start > s.size())
        return 0;
    if (find.isEmpty())
        return start;
    return s.indexOf(find, start - 1, Qt::CaseSensitive) + 1;
}

QString lcase(const QString& s) { return s.toLower(); }
QString ucase(const QString& s) { return s.toUpper(); }

QString replace(const QString& s, const QString& find, const QString& with)
{
    if (find.isEmpty())
        return s;
    QString r = s;
    return r.replace(find, with, Qt::CaseSensitive);
}

QStringList split(const QString& s, const QString& delimiter)
{
    if (s.isEmpty())
        return {};
    if (delimiter.isEmpty())
        return {s};
    return s.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString join(const QStringList& parts, const QString& delimiter) { return parts.join(delimiter); }

QString space(qsizetype n) { return stringOf(n, u' '); }

QString stringOf(qsizetype n, QChar c)
{
    if (n < 0)
        raise(ErrInvalidCall);
    return QString(n, c);
}

// ---- Characters of the ANSI code page ------------------------------------------------------------

Integer asc(const QString& s)
{
    if (s.isEmpty())
        raise(ErrInvalidCall);
    // One character: a surrogate pair stays whole and, having no GBK code, reads as "?".
    const qsizetype n = (s.at(0).isHighSurrogate() && s.size() > 1) ? 2 : 1;
    QStringEncoder enc("GBK");
    const QByteArray b = enc.encode(QStringView(s).left(n));
    if (enc.hasError() || b.isEmpty() || b.size() > 2)
        return Integer('?');
    if (b.size() == 1)
        return Integer(quint8(b.at(0)));
    return Integer(quint16((quint8(b.at(0)) << 8) | quint8(b.at(1))));
}

QString chr(long code)
{
    if (code < -32768 || code > 65535)
        raise(ErrInvalidCall);
    const quint16 u = quint16(code < 0 ? code + 65536 : code);
    QByteArray bytes;
    if (u <= 255)
        bytes.append(char(u));
    else {
        bytes.append(char(u >> 8));
        bytes.append(char(u & 0xFF));
    }
    if (u < 128)
        return QString(QChar(u));
    QStringDecoder dec("GBK");
    QString t = dec.decode(bytes);
    if (dec.hasError() || t.isEmpty() || t.contains(QChar::ReplacementCharacter))
        return QStringLiteral("?");
    return t;
}

// ---- Dates and times ----------------------------------------------------------------------------

namespace {
std::function<QDateTime()>& clockSlot()
{
    static std::function<QDateTime()> c;
    return c;
}
} // namespace

QDateTime now()
{
    const auto& c = clockSlot();
    return c ? c() : QDateTime::currentDateTime();
}

void setClock(std::function<QDateTime()> clock) { clockSlot() = std::move(clock); }

double timer()
{
    const QTime t = now().time();
    return t.msecsSinceStartOfDay() / 1000.0;
}

QString format(const QDateTime& when, const QString& pattern)
{
    struct Token {
        QChar letter; // lower-case pattern letter, or null for literal text
        int count;
        QString text;
    };
    QList<Token> tokens;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        const QChar l = c.toLower();
        if (l == u'y' || l == u'm' || l == u'd' || l == u'h' || l == u'n' || l == u's') {
            qsizetype j = i;
            while (j < pattern.size() && pattern.at(j).toLower() == l)
                ++j;
            tokens.append({l, int(j - i), {}});
            i = j;
        } else if (c == u'\\' && i + 1 < pattern.size()) {
            tokens.append({QChar(), 0, QString(pattern.at(i + 1))});
            i += 2;
        } else if (c == u'"') {
            const qsizetype close = pattern.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            tokens.append({QChar(), 0, pattern.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else {
            tokens.append({QChar(), 0, QString(c)});
            ++i;
        }
    }
    auto neighbourLetter = [&](qsizetype from, int step) {
        for (qsizetype k = from + step; k >= 0 && k < tokens.size(); k += step)
            if (!tokens[k].letter.isNull())
                return tokens[k].letter;
        return QChar();
    };
    const QDate d = when.date();
    const QTime t = when.time();
    auto num = [](int v, int count) {
        return count >= 2 ? QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')) : QString::number(v);
    };
    QString out;
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const Token& tk = tokens[k];
        const char16_t letter = tk.letter.unicode();
        switch (letter) {
        case 0: out += tk.text; break;
        case u'y':
            out += tk.count >= 3 ? QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'))
                 : tk.count == 2 ? num(d.year() % 100, 2)
                                 : QString::number(d.dayOfYear());
            break;
        case u'm':
            if (neighbourLetter(k, -1) == u'h' || neighbourLetter(k, 1) == u's')
                out += num(t.minute(), tk.count);
            else
                out += num(d.month(), tk.count);
            break;
        case u'd': out += num(d.day(), tk.count); break;
        case u'h': out += num(t.hour(), tk.count); break;
        case u'n': out += num(t.minute(), tk.count); break;
        case u's': out += num(t.second(), tk.count); break;
        default: break;
        }
    }
    return out;
}

// ---- Colours -------------------------------------------------------------------------------------

namespace {
// Windows XP's default scheme for the system colour indexes 0 to 30, as red, green, blue.
constexpr unsigned char systemColours[31][3] = {
    {212, 208, 200}, // 0 scroll bar
    {0, 78, 152},    // 1 desktop
    {0, 84, 227},    // 2 active caption
    {122, 150, 223}, // 3 inactive caption
    {255, 255, 255}, // 4 menu
    {255, 255, 255}, // 5 window
    {0, 0, 0},       // 6 window frame
    {0, 0, 0},       // 7 menu text
    {0, 0, 0},       // 8 window text
    {255, 255, 255}, // 9 caption text
    {212, 208, 200}, // 10 active border
    {212, 208, 200}, // 11 inactive border
    {128, 128, 128}, // 12 application workspace
    {49, 106, 197},  // 13 highlight
    {255, 255, 255}, // 14 highlight text
    {236, 233, 216}, // 15 button face
    {172, 168, 153}, // 16 button shadow
    {172, 168, 153}, // 17 grey text
    {0, 0, 0},       // 18 button text
    {216, 228, 248}, // 19 inactive caption text
    {255, 255, 255}, // 20 button highlight
    {113, 111, 100}, // 21 3-D dark shadow
    {241, 239, 226}, // 22 3-D light
    {0, 0, 0},       // 23 tooltip text
    {255, 255, 225}, // 24 tooltip background
    {181, 181, 181}, // 25 (unused index)
    {0, 0, 128},     // 26 hot-tracked item
    {61, 149, 255},  // 27 active caption gradient
    {157, 185, 235}, // 28 inactive caption gradient
    {49, 106, 197},  // 29 menu highlight
    {236, 233, 216}, // 30 menu bar
};
constexpr quint32 systemBase = 0x80000000u;
} // namespace

bool isColour(Long number)
{
    const quint32 u = quint32(number);
    return u <= 0xFFFFFFu || (u >= systemBase && u <= systemBase + 30);
}

QColor bgr(Long number)
{
    if (!isColour(number))
        raise(ErrInvalidPropertyValue);
    const quint32 u = quint32(number);
    if (u >= systemBase) {
        const unsigned char* c = systemColours[u - systemBase];
        return QColor(c[0], c[1], c[2]);
    }
    return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
}

Long bgrNumber(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return Long(c.red() | (c.green() << 8) | (c.blue() << 16));
}

// ---- Random numbers ------------------------------------------------------------------------------

namespace {
// The runtime's generator: a 24-bit linear congruential sequence.
quint32 randomState = 0x50000;
} // namespace

float rnd()
{
    randomState = (randomState * 1140671485u + 12820163u) & 0xFFFFFFu;
    return float(randomState) / float(0x1000000);
}

void randomizeWith(double seed)
{
    // The seed's upper bytes folded into the middle of the state, as the runtime folds them; the
    // low byte starts afresh so that one seed always gives one sequence.
    quint64 bits;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    const quint32 hi = quint32(bits >> 32);
    const quint32 mix = (hi ^ (hi >> 16)) & 0xFFFF;
    randomState = (mix << 8) & 0xFFFFFFu;
}

void randomize() { randomizeWith(timer()); }

} // namespace vb
