#include "app/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

TEST(ProgramFonts, EveryNameTheWindowsAskForDrawsChinese)
{
    const QString chosen = app::installFontSubstitutes();
    if (chosen.isEmpty())
        GTEST_SKIP() << "no Chinese font installed";
    for (const QString& name : app::programFontNames()) {
        const QFont f(name, 9);
        EXPECT_TRUE(QFontMetrics(f).inFont(QChar(0x6A21))) << name.toStdString(); // 模
        EXPECT_TRUE(QFontDatabase::families(QFontDatabase::SimplifiedChinese)
                        .contains(QFontInfo(f).family()))
            << name.toStdString() << " -> " << QFontInfo(f).family().toStdString();
    }
}
