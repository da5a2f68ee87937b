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

// ---- the one reader of the program's files ----------------------------------------------------
// Every file the program reads, of whatever folder, is read here. It opens only a regular file (a
// link to one is followed), opened so that the open cannot block (a named pipe, a device or a
// socket put where a file is expected is refused at once, never waited on), and holds each kind of
// file to a size fit for it, far above what a real file of that kind holds: a longer file is
// damaged and is not read past its bound, however long it is or grows while it is read. Anything
// but a regular file within its bound is a file that cannot be read, which is never a missing one:
// only a name under which nothing stands (a dangling link stands there) is missing. A path whose
// file name differs from the file's only in letter case reaches that file.
enum class ReadStatus {
    Read,       // the bytes are the file's whole content
    Missing,    // nothing stands under the name
    Unreadable, // something stands there that cannot be read: a pipe, a folder, no permission, ...
    TooLarge,   // a file longer than its kind's bound: damaged, cannot be read
};

// The size bounds of the kinds of files the program reads (pictures and cursors: see
// toolkit/picturecache.h).
// A file of the user folder: id lists, papers, wrong-question and progress files hold some
// kilobytes, the paper list of many papers some hundred.
inline constexpr qint64 kUserFileBytes = qint64(4) << 20;
// A text file of the question bank: operation records and question texts of a unit (the longest
// files the program reads as text, some hundred kilobytes), the bank layout, menu and tab files.
inline constexpr qint64 kBankFileBytes = qint64(16) << 20;
// A file of the program folder read as a whole: help pages, the settings list, version and
// update lists, the settings store.
inline constexpr qint64 kProgramFileBytes = qint64(4) << 20;
// Any text file: the bound of the readers below that are given none.
inline constexpr qint64 kTextFileBytes = kBankFileBytes;

struct FileBytes {
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes; // the content when Read, else empty
    bool read() const { return status == ReadStatus::Read; }
};

// A file opened by the reader, for a caller that looks at it before it reads it (the picture
// cache keys its pictures by the opened file's size and time). Closed when it goes.
class OpenedFile {
public:
    enum class Links { Follow, Refuse };
    // Links::Refuse opens exactly the path, never through a link nor in another letter case.
    OpenedFile(const QString& path, qint64 maxBytes, Links links = Links::Follow);
    ~OpenedFile();
    OpenedFile(OpenedFile&& other) noexcept;
    OpenedFile& operator=(OpenedFile&& other) noexcept;
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    // Read when the file is open, regular and within its bound as opened.
    ReadStatus status() const { return status_; }
    QString realPath() const { return realPath_; } // the path opened, letter case as on disk
    qint64 size() const { return size_; }
    qint64 modifiedNs() const { return modifiedNs_; }
    // At most count bytes from the start; empty when the file is not open.
    QByteArray head(qint64 count) const;
    // The whole content, read from the start: never more than the bound + 1 bytes are read.
    FileBytes readAll() const;
    // Reads from where the last call stopped (the start at first): at most count bytes, empty
    // at the end; false on a read error or past the bound.
    bool readNext(QByteArray& chunk, qint64 count);

private:
    int fd_ = -1;
    ReadStatus status_ = ReadStatus::Missing;
    QString realPath_;
    qint64 size_ = 0;
    qint64 modifiedNs_ = 0;
    qint64 bound_ = 0;
    qint64 offset_ = 0;
};

// The file's bytes, held to the bound.
FileBytes readFile(const QString& path, qint64 maxBytes);

// Every line of the file, with how the read went (no lines unless Read).
struct LinesRead {
    ReadStatus status = ReadStatus::Missing;
    QStringList lines;
    bool read() const { return status == ReadStatus::Read; }
};
LinesRead readLines(const QString& path, qint64 maxBytes = kTextFileBytes);

// Every line of the file, or nothing when it cannot be read (missing or not: see readLines).
std::optional<QStringList> readAllLines(const QString& path);

