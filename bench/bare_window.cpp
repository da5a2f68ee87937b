// The yardstick of bench/startup-vs-bare.sh: a bare frameless 800 x 600 Qt window showing one
// line of Chinese text in the program's substituted fonts, so that it loads the same fonts as the
// program. Run with XP_EXIT_WHEN_SHOWN set, it ends as soon as it is shown, as the program does.

#include "app/fonts.h"
#include "app/shownprobe.h"

#include <QApplication>
#include <QFont>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app::installFontSubstitutes();
    QLabel window(QStringLiteral("正在启动软件，请稍候..."));
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setFont(QFont(QStringLiteral("宋体"), 11));
    window.setAlignment(Qt::AlignCenter);
    window.resize(800, 600);
    app::exitWhenShown([&window]() -> QWidget* { return &window; });
    window.show();
    return app.exec();
}
