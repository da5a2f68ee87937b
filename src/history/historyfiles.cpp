#include "history/historyfiles.h"

#include "bank/banklayout.h"
#include "platform/filelookup.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"


namespace history {

QString paperWrongFileName(int paper)
{
    if (paper < 0 || paper >= kPaperCount)
        return {};
    return QStringLiteral("1824") + QString::number(paper).rightJustified(2, u'0') + QStringLiteral(".mxy");
}

QString historyFileName(const char* number) { return QString::fromLatin1(number) + QStringLiteral(".mxy"); }

UserFolder UserFolder::open(const QString& userDir)
{
    UserFolder f;
    f.dir_ = platform::findFolder(userDir).value_or(userDir);
    platform::settleFileSet(f.dir_);
    return f;
}

UserFolder UserFolder::ofProgram() { return open(platform::programFolder() + QStringLiteral("/ksdata")); }

QString UserFolder::file(const QString& name) const
{
    return platform::findAnyEntry(dir_, name).value_or(bank::joinPath(dir_, name));
}

QString UserFolder::file(const char* number) const { return file(historyFileName(number)); }

bool UserFolder::has(const QString& name) const
{
    return !name.isEmpty() && platform::findAnyEntry(dir_, name).has_value();
}

namespace {
// The entry of that name in the folder, found whatever its letter case: nothing there
// (std::nullopt), else its path; an empty path for a name that can name no file of the folder.
std::optional<QString> entryOf(const UserFolder& folder, const QString& name)
{
    if (name.isEmpty())
        return QString();
    const auto entry = platform::findAnyEntry(folder.path(), name);
    if (!entry)
        return platform::isPlainName(name) ? std::nullopt : std::optional<QString>(QString());
    return entry;
}
} // namespace

std::optional<QStringList> readLines(const UserFolder& folder, const QString& name)
{
    const auto path = entryOf(folder, name);
    if (!path)
        return QStringList{};
    if (path->isEmpty())
        return std::nullopt;
    platform::LinesRead r = platform::readLines(*path, platform::kUserFileBytes);
    if (!r.read())
        return std::nullopt;
    return std::move(r.lines);
}

std::optional<QString> readFirstLine(const UserFolder& folder, const QString& name)
{
    const auto path = entryOf(folder, name);
    if (!path)
        return QString();
    if (path->isEmpty())
        return std::nullopt;
    platform::LineRead r = platform::readLineN(*path, 1, platform::kUserFileBytes);
    if (r.status != platform::ReadStatus::Read)
        return std::nullopt;
    return std::move(r.text);
}

std::optional<QString> readStoreLine(const UserFolder& folder, const QString& name)
{
    auto line = readFirstLine(folder, name);
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
