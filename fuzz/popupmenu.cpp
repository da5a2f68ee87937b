// The menu definition file: every block of both sets read and taken apart as the popup menus
// of popup-menu steps take it.

#include "bank/popupmenu.h"
#include "fuzzfiles.h"
#include "platform/textfile.h"

#include <algorithm>

#include <cstdlib>

namespace pm = bank::popupmenu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString file = fuzzfiles::put(QStringLiteral("sMenu.sys"), fuzzfiles::bytes(data, size));
    // One block read from the file as a step reads it; every block of both sets taken from the
    // file's lines the same way.
    const int first = size > 0 ? data[0] % 10 : 1;
    const auto fromFile = pm::readBlockLines(file, 1 + first % 2, first);
    const QStringList all = platform::readAllLines(file).value_or(QStringList{});
    for (int set = 1; set <= 2; ++set) {
        for (int block = 0; block <= 9; ++block) {
            std::array<QString, pm::kBlockLines> lines;
            const qint64 skip = std::max<qint64>(0, pm::skipCount(set, block));
            for (int i = 0; i < pm::kBlockLines && skip + i < all.size(); ++i)
                lines[size_t(i)] = all.at(skip + i);
            if (set == 1 + first % 2 && block == first && lines != fromFile)
                std::abort();
            const pm::MenuBlock b = pm::parseBlock(lines);
            for (int g = 0; g <= pm::kSections + 1; ++g) {
                const pm::Section* s = b.section(g);
                if (!s)
                    continue;
                if (s->number != g || s->items.size() > pm::kMaxItems)
                    std::abort();
                for (int i = 0; i < s->items.size(); ++i) {
                    (void)pm::Section::isSeparator(s->items.at(i));
                    (void)pm::itemChoiceMatches(3000 + block * 100 + g * 10 + i, block, g, i);
                }
            }
        }
    }
    // The code of a step picks its set; any four digits.
    const int code = size >= 2 ? (data[0] << 8 | data[1]) : 0;
    (void)pm::setOfCode(code);
    return 0;
}
