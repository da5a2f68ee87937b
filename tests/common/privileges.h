#pragma once
// Permission cases that bite when the tests run as root too: an immutable file or folder (which
// binds root as well), an entry that refuses to be replaced as root and as an ordinary user alike,
// and work done by an unprivileged user in a child process.

#include <QFile>
#include <QString>
#include <algorithm>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace privileges {

// Sets or clears the immutable flag of a file or folder; false when this filesystem or process
// cannot.
inline bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Makes an entry refuse to be replaced in both worlds a test runs in: as root its immutable flag
// (which binds root too); as an ordinary user, whom permissions bind, the folder it lies in (a
// folder itself, when the entry is one) made read-only, so that nothing in that folder can be
// created, replaced or removed while it holds. A test that needs the rest of the folder writable
// holds it only while the step it looks at runs (engage in a rewrite hook, lift at the next).
// Lifted when it goes; lift() may be called from any process and more than once.
class Refusal {
public:
    explicit Refusal(const QString& path) : path_(path)
    {
        struct stat st {};
        const bool folder = ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
        folder_ = folder ? path : path.left(std::max<qsizetype>(1, path.lastIndexOf(u'/')));
        if (::stat(QFile::encodeName(folder_).constData(), &st) == 0)
            mode_ = st.st_mode & 07777;
    }
    ~Refusal() { lift(); }
    Refusal(const Refusal&) = delete;
    Refusal& operator=(const Refusal&) = delete;

    // False when the refusal cannot be made (as root, a filesystem without the immutable flag).
    bool engage()
    {
        if (::geteuid() == 0)
            return setImmutable(path_, true);
        return ::chmod(QFile::encodeName(folder_).constData(), mode_ & ~0222) == 0;
    }
    // Whether holding it refuses every entry of the folder, not the entry alone (as an ordinary
    // user), so that nothing else in the folder can change while it holds.
    static bool holdsFolder() { return ::geteuid() != 0; }
    void lift()
    {
        if (::geteuid() == 0)
            setImmutable(path_, false);
        else
            ::chmod(QFile::encodeName(folder_).constData(), mode_);
    }

private:
    QString path_;
    QString folder_;
    mode_t mode_ = 0700;
};

// The unprivileged user and group the work below runs as.
inline constexpr uid_t kNobody = 65534;

// Runs work in a forked child as the unprivileged user when this process is root (as itself
// otherwise, where permissions bite already) and gives back what it returned, 0 to 125; -1 when
// the child could not drop its privileges or died. The folders the work needs must be open to
// that user.
inline int asUnprivileged(const std::function<int()>& work)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        ::alarm(60);
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(126);
        ::_exit(work());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 125)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace privileges
