#include "controls/frmkvmsgbox.h"

#include "app/moddata.h"
#include "platform/screenmetrics.h"
#include "platform/windowpos.h"
#include "toolkit/vb.h"

namespace {

QString skin(const QString& name) { return ModData::sDataPath + name + QStringLiteral(".mxy"); }

} // namespace

FrmKVMSGBOX::FrmKVMSGBOX()
{
    setBorderless();

    LblTitle.setBackStyle(0);
    LblTitle.setForeColor(0xFFFFFF);
    LblTitle.setAutoSize(true);
    LblTitle.setFontName(QStringLiteral("宋体"));
    LblTitle.setCaption(QStringLiteral("禾川明泽提示信息"));

    LblPrompt.setBackStyle(0);
    LblPrompt.setWordWrap(true);
    LblPrompt.setFontName(QStringLiteral("宋体"));
    LblPrompt.setCaption(QStringLiteral("你要清除全部题目吗？"));

    lblMove.setBackStyle(0);
    lblMove.onMouseDown = [this](int b, int s, float x, float y) { lblMove_MouseDown(b, s, x, y); };

    for (int i : {0, 1, 2, 3})
        LblClick.create(i).useProgramDesign();
    LblClick.onClick = [this](int index) { LblClick_Click(index); };
}

void FrmKVMSGBOX::Form_Load()
{
    const double sx = ModData::dScaleX;
    const double sy = ModData::dScaleY;
    // Every step goes on after a failure: a missing skin picture leaves that picture empty.
    vb::attempt([&] { loadIcon(skin(QStringLiteral("l62011"))); });
    vb::attempt([&] {
        setCaption(ModData::sSettings(0) + ModData::sSettings(9) + QStringLiteral("——") +
                   ModData::sKeMu + QStringLiteral("模块"));
    });

    vb::attempt([&] { setWidth(5550 * sx); });
    vb::attempt([&] { setHeight(3750 * sy); });
    vb::attempt([&] { loadPicture(skin(QStringLiteral("l20069"))); });

    vb::attempt([&] { ImgLogo1.Move(120 * sx, 90 * sy); });
    vb::attempt([&] { ImgLogo1.loadPicture(skin(QStringLiteral("l20067"))); });

    vb::attempt([&] { setTopmost(true); });

    vb::attempt([&] { LblTitle.Move(600 * sx, 180 * sy); });
    vb::attempt([&] { LblTitle.setFontSize(10 * sx); });
    vb::attempt([&] { LblPrompt.Move(1200 * sx, 720 * sy, 4080 * sx, 1920 * sy); });
    vb::attempt([&] { LblPrompt.setFontSize(10 * sx); });
    vb::attempt([&] { Image1.Move(240 * sx, 690 * sy); });
    vb::attempt([&] { lblMove.Move(0, 0, 4500 * sx, 540 * sy); });

    vb::attempt([&] { LblClick[0].Move(3960 * sx, 2880 * sy, 1350 * sx, 450 * sy); });
    vb::attempt([&] { LblClick[1].Move(2460 * sx, 2880 * sy, 1350 * sx, 450 * sy); });
    vb::attempt([&] { LblClick[3].Move(Width() - 420 * sx, 90 * sy, 330 * sx, 330 * sy); });
    vb::attempt([&] { LblClick[2].Move(4560 * sx, 120 * sy, 330 * sx, 330 * sy); });
    vb::attempt([&] { LblClick[2].setVisible(false); });

    for (int i = 0; i <= 3; ++i)
        vb::attempt([&] { LblClick[i].loadPicture(skin(QStringLiteral("l2000") + QString::number(i))); });

    // Centred on the screen.
    vb::attempt([&] {
        const QSize screen = platform::screenSizeTwips();
        Move((screen.width() - Width()) / 2, (screen.height() - Height()) / 2);
    });
}

int FrmKVMSGBOX::ask(const QString& title, const tk::Picture& picture, const QString& prompt)
{
    if (isLoaded() && get().Visible())
        return 0;
    FrmKVMSGBOX& box = get();
    box.LblTitle.setCaption(title);
    if (!picture.isNull())
        box.Image1.setPicture(picture);
    box.LblPrompt.setCaption(prompt);
    ModData::iMsgAnswer = 0;
    vb::attempt([&] { box.Show(true); });
    return ModData::iMsgAnswer;
}

void FrmKVMSGBOX::LblClick_Click(int index)
{
    if (index == 1)
        ModData::iMsgAnswer = 1;
    unload();
}

void FrmKVMSGBOX::lblMove_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
}
