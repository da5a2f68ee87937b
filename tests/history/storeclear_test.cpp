#include "history/storeclear.h"
#include "history/testfiles.h"

#include <gtest/gtest.h>

using namespace history;

TEST(StoreClear, ScopesKeepTheOtherQuestions)
{
    const struct {
        const char *list, *flags;
        int scope;
        const char *keptList, *keptFlags;
    } rows[] = {
        {"000100020003", "TFT", 1, "00010003", "TT"},
        {"000100020003", "TFT", 2, "0002", "F"},
        {"000100020003", "TFT", 3, "", ""},
        {"00010002", "tX", 2, "00010002", "FF"},     // anything but "T" is not yet reviewed
        {"00010002", "tX", 1, "", ""},
        {"0001000200030004", "TF", 1, "0001", "T"},  // ids without a flag leave with every clear
        {"0001000200030004", "TF", 2, "0002", "F"},
        {"000100", "TT", 2, "", ""},                 // a fragment is no id
        {"000100", "TT", 1, "0001", "T"},
        {"00010002", "TF", 0, "00010002", "TF"},     // no scope: unchanged
    };
    for (const auto& r : rows) {
        const StoreLines kept = clearStore({QString::fromUtf8(r.list), QString::fromUtf8(r.flags)}, r.scope);
        EXPECT_EQ(kept.list, QString::fromUtf8(r.keptList)) << r.list << " " << r.flags << " " << r.scope;
        EXPECT_EQ(kept.flags, QString::fromUtf8(r.keptFlags)) << r.list << " " << r.flags << " " << r.scope;
    }
}

TEST(StoreClear, Counters)
{
    const struct {
        const char* flags;
        int notReviewed, reviewed;
    } rows[] = {{"", 0, 0}, {"TFT", 1, 2}, {"tTxF", 3, 1}, {"TTTT", 0, 4}};
    for (const auto& r : rows) {
        const ReviewCounts c = reviewCounts(QString::fromUtf8(r.flags));
        EXPECT_EQ(c.notReviewed, r.notReviewed) << r.flags;
        EXPECT_EQ(c.reviewed, r.reviewed) << r.flags;
    }
}
