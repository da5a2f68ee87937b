#include "history/idlist.h"

#include "bank/exercise.h"
#include "history/historyfiles.h"

#include <QSet>
#include <algorithm>
#include <climits>

namespace history {

bool anyCompleted(const Questions& questions)
{
    return std::any_of(questions.begin(), questions.end(), [](const Question& q) { return isCompleted(q.flags); });
}

QString lookupString(const QString& list)
{
    QString s;
    for (const QString& id : bank::splitIds(list, INT_MAX))
        s += u'_' + id;
    return s;
}

int idNumber(const QString& list, const QString& id)
{
    const qsizetype pos = lookupString(list).indexOf(u'_' + id);
    return pos < 0 ? 0 : int(pos / 5) + 1;
}

QString fitFlags(const QString& flags, int count)
{
    count = std::max(count, 0);
    return flags.left(count).leftJustified(count, u'F');
}

QString setLearned(const QString& line, int n)
{
    if (n < 1)
        return line;
    QString s = line.size() < n - 1 ? line.leftJustified(n - 1, u'F') : line;
    if (s.size() < n)
        s += u'T';
    else
        s[n - 1] = u'T';
    return s;
}

namespace {
// The whole ids of a list as one string (a trailing fragment dropped) and as a set.
struct IdSet {
    QString list;
    QSet<QString> ids;
    explicit IdSet(const QString& raw)
    {
        const QStringList all = bank::splitIds(raw, INT_MAX);
        list = all.join(QString());
        ids = QSet<QString>(all.begin(), all.end());
    }
    void add(const QString& id)
    {
        if (bank::isIdText(id) && !ids.contains(id)) {
            ids.insert(id);
            list += id;
        }
    }
};
} // namespace

StoreLines mergeMarked(const StoreLines& store, const Questions& questions)
{
    IdSet set(store.list);
    for (const Question& q : questions)
        if (isMarked(q.flags))
            set.add(bank::idText(q.code));
    return {set.list, fitFlags(store.flags, bank::wholeIdCount(set.list))};
}

StoreLines removeUnmarked(const StoreLines& store, const Questions& questions)
{
    // Whole ids, so that a garbled id holding "_" or any other character stays as it is.
    QStringList ids = bank::splitIds(store.list, INT_MAX);
    QString flags = store.flags;
    for (const Question& q : questions) {
        if (isMarked(q.flags))
            continue;
        const qsizetype number = ids.indexOf(bank::idText(q.code)); // from 0
        if (number < 0)
            continue;
        ids.removeAt(number);
        if (number < flags.size())
            flags.remove(number, 1);
    }
    return {ids.join(QString()), flags};
}

QString paperWrongIds(const QString& paperIds, const Questions& questions)
{
    QString wrong;
    for (int q = 1; q <= int(questions.size()); ++q) {
        const QString id = bank::idAt(paperIds, q);
        if (!isCompleted(questions[size_t(q - 1)].flags) && bank::isIdText(id))
            wrong += id;
    }
    return wrong;
}

StoreLines addOwnWrong(const StoreLines& store, const QString& wrongIds)
{
    IdSet set(store.list);
    for (const QString& id : bank::splitIds(wrongIds, INT_MAX))
        set.add(id);
    return {set.list, fitFlags(store.flags, bank::wholeIdCount(set.list))};
}

QString keepUncompleted(const QString& paperWrongLine, const Questions& questions)
{
    QString kept;
    const QStringList ids = bank::splitIds(paperWrongLine, INT_MAX);
    for (int k = 1; k <= ids.size(); ++k)
        if (k > int(questions.size()) || !isCompleted(questions[size_t(k - 1)].flags))
            kept += ids.at(k - 1);
    return kept;
}

namespace {
// The file numbers of a store: its list and its flags.
std::pair<const char*, const char*> storeNumbers(bank::Store store)
{
    if (store == bank::Store::Marked)
        return {kMarkedList, kMarkedFlags};
    return {kOwnWrongList, kOwnWrongFlags};
}
} // namespace

StoreFiles storeFiles(const UserFolder& folder, bank::Store store)
{
    const auto [list, flags] = storeNumbers(store);
    return {folder.file(list), folder.file(flags)};
}

namespace {
std::optional<StoreLines> storeOf(const std::optional<QString>& list, const std::optional<QString>& flags)
{
    if (!list || !flags)
        return std::nullopt;
    return StoreLines{*list, fitFlags(*flags, bank::wholeIdCount(*list))};
}
} // namespace

std::optional<StoreLines> readStore(const UserFolder& folder, bank::Store store)
{
    const auto [list, flags] = storeNumbers(store);
    return storeOf(readStoreLine(folder, historyFileName(list)), readStoreLine(folder, historyFileName(flags)));
}

void addStore(FileSet& set, const StoreFiles& files, const StoreLines& lines)
{
    set.push_back({files.list, lineBytes(lines.list)});
    set.push_back({files.flags, lineBytes(lines.flags)});
}

platform::SetResult writeStore(const UserFolder& folder, bank::Store store, const StoreLines& lines)
{
    FileSet set;
    addStore(set, storeFiles(folder, store), lines);
    return writeSet(folder, set);
}

} // namespace history
