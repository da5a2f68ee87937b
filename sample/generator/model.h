#pragma once
// The sample question bank as read from its readable sources (see bank/README.txt).

#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <stdexcept>

namespace gen {

// An error in the sources, with its place.
struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Where {
    QString file;
    int line = 0;
    QString text() const { return QStringLiteral("%1:%2").arg(file).arg(line); }
};

[[noreturn]] void failAt(const Where& where, const QString& message);

// One source line split into words; "quoted words" may hold blanks. Words of the form key=value
// are options, bare words after the positional ones are flags.
struct Words {
    QStringList items;
    Where where;
    int size() const { return int(items.size()); }
    const QString& at(int i) const;
    int number(int i) const;
    bool has(int i) const { return i < items.size(); }
    // The option key=value anywhere from position `from`, or the fallback.
    QString option(const QString& key, const QString& fallback = QString(), int from = 0) const;
    bool flag(const QString& word, int from = 0) const;
};

Words splitWords(const QString& line, const Where& where);

struct Element {
    QString kind;
    Words words; // words[0] is the kind
};

struct SceneDef {
    QString name;
    QString id;  // picture id, six characters
    QSize size{800, 600};
    QVector<Element> elements;
    Where where;
};

struct StepDef {
    QString code;
    QVector<Words> fields; // each: key, arguments
    Where where;
};

struct QuestionDef {
    QString text;
    QString picture; // scene name of a picture question
    QVector<StepDef> steps;
    Where where;
};

struct UnitDef {
    QString name;
    QVector<QuestionDef> questions;
    Where where;
};

struct MenuBarDef {
    std::array<QString, 9> titles;
    std::array<QStringList, 9> rows;           // captions, "-" between groups
    QMap<QPair<int, int>, QStringList> subs;   // (set, ordinal) -> captions, "-" between groups
};

struct PopupBlockDef {
    int set = 1;
    int block = 1;
    std::array<QString, 15> lines;
};

struct DialogDef {
    QString key; // layout letter, or "A-demo"
    QString title;
    QSize size;
    QStringList tabs;
    Where where;
};

struct PaperDef {
    QString name;
    QStringList ids;
    Where where;
};

struct Bank {
    QMap<QString, QString> module; // module, display, datafolder, product, version
    QStringList settings;          // settings override lines, entry 0 first
    QStringList advert;            // the three lines of the advertisement seed
    QVector<QPair<QString, QString>> helpPages; // title, body (paragraphs split by "|")
    MenuBarDef menuBar;
    QVector<PopupBlockDef> popups;
    QVector<DialogDef> dialogs;
    QVector<SceneDef> scenes;
    QVector<UnitDef> units;
    QVector<PaperDef> papers;

    const SceneDef* scene(const QString& name) const;
    const DialogDef* dialog(const QString& key) const;
};

// Reads every source file of the folder (module.txt, menus.txt, dialogs.txt, help.txt,
// papers.txt and the unit files unitNN.txt, in name order). Throws SourceError.
Bank readBank(const QString& folder);

} // namespace gen
