#include "app/fonts.h"
#include "app/frmstart.h"
#include "app/modzcb.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app::installFontSubstitutes();
    ModZCB::installErrorReporter();
    FrmStart& start = FrmStart::get();
    if (FrmStart::isLoaded())
        start.Show();
    return app.exec();
}
