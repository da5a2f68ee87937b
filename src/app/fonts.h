#pragma once
#include <QString>
#include <QStringList>

namespace app {

// The font names the program's windows ask for: 宋体, 黑体, 楷体_GB2312, 隶书.
QStringList programFontNames();

// Maps each of those names once to a Chinese font that is installed, so every caption shows its
// characters, and makes 宋体 9 pt the font of every control and box that names none, as on the
// exam's Chinese Windows. Call once after the application object exists. Returns the family
// chosen.
QString installFontSubstitutes();

} // namespace app
