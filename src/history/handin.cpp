#include "history/handin.h"

#include "bank/banklayout.h"
#include "bank/exercise.h"
#include "history/historyfiles.h"
#include "history/paperresults.h"

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
QString exerciseIds(const HandInInput& in)
{
    if (bank::wholeIdCount(in.paperIds) == 0)
        return in.paperIds;
    QString ids;
    for (const Question& q : in.questions) {
        if (q.code <= 0)
            return in.paperIds;
        ids += bank::idText(q.code);
    }
    return in.questions.empty() ? in.paperIds : ids;
}
} // namespace

HandInOutcome handInPaper(const HandInInput& in, const HandInFiles& files)
{
    HandInOutcome out;
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
    out.paperWrong = paperWrongIds(exerciseIds(in), paper);
    if (files.ownWrong)
        out.ownWrong = addOwnWrong(*files.ownWrong, out.paperWrong);
    if (files.results)
        out.results = recordPaperResult(*files.results, in.selIndex, in.startTime, out.score, in.now);
    return out;
}

HandInFiles readHandInFiles(const QString& userDir)
{
    return {readStore(storeFiles(userDir, bank::Store::Marked)),
            readStore(storeFiles(userDir, bank::Store::OwnWrong)), readResults(userDir)};
}

bool writeHandInOutcome(const QString& userDir, int paper, const HandInOutcome& out)
{
    const QString wrongPath = paperWrongPath(userDir, paper);
    if (wrongPath.isEmpty())
        return false;
    FileSet set;
    if (out.marked)
        addStore(set, storeFiles(userDir, bank::Store::Marked), *out.marked);
    set.push_back({wrongPath, lineBytes(out.paperWrong)});
    if (out.ownWrong)
        addStore(set, storeFiles(userDir, bank::Store::OwnWrong), *out.ownWrong);
    if (out.results)
        set.push_back({userFile(userDir, kPaperResults), resultsBytes(*out.results)});
    return writeSet(userDir, set);
}

} // namespace history
