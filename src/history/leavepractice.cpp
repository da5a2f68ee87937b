#include "history/leavepractice.h"

#include "bank/exercise.h"
#include "history/historyfiles.h"
#include "history/unitprogress.h"

namespace history {

namespace k = bank::kind;

int homePageAfterLeaving(int exerciseKind)
{
    switch (exerciseKind) {
    case k::UnitLearned:
    case k::UnitNotLearned:
    case k::WholeUnit:
        return 16;
    case k::MarkedAll:
    case k::MarkedNew:
    case k::MarkedReviewed:
        return 18;
    case k::WrongAll:
    case k::WrongNew:
    case k::WrongReviewed:
        return 19;
    default:
        return 0;
    }
}

bool leavingAsks(const LeaveInput& in)
{
    return in.exerciseKind == k::PaperWrong && anyCompleted(in.questions);
}

QString dropAnsweredQuestionText()
{
    return QStringLiteral("本次答对的题目要从“错题复习”中去掉吗？\r\n"
                          "如果你认为掌握的还不太好，建议你点“否”，把它们保留在错题记录中。");
}

namespace {

// Units that own a progress line (unit ids have two digits).
constexpr int kMaxProgressUnit = 99;

// Flags of a store practice over all its questions: question q is id q.
QString flagsByPosition(QString flags, const Questions& qs)
{
    for (int q = 1; q <= int(qs.size()); ++q)
        if (isCompleted(qs[size_t(q - 1)].flags))
            flags = setLearned(flags, q);
    return flags;
}

// Flags of a practice over the not-yet-reviewed questions: question j is the j-th id whose flag
// is not "T", which is how the start chose them.
QString flagsByUnreviewed(QString flags, const Questions& qs)
{
    int j = 1;
    for (qsizetype i = 0; i < flags.size(); ++i) {
        if (flags.at(i) == u'T')
            continue;
        if (j <= int(qs.size()) && isCompleted(qs[size_t(j - 1)].flags))
            flags[i] = u'T';
        ++j;
    }
    return flags;
}

std::optional<QStringList> newProgress(const LeaveInput& in, const std::optional<QStringList>& file)
{
    const bool wholeUnit = in.exerciseKind == k::WholeUnit;
    const int unit = wholeUnit ? in.subKind : in.selIndex;
    if (!file || unit < 0 || unit > kMaxProgressUnit)
        return std::nullopt;
    QStringList lines = progressLinesToKeep(*file);
    while (lines.size() <= unit)
        lines.append(QString());
    QString& line = lines[unit];
    if (wholeUnit) {
        line.clear();
        for (const Question& q : in.questions)
            line += isCompleted(q.flags) ? u'T' : u'F';
    } else {
        for (const Question& q : in.questions)
            if (isCompleted(q.flags) && q.code / 100 == unit)
                line = setLearned(line, q.code % 100);
    }
    return lines;
}

} // namespace

LeaveOutcome leavePractice(const LeaveInput& in, const LeaveFiles& files)
{
    LeaveOutcome out;
    const int kind = in.exerciseKind;
    const bool completed = anyCompleted(in.questions);

    // Every file the save needs must have been read; the marked store is merged and purged at
    // every leave.
    out.unreadable = !files.markedList || !files.markedFlags;
    if (completed && (kind == k::WholeUnit || kind == k::UnitNotLearned))
        out.unreadable = out.unreadable || !files.progress;
    if (completed && (kind == k::WrongAll || kind == k::WrongNew))
        out.unreadable = out.unreadable || !files.ownWrongFlags;
    if (completed && kind == k::PaperWrong && in.dropAnswered)
        out.unreadable = out.unreadable || !files.paperWrong;

    if (completed && (kind == k::WholeUnit || kind == k::UnitNotLearned))
        out.progress = newProgress(in, files.progress);

    std::optional<QString> markedFlags = files.markedFlags;
    if (completed && markedFlags && (kind == k::MarkedAll || kind == k::MarkedNew)) {
        markedFlags = kind == k::MarkedAll ? flagsByPosition(*markedFlags, in.questions)
                                           : flagsByUnreviewed(*markedFlags, in.questions);
        out.markedFlags = markedFlags;
    }
    if (completed && files.ownWrongFlags && (kind == k::WrongAll || kind == k::WrongNew))
        out.ownWrongFlags = kind == k::WrongAll ? flagsByPosition(*files.ownWrongFlags, in.questions)
                                                : flagsByUnreviewed(*files.ownWrongFlags, in.questions);

    // The marked-question store: merged (except in its own practices) and purged, for every kind.
    if (files.markedList && markedFlags) {
        StoreLines store{*files.markedList, *markedFlags};
        if (kind != k::MarkedAll && kind != k::MarkedNew && kind != k::MarkedReviewed)
            store = mergeMarked(store, in.questions);
        if (in.marksRead)
            store = removeUnmarked(store, in.questions);
        out.markedList = store.list;
        out.markedFlags = store.flags;
    }

    if (completed && kind == k::PaperWrong && in.dropAnswered && files.paperWrong)
        out.paperWrong = keepUncompleted(*files.paperWrong, in.questions);

    out.homePage = homePageAfterLeaving(kind);
    return out;
}

LeaveFiles readLeaveFiles(const UserFolder& folder, const LeaveInput& in)
{
    LeaveFiles f;
    f.progress = readLines(folder, historyFileName(kUnitProgress));
    if (const auto marked = readStore(folder, bank::Store::Marked)) {
        f.markedList = marked->list;
        f.markedFlags = marked->flags;
    }
    if (const auto own = readStore(folder, bank::Store::OwnWrong))
        f.ownWrongFlags = own->flags;
    if (in.exerciseKind == k::PaperWrong)
        f.paperWrong = readFirstLine(folder, paperWrongFileName(in.selIndex));
    return f;
}

platform::SetResult writeLeaveOutcome(const UserFolder& folder, const LeaveInput& in, const LeaveOutcome& out)
{
    if (out.unreadable)
        return platform::SetResult::Undone;
    FileSet set;
    if (out.progress)
        set.push_back({folder.file(kUnitProgress), closedLinesBytes(*out.progress)});
    if (out.ownWrongFlags)
        set.push_back({storeFiles(folder, bank::Store::OwnWrong).flags, lineBytes(*out.ownWrongFlags)});
    const StoreFiles marked = storeFiles(folder, bank::Store::Marked);
    if (out.markedList)
        set.push_back({marked.list, lineBytes(*out.markedList)});
    if (out.markedFlags)
        set.push_back({marked.flags, lineBytes(*out.markedFlags)});
    if (out.paperWrong) {
        const QString name = paperWrongFileName(in.selIndex);
        if (name.isEmpty())
            return platform::SetResult::Undone;
        set.push_back({folder.file(name), lineBytes(*out.paperWrong)});
    }
    return writeSet(folder, set);
}

} // namespace history
