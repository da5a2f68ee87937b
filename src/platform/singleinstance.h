#pragma once
// One running copy per program folder. The lock is the program folder's own (an advisory lock
// on the folder itself, held for the life of the process), so every copy started on that folder
// meets the same lock, whatever its environment and by whatever path it names the folder; and
// nothing is written anywhere, so a refused second copy leaves every folder as it found it.
// A copy that ends, or crashes, lets go of the lock with its process.

#include <QString>

namespace platform {

class SingleInstance {
public:
    // Takes the lock of the program folder when no other living copy holds it.
    explicit SingleInstance(const QString& programFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy of the program in the same folder was already running.
    bool previousInstance() const { return !owned_; }

private:
    int fd_ = -1;
    bool owned_ = false;
};

} // namespace platform
