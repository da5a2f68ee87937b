// Start-up to the home window shown, on a copy of the sample program folder: the start-up
// window's load and hand-over, and the home window's whole build (layout, bank and history
// files, unit progress upkeep, unit panel).
//
// The start is also measured with a hostile file in place of the start-up and home windows'
// pictures (xpdata/l20059.mxy and l20060.mxy), beside the same cold start with the sample's: a
// gzip-compressed SVG of 1.5 MB that unpacks to 1.5 GB, and a cursor file of 4096 entries that
// all point at one 5600 x 5600 PNG. Each start reports the process's peak resident memory
// (peak_RSS_MB) over its starts alone; each may also run on its own:
//   bench_home_start --benchmark_filter='BM_ColdStartToHomeShown$'
//   bench_home_start --benchmark_filter=BM_ColdStartToHomeShownWithSvgzBomb
//   bench_home_start --benchmark_filter=BM_ColdStartToHomeShownWithManyEntryCursor

#include "app/frmstart.h"
#include "app/moddata.h"
#include "exam/frmtm.h"
#include "home/frmfengmian.h"
#include "surface/frmmain.h"
#include "platform/programfolder.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"
#include "toolkit/picturecache.h"

#include "common/picturefiles.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <utility>
#include <sys/resource.h>

namespace {

void unloadHome()
{
    FrmFengmian::unloadIfLoaded();
    FrmStart::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The peak resident memory of the process since the last resetPeakRss() (Linux: VmHWM), so that
// making a benchmark's files does not count in the peak of its starts.
void resetPeakRss()
{
    malloc_trim(0); // what making the files freed leaves the process
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

double peakRssMB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
        }
    }
    rusage u{};
    getrusage(RUSAGE_SELF, &u); // the peak of the whole run
    return double(u.ru_maxrss) / 1024;
}

// Files of the program folder replaced for one benchmark, put back after it.
class ReplacedFiles {
public:
    ReplacedFiles(const QStringList& names, const QByteArray& content)
    {
        for (const QString& name : names) {
            const QString path = platform::programFolder() + u'/' + name;
            QFile f(path);
            Old old{path, f.open(QIODevice::ReadOnly), {}};
            old.bytes = f.readAll();
            olds_ << old;
            platform::writeWholeFileBytes(path, content);
        }
    }
    ~ReplacedFiles()
    {
        for (const Old& old : olds_) {
            if (old.existed)
                platform::writeWholeFileBytes(old.path, old.bytes);
            else
                QFile::remove(old.path);
        }
    }

private:
    struct Old {
        QString path;
        bool existed;
        QByteArray bytes;
    };
    QList<Old> olds_;
};

// cold: every start reads and decodes its pictures afresh, as the program's start does.
void startToHomeShown(benchmark::State& state, bool cold)
{
    resetPeakRss();
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            tk::clearPictureCache();
            state.ResumeTiming();
        }
        ModData::resetAll();
        FrmStart::get().Timer1_Timer();
        benchmark::DoNotOptimize(FrmFengmian::isLoaded() && FrmFengmian::get().isVisible());
        state.PauseTiming();
        unloadHome();
        state.ResumeTiming();
    }
    state.counters["peak_RSS_MB"] = peakRssMB();
}

void BM_StartToHomeShown(benchmark::State& state) { startToHomeShown(state, false); }
BENCHMARK(BM_StartToHomeShown)->Unit(benchmark::kMillisecond);

void BM_ColdStartToHomeShown(benchmark::State& state) { startToHomeShown(state, true); }
BENCHMARK(BM_ColdStartToHomeShown)->Unit(benchmark::kMillisecond);

const QStringList kStartAndHomePictures{QStringLiteral("xpdata/l20059.mxy"), QStringLiteral("xpdata/l20060.mxy")};

// The same start with a file that is plainly no picture: what refusing a damaged picture costs
// (the error reports of the two loads), to set the hostile files beside.
void BM_ColdStartToHomeShownWithDamagedPicture(benchmark::State& state)
{
    const ReplacedFiles files(kStartAndHomePictures, QByteArray("no picture\r\n"));
    startToHomeShown(state, true);
}
BENCHMARK(BM_ColdStartToHomeShownWithDamagedPicture)->Unit(benchmark::kMillisecond);

void BM_ColdStartToHomeShownWithSvgzBomb(benchmark::State& state)
{
    QByteArray bomb = picturefiles::svgz(800, 600, qint64(1536) << 20);
    const double kb = double(bomb.size()) / 1024;
    const ReplacedFiles files(kStartAndHomePictures, std::exchange(bomb, {}));
    startToHomeShown(state, true);
    state.counters["file_KB"] = kb;
}
BENCHMARK(BM_ColdStartToHomeShownWithSvgzBomb)->Unit(benchmark::kMillisecond);

void BM_ColdStartToHomeShownWithManyEntryCursor(benchmark::State& state)
{
    QByteArray cursor = picturefiles::iconFile(
        2, QList<picturefiles::IconEntry>(4096, picturefiles::IconEntry{0, {1, 1}}), {picturefiles::png(5600, 5600, 8, true, 0)});
    const double kb = double(cursor.size()) / 1024;
    const ReplacedFiles files(kStartAndHomePictures, std::exchange(cursor, {}));
    startToHomeShown(state, true);
    state.counters["file_KB"] = kb;
}
BENCHMARK(BM_ColdStartToHomeShownWithManyEntryCursor)->Unit(benchmark::kMillisecond);

