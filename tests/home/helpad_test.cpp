// The help panel, the footer links, the update and about windows opened from the home window, and
// the advertisement strip.

#include "common/closedport.h"
#include "homefixture.h"

#include "common/namedpipe.h"

#include "app/frmabout.h"
#include "app/frmupdata.h"
#include "app/modzcb.h"
#include "home/adstrip.h"
#include "platform/textfile.h"

#include <QFontMetrics>
#include <QImage>
#include <QMap>
#include <algorithm>

using namespace hometest;

class HelpAndLinks : public HomeTest {
protected:
    void SetUp() override
    {
        HomeTest::SetUp();
        if (IsSkipped())
            return;
        FrmFengmian::setShowAboutForTests([this] { ++abouts; });
    }
    void TearDown() override
    {
        FrmFengmian::setShowAboutForTests({});
        FrmAbout::unloadIfLoaded();
        FrmUpdata::unloadIfLoaded();
        HomeTest::TearDown();
    }
    void writeAd(const QStringList& lines) { writeLines(userPath(QStringLiteral("170100.mxy")), lines); }
    int abouts = 0;
};

TEST_F(HelpAndLinks, HelpPages)
{
    FrmFengmian& w = FrmFengmian::get();
    const auto expectPage = [&](int shown, const char* title) {
        EXPECT_EQ(w.LlbHelpCAP.Caption(), QString::fromUtf8(title));
        for (int i = 32; i <= 36; ++i)
            EXPECT_EQ(w.ClickBotn[i].Enabled(), i != shown) << i;
        EXPECT_EQ(w.WebHelpCON.LocationURL(), dataPath(QStringLiteral("l3818%1.mxy").arg(shown - 32)));
        EXPECT_TRUE(w.WebHelpCON.pageText().contains(QString::fromUtf8(title))) << w.WebHelpCON.pageText().toStdString();
    };
    expectPage(32, "软件介绍");
    w.ClickBotn_Click(11);
    EXPECT_TRUE(w.PicHelp.Visible());
    const struct {
        int button;
        const char* title;
    } rows[] = {{35, "答题技巧"}, {33, "备考指南"}, {34, "考试大纲"}, {36, "常见问题"}, {32, "软件介绍"}};
    for (const auto& r : rows) {
        w.ClickBotn_Click(r.button);
        expectPage(r.button, r.title);
    }

    // Every build starts again on page 0; a missing page shows an empty page and reports nothing.
    w.ClickBotn_Click(35);
    QFile::remove(dataPath(QStringLiteral("l38180.mxy")));
    Reports reports;
    w.FengMainCsh();
    EXPECT_EQ(w.LlbHelpCAP.Caption(), QStringLiteral("软件介绍"));
    EXPECT_FALSE(w.ClickBotn[32].Enabled());
    EXPECT_TRUE(w.ClickBotn[35].Enabled());
    EXPECT_TRUE(w.WebHelpCON.pageText().isEmpty());
    EXPECT_FALSE(reports.list.join(u' ').contains(QStringLiteral("clickbotn")));
}

TEST_F(HelpAndLinks, FooterLinksBySettingsEntry26)
{
    const QString builtSiteA = QStringLiteral("http://127.0.0.1/");
    const struct {
        const char* entry26;
        bool builtIn;
    } sets[] = {{"2099", true}, {"20991231", true}, {"  2099  ", true}, {"2098", false}, {"209", false}, {"", false}};
    for (const auto& set : sets) {
        SCOPED_TRACE(set.entry26);
        ModData::sSettings(26) = QString::fromUtf8(set.entry26);
        for (int e = 1; e <= 4; ++e)
            ModData::sSettings(e) = QStringLiteral("https://example.invalid/%1").arg(e);
        FrmFengmian& w = FrmFengmian::get();
        const struct {
            int label, entry;
        } links[] = {{1, 1}, {17, 1}, {18, 2}, {3, 3}, {20, 3}, {19, 4}};
        for (const auto& l : links) {
            opened.clear();
            w.LblInfo_Click(l.label);
            ASSERT_EQ(opened.size(), 1) << l.label;
            if (set.builtIn) {
                EXPECT_TRUE(opened.first().startsWith(builtSiteA)) << l.label;
                EXPECT_NE(opened.first(), ModData::sSettings(l.entry));
            } else {
                EXPECT_EQ(opened.first(), ModData::sSettings(l.entry)) << l.label;
            }
        }
        // The chat links of the built-in set carry uin, Site and Menu=yes.
        opened.clear();
        w.LblInfo_Click(3);
        if (set.builtIn) {
            EXPECT_TRUE(opened.first().contains(QStringLiteral("uin=")) && opened.first().endsWith(QStringLiteral("Menu=yes")));
        }
        unloadWindows();
    }

    // The telephone line does nothing; 0 and 21 open the about window whatever entry 26 holds;
    // an empty or non-web settings link is not handed on.
    ModData::sSettings(26) = QString();
    ModData::sSettings(3) = QString();
    ModData::sSettings(1) = QStringLiteral("file:///etc/passwd");
    FrmFengmian& w = FrmFengmian::get();
    opened.clear();
    for (int label : {2, 3, 1})
        w.LblInfo_Click(label);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(abouts, 0);
    w.LblInfo_Click(0);
    ModData::sSettings(26) = QStringLiteral("2099");
    w.LblInfo_Click(21);
    EXPECT_EQ(abouts, 2);
}

