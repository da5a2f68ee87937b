#include "skins.h"

void writeSkinPictures(const QString& dataFolder, const QString& programFolder)
{
    Q_UNUSED(dataFolder);
    Q_UNUSED(programFolder);
}
