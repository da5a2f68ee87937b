#pragma once
// A home window on a bank of two 30-question units, with generated papers whose list lines,
// records and wrong-question files name their paper, and a random source of its own.

#include "common/closedport.h"
#include "app/modzcb.h"
#include "homefixture.h"
#include "platform/waits.h"

#include <random>

namespace hometest {

// Runs a handler of a window as a click on its control runs it: counted on the window, which so
// stays until the handler has returned, though an exercise started meanwhile unloads it.
template <class F>
void asEvent(QWidget* window, F f)
{
    tk::raiseEvent(window, f);
}

class GeneratedPapers : public HomeTest {
protected:
    void SetUp() override
    {
        HomeTest::SetUp();
        if (IsSkipped())
            return;
        makeBank({30, 30});
        writeLines(userPath(QStringLiteral("288893.mxy")), {QString(30, u'F'), QString(30, u'F')});
        FrmFengmian::setRandomForTests([this] { return dist(gen); });
    }
    void TearDown() override
    {
        FrmFengmian::setRandomForTests({});
        HomeTest::TearDown();
    }
public:
    QString wrongFile(int p) const { return userPath(QStringLiteral("1824%1.mxy").arg(p, 2, 10, QChar(u'0'))); }
    QString listFile() const { return userPath(QStringLiteral("288891.mxy")); }
    QString resultsFile() const { return userPath(QStringLiteral("288892.mxy")); }
    QByteArray raw(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Results whose record of paper p holds "T<p>", "<p>" and "E".
    void numberedResults()
    {
        QStringList t;
        for (int p = 0; p < 30; ++p)
            t << QStringLiteral("T%1").arg(p) << QString::number(p) << QStringLiteral("E");
        writeLines(resultsFile(), t + QStringList{QString()});
    }
    QString recordTime(int p) const { return readLines(resultsFile()).value(3 * p); }
    // n generated papers "L20", "L21", ... with wrong files "W20", "W21", ...
    void listPapers(int n)
    {
        QStringList lines;
        for (int p = 20; p < 20 + n; ++p) {
            lines << QStringLiteral("L%1").arg(p);
            writeLines(wrongFile(p), {QStringLiteral("W%1").arg(p)});
        }
        writeLines(listFile(), lines);
    }

    // Forty distinct ids of the two units, different for each paper p.
    static QString paperIds(int p)
    {
        QString ids;
        for (int i = 0; i < 40; ++i) {
            const int at = (i + p * 7) % 60;
            ids += QStringLiteral("%1%2").arg(at / 30, 2, 10, QChar(u'0')).arg(at % 30 + 1, 2, 10, QChar(u'0'));
        }
        return ids;
    }
    // Papers 20 to 22 of paperIds, each with two of its own questions as its wrong questions, and
    // numbered results.
    void listRealPapers()
    {
        numberedResults();
        QStringList list;
        for (int p = 20; p <= 22; ++p) {
            list << paperIds(p);
            writeLines(wrongFile(p), {paperIds(p).left(8)});
        }
        writeLines(listFile(), list);
    }

    std::mt19937 gen{11};
    std::uniform_real_distribution<double> dist{0.0, 1.0};
};

// Three generated papers of real ids, and reports going through the real reporter to a closed
// port: each report waits (briefly), and a test's probe can act inside the wait.
class PapersReporting : public GeneratedPapers {
protected:
    void SetUp() override
    {
        GeneratedPapers::SetUp();
        if (IsSkipped())
            return;
        listRealPapers();
        ModZCB::setWebServiceAddress(closedport::address());
        ModZCB::installErrorReporter();
    }
    void TearDown() override
    {
        platform::setWaitProbeForTests({});
        vb::setReporter({});
        ModZCB::setWebServiceAddress({});
        GeneratedPapers::TearDown();
    }
};

} // namespace hometest
