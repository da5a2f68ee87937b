#pragma once
#include <QString>

namespace platform {

// The operating system's version as "major.minor" (the kernel release here), or "Unknown".
QString osVersion();

// "major.minor" from a release text such as "6.1.0-18-amd64"; "Unknown" when it has none.
QString majorMinorOf(const QString& release);

} // namespace platform