// Line n (from 1) read the way the program has always read it: lines are read from line 1 and
// reading stops after line n or at the end of the file; the last line read is the result.
struct LineRead {
    ReadStatus status = ReadStatus::Missing;
    bool exists = false; // line n itself was there
    QString text;        // line n, or the last line read before the end, or empty
    bool readable() const { return status == ReadStatus::Read; } // the file could be read
};
LineRead readLineN(const QString& path, int n);
LineRead readLineN(const QString& path, int n, qint64 maxBytes);
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
//   3. the old bytes of each file that exists are kept beside it, under its name & ".old", synced;
//   4. the marker is rewritten with first line "commit": from here on the set counts as written;
//   5. each ".pending" file is renamed over its file; the folder is synced;
//   6. the ".old" files and then the marker are removed.
// A file whose bytes are already the new ones is left out of the set; a set with nothing left
// writes nothing (so a read-only folder takes an unchanged set). When a file refuses to be
// replaced at step 5 (an immutable file, another user's file in a shared folder), the marker is
// rewritten with first line "restore" and the set is undone: each file replaced so far takes its
// ".old" bytes back, each file the set created goes; then the marker goes.
// Settling a folder whose marker says "undo" removes the listed ".pending" and ".old" files; one
// whose marker says "commit" goes on with step 5 (and undoes the set as above when a file refuses);
// one whose marker says "restore" undoes the set. Either way the marker goes; a marker that lists
// nothing goes too. A marker "finish" of an earlier version renames every listed ".pending" file
// still there over its file. The marker is GBK text with CR LF: the first line, then one file name
// a line, with a '/' in front of the name of a file the set creates. The set keeps the old bytes of
// every file listed without it, and of no file listed with it: an ".old" file beside a file the set
// creates is none of the set's, never given to that file, never removed.
// Nothing of a set is written through a symbolic link: the marker, ".pending" and ".old" files are
// written as new files (whatever stood under their names goes first), and a set whose file is a
// link, a folder or a file that cannot be read is refused before anything is written. A link under
// the marker's name is set aside, never followed.
// The folder is resolved once, ignoring letter case as every lookup does, and the marker is found
// in it whatever its letter case; that one path serves the marker and every file of the set.
// A marker that can never be settled (a folder or a link under its name, a set that can be neither
// finished nor undone) is set aside under the name & ".unsettled" (& "." & n when that is taken),
// kept for inspection and reported once, so that later sets are written again. A temporary file
// of the marker's own rewrite left by a kill ("fileset.pending.XXXXXX") is removed at the settling.
inline constexpr const char* kFileSetMarker = "fileset.pending";
inline constexpr const char* kPendingSuffix = ".pending";
inline constexpr const char* kOldSuffix = ".old";
inline constexpr const char* kUnsettledSuffix = ".unsettled";

struct FileWrite {
    QString path;     // the file, in the set's folder
    QByteArray bytes; // its whole new content
};
enum class SetResult {
    Written, // every file holds its new bytes
    Undone,  // nothing of the set stands: every file holds its old bytes
    Mixed,   // the set could be neither finished nor undone: some files hold their new bytes, some
             // their old ones; its marker was set aside (and reported)
};
// Writes the files as one unit in the folder (each path's own folder must be it).
SetResult writeFileSetResult(const QString& folder, const std::vector<FileWrite>& files);
// The same: true only when every file holds its new bytes.
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
    TempWritten,     // a temporary file is whole, before its rename (or before a set's marker says "commit")
    Renamed,         // one file of a set has been replaced, or given its old bytes back
    Refused,         // a file of a set refused to be replaced: the set is undone next
};
void setRewriteHookForTests(std::function<void(RewriteStep)> hook);

// Appends text, GBK encoded, to the file, creating the file (never its folder) when missing.
bool appendToFile(const QString& path, const QString& text);

} // namespace platform
