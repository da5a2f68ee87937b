// Start-up to the home window shown, on a copy of the sample program folder: the start-up
// window's load and hand-over, and the home window's whole build (layout, bank and history
// files, unit progress upkeep, unit panel).

#include "app/frmstart.h"
#include "app/moddata.h"
#include "exam/frmtm.h"
#include "home/frmfengmian.h"
#include "surface/frmmain.h"
#include "platform/programfolder.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"
#include "toolkit/picturecache.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

void unloadHome()
{
    FrmFengmian::unloadIfLoaded();
    FrmStart::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_StartToHomeShown(benchmark::State& state)
{
    for (auto _ : state) {
        ModData::resetAll();
        FrmStart::get().Timer1_Timer();
        benchmark::DoNotOptimize(FrmFengmian::isLoaded() && FrmFengmian::get().isVisible());
        state.PauseTiming();
        unloadHome();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToHomeShown)->Unit(benchmark::kMillisecond);

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
