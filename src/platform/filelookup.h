#pragma once
// File names that ignore letter case, as the program's data has always been named: a picture
// "L20060.MXY" is found when the program asks for "l20060.mxy". Every data file the program opens
// is looked up here first.
//
// Paths are built with '/'; a '\' in a folder or path given here is taken as '/' too, so a folder
// written the old way ("...\data\") still works. A name looked up in a folder must be a plain file
// name: an empty name, a name holding '/' or '\', "." and ".." are refused, so a name that comes
// from data or from the network never leaves its folder.
//
// Lookups are cheap: an exact-case hit costs one stat; otherwise the folder's listing is kept,
// keyed by folder path and its modification time, and read again whenever the folder changes.

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

enum class EntryKind { File, Folder, Any };

// Whether name may be looked up in a folder (see above).
bool isPlainName(const QString& name);

// The real path (folder & "/" & the name as it stands on disk) of the entry of that kind in
// folder whose name equals name ignoring letter case; an exact-case match wins. The folder is
// itself matched ignoring letter case, component by component, when it does not exist as written.
// Nothing when the name is refused or no such entry exists.
std::optional<QString> findInFolder(const QString& folder, const QString& name,
                                    EntryKind kind = EntryKind::File);

// The real path of whatever stands under name in folder ignoring letter case, exact case first:
// a file, a folder, a symbolic link (a dangling one too, never followed) or anything else. What the
// program reads or replaces is found here first, so that an entry that exists is never taken for
// a missing one. Nothing when the name is refused or nothing of that name is there.
std::optional<QString> findAnyEntry(const QString& folder, const QString& name);

// The same for a whole path: split at its last separator into folder and name. A path with a
// ".." component is refused.
std::optional<QString> findFile(const QString& path, EntryKind kind = EntryKind::File);

// The folder as it stands on disk: the folder as written when it exists, else each component
// matched ignoring letter case. Nothing when there is no such folder.
std::optional<QString> findFolder(const QString& folder);

// The names of every entry of the folder as they stand on disk (the kept listing); none when the
// folder is missing.
QStringList folderEntries(const QString& folder);

// The path a file is written to: the existing file's real path when one matches ignoring letter
// case, else the folder (matched ignoring case when it exists) & "/" & name. Nothing when the name
// or path is refused. The program creates no folder, so a missing folder is left to the write,
// which then fails.
std::optional<QString> pathForWrite(const QString& folder, const QString& name);
std::optional<QString> pathForWrite(const QString& path);

// folder & "/" & name with exactly one '/' between them.
QString joinPath(const QString& folder, const QString& name);

// Forgets every kept folder listing (tests; never needed for correctness).
void clearLookupCache();

} // namespace platform
