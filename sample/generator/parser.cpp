// Reader of the readable sources of the sample bank.

#include "model.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace gen {

void failAt(const Where& where, const QString& message)
{
    throw SourceError((where.text() + QStringLiteral(": ") + message).toStdString());
}

const QString& Words::at(int i) const
{
    if (i >= items.size())
        failAt(where, QStringLiteral("word %1 is missing").arg(i + 1));
    return items[i];
}

int Words::number(int i) const
{
    bool ok = false;
    const int v = at(i).toInt(&ok);
    if (!ok)
        failAt(where, QStringLiteral("\"%1\" is not a number").arg(at(i)));
    return v;
}

QString Words::option(const QString& key, const QString& fallback, int from) const
{
    const QString prefix = key + QLatin1Char('=');
    for (int i = from; i < items.size(); ++i)
        if (items[i].startsWith(prefix))
            return items[i].mid(prefix.size());
    return fallback;
}

bool Words::flag(const QString& word, int from) const
{
    for (int i = from; i < items.size(); ++i)
        if (items[i] == word)
            return true;
    return false;
}

Words splitWords(const QString& line, const Where& where)
{
    Words w;
    w.where = where;
    QString cur;
    bool quoted = false;
    bool any = false;
    for (QChar c : line) {
        if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (c.isSpace() && !quoted) {
            if (any)
                w.items.append(cur);
            cur.clear();
            any = false;
        } else {
            cur += c;
            any = true;
        }
    }
    if (quoted)
        failAt(where, QStringLiteral("unclosed quote"));
    if (any)
        w.items.append(cur);
    return w;
}

const SceneDef* Bank::scene(const QString& name) const
{
    for (const SceneDef& s : scenes)
        if (s.name == name)
            return &s;
    return nullptr;
}

const DialogDef* Bank::dialog(const QString& key) const
{
    for (const DialogDef& d : dialogs)
        if (d.key == key)
            return &d;
    return nullptr;
}

namespace {

struct Line {
    QString text; // trimmed
    Where where;
};

QVector<Line> readLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw SourceError(QStringLiteral("cannot read %1").arg(path).toStdString());
    const QString all = QString::fromUtf8(f.readAll());
    QVector<Line> out;
    int n = 0;
    for (const QString& raw : all.split(QLatin1Char('\n'))) {
        ++n;
        const QString t = raw.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char('#')))
            continue;
        out.append({t, {QFileInfo(path).fileName(), n}});
    }
    return out;
}

// The first word and the rest of the line after it.
QPair<QString, QString> head(const QString& text)
{
    const int sp = text.indexOf(QRegularExpression(QStringLiteral("\\s")));
    if (sp < 0)
        return {text, QString()};
    return {text.left(sp), text.mid(sp + 1).trimmed()};
}

void readModule(const QString& path, Bank& bank)
{
    for (const Line& l : readLines(path)) {
        const auto [key, rest] = head(l.text);
        if (key == u"setting") {
            const auto [n, value] = head(rest);
            const int entry = n.toInt();
            if (entry < 0 || entry > 40)
                failAt(l.where, QStringLiteral("settings entry %1 is not 0 to 40").arg(n));
            while (bank.settings.size() <= entry)
                bank.settings.append(QString());
            bank.settings[entry] = value;
        } else if (key == u"advert") {
            bank.advert.append(rest);
        } else if (QStringList{"module", "display", "datafolder", "product", "version"}.contains(key)) {
            bank.module[key] = rest;
        } else {
            failAt(l.where, QStringLiteral("unknown key \"%1\"").arg(key));
        }
    }
}

void readHelp(const QString& path, Bank& bank)
{
    for (const Line& l : readLines(path)) {
        const auto [key, rest] = head(l.text);
        if (key == u"page") {
            bank.helpPages.append({rest, QString()});
        } else {
            if (bank.helpPages.isEmpty())
                failAt(l.where, QStringLiteral("text before the first page"));
            QString& body = bank.helpPages.last().second;
            body += (body.isEmpty() ? QString() : QStringLiteral("|")) + l.text;
        }
    }
}

