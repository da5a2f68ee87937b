#include "app/fonts.h"
#include "app/frmstart.h"
#include "app/modzcb.h"
#include "app/shownprobe.h"
#include "home/frmfengmian.h"
#include "platform/networkaccess.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app::installFontSubstitutes();
    app::exitWhenShown([]() -> QWidget* { return FrmFengmian::isLoaded() ? &FrmFengmian::get() : nullptr; });
    ModZCB::installErrorReporter();
    FrmStart& start = FrmStart::get();
    if (FrmStart::isLoaded())
        start.Show();
    const int result = app.exec();
    platform::endNetworkAccess();
    return result;
}
