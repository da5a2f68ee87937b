#pragma once
// The home window's tests run on a copy of the sample program folder that the build lays out,
// so nothing is ever written into the build's own folder.

#include "app/moddata.h"
#include "app/startup.h"
#include "bank/exercise.h"
#include "controls/frmkvmsgbox.h"
#include "exam/frmlogon.h"
#include "exam/frmtm.h"
#include "home/frmfengmian.h"
#include "platform/filelookup.h"
#include "platform/programfolder.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"
#include "surface/frmmain.h"
#include "toolkit/vberror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace hometest {

inline const QString kSampleFolder = QStringLiteral(XP_BUILD_DIR "/program");

// A plain copy (QFile::copy syncs every file to disk, far slower for a whole folder).
inline bool copyTree(const QString& from, const QString& to)
{
    return QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), from, to}) == 0;
}

// Answers the program's message box whenever it is shown, keeping what it said.
class BoxAnswer {
public:
    explicit BoxAnswer(int button = 0)
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this, button] {
            if (!FrmKVMSGBOX::isLoaded() || !FrmKVMSGBOX::get().isVisible())
                return;
            FrmKVMSGBOX& box = FrmKVMSGBOX::get();
            titles << box.LblTitle.Caption();
            prompts << box.LblPrompt.Caption();
            box.LblClick_Click(button);
        });
        timer_.start();
    }
    QStringList titles;
    QStringList prompts;

private:
    QTimer timer_;
};

// Collects "tag:number" of every error report.
struct Reports {
    Reports()
    {
        vb::setReporter([this](const QString& tag, long number, const QString&) {
            list << tag + u':' + QString::number(number);
        });
    }
    ~Reports() { vb::setReporter({}); }
    QStringList list;
};

inline void unloadWindows()
{
    ModData::bTmCanClose = true;
    FrmKVMSGBOX::unloadIfLoaded();
    FrmFengmian::unloadIfLoaded();
    FrmTm::unloadIfLoaded();
    FrmMain::unloadIfLoaded();
    FrmLogon::unloadIfLoaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class HomeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(kSampleFolder + QStringLiteral("/ver.txt")))
            GTEST_SKIP() << "the sample program folder is not built";
        ASSERT_TRUE(dir.isValid());
        folder = dir.filePath(QStringLiteral("program"));
        ASSERT_TRUE(copyTree(kSampleFolder, folder));
        ModData::resetAll();
        platform::clearLookupCache();
        platform::setProgramFolder(folder);
        platform::registry::setStoreFile(dir.filePath(QStringLiteral("registry.ini")));
        app::readInfo();
        FrmFengmian::setEndProgramForTests([this] { ++ended; });
        FrmFengmian::setOpenLinkForTests([this](const QString& link) { opened << link; });
    }
    void TearDown() override
    {
        unloadWindows();
        FrmFengmian::setEndProgramForTests({});
        FrmFengmian::setOpenLinkForTests({});
        platform::setProgramFolder({});
        platform::registry::setStoreFile({});
        platform::clearLookupCache();
        ModData::resetAll();
    }

public:
    QString dataPath(const QString& name) const { return ModData::sDataPath + name; }
    QString userPath(const QString& name) const { return folder + QStringLiteral("/ksdata/") + name; }
    // Writes lines, each closed with CR LF.
    static void writeLines(const QString& path, const QStringList& lines)
    {
        QString text;
        for (const QString& l : lines)
            text += l + QStringLiteral("\r\n");
        ASSERT_TRUE(platform::writeWholeFile(path, text));
    }
    static QStringList readLines(const QString& path) { return platform::readAllLines(path).value_or(QStringList{}); }

    // Unit u of `questions` copies of the sample's first question, with the bank layout naming
    // the unit counts given.
    void makeBank(const QList<int>& unitQuestions)
    {
        // The sample's own unit files, as the build laid them out.
        const QString sample = kSampleFolder + u'/' + QDir(folder).relativeFilePath(ModData::sDataPath);
        const QStringList text = readLines(sample + QStringLiteral("/288870.mxy"));
        ASSERT_FALSE(text.isEmpty());
        const QStringList ops = readLines(sample + QStringLiteral("/288820.mxy")).mid(0, bank::blockLength(text.first()));
        QString counts;
        for (int u = 0; u < unitQuestions.size(); ++u) {
            counts += QString::number(unitQuestions[u]).rightJustified(2, u'0');
            if (u >= 20)
                continue; // units from 20 on have no files
            QStringList t, o;
            for (int q = 0; q < unitQuestions[u]; ++q) {
                t << text.first();
                o << ops;
            }
            writeLines(dataPath(QStringLiteral("2888%1.mxy").arg(70 + u)), t);
            writeLines(dataPath(QStringLiteral("2888%1.mxy").arg(20 + u)), o);
        }
        writeLines(dataPath(QStringLiteral("288891.mxy")),
                   {QStringLiteral("00") + QString::number(unitQuestions.size()).rightJustified(2, u'0'), counts});
    }

    QTemporaryDir dir;
    QString folder;
    int ended = 0;
    QStringList opened;
};

} // namespace hometest
