#pragma once
// Text files of the program: every file is GBK with CR LF line ends, no byte-order mark.
// A path whose file name differs from the file's only in letter case reaches that file, for reading
// and for writing alike (see filelookup.h).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

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

// Tests only: runs between writing the temporary file and renaming it over the old one, so a
// test can end the process at the worst moment. An empty function removes it.
void setRewriteHookForTests(std::function<void()> hook);

// Appends text, GBK encoded, to the file, creating the file (never its folder) when missing.
bool appendToFile(const QString& path, const QString& text);

} // namespace platform
