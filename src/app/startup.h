#pragma once
// What the start-up window does besides showing itself: the settings reading with its derived
// values and first-run install values, and the run log's name.

#include <QDateTime>
#include <QString>

namespace app {

// Fills the settings list and the derived program-wide values from the built-in defaults, the
// program folder's "ver.txt" and the data folder's override file, sets the program title and, on
// the first run, writes the install values and marks the first-run flag file. Errors are
// reported under "readInfo", at most one for each file read.
void readInfo();

// The program title, which standard message boxes of the program show. It is no part of any
// window's caption: each window shows exactly its own.
QString programTitle();
void setProgramTitle(const QString& text);

// Program folder & "/ksdata/" & "YYYYMMDDHHMMSS" & ".txt".
QString runLogPath(const QDateTime& when);

} // namespace app
