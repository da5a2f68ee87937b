#include "skins.h"

#include "skin_buttons.h"
#include "skin_iconfiles.h"
#include "skin_pages.h"

#include <QFile>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

void writeSkinPictures(const QString& dataFolder, const QString& programFolder)
{
    Q_UNUSED(programFolder);
    QString folder = dataFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    skin::writeButtonStrips(folder);
    skin::writePagePictures(folder);
    // The window icon and the hand pointer are real icon and cursor files.
    writeBytes(folder + QStringLiteral("l62011.mxy"),
               skin::iconFileBytes({skin::logoImage(32), skin::logoImage(16), skin::logoImage(48)}));
    writeBytes(folder + QStringLiteral("9l0015.mxy"),
               skin::cursorFileBytes(skin::handCursorImage(), skin::handCursorHotSpot()));
}
