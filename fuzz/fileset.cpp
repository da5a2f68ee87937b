// Settling a user folder whatever a kill, a disk fault or a hand left in it: the marker of an
// interrupted file set, the files it lists and their ".pending" files. Afterwards nothing outside
// the folder was touched, no marker is left that refuses the next set, and the next set is
// written whole.
// Input parts ("\n=====\n" between them):
//   0 the marker's bytes (GBK lines: "undo" or "finish", then file names)
//   1 options, one character each: "F" the marker is a folder, "U" its name is in capitals,
//     "S" a stray "fileset.pending.XXXXXX" of its own rewrite lies beside it,
//     "D" the first listed file is a folder with a file in it,
//     "L" the marker is a link to a missing file outside the folder (the marker's bytes unused)
//   2 names of files that hold old bytes, a line each
//   3 names whose ".pending" file holds new bytes, a line each
//   4 names with a stray ".old" file beside them, a line each: one beside a file the marker lists
//     only as created ("/" in front) is none of the set's, and stays, never given to that file

#include "fuzzfiles.h"
#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <cstdlib>

namespace {

QStringList names(const QByteArray& part)
{
    QStringList out;
    for (const QString& line : platform::splitLines(platform::decodeGbk(part))) {
        const QString n = line.trimmed();
        // Only plain names are laid out by the input; the marker itself may name anything.
        if (platform::isPlainName(n) && n.size() < 64)
            out << n;
    }
    return out.mid(0, 8);
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzfiles::application();
    const QList<QByteArray> parts = fuzzfiles::parts(fuzzfiles::bytes(data, size), 5);
    // A user folder inside the fuzz folder, with a file beside it that nothing may touch.
    const QString outer = fuzzfiles::folder();
    QDir(outer).removeRecursively();
    QDir().mkpath(outer + QStringLiteral("/ksdata"));
    const QString dir = outer + QStringLiteral("/ksdata");
    put(outer + QStringLiteral("/outside.mxy"), "keep");
    put(outer + QStringLiteral("/outside.mxy.pending"), "keep too");

    const QString options = QString::fromLatin1(parts.value(1));
    const QString markerName = options.contains(u'U') ? QStringLiteral("FILESET.PENDING") : QString::fromLatin1(platform::kFileSetMarker);
    const QString escaped = outer + QStringLiteral("/escaped.mxy");
    if (options.contains(u'L'))
        QFile::link(escaped, dir + u'/' + markerName);
    else if (options.contains(u'F'))
        QDir().mkdir(dir + u'/' + markerName);
    else
        put(dir + u'/' + markerName, parts.value(0));
    if (options.contains(u'S'))
        put(dir + u'/' + markerName + QStringLiteral(".Ab12Cd"), "half");
    const QStringList old = names(parts.value(2));
    for (const QString& n : old)
        put(dir + u'/' + n, "old");
    for (const QString& n : names(parts.value(3)))
        put(dir + u'/' + n + QString::fromLatin1(platform::kPendingSuffix), "new");
    const QStringList strays = names(parts.value(4));
    for (const QString& n : strays)
        put(dir + u'/' + n + QString::fromLatin1(platform::kOldSuffix), "stray");
    // The names the marker lists only as files the set creates.
    QStringList created, kept;
    for (const QString& line : platform::splitLines(platform::decodeGbk(parts.value(0))).mid(1))
        (line.startsWith(u'/') ? created : kept) << (line.startsWith(u'/') ? line.mid(1) : line);
    if (options.contains(u'D') && !old.isEmpty()) {
        QFile::remove(dir + u'/' + old.first());
        QDir().mkdir(dir + u'/' + old.first());
        put(dir + u'/' + old.first() + QStringLiteral("/inner"), "x");
    }

    platform::settleFileSet(dir);

    for (const QString& n : strays) {
        if (!created.contains(n) || kept.contains(n, Qt::CaseInsensitive))
            continue;
        QFile file(dir + u'/' + n), stray(dir + u'/' + n + QString::fromLatin1(platform::kOldSuffix));
        if ((file.open(QIODevice::ReadOnly) && file.readAll() == "stray") || !stray.open(QIODevice::ReadOnly) ||
            stray.readAll() != "stray")
            std::abort();
    }

    // Nothing outside the folder moved.
    QFile a(outer + QStringLiteral("/outside.mxy")), b(outer + QStringLiteral("/outside.mxy.pending"));
    if (!a.open(QIODevice::ReadOnly) || a.readAll() != "keep" || !b.open(QIODevice::ReadOnly) ||
        b.readAll() != "keep too" || QFileInfo::exists(escaped))
        std::abort();
    // The next set is written whole.
    const QString target = dir + QStringLiteral("/288891.mxy");
    // The folder's entry of that name, whatever its letter case, is what the set replaces.
    const QString held = platform::findAnyEntry(dir, QStringLiteral("288891.mxy")).value_or(target);
    if (QFileInfo(held).isDir())
        return 0; // the input made the target itself a folder: no set could replace it
    if (!platform::writeFileSet(dir, {{target, QByteArray("after\r\n")}}))
        std::abort();
    // The set writes the file the folder holds under that name, whatever its letter case.
    QFile t(held);
    if (!t.open(QIODevice::ReadOnly) || t.readAll() != "after\r\n" || QFileInfo::exists(escaped))
        std::abort();
    return 0;
}
