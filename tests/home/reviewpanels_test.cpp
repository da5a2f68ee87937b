// The marked-question and own wrong-question panels: counters, review scope buttons with their
// pictures, and clearing a store after a confirmation.

#include "homefixture.h"

#include "toolkit/controls.h"

using namespace hometest;

class ReviewPanels : public HomeTest {
protected:
    struct Twin {
        const char *list, *flags; // file numbers
        int bit1, bit2, clear;
        const char *on1, *off1, *on2, *off2;
        const char* title;
        const char *prompt1, *prompt2, *prompt3;
    };
    static constexpr Twin kMarked{"288862", "288872", 40, 41, 23, "l20090", "l20040", "l20091", "l20041",
                                  "清除收藏的题目", "您确实要清除未复习的收藏题目吗？", "您确实要清除已复习的收藏题目吗？",
                                  "您确实要清除全部收藏题目吗？"};
    static constexpr Twin kWrong{"288863", "288873", 42, 43, 25, "l20092", "l20042", "l20093", "l20043",
                                 "清除我的错题", "您确实要清除未学习的我的错题题目吗？", "您确实要清除已学习的我的错题题目吗？",
                                 "您确实要清除全部我的错题题目吗？"};

public:
    QString file(const char* number) const { return userPath(QString::fromUtf8(number) + QStringLiteral(".mxy")); }
    void setStore(const Twin& t, const QString& list, const QString& flags)
    {
        writeLines(file(t.list), {list});
        writeLines(file(t.flags), {flags});
    }
    bool shows(const tavoButton& b, const char* picture) const
    {
        return b.Picture().toImage() == tk::loadPicture(dataPath(QString::fromUtf8(picture) + QStringLiteral(".mxy"))).toImage();
    }
    static tk::Label& notReviewed(FrmFengmian& w, const Twin& t) { return t.bit1 == 40 ? w.LblBiaoZhiWei : w.LblCuoTiWei; }
    static tk::Label& reviewed(FrmFengmian& w, const Twin& t) { return t.bit1 == 40 ? w.LblBiaoZhiYI : w.LblCuoTiYI; }
    static vb::Integer scope(FrmFengmian& w, const Twin& t) { return t.bit1 == 40 ? w.iBiaoZhiScope : w.iCuoTiScope; }
};

TEST_F(ReviewPanels, CountersAndScopeButtons)
{
    for (const Twin& t : {kMarked, kWrong}) {
        SCOPED_TRACE(t.title);
        // The flags are fitted to the list: an id without a flag is not yet reviewed.
        const struct {
            const char* list;
            const char* flags; // nullptr: no flags file
            const char *notYet, *done;
        } rows[] = {{"", nullptr, "0", "0"},
                    {"00010002", nullptr, "2", "0"},
                    {"000100020003", "TFT", "1", "2"},
                    {"0001000200030004", " tTxF ", "3", "1"},
                    {"00010002", "TFT", "1", "1"},
                    {"", "TFT", "0", "0"}};
        for (const auto& r : rows) {
            QFile::remove(file(t.flags));
            writeLines(file(t.list), {QString::fromUtf8(r.list)});
            if (r.flags)
                writeLines(file(t.flags), {QString::fromUtf8(r.flags)});
            FrmFengmian& w = FrmFengmian::get();
            EXPECT_EQ(notReviewed(w, t).Caption(), QString::fromUtf8(r.notYet));
            EXPECT_EQ(reviewed(w, t).Caption(), QString::fromUtf8(r.done));
            unloadWindows();
        }

        FrmFengmian& w = FrmFengmian::get();
        EXPECT_EQ(scope(w, t), 1);
        EXPECT_TRUE(shows(w.ClickBotn[t.bit1], t.on1));
        EXPECT_TRUE(shows(w.ClickBotn[t.bit2], t.off2));
        const struct {
            int button, scope;
            const char* picture;
        } presses[] = {{t.bit2, 3, t.on2}, {t.bit1, 2, t.off1}, {t.bit2, 0, t.off2}, {t.bit1, 1, t.on1}};
        for (const auto& p : presses) {
            w.ClickBotn_Click(p.button);
            EXPECT_EQ(scope(w, t), p.scope) << p.button;
            EXPECT_TRUE(shows(w.ClickBotn[p.button], p.picture)) << p.button;
        }
        EXPECT_EQ(notReviewed(w, t).Caption(), QStringLiteral("0")); // counters untouched
        unloadWindows();
    }
}