TEST_F(HelpAndLinks, AboutAndUpdateWindowsOpen)
{
    FrmFengmian::setShowAboutForTests({});
    FrmFengmian& w = FrmFengmian::get();
    bool aboutWasShown = false;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (FrmAbout::isLoaded() && FrmAbout::get().isVisible()) {
            aboutWasShown = true;
            FrmAbout::get().LblClick_Click(1);
        }
    });
    closer.start();
    w.LblInfo_Click(0); // returns once the modal window is closed
    EXPECT_TRUE(aboutWasShown);
    closer.stop();

    ModZCB::setWebServiceAddress(closedport::address() + QStringLiteral("/"));
    ModData::iUpdataShow = 0;
    w.ClickBotn_Click(8);
    EXPECT_EQ(ModData::iUpdataShow, 1);
    ASSERT_TRUE(FrmUpdata::isLoaded());
    EXPECT_TRUE(FrmUpdata::get().isVisible());
    FrmUpdata::unloadIfLoaded();
    ModZCB::setWebServiceAddress({});
}

TEST_F(HelpAndLinks, AdvertisementStrip)
{
    const struct {
        QStringList file; // empty: no file
        const char* caption;
        long colour;
        const char* link;
        const char* opens; // what a click hands to the browser; nullptr: nothing
    } rows[] = {
        {{"  甲◎乙  ", "255", "http://127.0.0.1/ad"}, "甲\r\n乙", 255, "http://127.0.0.1/ad", "http://127.0.0.1/ad"},
        {{"甲◎◎ 乙", "&HFF0000", "x", "fourth line"}, "甲\r\n\r\n 乙", 0xFF0000, "x", nullptr},
        {{"只有一行"}, "只有一行", 0, "", nullptr},
        {{"a", "no number"}, "a", 0, "", nullptr},
        {{"<b>粗</b>", "0", "https://127.0.0.1/"}, "<b>粗</b>", 0, "https://127.0.0.1/", "https://127.0.0.1/"},
        {{"广告", "0", "www.example.com/ad page.html"}, "广告", 0, "www.example.com/ad page.html",
         "http://www.example.com/ad%20page.html"},
        {{"广告", "0", "http://example.com/?q={x}|y"}, "广告", 0, "http://example.com/?q={x}|y",
         "http://example.com/?q=%7Bx%7D%7Cy"},
        {{"广告", "0", "javascript:alert(1)"}, "广告", 0, "javascript:alert(1)", nullptr},
        {{}, "", 0, "", nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.caption);
        QFile::remove(userPath(QStringLiteral("170100.mxy")));
        if (!r.file.isEmpty())
            writeAd(r.file);
        Reports reports;
        FrmFengmian& w = FrmFengmian::get();
        EXPECT_EQ(w.LblAD.Caption(), QString::fromUtf8(r.caption));
        EXPECT_EQ(w.LblAD.ForeColor(), r.colour);
        EXPECT_EQ(w.sAdLink, QString::fromUtf8(r.link));
        EXPECT_DOUBLE_EQ(w.PicAd.Width(), w.LblAD.Width());
        EXPECT_DOUBLE_EQ(w.PicAd.Height(), w.LblAD.Height());
        EXPECT_DOUBLE_EQ(w.PicAd.Left(), 3000);
        EXPECT_DOUBLE_EQ(w.PicAd.Top(), 8100);
        EXPECT_EQ(reports.list.contains(QStringLiteral("fmload:53")), r.file.isEmpty());

        // Hidden on the start page, shown on the panel pages.
        EXPECT_FALSE(w.PicAd.Visible());
        w.ClickBotn_Click(6);
        EXPECT_TRUE(w.PicAd.Visible());
        w.ClickBotn_Click(15);
        EXPECT_FALSE(w.PicAd.Visible());

        // A click opens web links only.
        opened.clear();
        w.LblAD_Click();
        EXPECT_EQ(opened, r.opens ? QStringList{QString::fromUtf8(r.opens)} : QStringList{});
        unloadWindows();
    }

    // A file downloaded while the window is loaded shows from its next load on.
    writeAd({QStringLiteral("旧")});
    FrmFengmian& w = FrmFengmian::get();
    writeAd({QStringLiteral("新")});
    w.ClickBotn_Click(16);
    EXPECT_EQ(w.LblAD.Caption(), QStringLiteral("旧"));
    unloadWindows();
    EXPECT_EQ(FrmFengmian::get().LblAD.Caption(), QStringLiteral("新"));
}

