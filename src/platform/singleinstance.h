#pragma once
// One running copy per program folder. The lock lives in the user's runtime folder, never in the
// program folder, so a refused second copy leaves the program folder exactly as it found it.

#include <QString>
#include <memory>

class QLockFile;

namespace platform {

class SingleInstance {
public:
    // Takes the lock of the program folder when no other living process holds it.
    explicit SingleInstance(const QString& programFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy of the program in the same folder was already running.
    bool previousInstance() const { return !owned_; }

    // Where the lock of a program folder is kept.
    static QString lockPath(const QString& programFolder);

private:
    std::unique_ptr<QLockFile> lock_;
    bool owned_ = false;
};

} // namespace platform