void readMenus(const QString& path, Bank& bank)
{
    int set = 0;
    PopupBlockDef* block = nullptr;
    for (const Line& l : readLines(path)) {
        const auto [key, rest] = head(l.text);
        if (key == u"title") {
            const auto [n, caption] = head(rest);
            set = n.toInt();
            block = nullptr;
            if (set < 1 || set > 9)
                failAt(l.where, QStringLiteral("menu title %1 is not 1 to 9").arg(n));
            bank.menuBar.titles[set - 1] = caption;
        } else if (key == u"block") {
            const Words w = splitWords(rest, l.where);
            PopupBlockDef b;
            b.set = w.number(0);
            b.block = w.number(1);
            if (b.set < 1 || b.set > 2 || b.block < 1 || b.block > 9)
                failAt(l.where, QStringLiteral("popup block needs set 1-2 and block 1-9"));
            b.lines.fill(QStringLiteral("0"));
            b.lines[0] = w.items.mid(2).join(QLatin1Char(' '));
            bank.popups.append(b);
            block = &bank.popups.last();
            set = 0;
        } else if (key == u"section") {
            if (!block)
                failAt(l.where, QStringLiteral("section outside a popup block"));
            const auto [n, content] = head(rest);
            static const QMap<int, QPair<int, int>> cascades = {{1, {2, 3}}, {3, {5, 6}}, {5, {8, 9}}, {7, {11, 12}}, {8, {13, 14}}};
            static const QMap<int, int> lists = {{2, 4}, {4, 7}, {6, 10}, {9, 15}};
            const int section = n.toInt();
            if (cascades.contains(section)) {
                const int gt = content.indexOf(QLatin1String(" > "));
                if (gt < 0)
                    failAt(l.where, QStringLiteral("a cascade section needs \"caption > items\""));
                block->lines[cascades[section].first - 1] = content.left(gt).trimmed();
                block->lines[cascades[section].second - 1] = content.mid(gt + 3).trimmed();
            } else if (lists.contains(section)) {
                block->lines[lists[section] - 1] = content;
            } else {
                failAt(l.where, QStringLiteral("section %1 is not 1 to 9").arg(n));
            }
        } else if (set > 0) {
            // A drop-down row ("-" between groups) or, after ">", a row of the submenu of the
            // row before it.
            QStringList& rows = bank.menuBar.rows[set - 1];
            if (l.text.startsWith(QLatin1Char('>'))) {
                int row = 0;
                for (const QString& r : rows)
                    if (r != u"-")
                        ++row;
                int ordinal = 0;
                // The ordinal is found from the submenu table when the pictures are drawn; here the
                // rows are keyed by the drop-down row number.
                ordinal = row;
                bank.menuBar.subs[{set, ordinal}].append(l.text.mid(1).trimmed());
            } else {
                rows.append(l.text);
            }
        } else {
            failAt(l.where, QStringLiteral("unexpected line"));
        }
    }
}

void readDialogs(const QString& path, Bank& bank)
{
    for (const Line& l : readLines(path)) {
        const Words w = splitWords(l.text, l.where);
        if (w.at(0) != u"dialog")
            failAt(l.where, QStringLiteral("expected \"dialog\""));
        DialogDef d;
        d.key = w.at(1);
        d.size = QSize(w.number(2), w.number(3));
        d.title = w.at(4);
        d.tabs = w.at(5).split(QLatin1Char('|'));
        d.where = l.where;
        bank.dialogs.append(d);
    }
}

