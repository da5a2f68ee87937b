#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

SingleInstance::SingleInstance(const QString& programFolder)
{
    const QByteArray path = QFile::encodeName(QDir(programFolder).absolutePath());
    // Not handed on to programs started from here (the external update program).
    fd_ = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        owned_ = true; // a folder that cannot be opened cannot be locked: nobody to refuse
        return;
    }
    int result;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    // Only a living holder refuses; a file system without locks has nobody to refuse either.
    owned_ = result == 0 || errno != EWOULDBLOCK;
}

SingleInstance::~SingleInstance()
{
    if (fd_ >= 0)
        ::close(fd_); // lets go of the lock
}

} // namespace platform
