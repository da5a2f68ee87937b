#include "validate.h"

#include "bank/oprecord.h"
#include "encoder.h"
#include "platform/textfile.h"
#include "tables.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMap>
#include <QSet>

#include <optional>

namespace sample {

namespace {

QStringList readLines(const QString& path, bool* ok = nullptr)
{
    const auto lines = platform::readAllLines(path);
    if (ok)
        *ok = lines.has_value();
    return lines.value_or(QStringList());
}

// Twip rectangles with a point in common, edges included (a spot of no size is its corner).
bool overlap(const bank::TwipRect& a, const bank::TwipRect& b)
{
    return a.left <= b.left + b.width && b.left <= a.left + a.width && a.top <= b.top + b.height
        && b.top <= a.top + a.height;
}

// The question panel docks at the bottom-right corner of the 12000 x 9000 twip surface, 4980 x
// 3630 twips large; what lies wholly under it cannot be reached without collapsing the panel.
constexpr bank::TwipRect kDockedPanel{12000 - 4980, 9000 - 3630, 4980, 3630};

bool underDockedPanel(const bank::TwipRect& r)
{
    const bank::TwipRect& p = kDockedPanel;
    return r.left >= p.left && r.top >= p.top && r.left + r.width <= p.left + p.width && r.top + r.height <= p.top + p.height;
}

class Validator {
public:
    explicit Validator(const QString& programFolder) : m_program(programFolder) {}

    QStringList run();

private:
    QDir m_program;
    QDir m_data;
    QStringList m_problems;
    QStringList m_texts;       // operation-text file
    QStringList m_menu;        // sMenu.sys
    QMap<QString, bool> m_pictures;
    QString m_where;           // place of the record being checked

    void problem(const QString& p) { m_problems << (m_where.isEmpty() ? p : m_where + QStringLiteral(": ") + p); }

    bool pictureOk(const QString& path)
    {
        auto it = m_pictures.find(path);
        if (it == m_pictures.end()) {
            QImageReader reader(path);
            it = m_pictures.insert(path, QFile::exists(path) && reader.canRead());
        }
        return it.value();
    }

    void needPicture(const QString& id)
    {
        if (!pictureOk(m_data.filePath(id + QStringLiteral(".mxy"))))
            problem(QStringLiteral("picture %1 is missing or unreadable").arg(id));
    }

    void needText(const bank::TextRef& ref, const char* what)
    {
        if (ref.none())
            return;
        if (ref.number() < 1 || ref.number() > m_texts.size())
            problem(QStringLiteral("%1 text %2 is not a line of the operation-text file").arg(QLatin1String(what), ref.digits));
    }

    void needCursor(const bank::PointerSpec& field)
    {
        if (field.kind != bank::PointerSpec::Kind::Custom)
            return;
        const QString name = field.cursorFileName();
        if (name.isEmpty() || !QFile::exists(m_program.filePath(name)))
            problem(QStringLiteral("cursor file for \"%1\" is missing").arg(field.cursorDigits));
    }

    // Text of a reference, "" for "000".
    QString text(const bank::TextRef& ref) const
    {
        return ref.none() ? QString() : m_texts.value(ref.number() - 1).mid(3);
    }
    // Whether the box text already matches the step's answer, as the typing judges compare.
    bool answered(const bank::OpRecord& r, const QString& box) const
    {
        const QString answer = text(r.answerText());
        const bool whole = r.opCode().kind() == bank::StepKind::Rename || r.opCode().kind() == bank::StepKind::SecondBox;
        const int bar = answer.indexOf(QLatin1Char('|'));
        QStringList accepted = whole || bar < 0 ? QStringList{answer} : QStringList{answer.left(bar), answer.mid(bar + 1)};
        const bool exact = r.opCode().kind() == bank::StepKind::ExactTyping;
        for (const QString& a : accepted)
            if (exact ? box.trimmed() == a.trimmed() : box.trimmed().toLower() == a.trimmed().toLower())
                return true;
        return false;
    }

