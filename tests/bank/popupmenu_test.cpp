#include "bank/popupmenu.h"
#include "print.h"
#include "platform/textfile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bank::popupmenu;

namespace {
// A block with the given lines (1-based block line -> text); every other line is "0".
QStringList block(std::initializer_list<std::pair<int, QString>> set, const QString& title = "x")
{
    QStringList lines(kBlockLines, QStringLiteral("0"));
    lines[0] = title;
    for (const auto& [n, text] : set)
        lines[n - 1] = text;
    return lines;
}

QString writeMenu(const QTemporaryDir& dir, const QStringList& lines)
{
    const QString path = dir.filePath("sMenu.sys");
    platform::writeWholeFile(path, lines.join("\r\n") + "\r\n");
    return path;
}
} // namespace

TEST(PopupMenu, ItemLists)
{
    const std::pair<QString, QStringList> cases[] = {
        {"打开|-|属性", {QStringLiteral("打开"), "-", QStringLiteral("属性")}},
        {"a||b|", {"a", "", "b", ""}},
        {"", {""}},
        {"0", {"0"}},
        {"0|1|2|3|4|5|6|7|8|9|10|11", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"0|1|2|3|4|5|6|7|8|9|", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {" a | b ", {" a ", " b "}},
    };
    for (const auto& [line, want] : cases)
        EXPECT_EQ(splitItems(line), want) << line.toStdString();
    EXPECT_TRUE(Section::isSeparator("-"));
    EXPECT_FALSE(Section::isSeparator(" -"));
}

TEST(PopupMenu, SectionsOfABlock)
{
    std::array<QString, kBlockLines> lines;
    const QStringList src = block({{2, QStringLiteral("新建")}, {3, "0"}, {4, "a|b"},
                                   {13, ""}, {14, "c"}, {15, "x|-|y"}});
    std::copy(src.begin(), src.end(), lines.begin());
    const MenuBlock b = parseBlock(lines);
    struct Want { bool cascade, present; QString caption; QStringList items; };
    const Want want[] = {
        {true, true, QStringLiteral("新建"), {"0"}}, // a present cascade's list "0" is one item
        {false, true, "", {"a", "b"}},
        {true, false, "", {}}, {false, false, "", {}}, {true, false, "", {}},
        {false, false, "", {}}, {true, false, "", {}},
        {true, true, "", {"c"}}, // an empty caption is not "0"
        {false, true, "", {"x", "-", "y"}},
    };
    for (int g = 1; g <= kSections; ++g) {
        const Section* s = b.section(g);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->number, g);
        EXPECT_EQ(s->cascade, want[g - 1].cascade) << g;
        EXPECT_EQ(s->present, want[g - 1].present) << g;
        EXPECT_EQ(s->caption, want[g - 1].caption) << g;
        EXPECT_EQ(s->items, want[g - 1].items) << g;
    }
    EXPECT_EQ(b.section(0), nullptr);
    EXPECT_EQ(b.section(10), nullptr);
}

TEST(PopupMenu, BlocksOfTheFile)
{
    QTemporaryDir dir;
    QStringList file;
    for (int set = 1; set <= 2; ++set)
        for (int m = 1; m <= 9; ++m)
            file += block({{4, QStringLiteral("项%1%2a|项%1%2b").arg(set).arg(m)}},
                          QStringLiteral("block %1 %2").arg(set).arg(m));
    file.removeLast(); // set 2, block 9 ends one line early
    const QString path = writeMenu(dir, file);

    struct Case { int set, block; QString title; QString list; };
    const Case cases[] = {
        {1, 1, "block 1 1", QStringLiteral("项11a|项11b")},
        {1, 9, "block 1 9", QStringLiteral("项19a|项19b")},
        {2, 3, "block 2 3", QStringLiteral("项23a|项23b")},
        {1, 0, "block 1 1", QStringLiteral("项11a|项11b")}, // block 0: the file's first lines
        {2, 0, "block 1 9", QStringLiteral("项19a|项19b")}, // set 2 block 0 is set 1 block 9
        {2, 9, "block 2 9", QStringLiteral("项29a|项29b")},
    };
    for (const Case& c : cases) {
        const MenuBlock b = readMenuBlock(path, c.set, c.block);
        EXPECT_EQ(b.lines[0], c.title) << c.set << " " << c.block;
        EXPECT_EQ(b.lines[3], c.list) << c.set << " " << c.block;
    }
    // The missing last line reads empty, and an empty list line is a present section.
    const MenuBlock last = readMenuBlock(path, 2, 9);
    EXPECT_EQ(last.lines[14], "");
    EXPECT_TRUE(last.section(9)->present);
    EXPECT_EQ(last.section(9)->items, QStringList{""});

    // A missing file: every line empty, every section present with one empty entry.
    const MenuBlock none = readMenuBlock(dir.filePath("nothing.sys"), 1, 1);
    for (const Section& s : none.sections) {
        EXPECT_TRUE(s.present);
        EXPECT_EQ(s.items, QStringList{""});
    }
    EXPECT_EQ(skipCount(2, 9), 255);
    EXPECT_EQ(readMenuBlock(path, 2147483647, 2147483647).lines[0], ""); // far beyond the end
}

TEST(PopupMenu, ItemChoice)
{
    EXPECT_EQ(setOfCode(3123), 1);
    EXPECT_EQ(setOfCode(4123), 2);
    EXPECT_EQ(setOfCode(5123), 0);
    struct Case { int code, block, section, index; bool match; };
    const Case cases[] = {
        {3521, 5, 2, 1, true},  {3521, 5, 2, 0, false}, {3520, 5, 2, 0, true},
        {4521, 5, 2, 1, true},  {3521, 4, 2, 1, false}, {3521, 5, 3, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(itemChoiceMatches(c.code, c.block, c.section, c.index), c.match) << c.code;
}
