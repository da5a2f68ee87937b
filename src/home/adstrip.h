#pragma once
// The advertisement file (user folder 170100.mxy): line 1 the message, line 2 its colour, line 3
// the link. Missing lines are empty.

#include <QString>
#include <QStringList>

namespace home {

// The longest message the strip shows, in characters: a label sizes itself to its caption, so
// a longer line would cost every drawing of the page.
inline constexpr int kAdCaptionMaxChars = 1024;

struct AdText {
    QString caption; // the message trimmed as a whole, at most kAdCaptionMaxChars of it, each
                     // "◎" a line break (CR LF)
    QString colour;  // as written; the strip takes its value as a long colour number
    QString link;
};
AdText adText(const QStringList& lines);

} // namespace home
