#pragma once
#include <QString>

namespace platform {

// The address a link from the settings or a download opens, or an empty string when it may not
// open. Links are read the way people write them: blanks around it are dropped, a leading "www."
// is an http address, and characters an address may not hold as they are (spaces, braces,
// "|", Chinese text) are percent-encoded. Only http and https addresses with a host open.
QString webLink(const QString& text);

// Whether the text is a link the program may open (webLink gives an address).
bool isWebLink(const QString& text);

// Opens a web link in the user's browser. Anything but http and https is refused.
bool openWebLink(const QString& text);

} // namespace platform
