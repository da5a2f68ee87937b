#pragma once
// A program folder for the tests of the question panel's buttons, clock and leaving: a data folder
// with a question-text file of N questions and the number-page pictures, a user folder, a fresh
// program state and a standard message box that records what it was asked and answers as told.
// Every window is unloaded when the fixture ends.

#include "app/moddata.h"
#include "controls/frmkvmsgbox.h"
#include "demo/frmyanshi.h"
#include "exam/frmczts.h"
#include "exam/frmend.h"
#include "exam/frmpicture.h"
#include "exam/frmtm.h"
#include "exam/standardbox.h"
#include "home/frmfengmian.h"
#include "platform/programfolder.h"
#include "platform/screenmetrics.h"
#include "platform/textfile.h"
#include "surface/frmmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <vector>

namespace panelfixture {

inline void closeWindows()
{
    ModData::bYanShiOn = false;
    FrmYanShi::unloadIfLoaded();
    FrmCZTS::unloadIfLoaded();
    FrmPicture::unloadIfLoaded();
    FrmEnd1::unloadIfLoaded();
    FrmEnd2::unloadIfLoaded();
    ModData::bTmCanClose = true;
    FrmMain::unloadIfLoaded();
    FrmTm::unloadIfLoaded();
    FrmFengmian::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Closes the program's own message box whenever it is up, keeping "title|text" of each.
struct Notices {
    Notices()
    {
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (!FrmKVMSGBOX::isLoaded() || !FrmKVMSGBOX::get().isVisible())
                return;
            FrmKVMSGBOX& box = FrmKVMSGBOX::get();
            seen << box.LblTitle.Caption() + u'|' + box.LblPrompt.Caption();
            box.LblClick_Click(1);
        });
        poll.start();
    }
    QStringList seen;
    QTimer poll;
};

// Colours of the number-page pictures: not opened, opened, marked.
inline const QColor kNotOpened(10, 20, 30);
inline const QColor kOpened(40, 50, 60);
inline const QColor kMarked(70, 80, 90);

class Panel {
public:
    // A whole-unit practice of `count` questions of unit 0 (ids 1 to count), question 1 shown.
    explicit Panel(int count = 3)
    {
        closeWindows();
        ModData::resetAll();
        platform::setScreenSizeOverride(QSize(1024, 768));
        platform::setProgramFolder(dir_.path());
        QDir(dir_.path()).mkdir(QStringLiteral("data"));
        QDir(dir_.path()).mkdir(QStringLiteral("ksdata"));
        data = dir_.path() + QStringLiteral("/data/");
        user = dir_.path() + QStringLiteral("/ksdata/");
        picture(QStringLiteral("l01030"), kNotOpened);
        picture(QStringLiteral("l01031"), kOpened);
        picture(QStringLiteral("l01032"), kMarked);

        using namespace ModData;
        dScaleX = 1;
        dScaleY = 1;
        sDataPath = data;
        sKeMu = QStringLiteral("Windows XP");
        sSettings(0) = QStringLiteral("职称计算机");
        sSettings(9) = QStringLiteral("练习");
        iLianXiType = 20;
        iLianXiSub = 0;
        iRunMode = 2;
        sTmTextFile = data + QStringLiteral("288870.mxy");
        setCount(count);
        iTmNo = 1;
        iStepNo = 1;

        exam::setStandardBoxForTests([this](const exam::BoxRequest& r) {
            asked.push_back(r);
            if (onBox)
                onBox();
            return answer;
        });
    }
    ~Panel()
    {
        exam::setStandardBoxForTests({});
        closeWindows();
        platform::setScreenSizeOverride(QSize());
        platform::setProgramFolder(QString());
    }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    // Questions 1 to count with ids 1 to count, done marks "F", flags 0, and their text lines.
    void setCount(int count)
    {
        using namespace ModData;
        iTmCount = qint16(count);
        QStringList lines;
        for (int q = 1; q <= count; ++q) {
            iTmCode(q) = qint16(q);
            sTmDone(q) = QStringLiteral("F");
            iTmFlags(q) = 0;
            lines << QStringLiteral("0001%1第%2题").arg(1, 2, 10, QLatin1Char('0')).arg(q);
        }
        platform::writeWholeFile(sTmTextFile, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }

    // The panel loaded (which loads the surface and shows question iTmNo).
    static FrmTm& panel() { return FrmTm::get(); }

    void picture(const QString& id, QColor colour) const
    {
        QImage img(8, 4, QImage::Format_RGB32);
        img.fill(colour);
        img.save(data + id + QStringLiteral(".mxy"), "PNG");
    }

    static void writeFile(const QString& path, const QString& text) { platform::writeWholeFile(path, text); }
    static bool exists(const QString& path) { return QFile::exists(path); }
    static QString readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? platform::decodeGbk(f.readAll()) : QString();
    }

    QString data;
    QString user;
    std::vector<exam::BoxRequest> asked;
    exam::BoxAnswer answer = exam::BoxAnswer::No;
    std::function<void()> onBox; // runs while the box is "open"

private:
    QTemporaryDir dir_;
};

} // namespace panelfixture
