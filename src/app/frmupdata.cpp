#include "app/frmupdata.h"

#include "app/moddata.h"
#include "app/modzcb.h"
#include "app/startup.h"
#include "platform/download.h"
#include "platform/filelookup.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "platform/updaterstart.h"
#include "platform/waits.h"
#include "platform/windowpos.h"
#include "toolkit/vb.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace ModData;

namespace {

const QString kTagLoad = QStringLiteral("upload");
const QString kTagCheck = QStringLiteral("tkup");

FrmUpdata::MessageBox& boxOverride()
{
    static FrmUpdata::MessageBox box;
    return box;
}

std::function<void()>& endOverride()
{
    static std::function<void()> end;
    return end;
}

QString& programNameOverride()
{
    static QString name;
    return name;
}

// A skin picture of the data folder, its name found ignoring letter case.
QString skin(const QString& name)
{
    const QString path = sDataPath + name + QStringLiteral(".mxy");
    return platform::findFile(path).value_or(path);
}

// One path segment of a web address: the GBK bytes, percent-encoded.
QString segment(const QString& text)
{
    return QString::fromLatin1(platform::encodeGbk(text).toPercentEncoding());
}

QString userFolder() { return platform::programPath(QStringLiteral("ksdata")); }

// Where a file of a folder is written: the existing file whatever its letter case.
QString writePath(const QString& folder, const QString& name)
{
    return platform::pathForWrite(folder, name).value_or(platform::joinPath(folder, name));
}

bool ask(const QString& text, const QString& title, bool yesNo)
{
    platform::enteringWait(platform::WaitKind::StandardBox);
    if (boxOverride())
        return boxOverride()(text, title, yesNo);
    platform::MessageBox box(yesNo ? QMessageBox::Question : QMessageBox::NoIcon, title, text,
                             yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    if (QGuiApplication::platformName() == u"offscreen") {
        // Nobody could answer a box without a screen: it says no.
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return false;
    }
    return box.exec() == QMessageBox::Yes;
}

void endProgram()
{
    if (endOverride()) {
        endOverride()();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

// Copies a file's bytes over another through a temporary file, so the target is either the old
// file or the whole copy.
bool copyWhole(const QString& from, const QString& to)
{
    const platform::FileBytes in = platform::readFile(from, platform::kProgramFileBytes);
    if (!in.read())
        return false;
    const QByteArray& bytes = in.bytes;
    QSaveFile out(to);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QString downloadedListPath() { return writePath(userFolder(), QStringLiteral("288895.mxy")); }

// The end of an accepted update: files, bank version, message, update program, program end.
// Works without the window, which may have been closed while the question was open.
void finishUpdate(const QString& listPath)
{
    namespace up = app::update;
    const vb::ErrorTrap trap(kTagCheck);
    const up::Outcome outcome = up::applyList(listPath);
    // The list becomes the installed bank version only when every newer file arrived (after a
    // failure the next check finds the bank still older and fetches what is missing), and only
    // when it holds a bank version: anything else would stand in the way of every later update.
    if (outcome.updated == outcome.attempted && up::isBankVersion(outcome.version)) {
        trap([&] {
            const QString bankVersion = writePath(
                sDataPath.isEmpty() ? platform::programFolder() : sDataPath,
                QStringLiteral("288895.mxy"));
            if (!copyWhole(listPath, bankVersion))
                vb::raise(vb::ErrPathFileAccess);
        });
    }
    trap([&] { ask(up::doneMessage(outcome), app::programTitle(), false); });
    if (outcome.replaceProgram) {
        trap([] {
            if (!platform::startUpdater())
                vb::raise(vb::ErrFileNotFound);
        });
    }
    endProgram();
}

} // namespace

// ---- The update list ----------------------------------------------------------------------------

namespace app::update {

std::optional<Folder> folderOfLetter(QChar letter)
{
    switch (letter.unicode()) {
    case u'D':
        return Folder::Data;
    case u'K':
        return Folder::User;
    case u'E':
        return Folder::Picture;
    case u'M':
        return Folder::Program;
    default:
        return std::nullopt;
    }
}

std::optional<Entry> parseEntry(const QString& line)
{
    const QString t = vb::trim(line);
    if (t.size() <= 18 || t.startsWith(QLatin1String("20")))
        return std::nullopt;
    return Entry{t.at(0), t.mid(1, 12), t.mid(13)};
}

QString localName(const QString& fileName)
{
    return fileName.contains(u'.') ? fileName : fileName + QStringLiteral(".mxy");
}

QString serverName(const QString& fileName)
{
    const QString base = fileName.contains(u'.') ? fileName.left(std::max<qsizetype>(0, fileName.size() - 4)) : fileName;
    return base + QStringLiteral(".rar");
}

std::optional<QStringList> nameParts(const QString& name)
{
    QString n = name;
    n.replace(u'\\', u'/');
    const QStringList parts = n.split(u'/');
    for (const QString& part : parts) {
        // An empty part is an absolute name or a doubled separator; ":" a drive.
        if (!platform::isPlainName(part) || part.contains(u':'))
            return std::nullopt;
    }
    return parts;
}

bool isBankVersion(const QString& text)
{
    return text.size() == 12 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString listVersion(const QString& listText)
{
    const QString t = vb::trim(listText);
    if (!t.startsWith(QLatin1String("20")))
        return {};
    const QString version = vb::left(t, 12);
    return isBankVersion(version) ? version : QString();
}

Check checkReply(const QString& reply, const QString& installedVersion)
{
    if (reply.startsWith(QLatin1String("error")))
        return Check::Failed;
    const QString version = listVersion(reply);
    if (version.isEmpty())
        return Check::NotAList;
    // An installed version that is none (no file, or a line that is no version) never holds an
    // update back.
    if (isBankVersion(installedVersion) && QString::compare(version, installedVersion) <= 0)
        return Check::UpToDate;
    return Check::Newer;
}

QString checkText(Check check)
{
    switch (check) {
    case Check::Failed:
        return QStringLiteral("无法连接升级服务器，请稍后再试。");
    case Check::NotAList:
        return QStringLiteral("升级信息无法读取，请稍后再试。");
    case Check::UpToDate:
    case Check::Newer:
        break;
    }
    return QStringLiteral("已是最新版本，无需升级。");
}

QString listFetchFailedText() { return QStringLiteral("升级文件无法下载，请稍后再试。"); }

QString dataFolderName()
{
    QString name = sDataPath;
    const QString program = platform::programFolder();
    if (!program.isEmpty() && name.startsWith(program))
        name.remove(0, program.size());
    name.remove(u'/');
    name.remove(u'\\');
    return name;
}

QString updateBase()
{
    return ModZCB::webServiceAddress() + QStringLiteral("/up/exmsim/") + segment(sKeMu) + u'/';
}

QString listAddress()
{
    return updateBase() + segment(dataFolderName()) + QStringLiteral("/288895.txt");
}

QString advertisementAddress()
{
    return ModZCB::webServiceAddress() + QStringLiteral("/up/ad/") + segment(sSettings(12)) +
           QStringLiteral("/170100.rar");
}

QString localFolder(Folder folder)
{
    const QString program = platform::programFolder();
    switch (folder) {
    case Folder::Data: {
        QString data = sDataPath;
        while (data.size() > 1 && (data.endsWith(u'/') || data.endsWith(u'\\')))
            data.chop(1);
        return data.isEmpty() ? program : data;
    }
    case Folder::User:
        return platform::joinPath(program, QStringLiteral("ksdata"));
    case Folder::Picture:
        return platform::joinPath(program, QStringLiteral("examdata"));
    case Folder::Program:
        break;
    }
    return program;
}

QString serverFolderPart(Folder folder)
{
    switch (folder) {
    case Folder::Data:
        return segment(dataFolderName()) + u'/';
    case Folder::User:
        return QStringLiteral("ksdata/");
    case Folder::Picture:
        return QStringLiteral("examdata/");
    case Folder::Program:
        break;
    }
    return {};
}

QString localStamp(const QString& path)
{
    const auto real = platform::findFile(path);
    if (!real)
        return kMissingStamp;
    return QFileInfo(*real).lastModified().toString(QStringLiteral("yyyyMMddHHmm"));
}

namespace {

QString programFileName()
{
    if (!programNameOverride().isEmpty())
        return programNameOverride();
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace

void setProgramFileNameForTests(const QString& name) { programNameOverride() = name; }

bool isRunningProgram(const QString& localName)
{
    const QString program = programFileName();
    if (program.isEmpty())
        return false;
    if (localName.compare(program, Qt::CaseInsensitive) == 0)
        return true;
    return !program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) &&
           localName.compare(program + QStringLiteral(".exe"), Qt::CaseInsensitive) == 0;
}

EntryPlan planEntry(const Entry& entry, Folder& folder)
{
    if (const auto f = folderOfLetter(entry.letter))
        folder = *f;
    EntryPlan plan;
    const auto local = nameParts(localName(entry.fileName));
    const auto remote = nameParts(serverName(entry.fileName));
    if (!local || !remote) {
        // A name from the list never leaves its folder: such an entry is never fetched.
        plan.refused = true;
        plan.newer = QString::compare(entry.stamp, kMissingStamp) > 0;
        return plan;
    }
    QStringList remoteSegments;
    for (const QString& part : *remote)
        remoteSegments << segment(part);
    plan.address = updateBase() + serverFolderPart(folder) + remoteSegments.join(u'/');
    // Sub-folders of the target folder, found ignoring letter case (the program creates none).
    QString dir = localFolder(folder);
    for (qsizetype i = 0; i + 1 < local->size(); ++i)
        dir = platform::findInFolder(dir, local->at(i), platform::EntryKind::Folder)
                  .value_or(platform::joinPath(dir, local->at(i)));
    QString name = local->last();
    if (isRunningProgram(name)) {
        // The running file itself is compared; a newer one is fetched beside it.
        plan.program = true;
        name = programFileName();
    }
    const QString path = writePath(dir, name);
    plan.newer = QString::compare(entry.stamp, localStamp(path)) > 0;
    plan.targetPath = plan.program ? writePath(dir, name + QStringLiteral("_bak")) : path;
    return plan;
}

Outcome applyList(const QString& listPath)
{
    const vb::ErrorTrap trap(kTagCheck);
    Outcome outcome;
    const platform::LinesRead read = platform::readLines(listPath, platform::kProgramFileBytes);
    if (!read.read()) {
        trap([&] { vb::raise(vb::notReadError(read.status == platform::ReadStatus::Missing)); });
        return outcome;
    }
    const QStringList* const lines = &read.lines;
    outcome.version = listVersion(lines->value(0));
    // Every entry line's plan, in order; the first entry line without a letter of its own goes
    // to the program folder.
    auto plans = [&] {
        std::vector<EntryPlan> all;
        Folder folder = Folder::Program;
        for (const QString& line : *lines) {
            if (const auto entry = parseEntry(line))
                all.push_back(planEntry(*entry, folder));
        }
        return all;
    };
    // A program file left from an earlier update is never handed on: only one fetched whole now
    // is ever ordered.
    for (const EntryPlan& plan : plans()) {
        if (plan.program && !plan.refused) {
            trap([&] {
                if (QFile::exists(plan.targetPath) && !QFile::remove(plan.targetPath))
                    vb::raise(vb::ErrPathFileAccess);
            });
        }
    }
    const QString order = writePath(platform::programFolder(), QStringLiteral("uprun.dll"));
    for (const EntryPlan& plan : plans()) {
        if (!plan.newer)
            continue;
        ++outcome.attempted;
        if (plan.refused || !platform::downloadToFile(plan.address, plan.targetPath))
            continue;
        ++outcome.updated;
        if (plan.program) {
            const bool ordered = trap([&] {
                if (!platform::writeWholeFile(order, plan.targetPath + QStringLiteral("\r\n")))
                    vb::raise(vb::ErrPathFileAccess);
            });
            outcome.replaceProgram = outcome.replaceProgram || ordered;
        }
    }
    return outcome;
}

QString doneMessage(const Outcome& outcome)
{
    return QStringLiteral("已更新") + QString::number(outcome.updated) + u'/' +
           QString::number(outcome.attempted) + QStringLiteral("文件。请重新打开软件！");
}

} // namespace app::update

// ---- The window -----------------------------------------------------------------------------------

FrmUpdata::FrmUpdata()
{
    setBorderless();
    for (tk::Label* l : {&Label4, &Label3, &LblVer, &Label1, &Label2}) {
        l->setBackStyle(0);
        l->setAutoSize(true);
        l->setFontName(QStringLiteral("宋体"));
    }
    Label4.setForeColor(0xFFFFFF);
    Label2.setForeColor(0x0000FF);
    lblMove.setBackStyle(0);
    lblMove.onMouseDown = [this](int b, int s, float x, float y) { lblMove_MouseDown(b, s, x, y); };
    Command1.useProgramDesign();
    Command1.onClick = [this] { Command1_Click(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void FrmUpdata::setMessageBoxForTests(MessageBox box) { boxOverride() = std::move(box); }

void FrmUpdata::setEndProgramForTests(std::function<void()> end) { endOverride() = std::move(end); }

void FrmUpdata::Form_Load()
{
    const vb::ErrorTrap trap(kTagLoad);
    const double sx = dScaleX;
    const double sy = dScaleY;
    trap([&] { setTopmost(true); });

    trap([&] { setWidth(5550 * sx); });
    trap([&] { setHeight(3750 * sy); });
    trap([&] { loadIcon(skin(QStringLiteral("l62011"))); });
    setCaption(QStringLiteral("模拟考试练习系统"));
    trap([&] { loadPicture(skin(QStringLiteral("l20069"))); });
    trap([&] { ImgLogo1.Move(120 * sx, 90 * sy); });
    trap([&] { ImgLogo1.loadPicture(skin(QStringLiteral("l20067"))); });
    trap([&] { lblMove.Move(0, 0, 5580 * sx, 540 * sy); });

    trap([&] { Label4.Move(600 * sx, 150 * sy); });
    trap([&] { Label4.setFontSize(10 * sx); });
    trap([&] { Label4.setCaption(QStringLiteral("新版本检测——") + sProName); });
    trap([&] { Label3.Move(360 * sx, 960 * sy); });
    trap([&] { Label3.setFontSize(9 * sx); });
    trap([&] { Label3.setCaption(QStringLiteral("当前题库版本是：")); });
    trap([&] { LblVer.Move(1800 * sx, Label3.Top()); });
    trap([&] { LblVer.setFontSize(9 * sx); });
    trap([&] { LblVer.setCaption(sTkVer); });
    trap([&] { Label1.Move(Label3.Left(), 1440 * sy); });
    trap([&] { Label1.setFontSize(9 * sx); });
    trap([&] { Label1.setCaption(QStringLiteral("最新题库版本是：") + sTkVer); });
    trap([&] { Label2.Move(Label3.Left(), 1920 * sy); });
    trap([&] { Label2.setFontSize(14 * sx); });
    trap([&] { Label2.setCaption(QStringLiteral("已是最新版本，无需升级。")); });
    trap([&] { Command1.Move(3480 * sx, 2880 * sy, 1350 * sx, 450 * sy); });
    trap([&] { Command1.loadPicture(skin(QStringLiteral("l20001"))); });

    // Hidden until the opener shows it; the advertisement file is fetched before the timer is
    // armed, so the check always runs after the load.
    Hide();
    trap([&] {
        platform::DownloadLimits limits;
        limits.maxBytes = app::update::kAdvertisementMaxBytes;
        platform::downloadToFile(app::update::advertisementAddress(),
                                 writePath(userFolder(), QStringLiteral("170100.mxy")), limits);
    });
    Timer1.setEnabled(true);
}

void FrmUpdata::Timer1_Timer()
{
    setVisible(iUpdataShow != 0);
    Timer1.setEnabled(false);
    TKUP();
}

void FrmUpdata::TKUP()
{
    const vb::ErrorTrap trap(kTagCheck);
    QString address;
    trap([&] { address = app::update::listAddress(); });

    QPointer<FrmUpdata> self(this);
    QString reply;
    trap([&] { reply = ModZCB::getHtmlStr(address, 2); });
    // Closed while the request waited: the check ends with the window.
    if (!self || isUnloaded())
        return;
    namespace up = app::update;
    // No reply, the failure text, anything that is no update list, or a list that is not newer:
    // the window says which.
    const up::Check check = up::checkReply(reply, sTkVer);
    if (check != up::Check::Newer) {
        Label2.setCaption(up::checkText(check));
        return;
    }

    // The list is read from the file fetched now, never from one left by an earlier update.
    const QString listPath = downloadedListPath();
    const bool folderThere = platform::findFile(userFolder(), platform::EntryKind::Folder).has_value();
    platform::DownloadLimits limits;
    limits.maxBytes = up::kListMaxBytes;
    const bool fetched = folderThere && platform::downloadToFile(address, listPath, limits);
    if (!self || isUnloaded())
        return;
    QString listText;
    if (fetched) {
        listText = platform::readLines(listPath, platform::kProgramFileBytes).lines.value(0);
    }
    if (up::listVersion(listText).isEmpty()) {
        trap([&] { vb::raise(folderThere ? vb::ErrFileNotFound : vb::ErrPathNotFound); });
        if (self && !isUnloaded())
            Label2.setCaption(up::listFetchFailedText());
        return;
    }

    Hide();
    bool yes = false;
    trap([&] { yes = ask(QStringLiteral("题库有新文件，是否要进行升级？"), QStringLiteral("升级软件"), true); });
    if (!yes)
        return;
    // From here on nothing of the window is used: it may have been closed meanwhile.
    finishUpdate(listPath);
}

void FrmUpdata::Command1_Click() { unload(); }

void FrmUpdata::lblMove_MouseDown(int button, int, float, float)
{
    if (button == 1)
        platform::dragWindow(this);
}
