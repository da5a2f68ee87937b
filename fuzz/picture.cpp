// Picture files of the program folder, through the program's loader: the load that keeps a
// file's bytes until the picture is first drawn, and the load that decodes at once. Whatever the
// bytes, both agree: a file the load takes decodes, to the size its header gave and within the
// decode bound; a file one load refuses, the other refuses too, with 481. The one exception is
// the PNG the load takes without unpacking it whose rows do not unpack (made so on purpose, every
// checksum sound): it draws as nothing, and the load that decodes at once refuses it.

#include "fuzzfiles.h"
#include "platform/picturefile.h"
#include "toolkit/picturecache.h"
#include "toolkit/vberror.h"

#include <QGuiApplication>
#include <cstdlib>

namespace {

void application()
{
    static int argc = 1;
    static char name[] = "xpfuzz";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

bool withinBound(const QPixmap& p) { return !p.isNull() && tk::pictureFitsDecodeBound(p.size()); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    application();
    tk::clearPictureCache(); // the same name, size and time may come again with other bytes
    const QByteArray input = fuzzfiles::bytes(data, size);
    const QString path = fuzzfiles::put(QStringLiteral("l20059.mxy"), input);

    int lazyError = 0;
    tk::Picture lazy;
    try {
        lazy = tk::Picture::fromFile(path);
    } catch (const vb::Error& e) {
        lazyError = e.number();
    }
    bool drawsNothing = false;
    if (!lazyError) {
        const QSize claimed = lazy.size();
        const QPixmap drawn = lazy.pixmap();
        drawsNothing = drawn.isNull() && platform::pictureFormat(input) == platform::PictureFormat::Png;
        if (!drawsNothing && (!withinBound(drawn) || drawn.size() != claimed))
            std::abort(); // the load took what the first drawing cannot show
    }

    tk::clearPictureCache();
    int eagerError = 0;
    try {
        const tk::DecodedPicture d = tk::decodedPicture(path);
        if (!withinBound(d.pixmap))
            std::abort();
    } catch (const vb::Error& e) {
        eagerError = e.number();
    }
    if (drawsNothing ? eagerError != vb::ErrInvalidPicture
                     : lazyError != eagerError || (lazyError && lazyError != vb::ErrInvalidPicture))
        std::abort();
    return 0;
}
