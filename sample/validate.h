#pragma once
// Validator of a laid-out program folder: the question bank is whole and every step can be
// completed the way the work surface judges it.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sample {

// Every problem found, one line each; empty when the folder is whole.
QStringList validateProgramFolder(const QString& programFolder);

// What is wrong with the bytes of a text file: not GBK, a line end other than CR LF, a byte-order
// mark. Empty when the file is a proper text file of the program.
QString textFileProblem(const QByteArray& bytes);

// Whether the file holds a picture (PNG, BMP, GIF, JPEG) or a cursor rather than text.
bool isBinaryFile(const QByteArray& bytes);

} // namespace sample
