#include "bank/exercise.h"

#include "bank/banklayout.h"
#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QSet>
#include <algorithm>
#include <climits>
#include <map>
#include <optional>

namespace bank {

QString idText(int code)
{
    const QString t = QString::number(code);
    return (code >= 0 && code <= 9999) ? t.rightJustified(4, u'0') : t;
}

int wholeIdCount(const QString& ids)
{
    return int(std::min<qsizetype>(ids.size() / 4, 1 << 28));
}

QString idAt(const QString& ids, int k)
{
    if (k < 1 || k > wholeIdCount(ids))
        return {};
    return ids.mid(qsizetype(k - 1) * 4, 4);
}

QStringList splitIds(const QString& ids, int maxIds)
{
    const int n = std::min(wholeIdCount(ids), std::max(maxIds, 0));
    QStringList out;
    out.reserve(n);
    for (int k = 1; k <= n; ++k)
        out.append(ids.mid(qsizetype(k - 1) * 4, 4));
    return out;
}

bool isIdText(const QString& id)
{
    return id.size() == 4 && std::all_of(id.begin(), id.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int subKindOf(int exerciseKind, int paperOrUnit)
{
    switch (exerciseKind) {
    case kind::FixedPaper:
    case kind::WholeUnit:
        return paperOrUnit;
    case kind::PaperWrong:
    case kind::UnitLearned:
    case kind::UnitNotLearned:
    case kind::RandomPaper:
    case kind::MarkedAll:
    case kind::MarkedNew:
    case kind::MarkedReviewed:
    case kind::WrongAll:
    case kind::WrongNew:
    case kind::WrongReviewed:
        return kListBuiltNumber - exerciseKind;
    default:
        return -1;
    }
}

bool isMockPaper(int exerciseKind)
{
    return exerciseKind == kind::FixedPaper || exerciseKind == kind::RandomPaper;
}

QString bankFileName(int number)
{
    if (number < 0 || number > 99)
        return {};
    return QStringLiteral("2888") + QString::number(number).rightJustified(2, u'0') + QStringLiteral(".mxy");
}

ExercisePaths exercisePaths(const QString& dataDir, int fileNumber)
{
    // No data folder named: never the working folder, whatever it is.
    if (fileNumber < 0 || fileNumber > 49 || dataDir.isEmpty())
        return {};
    return {joinPath(dataDir, bankFileName(fileNumber)), joinPath(dataDir, bankFileName(fileNumber + 50)),
            joinPath(dataDir, bankFileName(90))};
}

QString unitOpPath(const QString& dataDir, int unit)
{
    return (unit >= 0 && unit < kMaxUnits) ? joinPath(dataDir, bankFileName(20 + unit)) : QString();
}

QString unitTextPath(const QString& dataDir, int unit)
{
    return (unit >= 0 && unit < kMaxUnits) ? joinPath(dataDir, bankFileName(70 + unit)) : QString();
}

int blockLength(const QString& textLine)
{
    return std::clamp(roundToInt(numericValue(textLine.mid(4, 2))), 0, 99);
}

std::vector<int> recordOffsets(const QStringList& textLines)
{
    std::vector<int> offsets{1};
    for (const QString& line : textLines) {
        if (int(offsets.size()) >= kTableSize || line.trimmed().isEmpty())
            break;
        offsets.push_back(offsets.back() + blockLength(line));
    }
    return offsets;
}

namespace {

// A unit file pair read once: its text lines and where each question's block begins.
struct UnitFiles {
    bool readable = false;
    bool missing = false; // neither file is there: the unit is no longer in the bank
    QStringList textLines;
    QStringList opLines;
    std::vector<int> firstLine; // index q - 1: first operation line (from 1) of question q
};

UnitFiles readUnit(const QString& dataDir, int unit)
{
    UnitFiles u;
    auto text = platform::readAllLines(unitTextPath(dataDir, unit));
    auto ops = platform::readAllLines(unitOpPath(dataDir, unit));
    if (!text || !ops) {
        u.missing = !platform::findFile(unitTextPath(dataDir, unit), platform::EntryKind::Any) &&
                    !platform::findFile(unitOpPath(dataDir, unit), platform::EntryKind::Any);
        return u;
    }
    u.readable = true;
    u.textLines = std::move(*text);
    u.opLines = std::move(*ops);
    int first = 1;
    u.firstLine.reserve(size_t(u.textLines.size()));
    for (const QString& line : u.textLines) {
        u.firstLine.push_back(first);
        first += blockLength(line);
    }
    return u;
}

} // namespace

BuildResult buildExercisePair(const QString& dataDir, const QString& ids, int maxIds, bool leaveOutMissing)
{
    BuildResult r;
    std::map<int, UnitFiles> units;
    const QStringList list = splitIds(ids, maxIds);
    for (int k = 1; k <= list.size(); ++k) {
        const QString& id = list.at(k - 1);
        r.badPosition = k;
        // An id the bank does not hold: left out and counted, or the build fails on it.
        auto leftOut = [&] {
            r.leftOut += leaveOutMissing ? 1 : 0;
            return leaveOutMissing;
        };
        const int code = isIdText(id) ? id.toInt() : -1;
        const int unit = code / 100, q = code % 100;
        if (code < 0 || unit >= kMaxUnits || q < 1) {
            if (leftOut())
                continue;
            r.error = BuildError::BadId;
            return r;
        }
        auto it = units.find(unit);
        if (it == units.end())
            it = units.emplace(unit, readUnit(dataDir, unit)).first;
        const UnitFiles& u = it->second;
        if (!u.readable) {
            if (u.missing && leftOut())
                continue;
            r.error = BuildError::UnitUnreadable;
            return r;
        }
        // A blank text line is no question: it would end the record-offset table.
        if (q > u.textLines.size() || u.textLines.at(q - 1).trimmed().isEmpty()) {
            if (leftOut())
                continue;
            r.error = BuildError::BadId;
            return r;
        }
        const QString& textLine = u.textLines.at(q - 1);
        const int first = u.firstLine[size_t(q - 1)], len = blockLength(textLine);
        if (first - 1 + len > u.opLines.size()) {
            r.error = BuildError::UnitUnreadable;
            return r;
        }
        r.pair.textLines.append(textLine);
        for (int i = 0; i < len; ++i)
            r.pair.opLines.append(u.opLines.at(first - 1 + i));
        r.pair.codes.push_back(code);
        r.positions.push_back(k);
    }
    r.badPosition = 0;
    if (leaveOutMissing && r.pair.codes.empty() && r.leftOut > 0)
        r.error = BuildError::NothingLeft;
    return r;
}

namespace {
QString linesText(const QStringList& lines)
{
    QString text;
    for (const QString& l : lines) {
        text += l;
        text += QStringLiteral("\r\n");
    }
    return text;
}
} // namespace

bool writeExercisePair(const QString& dataDir, int fileNumber, const ExercisePair& pair)
{
    const ExercisePaths p = exercisePaths(dataDir, fileNumber);
    if (p.opFile.isEmpty())
        return false;
    // Operation file first: a question-text file never describes blocks that are not there yet.
    return platform::writeWholeFile(p.opFile, linesText(pair.opLines)) &&
           platform::writeWholeFile(p.textFile, linesText(pair.textLines));
}

LaunchResult prepareExercise(const QString& dataDir, const QuestionSet& set, const std::optional<QString>& markedList)
{
    LaunchResult r;
    ExerciseSetup& s = r.setup;
    s.exerciseKind = set.exerciseKind;
    s.subKind = set.subKind;
    s.selIndex = set.selIndex;
    s.runMode = set.runMode;
    const int number = exerciseFileNumber(set.exerciseKind, set.subKind);
    s.paths = exercisePaths(dataDir, number);

    std::vector<int> codes;
    QStringList textLines;
    QStringList doneMarks = set.done;
    if (set.exerciseKind == kind::WholeUnit) {
        const int unit = set.subKind;
        const UnitFiles u = (unit >= 0 && unit < kMaxUnits) ? readUnit(dataDir, unit) : UnitFiles{};
        const int count = std::clamp(set.unitCount, 0, kTableSize);
        if (!u.readable || count > u.textLines.size()) {
            r.error = BuildError::UnitUnreadable;
            return r;
        }
        textLines = u.textLines;
        for (int q = 1; q <= count; ++q)
            codes.push_back(unit * 100 + q);
        // Every question needs its text line and the whole of its record block.
        const std::vector<int> off = recordOffsets(textLines);
        if (int(off.size()) <= count || off[size_t(count)] - 1 > u.opLines.size()) {
            r.error = BuildError::UnitUnreadable;
            return r;
        }
    } else {
        if (s.paths.opFile.isEmpty()) {
            r.error = BuildError::WriteFailed;
            return r;
        }
        const int maxIds = isMockPaper(set.exerciseKind) ? 40 : kTableSize;
        BuildResult b = buildExercisePair(dataDir, set.ids, maxIds, true);
        r.leftOut = b.leftOut;
        if (!b.ok()) {
            r.error = b.error;
            r.badPosition = b.badPosition;
            return r;
        }
        // Each remaining question keeps the done mark of its own position.
        QStringList done;
        for (const int k : b.positions)
            done.append(set.done.value(k - 1));
        doneMarks = std::move(done);
        if (!writeExercisePair(dataDir, number, b.pair)) {
            r.error = BuildError::WriteFailed;
            return r;
        }
        codes = std::move(b.pair.codes);
        textLines = std::move(b.pair.textLines);
    }

    s.count = int(codes.size());
    s.marksRead = markedList.has_value();
    const QStringList marked = splitIds(markedList.value_or(QString()), INT_MAX);
    const QSet<QString> markedSet(marked.begin(), marked.end());
    s.codes.assign(kTableSize, 0);
    s.flags.assign(kTableSize, 0);
    s.done = QStringList(kTableSize, QString());
    s.lineOffsets.assign(kTableSize, 0);
    for (int q = 1; q <= s.count; ++q) {
        const int i = q - 1;
        s.codes[size_t(i)] = codes[size_t(i)];
        s.done[i] = doneMarks.value(i);
        s.flags[size_t(i)] = (s.done[i] == QStringLiteral("T") ? 4 : 0) +
                             (markedSet.contains(idText(codes[size_t(i)])) ? 2 : 0);
    }
    const std::vector<int> offsets = recordOffsets(textLines);
    std::copy(offsets.begin(), offsets.end(), s.lineOffsets.begin());
    return r;
}

} // namespace bank
