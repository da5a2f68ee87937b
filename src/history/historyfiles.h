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
inline constexpr const char* kImeOption = "288890"; // "1" when the input method comes up by itself

// Papers: 0 to 19 fixed, 20 to 29 generated.
inline constexpr int kPaperCount = 30;
// "1824" & the paper as two digits & ".mxy" ("182407.mxy"); empty for a paper outside 0 to 29.
QString paperWrongFileName(int paper);

// The user folder of one operation (a hand-in, a practice left, a new paper, a deletion, a store
// cleared, the home window's build): resolved once to the folder as it stands on disk, whatever its
// letter case, and settled once (a set of files that a failure or a kill interrupted is finished or
// undone, platform::settleFileSet) before anything of it is read. Every read and write of the
// operation takes it and finds its files in it ignoring letter case; there is no other way to
// read or write a history file, so no history path is used as spelled.
class UserFolder {
public:
    static UserFolder open(const QString& userDir);
    // The program's own: "ksdata" in the program folder.
    static UserFolder ofProgram();
    // The folder as it stands on disk; as asked when there is none.
    const QString& path() const { return dir_; }
    // The path of the entry of that name in the folder, whatever its letter case and whatever it
    // is (a file, a folder, a link); folder & "/" & name when nothing of that name is there.
    QString file(const QString& name) const;
    QString file(const char* number) const; // number & ".mxy"
    // Whether anything of that name is there, whatever it is.
    bool has(const QString& name) const;

private:
    QString dir_;
};

// number & ".mxy"
QString historyFileName(const char* number);

// The reads of every history file. A file that exists in any letter case but cannot be read (no
// permission, a folder or a link to nothing in its place) is never taken as missing or empty: the
// read gives nothing (std::nullopt), and a save that needs the file must write nothing of its set.
// Line 1 of a history file; a missing file reads as the empty line.
std::optional<QString> readFirstLine(const UserFolder& folder, const QString& name);
// The same, trimmed of surrounding blanks: the reading of the two stores' files.
std::optional<QString> readStoreLine(const UserFolder& folder, const QString& name);
// Every line; a missing file has none.
std::optional<QStringList> readLines(const UserFolder& folder, const QString& name);

// The bytes of a file of one line: the line followed by CR LF.
QByteArray lineBytes(const QString& line);
// The bytes of a file of lines: each line followed by CR LF, and one more CR LF after them all.
QByteArray closedLinesBytes(const QStringList& lines);

// Every write of the user folder: files that must agree (or a single file), written as one unit,
// either all of them taking their new bytes or none (platform::writeFileSetResult); a file that
// already holds its new bytes is left as it is, so a folder the candidate may not write to takes
// what did not change. Written, Undone, or Mixed when the set could be neither finished nor undone.
using FileSet = std::vector<platform::FileWrite>;
platform::SetResult writeSet(const UserFolder& folder, const FileSet& files);

// Generated random papers: the generated paper list holds one line per paper, at most this many.
inline constexpr int kMaxGeneratedPapers = 10;
// The number of generated papers: the lines before the first blank one, at most 10.
int generatedPaperCount(const QStringList& listLines);

} // namespace history
