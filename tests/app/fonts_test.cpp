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

TEST(ProgramFonts, SongTiCaptionsOfEqualColumnsAreEquallyWide)
{
    if (app::installFontSubstitutes().isEmpty())
        GTEST_SKIP() << "no Chinese font installed";
    const QFontMetrics m(QFont(QStringLiteral("宋体"), 9));
    // Both are 16 display columns: a Chinese character counts two, a digit, dot or blank one.
    const int a = m.horizontalAdvance(QStringLiteral("1.桌面与开始菜单"));
    const int b = m.horizontalAdvance(QStringLiteral("12.窗口操作     "));
    EXPECT_EQ(a, b);
}
