#pragma once
// Operation records for tests, written column by column. A fresh record is 196 zeros: no plane
// placed, no hot spot, no text box, hint not placed, no second hot spot, shared block off.

#include <QString>

namespace testrec {

class Record {
public:
    explicit Record(const QString& code = QStringLiteral("0001")) : m_line(196, QLatin1Char('0'))
    {
        put(8, code);
        put(12, QStringLiteral("888888"));
    }

    // Writes text from column col on (columns from 1), growing the line when needed.
    Record& put(int col, const QString& text)
    {
        const int end = col - 1 + int(text.size());
        if (m_line.size() < end)
            m_line += QString(end - m_line.size(), QLatin1Char('0'));
        m_line.replace(col - 1, text.size(), text);
        return *this;
    }
    Record& num(int col, int value, int width = 5)
    {
        return put(col, QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')));
    }

    Record& form(const QString& pic) { return put(12, pic); }
    // Planes 1-5 at their columns.
    Record& plane(int k, int left, int top, const QString& pic)
    {
        const int c = planeCol(k);
        return num(c, left).num(c + 5, top).put(c + 10, pic);
    }
    Record& planeHidden(int k, const QString& pic = QStringLiteral("000000"))
    {
        const int c = planeCol(k);
        return put(c, QStringLiteral("0000000000")).put(c + 10, pic);
    }
    Record& hotSpot(int l, int t, int w, int h) { return num(66, l).num(71, t).num(76, w).num(81, h); }
    Record& textBox(int l, int t, int w, int h) { return num(86, l).num(91, t).num(96, w).num(101, h); }
    Record& pointer(const QString& spec) { return put(96, spec); }
    Record& initialText(int ref) { return num(106, ref, 3); }
    Record& answer(int ref) { return num(109, ref, 3); }
    Record& hint(int l, int t, int ref) { return num(112, l).num(117, t).num(122, ref, 3); }
    Record& hintRef(int ref) { return num(122, ref, 3); }
    Record& shared(const QString& tenChars) { return put(125, tenChars); }
    Record& dragBound(int x, int y) { return num(167, x).num(172, y); }
    Record& second(int l, int t, int w, int h) { return num(177, l).num(182, t).num(187, w).num(192, h); }

    const QString& line() const { return m_line; }
    operator QString() const { return m_line; }

private:
    static int planeCol(int k)
    {
        switch (k) {
        case 1: return 18;
        case 2: return 34;
        case 3: return 50;
        case 4: return 135;
        default: return 151;
        }
    }
    QString m_line;
};

} // namespace testrec
