#include "history/historyfiles.h"

#include "bank/banklayout.h"
#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>

namespace history {

QString userFile(const QString& userDir, const char* number)
{
    return bank::joinPath(userDir, historyFileName(number));
}

QString paperWrongFileName(int paper)
{
    if (paper < 0 || paper >= kPaperCount)
        return {};
    return QStringLiteral("1824") + QString::number(paper).rightJustified(2, u'0') + QStringLiteral(".mxy");
}

QString paperWrongPath(const QString& userDir, int paper)
{
    const QString name = paperWrongFileName(paper);
    return name.isEmpty() ? QString() : bank::joinPath(userDir, name);
}

QString historyFileName(const char* number) { return QString::fromLatin1(number) + QStringLiteral(".mxy"); }

UserFolder UserFolder::open(const QString& userDir)
{
    UserFolder f;
    f.dir_ = platform::findFolder(userDir).value_or(userDir);
    platform::settleFileSet(f.dir_);
    return f;
}

QString UserFolder::file(const QString& name) const
{
    return platform::findAnyEntry(dir_, name).value_or(bank::joinPath(dir_, name));
}

QString UserFolder::file(const char* number) const { return file(historyFileName(number)); }

void settleUserFolder(const QString& userDir)
{
    platform::settleFileSet(userDir);
}

namespace {
// The file of that name in the folder: nothing there (std::nullopt), or its path when it can be
// opened for reading; an empty path for one that is there but cannot be read.
std::optional<QString> readablePath(const UserFolder& folder, const QString& name)
{
    if (name.isEmpty())
        return QString();
    const auto entry = platform::findAnyEntry(folder.path(), name);
    if (!entry)
        return platform::isPlainName(name) ? std::nullopt : std::optional<QString>(QString());
    return QFileInfo(*entry).isFile() ? *entry : QString();
}

std::pair<UserFolder, QString> split(const QString& path)
{
    const QFileInfo info(path);
    return {UserFolder::open(info.path()), info.fileName()};
}
} // namespace

std::optional<QStringList> readLines(const UserFolder& folder, const QString& name)
{
    const auto path = readablePath(folder, name);
    if (!path)
        return QStringList{};
    if (path->isEmpty())
        return std::nullopt;
    return platform::readAllLines(*path);
}

std::optional<QString> readFirstLine(const UserFolder& folder, const QString& name)
{
    const auto path = readablePath(folder, name);
    if (!path)
        return QString();
    if (path->isEmpty())
        return std::nullopt;
    const platform::LineRead r = platform::readLine1(*path);
    if (!r.readable)
        return std::nullopt;
    return r.text;
}

std::optional<QString> readStoreLine(const UserFolder& folder, const QString& name)
{
    auto line = readFirstLine(folder, name);
    if (line)
        *line = line->trimmed();
    return line;
}

std::optional<QStringList> readLines(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const auto [folder, name] = split(path);
    return readLines(folder, name);
}

std::optional<QString> readFirstLine(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const auto [folder, name] = split(path);
    return readFirstLine(folder, name);
}

std::optional<QString> readStoreLine(const QString& path)
{
    auto line = readFirstLine(path);
    if (line)
        *line = line->trimmed();
    return line;
}

QByteArray lineBytes(const QString& line)
{
    return platform::encodeGbk(line + QStringLiteral("\r\n"));
}

QByteArray closedLinesBytes(const QStringList& lines)
{
    QString text;
    for (const QString& l : lines)
        text += l + QStringLiteral("\r\n");
    return lineBytes(text);
}

namespace {
// A history file is replaced only when its content changes: one that already holds the bytes is
// left as it is, so that a folder the candidate may not write to saves what did not change.
bool writeChanged(const QString& path, const QByteArray& bytes)
{
    if (const auto existing = platform::findFile(path)) {
        QFile f(*existing);
        if (f.open(QIODevice::ReadOnly) && f.size() == bytes.size() && f.readAll() == bytes)
            return true;
    }
    return platform::writeWholeFileBytes(path, bytes);
}
} // namespace

bool writeLine(const QString& path, const QString& line)
{
    return writeChanged(path, lineBytes(line));
}

bool writeLinesClosed(const QString& path, const QStringList& lines)
{
    return writeChanged(path, closedLinesBytes(lines));
}

bool writeSet(const QString& userDir, const FileSet& files)
{
    return platform::writeFileSet(userDir, files);
}

platform::SetResult writeSet(const UserFolder& folder, const FileSet& files)
{
    return platform::writeFileSetResult(folder.path(), files);
}

int generatedPaperCount(const QStringList& listLines)
{
    int n = 0;
    while (n < kMaxGeneratedPapers && n < listLines.size() && !listLines.at(n).trimmed().isEmpty())
        ++n;
    return n;
}

} // namespace history
