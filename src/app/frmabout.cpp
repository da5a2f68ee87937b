#include "app/frmabout.h"

#include "app/moddata.h"
#include "app/settingslist.h"
#include "home/frmfengmian.h"
#include "platform/filelookup.h"
#include "platform/programfolder.h"
#include "platform/updaterstart.h"
#include "platform/windowpos.h"
#include "toolkit/vb.h"

using namespace ModData;

namespace {

QString skin(const QString& name)
{
    const QString path = sDataPath + name + QStringLiteral(".mxy");
    return platform::findFile(path).value_or(path);
}

} // namespace

FrmAbout::FrmAbout()
{
    setBorderless();
    for (int i : {4, 3})
        Line1.create(i);
    for (int i : {0, 1, 2, 3, 4, 6}) {
        tk::Label& l = Label1.create(i);
        l.setBackStyle(0);
        l.setFontName(QStringLiteral("宋体"));
        l.setAutoSize(i != 3);
    }
    Label1.onClick = [this](int index) { Label1_Click(index); };
    lblMove.setBackStyle(0);
    lblMove.onMouseDown = [this](int b, int s, float x, float y) { lblMove_MouseDown(b, s, x, y); };
    for (int i : {0, 1})
        LblClick.create(i).useProgramDesign();
    LblClick.onClick = [this](int index) { LblClick_Click(index); };
}

void FrmAbout::Form_Load()
{
    const double sx = dScaleX;
    const double sy = dScaleY;
    auto step = [](auto&& f) { vb::attempt(f); };

    step([&] { setTopmost(true); });
    step([&] { setWidth(6300 * sx); });
    step([&] { setHeight(4200 * sy); });
    step([&] { loadPicture(skin(QStringLiteral("l20070"))); });
    step([&] { loadIcon(skin(QStringLiteral("l62011"))); });
    step([&] { setCaption(app::programTitle(sSettings, sKeMu)); });
    step([&] { ImgLogo1.Move(120 * sx, 90 * sy); });
    step([&] { ImgLogo1.loadPicture(skin(QStringLiteral("l20067"))); });
    step([&] { lblMove.Move(0, 0, 5580 * sx, 540 * sy); });

    // The close mark keeps its distance from the right edge of the scaled window.
    step([&] { LblClick[0].Move(Width() - 420 * sx, 90 * sy, 330 * sx, 330 * sy); });
    step([&] { LblClick[0].loadPicture(skin(QStringLiteral("l20003"))); });
    step([&] { LblClick[1].Move(4680 * sx, 3480 * sy, 1350 * sx, 450 * sy); });
    step([&] { LblClick[1].loadPicture(skin(QStringLiteral("l20001"))); });

    const QString brand = [] {
        QString text;
        vb::attempt([&] { text = sSettings(0) + sSettings(9); });
        return text;
    }();
    struct Row {
        int index;
        double left, top, size;
        vb::Long colour;
        QString text;
    };
    const Row rows[] = {
        {1, 480, 720, 10, 15302412, brand},
        {2, 600, 180, 10, 0xFFFFFF, brand},
        {4, 480, 1080, 12, 0x0000FF, QStringLiteral("── ") + sProName},
        {0, 480, 1500, 10, tk::kButtonText, QString()},
        {3, 480, 1800, 10, tk::kButtonText,
         QStringLiteral("系统工作目录: ") + platform::programFolder()},
        {6, 480, 3600, 10, tk::kButtonText, QString()},
    };
    for (const Row& r : rows) {
        tk::Label& l = Label1[r.index];
        step([&] { l.setForeColor(r.colour); });
        step([&] { l.setFontSize(r.size * sx); });
        step([&] { l.Move(r.left * sx, r.top * sy); });
        if (!r.text.isEmpty())
            step([&] { l.setCaption(r.text); });
    }
    step([&] { Label1[4].setFontBold(true); });
    // The home window's footer as it stands now; it is loaded whenever this window opens.
    step([&] {
        if (FrmFengmian::isLoaded())
            Label1[0].setCaption(FrmFengmian::get().LblInfo[0].Caption());
    });
    step([&] { Label1[3].setWidth(5490 * sx); });
    step([&] { Label1[3].setHeight(540 * sy); });
    step([&] { Label1[3].setMousePointer(99); });
    step([&] { Label1[3].setMouseIcon(QCursor(Qt::PointingHandCursor)); });
    step([&] { Label1[6].setCaption(sSettings(7)); });

    step([&] {
        Line1[4].setBorderColor(8421504);
        Line1[4].setPoints(360 * sx, 2385 * sy, 5760 * sx, 2385 * sy);
    });
    step([&] {
        Line1[3].setBorderColor(0xFFFFFF);
        Line1[3].setPoints(Line1[4].X1() + 15 * sx, Line1[4].Y1() + 15 * sy,
                           Line1[4].X2() + 15 * sx, Line1[4].Y2() + 15 * sy);
    });
}

void FrmAbout::Label1_Click(int index)
{
    if (index == 3)
        platform::openFolder(platform::programFolder());
}

void FrmAbout::LblClick_Click(int) { unload(); }

void FrmAbout::lblMove_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
}
