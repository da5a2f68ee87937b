#include "app/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace app {

QStringList programFontNames()
{
    return {QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("楷体_GB2312"),
            QStringLiteral("隶书"), QStringLiteral("SimSun"), QStringLiteral("SimHei")};
}

QString installFontSubstitutes()
{
    static const QStringList preferred{
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Noto Sans CJK SC"),    QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("AR PL UMing CN"),      QStringLiteral("Droid Sans Fallback")};
    const QStringList installed = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    QString chosen;
    for (const QString& f : preferred) {
        if (installed.contains(f)) {
            chosen = f;
            break;
        }
    }
    if (chosen.isEmpty() && !installed.isEmpty())
        chosen = installed.first();
    if (chosen.isEmpty())
        return chosen;
    // 宋体 draws every Latin letter and digit at exactly half the width of a Chinese character,
    // and the windows rely on it: unit captions padded to 25 columns all come out equally wide.
    // Its stand-in is a Ming face with the same half-width letters, where one is installed.
    const QString ming = QStringLiteral("AR PL UMing CN");
    const QString songTi = installed.contains(ming) ? ming : chosen;
    for (const QString& name : programFontNames()) {
        // An installed font of that very name is used as it is.
        if (QFontDatabase::families().contains(name))
            continue;
        const bool song = name == QStringLiteral("宋体") || name == QStringLiteral("SimSun");
        QFont::insertSubstitution(name, song ? songTi : chosen);
    }
    QApplication::setFont(QFont(QStringLiteral("宋体"), 9));
    return chosen;
}

} // namespace app