void readPapers(const QString& path, Bank& bank)
{
    for (const Line& l : readLines(path)) {
        const auto [key, rest] = head(l.text);
        if (key == u"paper") {
            bank.papers.append({rest, {}, l.where});
        } else {
            if (bank.papers.isEmpty())
                failAt(l.where, QStringLiteral("ids before the first paper"));
            bank.papers.last().ids += splitWords(l.text, l.where).items;
        }
    }
}

void readUnit(const QString& path, Bank& bank, int& nextId)
{
    UnitDef unit;
    SceneDef* scene = nullptr;
    QuestionDef* question = nullptr;
    for (const Line& l : readLines(path)) {
        const auto [key, rest] = head(l.text);
        if (key == u"unit") {
            unit.name = rest;
            unit.where = l.where;
        } else if (key == u"scene") {
            const Words w = splitWords(rest, l.where);
            SceneDef s;
            s.name = w.at(0);
            if (bank.scene(s.name))
                failAt(l.where, QStringLiteral("scene %1 is defined twice").arg(s.name));
            // "scene NAME [W H] [from BASE]": a scene may start as a copy of an earlier one.
            int next = 1;
            if (w.has(2) && w.at(1) != u"from") {
                s.size = QSize(w.number(1), w.number(2));
                next = 3;
            }
            if (w.has(next) && w.at(next) == u"from") {
                const SceneDef* base = bank.scene(w.at(next + 1));
                if (!base)
                    failAt(l.where, QStringLiteral("no earlier scene \"%1\"").arg(w.at(next + 1)));
                s.size = base->size;
                s.elements = base->elements;
            }
            s.id = QStringLiteral("6%1").arg(nextId++, 5, 10, QLatin1Char('0'));
            s.where = l.where;
            bank.scenes.append(s);
            scene = &bank.scenes.last();
            question = nullptr;
        } else if (key == u"question") {
            unit.questions.append({rest, {}, {}, l.where});
            question = &unit.questions.last();
            scene = nullptr;
        } else if (scene) {
            const Words w = splitWords(l.text, l.where);
            scene->elements.append({w.at(0), w});
        } else if (question) {
            if (key == u"picture") {
                question->picture = rest;
            } else if (key == u"step" || key == u"end") {
                StepDef s;
                s.code = key == u"end" ? QStringLiteral("9999") : rest;
                s.where = l.where;
                question->steps.append(s);
            } else {
                if (question->steps.isEmpty())
                    failAt(l.where, QStringLiteral("field before the first step"));
                // Fields keep their text after the key whole as one word too (hints, answers).
                Words w = splitWords(l.text, l.where);
                w.items = QStringList{key} + (rest.isEmpty() ? QStringList() : QStringList{rest})
                    + w.items.mid(1);
                question->steps.last().fields.append(w);
            }
        } else {
            failAt(l.where, QStringLiteral("unexpected line"));
        }
    }
    if (unit.name.isEmpty())
        throw SourceError(QStringLiteral("%1: no unit name").arg(path).toStdString());
    bank.units.append(unit);
}

} // namespace

Bank readBank(const QString& folder)
{
    Bank bank;
    const QDir dir(folder);
    readModule(dir.filePath(QStringLiteral("module.txt")), bank);
    readHelp(dir.filePath(QStringLiteral("help.txt")), bank);
    readMenus(dir.filePath(QStringLiteral("menus.txt")), bank);
    readDialogs(dir.filePath(QStringLiteral("dialogs.txt")), bank);
    int nextId = 1;
    for (const QString& name : dir.entryList({QStringLiteral("scenes*.txt")}, QDir::Files, QDir::Name)) {
        // Shared scenes: a unit file without questions whose unit line only names it.
        readUnit(dir.filePath(name), bank, nextId);
        bank.units.removeLast();
    }
    for (const QString& name : dir.entryList({QStringLiteral("unit*.txt")}, QDir::Files, QDir::Name))
        readUnit(dir.filePath(name), bank, nextId);
    readPapers(dir.filePath(QStringLiteral("papers.txt")), bank);
    return bank;
}

} // namespace gen
