// Leaving a practice exercise through the question panel's return button: what is written to the
// history files, what the candidate is asked, and the hand-over to the home window.

#include "common/privileges.h"
#include "panelfixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPointer>
#include <QTest>
#include <map>
#include <string>
#include <vector>

using panelfixture::Notices;
using panelfixture::Panel;
using namespace ModData;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

// The history files a practice may touch.
const char* const kFiles[] = {"288862", "288872", "288863", "288873", "288893", "182403"};

using Files = std::map<std::string, const char*>; // file number -> content (CR LF spelled out)

// Each history file holds what was written to it, else what it held before, else is missing.
void expectFiles(const QString& user, const Files& before, const Files& after, const std::string& skip = {})
{
    for (const char* name : kFiles) {
        if (name == skip)
            continue;
        SCOPED_TRACE(name);
        const QString path = user + QString::fromLatin1(name) + QStringLiteral(".mxy");
        const auto written = after.find(name);
        const auto was = before.find(name);
        if (written != after.end())
            EXPECT_EQ(s(Panel::readFile(path)), written->second);
        else if (was != before.end())
            EXPECT_EQ(s(Panel::readFile(path)), was->second);
        else
            EXPECT_FALSE(Panel::exists(path));
    }
}

struct LeaveCase {
    const char* what;
    int kind, sub, sel;
    std::vector<int> codes, flags; // questions 1 to n
    Files before;
    exam::BoxAnswer answer;
    bool asks;
    Files after; // files written with new content; every other file stays as it was, or missing
    int page;
    bool marksRead = true; // the marked list was read at the exercise's start
};

