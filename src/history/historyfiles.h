#pragma once
// The user folder's history files: names, and the reading and writing rules every one of them
// follows. Every rewrite replaces the whole file through a temporary file and a rename, so a
// crash or a full disk leaves the old file whole.

#include "platform/textfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace history {

// File numbers in the user folder (each with ".mxy").
inline constexpr const char* kMarkedList = "288862";
inline constexpr const char* kMarkedFlags = "288872";
inline constexpr const char* kOwnWrongList = "288863";
inline constexpr const char* kOwnWrongFlags = "288873";
inline constexpr const char* kPaperResults = "288892";
inline constexpr const char* kUnitProgress = "288893";
inline constexpr const char* kGeneratedPapers = "288891";

// userDir & "/" & number & ".mxy".
QString userFile(const QString& userDir, const char* number);

// Papers: 0 to 19 fixed, 20 to 29 generated.
inline constexpr int kPaperCount = 30;
// "1824" & the paper as two digits & ".mxy" ("182407.mxy"); empty for a paper outside 0 to 29.
QString paperWrongFileName(int paper);
QString paperWrongPath(const QString& userDir, int paper);

// The user folder of one operation (a hand-in, a practice left): resolved once to the folder as
// it stands on disk, whatever its letter case, and settled once (a set of files that a failure or
// a kill interrupted is finished or undone, platform::settleFileSet) before anything of it is read.
// Every read and write of the operation takes it and finds its files in it ignoring letter case;
// no history path is used as spelled.
class UserFolder {
public:
    static UserFolder open(const QString& userDir);
    // The folder as it stands on disk; as asked when there is none.
    const QString& path() const { return dir_; }
    // The path of the entry of that name in the folder, whatever its letter case and whatever it
    // is (a file, a folder, a link); folder & "/" & name when nothing of that name is there.
    QString file(const QString& name) const;
    QString file(const char* number) const; // number & ".mxy"

private:
    QString dir_;
};

// number & ".mxy"
QString historyFileName(const char* number);

// Settles the user folder (see UserFolder).
void settleUserFolder(const QString& userDir);

// The reads of every history file. A file that exists in any letter case but cannot be read (no
// permission, a folder or a link to nothing in its place) is never taken as missing or empty: the
// read gives nothing (std::nullopt), and a save that needs the file must write nothing of its set.
// Line 1 of a history file; a missing file reads as the empty line.
std::optional<QString> readFirstLine(const UserFolder& folder, const QString& name);
// The same, trimmed of surrounding blanks: the reading of the two stores' files.
std::optional<QString> readStoreLine(const UserFolder& folder, const QString& name);
// Every line; a missing file has none.
std::optional<QStringList> readLines(const UserFolder& folder, const QString& name);
// The same for a path: its folder opened for this one read (UserFolder::open), its name found there.
std::optional<QString> readFirstLine(const QString& path);
std::optional<QString> readStoreLine(const QString& path);
std::optional<QStringList> readLines(const QString& path);

// Replaces the file with the line followed by CR LF.
bool writeLine(const QString& path, const QString& line);
// Replaces the file with each line followed by CR LF, and one more CR LF after them all.
bool writeLinesClosed(const QString& path, const QStringList& lines);
// The bytes those two write.
QByteArray lineBytes(const QString& line);
QByteArray closedLinesBytes(const QStringList& lines);

// Files of the user folder that must agree, written as one unit: either all of them take their
// new bytes or none does (platform::writeFileSet).
using FileSet = std::vector<platform::FileWrite>;
bool writeSet(const QString& userDir, const FileSet& files);
// The same, telling whether the set was written, undone, or neither (platform::SetResult).
platform::SetResult writeSet(const UserFolder& folder, const FileSet& files);

// Generated random papers: the generated paper list holds one line per paper, at most this many.
inline constexpr int kMaxGeneratedPapers = 10;
// The number of generated papers: the lines before the first blank one, at most 10.
int generatedPaperCount(const QStringList& listLines);

} // namespace history
