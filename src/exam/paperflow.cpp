#include "exam/paperflow.h"

#include "app/moddata.h"
#include "controls/frmkvmsgbox.h"
#include "exam/frmchengji.h"
#include "exam/frmtm.h"
#include "platform/programfolder.h"
#include "surface/frmmain.h"

namespace paperflow {

QString dataPicture(const char* id) { return ModData::sDataPath + QLatin1String(id) + QStringLiteral(".mxy"); }

QString userDir() { return platform::programFolder() + QStringLiteral("/ksdata"); }

void notice(const QString& title, const QString& text)
{
    tk::Picture picture;
    step([&] { picture = tk::Picture::fromFile(dataPicture("l20072")); });
    FrmKVMSGBOX::ask(title, picture, QStringLiteral("\r\n\r\n\r\n") + text);
}

void dockPanel()
{
    FrmTm& panel = FrmTm::get();
    const FrmMain& surface = FrmMain::get();
    panel.setLeft(surface.Left() + surface.Width() - panel.Width());
    panel.setTop(surface.Top() + surface.Height() - panel.Height());
}

bool paperOver() { return FrmChengji::isLoaded(); }

} // namespace paperflow
