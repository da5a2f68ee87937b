#include "platform/filelookup.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <sys/stat.h>
#include <time.h>
#include <utility>

namespace platform {

namespace {

qint64 nanos(const timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; }

qint64 realtimeNow()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return nanos(t);
}

// What stands at path: nothing, a file or a folder (symbolic links followed).
enum class Found { None, File, Folder };
Found statPath(const QString& path, qint64* mtime = nullptr)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return Found::None;
    if (mtime)
        *mtime = nanos(st.st_mtim);
    if (S_ISDIR(st.st_mode))
        return Found::Folder;
    return S_ISREG(st.st_mode) ? Found::File : Found::None;
}

bool kindMatches(Found f, EntryKind kind)
{
    switch (kind) {
    case EntryKind::File: return f == Found::File;
    case EntryKind::Folder: return f == Found::Folder;
    case EntryKind::Any: return f != Found::None;
    }
    return false;
}

QString slashes(const QString& path)
{
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

// A folder written with '/' only, without trailing '/' (the root stays "/").
QString folderForm(const QString& folder)
{
    QString f = slashes(folder);
    while (f.size() > 1 && f.endsWith(u'/'))
        f.chop(1);
    return f;
}

QString key(const QString& name) { return name.toCaseFolded(); }

// A folder's listing: folded name -> the real names of that fold, sorted (an exact match is
// tried before the listing, so several names of one fold are told apart by plain order).
struct Listing {
    qint64 mtime = 0;
    qint64 listedAt = 0;
    QHash<QString, QStringList> byFold;
    QStringList names;
};

// A listing made less than this after the folder's last change may miss a change made in the same
// clock tick; such a listing is made again at the next lookup.
constexpr qint64 settleNanos = 1000000000;

QMutex cacheMutex;
QHash<QString, Listing> cache;

// The folder's listing, made again when the folder has changed; nothing when the folder is missing.
// The caller holds cacheMutex.
const Listing* listingOf(const QString& folder)
{
    qint64 mtime = 0;
    if (statPath(folder, &mtime) != Found::Folder)
        return nullptr;
    Listing& l = cache[folder];
    if (l.listedAt == 0 || l.mtime != mtime || l.listedAt - l.mtime < settleNanos) {
        l.byFold.clear();
        l.mtime = mtime;
        l.listedAt = realtimeNow();
        l.names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                         QDir::Name);
        for (const QString& n : std::as_const(l.names))
            l.byFold[key(n)].append(n);
    }
    return &l;
}

// The real names in folder that equal name ignoring case, or nothing when the folder is missing.
QStringList namesOfFold(const QString& folder, const QString& name)
{
    QMutexLocker lock(&cacheMutex);
    const Listing* l = listingOf(folder);
    return l ? l->byFold.value(key(name)) : QStringList();
}

std::optional<QString> findNamed(const QString& folder, const QString& name, EntryKind kind)
{
    const QString exact = joinPath(folder, name);
    if (kindMatches(statPath(exact), kind))
        return exact;
    for (const QString& real : namesOfFold(folder, name)) {
        const QString path = joinPath(folder, real);
        if (real != name && kindMatches(statPath(path), kind))
            return path;
    }
    return std::nullopt;
}

// The folder as it stands on disk, each missing component matched ignoring case.
std::optional<QString> resolveFolder(const QString& folder)
{
    const QString f = folderForm(folder);
    if (f.isEmpty())
        return std::nullopt;
    if (statPath(f) == Found::Folder)
        return f;
    const QStringList parts = f.split(u'/');
    QString at = f.startsWith(u'/') ? QStringLiteral("/") : QStringLiteral(".");
    bool first = true;
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".")) {
            continue;
        }
        QString next;
        if (part == QLatin1String("..")) {
            next = joinPath(at, part);
            if (statPath(next) != Found::Folder)
                return std::nullopt;
        } else {
            auto found = findNamed(at, part, EntryKind::Folder);
            if (!found)
                return std::nullopt;
            next = *found;
        }
        // A relative folder stays relative: drop the "./" the walk started from.
        if (first && at == QLatin1String("."))
            next = next.mid(2);
        at = next;
        first = false;
    }
    return at;
}

bool hasParentStep(const QString& path)
{
    return slashes(path).split(u'/').contains(QLatin1String(".."));
}

} // namespace

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/')
           && !name.contains(u'\\') && !name.contains(QChar(0));
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

std::optional<QString> findFolder(const QString& folder) { return resolveFolder(folder); }

QStringList folderEntries(const QString& folder)
{
    const auto real = resolveFolder(folder);
    if (!real)
        return {};
    QMutexLocker lock(&cacheMutex);
    const Listing* l = listingOf(*real);
    return l ? l->names : QStringList();
}

std::optional<QString> findInFolder(const QString& folder, const QString& name, EntryKind kind)
{
    if (!isPlainName(name))
        return std::nullopt;
    const auto real = resolveFolder(folder);
    if (!real)
        return std::nullopt;
    return findNamed(*real, name, kind);
}

std::optional<QString> findAnyEntry(const QString& folder, const QString& name)
{
    if (!isPlainName(name))
        return std::nullopt;
    const auto real = resolveFolder(folder);
    if (!real)
        return std::nullopt;
    auto present = [](const QString& path) {
        struct stat st {};
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
    };
    const QString exact = joinPath(*real, name);
    if (present(exact))
        return exact;
    for (const QString& n : namesOfFold(*real, name)) {
        const QString path = joinPath(*real, n);
        if (n != name && present(path))
            return path;
    }
    return std::nullopt;
}

namespace {
// Splits a path at its last separator; nothing for a path that has no name part or steps up.
std::optional<std::pair<QString, QString>> splitPath(const QString& path)
{
    if (path.isEmpty() || hasParentStep(path))
        return std::nullopt;
    const QString p = slashes(path);
    const qsizetype cut = p.lastIndexOf(u'/');
    if (cut < 0)
        return std::make_pair(QStringLiteral("."), p);
    return std::make_pair(cut == 0 ? QStringLiteral("/") : p.left(cut), p.mid(cut + 1));
}
} // namespace

std::optional<QString> findFile(const QString& path, EntryKind kind)
{
    const auto parts = splitPath(path);
    if (!parts)
        return std::nullopt;
    auto found = findInFolder(parts->first, parts->second, kind);
    // A path without a folder part is answered as it was asked, without "./".
    if (found && !slashes(path).contains(u'/') && found->startsWith(QLatin1String("./")))
        found = found->mid(2);
    return found;
}

std::optional<QString> pathForWrite(const QString& folder, const QString& name)
{
    if (!isPlainName(name) || folder.isEmpty())
        return std::nullopt;
    const auto real = resolveFolder(folder);
    if (!real)
        return joinPath(folderForm(folder), name);
    if (auto found = findNamed(*real, name, EntryKind::File))
        return found;
    return joinPath(*real, name);
}

std::optional<QString> pathForWrite(const QString& path)
{
    const auto parts = splitPath(path);
    if (!parts)
        return std::nullopt;
    auto p = pathForWrite(parts->first, parts->second);
    if (p && !slashes(path).contains(u'/') && p->startsWith(QLatin1String("./")))
        p = p->mid(2);
    return p;
}

void clearLookupCache()
{
    QMutexLocker lock(&cacheMutex);
    cache.clear();
}

} // namespace platform