// Named pipes where the advertisement, the paper list and the bank version file are expected
// (one a link to a pipe): the home window comes up at once, and the strip, which cannot read its
// file, shows nothing and says the file cannot be read, not that it is missing.
TEST_F(HelpAndLinks, PipesWhereFilesAreExpectedAreNotWaitedOn)
{
    const QString pipe = folder + QStringLiteral("/pipe");
    ASSERT_TRUE(namedpipe::make(pipe));
    for (const QString& path : {userPath(QStringLiteral("170100.mxy")), userPath(QStringLiteral("288891.mxy")),
                                dataPath(QStringLiteral("288895.mxy"))}) {
        QFile::remove(path);
        if (path.endsWith(QStringLiteral("288891.mxy")))
            ASSERT_TRUE(QFile::link(pipe, path));
        else
            ASSERT_TRUE(namedpipe::make(path));
    }
    const namedpipe::BlockGuard guard(
        {pipe, userPath(QStringLiteral("170100.mxy")), dataPath(QStringLiteral("288895.mxy"))});
    Reports reports;
    FrmFengmian& w = FrmFengmian::get();
    EXPECT_FALSE(guard.freed()) << "a read waited for a writer of a pipe";
    EXPECT_TRUE(w.LblAD.Caption().isEmpty());
    EXPECT_TRUE(w.sAdLink.isEmpty());
    EXPECT_TRUE(reports.list.contains(QStringLiteral("fmload:75"))) << reports.list.join(u' ').toStdString();
    EXPECT_FALSE(reports.list.contains(QStringLiteral("fmload:53")));
    unloadWindows();
}

// However long the file, the strip gets no more than a bounded message: the first
// kAdCaptionMaxChars characters of line 1. A file far longer than any advertisement the download
// keeps is damaged and not read at all: the strip shows nothing of it.
TEST_F(HelpAndLinks, AnAdvertisementOfAnyLengthGivesTheStripABoundedMessage)
{
    const int most = home::kAdCaptionMaxChars;
    const QByteArray tail = "\r\n255\r\nhttp://127.0.0.1/ad\r\n";
    const struct {
        const char* name;
        QByteArray file;
        QString caption;
        long colour;
        const char* link;
    } rows[] = {
        {"the longest message", QByteArray(most, 'A') + tail, QString(most, u'A'), 255, "http://127.0.0.1/ad"},
        {"a longer message", "  " + QByteArray(3 * most, 'A') + tail, QString(most, u'A'), 255,
         "http://127.0.0.1/ad"},
        {"a first line of 60 KB", platform::encodeGbk(QStringLiteral("广告")).repeated(15 << 10) + tail,
         QStringLiteral("广告").repeated(most / 2), 255, "http://127.0.0.1/ad"},
        {"a first line of 10 MB", platform::encodeGbk(QStringLiteral("广告")).repeated(10 << 18) + tail, QString(),
         0, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        QFile f(userPath(QStringLiteral("170100.mxy")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(r.file);
        f.close();
        FrmFengmian& w = FrmFengmian::get();
        EXPECT_EQ(w.LblAD.Caption().size(), r.caption.size());
        EXPECT_TRUE(w.LblAD.Caption() == r.caption); // not printed: it may be megabytes
        EXPECT_EQ(w.LblAD.ForeColor(), r.colour);
        EXPECT_EQ(w.sAdLink, QString::fromUtf8(r.link));
        EXPECT_DOUBLE_EQ(w.PicAd.Width(), w.LblAD.Width());
        unloadWindows();
    }
}

// Markup in the advertisement file is not read: the strip draws the tags as text, in the
// label's own font, not the word in bold. The ink of the label spans the whole text with its
// tags, as wide as the font measures it.
TEST_F(HelpAndLinks, AdvertisementDrawsMarkupAsText)
{
    const QString text = QStringLiteral("<b>粗体</b>");
    writeAd({text, QStringLiteral("0")});
    FrmFengmian& w = FrmFengmian::get();
    w.ClickBotn_Click(6);
    ASSERT_TRUE(w.PicAd.Visible());
    const QImage shot = w.LblAD.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shot.isNull());
    // Ink: pixels clearly darker than the background, the label's most frequent colour (the
    // caption is black).
    QMap<QRgb, int> colours;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ++colours[shot.pixel(x, y)];
    QRgb back = 0;
    for (auto it = colours.cbegin(); it != colours.cend(); ++it)
        if (it.value() > colours.value(back))
            back = it.key();
    int left = shot.width(), right = -1;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (qGray(back) - qGray(shot.pixel(x, y)) > 96) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, left) << "nothing drawn";
    const QFontMetrics fm(w.LblAD.font());
    const int drawn = right - left + 1;
    EXPECT_GT(drawn, fm.horizontalAdvance(QStringLiteral("<b>粗体"))) << "the tags are not all drawn";
    EXPECT_LE(drawn, fm.horizontalAdvance(text) + 2);
    // The tags' own glyphs stand at the left: the first ink lies within the width of "<".
    EXPECT_LT(left, fm.horizontalAdvance(QStringLiteral("<")));
}
