// Speed of the work surface and the question panel on a large exercise: one scene build of a
// step near the end of a 4,000-record operation file, and the panel's display of a question of a
// 500-question exercise. Both read their files from the top at every call.

#include "app/moddata.h"
#include "exam/frmtm.h"
#include "platform/programfolder.h"
#include "platform/screenmetrics.h"
#include "platform/textfile.h"
#include "surface/frmmain.h"
#include "toolkit/picturecache.h"
#include "widgets_main.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ModData;

namespace {

QString field(int value, int width) { return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')); }

// A click step with a scene picture, two planes, a hot spot, a hint and a shown text box.
QString record(int i)
{
    QString r = QStringLiteral("00000") + QStringLiteral("00") + (i % 50 == 49 ? QStringLiteral("9999") : QStringLiteral("0001"));
    r += QStringLiteral("600001");
    r += field(150, 5) + field(300, 5) + QStringLiteral("600002");
    r += field(1500, 5) + field(900, 5) + QStringLiteral("600003");
    r += QStringLiteral("0000000000") + QStringLiteral("888888");
    r += field(450, 5) + field(300, 5) + field(960, 5) + field(900, 5);
    r += field(3000, 5) + field(4000, 5) + field(1500, 5) + field(285, 5);
    r += field(1 + i % 20, 3) + field(2, 3);
    r += field(450, 5) + field(1250, 5) + field(3, 3);
    r += QStringLiteral("0000000000");
    r += QStringLiteral("0000000000") + QStringLiteral("888888");
    r += QStringLiteral("0000000000") + QStringLiteral("888888");
    r += field(0, 5) + field(0, 5);
    r += QStringLiteral("00000000000000000000");
    return r;
}

struct BenchWorld {
    QTemporaryDir dir;
    BenchWorld()
    {
        platform::setScreenSizeOverride(QSize(1024, 768));
        platform::setProgramFolder(dir.path());
        QDir(dir.path()).mkdir(QStringLiteral("data"));
        const QString data = dir.path() + QStringLiteral("/data/");
        QStringList ops;
        for (int i = 0; i < 4000; ++i)
            ops << record(i);
        platform::writeWholeFile(data + QStringLiteral("288820.mxy"), ops.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QStringList texts, questions;
        for (int i = 1; i <= 40; ++i)
            texts << field(i, 3) + QStringLiteral("第%1行的文字|text").arg(i);
        for (int q = 1; q <= 500; ++q)
            questions << field(q, 4) + QStringLiteral("08") + QStringLiteral("在桌面上新建一个文件夹，并将其命名为“资料%1”。|第二行").arg(q);
        platform::writeWholeFile(data + QStringLiteral("288890.mxy"), texts.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        platform::writeWholeFile(data + QStringLiteral("288870.mxy"), questions.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        for (const char* id : {"600001", "600002", "600003"}) {
            QImage img(id == QLatin1String("600001") ? 800 : 120, id == QLatin1String("600001") ? 600 : 90,
                       QImage::Format_RGB32);
            img.fill(Qt::darkCyan);
            img.save(data + QString::fromLatin1(id) + QStringLiteral(".mxy"), "PNG");
        }
        resetAll();
        dScaleX = dScaleY = 1;
        sDataPath = data;
        sKeMu = QStringLiteral("Windows XP");
        sOpTextFile = data + QStringLiteral("288890.mxy");
        sTmTextFile = data + QStringLiteral("288870.mxy");
        iLianXiType = 20;
        iTmCount = 500;
        for (int q = 1; q <= 500; ++q) {
            iTmLine(q) = qint16(1 + ((q - 1) * 8) % 4000);
            sTmDone(q) = QStringLiteral("F");
            for (int k = 0; k <= 5; ++k)
                sTmPic(q, k) = k == 0 ? QStringLiteral("600001") : QStringLiteral("600002");
        }
        iTmNo = 1;
        iRunMode = 2;
        FrmTm::get();
    }
    ~BenchWorld()
    {
        bTmCanClose = true;
        FrmMain::unloadIfLoaded();
        FrmTm::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setProgramFolder(QString());
        platform::setScreenSizeOverride(QSize());
    }
};

// The surface on question 1, whose records start at line 3990 of the 4,000-line file.
FrmMain& surfaceNearTheEnd()
{
    FrmMain& surface = FrmMain::get();
    iTmNo = 1;
    iTmLine(1) = 3990;
    return surface;
}

void BM_SceneBuildNearTheEnd(benchmark::State& state)
{
    BenchWorld w;
    FrmMain& surface = surfaceNearTheEnd();
    for (auto _ : state) {
        iStepNo = 2;
        surface.setData();
    }
    benchmark::DoNotOptimize(sOpRecord);
}
BENCHMARK(BM_SceneBuildNearTheEnd)->Unit(benchmark::kMicrosecond);

// A question's first scene as the candidate first sees it: no picture decoded yet, the scene
// built and the work surface drawn.
void BM_FirstSceneColdPicturesDrawn(benchmark::State& state)
{
    BenchWorld w;
    FrmMain& surface = surfaceNearTheEnd();
    for (auto _ : state) {
        state.PauseTiming();
        tk::clearPictureCache();
        state.ResumeTiming();
        iStepNo = 1;
        surface.setData();
        benchmark::DoNotOptimize(surface.grab());
    }
}
BENCHMARK(BM_FirstSceneColdPicturesDrawn)->Unit(benchmark::kMicrosecond);

void BM_ShowQuestion(benchmark::State& state)
{
    BenchWorld w;
    FrmTm& panel = FrmTm::get();
    for (auto _ : state) {
        iTmNo = 480;
        panel.DqExam();
    }
    benchmark::DoNotOptimize(sTmLine);
}
BENCHMARK(BM_ShowQuestion)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
