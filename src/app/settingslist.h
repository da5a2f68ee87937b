#pragma once
// The settings list and the number-encoded text of the files that fill it: the module
// description "ver.txt" and the settings override file of the data folder.

#include "toolkit/vbarray.h"
#include "toolkit/vberror.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace app {

using SettingsList = vb::Array<QString, 0, 40>;

// Decodes one number-encoded line: 6-character groups, each the decimal number of one character
// (500000 + code or 200000 + code, the code an ANSI (GBK) code, double-byte codes signed or not).
// A group that reads as 0 is skipped; a group whose code is no character is dropped, and the first
// such fault is handed back in firstError when given.
QString decodeNumberLine(const QString& line, std::optional<vb::Error>* firstError = nullptr);

// The built-in defaults of entries 0 to 40.
SettingsList defaultSettings();

// Lays the lines of a number-encoded file over the list: line 1 goes to entry firstEntry, the
// next line to the next entry. A bad group is a fault: its character is dropped and the reading
// goes on. A line beyond entry 40 is a fault too; it and the lines after it have no entry and are
// not read. Returns the first fault.
std::optional<vb::Error> applyNumberLines(SettingsList& settings, const QStringList& lines,
                                          int firstEntry);

// Every entry trimmed of blanks at both ends.
void trimSettings(SettingsList& settings);

// What start-up takes from the list after the module description file, before the override
// (the product number, entry 4, is read by the caller: its overflow is an error to report).
struct ModuleInfo {
    QString keMu;          // module name, entry 1
    QString proName;       // display name, entry 2
    QString dataFolder;    // entry 3, the data folder's name
    QStringList unitNames; // units 0 to 20, entries 5 to 25
};
ModuleInfo moduleInfo(const SettingsList& settings);

// Entry 0 & entry 9 & "——" & module name & "模块".
QString programTitle(const SettingsList& settings, const QString& keMu);

// The install value names "ProPath" & NN and "ProName" & NN for a product number.
struct InstallValueNames {
    QString path;
    QString name;
};
InstallValueNames installValueNames(qint16 proNo);

} // namespace app
