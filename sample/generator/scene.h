#pragma once
// Drawing of the scene pictures: the simulated desktop, windows, dialogs and menus. Every named
// part of a picture is recorded as a region, so that records can place hot spots on exactly what
// the picture shows.

#include "model.h"

#include <QImage>
#include <QMap>
#include <QRect>

namespace gen {

struct Rendered {
    QImage image;
    QMap<QString, QRect> regions; // name -> rectangle in the picture's pixels
};

// Draws a scene of the sources.
Rendered renderScene(const SceneDef& scene, const Bank& bank);

// Pictures of the drawn menu bar, named as the work surface loads them from the picture folder.
QMap<QString, QImage> renderMenuBarPictures(const MenuBarDef& menuBar);

// The page pictures of one tab layout: page picture id -> picture of the dialog on that tab.
QMap<QString, QImage> renderTabPages(const QString& layoutString, const DialogDef& dialog);

// A question picture or any small picture of the sources, drawn the same way as a scene.
QImage contactSheet(const QVector<QPair<QString, QImage>>& pictures, int columns, int cellWidth);

} // namespace gen
