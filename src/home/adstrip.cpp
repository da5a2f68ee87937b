// The advertisement strip: the downloaded advertisement file's text in its colour, and its link.

#include "home/adstrip.h"
#include "home/frmfengmian.h"

#include "app/frmupdata.h"
#include "app/moddata.h"
#include "history/historyfiles.h"
#include "platform/textfile.h"
#include "toolkit/pointers.h"

using ModData::dScaleX;
using ModData::dScaleY;

namespace {
const char* const kAdFile = "170100";

// The advertisement's bound: four times the longest file its download keeps, so that a longer
// one was put there by other means and is damaged.
constexpr qint64 kAdFileBytes = 4 * app::update::kAdvertisementMaxBytes;
} // namespace

// Part of the window build: read once per load, then left as it is until the window unloads.
void FrmFengmian::fillAdStrip()
{
    const vb::ErrorTrap trap(QStringLiteral("fmload"));
    const double sx = dScaleX;
    const double sy = dScaleY;
    QStringList lines;
    trap([&] {
        platform::LinesRead read = platform::readLines(
            history::UserFolder::ofProgram().file(kAdFile), kAdFileBytes);
        if (!read.read())
            vb::raise(vb::notReadError(read.status == platform::ReadStatus::Missing));
        lines = std::move(read.lines);
    });
    const home::AdText ad = home::adText(lines);
    sAdLink = ad.link;

    trap([&] { PicAd.Move(3000 * sx, 8100 * sy); });
    trap([&] { LblAD.Move(0, 0); });
    LblAD.setMousePointer(99);
    trap([&] { LblAD.setMouseIcon(tk::loadCursor(ModData::sDataPath + QStringLiteral("9l0015.mxy"))); });
    LblAD.setFontName(QStringLiteral("宋体"));
    trap([&] { LblAD.setFontSize(10 * sx); });
    LblAD.setCaption(ad.caption); // always plain text
    trap([&] { LblAD.setForeColor(vb::clng(vb::val(ad.colour))); });
    trap([&] { PicAd.setWidth(LblAD.Width()); });
    trap([&] { PicAd.setHeight(LblAD.Height()); });
    PicAd.hide();
}

void FrmFengmian::LblAD_Click()
{
    vb::attempt([&] { openLinkChecked(sAdLink); });
}
