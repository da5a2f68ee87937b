#include "history/historyfiles.h"
#include "history/idlist.h"
#include "history/testfiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace history;
using testfiles::qs;

// Question flags below: 0 untouched, 1 opened, 2 marked, 4 completed.

TEST(IdList, LookupAndIdNumberCountWholeIdsOnly)
{
    EXPECT_EQ(lookupString("01010203"), "_0101_0203");
    EXPECT_EQ(lookupString("0101020"), "_0101"); // a fragment is no id
    EXPECT_EQ(lookupString(""), "");
    EXPECT_EQ(idNumber("010102030405", "0203"), 2);
    EXPECT_EQ(idNumber("010102030405", "0405"), 3);
    // "0102" stands across the first two ids but is none of them.
    EXPECT_EQ(idNumber("01010203", "0102"), 0);
    EXPECT_EQ(idNumber("0101020", "020"), 0);
}

TEST(IdList, FlagTestsUseTheWholeValue)
{
    for (int f = 0; f <= 7; ++f) {
        EXPECT_EQ(isMarked(f), f == 2 || f == 3 || f == 6 || f == 7) << f;
        EXPECT_EQ(isCompleted(f), f >= 4) << f;
    }
}

TEST(IdList, FitFlagsAndSetLearned)
{
    struct Fit { const char* flags; int count; const char* want; };
    for (const Fit& c : {Fit{"", 3, "FFF"}, Fit{"TFT", 2, "TF"}, Fit{"TF", 4, "TFFF"}, Fit{"TT", 0, ""}})
        EXPECT_EQ(fitFlags(c.flags, c.count), c.want) << c.flags << " " << c.count;

    struct Set { const char* line; int n; const char* want; };
    for (const Set& c : {Set{"FFF", 2, "FTF"}, Set{"FFF", 1, "TFF"}, Set{"FFF", 3, "FFT"},
                         Set{"FF", 3, "FFT"},
                         // beyond the end: filled with "F" up to the right place first
                         Set{"F", 5, "FFFFT"}, Set{"", 2, "FT"}, Set{"TF", 0, "TF"}})
        EXPECT_EQ(setLearned(c.line, c.n), c.want) << c.line << " " << c.n;
}

TEST(IdList, MarkedMergeAndRemovalTable)
{
    using Change = StoreLines (*)(const StoreLines&, const Questions&);
    const Change merge = mergeMarked, purge = removeUnmarked;
    struct Case {
        const char* name;
        Change change;
        StoreLines store;
        Questions questions;
        StoreLines want;
    };
    const Case cases[] = {
        {"missing store: one F per added id", merge, {"", ""}, qs({{101, 2}, {102, 1}, {203, 7}}), {"01010203", "FF"}},
        {"already listed: not added, its flag kept", merge, {"0203", "T"}, qs({{203, 6}, {5, 3}}), {"02030005", "TF"}},
        {"same id twice in the exercise: added once", merge, {"", ""}, qs({{101, 2}, {101, 2}}), {"0101", "F"}},
        {"list not a multiple of 4: whole ids only", merge, {"0101020", "TTT"}, qs({{305, 2}}), {"01010305", "TT"}},
        {"nothing marked: flags fitted to the count", merge, {"01010203", "T"}, qs({{101, 5}}), {"01010203", "TF"}},
        {"flags beyond the count dropped", merge, {"0101", "TFT"}, qs({}), {"0101", "T"}},
        {"middle id unmarked", purge, {"010102030405", "TFT"}, qs({{203, 5}, {101, 7}}), {"01010405", "TT"}},
        {"first and last unmarked", purge, {"010102030405", "FTF"}, qs({{101, 1}, {405, 0}, {203, 3}}), {"0203", "T"}},
        {"unlisted question: nothing changes", purge, {"0101", "T"}, qs({{999, 0}}), {"0101", "T"}},
        {"short flags: the id goes, no flag to remove", purge, {"01010203", "T"}, qs({{203, 0}}), {"0101", "T"}},
        // A garbled id holding "_" stays whole: the ids after it keep their places and flags.
        {"garbled id with an underscore kept whole", purge, {"00_100020_03", "TFT"}, qs({{2, 0}}), {"00_10_03", "TT"}},
    };
    for (const Case& c : cases) {
        const StoreLines got = c.change(c.store, c.questions);
        EXPECT_EQ(got.list, c.want.list) << c.name;
        EXPECT_EQ(got.flags, c.want.flags) << c.name;
    }
}

