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
    // Only a web link is ever opened: the address the strip hands on (the link as the lenient
    // reader fixes it up, so that "http://127.0" and NUL bytes after it is the address
    // 127.0.0.0, as the shell would take the text up to its first NUL), and the one the desktop
    // is given (that address read again), are http or https addresses with a host as the strict
    // reader reads them.
    const QString address = platform::webLink(ad.link);
    const auto strictWebAddress = [](const QString& text) {
        const QUrl url = QUrl::fromEncoded(text.toLatin1(), QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
    };
    if (!address.isEmpty() && (!strictWebAddress(address) || !strictWebAddress(platform::webLink(address))))
        std::abort();
    return 0;
}
