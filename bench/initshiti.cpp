// Building the exercise file pair of a 500-question id list from the unit files of a bank made
// in a temporary folder: 20 units of 40 questions, blocks of 4 to 12 records.

#include "../tests/bank/exercise_units.h"
#include "bank/exercise.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Bank {
    QTemporaryDir dir;
    QString ids;
    Bank()
    {
        for (int u = 0; u < bank::kMaxUnits; ++u) {
            std::vector<int> blocks;
            for (int q = 1; q <= 40; ++q)
                blocks.push_back(4 + (u * 7 + q * 3) % 9);
            exercise_units::writeUnit(dir.path(), u, blocks);
        }
        // 500 ids, every unit touched many times, in no order the files would favour.
        for (int i = 0; i < bank::kTableSize; ++i)
            ids += bank::idText(((i * 7) % bank::kMaxUnits) * 100 + 1 + (i * 13) % 40);
    }
};

Bank& theBank()
{
    static Bank b;
    return b;
}

void BuildPair(benchmark::State& state)
{
    Bank& b = theBank();
    for (auto _ : state) {
        bank::BuildResult r = bank::buildExercisePair(b.dir.path(), b.ids);
        benchmark::DoNotOptimize(r);
        if (!r.ok())
            state.SkipWithError("build failed");
    }
}
BENCHMARK(BuildPair)->Unit(benchmark::kMillisecond);

void BuildAndWritePair(benchmark::State& state)
{
    Bank& b = theBank();
    for (auto _ : state) {
        const bank::BuildResult r = bank::buildExercisePair(b.dir.path(), b.ids);
        if (!r.ok() || !bank::writeExercisePair(b.dir.path(), bank::kListBuiltNumber, r.pair))
            state.SkipWithError("build or write failed");
    }
}
BENCHMARK(BuildAndWritePair)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
