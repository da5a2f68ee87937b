#pragma once
// A picture of the data folder by its id: the data folder & id & ".mxy".
//
//   vb::attempt([&] { Command1.loadPicture(exam::dataPicture("l01038")); });

#include "app/moddata.h"

#include <QString>

namespace exam {

inline QString dataPicture(const char* id)
{
    return ModData::sDataPath + QLatin1String(id) + QStringLiteral(".mxy");
}

} // namespace exam
