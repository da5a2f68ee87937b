#pragma once
// Named pipes put where the program expects files, and a guard that frees a read blocked on one,
// so that a reader that waits for a writer fails its test instead of hanging the suite.
//
//   ASSERT_TRUE(namedpipe::make(path));
//   const namedpipe::BlockGuard guard({path});
//   ... read path ...
//   EXPECT_FALSE(guard.freed()) << "the read waited for a writer";

#include <QFile>
#include <QString>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace namedpipe {

inline bool make(const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0666) == 0; }

// While it lives, and once a long grace has passed (no sound read comes near it), it opens each
// pipe for writing and closes it again, over and over: a reader blocked in the open of a pipe
// with no writer goes on and reads the end of the file. It writes nothing into any pipe.
class BlockGuard {
public:
    explicit BlockGuard(QStringList pipes, std::chrono::seconds grace = std::chrono::seconds(30))
        : pipes_(std::move(pipes)), thread_([this, grace] { run(grace); })
    {
    }
    ~BlockGuard()
    {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    BlockGuard(const BlockGuard&) = delete;
    BlockGuard& operator=(const BlockGuard&) = delete;

    // Whether some read was found waiting on a pipe and set free.
    bool freed() const
    {
        const std::lock_guard lock(mutex_);
        return freed_;
    }

private:
    void run(std::chrono::seconds grace)
    {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, grace, [this] { return stop_; }))
            return;
        while (!stop_) {
            for (const QString& p : pipes_) {
                // Opens only while a reader holds the pipe open, or waits in its open.
                const int fd = ::open(QFile::encodeName(p).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    ::close(fd);
                    freed_ = true;
                }
            }
            wake_.wait_for(lock, std::chrono::milliseconds(50), [this] { return stop_; });
        }
    }

    QStringList pipes_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool freed_ = false;
    std::thread thread_;
};

} // namespace namedpipe
