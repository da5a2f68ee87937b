#include "exam/questionshow.h"

namespace exam {

namespace {

QString num(long n) { return QString::number(n); }

// The id a candidate sees: the question id + 100, as four digits ("0105" for id 5).
QString displayId(int questionId)
{
    const QString digits = QStringLiteral("0000") + num(long(questionId) + 100);
    return digits.right(4);
}

} // namespace

std::optional<QString> questionTitle(const TitleInputs& in)
{
    const QString a = in.module.left(2);
    const QString n = num(in.number);
    const QString total = num(in.count);
    const QString id = QStringLiteral("(") + displayId(in.questionId) + QStringLiteral(")");
    const QString state = in.doneMark == QStringLiteral("F") ? QStringLiteral("(未完成)")
                                                              : QStringLiteral("(已完成)");
    switch (in.kind) {
    case 0:
        return a + QStringLiteral(" ") + num(long(in.subKind) + 1) + QStringLiteral("套第") + n
               + QStringLiteral("题") + id;
    case 2:
        return a + QStringLiteral(" 错") + num(long(in.paper) + 1) + QStringLiteral("-") + n
               + QStringLiteral("/") + total + id + state;
    case 5:
        return a + QStringLiteral(" 已") + n + QStringLiteral("/") + total + id + state;
    case 6:
        return a + QStringLiteral(" 未") + n + QStringLiteral("/") + total + id + state;
    case 8:
        return a + QStringLiteral(" 随") + num(long(in.paper) - 20) + QStringLiteral("-") + n + id;
    case 9:
    case 10:
    case 11:
        return a + QStringLiteral(" 藏") + n + QStringLiteral("/") + total + id + state;
    case 12:
    case 13:
    case 14:
        return a + QStringLiteral(" 复") + n + QStringLiteral("/") + total + id + state;
    case 20:
        return a + QStringLiteral(" ") + num(long(in.subKind) + 1) + QStringLiteral("单元") + n
               + QStringLiteral("/") + total + QStringLiteral("题") + state;
    default:
        return std::nullopt;
    }
}

QString unfinishedList(int count, const std::function<int(int)>& flagOf)
{
    QString list = QStringLiteral("未完成的题目");
    for (int i = 1; i <= count; ++i) {
        if (flagOf(i) <= 3)
            list += QStringLiteral(" ") + num(i);
    }
    return list;
}

QuestionText questionText(const QString& line)
{
    QuestionText q;
    const QString t = line.mid(6); // from column 7
    if (t.startsWith(QStringLiteral("picture"))) {
        q.isPicture = true;
        q.pictureName = t.mid(7, 6);
        q.text = t.mid(13);
        return q;
    }
    q.text = t;
    q.text.replace(QLatin1Char('|'), QStringLiteral("\r\n"));
    return q;
}

} // namespace exam
