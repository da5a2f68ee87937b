#pragma once
// The menu definition file "sMenu.sys": the popup menus of popup-menu steps.
//
// Two sets of nine menu blocks of fifteen lines (set 1 on file lines 1-135, set 2 on 136-270).
// A block describes one context menu of up to nine sections, top to bottom: sections 1, 3, 5,
// 7, 8 are cascades (a caption line, then the item list of its submenu), sections 2, 4, 6, 9
// plain item lists. Line 1 of a block is free text. A section is absent when its deciding line
// (the caption of a cascade, the list of a plain section) is exactly "0".

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <array>

namespace bank::popupmenu {

inline constexpr QStringView kFileName = u"sMenu.sys";
inline constexpr int kBlockLines = 15;
inline constexpr int kLinesPerSet = 135;
inline constexpr int kSections = 9;
inline constexpr int kMaxItems = 10; // item positions 0-9
inline constexpr QStringView kAbsent = u"0";
inline constexpr QStringView kSeparator = u"-";

struct Section {
    int number = 0;       // 1-9, the order in the menu
    bool cascade = false; // sections 1, 3, 5, 7, 8
    bool present = false;
    QString caption;      // cascades: the header's caption
    // Item texts by position, at most kMaxItems; "-" is a separator that keeps its position.
    QStringList items;
    static bool isSeparator(const QString& item) { return item == kSeparator; }
};

struct MenuBlock {
    std::array<QString, kBlockLines> lines; // block lines 1-15 at [0]-[14]
    std::array<Section, kSections> sections; // sections 1-9 at [0]-[8]
    const Section* section(int number) const
    {
        return number >= 1 && number <= kSections ? &sections[number - 1] : nullptr;
    }
};

// File lines skipped before block `block` of set `set`: (block - 1) x 15 + (set - 1) x 135.
// Block 0 is not refused: it reads the fifteen lines before block 1.
inline qint64 skipCount(int set, int block)
{
    return (qint64(block) - 1) * kBlockLines + (qint64(set) - 1) * kLinesPerSet;
}

// Popup set of an operation code: 1 for 3mgi, 2 for 4mgi, 0 for any other code.
int setOfCode(int code);

// Item texts of a list line: split at "|", at most ten; text after the tenth item's closing bar
// is ignored. An empty line and a trailing bar give an empty item.
QStringList splitItems(const QString& line);

// The fifteen lines of a block; lines beyond the end of the file, or of a missing file, are empty.
std::array<QString, kBlockLines> readBlockLines(const QString& menuFile, int set, int block);
MenuBlock parseBlock(const std::array<QString, kBlockLines>& lines);
inline MenuBlock readMenuBlock(const QString& menuFile, int set, int block)
{
    return parseBlock(readBlockLines(menuFile, set, block));
}

// A choice of item `index` in section `section` completes popup-menu step `code` opened for
// `popupBlock`: item digit, block digit and section digit agree; the set digit is not compared.
inline bool itemChoiceMatches(int code, int popupBlock, int section, int index)
{
    return code % 10 == index && (code / 100) % 10 == popupBlock && (code / 10) % 10 == section;
}

} // namespace bank::popupmenu
