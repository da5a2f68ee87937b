#pragma once
// FrmUpdata: the update window. Opened from the home window's update button, it fetches the
// advertisement file, shows the installed bank version and, 100 ms later, runs the update check
// TKUP once: when the web service's update list is newer than the installed bank it asks the
// candidate, fetches every listed file newer than the local copy, leaves an order for the
// external update program when the list names the running program, records the list as the new
// bank version, tells how many files were updated and ends the program.
//
//   ModData::iUpdataShow = 1;       // the home window's update button
//   FrmUpdata::get().Show();        // modeless; a loaded window is only shown again
//
// Borderless and topmost, 5550 x 3750 design twips times the screen scale. Only Command1 closes
// it. Errors of the load and of the check are reported under "upload" and "tkup".

#include "controls/tavobutton.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class FrmUpdata : public tk::FormT<FrmUpdata> {
    Q_OBJECT
public:
    FrmUpdata();

    void Timer1_Timer();
    void TKUP();
    void Command1_Click();
    void lblMove_MouseDown(int button, int shift, float x, float y);

    // The standard message boxes of the check: the question (yesNo; true for Yes) and the final
    // notice (OK only). Tests put their own; an empty function puts the real boxes back.
    using MessageBox = std::function<bool(const QString& text, const QString& title, bool yesNo)>;
    static void setMessageBoxForTests(MessageBox box);
    // How the program ends after an accepted update: at once. Tests put their own.
    static void setEndProgramForTests(std::function<void()> end);

    // ---- Controls, from the bottom of the stack to its top ----
    tk::Image ImgLogo1{this};
    tk::Label Label4{this};
    tk::Label Label3{this};
    tk::Label LblVer{this};
    tk::Label Label1{this};
    tk::Label Label2{this};
    tk::Label lblMove{this};
    tavoButton Command1{this};
    tk::Timer Timer1{this, 100, false};

protected:
    void Form_Load() override;
};

// The update list and where its files go, apart from the window.
namespace app::update {

// Target folders of the list's folder letters "D", "K", "E" and "M".
enum class Folder { Data, User, Picture, Program };

// The folder of a letter (case counts); nothing for any other letter, which keeps the folder of
// the entry line before it.
std::optional<Folder> folderOfLetter(QChar letter);

// One entry line: trimmed, longer than 18 characters and not beginning with "20". Column 1 the
// folder letter, columns 2-13 the time stamp, column 14 on the file name.
struct Entry {
    QChar letter;
    QString stamp;
    QString fileName;
};
std::optional<Entry> parseEntry(const QString& line);

// Local name: the file name, & ".mxy" when it has no ".". Server name: the file name without its
// last four characters when it has a ".", else the whole name; & ".rar" either way.
QString localName(const QString& fileName);
QString serverName(const QString& fileName);

// The parts of a name that may hold sub-folders ("pics\x.mxy" is "pics", "x.mxy"; "\" and "/"
// both separate). Nothing for a name that would leave its folder: an absolute name, a drive, an
// empty part, "." or "..".
std::optional<QStringList> nameParts(const QString& name);

// A bank version: exactly 12 digits "YYYYMMDDHHMM".
bool isBankVersion(const QString& text);
// The bank version of an update list's text: the first 12 characters of the trimmed text, when
// the text begins with "20" and they are a bank version; empty otherwise.
QString listVersion(const QString& listText);

// What the list request's reply says.
enum class Check {
    Failed,   // no reply: the server could not be reached, or the failure text came back
    NotAList, // a reply, but no update list with a bank version
    UpToDate, // a list, not newer than the installed bank
    Newer,    // a list newer than the installed bank (or the installed version is none)
};
Check checkReply(const QString& reply, const QString& installedVersion);

// The window's line for a check that did not find an update.
QString checkText(Check check);
// The window's line when the newer list could not be fetched.
QString listFetchFailedText();

// The data folder path without the program folder and without separators ("xpdata").
QString dataFolderName();

// Web addresses: the update base (web service & "/up/exmsim/" & module & "/"), the update list
// (base & data folder name & "/288895.txt") and the advertisement (web service & "/up/ad/" &
// settings entry 12 & "/170100.rar"). The module name, folder names and file names are
// percent-encoded, each as one path segment.
QString updateBase();
QString listAddress();
QString advertisementAddress();

// The longest advertisement file the download keeps, and all of it that the home window reads:
// three short lines.
inline constexpr qint64 kAdvertisementMaxBytes = 16 * 1024;
// The longest update list the download keeps: a line for each file of the bank and more.
inline constexpr qint64 kListMaxBytes = qint64(1) << 20;

// The local folder of a target and the part of the server path under the update base
// ("xpdata/", "ksdata/", "examdata/" or nothing).
QString localFolder(Folder folder);
QString serverFolderPart(Folder folder);

// A file's last-modified minute "YYYYMMDDHHMM" (letter case of its name ignored), or
// "190011011030" when there is no such file.
QString localStamp(const QString& path);
inline const QString kMissingStamp = QStringLiteral("190011011030");

// Whether a local name names the running program file (letter case ignored; "name.exe" names a
// program file "name" as well).
bool isRunningProgram(const QString& localName);
// The running program's file name; tests put their own. Empty: the real one.
void setProgramFileNameForTests(const QString& name);

// What the check does with one entry, worked out before it acts.
struct EntryPlan {
    bool refused = false;    // its name would leave its folder: nothing is fetched
    bool program = false;    // it names the running program: fetched whole, uprun.dll gets targetPath
    bool newer = false;      // its stamp is greater than the local file's
    QString targetPath;      // where the fetched bytes go ("_bak" for the program)
    QString address;         // where they come from
};
// folder: the folder of the previous entry line, updated by this entry's letter.
EntryPlan planEntry(const Entry& entry, Folder& folder);

struct Outcome {
    int updated = 0;
    int attempted = 0;
    bool replaceProgram = false; // a new program file arrived whole and uprun.dll names it
    QString version;             // the list's bank version; empty when it has none
};
// Works through the downloaded update list: deletes the "_bak" files its program entries would
// fetch to (an old one is never handed on), fetches every newer file, and orders the program's
// replacement only for a program file fetched whole now. Errors (no list, uprun.dll not
// written) are reported under "tkup".
Outcome applyList(const QString& listPath);

// "已更新" & updated & "/" & attempted & "文件。请重新打开软件！"
QString doneMessage(const Outcome& outcome);

} // namespace app::update
