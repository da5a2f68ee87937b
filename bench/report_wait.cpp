// The error report's wait when its request plainly fails: a program folder with many missing
// pictures makes one report for each, so each must cost far less than the 1-second limit that
// is kept for a server that does not answer. Measures a whole report (request, wait, run-log
// entry) to a port where nobody listens, and to a host that does not exist. And the wait
// against services that take the request and keep sending: however they behave, no report may
// wait more than two seconds (longest_ms).

#include "app/moddata.h"
#include "app/localhttp.h"
#include "app/modzcb.h"
#include "widgets_main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>
#include <algorithm>
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
    qint64 longest = 0;
    for (auto _ : state) {
        QElapsedTimer one;
        one.start();
        ModZCB::reportError(QStringLiteral("fmload"), 53, QStringLiteral("File not found"), QString());
        longest = std::max(longest, one.elapsed());
    }
    state.counters["longest_ms"] = double(longest);
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

// Services on a thread of their own that take the request and keep sending: the answer announced
// as 4 GB, or with no length, sent as fast as it is taken; or one that sends 2 KB every 10 ms,
// which only the time-out ends.
void BM_ReportToAServiceThatKeepsSending(benchmark::State& state)
{
    LocalHttpThread service([](LocalHttp& s) { s.stream(qint64(4) << 30, true, 1 << 20); });
    reportTo(state, service.address());
}
BENCHMARK(BM_ReportToAServiceThatKeepsSending)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReportToAServiceThatKeepsSendingNoLength(benchmark::State& state)
{
    LocalHttpThread service([](LocalHttp& s) { s.stream(qint64(4) << 30, false, 1 << 20); });
    reportTo(state, service.address());
}
BENCHMARK(BM_ReportToAServiceThatKeepsSendingNoLength)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReportToASlowServiceThatKeepsSending(benchmark::State& state)
{
    LocalHttpThread service([](LocalHttp& s) { s.stream(qint64(4) << 30, false, 2048, 10); });
    reportTo(state, service.address());
}
BENCHMARK(BM_ReportToASlowServiceThatKeepsSending)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
