#include "bank/questionset.h"

#include <algorithm>

namespace bank {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

StartDecision notice(const QString& title, const QString& text)
{
    StartDecision d;
    d.what = StartDecision::What::Notice;
    d.notice = {title, kCrLf + kCrLf + kCrLf + text};
    return d;
}

StartDecision start(QuestionSet set)
{
    StartDecision d;
    d.what = StartDecision::What::Start;
    d.set = std::move(set);
    return d;
}

// The ids of unit u whose progress character is wanted, in question order.
QString unitIds(int unit, const QString& progress, QChar wanted)
{
    QString ids;
    for (qsizetype q = 1; q <= progress.size() && q <= 99; ++q)
        if (progress.at(q - 1) == wanted)
            ids += idText(unit * 100 + int(q));
    return ids;
}

struct StoreCodes {
    QString title, emptyText, noNewText, noReviewedText;
    int allKind, newKind, reviewedKind;
};

StoreCodes storeCodes(Store store)
{
    if (store == Store::Marked)
        return {QStringLiteral("收藏题目练习"), QStringLiteral("您还没有已收藏题目！"),
                QStringLiteral("您没有未复习的收藏题目！"), QStringLiteral("您没有已复习的收藏题目！"),
                kind::MarkedAll, kind::MarkedNew, kind::MarkedReviewed};
    return {QStringLiteral("错题复习"), QStringLiteral("您还没有错题记录！"),
            QStringLiteral("您还没有未复习的错题记录！"), QStringLiteral("您还没有已复习的错题记录！"),
            kind::WrongAll, kind::WrongNew, kind::WrongReviewed};
}

} // namespace

StartDecision unitStart(int selUnit, int scope, const UnitRow& row, int unitCount)
{
    if (selUnit < 0 || selUnit >= kMaxUnits)
        return {StartDecision::What::Notice,
                {QStringLiteral("单元练习"), kCrLf + QStringLiteral("本模块共有") + QString::number(unitCount) +
                                                 QStringLiteral("单元") + kCrLf + kCrLf +
                                                 QStringLiteral("请先点击左边单元名称选择您要学习的单元，再点开始学习！")},
                {}};
    const int u = selUnit;
    QuestionSet set;
    set.runMode = 2;
    if (scope == 1 || scope == 2) {
        const bool learned = scope == 1;
        const QString ids = unitIds(u, row.progress, learned ? u'T' : u'F');
        if (ids.isEmpty())
            return notice(QStringLiteral("章节练习"),
                          learned ? QStringLiteral("您本部分没有已学题！") : QStringLiteral("您本部分没有未学题！"));
        set.exerciseKind = learned ? kind::UnitLearned : kind::UnitNotLearned;
        set.subKind = subKindOf(set.exerciseKind, u);
        set.selIndex = u;
        set.ids = ids;
        set.done = QStringList(wholeIdCount(ids), learned ? QStringLiteral("T") : QStringLiteral("F"));
        return start(set);
    }
    set.exerciseKind = kind::WholeUnit;
    set.subKind = u;
    set.unitCount = std::clamp(row.count, 0, kTableSize);
    // A unit without questions has nothing to learn.
    if (set.unitCount == 0)
        return notice(QStringLiteral("章节练习"), QStringLiteral("您本部分没有未学题！"));
    for (int q = 1; q <= set.unitCount; ++q)
        set.done.append(row.progress.mid(q - 1, 1));
    return start(set);
}

StartDecision storeStart(Store store, int scope, const QString& list, const QString& flags)
{
    if (scope == 0)
        return {};
    const StoreCodes c = storeCodes(store);
    if (list.isEmpty() || flags.isEmpty())
        return notice(c.title, c.emptyText);
    QString reviewed, unreviewed;
    const int paired = std::min<int>(int(flags.size()), wholeIdCount(list));
    for (int k = 1; k <= paired; ++k)
        (flags.at(k - 1) == u'T' ? reviewed : unreviewed) += idAt(list, k);

    QuestionSet set;
    set.runMode = 2;
    QString ids;
    if (scope == 1) {
        ids = unreviewed;
        set.exerciseKind = c.newKind;
    } else if (scope == 2) {
        ids = reviewed;
        set.exerciseKind = c.reviewedKind;
    } else {
        ids = list;
        set.exerciseKind = c.allKind;
    }
    set.subKind = subKindOf(set.exerciseKind, 0);
    ids = ids.trimmed();
    if (ids.isEmpty())
        return notice(c.title, scope == 1 ? c.noNewText : scope == 2 ? c.noReviewedText : c.emptyText);
    set.ids = ids.left(qsizetype(kTableSize) * 4);
    const int count = wholeIdCount(set.ids);
    for (int q = 1; q <= count; ++q) {
        if (scope == 1)
            set.done.append(QStringLiteral("F"));
        else if (scope == 2)
            set.done.append(QStringLiteral("T"));
        else
            set.done.append(flags.mid(q - 1, 1));
    }
    return start(set);
}

StartDecision paperStart(int paper, const QString& paperIds)
{
    QuestionSet set;
    set.exerciseKind = paper < 20 ? kind::FixedPaper : kind::RandomPaper;
    set.subKind = subKindOf(set.exerciseKind, paper);
    set.selIndex = paper;
    set.runMode = 3;
    set.ids = paperIds;
    set.done = QStringList(40, QStringLiteral("F"));
    return start(set);
}

QuestionSet paperWrongReviewSet(int paper, const QString& wrongLine)
{
    QuestionSet set;
    set.exerciseKind = kind::PaperWrong;
    set.subKind = subKindOf(kind::PaperWrong, paper);
    set.selIndex = paper;
    set.runMode = 2;
    set.ids = wrongLine;
    set.done = QStringList(std::min(wholeIdCount(wrongLine), kTableSize), QStringLiteral("F"));
    return set;
}

} // namespace bank