TEST_F(ReviewPanels, ClearingByScope)
{
    for (const Twin& t : {kMarked, kWrong}) {
        SCOPED_TRACE(t.title);
        const struct {
            std::vector<int> presses; // scope buttons (as bit-1 / bit-2 offsets 0 and 1) before the clear
            int answer;
            const char* prompt;
            const char *list, *flags;      // the files afterwards
            const char *notYet, *done;     // the counters afterwards
        } rows[] = {
            // Ids 4 and 5 have no flag: they are not yet reviewed, never dropped for it.
            {{}, 1, t.prompt1, "0001", "T", "0", "1"},
            {{1, 0}, 1, t.prompt2, "0002000300040005", "FFFF", "4", "0"}, // "t" is not yet reviewed
            {{1}, 1, t.prompt3, "", "", "0", "0"},
            {{}, 0, t.prompt1, "00010002000300040005", "TFt", "4", "1"}, // cancelled
        };
        for (const auto& r : rows) {
            setStore(t, QStringLiteral("00010002000300040005"), QStringLiteral("TFt"));
            FrmFengmian& w = FrmFengmian::get();
            w.ClickBotn_Click(t.bit1 == 40 ? 18 : 19);
            for (int offset : r.presses)
                w.ClickBotn_Click(offset == 0 ? t.bit1 : t.bit2);
            BoxAnswer box(r.answer);
            w.ClickBotn_Click(t.clear);
            ASSERT_EQ(box.titles, QStringList{QString::fromUtf8(t.title)});
            EXPECT_EQ(box.prompts.first(), QStringLiteral("\r\n\r\n\r\n") + QString::fromUtf8(r.prompt));
            EXPECT_EQ(readLines(file(t.list)), QStringList{QString::fromUtf8(r.list)});
            EXPECT_EQ(readLines(file(t.flags)), QStringList{QString::fromUtf8(r.flags)});
            EXPECT_EQ(notReviewed(w, t).Caption(), QString::fromUtf8(r.notYet));
            EXPECT_EQ(reviewed(w, t).Caption(), QString::fromUtf8(r.done));
            unloadWindows();
        }
    }
}

TEST_F(ReviewPanels, ClearsThatDoNothing)
{
    {
        // Both scopes off: no box at all.
        setStore(kMarked, QStringLiteral("0001"), QStringLiteral("F"));
        FrmFengmian& w = FrmFengmian::get();
        w.ClickBotn_Click(40);
        BoxAnswer none(1);
        w.ClickBotn_Click(23);
        w.ClickBotn_Click(22);
        QCoreApplication::processEvents();
        EXPECT_TRUE(none.titles.isEmpty());
        EXPECT_EQ(readLines(file(kMarked.list)), QStringList{QStringLiteral("0001")});
        unloadWindows();
    }

    // An empty list: confirmed, and nothing is written. A missing flags file: the ids are not yet
    // reviewed, and clearing those empties the store.
    const struct {
        const char* what;
        std::function<void(ReviewPanels&)> prepare;
        QStringList list, flags; // the files afterwards, {} for a missing file
    } rows[] = {
        {"flags missing", [](ReviewPanels& t) { QFile::remove(t.file(kMarked.flags)); }, {""}, {""}},
        {"list empty", [](ReviewPanels& t) { t.writeLines(t.file(kMarked.list), {QString()}); }, {""}, {"TF"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        setStore(kMarked, QStringLiteral("00010002"), QStringLiteral("TF"));
        r.prepare(*this);
        FrmFengmian& w = FrmFengmian::get();
        BoxAnswer confirm(1);
        w.ClickBotn_Click(23);
        EXPECT_EQ(confirm.titles.size(), 1);
        EXPECT_EQ(readLines(file(kMarked.list)), r.list);
        EXPECT_EQ(readLines(file(kMarked.flags)), r.flags);
        unloadWindows();
    }
}

// A store whose flags cannot be read (a folder in their place) is never taken for an empty one:
// the build reports it, a start and a clear tell the candidate so, and nothing is written.
TEST_F(ReviewPanels, AStoreThatCannotBeReadIsNoEmptyStore)
{
    for (const Twin& t : {kMarked, kWrong}) {
        SCOPED_TRACE(t.title);
        writeLines(file(t.list), {QStringLiteral("00010002")});
        QFile::remove(file(t.flags));
        QDir().mkpath(file(t.flags));
        const bool marked = t.bit1 == 40;
        Reports reports;
        FrmFengmian& w = FrmFengmian::get();
        EXPECT_TRUE(reports.list.contains(QStringLiteral("fengmaincsh:75")));
        const struct {
            int button;
            const char *title, *text;
        } acts[] = {
            {marked ? 22 : 24, marked ? "收藏题目练习" : "错题复习", "考试记录无法读取，本次练习未能开始！"},
            {t.clear, t.title, "考试记录无法读取，本次清除未能完成！"},
        };
        for (const auto& a : acts) {
            SCOPED_TRACE(a.button);
            BoxAnswer box(1);
            w.ClickBotn_Click(a.button);
            ASSERT_FALSE(box.titles.isEmpty());
            EXPECT_EQ(box.titles.last(), QString::fromUtf8(a.title));
            EXPECT_EQ(box.prompts.last(), QStringLiteral("\r\n\r\n\r\n") + QString::fromUtf8(a.text));
            EXPECT_TRUE(FrmFengmian::isLoaded());
            EXPECT_EQ(readLines(file(t.list)), QStringList{QStringLiteral("00010002")});
        }
        unloadWindows();
        QDir(file(t.flags)).removeRecursively();
    }
}
