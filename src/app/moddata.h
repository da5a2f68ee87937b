#pragma once
// ModData: the program-wide variables through which the windows share what they know. They are
// read and written directly by name, from every window, on the one user-interface thread.
//
// Types as the program declares them: String -> QString, Integer -> qint16 (vb::Integer),
// Long -> qint32 (vb::Long), Double -> double. Booleans are plain bool; where one is taken as a
// number, vb::boolNum gives -1 for true. Code that computes a value for an Integer or a Long
// narrows it with vb::cint / vb::clng, which round halves to even and raise 6 when it does not fit.
//
// Arrays have fixed inclusive bounds (vb::Array, vb::Array2): sTmDone(q), sTmPic(q, plane),
// sSettings(i), sDanYuan(u, column). An index outside them raises vb::Error 9 and writes nothing.
//
// Every value starts empty, zero or false and nothing is kept between runs.

#include "toolkit/vb.h"
#include "toolkit/vbarray.h"

#include <QString>

namespace ModData {

using vb::Integer;
using vb::Long;

// ---- Error report: written by every trapping procedure, read by the error reporter ----
inline QString sErrProc; // error tag of the procedure whose error handler runs
inline Long lErrNum = 0; // the run-time error number captured by that handler
inline QString sErrDesc; // the run-time error text captured by that handler

// ---- Start-up, settings, versions and derived values ----
inline vb::Array<QString, 0, 40> sSettings; // the settings list, every entry trimmed
inline QString sKeMu;                       // module name (settings entry 1)
inline QString sProName;                    // display name (settings entry 2)
inline QString sDataPath;                   // data folder, ends with its separator
inline Integer iProNo = 0;                  // product number (settings entry 4)
// Unit table, row per unit: 1 name, 2 question count, 3 not-yet-learned count, 4 progress.
inline vb::Array2<QString, 0, 40, 1, 4> sDanYuan;
inline QString sKsName;     // name of the simulated candidate (settings entry 8)
inline QString sOsVer;      // operating-system version "major.minor" or "Unknown"
inline QString sTkVer;      // bank version "YYYYMMDDHHMM", trimmed line 1 of the version file
inline QString sErrLogFile; // run log path; empty until the home window takes over
inline double dScaleX = 0;  // horizontal screen scale: twips per pixel / 15
inline double dScaleY = 0;  // vertical screen scale

// ---- Windows and their hand-shakes ----
inline Integer iUpdataShow = 0;   // 1 once the candidate opened the update window
inline Integer iMsgAnswer = 0;    // message-box answer: 1 when its confirm button was pressed
inline Integer iFengmianPage = 0; // home-window button to press after an exercise; 0 = none
inline bool bYanShiOn = false;    // a demonstration is running
inline bool bTmCanClose = false;  // the question panel may be unloaded

// ---- The simulated candidate ----
inline QString sKsZwh; // seat number, two digits
inline QString sKsCC;  // examination slot number
inline QString sKsDah; // archive number
inline QString sKsSfz; // identity-card number, 18 characters

// ---- The exercise being run ----
inline Integer iLianXiType = 0;  // exercise kind
inline Integer iLianXiSub = 0;   // exercise sub-kind; kind + sub-kind = exercise file number
inline Integer iRunMode = 0;     // 1 hint or demonstration shown, 2 practice, 3 mock examination
inline Integer iSelIndex = 0;    // paper number, or unit index
inline Integer iTmCount = 0;     // number of questions in the exercise
inline bool bTmMarksRead = true; // the questions' marked bits came from the marked list at the start
inline Integer iTmNo = 0;        // number of the question shown, from 1
inline Integer iStepNo = 0;      // current step of the current question, from 1
inline Integer iLeftMinutes = 0; // minutes left in a mock examination
inline QString sKsStartTime;     // start of the mock examination "yyyy-mm-dd hh:mm:ss", or "-1"
inline QString sOpFile;          // full path of the exercise operation file
inline QString sOpTextFile;      // full path of the operation-text file
inline QString sTmTextFile;      // full path of the exercise question-text file
inline QString sTmLine;          // line buffer while reading the question-text file
inline QString sOpRecord;        // operation record of the current step

// ---- Question bank ----
inline Integer iPaperMix = 0;     // paper-mix code: the number of fixed papers
inline Integer iDanYuanCount = 0; // unit count

// ---- Per-question tables, question number 1 to 500 ----
inline vb::Array<QString, 1, 500> sTmDone;        // "T" when done at the exercise's start, else "F"
inline vb::Array2<QString, 1, 500, 0, 6> sTmPic;  // picture last shown on scene planes 0 to 5
inline vb::Array<Integer, 1, 500> iTmStep;        // saved step
inline vb::Array<Integer, 1, 500> iTmLine;        // first line of the question's operation records
inline vb::Array<Integer, 1, 500> iTmCode;        // question id: unit x 100 + number in the unit
inline vb::Array<Integer, 1, 500> iTmFlags;       // 1 opened + 2 marked + 4 completed

// ---- Input method ----
inline Long lImeHkl = 0;      // keyboard layout chosen in the question panel's menu
inline bool bAutoIme = false; // the input-method option is on

// Every value back to empty, zero or false, as at program start (tests).
void resetAll();

} // namespace ModData
