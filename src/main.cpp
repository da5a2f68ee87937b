#include "app/fonts.h"
#include "app/frmstart.h"
#include "app/modzcb.h"
#include "app/shownprobe.h"
#include "home/frmfengmian.h"

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
    return app.exec();
}
