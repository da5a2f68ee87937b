#pragma once
// The program folder: the folder of the running program file, where the module description, the
// menu definitions, the cursor files and the data and user folders lie. Tests point it elsewhere.

#include <QString>

namespace platform {

// The program folder, written with '/' and without a trailing '/'.
QString programFolder();

// Puts another folder in place of the program file's folder; an empty folder restores it.
void setProgramFolder(const QString& folder);

// programFolder() & "/" & relative.
QString programPath(const QString& relative);

} // namespace platform
