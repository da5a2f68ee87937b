#pragma once
// The popup-menu definition file sMenu.sys of a test's program folder, written block by block.

#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QStringList>
#include <initializer_list>
#include <map>
#include <utility>

namespace menufile {

// A block of fifteen lines: every section absent ("0") but the lines given (1-15).
inline QStringList block(std::initializer_list<std::pair<int, const char*>> lines)
{
    QStringList b(15, QStringLiteral("0"));
    b[0] = QStringLiteral("block");
    for (const auto& [n, text] : lines)
        b[n - 1] = QString::fromUtf8(text);
    return b;
}

// sMenu.sys in the program folder: blocks by (set, block number); the others all absent.
inline void write(const std::map<std::pair<int, int>, QStringList>& blocks)
{
    QStringList lines;
    for (int set = 1; set <= 2; ++set)
        for (int m = 1; m <= 9; ++m) {
            const auto it = blocks.find({set, m});
            lines << (it != blocks.end() ? it->second : block({}));
        }
    platform::writeWholeFile(platform::programPath(QStringLiteral("sMenu.sys")),
                             lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace menufile
