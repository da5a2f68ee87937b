#pragma once
// A blocking download of one web address to one local file, for the update window: the bytes
// are stored as they come. The call returns when the file is complete, has failed or has timed
// out; meanwhile the program's timers and network go on, but no mouse or key input is handled.
//
//   if (platform::downloadToFile(url, dataFolder + "/288890.mxy")) ++updated;
//
// The bytes go to a temporary file in the target's folder, renamed over the target only when the
// whole reply arrived with a 2xx status: a failed or cut-off download leaves the old file whole
// and no half file behind, and so does a reply longer than the download's bound, which fails as
// soon as its announced length or its bytes pass that bound. Only http and https addresses are
// fetched; the target's folder must exist (the program creates no folder).

#include <QString>
#include <QtGlobal>

namespace platform {

struct DownloadLimits {
    int idleMs = 15000;     // the longest wait for the next bytes of the reply
    int totalMs = 300000;   // the longest a whole download may take
    qint64 maxBytes = qint64(256) << 20; // the longest file kept: larger than any file of an update
};

// True when the file was fetched and stored whole at localPath.
bool downloadToFile(const QString& url, const QString& localPath, DownloadLimits limits = {});

} // namespace platform