const LeaveCase kCases[] = {
    {"kind 9: review flags by list position", 9, 10, 0, {101, 102, 103}, {7, 3, 7},
     {{"288862", "010101020103\r\n"}, {"288872", "FTF\r\n"}}, exam::BoxAnswer::No, false,
     {{"288872", "TTT\r\n"}}, 18},
    {"kind 10: review flags by not-yet-reviewed position", 10, 9, 0, {102, 104}, {3, 7},
     {{"288862", "0101010201030104\r\n"}, {"288872", "TFTF\r\n"}}, exam::BoxAnswer::No, false,
     {{"288872", "TFTT\r\n"}}, 18},
    {"kind 11: no merge, the unmarked leaves", 11, 8, 0, {101, 102, 103}, {7, 5, 3},
     {{"288862", "010101020104\r\n"}, {"288872", "TFT\r\n"}}, exam::BoxAnswer::No, false,
     {{"288862", "01010104\r\n"}, {"288872", "TT\r\n"}}, 18},
    {"kind 2, Yes: the answered questions leave the paper's file", 2, 17, 3, {101, 102, 103, 104},
     {5, 1, 5, 1}, {{"182403", "0101010201030104\r\n"}}, exam::BoxAnswer::Yes, true,
     {{"182403", "01020104\r\n"}, {"288862", "\r\n"}, {"288872", "\r\n"}}, 0},
    {"kind 2, No: the paper's file keeps every id", 2, 17, 3, {101, 102, 103, 104}, {5, 1, 5, 1},
     {{"182403", "0101010201030104\r\n"}}, exam::BoxAnswer::No, true,
     {{"288862", "\r\n"}, {"288872", "\r\n"}}, 0},
    {"kind 2, nothing completed: asks nothing, still merges", 2, 17, 3, {101, 102, 103, 104},
     {1, 1, 3, 1}, {{"182403", "0101010201030104\r\n"}}, exam::BoxAnswer::Yes, false,
     {{"288862", "0103\r\n"}, {"288872", "F\r\n"}}, 0},
    {"kind 12: unmarking keeps list and flags aligned", 12, 7, 0, {101, 102}, {5, 3},
     {{"288862", "010101020103\r\n"}, {"288872", "TFT\r\n"}, {"288863", "01010102\r\n"},
      {"288873", "FF\r\n"}},
     exam::BoxAnswer::No, false, {{"288862", "01020103\r\n"}, {"288872", "FT\r\n"}, {"288873", "TF\r\n"}},
     19},
    {"kind 13: own wrong flags by not-yet-reviewed position", 13, 6, 0, {102, 104}, {1, 5},
     {{"288863", "0101010201030104\r\n"}, {"288873", "TFTF\r\n"}}, exam::BoxAnswer::No, false,
     {{"288873", "TFTT\r\n"}, {"288862", "\r\n"}, {"288872", "\r\n"}}, 19},
    {"kind 20, nothing completed: only the merge and the purge", 20, 0, 0, {1, 2, 3}, {3, 1, 0},
     {{"288893", "TTF\r\nFF\r\n\r\n"}, {"288862", "00020005\r\n"}, {"288872", "TF\r\n"},
      {"288873", "FT\r\n"}},
     exam::BoxAnswer::No, false, {{"288862", "00050001\r\n"}, {"288872", "FF\r\n"}}, 16},
    {"kind 20: the unit's line rebuilt, a marked question added with F", 20, 1, 0, {101, 102, 103},
     {5, 3, 4}, {{"288893", "FFF\r\nTF\r\n\r\n"}}, exam::BoxAnswer::No, false,
     {{"288893", "FFF\r\nTFT\r\n\r\n"}, {"288862", "0102\r\n"}, {"288872", "F\r\n"}}, 16},
    {"kind 6: completed questions learned in the unit's line", 6, 13, 1, {101, 103}, {5, 1},
     {{"288893", "FFF\r\nFTF\r\n\r\n"}}, exam::BoxAnswer::No, false,
     {{"288893", "FFF\r\nTTF\r\n\r\n"}, {"288862", "\r\n"}, {"288872", "\r\n"}}, 16},
    {"kind 5: nothing but the marked store", 5, 14, 1, {101}, {5}, {{"288893", "TFF\r\n"}},
     exam::BoxAnswer::No, false, {{"288862", "\r\n"}, {"288872", "\r\n"}}, 16},
    {"kind 5, the marked list unread at the start: a question shown unmarked stays in the store", 5, 14, 1,
     {101, 102}, {4, 2}, {{"288862", "0101\r\n"}, {"288872", "T\r\n"}}, exam::BoxAnswer::No, false,
     {{"288862", "01010102\r\n"}, {"288872", "TF\r\n"}}, 16, false},
    {"kind 14: nothing but the marked store", 14, 5, 0, {101}, {7},
     {{"288863", "0101\r\n"}, {"288873", "T\r\n"}}, exam::BoxAnswer::No, false,
     {{"288862", "0101\r\n"}, {"288872", "F\r\n"}}, 19},
    {"kind 8 in practice mode", 8, 11, 23, {101, 102}, {5, 7}, {}, exam::BoxAnswer::No, false,
     {{"288862", "0102\r\n"}, {"288872", "F\r\n"}}, 0},
    {"kind 0 in practice mode", 0, 3, 3, {101}, {4}, {}, exam::BoxAnswer::No, false,
     {{"288862", "\r\n"}, {"288872", "\r\n"}}, 0},
};

} // namespace

