// The unit table as the home window builds it: the bank layout's unit count and question
// counts, the unit progress file brought into line with them (rewritten in place), the rows,
// bars, pre-selection, unit starts and the unit button captions of the unit names.
// Input: bank layout file, "\n=====\n", unit progress file, "\n=====\n", unit names (a line each).

#include "bank/banklayout.h"
#include "bank/questionset.h"
#include "bank/unittable.h"
#include "fuzzfiles.h"
#include "history/historyfiles.h"
#include "history/unitprogress.h"
#include "platform/textfile.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzfiles::clear();
    const QList<QByteArray> parts = fuzzfiles::parts(fuzzfiles::bytes(data, size), 3);
    const QString layoutPath = fuzzfiles::put(QStringLiteral("288891.mxy"), parts.value(0));
    if (parts.size() > 1)
        fuzzfiles::put(QStringLiteral("288893.mxy"), parts.value(1));
    const QStringList names = platform::splitLines(platform::decodeGbk(parts.value(2)));

    const QStringList layout = platform::readAllLines(layoutPath).value_or(QStringList{});
    const bank::BankLayoutHead head = bank::parseLayoutHead(layout.value(0));
    const int unitCount = qint16(head.unitCount); // the program keeps it in a 16-bit integer
    const auto counts = bank::unitQuestionCounts(layout);
    const history::ProgressUpkeep upkeep = history::upkeepUnitProgress(history::UserFolder::open(fuzzfiles::folder()), counts, unitCount);
    if (upkeep.rows.size() > 41)
        std::abort();

    const bank::UnitSummary all = bank::allUnitsSummary(upkeep.rows, unitCount);
    const bank::UnitBars bars = bank::unitBars(all);
    if (bars.valid && (!std::isfinite(bars.learnedTop()) || !std::isfinite(bars.notLearnedTop())))
        std::abort();
    const int button = bank::preselectUnitButton(upkeep.rows, unitCount);
    if (button < bank::kAllUnitsButton || button >= bank::kFirstUnitButton + bank::kUnitButtons)
        std::abort();
    for (size_t u = 0; u < upkeep.rows.size(); ++u) {
        const bank::UnitRow& row = upkeep.rows[u];
        (void)bank::unitBars(bank::unitSummary(row));
        for (int scope = 0; scope <= 2; ++scope)
            (void)bank::unitStart(int(u), scope, row, unitCount);
    }
    (void)bank::unitStart(-1, 0, bank::UnitRow{}, unitCount);
    for (int u = 0; u < names.size() && u < 21; ++u) {
        const QString caption = bank::fitUnitCaption(u, names.at(u));
        int columns = 0;
        for (QChar c : caption)
            columns += bank::displayColumns(c);
        if (columns != 25)
            std::abort();
    }
    return 0;
}
