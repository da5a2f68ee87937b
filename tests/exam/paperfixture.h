#pragma once
// A mock paper on the panel's test program folder: 40 questions of fixed paper p (or of a
// generated random paper), its id line in the bank layout file (or the generated paper list),
// unit files for the wrong-question review, the skin pictures of the log-on, hand-in and score
// windows in colours of their own, and a fixed clock. The examination windows are unloaded
// before the panel and the surface go.

#include "common/testscope.h"
#include "controls/frmkvmsgbox.h"
#include "exam/frmchengji.h"
#include "exam/frmend.h"
#include "exam/frmlogon.h"
#include "panelfixture.h"
#include "toolkit/toolkit_testutil.h"
#include "toolkit/vb.h"

#include <QDateTime>
#include <QTimer>

namespace paperfixture {

inline void closeExamWindows()
{
    FrmKVMSGBOX::unloadIfLoaded();
    FrmEnd1::unloadIfLoaded();
    FrmEnd2::unloadIfLoaded();
    FrmChengji::unloadIfLoaded();
    FrmLogon::unloadIfLoaded();
    tktest::flushDeletes();
}

inline const QColor kDone(0, 200, 0), kWrong(200, 0, 0);

// The screen scales the layout tests run at: the design and an uneven one.
struct Scale {
    double sx, sy;
};
inline constexpr Scale kScales[] = {{1, 1}, {1.25, 0.8}};
inline const QDateTime kNow(QDate(2026, 12, 10), QTime(14, 5, 9));

// The id of question q of the paper: unit (q - 1) / 10, question (q - 1) % 10 + 1 of that unit,
// so ids 0001..0010, 0101..0110, 0201.., 0301..
inline int paperCode(int q) { return (q - 1) / 10 * 100 + (q - 1) % 10 + 1; }
inline QString paperId(int q) { return QStringLiteral("%1").arg(paperCode(q), 4, 10, QLatin1Char('0')); }
inline QString paperIds()
{
    QString ids;
    for (int q = 1; q <= 40; ++q)
        ids += paperId(q);
    return ids;
}

class Paper : public panelfixture::Panel {
public:
    // Fixed paper `paper` (0 to 19) or generated paper `paper` (20 to 29), 40 questions, flags 1
    // (opened), panel not loaded yet.
    explicit Paper(int paper = 4) : Panel(40)
    {
        closeExamWindows();
        using namespace ModData;
        vb::setClock([] { return kNow; });
        for (const char* id : {"9l0056", "9l0057", "9l0058", "l01035", "l01036", "l01037", "l01041", "l01042",
                               "l20072", "l62011"})
            picture(QLatin1String(id), Qt::gray);
        picture(QStringLiteral("l01033"), kDone);
        picture(QStringLiteral("l01034"), kWrong);
        sKsName = QStringLiteral("张三");
        setPaper(paper);
        for (int q = 1; q <= 40; ++q) {
            iTmCode(q) = qint16(paperCode(q));
            iTmFlags(q) = 1;
        }
        iRunMode = 3;
        iLeftMinutes = 50;
        sKsStartTime = QStringLiteral("2026-12-10 13:00:00");
        bTmCanClose = false;
    }
    ~Paper()
    {
        closeExamWindows();
        vb::setClock({});
    }

    void setPaper(int paper)
    {
        using namespace ModData;
        iSelIndex = qint16(paper);
        if (paper < 20) {
            iLianXiType = 0;
            iLianXiSub = qint16(paper);
            QStringList layout;
            for (int line = 1; line <= paper + 3; ++line)
                layout << (line == paper + 3 ? paperIds() : QStringLiteral("x"));
            writeFile(data + QStringLiteral("288891.mxy"), layout.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        } else {
            iLianXiType = 8;
            iLianXiSub = 11;
            QStringList generated;
            for (int k = 1; k <= paper - 19; ++k)
                generated << (k == paper - 19 ? paperIds() : QStringLiteral("99999999"));
            writeFile(user + QStringLiteral("288891.mxy"), generated.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        }
    }

    // Unit u's file pair: question n has the text line "0000" & block length & text and a block
    // of `blocks[n - 1]` records "u-n-k".
    void unitFiles(int unit, const std::vector<int>& blocks) const
    {
        QStringList text, ops;
        for (int n = 1; n <= int(blocks.size()); ++n) {
            text << QStringLiteral("0000%1单元%2第%3题").arg(blocks[size_t(n - 1)], 2, 10, QLatin1Char('0')).arg(unit).arg(n);
            for (int k = 1; k <= blocks[size_t(n - 1)]; ++k)
                ops << QStringLiteral("%1-%2-%3").arg(unit).arg(n).arg(k);
        }
        const QString nn = QString::number(20 + unit), tt = QString::number(70 + unit);
        writeFile(data + QStringLiteral("2888") + nn + QStringLiteral(".mxy"), ops.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        writeFile(data + QStringLiteral("2888") + tt + QStringLiteral(".mxy"), text.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }

    QString userPath(const QString& number) const { return user + number + QStringLiteral(".mxy"); }
    QString dataPath(const QString& number) const { return data + number + QStringLiteral(".mxy"); }

    // The raw bytes of a file, to check GBK and CR LF.
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// Runs `inside` once the next modal window has opened (from its own event loop).
inline void whenModal(std::function<void()> inside) { QTimer::singleShot(0, testscope::context(), std::move(inside)); }

inline QColor colourOf(const tavoButton& b) { return b.Picture().toImage().pixelColor(0, 0); }

} // namespace paperfixture