    void checkModule();
    int checkLayout(QVector<int>& counts, int& paperMix, QStringList& papers);
    void checkUnit(int unit, int count);
    void checkRecord(const bank::OpRecord& r);
    void checkRestOfGesture(const bank::OpRecord& before, const bank::OpRecord& r);
    void checkPopup(const bank::OpRecord& r);
    void checkMenuChoice(const bank::OpRecord& r);
    void checkTabStep(const bank::OpRecord& r);
    void checkPictureDrag(const bank::OpRecord& r);
};

QStringList Validator::run()
{
    checkModule();
    if (!m_problems.isEmpty())
        return m_problems;
    bool ok = false;
    m_texts = readLines(m_data.filePath(QStringLiteral("288890.mxy")), &ok);
    if (!ok)
        problem(QStringLiteral("operation-text file 288890 is missing"));
    for (int i = 0; i < m_texts.size(); ++i)
        if (m_texts[i].left(3) != QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')))
            problem(QStringLiteral("operation-text line %1 does not carry its number").arg(i + 1));
    m_menu = readLines(m_program.filePath(QStringLiteral("sMenu.sys")), &ok);
    if (!ok || m_menu.size() != 270)
        problem(QStringLiteral("sMenu.sys has %1 lines, not 270").arg(m_menu.size()));

    QVector<int> counts;
    int paperMix = 0;
    QStringList papers;
    const int units = checkLayout(counts, paperMix, papers);
    for (int u = 0; u < units; ++u)
        checkUnit(u, counts.value(u));
    for (int p = 0; p < paperMix; ++p) {
        m_where = QStringLiteral("paper %1").arg(p);
        const QString ids = papers.value(p);
        if (ids.size() != 160)
            problem(QStringLiteral("has %1 characters, not 40 ids").arg(ids.size()));
        QSet<QString> seen;
        for (int i = 0; i + 4 <= ids.size(); i += 4) {
            const QString id = ids.mid(i, 4);
            const int u = id.left(2).toInt(), n = id.mid(2).toInt();
            if (seen.contains(id))
                problem(QStringLiteral("names %1 twice").arg(id));
            seen.insert(id);
            if (u >= units || n < 1 || n > counts.value(u))
                problem(QStringLiteral("names %1, which is no question").arg(id));
        }
    }
    m_where.clear();

    // Pictures of the drawn menu bar.
    const QDir pics(m_program.filePath(QStringLiteral("examdata")));
    for (int set = 1; set <= 9; ++set) {
        QStringList names = {hoveredTitlePicture(set), openTitlePicture(set), dropDownPicture(set)};
        for (int r = 1; r <= rowCount(dropGroups(set)); ++r)
            names << dropRowPicture(set, r);
        for (const Submenu& s : submenus(set)) {
            names << submenuPicture(set, s.ordinal);
            for (int t = 1; t <= s.rowCount(); ++t)
                names << submenuRowPicture(set, s.ordinal, t);
        }
        for (const QString& n : names)
            if (!pictureOk(pics.filePath(n)))
                problem(QStringLiteral("menu picture %1 is missing").arg(n));
    }
    // Page pictures of every tab layout.
    for (QChar letter = u'A'; letter <= u'J'; letter = QChar(letter.unicode() + 1))
        for (const QString& page : parseLayout(surfaceLayoutString(letter)).pages)
            needPicture(page);
    for (const QString& page : parseLayout(demoLayoutAString()).pages)
        needPicture(page);
    for (int k = 0; k < 5; ++k)
        if (!QFile::exists(m_data.filePath(QStringLiteral("l3818%1.mxy").arg(k))))
            problem(QStringLiteral("help page l3818%1 is missing").arg(k));
    if (!QFile::exists(m_program.filePath(QStringLiteral("ico00.CUR"))))
        problem(QStringLiteral("cursor file ico00.CUR is missing"));
    const QString version = platform::readLine1(m_data.filePath(QStringLiteral("288895.mxy"))).text.trimmed();
    if (version.size() != 12 || !version.startsWith(QLatin1String("20")))
        problem(QStringLiteral("bank version \"%1\" is not YYYYMMDDHHMM").arg(version));
    const QString flag = platform::readLine1(m_data.filePath(QStringLiteral("288892.mxy"))).text;
    if (flag != u"0" && flag != u"1")
        problem(QStringLiteral("first-run flag is \"%1\"").arg(flag));
    for (const char* seed : {"288893", "288891", "288892", "288862", "288872", "288863", "288873", "288890", "170100"})
        if (!QFile::exists(m_program.filePath(QStringLiteral("ksdata/%1.mxy").arg(QLatin1String(seed)))))
            problem(QStringLiteral("user folder file %1 is missing").arg(QLatin1String(seed)));
    return m_problems;
}

void Validator::checkModule()
{
    bool ok = false;
    const QStringList ver = readLines(m_program.filePath(QStringLiteral("ver.txt")), &ok);
    if (!ok || ver.size() < 5) {
        problem(QStringLiteral("ver.txt is missing or shorter than 5 lines"));
        return;
    }
    for (int i = 0; i < ver.size(); ++i) {
        const QString text = decodeNumberLine(ver[i]);
        if (text.isEmpty() || text.contains(QChar::ReplacementCharacter) || encodeNumberLine(text) != ver[i])
            problem(QStringLiteral("ver.txt line %1 does not decode cleanly").arg(i + 1));
    }
    bool numeric = false;
    decodeNumberLine(ver[3]).toInt(&numeric);
    if (!numeric)
        problem(QStringLiteral("ver.txt line 4 is not a product number"));
    m_data = QDir(m_program.filePath(decodeNumberLine(ver[2]).trimmed()));
    if (!m_data.exists())
        problem(QStringLiteral("data folder \"%1\" named by ver.txt is missing").arg(decodeNumberLine(ver[2])));
    if (!QDir(m_program.filePath(QStringLiteral("ksdata"))).exists())
        problem(QStringLiteral("user folder ksdata is missing"));
    const QStringList settings = readLines(m_data.filePath(QStringLiteral("288901.mxy")), &ok);
    if (!ok || settings.size() > 41)
        problem(QStringLiteral("settings override file 288901 is missing or longer than 41 lines"));
    for (int i = 0; i < settings.size(); ++i)
        if (encodeNumberLine(decodeNumberLine(settings[i])) != settings[i])
            problem(QStringLiteral("settings override line %1 does not decode cleanly").arg(i + 1));
}

int Validator::checkLayout(QVector<int>& counts, int& paperMix, QStringList& papers)
{
    bool ok = false;
    const QStringList lines = readLines(m_data.filePath(QStringLiteral("288891.mxy")), &ok);
    if (!ok || lines.size() < 2) {
        problem(QStringLiteral("bank layout file 288891 is missing or short"));
        return 0;
    }
    const QString head = lines[0].trimmed();
    paperMix = head.left(2).toInt();
    const int units = head.mid(2, 2).toInt();
    if (units < 1 || units > 20)
        problem(QStringLiteral("bank layout names %1 units").arg(units));
    for (int i = 0; i + 2 <= lines[1].size(); i += 2)
        counts << lines[1].mid(i, 2).toInt();
    if (counts.size() < units)
        problem(QStringLiteral("bank layout line 2 counts %1 units, not %2").arg(counts.size()).arg(units));
    for (int u = 0; u < units; ++u)
        if (counts.value(u) < 1 || counts.value(u) > 42)
            problem(QStringLiteral("unit %1 has %2 questions").arg(u).arg(counts.value(u)));
    papers = lines.mid(2);
    if (papers.size() < paperMix)
        problem(QStringLiteral("bank layout lists %1 papers, not %2").arg(papers.size()).arg(paperMix));
    return units;
}

void Validator::checkUnit(int unit, int count)
{
    const QString textName = QStringLiteral("2888%1.mxy").arg(70 + unit);
    const QString opName = QStringLiteral("2888%1.mxy").arg(20 + unit);
    bool ok1 = false, ok2 = false;
    const QStringList questions = readLines(m_data.filePath(textName), &ok1);
    const QStringList records = readLines(m_data.filePath(opName), &ok2);
    if (!ok1 || !ok2) {
        problem(QStringLiteral("unit %1: file pair %2 / %3 is missing").arg(unit).arg(opName, textName));
        return;
    }
    if (questions.size() != count)
        problem(QStringLiteral("unit %1: %2 question lines, the bank layout counts %3").arg(unit).arg(questions.size()).arg(count));
    int line = 0;
    for (int q = 0; q < questions.size(); ++q) {
        const QString& t = questions[q];
        m_where = QStringLiteral("question %1").arg(unit * 100 + q + 1, 4, 10, QLatin1Char('0'));
        const int length = t.mid(4, 2).toInt();
        if (length < 1)
            problem(QStringLiteral("has no records"));
        const QString text = t.mid(6);
        if (text.trimmed().isEmpty())
            problem(QStringLiteral("has no text"));
        if (text.startsWith(QLatin1String("picture")))
            needPicture(text.mid(7, 6));
        std::optional<bank::OpRecord> previous;
        for (int s = 0; s < length; ++s) {
            m_where = QStringLiteral("question %1 step %2 (%3 line %4)")
                          .arg(unit * 100 + q + 1, 4, 10, QLatin1Char('0')).arg(s + 1).arg(opName).arg(line + 1);
            if (line >= records.size()) {
                problem(QStringLiteral("block runs beyond the end of the operation file"));
                break;
            }
            const bank::OpRecord r(records[line++]);
            if (r.line().size() < 196)
                problem(QStringLiteral("record has %1 characters, fewer than 196").arg(r.line().size()));
            const bool last = s == length - 1;
            if (r.opCode().isEnd() != last)
                problem(last ? QStringLiteral("block does not end with 9999") : QStringLiteral("9999 before the end of the block"));
            checkRecord(r);
            if (previous)
                checkRestOfGesture(*previous, r);
            previous = r;
        }
    }
    m_where.clear();
    if (line != records.size())
        problem(QStringLiteral("%1 has %2 records, the blocks take %3").arg(opName).arg(records.size()).arg(line));
}

// A step completed part way through a gesture leaves the rest of it (the release, the second
// release of a double click) to the judges under the next step's record. The hot spot keeps the
// mouse from its press, so its release is judged wherever the pointer then is; the second hot spot
// judges its release by the place, against the next step's hot spot.
void Validator::checkRestOfGesture(const bank::OpRecord& before, const bank::OpRecord& r)
{
    using K = bank::StepKind;
    const K was = before.opCode().kind();
    const K kind = r.opCode().kind();
    if (was == K::DoubleClick && kind == K::Click)
        problem(QStringLiteral("a click step after a double-click step is completed by the double click itself"));
    // Button steps and right clicks are completed on the press of the hot spot.
    const auto button = before.opCode().buttonStep();
    if (button && button->button == 1 && kind == K::Click)
        problem(QStringLiteral("a click step after a left-button step is completed by the release of the same click"));
    if ((button || was == K::RightClick) && kind == K::TypeThenClick && answered(r, text(r.initialText())))
        problem(QStringLiteral("a type-then-click step whose box already answers it is completed by the release "
                               "of the click before"));
    // A left press on the second hot spot completes a step without the drag-only mark.
    if (before.secondHotSpotPlaced() && !before.dragOnly() && (kind == K::Drag || kind == K::RubberBand)
        && !r.hotSpotHidden() && overlap(before.secondHotSpot(), r.hotSpot()))
        problem(QStringLiteral("the hot spot of this drag covers the second hot spot of the step before: "
                               "the release of its press completes it"));
}

void Validator::checkRecord(const bank::OpRecord& r)
{
    for (int k = 0; k <= 5; ++k) {
        const auto p = r.plane(k);
        if (p && !p->keep() && !p->hidden)
            needPicture(p->picture);
    }
    needText(r.initialText(), "initial");
    needText(r.answerText(), "answer");
    needText(r.hintText(), "hint");
    if (!r.textBoxShown())
        needCursor(r.hotSpotPointer());
    needCursor(r.dragPointer());

    const bank::OpCode code = r.opCode();
    const bank::StepKind kind = code.kind();
    const bool hot = !r.hotSpotHidden();
    const bank::TwipRect h = r.hotSpot();
    if (hot && (h.left + h.width > 12000 || h.top + h.height > 9000))
        problem(QStringLiteral("hot spot lies beyond the surface"));
    if (hot && underDockedPanel(h))
        problem(QStringLiteral("hot spot lies under the docked question panel"));
    if (r.secondHotSpotPlaced() && underDockedPanel(r.secondHotSpot()))
        problem(QStringLiteral("second hot spot lies under the docked question panel"));
    if (r.hintPlaced() && (r.hintLeft() >= 12000 || r.hintTop() >= 9000))
        problem(QStringLiteral("hint lies beyond the surface"));
    using K = bank::StepKind;
    switch (kind) {
    case K::Click:
    case K::DoubleClick:
    case K::RightClick:
    case K::Button:
    case K::Hover:
        if (!hot || h.width <= 0 || h.height <= 0)
            problem(QStringLiteral("needs a hot spot to act on"));
        break;
    case K::Key:
        if (r.textBoxShown())
            problem(QStringLiteral("a key step with a text box: the box takes the keys"));
        break;
    case K::Typing:
    case K::ExactTyping:
    case K::TypingEnter:
    case K::TypeThenClick:
    case K::Rename:
    case K::SecondBox:
        if (!r.textBoxShown())
            problem(QStringLiteral("a typing step needs its text box"));
        if (r.answerText().none())
            problem(QStringLiteral("a typing step needs its answer"));
        if (kind == K::TypeThenClick && !hot)
            problem(QStringLiteral("type-then-click needs a hot spot"));
        if (kind != K::TypeThenClick && kind != K::TypingEnter && answered(r, text(r.initialText())))
            problem(QStringLiteral("the initial text already answers the step"));
        break;
    case K::Selection: {
        if (!r.textBoxShown() || r.hintText().none() || r.initialText().none())
            problem(QStringLiteral("a selection step needs a text box, its text and its target"));
        // The judge compares the selected text and the target both in lower case, blanks round
        // the target dropped: some stretch of the box text must read as the target so.
        const QString target = text(r.hintText()).trimmed();
        if (!text(r.initialText()).toLower().contains(target.toLower()))
            problem(QStringLiteral("the text box does not hold the selection target"));
        break;
    }
    case K::RubberBand:
    case K::Drag:
        if (!r.secondHotSpotPlaced() || !hot)
            problem(QStringLiteral("needs the second hot spot and the hot spot"));
        if (!r.dragOnly())
            problem(QStringLiteral("a drag without the drag-only mark is completed by the first press"));
        if (kind == K::Drag && r.secondHotSpotPointer().number == 0)
            problem(QStringLiteral("a drag whose pointer is 0 can never be completed"));
        needCursor(r.secondHotSpotPointer());
        break;
    case K::Popup:
        checkPopup(r);
        break;
    case K::MenuBar:
        checkMenuChoice(r);
        break;
    case K::PictureDrag:
        checkPictureDrag(r);
        break;
    case K::DemoClick:
    case K::ClickInPlace:
        if (!r.secondHotSpotPlaced() || r.dragOnly())
            problem(QStringLiteral("only the second hot spot can complete this step"));
        break;
    case K::Timed:
    case K::End:
        break;
    case K::Unknown:
        problem(QStringLiteral("operation code %1 has no judge").arg(code.text()));
        break;
    }
    if (r.hasTabSpec())
        checkTabStep(r);
}

void Validator::checkPopup(const bank::OpRecord& r)
{
    const auto p = r.opCode().popupStep();
    if (!p || p->block < 1 || p->section < 1) {
        problem(QStringLiteral("popup code names no block or section"));
        return;
    }
    if (r.hotSpotHidden())
        problem(QStringLiteral("a popup step needs a hot spot to open it on"));
    const int skip = (p->block - 1) * 15 + (p->set - 1) * 135;
    static const int listLine[10] = {0, 3, 4, 6, 7, 9, 10, 12, 14, 15};  // item-list line of section g
    static const int decideLine[10] = {0, 2, 4, 5, 7, 8, 10, 11, 13, 15}; // caption (cascade) or list
    const QString decide = m_menu.value(skip + decideLine[p->section] - 1);
    const QStringList items = m_menu.value(skip + listLine[p->section] - 1).split(QLatin1Char('|'));
    if (decide == u"0")
        problem(QStringLiteral("popup section %1 of block %2 is absent").arg(p->section).arg(p->block));
    else if (p->item >= items.size() || items[p->item] == u"-" || items[p->item].isEmpty())
        problem(QStringLiteral("popup item %1 of section %2 does not exist").arg(p->item).arg(p->section));
}

void Validator::checkMenuChoice(const bank::OpRecord& r)
{
    const bank::MenuChoice c = r.menuChoice();
    if (!r.menuBarLive()) {
        problem(QStringLiteral("a menu-bar step whose menu titles are not live"));
        return;
    }
    const int rows = rowCount(dropGroups(c.set));
    if (c.set < 1 || c.set > 9 || c.row < 1 || c.row > rows) {
        problem(QStringLiteral("menu choice %1 names no drop-down row").arg(c.code));
        return;
    }
    if (c.hasSubRow) {
        bool found = false;
        for (const Submenu& s : submenus(c.set))
            if (s.row == c.row && c.subRow >= 1 && c.subRow <= s.rowCount())
                found = true;
        if (!found)
            problem(QStringLiteral("menu choice %1 names no submenu row").arg(c.code));
    }
}

void Validator::checkTabStep(const bank::OpRecord& r)
{
    const auto t = r.tabSpec();
    const TabLayout layout = parseLayout(surfaceLayoutString(t->layout));
    if (layout.count == 0 || t->targetTab < 1 || t->targetTab > layout.count || t->currentTab < 1 || t->currentTab > layout.count) {
        problem(QStringLiteral("tab field names no tab of layout %1").arg(t->layout));
        return;
    }
    const auto plane = r.plane(t->imagePlane);
    if (t->imagePlane < 1 || t->imagePlane > 5 || !plane || plane->hidden || plane->keep())
        problem(QStringLiteral("tab step: its image plane must show the target page picture"));
    needPicture(layout.pages.value(t->currentTab - 1));
}

void Validator::checkPictureDrag(const bank::OpRecord& r)
{
    const auto p = r.plane(5);
    if (!p || p->hidden) {
        problem(QStringLiteral("a picture drag needs its drag picture"));
        return;
    }
    const int x = p->left, y = p->top, bx = r.dragBoundX(), by = r.dragBoundY();
    bool met = false;
    switch (*r.opCode().pictureDragDirection()) {
    case 1: met = x <= bx; break;
    case 2: met = x >= bx; break;
    case 3: met = y <= by; break;
    case 4: met = y >= by; break;
    case 6: met = y >= by && x <= bx; break;
    case 7: met = y >= by && x >= bx; break;
    case 8: met = y <= by && x <= bx; break;
    case 9: met = y <= by && x >= bx; break;
    }
    if (met)
        problem(QStringLiteral("the drag picture already lies beyond its bound"));
}

} // namespace

QStringList validateProgramFolder(const QString& programFolder)
{
    return Validator(programFolder).run();
}

bool isBinaryFile(const QByteArray& b)
{
    return b.startsWith("\x89PNG") || b.startsWith("BM") || b.startsWith("GIF8") || b.startsWith("\xFF\xD8")
        || b.startsWith(QByteArray("\x00\x00\x02\x00", 4)) || b.startsWith(QByteArray("\x00\x00\x01\x00", 4));
}

QString textFileProblem(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("starts with a byte-order mark");
    for (int i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            return QStringLiteral("a CR without LF at byte %1").arg(i);
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return QStringLiteral("an LF without CR at byte %1").arg(i);
    }
    const QString text = platform::decodeGbk(bytes);
    if (text.contains(QChar::ReplacementCharacter) || platform::encodeGbk(text) != bytes)
        return QStringLiteral("not GBK text");
    return QString();
}

} // namespace sample
