// Reading record line n of an operation file, as every step of a question does, for a record near
// the start, the middle and the end of a 4,000-line file of 196-character GBK lines; and finding a
// picture file by a name whose letter case differs from the file's.

#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <ctime>

namespace {

constexpr int lineCount = 4000;
constexpr int lineLength = 196;

struct Folder {
    QTemporaryDir dir;
    QString opFile;

    Folder()
    {
        opFile = dir.filePath("288819.mxy");
        QString text;
        for (int n = 1; n <= lineCount; ++n) {
            // Record-like: digits and a code, a few Chinese characters, filled to 196 characters.
            QString line = QStringLiteral("%1  0010l20060").arg(n, 5, 10, QLatin1Char('0'));
            line += QStringLiteral("打开我的电脑");
            while (line.size() < lineLength)
                line += QString::number(line.size() % 10);
            text += line + QStringLiteral("\r\n");
        }
        platform::writeWholeFile(opFile, text);
        for (int i = 0; i < 300; ++i) {
            QFile f(dir.filePath(QStringLiteral("L%1.MXY").arg(20000 + i)));
            f.open(QIODevice::WriteOnly);
        }
        // An installed data folder has not changed for long; a folder changed within the last
        // second is listed afresh at every lookup that misses the exact name.
        const timespec hourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
        utimensat(AT_FDCWD, QFile::encodeName(dir.path()).constData(), hourAgo, 0);
    }
};

Folder& folder()
{
    static Folder f;
    return f;
}

void BM_ReadRecordLine(benchmark::State& state)
{
    const QString path = folder().opFile;
    const int n = int(state.range(0));
    for (auto _ : state) {
        platform::LineRead r = platform::readLineN(path, n);
        if (!r.exists || r.text.size() != lineLength)
            state.SkipWithError("record line not read");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ReadRecordLine)->Arg(1)->Arg(lineCount / 2)->Arg(lineCount);

void BM_FindPicture(benchmark::State& state)
{
    const QString dir = folder().dir.path();
    const QString name = state.range(0) ? QStringLiteral("l20150.mxy") : QStringLiteral("L20150.MXY");
    for (auto _ : state) {
        auto found = platform::findInFolder(dir, name);
        if (!found)
            state.SkipWithError("picture not found");
        benchmark::DoNotOptimize(found);
    }
}
// 0: the name as it stands on disk; 1: another letter case.
BENCHMARK(BM_FindPicture)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
