#pragma once
// Turns the sample bank into the files of a program folder.

#include "model.h"
#include "scene.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace gen {

// One unit as it is written into its unit file pair.
struct CompiledUnit {
    QStringList questionLines; // question-text lines
    QStringList records;       // operation records, the blocks in question order
};

struct Compiled {
    QMap<QString, Rendered> scenes; // by scene name
    QStringList texts;              // operation-text lines, line n at index n - 1 (without the number)
    QVector<CompiledUnit> units;
};

// Draws every scene and encodes every question. Throws SourceError.
Compiled compileBank(const Bank& bank);

// Writes the whole program folder: module description, menu definitions, menu pictures, cursors,
// the data folder and the seeds of the user folder. Throws SourceError when a file cannot be written.
void writeProgramFolder(const Bank& bank, const Compiled& compiled, const QString& programFolder);

// Writes a cursor file (Windows .CUR, 32 x 32, 32 bits) of one of the drawn pointers.
QByteArray cursorFile(int number);

} // namespace gen
