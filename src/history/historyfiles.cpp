#include "history/historyfiles.h"

#include "bank/banklayout.h"
#include "platform/textfile.h"

#include <QFileInfo>

namespace history {

QString userFile(const QString& userDir, const char* number)
{
    return bank::joinPath(userDir, QString::fromLatin1(number) + QStringLiteral(".mxy"));
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

void settleUserFolder(const QString& userDir)
{
    platform::settleFileSet(userDir);
}

namespace {
void settleFolderOf(const QString& path)
{
    settleUserFolder(QFileInfo(path).path());
}
} // namespace

std::optional<QStringList> readLines(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    settleFolderOf(path);
    if (auto lines = platform::readAllLines(path))
        return lines;
    if (QFileInfo::exists(path))
        return std::nullopt;
    return QStringList{};
}

std::optional<QString> readFirstLine(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    settleFolderOf(path);
    const platform::LineRead r = platform::readLine1(path);
    if (r.readable)
        return r.text;
    if (QFileInfo::exists(path))
        return std::nullopt;
    return QString();
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

bool writeLine(const QString& path, const QString& line)
{
    return platform::writeWholeFileBytes(path, lineBytes(line));
}

bool writeLinesClosed(const QString& path, const QStringList& lines)
{
    return platform::writeWholeFileBytes(path, closedLinesBytes(lines));
}

bool writeSet(const QString& userDir, const FileSet& files)
{
    return platform::writeFileSet(userDir, files);
}

int generatedPaperCount(const QStringList& listLines)
{
    int n = 0;
    while (n < kMaxGeneratedPapers && n < listLines.size() && !listLines.at(n).trimmed().isEmpty())
        ++n;
    return n;
}

} // namespace history
