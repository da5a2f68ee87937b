// The bank layout file: its head, the unit question counts and the fixed papers' question ids
// with the paper starts built from them.

#include "bank/banklayout.h"
#include "bank/exercise.h"
#include "bank/questionset.h"
#include "fuzzfiles.h"
#include "platform/textfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzfiles::put(QStringLiteral("288891.mxy"), fuzzfiles::bytes(data, size));
    const QStringList layout = platform::readAllLines(path).value_or(QStringList{});
    (void)bank::parseLayoutHead(layout.value(0));
    if (const auto counts = bank::unitQuestionCounts(layout)) {
        if (counts->size() != size_t(bank::kMaxUnitCounts))
            std::abort();
        for (int n : *counts)
            if (n < 0 || n > 99)
                std::abort();
    }
    for (int p = -1; p <= 20; ++p) {
        const QString ids = bank::fixedPaperIds(layout, p);
        (void)bank::wholeIdCount(ids);
        (void)bank::splitIds(ids);
        if (p >= 0 && p < 20)
            (void)bank::paperStart(p, ids);
    }
    // Every line's leading number, as the bank files' numbers are read.
    for (const QString& line : layout)
        (void)bank::roundToInt(bank::numericValue(line));
    return 0;
}