// The home window built again and again, after one start.
void buildHomeWindow(benchmark::State& state)
{
    ModData::resetAll();
    FrmStart::get().Timer1_Timer();
    unloadHome();
    for (auto _ : state) {
        benchmark::DoNotOptimize(&FrmFengmian::get());
        state.PauseTiming();
        unloadHome();
        state.ResumeTiming();
    }
}

void BM_HomeWindowBuild(benchmark::State& state) { buildHomeWindow(state); }
BENCHMARK(BM_HomeWindowBuild)->Unit(benchmark::kMillisecond);

// The same build with no picture decoded yet, as at the program's start, and the window drawn
// once: the pictures of what shows are decoded, those of the hidden panels only read. Reports
// how many files one build and drawing decode.
void BM_HomeWindowBuildColdPictures(benchmark::State& state)
{
    ModData::resetAll();
    FrmStart::get().Timer1_Timer();
    unloadHome();
    int decoded = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tk::clearPictureCache();
        const int before = tk::pictureCacheStats().decodes;
        state.ResumeTiming();
        benchmark::DoNotOptimize(FrmFengmian::get().grab());
        state.PauseTiming();
        decoded = tk::pictureCacheStats().decodes - before;
        unloadHome();
        state.ResumeTiming();
    }
    state.counters["files_decoded"] = decoded;
    state.counters["decoded_MB"] = double(tk::pictureCacheStats().bytes) / (1 << 20);
}
BENCHMARK(BM_HomeWindowBuildColdPictures)->Unit(benchmark::kMillisecond);

// The advertisement file as a service could send it: a first line of 10 MB (GBK), its colour and
// its link. The home window reads it at every build, and its strip is drawn on every panel page.
class BigAdvertisement {
public:
    BigAdvertisement()
        : path_(platform::programFolder() + QStringLiteral("/ksdata/170100.mxy"))
    {
        QFile f(path_);
        existed_ = f.open(QIODevice::ReadOnly);
        old_ = f.readAll();
        const QByteArray line = platform::encodeGbk(QStringLiteral("广告")).repeated(10 << 18); // 10 MB
        platform::writeWholeFileBytes(path_, line + "\r\n255\r\nhttp://127.0.0.1/ad\r\n");
    }
    ~BigAdvertisement()
    {
        if (existed_)
            platform::writeWholeFileBytes(path_, old_);
        else
            QFile::remove(path_);
    }

private:
    QString path_;
    bool existed_ = false;
    QByteArray old_;
};

void BM_HomeWindowBuildWith10MBAdvertisement(benchmark::State& state)
{
    const BigAdvertisement ad;
    buildHomeWindow(state);
}
BENCHMARK(BM_HomeWindowBuildWith10MBAdvertisement)->Unit(benchmark::kMillisecond);

// One drawing of a panel page, its advertisement strip shown.
void BM_PanelPageDrawWith10MBAdvertisement(benchmark::State& state)
{
    ModData::resetAll();
    FrmStart::get().Timer1_Timer();
    unloadHome();
    const BigAdvertisement ad;
    FrmFengmian& home = FrmFengmian::get();
    home.ClickBotn_Click(6);
    for (auto _ : state)
        benchmark::DoNotOptimize(home.grab());
    unloadHome();
}
BENCHMARK(BM_PanelPageDrawWith10MBAdvertisement)->Unit(benchmark::kMillisecond);

// From the home window to a unit's first question shown: the question-bank page, the first
// unit's start button, the question panel and the work surface with the question's first scene.
void BM_HomeToFirstQuestion(benchmark::State& state)
{
    ModData::resetAll();
    FrmStart::get().Timer1_Timer();
    for (auto _ : state) {
        state.PauseTiming();
        FrmFengmian& home = FrmFengmian::get();
        home.ClickBotn_Click(4);
        state.ResumeTiming();
        home.ClickBotn_Click(20);
        benchmark::DoNotOptimize(FrmMain::isLoaded() && FrmMain::get().isVisible());
        state.PauseTiming();
        if (!FrmTm::isLoaded()) {
            state.SkipWithError("no question shown");
            break;
        }
        ModData::bTmCanClose = true;
        FrmTm::unloadIfLoaded();
        FrmMain::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    ModData::bTmCanClose = true;
    FrmTm::unloadIfLoaded();
    FrmMain::unloadIfLoaded();
}
BENCHMARK(BM_HomeToFirstQuestion)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString sample = QStringLiteral(XP_BUILD_DIR "/program");
    if (!QFile::exists(sample + QStringLiteral("/ver.txt"))) {
        std::fprintf(stderr, "the sample program folder is not built\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("program"));
    if (!dir.isValid() || QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), sample, folder}) != 0)
        return 1;
    platform::setProgramFolder(folder);
    platform::registry::setStoreFile(dir.filePath(QStringLiteral("registry.ini")));
    FrmStart::setEndProgramForTests([] {});

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    unloadHome();
    return 0;
}
