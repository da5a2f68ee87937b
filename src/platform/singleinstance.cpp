#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace platform {

QString SingleInstance::lockPath(const QString& programFolder)
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QDir::tempPath();
    QString folder = QFileInfo(programFolder).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(QDir(programFolder).absolutePath());
    const QByteArray key =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return base + QStringLiteral("/xpprac-") + QString::fromLatin1(key) + QStringLiteral(".lock");
}

SingleInstance::SingleInstance(const QString& programFolder)
    : lock_(std::make_unique<QLockFile>(lockPath(programFolder)))
{
    // Only a living holder counts: the lock of a copy that crashed is taken over.
    lock_->setStaleLockTime(0);
    owned_ = lock_->tryLock(0);
    // When the runtime folder cannot hold a lock at all there is nobody to refuse.
    if (!owned_ && lock_->error() != QLockFile::LockFailedError)
        owned_ = true;
}

SingleInstance::~SingleInstance()
{
    if (lock_ && lock_->isLocked())
        lock_->unlock();
}

} // namespace platform
