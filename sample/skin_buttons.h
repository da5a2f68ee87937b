#pragma once
#include <QImage>
#include <QString>

namespace skin {

// Writes every image-button strip of the windows: four frames side by side (rest, hover,
// pressed, disabled), each frame as large as the button that shows it.
void writeButtonStrips(const QString& dataFolder);

// The strip of one button by its picture id; a null image for an id that is not a button.
QImage buttonStrip(const QString& id);

} // namespace skin
