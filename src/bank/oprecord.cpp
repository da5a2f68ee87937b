#include "bank/oprecord.h"

#include "bank/value.h"
#include "platform/textfile.h"

#include <array>

namespace bank {

int keyCodeOfNumber(int n)
{
    if (n == 9)
        n = 119;
    if (n <= 20)
        n += 100;
    if (n == 113)
        n = 13;
    if (n == 103)
        n = 113;
    if (n == 91)
        n = 191;
    if (n == 99)
        n = 190;
    return n;
}

int tabDigit(QChar c)
{
    if (c >= u'1' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'D')
        return c.unicode() - u'A' + 10;
    return 0;
}

// --- OpCode ---------------------------------------------------------------------------------

OpCode::OpCode(QString text) : m_text(std::move(text)), m_value(toInt16(runValue(m_text))) {}

StepKind OpCode::kind() const
{
    const int c = m_value;
    if (isEnd())
        return StepKind::End;
    if (c / 1000 == 9)
        return StepKind::Button;
    if (c / 1000 == 6)
        return StepKind::Key;
    if (c / 1000 == 3 || c / 1000 == 4)
        return StepKind::Popup;
    if (c == 7000)
        return StepKind::MenuBar;
    if (c == 8888)
        return StepKind::Timed;
    if (pictureDragDirection())
        return StepKind::PictureDrag;
    if (c == 2000 || c / 1000 == 5)
        return StepKind::DemoClick;
    if (m_text.startsWith(u'T'))
        return StepKind::ClickInPlace;
    if (m_text.startsWith(u"004"))
        return StepKind::RubberBand;
    if (m_text.startsWith(u"005"))
        return StepKind::Drag;
    // The typing judges and the hover judge compare the code as four characters.
    static constexpr std::array<std::pair<QStringView, StepKind>, 8> byText{{
        {u"0020", StepKind::Typing},
        {u"0021", StepKind::Rename},
        {u"0023", StepKind::Selection},
        {u"0024", StepKind::TypingEnter},
        {u"0025", StepKind::ExactTyping},
        {u"0027", StepKind::SecondBox},
        {u"0030", StepKind::Hover},
        {u"0026", StepKind::TypeThenClick},
    }};
    for (const auto& [text, kind] : byText)
        if (m_text == text)
            return kind;
    switch (c) {
    case 1: return StepKind::Click;
    case 2: return StepKind::DoubleClick;
    case 3: return StepKind::RightClick;
    case 26: return StepKind::TypeThenClick;
    default: return StepKind::Unknown;
    }
}

std::optional<ButtonStep> OpCode::buttonStep() const
{
    const int c = m_value;
    if (c / 1000 != 9 || c == 9999)
        return std::nullopt;
    return ButtonStep{c % 100, (c % 1000) / 100};
}

std::optional<PopupStep> OpCode::popupStep() const
{
    const int c = m_value;
    if (c / 1000 != 3 && c / 1000 != 4)
        return std::nullopt;
    return PopupStep{c / 1000 == 3 ? 1 : 2, (c / 100) % 10, (c / 10) % 10, c % 10};
}

std::optional<int> OpCode::dragShift() const
{
    if (!m_text.startsWith(u"004") && !m_text.startsWith(u"005"))
        return std::nullopt;
    return digitValue(m_text.size() > 3 ? m_text.at(3) : QChar());
}

std::optional<int> OpCode::pictureDragDirection() const
{
    const int c = m_value;
    if (c < 8001 || c > 8009 || c == 8005)
        return std::nullopt;
    return c - 8000;
}

// --- pieces -------------------------------------------------------------------------------

int TextRef::number() const { return toInt16(runValue(digits)); }

std::optional<int> PointerSpec::pointer() const
{
    if (kind == Kind::Standard && (number < 0 || number > 15))
        return std::nullopt;
    return number;
}

QString PointerSpec::cursorFileName() const
{
    if (kind != Kind::Custom || cursorDigits.contains(u'/') || cursorDigits.contains(u'\\'))
        return {};
    return QStringLiteral("ico") + cursorDigits + QStringLiteral(".CUR");
}

Answers splitAnswers(const QString& answerText)
{
    const qsizetype bar = answerText.indexOf(u'|');
    if (bar < 0)
        return {answerText, answerText};
    return {answerText.left(bar), answerText.mid(bar + 1)};
}

// --- OpRecord -------------------------------------------------------------------------------

QStringView OpRecord::runView(int a, int b) const
{
    if (a < 1)
        a = 1;
    if (b < a || a > m_line.size())
        return {};
    const qsizetype len = qMin<qsizetype>(b - a + 1, m_line.size() - (a - 1));
    return QStringView(m_line).mid(a - 1, len);
}

QString OpRecord::run(int a, int b) const { return runView(a, b).toString(); }

QChar OpRecord::col(int a) const
{
    return (a >= 1 && a <= m_line.size()) ? m_line.at(a - 1) : QChar();
}

double OpRecord::value(int a, int b) const { return runValue(runView(a, b)); }
qint16 OpRecord::int16(int a, int b) const { return toInt16(value(a, b)); }
qint32 OpRecord::int32(int a, int b) const { return toInt32(value(a, b)); }
int OpRecord::coord(int a, int b) const { return toCoord(value(a, b)); }

std::optional<Plane> OpRecord::plane(int k) const
{
    // left column of the position pair, picture column
    static constexpr std::array<std::pair<int, int>, 6> cols{
        {{0, 12}, {18, 28}, {34, 44}, {50, 60}, {135, 145}, {151, 161}}};
    if (k < 0 || k >= int(cols.size()))
        return std::nullopt;
    const auto [pos, pic] = cols[k];
    Plane p;
    p.picture = run(pic, pic + 5);
    if (pos > 0) {
        p.hidden = isHiddenMark(pos);
        p.left = coord(pos, pos + 4);
        p.top = coord(pos + 5, pos + 9);
    }
    return p;
}

TwipRect OpRecord::hotSpot() const
{
    return {coord(66, 70), coord(71, 75), coord(76, 80), coord(81, 85)};
}

TwipRect OpRecord::textBox() const
{
    return {coord(86, 90), coord(91, 95), coord(96, 100), coord(101, 105)};
}

TwipRect OpRecord::secondHotSpot() const
{
    return {coord(177, 181), coord(182, 186), coord(187, 191), coord(192, 196)};
}

std::optional<KeyStep> OpRecord::keyStep() const
{
    const qint16 c = opCode().value();
    if (keyOverride()) {
        const int number = int16(89, 90);
        return KeyStep{int16(88, 88), number, keyCodeOfNumber(number)};
    }
    if (c / 1000 != 6)
        return std::nullopt;
    return KeyStep{(c % 1000) / 100, c % 100, keyCodeOfNumber(c % 100)};
}

PointerSpec OpRecord::pointerAt(int a, bool anyLetterIsCustom) const
{
    PointerSpec p;
    const QChar letter = col(a);
    p.cursorDigits = run(a + 3, a + 4);
    if (letter == u'S') {
        p.kind = PointerSpec::Kind::Standard;
        p.number = int16(a + 3, a + 4);
    } else if (letter == u'M' || anyLetterIsCustom) {
        p.kind = PointerSpec::Kind::Custom;
        p.number = 99;
    }
    return p;
}

PointerSpec OpRecord::hotSpotPointer() const { return pointerAt(96, false); }
PointerSpec OpRecord::dragPointer() const { return pointerAt(101, false); }
PointerSpec OpRecord::secondHotSpotPointer() const { return pointerAt(101, true); }

FontSpec OpRecord::fontSpec() const
{
    FontSpec f;
    const double size = value(126, 128) / 10;
    if (size == 0)
        f.points = 9;
    else if (size > 0)
        f.points = size;

    const int style = digitValue(col(131));
    if (style <= 7) {
        f.bold = (style & 1) != 0;
        f.italic = (style & 2) != 0;
        f.underline = (style & 4) != 0;
    }
    static constexpr std::array<QStringView, 5> families{
        u"宋体", u"Times New Roman", u"黑体", u"楷体_GB2312", u"隶书"};
    if (const int font = digitValue(col(132)); font < int(families.size()))
        f.family = families[font].toString();
    static constexpr std::array<quint32, 3> textColours{0x000000, 0xFF0000, 0x0000FF};
    if (const int t = digitValue(col(133)); t < int(textColours.size()))
        f.textColour = textColours[t];
    // 0 white, 1 blue, 2 red, 3 light grey, 4 none, 5-9 the pale colours and yellow
    static constexpr std::array<std::optional<quint32>, 10> backColours{
        0xFFFFFF, 0xFF0000, 0x0000FF, 0xC0C0C0, std::nullopt,
        0xD7FFFF, 0xE3E0BA, 0x00FFFF, 0xE3E0BB, 0xA8A8FF};
    f.backColour = backColours[digitValue(col(134))];
    return f;
}

bool OpRecord::menuBarLive() const
{
    return !isHiddenMark(125) && value(125, 134) != 0;
}

MenuChoice OpRecord::menuChoice() const
{
    MenuChoice m;
    m.code = int32(125, 129);
    m.set = int16(125, 125);
    m.row = int16(126, 127);
    m.hasSubRow = runView(128, 129) != u"00";
    m.subRow = m.hasSubRow ? int16(128, 129) : 0;
    return m;
}

QString OpRecord::backMark() const
{
    return col(125) == u'Q' ? run(125, 129) : kNoBackMark.toString();
}

int OpRecord::backSteps() const
{
    const QString mark = backMark();
    if (!mark.startsWith(u'Q'))
        return 1;
    const int n = digitValue(mark.back());
    return n == 0 ? 1 : n;
}

bool OpRecord::menuBarFrame() const
{
    return value(125, 129) > 0 && runView(125, 129) != u"11111" && runView(130, 134) == u"00000";
}

std::optional<TabSpec> OpRecord::tabSpec() const
{
    if (!hasTabSpec())
        return std::nullopt;
    return TabSpec{col(131), tabDigit(col(132)), tabDigit(col(133)), int16(134, 134)};
}

// --- files ----------------------------------------------------------------------------------

namespace {
// Line n read from the top; n below 1 reads the whole file and gives its last line.
std::optional<QString> lineFromTop(const QString& path, int n)
{
    if (n < 1) {
        const auto lines = platform::readAllLines(path);
        if (!lines)
            return std::nullopt;
        return lines->isEmpty() ? QString() : lines->last();
    }
    const platform::LineRead r = platform::readLineN(path, n);
    if (!r.readable())
        return std::nullopt;
    return r.text;
}
} // namespace

std::optional<QString> readOpRecord(const QString& opFile, int lineNo)
{
    return lineFromTop(opFile, lineNo);
}

QString operationText(const QString& opTextFile, int n)
{
    const auto line = lineFromTop(opTextFile, n);
    return line ? line->mid(3) : QString();
}

QString operationText(const QString& opTextFile, const TextRef& ref)
{
    return ref.none() ? QString() : operationText(opTextFile, ref.number());
}

} // namespace bank
