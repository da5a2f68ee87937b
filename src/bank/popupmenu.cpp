#include "bank/popupmenu.h"

#include "platform/textfile.h"

namespace bank::popupmenu {

namespace {
// Block line (1-based) of each section's caption (cascades) and list.
struct SectionLines {
    int caption; // 0 for a plain section
    int list;
};
constexpr std::array<SectionLines, kSections> kSectionLines{
    {{2, 3}, {0, 4}, {5, 6}, {0, 7}, {8, 9}, {0, 10}, {11, 12}, {13, 14}, {0, 15}}};
} // namespace

int setOfCode(int code)
{
    switch (code / 1000) {
    case 3: return 1;
    case 4: return 2;
    default: return 0;
    }
}

QStringList splitItems(const QString& line)
{
    QStringList items;
    qsizetype start = 0;
    while (items.size() < kMaxItems) {
        const qsizetype bar = line.indexOf(u'|', start);
        if (bar < 0) {
            items.append(line.mid(start));
            break;
        }
        items.append(line.mid(start, bar - start));
        start = bar + 1;
    }
    return items;
}

std::array<QString, kBlockLines> readBlockLines(const QString& menuFile, int set, int block)
{
    std::array<QString, kBlockLines> lines;
    const auto all = platform::readAllLines(menuFile);
    if (!all)
        return lines;
    const qint64 first = qMax<qint64>(0, skipCount(set, block)); // 0-based index of block line 1
    for (int i = 0; i < kBlockLines && first + i < all->size(); ++i)
        lines[i] = all->at(first + i);
    return lines;
}

MenuBlock parseBlock(const std::array<QString, kBlockLines>& lines)
{
    MenuBlock b;
    b.lines = lines;
    for (int g = 1; g <= kSections; ++g) {
        const SectionLines at = kSectionLines[g - 1];
        Section& s = b.sections[g - 1];
        s.number = g;
        s.cascade = at.caption != 0;
        const QString& deciding = lines[(s.cascade ? at.caption : at.list) - 1];
        s.present = deciding != kAbsent;
        if (!s.present)
            continue;
        if (s.cascade)
            s.caption = deciding;
        s.items = splitItems(lines[at.list - 1]);
    }
    return b;
}

} // namespace bank::popupmenu
