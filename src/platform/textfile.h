#pragma once
// Text files of the program: every file is GBK with CR LF line ends, no byte-order mark.
// A path whose file name differs from the file's only in letter case reaches that file, for reading
// and for writing alike (see filelookup.h).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

QString decodeGbk(const QByteArray& bytes);
QByteArray encodeGbk(const QString& text);

// Splits file content into lines the way a line-by-line reader sees them: CR LF, a lone CR or a
// lone LF ends a line; text after the last line end is one more line; a final line end does not
// start an empty line.
QStringList splitLines(const QString& text);

// Every line of the file, or nothing when it cannot be opened.
std::optional<QStringList> readAllLines(const QString& path);

// Line n (from 1) read the way the program has always read it: lines are read from line 1 and
// reading stops after line n or at the end of the file; the last line read is the result.
struct LineRead {
    bool readable = false; // the file could be opened
    bool exists = false;   // line n itself was there
    QString text;          // line n, or the last line read before the end, or empty
};
LineRead readLineN(const QString& path, int n);
inline LineRead readLine1(const QString& path) { return readLineN(path, 1); }

// Replaces the whole file with text, GBK encoded, exactly as given (the caller writes the CR LF).
// Written to a temporary file beside it and renamed over it, so the old file stays whole until
// the new one is complete. Returns false when nothing was replaced.
bool writeWholeFile(const QString& path, const QString& text);
bool writeWholeFileBytes(const QString& path, const QByteArray& bytes);

// ---- files that must agree, written as one unit ---------------------------------------------
// Every file of a set lies in one folder. The set is written so that after a failure or a kill at
// any moment, either every file holds its new bytes or every file its old ones, once the folder
// has been settled (settleFileSet, which every reader of such files calls first):
//   1. the folder's marker file is written listing the files, first line "undo";
//   2. each new file is written whole beside its file, under its name & ".pending", and synced;
//   3. the marker is rewritten with first line "finish": from here on the set counts as written;
//   4. each ".pending" file is renamed over its file; the folder is synced;
//   5. the marker is removed.
// Settling a folder whose marker says "undo" removes the listed ".pending" files; one whose marker
// says "finish" renames every listed ".pending" file still there over its file. Either way the
// marker goes; a marker that lists nothing goes too. The marker is GBK text with CR LF: the first
// line, then one file name a line.
// The folder is resolved once, ignoring letter case as every lookup does, and the marker is found
// in it whatever its letter case; that one path serves the marker and every file of the set.
// A marker that can never be settled (a folder under its name, or a "finish" whose file has become
// a folder) is set aside under the name & ".unsettled" (& "." & n when that is taken), kept for
// inspection and reported once, so that later sets are written again; the other files of its set
// are finished all the same. A temporary file of the marker's own rewrite left by a kill
// ("fileset.pending.XXXXXX") is removed at the settling.
inline constexpr const char* kFileSetMarker = "fileset.pending";
inline constexpr const char* kPendingSuffix = ".pending";
inline constexpr const char* kUnsettledSuffix = ".unsettled";

struct FileWrite {
    QString path;     // the file, in the set's folder
    QByteArray bytes; // its whole new content
};
// Writes the files as one unit in the folder (each path's own folder must be it). False when the
// set was not written; its files then hold their old bytes, or, when only a rename failed, the
// marker stays for the next settling to finish the set.
bool writeFileSet(const QString& folder, const std::vector<FileWrite>& files);
// Finishes or undoes a set that a failure or a kill interrupted; nothing when none was.
void settleFileSet(const QString& folder);
// Receives the path a marker that could not be settled was set aside under, once for each such
// marker. Nothing receives it until one is installed; an empty function removes it.
void setUnsettledMarkerReporter(std::function<void(const QString& keptPath)> reporter);

// Tests only: runs at every point where a rewrite can be cut short, so a test can end the process
// there. An empty function removes it.
enum class RewriteStep {
    TempHalfWritten, // half of a temporary file is on disk
    TempWritten,     // a temporary file is whole, before its rename (or before a set's marker says "finish")
    Renamed,         // one file of a set has been replaced
};
void setRewriteHookForTests(std::function<void(RewriteStep)> hook);

// Appends text, GBK encoded, to the file, creating the file (never its folder) when missing.
bool appendToFile(const QString& path, const QString& text);

} // namespace platform