TEST(LeavePractice, ThroughTheReturnButton)
{
    for (const LeaveCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const int n = int(c.codes.size());
        Panel world(n);
        world.answer = c.answer;
        iLianXiType = qint16(c.kind);
        iLianXiSub = qint16(c.sub);
        iSelIndex = qint16(c.sel);
        bTmMarksRead = c.marksRead;
        iDanYuanCount = 2;
        auto path = [&](const std::string& name) {
            return world.user + QString::fromStdString(name) + QStringLiteral(".mxy");
        };
        for (const auto& [name, content] : c.before)
            Panel::writeFile(path(name), QString::fromUtf8(content));
        FrmTm& panel = Panel::panel();
        FrmMain::get().Show();
        panel.Show();
        for (int q = 1; q <= n; ++q) {
            iTmCode(q) = qint16(c.codes[size_t(q - 1)]);
            iTmFlags(q) = qint16(c.flags[size_t(q - 1)]);
        }
        panel.TimerREDO.setEnabled(true);
        panel.TimStartYS.setEnabled(true);
        FrmPicture::get().Show(); // the question picture open
        panel.Image2.setCaption(QStringLiteral("隐藏图片"));
        const QPointer<FrmTm> leaving(&panel);

        QTest::mouseClick(&panel.CmdGN[5], Qt::LeftButton);

        // What was asked.
        ASSERT_EQ(world.asked.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            const exam::BoxRequest& r = world.asked[0];
            EXPECT_EQ(s(r.prompt), s(QStringLiteral(
                                       "本次答对的题目要从“错题复习”中去掉吗？\r\n"
                                       "如果你认为掌握的还不太好，建议你点“否”，把它们保留在错题记录中。")));
            EXPECT_EQ(s(r.title), s(QStringLiteral("职称计算机练习——Windows XP模块")));
            EXPECT_EQ(r.buttons, exam::BoxButtons::YesNo);
            EXPECT_TRUE(r.questionIcon);
            EXPECT_TRUE(r.defaultNo);
        }
        // What was written.
        expectFiles(world.user, c.before, c.after);
        // The panel and the surface gone, the home window on the kind's page.
        EXPECT_TRUE(bTmCanClose);
        EXPECT_FALSE(FrmTm::isLoaded());
        EXPECT_FALSE(FrmMain::isLoaded());
        EXPECT_FALSE(FrmPicture::get().Visible());
        if (leaving) {
            EXPECT_EQ(s(leaving->Image2.Caption()), s(QStringLiteral("显示图片")));
            EXPECT_FALSE(leaving->TimeKS.Enabled());
            EXPECT_FALSE(leaving->TimStartYS.Enabled());
            EXPECT_FALSE(leaving->TimerREDO.Enabled());
        }
        EXPECT_EQ(iFengmianPage, c.page);
        ASSERT_TRUE(FrmFengmian::isLoaded());
        EXPECT_TRUE(FrmFengmian::get().Visible());
        EXPECT_EQ(FrmFengmian::get().TimFH.Enabled(), c.page != 0);
    }
}

TEST(LeavePractice, ACountBeyondTheQuestionTablesStopsAtTheirEnd)
{
    Panel world(500);
    iTmCount = 600;
    iLianXiType = 20;
    iLianXiSub = 0;
    iDanYuanCount = 1;
    FrmTm& panel = Panel::panel();
    for (int q = 1; q <= 500; ++q)
        iTmFlags(q) = 5;
    panel.CmdGN_Click(5);
    EXPECT_EQ(s(Panel::readFile(world.user + QStringLiteral("288893.mxy"))),
              s(QString(500, u'T') + QStringLiteral("\r\n\r\n")));
    EXPECT_FALSE(FrmTm::isLoaded());
    EXPECT_EQ(iFengmianPage, 16);
}

