#pragma once
// The unit progress file (user folder 288893.mxy): line u + 1 holds unit u's progress, one
// character per question, "T" learned, "F" not yet (only an upper-case "F" is not learned). The
// home window brings it into line with the bank's unit question counts at every build and fills
// the unit table from it; leaving a unit practice rewrites the practised unit's line.

#include "bank/unittable.h"
#include "history/historyfiles.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace history {

inline constexpr int kProgressLines = 25;

// The 25 progress lines brought into line with the counts: a longer line is cut to its unit's
// count, a shorter one filled up with "F"; a unit without a count gets an empty line.
QStringList normaliseProgress(const QStringList& fileLines, const std::vector<int>& counts);

// A unit table row from a progress line.
bank::UnitRow unitRow(const QString& progressLine);

struct ProgressUpkeep {
    std::vector<bank::UnitRow> rows; // units 0 to unitCount - 1 (at most 41 rows)
    bool rewritten = false;          // the file holds the upkeep's lines (written, or already so)
};

// The upkeep of the home window's build. counts are the bank layout's unit question counts
// (bank::unitQuestionCounts); without counts the file is left as it is and the rows come from
// its lines as they stand. A file that exists but cannot be read is not rewritten either.
ProgressUpkeep upkeepUnitProgress(const UserFolder& folder, const std::optional<std::vector<int>>& counts,
                                  int unitCount);

// The lines of a progress file to keep when one line of it is rewritten: every line read, the
// empty line that closes the file left out (writeLinesClosed puts it back).
QStringList progressLinesToKeep(const QStringList& fileLines);

} // namespace history
