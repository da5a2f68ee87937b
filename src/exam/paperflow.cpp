#include "exam/paperflow.h"

#include "app/moddata.h"
#include "exam/frmchengji.h"
#include "exam/frmtm.h"
#include "platform/programfolder.h"
#include "surface/frmmain.h"

namespace paperflow {

QString dataPicture(const char* id) { return ModData::sDataPath + QLatin1String(id) + QStringLiteral(".mxy"); }

QString userDir() { return platform::programFolder() + QStringLiteral("/ksdata"); }

void dockPanel()
{
    FrmTm& panel = FrmTm::get();
    const FrmMain& surface = FrmMain::get();
    panel.setLeft(surface.Left() + surface.Width() - panel.Width());
    panel.setTop(surface.Top() + surface.Height() - panel.Height());
}

bool paperOver() { return FrmChengji::isLoaded(); }

} // namespace paperflow
