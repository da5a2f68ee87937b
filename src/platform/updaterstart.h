#pragma once
// Starting the external update program that lies in the program folder, and opening a folder in
// the desktop's file manager. Neither program is part of this system; tests put their own in
// place of both starts.

#include <QString>
#include <functional>

namespace platform {

// The update program's file name in the program folder.
QString updaterFileName(); // "kvitpk.rar"

// Starts the program folder's update program, detached, when that file exists (its name found
// ignoring letter case). False when it is missing or cannot be started.
bool startUpdater();

// Opens a local folder in the desktop's file manager. False when it is no folder or the
// desktop refused.
bool openFolder(const QString& folder);

// Tests: each function receives the path that would be started or opened and gives the result.
// An empty function puts the real start back.
void setUpdaterStartForTests(std::function<bool(const QString& path)> start);
void setOpenFolderForTests(std::function<bool(const QString& folder)> open);

} // namespace platform
