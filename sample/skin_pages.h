#pragma once
#include <QImage>
#include <QString>

namespace skin {

// Writes the window backgrounds, page pictures, logos and message icons.
void writePagePictures(const QString& dataFolder);

// One of those pictures by its id; a null image for an id that is not one of them.
QImage pagePicture(const QString& id);

// The trainer's logo at the given size, on a transparent background (also the window icon).
QImage logoImage(int side);

} // namespace skin
