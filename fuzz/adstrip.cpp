// The advertisement file fetched from the web service: the strip's caption, colour and link.

#include "fuzzfiles.h"
#include "home/adstrip.h"
#include "platform/openurl.h"
#include "platform/textfile.h"
#include "toolkit/vb.h"
#include "toolkit/vberror.h"

#include <QUrl>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzfiles::put(QStringLiteral("170100.mxy"), fuzzfiles::bytes(data, size));
    const QStringList lines = platform::readAllLines(path).value_or(QStringList{});
    const home::AdText ad = home::adText(lines);
    if (ad.caption.contains(QChar(0x25CE)))
        std::abort();
    try {
        (void)vb::clng(vb::val(ad.colour)); // the strip traps an overflow
    } catch (const vb::Error&) {
    }
    // Only a web link is ever opened, and what is opened is that link trimmed.
    if (platform::isWebLink(ad.link)) {
        const QUrl url(ad.link.trimmed(), QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if ((scheme != u"http" && scheme != u"https") || url.host().isEmpty())
            std::abort();
    }
    return 0;
}
