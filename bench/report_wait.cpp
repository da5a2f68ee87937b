// The error report's wait when its request plainly fails: a program folder with many missing
// pictures makes one report for each, so each must cost far less than the 1-second limit that
// is kept for a server that does not answer. Measures a whole report (request, wait, run-log
// entry) to a port where nobody listens, and to a host that does not exist.

#include "app/moddata.h"
#include "app/modzcb.h"
#include "widgets_main.h"

#include <QApplication>
#include <QTcpServer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString closedAddress()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

void reportTo(benchmark::State& state, const QString& address)
{
    QTemporaryDir dir;
    ModData::sErrLogFile = dir.filePath(QStringLiteral("run.txt"));
    ModZCB::setWebServiceAddress(address);
    for (auto _ : state)
        ModZCB::reportError(QStringLiteral("fmload"), 53, QStringLiteral("File not found"), QString());
    ModZCB::setWebServiceAddress({});
    ModData::sErrLogFile.clear();
}

void BM_ReportWithNobodyListening(benchmark::State& state) { reportTo(state, closedAddress()); }
BENCHMARK(BM_ReportWithNobodyListening)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReportToAHostThatDoesNotExist(benchmark::State& state)
{
    reportTo(state, QStringLiteral("http://no-such-host.invalid"));
}
BENCHMARK(BM_ReportToAHostThatDoesNotExist)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
