#include "encoder.h"

#include "platform/textfile.h"

#include <cmath>
#include <stdexcept>

namespace sample {

namespace {

[[noreturn]] void fail(const QString& what)
{
    throw std::invalid_argument(what.toStdString());
}

QString digits(int value, int width, const char* field)
{
    if (value < 0 || QString::number(value).size() > width)
        fail(QStringLiteral("%1: %2 does not fit %3 digits").arg(QLatin1String(field)).arg(value).arg(width));
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString fixed(const QString& text, int width, const char* field)
{
    if (text.size() != width)
        fail(QStringLiteral("%1: \"%2\" is not %3 characters").arg(QLatin1String(field), text).arg(width));
    return text;
}

QString box(const std::optional<Box>& b, const char* field)
{
    if (!b)
        return QString(20, QLatin1Char('0'));
    return digits(b->left, 5, field) + digits(b->top, 5, field) + digits(b->width, 5, field)
        + digits(b->height, 5, field);
}

QString pointerSpec(const QString& code, const char* field)
{
    if (code.isEmpty())
        return QStringLiteral("00000");
    if (!code.startsWith(QLatin1Char('S')) && !code.startsWith(QLatin1Char('M')))
        fail(QStringLiteral("%1: \"%2\" must begin with S or M").arg(QLatin1String(field), code));
    return fixed(code, 5, field);
}

QString plane(const Plane& p, const char* field)
{
    QString place = p.shown ? digits(p.left, 5, field) + digits(p.top, 5, field) : QString(10, QLatin1Char('0'));
    return place + fixed(p.picture, 6, field);
}

} // namespace

QString encodeRecord(const OpRecord& r)
{
    if (r.textBox && (r.key || !r.hotPointer.isEmpty() || !r.dragPointer.isEmpty()))
        fail(QStringLiteral("a shown text box leaves no room for a key override or pointer codes"));

    QString line;
    line.reserve(196);
    line += fixed(r.lead, 5, "lead");
    line += r.dragOnly ? QStringLiteral("EE") : QStringLiteral("00");
    line += fixed(r.code, 4, "code");
    line += fixed(r.formPicture, 6, "form picture");
    line += plane(r.planes[0], "Image1");
    line += plane(r.planes[1], "Image2");
    line += plane(r.planes[2], "Image3");
    line += box(r.hotSpot, "hot spot");
    if (r.textBox) {
        line += box(r.textBox, "text box");
    } else {
        if (r.key)
            line += QStringLiteral("P0") + digits(r.key->shift, 1, "key shift") + digits(r.key->key, 2, "key number");
        else
            line += QStringLiteral("00000");
        line += QStringLiteral("00000");
        line += pointerSpec(r.hotPointer, "hot-spot pointer");
        line += pointerSpec(r.dragPointer, "drag pointer");
    }
    line += digits(r.initialText, 3, "initial text");
    line += digits(r.answerText, 3, "answer text");
    line += r.hint ? digits(r.hint->x(), 5, "hint") + digits(r.hint->y(), 5, "hint") : QString(10, QLatin1Char('0'));
    line += digits(r.hintText, 3, "hint text");
    line += fixed(r.shared, 10, "shared block");
    line += plane(r.planes[3], "Image4");
    line += plane(r.planes[4], "Image5");
    line += digits(r.dragBound.x(), 5, "drag bound") + digits(r.dragBound.y(), 5, "drag bound");
    line += box(r.secondHotSpot, "second hot spot");
    return line;
}

QString menuChoice(int set, int row, int subRow)
{
    return digits(set, 1, "menu set") + digits(row, 2, "menu row") + digits(subRow, 2, "submenu row")
        + QStringLiteral("00000");
}

QString popupPosition(int x, int y)
{
    if (y <= 0)
        fail(QStringLiteral("a popup position needs y above 0"));
    return digits(x, 5, "popup x") + digits(y, 5, "popup y");
}

QChar tabDigit(int tab)
{
    if (tab >= 1 && tab <= 9)
        return QChar(u'0' + tab);
    if (tab >= 10 && tab <= 13)
        return QChar(u'A' + (tab - 10));
    fail(QStringLiteral("tab %1 has no tab digit").arg(tab));
}

QString tabSpec(QChar layout, int current, int target, int plane, const QString& head)
{
    if (layout < QLatin1Char('A') || layout > QLatin1Char('J'))
        fail(QStringLiteral("tab layout %1 is not A to J").arg(layout));
    return fixed(head, 5, "tab head") + QLatin1Char('X') + layout + tabDigit(current) + tabDigit(target)
        + digits(plane, 1, "tab plane");
}

QString backMark(int steps)
{
    return QStringLiteral("Q000") + digits(steps, 1, "back steps");
}

QString fontSpec(int sizeTimesTen, int style, int font, int textColour, int backColour)
{
    return QStringLiteral("0") + digits(sizeTimesTen, 3, "font size") + QStringLiteral("00")
        + digits(style, 1, "font style") + digits(font, 1, "font") + digits(textColour, 1, "text colour")
        + digits(backColour, 1, "back colour");
}

QString encodeQuestionLine(int questionId, int blockLength, const QString& text)
{
    return digits(questionId, 4, "question id") + digits(blockLength, 2, "block length") + text;
}

QString pictureQuestionText(const QString& picture, const QString& text)
{
    return QStringLiteral("picture") + fixed(picture, 6, "question picture") + text;
}

QString encodeTextLine(int n, const QString& text)
{
    return digits(n, 3, "text line") + text;
}

QString encodeNumberLine(const QString& text)
{
    QString out;
    for (QChar c : text) {
        const QByteArray bytes = platform::encodeGbk(QString(c));
        if (bytes.size() == 1 && c.unicode() < 128) {
            out += QString::number(500000 + c.unicode());
        } else if (bytes.size() == 2 && platform::decodeGbk(bytes) == QString(c)) {
            const int code = (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]);
            out += QString::number(200000 + (code - 65536));  // the signed 16-bit form
        } else {
            fail(QStringLiteral("character U+%1 has no GBK code").arg(c.unicode(), 4, 16, QLatin1Char('0')));
        }
    }
    return out;
}

QString decodeNumberLine(const QString& line)
{
    QByteArray bytes;
    for (int i = 0; i < line.size(); i += 6) {
        const QString group = line.mid(i, 6).trimmed();
        // The leading number of the group, as a whole number.
        int end = 0;
        while (end < group.size() && (group[end].isDigit() || (end == 0 && (group[0] == u'-' || group[0] == u'+'))))
            ++end;
        bool ok = false;
        const long v = group.left(end).toLong(&ok);
        if (!ok || v == 0)
            continue;
        const long code = v > 500000 ? v - 500000 : v - 200000;
        if (code < -32768 || code > 65535)
            continue;
        if (code >= 0 && code <= 255) {
            bytes += static_cast<char>(code);
        } else {
            const long u = code < 0 ? code + 65536 : code;
            bytes += static_cast<char>((u >> 8) & 0xFF);
            bytes += static_cast<char>(u & 0xFF);
        }
    }
    return platform::decodeGbk(bytes);
}

} // namespace sample
