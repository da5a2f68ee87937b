#pragma once
// The program's shared services: the error reporter and its run log, the web request and the
// write of the install values into the settings store.

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace ModZCB {

// ---- The web service --------------------------------------------------------------------------

// The address (scheme, host, port) of the web service that receives error reports, with no "/"
// at its end. By default a port of this machine, so nothing leaves it; tests put their own.
QString webServiceAddress();
void setWebServiceAddress(const QString& address); // empty: back to the default

// The text every failed or unanswered web request gives.
QString timeoutText(); // "error-timeout，网络状况不好，请重试！"

// ---- Error reporter ---------------------------------------------------------------------------

// Path and query of an error report: "/up/error/submit.asp?pronm=..&pver=..&osver=..&errsub=..
// &errno=..&errdescript=.." with the extra text after the error text. Every value is
// percent-encoded from its GBK bytes, so no value can add keys or end the query.
QString errorReportQuery(const QString& keMu, const QString& tkVer, const QString& osVer,
                         const QString& tag, long number, const QString& text,
                         const QString& extra);

// Lines 3 and 4 of a run-log entry, each followed by CR LF.
QString runLogEntry(const QString& tag, long number, const QString& text, const QString& osVer,
                    const QString& tkVer);

// What appendLog adds to the file for an entry made at a given time: an empty line, the time
// "YYYY-MM-DD HH:MM:SS", the entry with blanks trimmed at both ends, and a line end.
QString runLogRecord(const QDateTime& when, const QString& entry);

// Sends the report to the web service (time-out 1 s for a server that does not answer, no wait
// at all when the request plainly failed; its own failure is not reported again),
// then appends an entry to the run log `sErrLogFile`. Works on copies of its arguments, so a
// report made while it waits cannot change this one. Never raises.
void reportError(QString tag, long number, QString text, QString extra);

// Appends one entry to the run log at path. An empty path or a missing folder writes nothing.
// Never raises.
void appendLog(const QString& path, const QString& entry);

// Installs the reporter behind every trapping procedure: the tag, number and text go to
// `sErrProc`, `lErrNum`, `sErrDesc`, and then to reportError. A history file set that could not be
// settled (platform::setUnsettledMarkerReporter) is reported through it under "settlefileset",
// 75, once the event loop runs again.
void installErrorReporter();

// ---- Web request ------------------------------------------------------------------------------

// HTTP GET of url, waited with the program's other events running. The body of a 2xx reply
// as GBK text, blanks trimmed. timeoutText() as soon as the request has plainly failed (the
// connection refused, no such host, a reply outside 2xx), or, for a server that does not
// answer, once more than timeoutSeconds clock-second boundaries have passed since the start
// (so 1 to 2 s for a time-out of 1). A request that cannot be sent is reported under
// "getHtmlStr" once and ends at once with the time-out text.
QString getHtmlStr(QString url, int timeoutSeconds);

// ---- Registry write ---------------------------------------------------------------------------

inline constexpr long HKEY_CURRENT_USER_ROOT = 0x80000001L;

// Creates or opens root\subKey in the settings store and sets one value. valueType 1 or 2: text,
// stored as its first dataLength GBK bytes with dataLength = its length in characters; 4: a
// 32-bit number (dataLength = 4); 3: the first dataLength bytes (0 to 4) of a 32-bit number;
// any other type writes nothing. Returns 0 or the store's error code. A value that is no number
// for types 3 and 4 raises vb::Error 13 (or 6 when too large) to the caller.
long regWriteValue(long root, const QString& subKey, const QString& valueName, long valueType,
                   QVariant& value, long& dataLength);

} // namespace ModZCB
