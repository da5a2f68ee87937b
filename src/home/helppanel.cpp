// The help panel with its five installed help pages, and the footer links of the home window.

#include "home/frmfengmian.h"

#include "app/moddata.h"
#include "platform/openurl.h"
#include "platform/textfile.h"

#include <QTextBrowser>

using ModData::dScaleX;
using ModData::dScaleY;
using ModData::sSettings;

namespace {

// A page viewer that follows no link and loads nothing the page refers to (pictures, style
// sheets): it shows the page's own text only.
class PageView : public QTextBrowser {
public:
    explicit PageView(QWidget* parent) : QTextBrowser(parent)
    {
        setOpenLinks(false);
        setOpenExternalLinks(false);
        setReadOnly(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        setFrameShape(QFrame::NoFrame);
    }
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

struct HelpPageDef {
    int button;
    const char* title;
};
constexpr HelpPageDef kHelpPages[] = {
    {32, "软件介绍"}, {33, "备考指南"}, {34, "考试大纲"}, {35, "答题技巧"}, {36, "常见问题"},
};

// The built-in links, used when settings entry 26 begins with "2099".
const char* const kSiteA = "http://127.0.0.1/";
const char* const kSiteB = "http://127.0.0.1/xp/";
const char* const kChatA = "http://127.0.0.1/chat/?uin=10001&Site=xp&Menu=yes";
const char* const kChatB = "http://127.0.0.1/chat/?uin=10002&Site=xp&Menu=yes";

} // namespace

HelpBrowser::HelpBrowser(QWidget* container) : tk::Control(container, tk::Layer::Windowed), view_(new PageView(this))
{
    view_->setGeometry(rect());
}

void HelpBrowser::resizeEvent(QResizeEvent* event)
{
    tk::Control::resizeEvent(event);
    view_->setGeometry(rect());
}

void HelpBrowser::Navigate(const QString& path)
{
    location_ = path;
    const platform::LinesRead page = platform::readLines(path, platform::kProgramFileBytes);
    if (!page.read()) {
        view_->clear();
        return;
    }
    view_->setHtml(page.lines.join(u'\n'));
}

QString HelpBrowser::pageText() const { return view_->toPlainText(); }

// ---- Help panel ----------------------------------------------------------------------------------

void FrmFengmian::buildHelpPanel()
{
    const vb::ErrorTrap trap(QStringLiteral("fengmaincsh"));
    const double sx = dScaleX;
    const double sy = dScaleY;
    trap([&] { PicHelpLeft.Move(PicUnitLeft.Left(), PicUnitLeft.Top()); });
    PicHelpLeft.setPicture(PicUnitLeft.Picture());
    for (int i = 32; i <= 36; ++i)
        trap([&] { ClickBotn[i].Move(15 * sx, (15 + 750 * (i - 32)) * sy, 2700 * sx, 750 * sy); });
    trap([&] { WebHelpCON.Move(2880 * sx, 870 * sy, 9090 * sx, 5880 * sy); });
    LlbHelpCAP.setCaption(QString());
    LlbHelpCAP.setAlignment(2);
    trap([&] { LlbHelpCAP.Move(6960 * sx, 240 * sy); });
    trap([&] { LlbHelpCAP.setFontSize(20 * sx); });
    ClickBotn_Click(32);
}

void FrmFengmian::helpPage(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    for (int i = 32; i <= 36; ++i)
        ClickBotn[i].setEnabled(true);
    const QString path = ModData::sDataPath + QStringLiteral("l3818") + QString::number(index - 32) +
                         QStringLiteral(".mxy");
    LlbHelpCAP.setCaption(QString::fromUtf8(kHelpPages[index - 32].title));
    ClickBotn[index].setEnabled(false);
    trap([&] { WebHelpCON.Navigate(path); });
}

// ---- Footer links --------------------------------------------------------------------------------

void FrmFengmian::LblInfo_Click(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("lblinfo"));
    if (index == 0 || index == 21) {
        trap([] { showAbout(); });
        return;
    }
    int entry = 0;
    const char* builtIn = nullptr;
    switch (index) {
    case 1:
    case 17:
        entry = 1;
        builtIn = kSiteA;
        break;
    case 18:
        entry = 2;
        builtIn = kSiteB;
        break;
    case 3:
    case 20:
        entry = 3;
        builtIn = kChatA;
        break;
    case 19:
        entry = 4;
        builtIn = kChatB;
        break;
    default:
        return; // 2, the telephone line, and every other label
    }
    QString link;
    trap([&] {
        link = vb::trim(sSettings(26)).left(4) == QStringLiteral("2099") ? QString::fromUtf8(builtIn)
                                                                          : sSettings(entry);
    });
    trap([&] { openLinkChecked(link); });
}
