#include "history/handin.h"

#include "bank/banklayout.h"
#include "bank/exercise.h"
#include "history/historyfiles.h"
#include "history/paperresults.h"
#include "platform/textfile.h"

namespace history {

QString handedInPaperIds(int exerciseKind, int subKind, int selIndex, const QStringList& layoutLines,
                         const QStringList& generatedLines)
{
    if (exerciseKind == bank::kind::RandomPaper) {
        const int i = selIndex - 20;
        return (i >= 0 && i < kMaxGeneratedPapers && i < generatedLines.size()) ? generatedLines.at(i) : QString();
    }
    return bank::fixedPaperIds(layoutLines, subKind);
}

std::optional<QString> readHandedInPaperIds(const UserFolder& folder, const QString& dataDir, int exerciseKind,
                                            int subKind, int selIndex)
{
    if (exerciseKind == bank::kind::RandomPaper) {
        const auto list = readLines(folder, historyFileName(kGeneratedPapers));
        if (!list)
            return std::nullopt;
        return handedInPaperIds(exerciseKind, subKind, selIndex, {}, *list);
    }
    const platform::LinesRead layout = platform::readLines(bank::bankLayoutPath(dataDir));
    if (layout.status == platform::ReadStatus::Missing)
        return QString();
    if (!layout.read())
        return std::nullopt;
    return handedInPaperIds(exerciseKind, subKind, selIndex, layout.lines, {});
}

QString scoreLine(int exerciseKind, int subKind, double score)
{
    if (exerciseKind == bank::kind::RandomPaper)
        return QStringLiteral("随机题得分：") + scoreText(score) + QStringLiteral("分");
    return QStringLiteral("第") + QString::number(subKind + 1) + QStringLiteral("套得分：") + scoreText(score) +
           QStringLiteral("分");
}

namespace {
// The ids of the questions handed in: the exercise's own, which leave out the ids of the paper that
// the bank no longer held at the start; the paper's line when the questions carry no ids. A paper
// without its id line lists no id.
QString exerciseIds(const QString& paperIds, const Questions& questions)
{
    if (bank::wholeIdCount(paperIds) == 0)
        return paperIds;
    QString ids;
    for (const Question& q : questions) {
        if (q.code <= 0)
            return paperIds;
        ids += bank::idText(q.code);
    }
    return questions.empty() ? paperIds : ids;
}
} // namespace

HandInOutcome handInPaper(const HandInInput& in, const HandInFiles& files)
{
    HandInOutcome out;
    out.unreadable = !in.paperIds || !files.marked || !files.ownWrong || !files.results;
    if (files.marked)
        out.marked = mergeMarked(*files.marked, in.questions);

    // The paper always has 40 questions; one the exercise does not have counts as not completed.
    Questions paper(kPaperQuestions);
    for (int q = 0; q < kPaperQuestions && q < int(in.questions.size()); ++q)
        paper[size_t(q)] = in.questions[size_t(q)];
    for (const Question& q : paper) {
        out.done.push_back(isCompleted(q.flags));
        out.completed += isCompleted(q.flags) ? 1 : 0;
    }
    out.score = paperScore(out.completed);
    if (in.paperIds)
        out.paperWrong = paperWrongIds(exerciseIds(*in.paperIds, in.questions), paper);
    if (in.paperIds && files.ownWrong)
        out.ownWrong = addOwnWrong(*files.ownWrong, out.paperWrong);
    if (files.results)
        out.results = recordPaperResult(*files.results, in.selIndex, in.startTime, out.score, in.now);
    return out;
}

HandInFiles readHandInFiles(const UserFolder& folder)
{
    return {readStore(folder, bank::Store::Marked), readStore(folder, bank::Store::OwnWrong),
            readResults(folder)};
}

platform::SetResult writeHandInOutcome(const UserFolder& folder, int paper, const HandInOutcome& out)
{
    const QString wrongName = paperWrongFileName(paper);
    if (wrongName.isEmpty() || out.unreadable || !out.marked || !out.ownWrong || !out.results)
        return platform::SetResult::Undone;
    FileSet set;
    addStore(set, storeFiles(folder, bank::Store::Marked), *out.marked);
    set.push_back({folder.file(wrongName), lineBytes(out.paperWrong)});
    addStore(set, storeFiles(folder, bank::Store::OwnWrong), *out.ownWrong);
    set.push_back({folder.file(kPaperResults), resultsBytes(*out.results)});
    return writeSet(folder, set);
}

} // namespace history
