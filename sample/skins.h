#pragma once
#include <QString>

// Draws every skin picture the windows load (buttons, backgrounds, icons, cursors of the skin)
// into the data folder, as "<id>.mxy" files.
void writeSkinPictures(const QString& dataFolder, const QString& programFolder);
