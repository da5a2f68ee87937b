// The advertisement strip: the downloaded advertisement file's text in its colour, and its link.

#include "home/adstrip.h"
#include "home/frmfengmian.h"

#include "app/frmupdata.h"
#include "app/moddata.h"
#include "history/historyfiles.h"
#include "platform/filelookup.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "toolkit/pointers.h"

#include <QFile>

using ModData::dScaleX;
using ModData::dScaleY;

namespace {
const char* const kAdFile = "170100";

// The lines of the advertisement file from no more than its first bytes: the download keeps no
// longer file, and one longer still (put there by other means) costs the window no more.
// Nothing when the file cannot be opened.
std::optional<QStringList> readAdLines(const QString& path)
{
    QFile f(platform::findFile(path).value_or(path));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return platform::splitLines(platform::decodeGbk(f.read(app::update::kAdvertisementMaxBytes)));
}
} // namespace

// Part of the window build: read once per load, then left as it is until the window unloads.
void FrmFengmian::fillAdStrip()
{
    const vb::ErrorTrap trap(QStringLiteral("fmload"));
    const double sx = dScaleX;
    const double sy = dScaleY;
    QStringList lines;
    trap([&] {
        const auto read =
            readAdLines(history::UserFolder::ofProgram().file(kAdFile));
        if (!read)
            throw vb::Error(vb::ErrFileNotFound, vb::errorText(vb::ErrFileNotFound));
        lines = *read;
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