// A save that fails (a folder stands where the new bytes of one file would go, or in the place of a
// file it needs to read) leaves the files as they were, asks nothing more, and the candidate is
// told over the home window.
TEST(LeavePractice, AFailedSaveKeepsTheFilesAndIsTold)
{
    const struct {
        const char* what;
        int kind, sub, sel;
        std::vector<int> codes, flags;
        Files before;
        const char* blocked; // the file whose new bytes cannot be written
        bool asks;
        Files after; // files written with new content; every other file stays as it was, or missing
        const char* told;
        bool unreadable = false; // the folder stands in the blocked file's own place
    } cases[] = {
        {"a practice", 0, 3, 3, {101}, {4}, {{"288862", "0101\r\n"}, {"288872", "T\r\n"}}, "288872", false, {},
         "练习记录无法写入，本次练习的结果未能保存！"},
        {"a paper's wrong questions: nothing written, nothing asked", 2, 17, 3, {101, 102, 103, 104}, {5, 1, 5, 1},
         {{"182403", "0101010201030104\r\n"}}, "288862", false, {}, "练习记录无法写入，本次练习的结果未能保存！"},
        {"a paper's wrong questions: the answered ones cannot leave its file", 2, 17, 3, {101, 102, 103, 104},
         {5, 1, 5, 1}, {{"182403", "0101010201030104\r\n"}}, "182403", true, {{"288862", "\r\n"}, {"288872", "\r\n"}},
         "错题记录无法写入，本次答对的题目仍留在错题复习中！"},
        {"the marked store cannot be read", 0, 3, 3, {101}, {4}, {{"288862", "0101\r\n"}}, "288872", false, {},
         "练习记录无法写入，本次练习的结果未能保存！", true},
        {"the unit progress cannot be read", 20, 1, 0, {101, 102}, {5, 1},
         {{"288862", "\r\n"}, {"288872", "\r\n"}}, "288893", false, {}, "练习记录无法写入，本次练习的结果未能保存！",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int n = int(c.codes.size());
        Panel world(n);
        world.answer = exam::BoxAnswer::Yes;
        iLianXiType = qint16(c.kind);
        iLianXiSub = qint16(c.sub);
        iSelIndex = qint16(c.sel);
        auto path = [&](const std::string& name) {
            return world.user + QString::fromStdString(name) + QStringLiteral(".mxy");
        };
        for (const auto& [name, content] : c.before)
            Panel::writeFile(path(name), QString::fromUtf8(content));
        ASSERT_TRUE(QDir().mkpath(path(c.blocked) + (c.unreadable ? QString() : QStringLiteral(".pending"))));
        const QStringList entriesBefore = QDir(world.user).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        FrmTm& panel = Panel::panel();
        for (int q = 1; q <= n; ++q) {
            iTmCode(q) = qint16(c.codes[size_t(q - 1)]);
            iTmFlags(q) = qint16(c.flags[size_t(q - 1)]);
        }
        Notices notices;

        QTest::mouseClick(&panel.CmdGN[5], Qt::LeftButton);

        EXPECT_EQ(world.asked.size(), c.asks ? 1u : 0u);
        EXPECT_EQ(notices.seen, QStringList{QStringLiteral("保存练习记录|\r\n\r\n\r\n") + QString::fromUtf8(c.told)});
        expectFiles(world.user, c.before, c.after, c.unreadable ? c.blocked : "");
        QStringList entries = entriesBefore;
        for (const auto& [name, content] : c.after)
            if (!entries.contains(QString::fromStdString(name) + QStringLiteral(".mxy")))
                entries << QString::fromStdString(name) + QStringLiteral(".mxy");
        entries.sort();
        EXPECT_EQ(QDir(world.user).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries)
            << "nothing of the failed set left behind";
        // The home window took over all the same.
        EXPECT_FALSE(FrmTm::isLoaded());
        ASSERT_TRUE(FrmFengmian::isLoaded());
        EXPECT_TRUE(FrmFengmian::get().Visible());
    }
}

// A leave that changes no history file writes none: in a user folder nothing can be written to
// the candidate is told nothing failed.
TEST(LeavePractice, AnUnchangedLeaveInAReadOnlyFolderTellsNothing)
{
    Panel world(2);
    iLianXiType = 5;
    iLianXiSub = 14;
    iSelIndex = 0;
    Panel::writeFile(world.user + QStringLiteral("288862.mxy"), QStringLiteral("0101\r\n"));
    Panel::writeFile(world.user + QStringLiteral("288872.mxy"), QStringLiteral("T\r\n"));
    FrmTm& panel = Panel::panel();
    iTmCode(1) = 101;
    iTmFlags(1) = 6; // still marked
    iTmCode(2) = 102;
    iTmFlags(2) = 1;
    privileges::Refusal readOnly(world.user);
    ASSERT_TRUE(readOnly.engage()) << "the user folder could not be made to refuse changes";
    Notices notices;

    QTest::mouseClick(&panel.CmdGN[5], Qt::LeftButton);

    EXPECT_TRUE(notices.seen.isEmpty()) << s(notices.seen.join(u'\n'));
    readOnly.lift();
    EXPECT_EQ(s(Panel::readFile(world.user + QStringLiteral("288862.mxy"))), "0101\r\n");
    EXPECT_EQ(s(Panel::readFile(world.user + QStringLiteral("288872.mxy"))), "T\r\n");
    EXPECT_FALSE(FrmTm::isLoaded());
    ASSERT_TRUE(FrmFengmian::isLoaded());
}
