#include "home/adstrip.h"

#include "toolkit/vb.h"

home::AdText home::adText(const QStringList& lines)
{
    QString caption = vb::trim(lines.value(0));
    if (caption.size() > kAdCaptionMaxChars) {
        caption.truncate(kAdCaptionMaxChars);
        if (caption.back().isHighSurrogate())
            caption.chop(1); // never half a character
    }
    caption.replace(QChar(0x25CE), QStringLiteral("\r\n"));
    return {caption, lines.value(1), lines.value(2)};
}