TEST(IdList, HandedInPaperWrongIdsAndOwnWrongStore)
{
    // Questions 1 and 3 completed, 2 and 4 not; the id line has only three whole ids.
    const Questions paper = qs({{0, 4}, {0, 1}, {0, 5}, {0, 3}});
    EXPECT_EQ(paperWrongIds("010102020303", paper), "0202");
    EXPECT_EQ(paperWrongIds("0101020203030404", paper), "02020404");
    EXPECT_EQ(paperWrongIds("0101020203030404", qs({{0, 4}, {0, 4}, {0, 4}, {0, 4}})), "");

    const StoreLines own = addOwnWrong({"0404", "T"}, "02020404");
    EXPECT_EQ(own.list, "04040202");
    EXPECT_EQ(own.flags, "TF");

    // Review of a paper's wrong questions, Yes: questions 1 and 3 of 4 completed keep ids 2 and 4.
    EXPECT_EQ(keepUncompleted("0101020203030404", paper), "02020404");
}

TEST(IdList, StoreFilesKeepGbkAndCrLf)
{
    QTemporaryDir dir;
    const UserFolder folder = testfiles::folder(dir.path());
    const StoreFiles files = storeFiles(folder, bank::Store::Marked);
    EXPECT_TRUE(files.list.endsWith("/288862.mxy"));
    EXPECT_TRUE(files.flags.endsWith("/288872.mxy"));
    EXPECT_TRUE(storeFiles(folder, bank::Store::OwnWrong).list.endsWith("/288863.mxy"));

    // Writing a missing store creates both files.
    ASSERT_EQ(writeStore(folder, bank::Store::Marked, mergeMarked(*readStore(folder, bank::Store::Marked),
                                                                  qs({{101, 2}, {1203, 6}}))),
              platform::SetResult::Written);
    EXPECT_EQ(testfiles::readRaw(files.list), QByteArray("01011203\r\n"));
    EXPECT_EQ(testfiles::readRaw(files.flags), QByteArray("FF\r\n"));

    // Surrounding blanks are trimmed on reading.
    testfiles::writeRaw(files.list, "  01011203 \r\n");
    testfiles::writeRaw(files.flags, " TF\r\n");
    const auto read = readStore(folder, bank::Store::Marked);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->list, "01011203");
    EXPECT_EQ(read->flags, "TF");
}

TEST(IdList, AStoreThatCannotBeReadIsNotRewritten)
{
    QTemporaryDir dir;
    const UserFolder folder = testfiles::folder(dir.path());
    const StoreFiles files = storeFiles(folder, bank::Store::Marked);
    testfiles::writeRaw(files.list, "0101\r\n");
    testfiles::makeUnreadable(files.flags);
    EXPECT_FALSE(readStore(folder, bank::Store::Marked));
    EXPECT_EQ(testfiles::readRaw(files.list), QByteArray("0101\r\n"));
}

// A list and flags that disagree can only be the rest of a half-written pair: the flags are fitted
// to the list, no id is dropped.
TEST(IdList, ReadingFitsTheFlagsToTheList)
{
    QTemporaryDir dir;
    const UserFolder folder = testfiles::folder(dir.path());
    const StoreFiles files = storeFiles(folder, bank::Store::OwnWrong);
    struct Row { QByteArray list, flags; QString fitted; };
    const Row rows[] = {
        {"010102030405\r\n", "T\r\n", "TFF"},
        {"01010203\r\n", "TFT\r\n", "TF"},
        {"0101\r\n", "", "F"},
        {"", "TT\r\n", ""},
    };
    for (const Row& r : rows) {
        testfiles::writeRaw(files.list, r.list);
        testfiles::writeRaw(files.flags, r.flags);
        const auto read = readStore(folder, bank::Store::OwnWrong);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->flags, r.fitted) << r.list.constData();
    }
}

// The pair is one unit: a flags file that cannot be replaced leaves the list as it was too.
TEST(IdList, APairIsWrittenWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const UserFolder folder = testfiles::folder(dir.path());
    const StoreFiles files = storeFiles(folder, bank::Store::Marked);
    testfiles::writeRaw(files.list, "01010202\r\n");
    testfiles::makeUnreadable(files.flags);
    EXPECT_EQ(writeStore(folder, bank::Store::Marked, {"0102", "T"}), platform::SetResult::Undone);
    EXPECT_EQ(testfiles::readRaw(files.list), QByteArray("01010202\r\n"));

    QDir().rmdir(files.flags);
    ASSERT_EQ(writeStore(folder, bank::Store::Marked, {"01020103", "TF"}), platform::SetResult::Written);
    EXPECT_EQ(testfiles::readRaw(files.list), QByteArray("01020103\r\n"));
    EXPECT_EQ(testfiles::readRaw(files.flags), QByteArray("TF\r\n"));
}
