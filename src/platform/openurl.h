#pragma once
#include <QString>

namespace platform {

// Whether the text is a link the program may open: an http or https address with a host.
bool isWebLink(const QString& url);

// Opens a web link in the user's browser. Anything but http and https is refused.
bool openWebLink(const QString& url);

} // namespace platform
