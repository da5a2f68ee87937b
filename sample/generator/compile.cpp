// Encoding of the questions: every step of the sources becomes one operation record, with its hot
// spots taken from the regions of the pictures the step shows.

#include "build.h"

#include "../encoder.h"
#include "../tables.h"

#include <array>

namespace gen {

namespace {

constexpr int kTwips = 15; // twips per pixel of the 800 x 600 design

// The operation-text file: each distinct text once, in order of first use.
class TextTable {
public:
    int ref(const QString& text, const Where& where)
    {
        const int i = int(m_lines.indexOf(text));
        if (i >= 0)
            return i + 1;
        m_lines.append(text);
        if (m_lines.size() > 999)
            failAt(where, QStringLiteral("more than 999 texts"));
        return int(m_lines.size());
    }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

struct PlaneState {
    bool shown = false;
    QPoint pos; // pixels
    QString scene;
};

QString pointerSpec(const QString& word, const Where& where)
{
    // "S11" -> "S0011", "M3" -> "M0003"
    if (word.isEmpty() || (word[0] != u'S' && word[0] != u'M'))
        failAt(where, QStringLiteral("a pointer is S or M followed by its number"));
    bool ok = false;
    const int n = word.mid(1).toInt(&ok);
    if (!ok || n < 0 || n > 99)
        failAt(where, QStringLiteral("bad pointer \"%1\"").arg(word));
    return word[0] + QStringLiteral("00") + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

class QuestionCompiler {
public:
    QuestionCompiler(const Bank& bank, const Compiled& compiled, TextTable& texts)
        : m_bank(bank), m_compiled(compiled), m_texts(texts)
    {
    }

    QStringList compile(const QuestionDef& q)
    {
        QStringList out;
        if (q.steps.isEmpty() || q.steps.last().code != u"9999")
            failAt(q.where, QStringLiteral("a question ends with its end record"));
        m_planes = {};
        m_form.clear();
        for (int s = 0; s < q.steps.size(); ++s)
            out.append(step(q.steps[s], s + 1));
        return out;
    }

private:
    const Bank& m_bank;
    const Compiled& m_compiled;
    TextTable& m_texts;
    std::array<PlaneState, 5> m_planes;
    QString m_form;

    static QStringList args(const Words& f) { return f.items.mid(2); }

    const Rendered& scene(const QString& name, const Where& where) const
    {
        auto it = m_compiled.scenes.find(name);
        if (it == m_compiled.scenes.end())
            failAt(where, QStringLiteral("no scene \"%1\"").arg(name));
        return it.value();
    }

    QString sceneId(const QString& name, const Where& where) const
    {
        scene(name, where);
        return m_bank.scene(name)->id;
    }

    // A rectangle in twips: "x y w h" in pixels, or "scene.region" on a plane the step shows.
    sample::Box box(const QStringList& a, const Words& f) const
    {
        QRect r;
        if (a.size() >= 4) {
            bool ok[4];
            r = QRect(a[0].toInt(&ok[0]), a[1].toInt(&ok[1]), a[2].toInt(&ok[2]), a[3].toInt(&ok[3]));
            if (!(ok[0] && ok[1] && ok[2] && ok[3]))
                failAt(f.where, QStringLiteral("expected x y w h"));
        } else if ((a.size() == 1 || (a.size() == 2 && a[1] == u"corner")) && a[0].contains(QLatin1Char('.'))) {
            const QString sceneName = a[0].section(QLatin1Char('.'), 0, 0);
            const QString region = a[0].section(QLatin1Char('.'), 1);
            const Rendered& rs = scene(sceneName, f.where);
            if (!rs.regions.contains(region))
                failAt(f.where, QStringLiteral("scene %1 has no region \"%2\"").arg(sceneName, region));
            r = rs.regions.value(region);
            QPoint offset;
            bool found = m_form == sceneName;
            for (const PlaneState& p : m_planes) {
                if (p.shown && p.scene == sceneName) {
                    if (found)
                        failAt(f.where, QStringLiteral("scene %1 is shown twice in this step").arg(sceneName));
                    found = true;
                    offset = p.pos;
                }
            }
            if (!found)
                failAt(f.where, QStringLiteral("scene %1 is not shown in this step").arg(sceneName));
            r.translate(offset);
            if (a.size() == 2) // one pixel at the region's top-left corner, clear of its middle
                r = QRect(r.topLeft(), QSize(1, 1));
        } else {
            failAt(f.where, QStringLiteral("expected x y w h or scene.region"));
        }
        return {r.left() * kTwips, r.top() * kTwips, r.width() * kTwips, r.height() * kTwips};
    }

    QString step(const StepDef& s, int number)
    {
        sample::OpRecord r;
        r.lead = QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
        r.code = s.code;
        if (r.code.size() != 4)
            failAt(s.where, QStringLiteral("an operation code has four characters"));
        const bool end = s.code == u"9999";
        // Planes first: the other fields find their regions on the planes of this step.
        if (number == 1) {
            for (PlaneState& p : m_planes)
                p = {};
        }
        bool formGiven = false;
        for (const Words& f : s.fields) {
            const QString key = f.items[0];
            const QStringList a = args(f);
            if (key == u"form") {
                formGiven = true;
                if (a.value(0) == u"keep") {
                    r.formPicture = sample::kKeepPicture;
                } else {
                    r.formPicture = sceneId(a.value(0), f.where);
                    m_form = a.value(0);
                }
            } else if (key.size() == 6 && key.startsWith(QLatin1String("image")) && key[5] >= u'1' && key[5] <= u'5') {
                PlaneState& p = m_planes[key[5].digitValue() - 1];
                if (a.value(0) == u"hide") {
                    p.shown = false;
                    continue;
                }
                if (a.value(0) != u"keep") {
                    sceneId(a.value(0), f.where);
                    p.scene = a.value(0);
                }
                if (a.size() >= 3)
                    p.pos = QPoint(f.number(3), f.number(4));
                else if (!p.shown && a.value(0) == u"keep")
                    failAt(f.where, QStringLiteral("a hidden plane needs its place"));
                p.shown = true;
                m_planeChanged[key[5].digitValue() - 1] = a.value(0) != u"keep";
            }
        }
        if (number == 1 && (!formGiven || r.formPicture == sample::kKeepPicture))
            failAt(s.where, QStringLiteral("step 1 names its form picture"));
        for (int k = 0; k < 5; ++k) {
            const PlaneState& p = m_planes[k];
            sample::Plane& out = r.planes[k];
            out.shown = p.shown;
            out.left = p.pos.x() * kTwips;
            out.top = p.pos.y() * kTwips;
            out.picture = p.shown && m_planeChanged[k] ? m_bank.scene(p.scene)->id : sample::kKeepPicture;
            m_planeChanged[k] = false;
        }

        std::optional<QString> hint;
        std::optional<QPoint> hintAt;
        QString head = QStringLiteral("00000"), tail = QStringLiteral("00000");
        QString shared;
        auto setShared = [&](const QString& value, const Where& where) {
            if (!shared.isEmpty())
                failAt(where, QStringLiteral("columns 125-134 are used twice"));
            shared = value;
        };
        bool noHint = end;
        for (const Words& f : s.fields) {
            const QString key = f.items[0];
            const QStringList a = args(f);
            const QString whole = f.items.value(1);
            if (key == u"form" || key.startsWith(QLatin1String("image"))) {
                continue;
            } else if (key == u"hot") {
                if (a.value(0) != u"none")
                    r.hotSpot = box(a, f);
            } else if (key == u"hot2") {
                r.secondHotSpot = box(a, f);
            } else if (key == u"text") {
                r.textBox = box(a, f);
            } else if (key == u"init") {
                r.initialText = m_texts.ref(whole, f.where);
            } else if (key == u"answer") {
                r.answerText = m_texts.ref(whole, f.where);
            } else if (key == u"hint") {
                hint = whole;
            } else if (key == u"hintat") {
                hintAt = QPoint(f.number(2) * kTwips, f.number(3) * kTwips);
            } else if (key == u"nohint") {
                noHint = true;
            } else if (key == u"font") {
                setShared(sample::fontSpec(f.number(2), f.number(3), f.number(4), f.number(5), f.number(6)), f.where);
            } else if (key == u"menu") {
                setShared(sample::menuChoice(f.number(2), f.number(3), f.number(4)), f.where);
            } else if (key == u"popup") {
                setShared(sample::popupPosition(f.number(2) * kTwips, f.number(3) * kTwips), f.where);
            } else if (key == u"tab") {
                tail = sample::tabSpec(a.value(0).at(0), f.number(3), f.number(4), f.number(5)).right(5);
            } else if (key == u"back") {
                head = sample::backMark(f.number(2));
                r.dragBound = QPoint(f.number(3) * kTwips, f.number(4) * kTwips);
            } else if (key == u"bound") {
                r.dragBound = QPoint(f.number(2) * kTwips, f.number(3) * kTwips);
            } else if (key == u"pointer") {
                r.hotPointer = pointerSpec(a.value(0), f.where);
            } else if (key == u"dragpointer") {
                r.dragPointer = pointerSpec(a.value(0), f.where);
            } else if (key == u"key") {
                r.key = sample::KeyOverride{f.number(2), f.number(3)};
            } else if (key == u"dragonly") {
                r.dragOnly = true;
            } else {
                failAt(f.where, QStringLiteral("unknown field \"%1\"").arg(key));
            }
        }
        if (head != u"00000" || tail != u"00000")
            setShared(head + tail, s.where);
        if (!shared.isEmpty())
            r.shared = shared;

        if (r.code == u"7000" && !r.hotSpot) {
            // The title of the menu choice: the hot spot itself shrinks to one twip, but the
            // demonstration aims at it.
            const QRect t = bank::menubar::title(r.shared.left(1).toInt()).value_or(QRectF()).toRect();
            r.hotSpot = sample::Box{t.left(), t.top(), t.width(), t.height()};
        }
        if (!noHint) {
            r.hintText = hint ? m_texts.ref(*hint, s.where) : 0;
            if (hintAt) {
                r.hint = *hintAt;
            } else {
                // Below the spot the step is about, or above it near the bottom of the screen.
                std::optional<sample::Box> near = r.hotSpot ? r.hotSpot : r.textBox ? r.textBox : r.secondHotSpot;
                const sample::Box b = near.value_or(sample::Box{4500, 4000, 0, 0});
                int x = std::clamp(b.left, 0, 12000 - 3600);
                int y = b.top + b.height + 60;
                if (y > 8100)
                    y = std::max(0, b.top - 400);
                r.hint = QPoint(x, y);
            }
        }
        try {
            return sample::encodeRecord(r);
        } catch (const std::invalid_argument& e) {
            failAt(s.where, QString::fromStdString(e.what()));
        }
    }

    std::array<bool, 5> m_planeChanged{};
};

void checkMenuBar(const MenuBarDef& bar)
{
    for (int set = 1; set <= 9; ++set) {
        // Groups as the sources give them, separated by "-".
        QVector<int> groups{0};
        for (const QString& r : bar.rows[set - 1]) {
            if (r == u"-")
                groups.append(0);
            else
                ++groups.last();
        }
        if (groups != sample::dropGroups(set))
            throw SourceError(QStringLiteral("menus.txt: the rows of title %1 do not form the groups of its drop-down").arg(set).toStdString());
        for (const sample::Submenu& s : sample::submenus(set)) {
            QVector<int> sg{0};
            for (const QString& r : bar.subs.value({set, s.row})) {
                if (r == u"-")
                    sg.append(0);
                else
                    ++sg.last();
            }
            if (sg != s.groups)
                throw SourceError(QStringLiteral("menus.txt: the submenu of row %1 of title %2 does not match its groups").arg(s.row).arg(set).toStdString());
        }
    }
}

} // namespace

Compiled compileBank(const Bank& bank)
{
    checkMenuBar(bank.menuBar);
    Compiled c;
    for (const SceneDef& s : bank.scenes)
        c.scenes.insert(s.name, renderScene(s, bank));
    TextTable texts;
    QuestionCompiler qc(bank, c, texts);
    for (int u = 0; u < bank.units.size(); ++u) {
        CompiledUnit cu;
        const UnitDef& unit = bank.units[u];
        for (int q = 0; q < unit.questions.size(); ++q) {
            const QuestionDef& def = unit.questions[q];
            const QStringList block = qc.compile(def);
            QString text = def.text;
            if (!def.picture.isEmpty()) {
                const SceneDef* pic = bank.scene(def.picture);
                if (!pic)
                    failAt(def.where, QStringLiteral("no scene \"%1\"").arg(def.picture));
                text = sample::pictureQuestionText(pic->id, def.text);
            }
            cu.questionLines.append(sample::encodeQuestionLine(u * 100 + q + 1, int(block.size()), text));
            cu.records += block;
        }
        c.units.append(cu);
    }
    c.texts = texts.lines();
    return c;
}

} // namespace gen
